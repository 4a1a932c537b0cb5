"""Tessel's maps against the programs they stand beside, on real grids nobody here wrote (NCL's
data: a DEM, and a glacial world's topography among other variables) and one GMT made:
--relief against gmt grdimage with Tessel's GMT export fitted to the grid (every pixel, and
shaded as -I+a315+nt1 within 1 level), and against gdaldem color-relief with its gdaldem
export; GMT's geo made for a grid's range, and the master geo stretched over it, against
grdimage (99 % of pixels within 2 levels); and equalized classes against grd2cpt -E+c."""
import os
import shutil
import subprocess
import sys
import tempfile

import common

try:
    import numpy
    from osgeo import gdal
except ImportError:
    common.skip("GDAL's Python binding is not installed (Debian packages python3-gdal, python3-numpy)")
if not shutil.which("gmt"):
    common.skip("GMT is not installed (Debian package gmt)")
gdal.UseExceptions()

NCL = "/usr/share/ncarg/data/cdf"


def gmt(*args, cwd):
    run = subprocess.run(["gmt", *args], cwd=cwd, capture_output=True, text=True)
    if run.returncode != 0 or "ERROR" in run.stderr:
        raise RuntimeError("gmt %s: %s" % (args[0], run.stderr))


def image(path, bands=3):
    return gdal.Open(path).ReadAsArray()[:bands].astype(int)


def compare(check, what, mine, theirs, room, share=1.0):
    """Tessel's RGBA image against another program's RGB one, where Tessel drew: every pixel
    within `room` levels, or at least `share` of them."""
    a, b = image(mine, 4), image(theirs)[:, :, :image(mine).shape[2]]
    drawn = a[3] > 0
    near = numpy.abs(a[:3] - b).max(axis=0) <= room
    got = near[drawn].mean() if drawn.any() else 0
    check.expect(drawn.any() and got >= share, "%s: %.4f of the pixels within %d levels" % (what, got, room))


def grids(folder):
    """{name: (path for Tessel, path for GMT, settings)}"""
    made = os.path.join(folder, "made.nc")
    gmt("grdmath", "-R0/6/0/4", "-I0.02", "X", "SIN", "Y", "2", "MUL", "COS", "MUL", "100", "MUL",
        "X", "3", "SUB", "HYPOT", "DUP", "2.5", "GT", "NAN", "=", made, cwd=folder)
    found = {"made": (made, made, [])}
    if os.path.exists(os.path.join(NCL, "trinidad.nc")):
        found["trinidad"] = (os.path.join(NCL, "trinidad.nc"),) * 2 + ([],)
    ice = os.path.join(NCL, "ice5g_21k_1deg.nc")
    if os.path.exists(ice):
        found["ice5g"] = (ice, ice + "?Topo", ["--set", ".gridvariable=Topo"])
    else:
        print("SKIP NCL's grids: they are not installed (Debian package ncl-ncarg)")
    return found


def check_reliefs(check, folder, shade):
    for name, (path, theirs, settings) in grids(folder).items():
        out = os.path.join(folder, name)
        common.tesselcmd(*settings, "--grid", path, "--export", "cpt", shade, out + ".cpt")
        common.tesselcmd(*settings, "--grid", path, "--export", "gdal", shade, out + ".txt")
        common.tesselcmd(*settings, "--grid", path, "--relief", shade, out + ".tif")
        common.tesselcmd(*settings, "--set", ".gridshade=315", "--grid", path, "--relief", shade, out + ".lit.tif")
        gmt("grdimage", theirs, "-C" + out + ".cpt", "-JX10c", "-A" + out + ".gmt.tif", cwd=folder)
        gmt("grdimage", theirs, "-C" + out + ".cpt", "-I+a315+nt1", "-JX10c", "-A" + out + ".gmt.lit.tif", cwd=folder)
        compare(check, name + " against grdimage", out + ".tif", out + ".gmt.tif", 0)
        compare(check, name + " shaded against grdimage -I", out + ".lit.tif", out + ".gmt.lit.tif", 1)
        source = theirs if "?" not in theirs else 'NETCDF:"%s":Topo' % path
        gdal.DEMProcessing(out + ".gdal.tif", source, "color-relief", colorFilename=out + ".txt",
                           addAlpha=True, colorSelection="nearest_color_entry")
        compare(check, name + " against gdaldem", out + ".tif", out + ".gdal.tif", 0, 0.999)


