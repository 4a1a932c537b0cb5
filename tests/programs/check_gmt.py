"""GMT's grdimage paints a grid of symbol numbers with Tessel's export: every symbol exact,
undefined ones not painted (the page shows, white). Every palette GMT ships loads in Tessel,
each symbol within 2 levels of what grdimage paints at the same z. And Tessel's reverse, cut
and hinge (at the last symbol too) give, at 64 symbols, what makecpt -Ic, -G and +h write,
each symbol within 2 levels."""
import os
import shutil
import subprocess
import tempfile

import common

if not shutil.which("gmt"):
    common.skip("GMT is not installed (Debian package gmt)")


def gmt(*args, cwd):
    run = subprocess.run(["gmt", *args], cwd=cwd, capture_output=True, text=True)
    if run.returncode != 0 or "ERROR" in run.stderr:
        raise RuntimeError("gmt %s: %s" % (args[0], run.stderr))


def paint(cpt, *rows):
    """The colours grdimage paints for each row of z values with `cpt`, as (r, g, b, 255)."""
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "z.xyz"), "w") as f:
            rows = rows if len(rows) > 1 else rows * 2  # a grid has two rows at least
            f.writelines("%d %d %r\n" % (i, y, z) for y, row in enumerate(rows) for i, z in enumerate(row))
        gmt("xyz2grd", "z.xyz", "-R0/%d/0/%d" % (len(rows[0]) - 1, len(rows) - 1), "-I1", "-Gz.nc=nd", cwd=folder)
        gmt("grdimage", "z.nc", "-JX10c/1c", "-C" + cpt, "-Aout.ppm", cwd=folder)
        with open(os.path.join(folder, "out.ppm"), "rb") as f:
            image = f.read()
    # "P6" (or "P5" for greys), a comment, width, height and 255, then the rows, north first.
    channels = 3 if image.startswith(b"P6") else 1
    width = channels * len(rows[0])
    pixels = [image[len(image) - (y + 1) * width:len(image) - y * width] for y in range(len(rows))]
    return [[tuple(row[channels * i + c % channels] for c in range(3)) + (255,) for i in range(len(rows[0]))]
            for row in pixels]


