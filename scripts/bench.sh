#!/usr/bin/env bash
# Builds Huewright and runs its benchmarks (start-up, construction, display).
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}" libbenchmark-dev
build "$top/build" -DHUEWRIGHT_BENCHMARKS=ON
QT_QPA_PLATFORM=offscreen "$top/build/bench/bench_huewright" "$@"
