"""What the checks by the real programs share: the shadesets they are given, made and
exported by tesselcmd, and how a check reports. Run by CTest: python3 SCRIPT TESSELCMD STAGE."""
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77  # CTest's skip code for these tests

# The programs keep settings and imported presets in the home folder: give them a new one.
_home = tempfile.TemporaryDirectory()
for _variable in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
    os.environ[_variable] = _home.name

# name -> Tessel commands; the palette comes from the install tree.
TABLES = {
    "ramp999": ['shadecolorramp 1 500 "blue" "yellow"', 'shadecolorramp 500 500 "yellow" "red"'],
    "gaps": ['shadecolorramp 1 3 "blue" "cyan"', 'shadecolorramp 7 2 "yellow" "red"',
             'shadecolorramp 10 1 "green" "green"'],
    "ramp1001": ['shadecolorramp 1 334 "dark green" "khaki"', 'shadecolorramp 334 334 "khaki" "sienna"',
                 'shadecolorramp 668 334 "sienna" "snow"'],
}


def skip(message):
    print("SKIP: " + message)
    sys.exit(SKIP)


def tesselcmd(*args, stdin=None):
    run = subprocess.run([sys.argv[1], *args], input=stdin, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("tesselcmd %s failed: %s" % (" ".join(args), run.stderr))
    return run.stdout


def read_shd(path):
    """The symbols of a .shd file: {symbol: (r, g, b)}."""
    with open(path, encoding="utf-8") as f:
        lines = [line.split() for line in f if line.strip() and not line.startswith("#")]
    return {int(w[0]): tuple(map(int, w[1:])) for w in lines[3:]}


def read_gdal(path):
    """The entries of a gdaldem colour file as Tessel exports it: {value: (r, g, b, a)}."""
    with open(path, encoding="utf-8") as f:
        rows = [line.split() for line in f if line[0].isdigit()]
    return {int(w[0]): tuple(map(int, w[1:])) for w in rows}


# Tessel's export formats and the extensions it gives their files.
EXTENSIONS = {"cpt": "cpt", "gdal": "txt", "grass": "rules", "qgis": "xml", "paraview": "json", "svg": "svg",
              "ggr": "ggr", "gnuplot": "gpf", "qgiscolormap": "txt", "qml": "qml", "maplibre": "json"}


def make_tables(folder, form):
    """Builds the shadesets in `folder`, exports each in format `form`, and returns
    {path of the export: {symbol: (r, g, b)}}."""
    for name, commands in TABLES.items():
        tesselcmd(stdin="\n".join(["&wo " + folder, "shadedelete ALL", *commands, "shadesave " + name]))
    shutil.copy(os.path.join(sys.argv[2], "tools", "colornames.shd"), os.path.join(folder, "palette.shd"))
    shadesets = sorted(n for n in os.listdir(folder) if n.endswith(".shd"))
    tesselcmd("--export", form, *[os.path.join(folder, n) for n in shadesets], folder)
    return {os.path.join(folder, n[:-3] + EXTENSIONS[form]): read_shd(os.path.join(folder, n)) for n in shadesets}


class Check:
    """Counts the comparisons and keeps the failures; close() reports them and exits."""

    def __init__(self):
        self.count, self.failures = 0, []

    def expect(self, ok, what):
        self.count += 1
        self.failures += [] if ok else [what]

    def close(self):
        print("\n".join("FAIL: " + f for f in self.failures[:20]) + "\n%d checks, %d failed" % (self.count, len(self.failures)))
        sys.exit(1 if self.failures else 0)


def check_exports(check, form, drawn, gap):
    """Hands every table's export to `drawn(path, first, last)`, which returns the colours the
    program gives the symbols from first to last as (r, g, b, a), and checks each defined
    symbol's exact colour and, at undefined ones, `gap(colour below, colour drawn)`."""
    with tempfile.TemporaryDirectory() as folder:
        for path, symbols in make_tables(folder, form).items():
            first, last = min(symbols), max(symbols)
            colours = drawn(path, first, last)
            below = symbols[first]
            for s in range(first, last + 1):
                name = "%s symbol %d: drew %s" % (os.path.basename(path), s, colours[s - first])
                if s in symbols:
                    below = symbols[s]
                    check.expect(tuple(colours[s - first]) == below + (255,), name + ", not %s" % (below,))
                else:
                    check.expect(gap(below, tuple(colours[s - first])), name + " in a gap")
