"""GRASS itself, headless, colours a raster through r.colors and r.what.color: Tessel's
export gives every symbol exactly, an undefined one the colour of the symbol below; and every
colour table GRASS ships, read by Tessel with .importdata set to the raster's range, gives
each symbol within 2 levels of GRASS's colour at its value. Runs itself inside GRASS."""
import os
import shutil
import subprocess
import sys
import tempfile

import common

if not os.environ.get("GISBASE"):
    if not shutil.which("grass"):
        common.skip("GRASS is not installed (Debian package grass-core)")
    sys.exit(subprocess.call(["grass", "--tmp-location", "XY", "--exec", "/usr/bin/python3", *sys.argv]))


def grass(*args, stdin):
    run = subprocess.run(args, input=stdin, capture_output=True, text=True)
    if run.returncode != 0:
        raise RuntimeError("%s: %s" % (args[0], run.stderr))
    return run.stdout


def coloured(rules, values, extra=()):
    """GRASS's colours at `values` on a raster holding them (and `extra`), as (r, g, b, 255),
    or None where it gives none."""
    cells = list(values) + list(extra)
    grass("r.in.ascii", "input=-", "output=z", "type=DCELL", "--overwrite", "--quiet",
          stdin="north: 1\nsouth: 0\neast: %d\nwest: 0\nrows: 1\ncols: %d\n%s\n" % (len(cells), len(cells), " ".join(map(repr, cells))))
    grass("r.colors", "map=z", "rules=" + rules, "--quiet", stdin="")
    out = grass("r.what.color", "-i", "input=z", stdin="".join("%r\n" % v for v in values))
    colours = [line.split(": ")[1] for line in out.splitlines()]
    return [None if c == "*" else tuple(map(int, c.split(":"))) + (255,) for c in colours]


def check_shipped(check):
    folder = os.path.join(os.environ["GISBASE"], "etc", "colors")
    tables = sorted(os.listdir(folder))
    check.expect(len(tables) > 50, "GRASS ships %d colour tables" % len(tables))
    with tempfile.TemporaryDirectory() as out:
        for i, name in enumerate(tables):
            path = os.path.join(folder, name)
            with open(path) as f:
                words = [line.split()[0] for line in f if line.strip() and line.split()[0] not in ("#", "nv", "default")
                         and not line.startswith("#")]
            values = [float(w) for w in words if not w.endswith("%")] or [0, 100]
            lo, hi = min(values), max(values)
            data = (lo - (hi - lo or 1), hi + (hi - lo or 1))  # wider than the values: percentages reach out
            zs = [data[0] + float(w[:-1]) / 100 * (data[1] - data[0]) if w.endswith("%") else float(w) for w in words]
            zs = [min(zs) + k * (max(zs) - min(zs)) / 63 for k in range(64)]
            common.tesselcmd(stdin="&s .importsymbols = 64\n&s .importdata = %r %r\nshadeset %s\nshadeexport gdal %s/t.txt\n"
                             % (data[0], data[1], path, out))
            mine = {s: c[:3] for s, c in common.read_gdal(out + "/t.txt").items() if c[3]}
            theirs = coloured(path, zs, data)
            for s in range(1, 65):
                a, b = mine.get(s), theirs[s - 1] and theirs[s - 1][:3]
                check.expect(a == b or (a and b and all(abs(x - y) <= 2 for x, y in zip(a, b))),
                             "%s symbol %d (z %r): Tessel %s, GRASS %s" % (name, s, zs[s - 1], a, b))


check = common.Check()
check_shipped(check)
common.check_exports(check, "grass", lambda p, f, l: coloured(p, range(f, l + 1)), lambda below, c: c == below + (255,))
check.close()
