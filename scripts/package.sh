#!/usr/bin/env bash
# Builds the Debian package build/huewright_<version>_amd64.deb: the program laid out as a
# system package, built with Debian's hardening flags, its dependencies Debian's own
# packages (dpkg-shlibdeps). Its own build folder is build-package.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$top/scripts/deps.sh" "${BUILD_PACKAGES[@]}" dpkg-dev
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
build "$top/build-package" -DHUEWRIGHT_PACKAGE=ON -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
rm -f "$top"/build-package/huewright_*.deb
(cd "$top/build-package" && cpack >/dev/null)
mkdir -p "$top/build"
cp "$top"/build-package/huewright_*_amd64.deb "$top/build/"
echo "package: $(ls "$top"/build/huewright_*_amd64.deb)"
