"""QGIS, headless, imports Tessel's style and renders a raster of symbol numbers with its
ramp in a single-band pseudocolour renderer over the symbol range: every symbol exact,
undefined ones transparent."""
import os

import common

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
try:
    from qgis.core import (QgsApplication, QgsColorRampShader, QgsRasterLayer, QgsRasterShader,
                           QgsSingleBandPseudoColorRenderer, QgsStyle)
except ImportError:
    common.skip("QGIS's Python binding is not installed (Debian package python3-qgis)")

app = QgsApplication([], False)
app.initQgis()


def drawn(path, first, last):
    style = QgsStyle()
    style.createMemoryDatabase()
    style.importXml(path)
    shader = QgsColorRampShader(first, last, style.colorRamp(style.colorRampNames()[0]))
    shader.setClassificationMode(QgsColorRampShader.Continuous)
    shader.classifyColorRamp(0, -1)
    grid = path + ".asc"
    with open(grid, "w") as f:
        f.write("ncols %d\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\n" % (last - first + 1))
        f.write(" ".join(str(s) for s in range(first, last + 1)) + "\n")
    layer = QgsRasterLayer(grid, "symbols")
    raster_shader = QgsRasterShader()
    raster_shader.setRasterShaderFunction(shader)
    renderer = QgsSingleBandPseudoColorRenderer(layer.dataProvider(), 1, raster_shader)
    block = renderer.block(1, layer.extent(), last - first + 1, 1)
    colours = []
    for i in range(last - first + 1):
        argb = block.color(0, i)
        colours.append(((argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24))
    return colours


check = common.Check()
common.check_exports(check, "xml", drawn, lambda below, c: c[3] == 0)
check.close()
