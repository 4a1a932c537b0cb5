"""gdaldem color-relief, through GDAL's Python binding, colours a raster of symbol numbers
with Tessel's export: every symbol exact, undefined ones transparent with -alpha and in the
colour of the symbol below without it. And a gdaldem file of every colour name gdaldem
knows loads in Tessel in gdaldem's colours."""
import os
import tempfile

import common

try:
    import numpy
    from osgeo import gdal
except ImportError:
    common.skip("GDAL's Python binding is not installed (Debian package python3-gdal)")
gdal.UseExceptions()


def drawn(path, first, last, alpha):
    grid = gdal.GetDriverByName("MEM").Create("", last - first + 1, 1, 1, gdal.GDT_Float64)
    grid.GetRasterBand(1).WriteArray(numpy.arange(first, last + 1, dtype="float64").reshape(1, -1))
    image = gdal.DEMProcessing("/vsimem/out.tif", grid, "color-relief", colorFilename=path, addAlpha=alpha)
    bands = [image.GetRasterBand(b + 1).ReadAsArray()[0] for b in range(image.RasterCount)]
    return [tuple(int(b[i]) for b in bands) + (() if alpha else (255,)) for i in range(len(bands[0]))]


def check_names(check):
    names = "white black red green blue yellow magenta cyan aqua grey gray orange brown purple violet indigo".split()
    with tempfile.TemporaryDirectory() as folder:
        path, out = os.path.join(folder, "names.txt"), os.path.join(folder, "out.txt")
        with open(path, "w") as f:
            f.writelines(["nv 0 0 0 0\n"] + ["%d %s\n" % (i, n.upper() if i % 2 else n) for i, n in enumerate(names)])
        common.tesselcmd(stdin="&s .importsymbols = %d\nshadeset %s\nshadeexport gdal %s\n" % (len(names), path, out))
        theirs = drawn(path, 0, len(names) - 1, False)
        for s, colour in common.read_gdal(out).items():
            check.expect(colour == theirs[s - 1], "%s: Tessel %s, gdaldem %s" % (names[s - 1], colour, theirs[s - 1]))


check = common.Check()
check_names(check)
common.check_exports(check, "gdal", lambda p, f, l: drawn(p, f, l, True), lambda below, c: c[3] == 0)
common.check_exports(check, "gdal", lambda p, f, l: drawn(p, f, l, False), lambda below, c: c[:3] == below)
check.close()
