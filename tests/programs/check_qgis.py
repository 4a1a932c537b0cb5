"""QGIS, headless, imports Tessel's style and colours the symbol numbers with its ramp as a
single-band pseudocolour renderer does, over the symbol range, and reads Tessel's SVG
gradient with its cpt-city reader: every symbol exact, undefined ones transparent. And every
gradient ramp of QGIS's default style and every cpt-city gradient QGIS ships, sampled at 32
symbols, gives QGIS's own colour within 2 levels."""
import os
import tempfile

import common

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
try:
    from qgis.core import (QgsApplication, QgsColorRampShader, QgsCptCityArchive, QgsCptCityColorRamp,
                           QgsSettings, QgsStyle)
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


check = common.Check()
ramps, svgs, items = shipped()
check.expect(len(ramps) > 10 and len(svgs) > 800, "QGIS ships %d gradient ramps and %d gradients" % (len(ramps), len(svgs)))
check_within(check, items)
common.check_exports(check, "xml", shaded, lambda below, c: c[3] == 0)
common.check_exports(check, "svg", gradient, lambda below, c: c[3] == 0)
check.close()
