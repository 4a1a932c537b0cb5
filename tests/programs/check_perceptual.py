"""Tessel's ramps in CIELAB and Oklab against chroma-js's chroma.mix, each symbol within 1
level; and tesselcmd --check's figures for a few tables against colorspacious (CIELAB, the
Machado simulation) and lcms2's CIEDE2000, each within 0.02 (0.2 % for lengths)."""
import ctypes
import ctypes.util
import json
import os
import subprocess
import sys
import tempfile

import common

try:
    import colorspacious
    import numpy
except ImportError:
    common.skip("colorspacious is not installed (Debian package python3-colorspacious)")
try:
    lcms = ctypes.CDLL("liblcms2.so.2")
except OSError:
    common.skip("lcms2 is not installed (Debian package liblcms2-2)")
NODE = dict(os.environ, NODE_PATH="/usr/share/nodejs")
if subprocess.run(["node", "-e", "require('chroma-js')"], env=NODE, capture_output=True).returncode:
    common.skip("chroma-js is not installed (Debian packages nodejs, node-chroma-js)")


class Lab(ctypes.Structure):
    _fields_ = [("L", ctypes.c_double), ("a", ctypes.c_double), ("b", ctypes.c_double)]


lcms.cmsCIE2000DeltaE.restype = ctypes.c_double
lcms.cmsCIE2000DeltaE.argtypes = [ctypes.POINTER(Lab), ctypes.POINTER(Lab)] + [ctypes.c_double] * 3

PAIRS = [("#ff0000", "#0000ff"), ("#000000", "#ffffff"), ("#000080", "#ffd700"), ("#1f6b34", "#fffafa"),
         ("#00ff00", "#ff00ff")]


def check_ramps(check):
    cases = [(a, b, n, space) for a, b in PAIRS for n in (9, 999) for space in ("lab", "oklab")]
    script = "const c = require('chroma-js'); console.log(JSON.stringify(%s.map(([a, b, n, s]) => " \
             "[...Array(n).keys()].map(i => c.mix(a, b, i / (n - 1), s).rgb()))))" % json.dumps(cases)
    theirs = json.loads(subprocess.run(["node", "-e", script], env=NODE, capture_output=True, text=True).stdout)
    with tempfile.TemporaryDirectory() as folder:
        common.tesselcmd(stdin="\n".join(line for i, (a, b, n, space) in enumerate(cases) for line in (
            "&s .rampspace = " + space, "shadedelete ALL", 'shadecolorramp 1 %d "%s" "%s"' % (n, a, b),
            "shadeexport gdal %s/%d.txt" % (folder, i))))
        for i, (a, b, n, space) in enumerate(cases):
            for s, colour in common.read_gdal("%s/%d.txt" % (folder, i)).items():
                near = all(abs(x - y) <= 1 for x, y in zip(colour, theirs[i][s - 1]))
                check.expect(near, "%s %s to %s, %d of %d: Tessel %s, chroma-js %s" % (
                    space, a, b, s, n, colour[:3], theirs[i][s - 1]))


def figures(colours):
    """The check's figures, from colorspacious and lcms2, for {symbol: (r, g, b)}."""
    symbols = sorted(colours)
    rgb = numpy.array([colours[s] for s in symbols]) / 255
    normal = colorspacious.cspace_convert(rgb, "sRGB1", "CIELab")
    labs = {"normal": normal, "greyscale": normal * [1, 0, 0]}
    for vision in ("protanopia", "deuteranopia", "tritanopia"):
        cvd = {"name": "sRGB1+CVD", "cvd_type": vision[:-3] + "maly", "severity": 100}
        seen = numpy.clip(colorspacious.cspace_convert(rgb, cvd, "sRGB1-linear"), 0, 1)
        labs[vision] = colorspacious.cspace_convert(seen, "sRGB1-linear", "CIELab")
    out = {}
    for vision, lab in labs.items():
        steps = [lcms.cmsCIE2000DeltaE(Lab(*lab[i]), Lab(*lab[i + 1]), 1, 1, 1)
                 for i in range(len(symbols) - 1) if symbols[i + 1] == symbols[i] + 1]
        light = lab[:, 0]
        way = 1 if light[-1] >= light[0] else -1
        reached = numpy.maximum.accumulate(way * light)
        out[vision] = {"length": sum(steps), "min_step": min(steps), "max_step": max(steps),
                       "lightness": [light[0], light[-1]], "backtrack": max(reached - way * light)}
    return out


def check_figures(check):
    with tempfile.TemporaryDirectory() as folder:
        tables = {name: os.path.join(folder, name) for name in ("gaps.shd", "repeats.shd", "imported.cpt")}
        common.tesselcmd(stdin="\n".join(["&wo " + folder, "shadedelete ALL", *common.TABLES["gaps"], "shadesave gaps",
                                          "shadedelete ALL", 'shadecolorramp 1 5 "red" "red"',
                                          'shadecolorramp 5 9 "red" "navy"', "shadesave repeats"]))
        with open(tables["imported.cpt"], "w") as f:
            f.write("-100 navy 0 white\n0 white 100 firebrick\n")
        tables["elev999.shd"] = os.path.join(sys.argv[2], "shades", "elev999.shd")
        for name, path in tables.items():
            mine = json.loads(common.tesselcmd("--check", path, "--json"))
            common.tesselcmd("--export", "gdal", path, os.path.join(folder, "out.txt"))
            colours = {s: c[:3] for s, c in common.read_gdal(os.path.join(folder, "out.txt")).items() if c[3]}
            check.expect(mine["symbols"] == len(colours) and mine["first"] == min(colours), name + " symbols")
            for vision, theirs in figures(colours).items():
                for key, value in theirs.items():
                    for m, t in zip(numpy.ravel(mine["vision"][vision][key]), numpy.ravel(value)):
                        room = 0.002 * t if key == "length" else 0.02
                        check.expect(abs(m - t) <= room + 1e-9, "%s %s %s: Tessel %r, oracle %r" % (name, vision, key, m, t))


check = common.Check()
check_ramps(check)
check_figures(check)
check.close()
