"""Tessel's ramps in CIELAB and Oklab against chroma-js's chroma.mix, each symbol within 1
level; its straight lightness against chroma-js's correctLightness, within 2; tesselcmd
--check's figures and verdicts for a few tables against colorspacious (CIELAB, the Machado
simulation) and lcms2's CIEDE2000, each within 0.02 (0.2 % for lengths); shadeequalize's
even steps and straight L* measured with lcms2; and the sine ramp against its formula."""
import ctypes
import ctypes.util
import shutil
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
        fall = numpy.maximum.accumulate(way * light) - way * light
        turn = [symbols[i] for i in range(len(light)) if fall[i] > 1][:1]
        out[vision] = {"length": sum(steps), "min_step": min(steps), "max_step": max(steps),
                       "lightness": [light[0], light[-1]], "backtrack": max(fall),
                       "order": {"ok": not turn, "at": (turn or [None])[0]},
                       "evenness": evenness(symbols, lab),
                       "distinct": min(steps) if 3 <= len(symbols) <= 32 else None}
    return out


def delta(lab1, lab2):
    return lcms.cmsCIE2000DeltaE(Lab(*lab1), Lab(*lab2), 1, 1, 1)


def evenness(symbols, lab):
    """The longest of 16 spans of equal symbol count over the shortest, a step across a cut
    shared by its parts."""
    steps = [delta(lab[i], lab[i + 1]) if symbols[i + 1] == symbols[i] + 1 else 0 for i in range(len(symbols) - 1)]
    spans, width = [0.0] * 16, len(steps) / 16
    for i, step in enumerate(steps):
        for s in range(16):
            spans[s] += step * max(0.0, min(i + 1, (s + 1) * width) - max(i, s * width))
    return max(spans) / min(spans) if steps and min(spans) > 0 else None


def shd_lab(path):
    colours = common.read_shd(path)
    return colorspacious.cspace_convert(numpy.array([colours[s] for s in sorted(colours)]) / 255, "sRGB1", "CIELab")


def check_figures(check):
    with tempfile.TemporaryDirectory() as folder:
        tables = {name: os.path.join(folder, name) for name in ("gaps.shd", "repeats.shd", "imported.cpt", "even.shd",
                                                                "classes.shd")}
        common.tesselcmd(stdin="\n".join(["&wo " + folder, "shadedelete ALL", *common.TABLES["gaps"], "shadesave gaps",
                                          "shadedelete ALL", 'shadecolorramp 1 5 "red" "red"',
                                          'shadecolorramp 5 9 "red" "navy"', "shadesave repeats",
                                          "shadedelete ALL", 'shadecolorramp 1 64 "navy" "gold"',
                                          "shadeequalize perceptual", "shadesave even", "shadedelete ALL"]
                                         + ['shadecolorramp %d 1 "%s" "%s"' % (k + 1, c, c) for k, c in
                                            enumerate(("black", "red", "yellow", "white"))] + ["shadesave classes"]))
        with open(tables["imported.cpt"], "w") as f:
            f.write("-100 navy 0 white\n0 white 100 firebrick\n")
        tables["elev999.shd"] = os.path.join(sys.argv[2], "shades", "elev999.shd")
        verdicts = {"order": set(), "even": set(), "distinct": set()}
        for name, path in tables.items():
            mine = json.loads(common.tesselcmd("--check", path, "--json"))
            normal = mine["vision"]["normal"]
            verdicts["order"].add(normal["order"]["ok"])
            verdicts["even"].add(normal["evenness"] is not None and normal["evenness"] <= 1.25)
            verdicts["distinct"].add(None if normal["distinct"] is None else normal["distinct"] >= 5)
            common.tesselcmd("--export", "gdal", path, os.path.join(folder, "out.txt"))
            colours = {s: c[:3] for s, c in common.read_gdal(os.path.join(folder, "out.txt")).items() if c[3]}
            check.expect(mine["symbols"] == len(colours) and mine["first"] == min(colours), name + " symbols")
            for vision, theirs in figures(colours).items():
                for key, value in theirs.items():
                    if key == "order" or value is None:
                        check.expect(mine["vision"][vision][key] == value, "%s %s %s: Tessel %r, oracle %r" % (
                            name, vision, key, mine["vision"][vision][key], value))
                        continue
                    for m, t in zip(numpy.ravel(mine["vision"][vision][key]), numpy.ravel(value)):
                        room = 0.002 * t if key == "length" else 0.02
                        check.expect(abs(m - t) <= room + 1e-9, "%s %s %s: Tessel %r, oracle %r" % (name, vision, key, m, t))
        for verdict, seen in verdicts.items():
            check.expect({True, False} <= seen, "a table passes %s and one fails it: %s" % (verdict, seen))


