#!/usr/bin/env bash
# Builds the unit tests under AddressSanitizer and UndefinedBehaviorSanitizer in their own
# build folder and runs them; any report fails the run.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}"
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# MapLibre's check uses the package test.sh installed into the main build folder.
build "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DHUEWRIGHT_NODE_MODULES="$top/build/npm/node_modules"
# Some tests load the failio library before the sanitizer's runtime.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:verify_asan_link_order=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0"
cd "$top/build-asan"
ctest --output-on-failure --timeout 300 -E "tst_acceptance|tst_package"
