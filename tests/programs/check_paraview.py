"""ParaView imports Tessel's preset, applies it to a range of symbol numbers and maps every
symbol to a colour as it draws: every symbol exact, undefined ones in the colour of the
symbol below. And presets in each colour space that Tessel reads give, at each sampled
point, ParaView's own colour within 2 levels. Runs itself under pvpython."""
import json
import os
import shutil
import subprocess
import sys
import tempfile

import common

if "paraview" not in sys.modules and not os.environ.get("INSIDE_PVPYTHON"):
    if not shutil.which("pvpython"):
        common.skip("ParaView is not installed (Debian packages paraview, python3-paraview)")
    env = dict(os.environ, INSIDE_PVPYTHON="1", PYTHONPATH=os.path.dirname(__file__))
    sys.exit(subprocess.call(["pvpython", "--force-offscreen-rendering", *sys.argv], env=env))

from paraview import servermanager  # noqa: E402
from paraview.simple import GetColorTransferFunction  # noqa: E402
from vtkmodules.vtkCommonCore import vtkDoubleArray  # noqa: E402


IMPORTED = set()


def mapped(path, values, name=None):
    """The colours ParaView maps `values` to with a preset in `path`, as (r, g, b, a): through
    the preset's own table for Tessel's exports, straight from the colour function else."""
    if path not in IMPORTED:
        servermanager.vtkSMTransferFunctionPresets.GetInstance().ImportPresets(path)
        IMPORTED.add(path)
    with open(path, encoding="utf-8") as f:
        name = name or json.load(f)[0]["Name"]
    lut = GetColorTransferFunction(name)
    lut.ApplyPreset(name, True)
    if name.startswith("tessel_"):
        lut.Discretize = 0
    lut.RescaleTransferFunction(float(min(values)), float(max(values)))
    array = vtkDoubleArray()
    for v in values:
        array.InsertNextValue(v)
    colours = lut.GetClientSideObject().MapScalars(array, 0, -1)
    return [tuple(int(x) for x in colours.GetTuple(i)) for i in range(len(values))]


# Two or three points in each colour space; the names keep clear of ParaView's own presets.
SPACES = [{"Name": "tessel_" + space.lower(), "ColorSpace": space, "RGBPoints": points} for space, points in [
    ("Lab", [0, 1, 0, 0, 1, 0, 0, 1]),
    ("Diverging", [-1, 0.23, 0.299, 0.754, 1, 0.706, 0.016, 0.150]),
    ("HSV", [0, 1, 0, 0, 2, 0, 0, 1]),
    ("RGB", [0, 0.2, 0.4, 0.6, 0.5, 1, 1, 0, 1, 0, 0, 1]),
    ("Step", [0, 1, 0, 0, 0.5, 0, 1, 0, 1, 0, 0, 1]),
]]


def check_spaces(check):
    with tempfile.TemporaryDirectory() as folder:
        path, out = os.path.join(folder, "spaces.json"), os.path.join(folder, "out.txt")
        with open(path, "w") as f:
            json.dump(SPACES, f)
        for preset in SPACES:
            common.tesselcmd(stdin="\n".join(["&s .importsymbols = 64", "&s .importramp = " + preset["Name"],
                                               "shadeset " + path, "shadeexport gdal " + out]))
            xs = preset["RGBPoints"][0::4]
            zs = [xs[0] + (k - 1) * (xs[-1] - xs[0]) / 63 for k in range(1, 65)]
            theirs = mapped(path, zs, preset["Name"])
            for s, colour in common.read_gdal(out).items():
                near = all(abs(a - b) <= 2 for a, b in zip(colour[:3], theirs[s - 1]))
                check.expect(near, "%s symbol %d: Tessel %s, ParaView %s" % (preset["Name"], s, colour[:3], theirs[s - 1][:3]))


if __name__ == "__main__":
    check = common.Check()
    common.check_exports(check, "json", lambda p, f, l: mapped(p, range(f, l + 1)),
                         lambda below, c: c == below + (255,))
    check_spaces(check)
    check.close()