def check_geo(check, folder):
    """GMT's geo made for a DEM's range and read at 1024 symbols; and the master geo stretched
    over a world's topography, its hinge at 0 (as .gridrange = data asks)."""
    dem, world = os.path.join(NCL, "trinidad.nc"), os.path.join(NCL, "ice5g_21k_1deg.nc")
    if not os.path.exists(dem) or not os.path.exists(world):
        return
    z = gdal.Open(dem).ReadAsArray()
    fitted = os.path.join(folder, "geo_fit.cpt")
    with open(fitted, "w") as f:
        f.write(subprocess.run(["gmt", "makecpt", "-Cgeo", "-T%r/%r" % (float(z.min()), float(z.max()))],
                               capture_output=True, text=True, check=True).stdout)
    share = subprocess.run(["gmt", "--show-sharedir"], capture_output=True, text=True).stdout.strip()
    master = os.path.join(share, "cpt", "gmt", "geo.cpt")
    cases = [("geo made for the DEM", [], dem, dem, fitted, fitted),
             ("the master geo over a world", ["--set", ".gridvariable=Topo", "--set", ".gridrange=data"],
              world, world + "?Topo", master, "geo")]
    for i, (what, settings, grid, theirs, mine, cpt) in enumerate(cases):
        out = os.path.join(folder, "geo%d" % i)
        common.tesselcmd("--set", ".importsymbols=1024", *settings, "--grid", grid, "--relief", mine, out + ".tif")
        gmt("grdimage", theirs, "-C" + cpt, "-JX10c", "-A" + out + ".gmt.tif", cwd=folder)
        compare(check, what, out + ".tif", out + ".gmt.tif", 2, 0.99)


def check_equalized(check, folder):
    """Each bound of 10 equalized classes against grd2cpt's, within one step between the grid's
    values (its rounding)."""
    with open(os.path.join(folder, "ten.tsl"), "w") as f:
        f.write('&wo %s\nshadecolorramp 1 10 "red" "blue"\nshadesave ten\n' % folder)
    common.tesselcmd(os.path.join(folder, "ten.tsl"))
    for name, (path, theirs, settings) in grids(folder).items():
        out = os.path.join(folder, name + ".eq.cpt")
        common.tesselcmd(*settings, "--set", ".gridclasses=equalized", "--grid", path, "--export", "cpt",
                         os.path.join(folder, "ten.shd"), out)
        run = subprocess.run(["gmt", "grd2cpt", theirs, "-Cgray", "-E11+c"], capture_output=True, text=True)
        gmt_bounds = [float(line.split()[0]) for line in run.stdout.splitlines() if line[:1] not in "#BFN"]
        with open(out) as f:
            mine = [float(line.split()[0]) for line in f if line[:1] not in "#BFN"]
        values = numpy.unique(gdal.Open(path if "?" not in theirs else 'NETCDF:"%s":Topo' % path).ReadAsArray())
        values = values[numpy.isfinite(values)]
        for k, (a, b) in enumerate(zip(mine, gmt_bounds)):
            at = min(max(numpy.searchsorted(values, b), 1), len(values) - 1)
            step = values[at] - values[at - 1]  # between the grid's values around the bound
            check.expect(abs(a - b) <= step, "%s equalized bound %d: Tessel %r, grd2cpt %r" % (name, k, a, b))
        check.expect(len(mine) == len(gmt_bounds) == 10, "%s: %d bounds, grd2cpt %d" % (name, len(mine), len(gmt_bounds)))


if __name__ == "__main__":
    check = common.Check()
    shade = os.path.join(sys.argv[2], "shades", "elev999.shd")
    with tempfile.TemporaryDirectory() as folder:
        check_reliefs(check, folder, shade)
        check_geo(check, folder)
        check_equalized(check, folder)
    check.close()
