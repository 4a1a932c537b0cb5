# Shared by run.sh and test.sh: the packages to build with, and the build itself.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-qpa-plugins libgl-dev libfontconfig-dev libgdal-dev fonts-dejavu-core
    fonts-liberation)

top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

build() {
    local dir="$1"; shift
    cmake -S "$top" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
