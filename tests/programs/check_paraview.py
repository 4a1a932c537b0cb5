"""ParaView imports Tessel's preset, applies it to a range of symbol numbers and maps every
symbol to a colour as it draws: every symbol exact, undefined ones in the colour of the
symbol below. Runs itself under pvpython."""
import json
import os
import shutil
import subprocess
import sys

import common

if "paraview" not in sys.modules and not os.environ.get("INSIDE_PVPYTHON"):
    if not shutil.which("pvpython"):
        common.skip("ParaView is not installed (Debian packages paraview, python3-paraview)")
    env = dict(os.environ, INSIDE_PVPYTHON="1", PYTHONPATH=os.path.dirname(__file__))
    sys.exit(subprocess.call(["pvpython", "--force-offscreen-rendering", *sys.argv], env=env))

from paraview import servermanager  # noqa: E402
from paraview.simple import GetColorTransferFunction  # noqa: E402
from vtkmodules.vtkCommonCore import vtkDoubleArray  # noqa: E402


def mapped(path, values):
    """The colours ParaView maps `values` to with the preset in `path`, as (r, g, b, a)."""
    servermanager.vtkSMTransferFunctionPresets.GetInstance().ImportPresets(path)
    with open(path, encoding="utf-8") as f:
        name = json.load(f)[0]["Name"]
    lut = GetColorTransferFunction("symbols")
    lut.ApplyPreset(name, True)
    lut.RescaleTransferFunction(float(min(values)), float(max(values)))
    array = vtkDoubleArray()
    for v in values:
        array.InsertNextValue(v)
    colours = lut.GetClientSideObject().MapScalars(array, 0, -1)
    return [tuple(int(x) for x in colours.GetTuple(i)) for i in range(len(values))]


if __name__ == "__main__":
    check = common.Check()
    common.check_exports(check, "json", lambda p, f, l: mapped(p, range(f, l + 1)),
                         lambda below, c: c == below + (255,))
    check.close()
