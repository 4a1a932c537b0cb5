#!/usr/bin/env bash
# Builds Huewright and runs every test.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# The acceptance test drives the real window in a private X server.
TEST_PACKAGES=(xvfb xdotool libx11-dev)
bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build "$top/build"
cd "$top/build"
ctest --output-on-failure --timeout 300