def check_equalized(check):
    """shadeequalize perceptual evens GMT's palettes out and a three-colour ramp, lightness
    makes L* straight; both measured with lcms2, and the lightness against chroma-js's
    correctLightness of the same CIELAB ramp."""
    gmt = os.path.join(subprocess.run(["gmt", "--show-sharedir"], capture_output=True, text=True).stdout.strip(), "cpt", "gmt") \
        if shutil.which("gmt") else None
    create = ['shadecolorramp 1 128 "navy" "sky blue"', 'shadecolorramp 128 129 "sky blue" "white"']
    lists = [["#000080", "#ff0000", "#ffff80"], ["#1f6b34", "#a0c878", "#fffafa"], ["#000000", "#ff00ff", "#00ffff", "#ffffff"]]
    with tempfile.TemporaryDirectory() as folder:
        tables = {"create": create}
        # terra at 999 symbols moves slowly enough that channel-by-channel rounding zigzags
        for name in ("rainbow", "haxby", "seis", "ocean", "terra") if gmt else ():
            size = 999 if name == "terra" else 256
            tables[name] = ["&s .importsymbols = %d" % size, "shadeset %s/%s.cpt" % (gmt, name)]
        lines = ["&wo " + folder]
        for name, commands in tables.items():
            lines += ["shadedelete ALL", *commands, "shadeequalize perceptual", "shadesave %s_even" % name]
        for name in ("create", "ocean") if gmt else ("create",):
            lines += ["shadedelete ALL", *tables[name], "shadeequalize lightness", "shadesave %s_straight" % name]
        lines += ["&s .rampspace = lab"]
        for i, colours in enumerate(lists):
            lines += ["shadedelete ALL"] + ['shadecolorramp %d 33 "%s" "%s"' % (32 * k + 1, colours[k], colours[k + 1])
                                           for k in range(len(colours) - 1)] + ["shadeequalize lightness", "shadesave list%d" % i]
        common.tesselcmd(stdin="\n".join(lines))
        for name in tables:
            lab = shd_lab("%s/%s_even.shd" % (folder, name))
            ratio = evenness(list(range(len(lab))), lab)
            check.expect(ratio is not None and ratio <= 1.25, "%s equalized: spans %r" % (name, ratio))
        for name in ("create", "ocean") if gmt else ("create",):
            light = shd_lab("%s/%s_straight.shd" % (folder, name))[:, 0]
            off = max(abs(light - numpy.linspace(light[0], light[-1], len(light))))
            check.expect(off <= 0.6, "%s: L* %r from a straight line" % (name, off))
        script = "const c = require('chroma-js'); console.log(JSON.stringify(%s.map(l => " \
                 "c.scale(l).mode('lab').correctLightness().colors(l.length * 32 - 31, 'rgb'))))" % json.dumps(lists)
        theirs = json.loads(subprocess.run(["node", "-e", script], env=NODE, capture_output=True, text=True).stdout)
        for i in range(len(lists)):
            mine = common.read_shd("%s/list%d.shd" % (folder, i))
            for s, colour in mine.items():
                near = all(abs(a - round(b)) <= 2 for a, b in zip(colour, theirs[i][s - 1]))
                check.expect(near, "list %d symbol %d: Tessel %s, chroma-js %s" % (i, s, colour, theirs[i][s - 1]))