def nodes(cpt):
    """The z of a table's slices' ends (or its keys), in order."""
    zs = set()
    with open(cpt, encoding="utf-8") as f:
        for line in f:
            words = line.split(";")[0].split()
            if words and not line.startswith("#") and words[0] not in ("B", "F", "N"):
                zs |= {float(words[0])} | ({float(words[len(words) // 2])} if len(words) > 2 else set())
    return sorted(zs)


def z_values(cpt):
    """The z of each of 256 symbols Tessel samples a table into (none of GMT's tables is keyed
    by symbol numbers): from the lowest z of a slice or key to the highest."""
    zs = nodes(cpt)
    return [zs[0] + (k - 1) * (zs[-1] - zs[0]) / 255 for k in range(1, 257)]


def check_shipped(check):
    cpts = shipped()
    check.expect(len(cpts) > 100, "GMT ships %d palettes" % len(cpts))
    with tempfile.TemporaryDirectory() as folder:
        for cpt in cpts:
            out = os.path.join(folder, "out.txt")
            common.tesselcmd("--export", "gdal", cpt, out)
            symbols = {s: c[:3] for s, c in common.read_gdal(out).items() if c[3]}
            zs = z_values(cpt)
            # GMT holds a grid in single precision, so a z on the boundary of two slices may
            # land on its other side there: the colours just beside it count too.
            rows = paint(cpt, zs, *([z + d * 1e-6 * max(1, abs(z)) for z in zs] for d in (1, -1)))
            for s, colour in symbols.items():
                near = any(all(abs(a - b) <= 2 for a, b in zip(colour, row[s - 1])) for row in rows)
                check.expect(near, "%s symbol %d (z %r): Tessel %s, GMT %s" % (cpt, s, zs[s - 1], colour, rows[0][s - 1][:3]))


def shipped():
    share = subprocess.run(["gmt", "--show-sharedir"], capture_output=True, text=True).stdout.strip()
    return sorted(os.path.join(d, n) for d, _, names in os.walk(os.path.join(share, "cpt")) for n in names if n.endswith(".cpt"))


def check_operations(check):
    """For each palette: Tessel's commands on it, and the makecpt line that should write the
    same table, which Tessel then reads as it is (64 symbols from its lowest z to its highest)."""
    cases = []  # (what, Tessel's commands on the palette, makecpt arguments)
    for cpt in shipped():
        with open(cpt, encoding="utf-8") as f:
            text = f.read()
        zs = nodes(cpt)
        # A master table's cut is in the z it stands for (# RANGE), as makecpt takes it.
        own = [line.split("=")[1].split("/") for line in text.splitlines() if line.startswith("# RANGE")]
        lo, hi = (float(own[0][0]), float(own[0][1])) if own else (zs[0], zs[-1])
        if "HINGE" in text:
            cases += [("%s hinge at %d" % (cpt, h), ["&s .importhinge = %d" % h], ["-C%s+h%d" % (cpt, h), "-T1/64", "-Z"])
                      for h in (20, 45, 64)]
        elif all(abs(a + b - zs[0] - zs[-1]) <= 1e-9 * (zs[-1] - zs[0]) for a, b in zip(zs, zs[::-1])):
            # makecpt -I keeps a table's nodes and gives them its colours in reverse order:
            # the table turned round only where its nodes lie evenly about its middle.
            cases.append((cpt + " reversed", ["shadereverse"], ["-C" + cpt, "-Ic"]))
        keys = [line.split(";")[0].split() for line in text.splitlines() if line.strip() and line[0] not in "#BFN"]
        if len(keys[0]) <= 3:  # categorical keys: no part of a range to cut
            continue
        for a, b in ((0.1, 0.6), (0.35, 0.95)):
            cut = (lo + a * (hi - lo), lo + b * (hi - lo))
            cases.append(("%s cut %r to %r" % ((cpt,) + cut), ["&s .importcut = %r %r" % cut], ["-C" + cpt, "-G%r/%r" % cut]))
            # Where a symbol falls on a node, GMT's table (its nodes carried into the RANGE's
            # units) and Tessel's (the symbol carried back) may each take the other side.
            stretch = [lo + (z - zs[0]) / (zs[-1] - zs[0]) * (hi - lo) for z in zs] if own else zs
            cases[-1] += ([k for k in range(1, 65) if any(abs(cut[0] + (k - 1) * (cut[1] - cut[0]) / 63 - z)
                                                          <= 1e-6 * (hi - lo) for z in stretch)],)
    with tempfile.TemporaryDirectory() as folder:
        lines = ["&s .importsymbols = 64"]
        for i, (what, commands, args, *_) in enumerate(cases):
            path = "%s/%d.cpt" % (folder, i)
            run = subprocess.run(["gmt", "makecpt", *args], capture_output=True, text=True)
            check.expect(run.returncode == 0, "makecpt %s: %s" % (" ".join(args), run.stderr))
            with open(path, "w") as f:
                f.write(run.stdout)
            palette = args[0][2:].split("+")[0]
            lines += ["shadeset " + path, "shadeexport gdal %s/%d.gmt.txt" % (folder, i),
                      *[c for c in commands if c.startswith("&s")], "shadeset " + palette,
                      *[c for c in commands if not c.startswith("&s")], "shadeexport gdal %s/%d.mine.txt" % (folder, i),
                      "&s .importcut =", "&s .importhinge ="]
        common.tesselcmd(stdin="\n".join(lines))
        for i, (what, _, _, *on_node) in enumerate(cases):
            gmts = {s: c for s, c in common.read_gdal("%s/%d.gmt.txt" % (folder, i)).items() if c[3]}
            mine = {s: c for s, c in common.read_gdal("%s/%d.mine.txt" % (folder, i)).items() if c[3]}
            for s in range(1, 65):
                a = mine.get(s)
                near = [gmts.get(t) for t in ([s - 1, s, s + 1] if on_node and s in on_node[0] else [s])]
                check.expect(any(a == b or (a and b and all(abs(x - y) <= 2 for x, y in zip(a, b))) for b in near),
                             "%s, symbol %d: Tessel %s, makecpt %s" % (what, s, a, gmts.get(s)))


if __name__ == "__main__":
    check = common.Check()
    common.check_exports(check, "cpt", lambda p, f, l: paint(p, list(range(f, l + 1)))[0],
                         lambda below, c: c[:3] == (255, 255, 255))
    check_shipped(check)
    check_operations(check)
    check.close()
