#!/usr/bin/env bash
# Builds the Debian package from the sources in a fresh build folder (build-package, or
# $GV7_PACKAGE_BUILD) and prints the path of the .deb. Install it with
#   sudo apt install ./generic-v7_<version>_<arch>.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" dpkg-dev fakeroot file
build=${GV7_PACKAGE_BUILD:-$root/build-package}
rm -rf "$build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DGV7_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/*.deb)
echo "$deb"