def check_sine_ramp(check):
    """The foot of the check's picture of a grey table: row r of R, column x of W show
    v = A(r) 12.5 sin(2 pi x / 8) + x (255 - 25)/(W - 1), each row scaled to 0 to 255."""
    from PIL import Image
    with tempfile.TemporaryDirectory() as folder:
        common.tesselcmd(stdin="&wo %s\nshadecolorramp 1 256 \"black\" \"white\"\nshadesave grey\n" % folder)
        common.tesselcmd("--check", folder + "/grey.shd", "--png", folder + "/c.png", "--size", "512x600")
        image = Image.open(folder + "/c.png").convert("RGB")
        width, rows = 512, 128
        x = numpy.arange(width)
        for r in range(rows):
            v = ((rows - 1 - r) / (rows - 1)) ** 2 * 12.5 * numpy.sin(2 * numpy.pi * x / 8) + x * (255 - 25) / (width - 1)
            want = numpy.round((v - v.min()) / (v.max() - v.min()) * 255)
            got = numpy.array([image.getpixel((i, 600 - rows + r))[0] for i in range(width)])
            check.expect(max(abs(got - want)) <= 1, "sine ramp row %d: %s" % (r, list(zip(got, want))[:4]))


def check_data_line(check):
    """--check --grid on two of NCL's grids (one of 2401 x 1201 cells with nodata, one of
    22,528 nearly all different): the range and the percentiles against numpy's, the symbols
    linear classes give them, and the share of the table's length between the 5th's and the
    95th's against lcms2's CIEDE2000."""
    try:
        from osgeo import gdal
    except ImportError:
        print("SKIP the data line: GDAL's Python binding is not installed (Debian package python3-gdal)")
        return
    shade = os.path.join(sys.argv[2], "shades", "elev999.shd")
    lab = shd_lab(shade)
    steps = [delta(lab[i], lab[i + 1]) for i in range(len(lab) - 1)]
    for name in ("trinidad.nc", "chi200_ud_smooth.nc"):
        grid = os.path.join("/usr/share/ncarg/data/cdf", name)
        if not os.path.exists(grid):
            print("SKIP the data line: NCL's grids are not installed (Debian package ncl-ncarg)")
            return
        data = json.loads(common.tesselcmd("--check", shade, "--grid", grid, "--json"))["data"]
        dataset = gdal.Open(grid)  # held while its band is read
        band = dataset.GetRasterBand(1)
        values = band.ReadAsArray().astype(numpy.float64)
        values = values[values != band.GetNoDataValue()]
        lo, hi = values.min(), values.max()
        theirs = numpy.percentile(values, [5, 25, 50, 75, 95])
        check.expect(data["range"] == [lo, hi] and data["cells"] == values.size, "%s: range %r of %d cells, numpy %r "
                     "of %d" % (name, data["range"], data["cells"], [lo, hi], values.size))
        for mine, value in zip(data["percentiles"], theirs):
            check.expect(abs(mine - value) <= 1e-9 * max(1, abs(value)), "%s percentile: Tessel %r, numpy %r" % (
                name, mine, value))
        symbols = [int(numpy.floor((v - lo) / (hi - lo) * 998 + 0.5)) + 1 for v in theirs]
        check.expect(data["symbols"] == symbols, "%s symbols: Tessel %r, linear classes %r" % (
            name, data["symbols"], symbols))
        share = sum(steps[symbols[0] - 1:symbols[-1] - 1]) / sum(steps)
        check.expect(abs(data["share"] - share) <= 0.002, "%s share: Tessel %r, lcms2 %r" % (name, data["share"], share))
        check.expect(data["ok"] == (share >= 0.6), "%s verdict %r with a share of %r" % (name, data["ok"], share))


check = common.Check()
check_data_line(check)
check_ramps(check)
check_figures(check)
check_equalized(check)
check_sine_ramp(check)
check.close()
