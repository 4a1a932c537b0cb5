"""QGIS, headless, imports Tessel's style and colours the symbol numbers with its ramp as a
single-band pseudocolour renderer does, over the symbol range, and reads Tessel's SVG
gradient with its cpt-city reader, its colour map file and its layer style (.qml): every
symbol exact, undefined ones transparent. Every gradient ramp of QGIS's default style and every
cpt-city gradient QGIS ships, sampled at 32 symbols, gives QGIS's own colour within 2 levels;
colour maps and QGIS's own styles of each interpolation read as shade() colours them; and
exports fitted to a DEM colour every cell as Tessel's map does."""
import os
import sys
import tempfile

import common

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
try:
    from qgis.core import (QgsApplication, QgsColorRampShader, QgsCptCityArchive, QgsCptCityColorRamp,
                           QgsRasterLayer, QgsRasterRendererUtils, QgsRasterShader, QgsSettings,
                           QgsSingleBandPseudoColorRenderer, QgsStyle)
except ImportError:
    common.skip("QGIS's Python binding is not installed (Debian package python3-qgis)")

app = QgsApplication([], False)
app.initQgis()


def style_of(path):
    style = QgsStyle()
    style.createMemoryDatabase()
    style.importXml(path)
    return style


def shaded(path, first, last):
    style = style_of(path)
    shader = QgsColorRampShader(first, last, style.colorRamp(style.colorRampNames()[0]))
    shader.setClassificationMode(QgsColorRampShader.Continuous)
    shader.classifyColorRamp(0, -1)
    return [shader.shade(s)[1:] for s in range(first, last + 1)]


def gradient(path, first, last):
    """The colours of QGIS's cpt-city ramp made from the SVG file at `path`."""
    QgsSettings().setValue("CptCity/baseDir", os.path.dirname(os.path.dirname(path)))
    QgsSettings().setValue("CptCity/archiveName", os.path.basename(os.path.dirname(path)))
    ramp = QgsCptCityColorRamp(os.path.basename(path)[:-4], "")
    colours = [ramp.color((s - first) / max(1, last - first)) for s in range(first, last + 1)]
    return [(c.red(), c.green(), c.blue(), c.alpha()) for c in colours]


def check_within(check, items):
    """Loads each item's file through Tessel (one run for all) and checks each defined symbol
    k of 32 against its colour(t) at t = (k - 1) / 31. Items are (what, colour, commands)."""
    with tempfile.TemporaryDirectory() as folder:
        common.tesselcmd(stdin="\n".join(["&s .importsymbols = 32"] + [line for i, (_, _, commands) in enumerate(items)
                                           for line in commands + ["shadeexport gdal %s/%d.txt" % (folder, i)]]))
        for i, (what, theirs, _) in enumerate(items):
            for s, colour in common.read_gdal("%s/%d.txt" % (folder, i)).items():
                c = theirs((s - 1) / 31)
                mine, drawn = colour[:3] if colour[3] else None, (c.red(), c.green(), c.blue()) if c.alpha() else None
                near = mine == drawn or (mine and drawn and all(abs(a - b) <= 2 for a, b in zip(mine, drawn)))
                check.expect(near, "%s symbol %d: Tessel %s, QGIS %s" % (what, s, mine, drawn))


def shipped():
    """(what, colour, commands) for every gradient ramp of the default style and every
    cpt-city gradient."""
    path = os.path.join(QgsApplication.pkgDataPath(), "resources", "symbology-style.xml")
    style = style_of(path)
    ramps = [n for n in style.colorRampNames() if style.colorRamp(n).type() == "gradient"]
    items = [(n, style.colorRamp(n).color, ["&s .importramp = " + n, "shadeset " + path]) for n in ramps]
    base = QgsCptCityArchive.defaultBaseDir()
    svgs = sorted(os.path.relpath(os.path.join(d, n), base) for d, _, names in os.walk(base) for n in names if n.endswith(".svg"))
    items += [(svg, QgsCptCityColorRamp(svg[:-4], "").color, ["&s .importramp =", "shadeset " + os.path.join(base, svg)])
              for svg in svgs]
    return ramps, svgs, items


CELL = tempfile.TemporaryDirectory()
LAYERS = []  # a layer's shader lives as long as the layer


def one_cell_layer():
    path = os.path.join(CELL.name, "cell.asc")
    with open(path, "w") as f:
        f.write("ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\n0\n")
    LAYERS.append(QgsRasterLayer(path, "cell", "gdal"))
    return LAYERS[-1]


def colour_map_shader(path):
    ok, items, kind, errors = QgsRasterRendererUtils.parseColorMapFile(path)
    if not ok:
        raise RuntimeError("QGIS refuses %s: %s" % (path, errors))
    shader = QgsColorRampShader()
    shader.setColorRampType(kind)
    shader.setColorRampItemList(items)
    return shader


