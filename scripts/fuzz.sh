#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed number of runs from the
# seed corpus in fuzz/corpus, each in a current folder of its own inside a temporary folder;
# a crash, hang or sanitizer report fails the run.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev
CC=clang CXX=clang++ build "$top/build-fuzz" -DHUEWRIGHT_FUZZ=ON
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="detect_leaks=1"
run() { # target runs max_len
    mkdir -p "$work/$1/corpus" "$work/$1/cwd"
    echo "fuzzing $1 for $2 runs"
    (cd "$work/$1/cwd" && "$top/build-fuzz/fuzz/$1" -runs="$2" -seed=1 -max_len="$3" \
        -timeout=10 -artifact_prefix="$work/" "$work/$1/corpus" "$top/fuzz/corpus/${1#fuzz_}" \
        </dev/null >"$work/$1.log" 2>&1) || { tail -40 "$work/$1.log"; echo "fuzz: $1 failed" >&2; exit 1; }
    tail -1 "$work/$1.log"
}

# The sandbox first: commands aimed outside the fuzzer's folder must leave nothing there.
outside="$work/outside"
mkdir -p "$outside" "$work/escape"
printf '%s\n' 'shadecolorramp 1 2 "red" "blue"' "shadeexport cpt $outside/a.cpt" \
    'shadeexport cpt ../../outside/b.cpt' "&wo $outside" 'shadesave c' '&wo ..' 'shadesave d' \
    >"$work/escape.txt"
(cd "$work/escape" && "$top/build-fuzz/fuzz/fuzz_command" "$work/escape.txt" >/dev/null 2>&1)
escaped="$(find "$outside" "$work/escape" -mindepth 1)"
if [ -n "$escaped" ]; then
    echo "fuzz: fuzz_command wrote outside its folder: $escaped" >&2
    exit 1
fi

run fuzz_shd 200000 4096
run fuzz_import 200000 4096
run fuzz_command 60000 1024
echo "fuzz: 3 passed, 0 failed"
