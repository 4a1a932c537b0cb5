"""GIMP itself, headless, samples gradients where Tessel places its symbols: each gradient GIMP
ships, read by Tessel at 256 symbols, within 2 levels of GIMP's colour at every symbol (none
where GIMP's is transparent); and Tessel's ggr export of each table, exact at every symbol,
its gaps transparent."""
import glob
import os
import re
import shutil
import subprocess
import tempfile

import common

if not shutil.which("gimp-console"):
    common.skip("GIMP is not installed (Debian package gimp)")

DUMP = """(define (dump tag name pos)
  (let* ((n (vector-length pos))
         (s (cadr (gimp-gradient-get-custom-samples name n pos FALSE)))
         (out tag) (i 0))
    (while (< i (* 4 n))
      (set! out (string-append out " " (number->string (vector-ref s i))))
      (set! i (+ i 1)))
    (gimp-message out)))"""


def sampled(files, positions):
    """GIMP's (r, g, b, a) in 0-255 floats at `positions` of each gradient file, in order."""
    with tempfile.TemporaryDirectory() as home:
        folder = os.path.join(home, ".config", "GIMP", "2.10", "gradients")
        os.makedirs(folder)
        names = []
        for i, path in enumerate(files):
            shutil.copy(path, os.path.join(folder, "%d.ggr" % i))
            with open(path, encoding="utf-8") as f:
                names.append(f.read().splitlines()[1][5:].strip())
        vector = "(define pos (vector %s))" % " ".join(repr(p) for p in positions)
        calls = " ".join('(dump "TESSEL%d" "%s" pos)' % (i, n.replace('"', '\\"')) for i, n in enumerate(names))
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
        run = subprocess.run(["gimp-console", "-i", "-f", "-b", "(begin (gimp-message-set-handler 2) %s %s %s)" % (DUMP, vector, calls),
                              "-b", "(gimp-quit 0)"], capture_output=True, text=True, env=env, timeout=300)
    found = {int(m.group(1)): [float(x) * 255 for x in m.group(2).split()]
             for m in re.finditer(r"TESSEL(\d+)((?: [-0-9.e]+)+)", run.stderr)}
    if len(found) != len(files):
        raise RuntimeError("GIMP sampled %d of %d gradients: %s" % (len(found), len(files), run.stderr[-2000:]))
    return [[tuple(found[i][4 * k:4 * k + 4]) for k in range(len(positions))] for i in range(len(files))]


def check_shipped(check):
    files = sorted(glob.glob("/usr/share/gimp/2.0/gradients/**/*.ggr", recursive=True))
    check.expect(len(files) >= 78, "GIMP ships %d gradients" % len(files))
    with tempfile.TemporaryDirectory() as out:
        common.tesselcmd(stdin="&s .importsymbols = 256\n" + "".join(
            "shadeset %s\nshadeexport gdal %s/%d.txt\n" % (path, out, i) for i, path in enumerate(files)))
        theirs = sampled(files, [k / 255 for k in range(256)])
        for i, path in enumerate(files):
            mine = {s: c[:3] for s, c in common.read_gdal("%s/%d.txt" % (out, i)).items() if c[3]}
            for s in range(1, 257):
                c = theirs[i][s - 1]
                drawn = tuple(c[:3]) if round(c[3]) else None
                a = mine.get(s)
                near = a == drawn or (a and drawn and all(abs(x - y) <= 2 for x, y in zip(a, drawn)))
                check.expect(near, "%s symbol %d: Tessel %s, GIMP %s" % (os.path.basename(path), s, a, drawn))


def drawn(path, first, last):
    samples = sampled([path], [(s - first) / max(1, last - first) for s in range(first, last + 1)])[0]
    return [tuple(int(x + 0.5) for x in c) for c in samples]


check = common.Check()
check_shipped(check)
common.check_exports(check, "ggr", drawn, lambda below, c: c[3] == 0)
check.close()