def style_shader(path):
    layer = one_cell_layer()
    message, ok = layer.loadNamedStyle(path)
    if not ok or layer.renderer().type() != "singlebandpseudocolor":
        raise RuntimeError("QGIS cannot load %s: %s" % (path, message))
    return layer.renderer().shader().rasterShaderFunction()


def shades(shader, values):
    """shade() at each value as (r, g, b, a), (0, 0, 0, 0) where it gives none."""
    return [tuple(c[1:]) if c[0] else (0, 0, 0, 0) for c in map(shader.shade, values)]


def check_read(check, folder):
    """A colour map of each interpolation, and the layer style QGIS saves from it, read by
    Tessel at 32 symbols over the items' values: each symbol as shade() colours its value."""
    items = [(-10, "0,0,255,255"), (0, "0,255,255,255"), (4, "255,255,0,0"), (12, "255,0,0,255"), (30, "80,40,0,128")]
    zs = [-10 + k * 40 / 31 for k in range(32)]
    layer = one_cell_layer()
    for kind in ("INTERPOLATED", "DISCRETE", "EXACT"):
        path = os.path.join(folder, kind + ".txt")
        with open(path, "w") as f:
            f.write("# QGIS Generated Color Map Export File\nINTERPOLATION:%s\n" % kind)
            f.write("".join("%r,%s,item %d\n" % (z, c, i) for i, (z, c) in enumerate(items)))
        shader = colour_map_shader(path)
        raster = QgsRasterShader()
        raster.setRasterShaderFunction(shader)
        layer.setRenderer(QgsSingleBandPseudoColorRenderer(layer.dataProvider(), 1, raster))
        layer.saveNamedStyle(path[:-4] + ".qml")
        for what in (path, path[:-4] + ".qml"):
            common.tesselcmd("--set", ".importsymbols=32", "--export", "gdal", what, what + ".out")
            mine = {s: c[:3] for s, c in common.read_gdal(what + ".out").items() if c[3]}
            for k, c in enumerate(shades(shader, zs)):
                theirs = c[:3] if c[3] else None
                check.expect(mine.get(k + 1) == theirs,
                             "%s symbol %d (z %r): Tessel %s, QGIS %s" % (os.path.basename(what), k + 1, zs[k], mine.get(k + 1), theirs))


def check_fitted(check, folder, shade):
    """The colour map and the style fitted to NCL's DEM, linear and equalized: shade() of
    every 7th cell's value is the colour of Tessel's map there."""
    dem = "/usr/share/ncarg/data/cdf/trinidad.nc"
    try:
        from osgeo import gdal
    except ImportError:
        return print("SKIP fitted exports: GDAL's Python binding is not installed (Debian package python3-gdal)")
    if not os.path.exists(dem):
        return print("SKIP fitted exports: NCL's grids are not installed (Debian package ncl-ncarg)")
    z = gdal.Open(dem).ReadAsArray().ravel()[::7]
    for classes in ("linear", "equalized"):
        out = os.path.join(folder, classes)
        settings = ["--set", ".gridclasses=" + classes, "--grid", dem]
        common.tesselcmd(*settings, "--export", "qgiscolormap", shade, out + ".txt")
        common.tesselcmd(*settings, "--export", "qml", shade, out + ".qml")
        common.tesselcmd(*settings, "--relief", shade, out + ".tif")
        image = gdal.Open(out + ".tif").ReadAsArray()
        drawn = [tuple(int(c) for c in image[:, i // image.shape[2], i % image.shape[2]]) for i in range(0, image[0].size, 7)]
        drawn = [c if c[3] else (0, 0, 0, 0) for c in drawn]
        for shader, what in ((colour_map_shader(out + ".txt"), "colour map"), (style_shader(out + ".qml"), "style")):
            wrong = [i for i, c in enumerate(shades(shader, z.tolist())) if c != drawn[i]]
            check.expect(not wrong, "%s %s: %d of %d cells differ, first value %r: QGIS %s, Tessel %s" % (
                classes, what, len(wrong), len(z), *((z[wrong[0]], shades(shader, [z[wrong[0]]])[0], drawn[wrong[0]]) if wrong else (0, 0, 0))))


check = common.Check()
ramps, svgs, items = shipped()
check.expect(len(ramps) > 10 and len(svgs) > 800, "QGIS ships %d gradient ramps and %d gradients" % (len(ramps), len(svgs)))
check_within(check, items)
common.check_exports(check, "qgis", shaded, lambda below, c: c[3] == 0)
common.check_exports(check, "svg", gradient, lambda below, c: c[3] == 0)
common.check_exports(check, "qgiscolormap", lambda p, f, l: shades(colour_map_shader(p), range(f, l + 1)), lambda below, c: c[3] == 0)
common.check_exports(check, "qml", lambda p, f, l: shades(style_shader(p), range(f, l + 1)), lambda below, c: c[3] == 0)
with tempfile.TemporaryDirectory() as scratch:
    check_read(check, scratch)
    check_fitted(check, scratch, os.path.join(sys.argv[2], "shades", "elev999.shd"))
check.close()
