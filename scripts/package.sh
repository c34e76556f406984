#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages from the sources in a fresh build folder (build-package, or
# $GV7_PACKAGE_BUILD), checks them with lintian and prints the paths of the three .deb files:
# generic-v7 (workbench and plug-in), librerezorhost1 (host library), librerezorhost-dev (for
# building plug-ins). Install the first two with
#   sudo apt install ./build-package/generic-v7_*.deb ./build-package/librerezorhost1_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# dpkg-buildflags gives the hardening flags (cmake/hardening.cmake), dpkg-shlibdeps works out the
# dependencies and dpkg-gensymbols the library's symbols, CPack finds the binaries with file,
# help2man makes the manual page, lintian checks the result, pedantic and informational tags too.
"$root/scripts/install-deps.sh" dpkg-dev file help2man lintian
build=${GV7_PACKAGE_BUILD:-$root/build-package}
rm -rf "$build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DGV7_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >"$build/cpack.log" 2>&1) || { cat "$build/cpack.log"; exit 1; }
lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$build"/*.deb >&2
ls "$build"/*.deb
