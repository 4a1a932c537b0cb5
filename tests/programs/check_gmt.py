"""GMT's grdimage paints a grid of symbol numbers with Tessel's export: every symbol exact,
undefined ones not painted (the page shows, white)."""
import os
import shutil
import subprocess
import tempfile

import common

if not shutil.which("gmt"):
    common.skip("GMT is not installed (Debian package gmt)")


def gmt(*args, cwd):
    run = subprocess.run(["gmt", *args], cwd=cwd, capture_output=True, text=True)
    if run.returncode != 0 or "ERROR" in run.stderr:
        raise RuntimeError("gmt %s: %s" % (args[0], run.stderr))


def paint(cpt, values):
    """The colours grdimage paints for `values` with `cpt`, as (r, g, b, 255)."""
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "z.xyz"), "w") as f:
            f.writelines("%d %d %r\n" % (i, y, z) for y in (0, 1) for i, z in enumerate(values))
        gmt("xyz2grd", "z.xyz", "-R0/%d/0/1" % (len(values) - 1), "-I1", "-Gz.nc=nd", cwd=folder)
        gmt("grdimage", "z.nc", "-JX10c/1c", "-C" + cpt, "-Aout.ppm", cwd=folder)
        with open(os.path.join(folder, "out.ppm"), "rb") as f:
            pixels = f.read()[-6 * len(values):]  # the last of the two rows
    return [tuple(pixels[3 * i:3 * i + 3]) + (255,) for i in range(len(values))]


if __name__ == "__main__":
    check = common.Check()
    common.check_exports(check, "cpt", lambda p, f, l: paint(p, range(f, l + 1)),
                         lambda below, c: c[:3] == (255, 255, 255))
    check.close()
