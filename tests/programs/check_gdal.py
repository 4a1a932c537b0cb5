"""gdaldem color-relief, through GDAL's Python binding, colours a raster of symbol numbers
with Tessel's export: every symbol exact, undefined ones transparent with -alpha and in the
colour of the symbol below without it."""
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


check = common.Check()
common.check_exports(check, "txt", lambda p, f, l: drawn(p, f, l, True), lambda below, c: c[3] == 0)
common.check_exports(check, "txt", lambda p, f, l: drawn(p, f, l, False), lambda below, c: c[:3] == below)
check.close()
