"""gnuplot itself reads palettes and shows their colours: Tessel's gnuplot export gives every
symbol exactly, an undefined one the colour of the symbol below; and palette files made by
hand in each odd form gnuplot takes (positions off 0 to 1, rows out of place or repeated,
channels beyond 0 to 1) read in Tessel as gnuplot draws them, or are refused by both."""
import os
import re
import shutil
import subprocess
import tempfile

import common

if not shutil.which("gnuplot"):
    common.skip("gnuplot is not installed (Debian package gnuplot-nox)")

# name -> the file's lines
ODD = {
    "positions off 0 to 1": "-5 0 0 1\n10 1 1 0\n20 1 0 0\n",
    "a repeated position": "0 0 0 0\n0.5 1 0 0\n0.5 0 1 0\n0.5 0 0 1\n1 1 1 1\n",
    "repeated ends": "0 1 0 0\n0 0 1 0\n1 0 0 1\n1 1 1 0\n",
    "channels beyond 0 to 1": "0 -0.5 0.2 1.5\n1 2 0.5 -1\n",
    "comments, blanks, tabs": "# a palette\n\n0\t0.1 0.2 0.3\n  # between\n0.25 0.9 0.8 0.7\n1 0 0.5 1\n",
    "descending": "0 0 0 0\n1 1 1 1\n0.5 1 0 0\n",
}


def shown(path, count):
    """gnuplot's colours at `count` places from 0 to 1 as (r, g, b, 255), or None if it refuses
    the file."""
    run = subprocess.run(["gnuplot", "-e", "set palette file '%s' using 1:2:3:4; show palette palette %d" % (path, count)],
                         capture_output=True, text=True)
    rows = [tuple(map(int, m.groups())) + (255,) for m in re.finditer(r"= +(\d+) +(\d+) +(\d+)$", run.stderr, re.M)]
    return rows if len(rows) == count else None


def check_odd(check):
    with tempfile.TemporaryDirectory() as folder:
        for i, (what, text) in enumerate(ODD.items()):
            path = os.path.join(folder, "%d.gpf" % i)
            with open(path, "w") as f:
                f.write(text)
            theirs = shown(path, 32)
            run = subprocess.run([common.sys.argv[1], "--set", ".importsymbols=32", "--export", "gdal", path, path + ".txt"],
                                 capture_output=True, text=True)
            mine = common.read_gdal(path + ".txt") if run.returncode == 0 else None
            check.expect((theirs is None) == (mine is None), "%s: gnuplot %s it, Tessel %s" % (
                what, "refuses" if theirs is None else "takes", run.stderr or "takes it"))
            for s in range(1, 33) if theirs and mine else []:
                check.expect(mine.get(s) == theirs[s - 1], "%s symbol %d: Tessel %s, gnuplot %s" % (what, s, mine.get(s), theirs[s - 1]))


check = common.Check()
check_odd(check)
common.check_exports(check, "gnuplot", lambda p, f, l: shown(p, l - f + 1), lambda below, c: c == below + (255,))
check.close()
