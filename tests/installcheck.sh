#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the installed tree as a user and a
# plug-in author meet it: the installed workbench runs the guided commissioning with the plug-in
# installed beside it, a plug-in of another author builds against the installed host library
# with the CMakeLists.txt the manual prints and the installed workbench loads it. Changes nothing outside
# the temporary folder. Then the same for the Debian packages of the build (cpack): the workbench
# runs from generic-v7 with librerezorhost1, librerezorhost-dev with librerezorhost1 alone builds
# the plug-in, the packaged binaries carry the distribution's hardening, and lintian (when
# installed) finds nothing, pedantic and informational tags included.
# Usage: installcheck.sh BUILD_DIR CONSUMER_SOURCE_DIR CMAKE CXX_COMPILER RUN_PATH(ON|OFF) CPACK MULTIARCH
#        SANITIZED(ON|OFF) HARDENED(ON|OFF) INSTALLING_MD
set -euo pipefail
build=$1 consumer=$2 cmake=$3 cxx=$4 runpath=$5 cpack=$6 multiarch=$7 sanitized=$8 hardened=$9 doc=${10}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

# A plug-in author's project: the example's sources with the CMakeLists.txt exactly as the manual
# prints it, the indented block under its heading.
mkdir "$tmp/mytools"
cp "$consumer"/mytools.cpp "$consumer"/mytools.h "$tmp/mytools/"
awk '/^## Writing a tools plug-in/ { on = 1; next }
     on && /^    / { print substr($0, 5); block = 1; next }
     on && block && !/^$/ { exit }' "$doc" >"$tmp/mytools/CMakeLists.txt"
grep -q '^add_library(mytools ' "$tmp/mytools/CMakeLists.txt" || fail "no CMakeLists.txt for mytools in $doc"

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
workbench=$prefix/bin/workbench
plugin=$(find "$prefix" -path '*/rerezor/plugins/tools/libgenericv7.so')
[ -n "$plugin" ] || fail "the plug-in is not installed under */rerezor/plugins/tools"
if [ "$runpath" != ON ]; then
    # Configured for the system's library folder (as for the Debian package): no run path, the
    # library is found there or through the loader's path.
    export LD_LIBRARY_PATH=$(dirname "$(find "$prefix" -name 'librerezorhost.so.1')")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
