#!/usr/bin/env bash
# Builds Huewright and runs every test: the test suite (with the acceptance test in a
# private X server and the checks by GMT, GDAL, QGIS and ParaView), the unit tests under the
# sanitizers, and the fuzz targets. Fails when the run leaves anything in the checkout.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# What the checkout holds beyond what is committed, file by file (build folders are ignored).
tree_state() {
    git -C "$top" rev-parse --is-inside-work-tree >/dev/null 2>&1 || return 0
    git -C "$top" status --porcelain --untracked-files=all -z |
        while IFS= read -r -d '' entry; do
            printf '%s %s\n' "$entry" "$(git -C "$top" hash-object -- "${entry:3}" 2>/dev/null)"
        done
}
before="$(tree_state)"

# The acceptance test drives the real window in a private X server; the package test builds
# the Debian package and checks it with Debian's own tools.
TEST_PACKAGES=(xvfb xdotool libx11-dev libbenchmark-dev dpkg-dev lintian desktop-file-utils
    appstream man-db)
bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
# The programs the exports are made for (GMT, GDAL, GRASS, NCL, QGIS, ParaView, GIMP, gnuplot)
# check them, and the colour-science oracles check the perceptual ramps and the check; without
# them those checks are skipped.
PROGRAMS=(gdal-bin gmt grass-core ncl-ncarg python3-gdal python3-qgis paraview python3-paraview gimp
    gnuplot-nox python3-colorcet python3-colorspacious node-chroma-js nodejs npm liblcms2-2)
bash "$top/scripts/deps.sh" "${PROGRAMS[@]}" ||
    echo "${PROGRAMS[*]} could not all be installed: the tests that need them will say so and skip"
# The benchmarks are built, so they keep compiling, but not run: scripts/bench.sh runs them.
build "$top/build" -DHUEWRIGHT_BENCHMARKS=ON
# MapLibre's style-spec package checks the MapLibre layers; it lives in the build folder.
npm install --no-save --no-audit --no-fund --prefix "$top/build/npm" \
    @maplibre/maplibre-gl-style-spec@26.11.0 >/dev/null ||
    echo "@maplibre/maplibre-gl-style-spec could not be installed: MapLibre's check will skip"
(cd "$top/build" && ctest --output-on-failure --timeout 600)

# The unit tests again under AddressSanitizer and UBSan, then the fuzz targets.
bash "$top/scripts/sanitize.sh"
bash "$top/scripts/fuzz.sh"

after="$(tree_state)"
if [ "$before" != "$after" ]; then
    echo "test: the run left files in the checkout:" >&2
    diff <(echo "$before") <(echo "$after") >&2 || true
    exit 1
fi
echo "test: all passed; the checkout is as it was"
