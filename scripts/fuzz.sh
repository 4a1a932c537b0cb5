#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed number of runs from the
# seed corpus in fuzz/corpus; a crash, hang or sanitizer report fails the run.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev
CC=clang CXX=clang++ build "$top/build-fuzz" -DHUEWRIGHT_FUZZ=ON
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="detect_leaks=1"
run() { # target runs max_len
    mkdir -p "$work/$1"
    echo "fuzzing $1 for $2 runs"
    "$top/build-fuzz/fuzz/$1" -runs="$2" -seed=1 -max_len="$3" -timeout=10 \
        -artifact_prefix="$work/" "$work/$1" "$top/fuzz/corpus/${1#fuzz_}" </dev/null \
        >"$work/$1.log" 2>&1 || { tail -40 "$work/$1.log"; echo "fuzz: $1 failed" >&2; exit 1; }
    tail -1 "$work/$1.log"
}
run fuzz_shd 200000 4096
run fuzz_command 60000 1024
echo "fuzz: 2 passed, 0 failed"
