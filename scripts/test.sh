#!/usr/bin/env bash
# Builds Huewright and runs every test.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}"
build "$top/build"
cd "$top/build"
ctest --output-on-failure --timeout 300
