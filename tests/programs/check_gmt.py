"""GMT's grdimage paints a grid of symbol numbers with Tessel's export: every symbol exact,
undefined ones not painted (the page shows, white). And every palette GMT ships loads in
Tessel, each symbol within 2 levels of what grdimage paints at the same z."""
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


def z_values(cpt):
    """The z of each of 256 symbols Tessel samples a table into (none of GMT's tables is keyed
    by symbol numbers): from the lowest z of a slice or key to the highest."""
    zs = []
    with open(cpt, encoding="utf-8") as f:
        for line in f:
            words = line.split(";")[0].split()
            if words and not line.startswith("#") and words[0] not in ("B", "F", "N"):
                zs += [float(words[0])] + ([float(words[len(words) // 2])] if len(words) > 2 else [])
    return [min(zs) + (k - 1) * (max(zs) - min(zs)) / 255 for k in range(1, 257)]


def check_shipped(check):
    share = subprocess.run(["gmt", "--show-sharedir"], capture_output=True, text=True).stdout.strip()
    cpts = sorted(os.path.join(d, n) for d, _, names in os.walk(os.path.join(share, "cpt")) for n in names if n.endswith(".cpt"))
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


if __name__ == "__main__":
    check = common.Check()
    common.check_exports(check, "cpt", lambda p, f, l: paint(p, list(range(f, l + 1)))[0],
                         lambda below, c: c[:3] == (255, 255, 255))
    check_shipped(check)
    check.close()
