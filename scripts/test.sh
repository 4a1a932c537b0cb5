#!/usr/bin/env bash
# Builds Huewright and runs every test: the test suite (with the acceptance test in a
# private X server), the unit tests under the sanitizers, and the fuzz targets.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# The acceptance test drives the real window in a private X server.
TEST_PACKAGES=(xvfb xdotool libx11-dev libbenchmark-dev)
bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
# The export tests also hand files to GDAL and GMT; without them those checks are skipped.
bash "$top/scripts/deps.sh" gdal-bin gmt ||
    echo "gdal-bin and gmt could not be installed: the tests that run them will say so and skip"
# The benchmarks are built, so they keep compiling, but not run: scripts/bench.sh runs them.
build "$top/build" -DHUEWRIGHT_BENCHMARKS=ON
(cd "$top/build" && ctest --output-on-failure --timeout 300)

# The unit tests again under AddressSanitizer and UBSan, then the fuzz targets.
bash "$top/scripts/sanitize.sh"
bash "$top/scripts/fuzz.sh"
