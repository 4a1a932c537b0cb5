"""NCL's read_colormap_file reads Tessel's colour maps back exactly, and every colour map NCL
ships loads in Tessel within 1 level of NCL's colours: as a list, and spread over 20 and 300
symbols as NCL spreads a map over a plot's levels (gsn's spread_colors)."""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

import common

if not shutil.which("ncl"):
    common.skip("NCL is not installed (Debian package ncl-ncarg)")
SPREADS = (20, 300)


def ncl_colours(paths, folder):
    """The colours NCL reads from each of `paths`, each list followed by it spread over each of
    SPREADS, as (r, g, b) from 0 to 255."""
    script = os.path.join(folder, "read.ncl")
    with open(script, "w") as f:
        f.write("begin\n  files = (/%s/)\n  do i = 0, dimsizes(files) - 1\n"
                "    c = read_colormap_file(files(i))\n    n = dimsizes(c(:, 0))\n"
                "    write_matrix(c, \"4f16.10\", True)\n" % ", ".join('"%s"' % p for p in paths)
                + "".join("    write_matrix(c(tointeger(fspan(0, n - 1, %d) + 0.5), :), \"4f16.10\", True)\n" % m
                          for m in SPREADS) + "    delete(c)\n  end do\nend\n")
    out = subprocess.run(["ncl", "-Q", "-n", script], capture_output=True, text=True).stdout
    return [[255 * float(x) for x in line.split()[:3]] for line in out.splitlines() if len(line.split()) == 4]


def tessel_colours(paths, folder, symbols=None):
    lines = ["&s .importsymbols = %s" % (symbols or "")]
    for i, path in enumerate(paths):
        lines += ["shadeset " + path, "shadeexport gdal %s/%d.txt" % (folder, i)]
    common.tesselcmd(stdin="\n".join(lines))
    return [[c[:3] for _, c in sorted(common.read_gdal("%s/%d.txt" % (folder, i)).items())] for i in range(len(paths))]


def check_exports(check, folder):
    tables = {"palette": ["shadeset %s/tools/colornames.shd" % sys.argv[2]],
              "ramp": ['shadecolorramp 1 256 "navy" "gold"'], "dark": ['shadecolorramp 1 9 "#000000" "#010101"']}
    common.tesselcmd(stdin="\n".join(["&wo " + folder] + [line for name, commands in tables.items() for line in (
        "shadedelete ALL", *commands, "shadesave " + name, "shadeexport ncl %s.rgb" % name)]))
    read = ncl_colours(["%s/%s.rgb" % (folder, name) for name in tables], folder)
    exact = [c for name in tables for colours in [list(common.read_shd("%s/%s.shd" % (folder, name)).values())]
             for c in colours + [colours[round(k * (len(colours) - 1) / (m - 1) + 1e-9)] for m in SPREADS for k in range(m)]]
    check.expect(len(read) == len(exact), "NCL read %d colours of %d" % (len(read), len(exact)))
    for k, (a, b) in enumerate(zip(exact, read)):
        check.expect(all(round(y) == x for x, y in zip(a, b)), "exported colour %d: Tessel %s, NCL %s" % (k, a, b))


check = common.Check()
with tempfile.TemporaryDirectory() as folder:
    check_exports(check, folder)
    maps = sorted(glob.glob("/usr/share/ncarg/colormaps/*"))
    check.expect(len(maps) >= 300, "NCL ships %d colour maps" % len(maps))
    theirs = ncl_colours(maps, folder)
    mine = []
    for lists in zip(tessel_colours(maps, folder), *(tessel_colours(maps, folder, m) for m in SPREADS)):
        mine += [c for colours in lists for c in colours]
    check.expect(len(mine) == len(theirs), "%d colours in Tessel, %d in NCL" % (len(mine), len(theirs)))
    for k, (a, b) in enumerate(zip(mine, theirs)):
        check.expect(all(abs(x - y) <= 1 for x, y in zip(a, b)), "colour %d: Tessel %s, NCL %s" % (k, a, b))
check.close()