fi
for binary in "$workbench" "$plugin"; do
    found=$(ldd "$binary" | awk '$1 == "librerezorhost.so.1" && $3 ~ /^\// { print $3 }')
    [[ -n "$found" && $(readlink -f "$found") == "$prefix"/* ]] \
        || fail "$binary does not find the installed host library: $(ldd "$binary" | grep rerezorhost)"
done
for file in share/applications/generic-v7-workbench.desktop share/icons/hicolor/scalable/apps/generic-v7-workbench.svg \
            share/man/man1/workbench.1.gz; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done

# The workbench's children run without the leak checker, as in the other tests.
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
# No user settings are read or written by --auto; the home folder stays out of it anyway.
export XDG_CONFIG_HOME=$tmp/config

out=$(cd "$tmp" && "$workbench" --auto --time-scale 4 2>&1) || fail "installed workbench --auto failed: $out"
grep -q "Closed loop ready to use." <<<"$out" || fail "no ready closed loop in: $out"

"$cmake" -S "$tmp/mytools" -B "$tmp/consumer" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=Release >"$tmp/configure.log" 2>&1 || fail "configuring the consumer: $(cat "$tmp/configure.log")"
"$cmake" --build "$tmp/consumer" >"$tmp/build.log" 2>&1 || fail "building the consumer: $(cat "$tmp/build.log")"
out=$("$workbench" --plugin "$tmp/consumer/libmytools.so" --firmware 7391 --open 1 --screenshot "$tmp/shot.png" 2>&1) \
    || fail "the workbench did not run the consumer plug-in: $out"
grep -q "consumer tool made for 7391, firmware 7391" <<<"$out" || fail "no consumer tool in: $out"
[ -s "$tmp/shot.png" ] || fail "no picture of the workbench with the consumer plug-in"

# The installed workbench must not fall back on the build's plug-in.
rm "$plugin"
if out=$("$workbench" --screenshot "$tmp/none.png" 2>&1); then
    fail "the workbench started without its installed plug-in"
fi
grep -qF "cannot load the plug-in $plugin" <<<"$out" || fail "unexpected message without the plug-in: $out"

# The packages, unpacked each into its own tree as dpkg would install them.
"$cpack" --config "$build/CPackConfig.cmake" -B "$tmp/packages" >"$tmp/cpack.log" 2>&1 \
    || fail "cpack: $(cat "$tmp/cpack.log")"
deb() { ls "$tmp/packages/$1"_*.deb; }
unpack() { local dir=$1; shift; for p in "$@"; do dpkg-deb -x "$(deb "$p")" "$dir"; done; }
unpack "$tmp/app" generic-v7 librerezorhost1
unpack "$tmp/dev" librerezorhost1 librerezorhost-dev
libdir=usr/lib/$multiarch
for file in usr/bin/workbench $libdir/rerezor/plugins/tools/libgenericv7.so $libdir/librerezorhost.so.1 \
            usr/share/man/man1/workbench.1.gz usr/share/doc/generic-v7/copyright usr/share/doc/librerezorhost1/copyright \
            usr/share/doc/generic-v7/changelog.Debian.gz; do
    [ -e "$tmp/app/$file" ] || fail "$file is not in generic-v7 or librerezorhost1"
done
for file in $libdir/librerezorhost.so $libdir/cmake/RerezorHost/RerezorHostConfig.cmake usr/include/rerezorhost/toolsinterface.h; do
    [ -e "$tmp/dev/$file" ] || fail "$file is not in librerezorhost-dev"
    [ ! -e "$tmp/app/$file" ] || fail "$file is in generic-v7 or librerezorhost1"
done
for binary in "$tmp/app/usr/bin/workbench" "$tmp/app/$libdir/rerezor/plugins/tools/libgenericv7.so"; do
    ! readelf -d "$binary" | grep -qE 'RPATH|RUNPATH' || fail "$binary in a package has a run path"
done
out=$(LD_LIBRARY_PATH=$tmp/app/$libdir "$tmp/app/usr/bin/workbench" --auto --time-scale 4 2>&1) \
    || fail "the packaged workbench --auto failed: $out"
grep -q "Closed loop ready to use." <<<"$out" || fail "no ready closed loop from the packaged workbench: $out"
# The manual page is made from --help: every option is in it.
manual=$(zcat "$tmp/app/usr/share/man/man1/workbench.1.gz")
for option in $("$workbench" --help | grep -oE '^ +--[a-z-]+' | sed 's/^ *//'); do
    grep -qF -- "${option//-/\\-}" <<<"$manual" || fail "the manual page lacks $option"
done
"$cmake" -S "$tmp/mytools" -B "$tmp/consumer-dev" -DCMAKE_PREFIX_PATH="$tmp/dev/usr" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=Release >"$tmp/configure-dev.log" 2>&1 \
    || fail "configuring the consumer against librerezorhost-dev: $(cat "$tmp/configure-dev.log")"
"$cmake" --build "$tmp/consumer-dev" >"$tmp/build-dev.log" 2>&1 \
    || fail "building the consumer against librerezorhost-dev: $(cat "$tmp/build-dev.log")"

# The distribution's hardening, checked as hardening-check and lintian do: relocations read-only
# and bound at start-up, the stack protector, and fortified C library calls wherever the binary
# makes calls that have a fortified form (but for the mem* functions, which the compiler leaves
# unfortified where it has proved the size).
if [ "$hardened" = ON ]; then
    libc=$(ldd "$tmp/app/usr/bin/workbench" | awk '$1 ~ /^libc\.so/ { print $3 }')
    readelf --dyn-syms -W "$libc" | grep -oE '__[a-z0-9_]+_chk' | sed -E 's/^__(.*)_chk$/\1/' | sort -u \
        | grep -vxE 'w?mem(cpy|move|set)' >"$tmp/fortifiable"
    for binary in "$tmp/app/usr/bin/workbench" "$tmp/app/$libdir/rerezor/plugins/tools/libgenericv7.so" \
                  "$tmp/app/$libdir/librerezorhost.so.1"; do
        readelf -lW "$binary" | grep -q GNU_RELRO || fail "$binary has no read-only relocations (relro)"
        readelf -dW "$binary" | grep -qE 'BIND_NOW|FLAGS_1.* NOW' || fail "$binary is not bound at start-up (bindnow)"
        imports=$(readelf --dyn-syms -W "$binary" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }')
        grep -qx __stack_chk_fail <<<"$imports" || fail "$binary has no stack protector"
        ! grep -qxFf "$tmp/fortifiable" <<<"$imports" || grep -qE '^__.+_chk$' <<<"$imports" \
            || fail "$binary calls the C library unfortified only"
    done
else
    echo "hardening not checked: the build has no hardening flags (a Debug or sanitizer build, or GV7_HARDENING off)"
fi

if [ "$sanitized" = ON ]; then
    echo "lintian skipped: a sanitizer build is not for packaging"
elif command -v lintian >/dev/null; then
    lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$tmp"/packages/*.deb \
        || fail "lintian found something"
else
    echo "lintian skipped: not installed (Debian package lintian)"
fi
echo "installed tree, consumer plug-in, plug-in lookup and Debian packages: ok"
