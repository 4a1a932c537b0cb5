"""ParaView imports Tessel's preset, applies it to a range of symbol numbers and maps every
symbol to a colour as it draws, with the table of a value for each symbol that the preset
asks for: every symbol exact, undefined ones in the colour of the symbol below. And every
RGBPoints preset ParaView ships, read from ParaView itself and sampled at 32 symbols, gives
ParaView's own colour within 2 levels. Runs itself under pvpython."""
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


TABLES = []  # (preset, Discretize, NumberOfTableValues, symbols) of each of Tessel's presets


def mapped(values, path=None, name=None):
    """The colours ParaView maps `values` to, as (r, g, b, a): with the preset in `path`
    (Tessel's export) through its own table, or with its own preset `name` straight from the
    colour function."""
    if path:
        servermanager.vtkSMTransferFunctionPresets.GetInstance().ImportPresets(path)
        with open(path, encoding="utf-8") as f:
            name = json.load(f)[0]["Name"]
    lut = GetColorTransferFunction(name)
    lut.ApplyPreset(name, True)
    if path:  # as Tessel's preset says: a table value for each symbol
        TABLES.append((path, lut.Discretize, lut.NumberOfTableValues, len(values)))
    else:  # ParaView's own, as the colour function it is
        lut.Discretize = 0
    lut.RescaleTransferFunction(float(min(values)), float(max(values)))
    array = vtkDoubleArray()
    for v in values:
        array.InsertNextValue(v)
    colours = lut.GetClientSideObject().MapScalars(array, 0, -1)
    return [tuple(int(x) for x in colours.GetTuple(i)) for i in range(len(values))]


def compare(check, presets, symbols, imported=False):
    """Each preset read by Tessel and sampled at `symbols` symbols, against ParaView's own
    colour at each, within 2 levels."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "presets.json")
        with open(path, "w") as f:
            json.dump(presets, f)
        if imported:
            servermanager.vtkSMTransferFunctionPresets.GetInstance().ImportPresets(path)
        common.tesselcmd(stdin="\n".join(["&s .importsymbols = %d" % symbols] + [line for i, p in enumerate(presets) for line in (
            "&s .importramp = " + p["Name"], "shadeset " + path, "shadeexport gdal %s/%d.txt" % (folder, i))]))
        for i, preset in enumerate(presets):
            xs = preset["RGBPoints"][0::4]
            zs = [min(xs) + (k - 1) * (max(xs) - min(xs)) / (symbols - 1) for k in range(1, symbols + 1)]
            theirs = mapped(zs, name=preset["Name"])
            for s, colour in common.read_gdal("%s/%d.txt" % (folder, i)).items():
                near = all(abs(a - b) <= 2 for a, b in zip(colour[:3], theirs[s - 1]))
                check.expect(near, "%s symbol %d: Tessel %s, ParaView %s" % (preset["Name"], s, colour[:3], theirs[s - 1][:3]))


def check_shipped(check):
    presets = servermanager.vtkSMTransferFunctionPresets.GetInstance()
    shipped = [json.loads(presets.GetPresetAsString(i)) for i in range(presets.GetNumberOfPresets())
               if presets.IsPresetBuiltin(i)]
    shipped = [p for p in shipped if "RGBPoints" in p]
    check.expect(len(shipped) > 100, "ParaView ships %d presets with RGBPoints" % len(shipped))
    compare(check, shipped, 32)


def check_cyclic(check):
    """Cyclic maps of colorcet as presets without a ColorSpace, which ParaView draws as
    Diverging, at every one of their points, the last included."""
    try:
        import colorcet
    except ImportError:
        print("SKIP the cyclic presets: colorcet is not installed (Debian package python3-colorcet)")
        return
    rgb = [lambda c: [int(c[i:i + 2], 16) / 255 for i in (1, 3, 5)], list]
    presets = [{"Name": name, "RGBPoints": [v for k, c in enumerate(getattr(colorcet, name))
                                            for v in [k / 255] + rgb[not isinstance(c, str)](c)]}
               for name in ("CET_C4", "cyclic_wrwbw_40_90_c42")]
    compare(check, presets, 256, imported=True)


if __name__ == "__main__":
    check = common.Check()
    common.check_exports(check, "paraview", lambda p, f, l: mapped(range(f, l + 1), path=p),
                         lambda below, c: c == below + (255,))
    for path, discrete, values, symbols in TABLES:
        check.expect(discrete == 1 and values == symbols, "%s: Discretize %d with %d table values for %d symbols" % (
            os.path.basename(path), discrete, values, symbols))
    check_shipped(check)
    check_cyclic(check)
    check.close()
