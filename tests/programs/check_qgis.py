"""QGIS, headless, imports Tessel's style and colours the symbol numbers with its ramp as a
single-band pseudocolour renderer does, over the symbol range: every symbol exact,
undefined ones transparent."""
import os

import common

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
try:
    from qgis.core import QgsApplication, QgsColorRampShader, QgsStyle
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
    return [shader.shade(s)[1:] for s in range(first, last + 1)]


check = common.Check()
common.check_exports(check, "xml", drawn, lambda below, c: c[3] == 0)
check.close()
