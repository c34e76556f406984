#!/usr/bin/env bash
# Builds the Debian package from the sources in a fresh build folder (build-package, or
# $GV7_PACKAGE_BUILD) and prints the path of the .deb. Install it with
#   sudo apt install ./build-package/generic-v7_<version>_<arch>.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# dpkg-shlibdeps works out the dependencies; CPack finds the binaries with file.
"$root/scripts/install-deps.sh" dpkg-dev file
build=${GV7_PACKAGE_BUILD:-$root/build-package}
rm -rf "$build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DGV7_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >"$build/cpack.log" 2>&1) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$build"/*.deb)
echo "$deb"
