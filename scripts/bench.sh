#!/usr/bin/env bash
# Builds Huewright and runs its benchmarks: start-up against a bare window (in a private X
# server, to each window's map event), construction, display and palette loading.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}" libbenchmark-dev libx11-dev xvfb gmt gdal-bin time
build "$top/build" -DHUEWRIGHT_BENCHMARKS=ON
work="$(mktemp -d)"
Xvfb -displayfd 5 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset 5>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work"
QT_QPA_PLATFORM=offscreen "$top/build/bench/bench_huewright" "$@"
# Big palette files against GMT, and maps of a big grid against GMT and GDAL, each program run
# whole.
/usr/bin/python3 "$top/bench/big_palettes.py" "$top/build/tessel/tesselcmd"
/usr/bin/python3 "$top/bench/big_grid.py" "$top/build/tessel/tesselcmd" "$top/build/huewright/tools/terrain.tif"
