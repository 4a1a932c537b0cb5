"""Loads two big palette files in tesselcmd and in GMT (`gmt makecpt -C FILE`, the program
people would compare with), best of three whole runs each, and prints the time and peak
memory of both and their ratios. Run by scripts/bench.sh: python3 big_palettes.py TESSELCMD."""
import os
import random
import shutil
import subprocess
import sys
import tempfile


def make_files(folder):
    """A table of 400,000 slices (14 MB), and 16 MiB of comment lines before one slice and
    after it (GMT reads the second far faster)."""
    random.seed(1)
    slices = os.path.join(folder, "slices.cpt")
    with open(slices, "w") as f:
        for i in range(400000):
            c = [random.randrange(256) for _ in range(6)]
            f.write("%d %d/%d/%d %d %d/%d/%d\n" % (i, *c[:3], i + 1, *c[3:]))
    comments = os.path.join(folder, "comments.cpt")
    after = os.path.join(folder, "after.cpt")
    lines = "#\n" * ((16 * 1024 * 1024 - 64) // 2)  # the most lines 16 MiB can hold
    with open(comments, "w") as f:
        f.write(lines + "0 red 1 blue\n")
    with open(after, "w") as f:
        f.write("0 red 1 blue\n" + lines)
    return {"400,000 slices": slices, "16 MiB of comments": comments, "then 16 MiB of them": after}


def run(args, stdin=None):
    """Seconds and peak resident KiB of one whole run, as GNU time measures them: the peak a
    child of this process reports itself would count this process's own pages too."""
    with tempfile.NamedTemporaryFile("r") as measured:
        child = subprocess.run(["/usr/bin/time", "-f", "%e %M", "-o", measured.name, *args],
                               input=stdin or b"", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if child.returncode != 0:
            sys.exit("%s failed" % " ".join(args))
        seconds, kib = measured.read().split()
    return float(seconds), int(kib)


def best(args, stdin=None):
    runs = [run(args, stdin) for _ in range(3)]
    return min(t for t, _ in runs), min(m for _, m in runs)


if __name__ == "__main__":
    if not shutil.which("gmt"):
        sys.exit("GMT is not installed (Debian package gmt): nothing to compare with")
    with tempfile.TemporaryDirectory() as folder:
        print("%-20s %22s %22s %14s" % ("file", "tesselcmd", "gmt makecpt -C", "ratio t / mem"))
        for what, path in make_files(folder).items():
            tessel = best([sys.argv[1]], ("shadeset %s\n" % path).encode())
            gmt = best(["gmt", "makecpt", "-C" + path])
            print("%-20s %9.2f s %7.0f MiB %9.2f s %7.0f MiB %6.2f / %.2f" % (
                what, tessel[0], tessel[1] / 1024, gmt[0], gmt[1] / 1024, tessel[0] / gmt[0], tessel[1] / gmt[1]))
