"""Maps of an 8192 x 8192 Float32 DEM (the sample terrain, enlarged) by tesselcmd and by the
programs people would use, each run whole, in pairs that take turns to go first (three pairs,
eleven for the quick maps, where a run takes a tenth of a second): the median time of each,
the median of the pairs' ratios (the machine's speed drifts, and a pair shares its moment),
and the least peak memory GNU time measures: a relief in colour against gdaldem color-relief -alpha, a shaded one against
gmt grdimage -I+a315+nt1 -A, and the map at 512 x 512 (shaded, with its scale), linear and
equalized, against reading the grid at that size with gdal_translate. Run by
scripts/bench.sh: python3 big_grid.py TESSELCMD TERRAIN."""
import os
import shutil
import subprocess
import sys
import tempfile
import time


def run(args, cwd, stdin=None):
    """Seconds and peak resident KiB of one whole run, its output files made anew."""
    with tempfile.NamedTemporaryFile("r") as measured:
        for name in ("out.tif", "map.png"):
            if os.path.exists(os.path.join(cwd, name)):
                os.remove(os.path.join(cwd, name))
        start = time.perf_counter()
        child = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", measured.name, *args], cwd=cwd,
                               input=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        seconds = time.perf_counter() - start
        if child.returncode != 0:
            sys.exit("%s failed" % " ".join(args))
        kib = measured.read().split()[-1]
    return seconds, int(kib)


def pairs(mine, theirs, cwd, count):
    """(median seconds, least KiB) of each, and the median ratio of mine to theirs."""
    a, b = [], []
    for i in range(count):
        if i % 2:
            b.append(run(theirs, cwd))
            a.append(run(mine, cwd))
        else:
            a.append(run(mine, cwd))
            b.append(run(theirs, cwd))
    ratios = sorted(x[0] / y[0] for x, y in zip(a, b))
    middle = lambda runs: (sorted(t for t, _ in runs)[count // 2], min(m for _, m in runs))
    return middle(a), middle(b), ratios[count // 2]


if __name__ == "__main__":
    tesselcmd, terrain = sys.argv[1], sys.argv[2]
    for program in ("gdal_translate", "gdaldem", "gmt"):
        if not shutil.which(program):
            sys.exit("%s is not installed (Debian packages gdal-bin, gmt): nothing to compare with" % program)
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["gdal_translate", "-q", "-ot", "Float32", "-r", "cubic", "-outsize", "8192", "8192",
                        terrain, os.path.join(folder, "dem.tif")], check=True)
        with open(os.path.join(folder, "relief.cpt"), "w") as f:  # made for the terrain's heights
            f.write(subprocess.run(["gmt", "makecpt", "-Cgeo", "-T200/1100"], capture_output=True, text=True,
                                   check=True).stdout)
        for form in ("gdal", "cpt"):
            subprocess.run([tesselcmd, "--grid", "dem.tif", "--export", form, "relief.cpt", "fitted." + form],
                           cwd=folder, check=True)
        commands = "&s .gridshade = 315\nshadeset relief.cpt\ngrid dem.tif\nshadegrid 0 .75 5.333 5.333\n" \
                   "shadescale .2 .1 5.1 .6\n"
        for name, text in (("map.tsl", commands), ("equalized.tsl", "&s .gridclasses = equalized\n" + commands)):
            with open(os.path.join(folder, name), "w") as f:
                f.write(text)
        cases = [
            ("relief in colour", [tesselcmd, "--grid", "dem.tif", "--relief", "relief.cpt", "out.tif"],
             ["gdaldem", "color-relief", "-q", "dem.tif", "fitted.gdal", "out.tif", "-alpha"]),
            ("relief shaded", [tesselcmd, "--set", ".gridshade=315", "--grid", "dem.tif", "--relief", "relief.cpt",
                               "out.tif"],
             ["gmt", "grdimage", "dem.tif", "-Cfitted.cpt", "-I+a315+nt1", "-JX10c", "-Aout.tif"]),
            ("map at 512, shaded", [tesselcmd, "map.tsl"],
             ["gdal_translate", "-q", "-outsize", "512", "512", "-of", "MEM", "dem.tif", "x"]),
            ("the same, equalized", [tesselcmd, "equalized.tsl"],
             ["gdal_translate", "-q", "-outsize", "512", "512", "-of", "MEM", "dem.tif", "x"]),
        ]
        print("%-22s %22s %22s %14s" % ("8192 x 8192 DEM", "tesselcmd", "against", "ratio t / mem"))
        for what, mine, theirs in cases:
            a, b, ratio = pairs(mine, theirs, folder, 11 if what.startswith(("map", "the same")) else 3)
            print("%-22s %9.2f s %7.0f MiB %9.2f s %7.0f MiB %6.2f / %.2f  (%s)" % (
                what, a[0], a[1] / 1024, b[0], b[1] / 1024, ratio, a[1] / b[1], theirs[0]))
