#!/usr/bin/env bash
# Builds Huewright and starts it from its install tree (build/huewright).
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}"
build "$top/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "huewright: no display server (neither DISPLAY nor WAYLAND_DISPLAY is set); built $top/build/huewright/tools/huewright" >&2
    exit 1
fi
exec "$top/build/huewright/tools/huewright"
