#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree as a user and a
# plug-in author meet it: the installed workbench runs the guided commissioning with the plug-in
# installed beside it, a plug-in of another author builds against the installed host library
# with find_package(RerezorHost) and the installed workbench loads it. Changes nothing outside
# the temporary folder.
# Usage: installcheck.sh BUILD_DIR CONSUMER_SOURCE_DIR CMAKE CXX_COMPILER RUN_PATH(ON|OFF)
set -euo pipefail
build=$1 consumer=$2 cmake=$3 cxx=$4 runpath=$5
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

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

"$cmake" -S "$consumer" -B "$tmp/consumer" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=Release >"$tmp/configure.log" 2>&1 || fail "configuring the consumer: $(cat "$tmp/configure.log")"
"$cmake" --build "$tmp/consumer" >"$tmp/build.log" 2>&1 || fail "building the consumer: $(cat "$tmp/build.log")"
out=$("$workbench" --plugin "$tmp/consumer/libconsumerplugin.so" --firmware 7391 --open 1 --screenshot "$tmp/shot.png" 2>&1) \
    || fail "the workbench did not run the consumer plug-in: $out"
grep -q "consumer tool made for 7391, firmware 7391" <<<"$out" || fail "no consumer tool in: $out"
[ -s "$tmp/shot.png" ] || fail "no picture of the workbench with the consumer plug-in"

# The installed workbench must not fall back on the build's plug-in.
rm "$plugin"
if out=$("$workbench" --screenshot "$tmp/none.png" 2>&1); then
    fail "the workbench started without its installed plug-in"
fi
grep -qF "cannot load the plug-in $plugin" <<<"$out" || fail "unexpected message without the plug-in: $out"
echo "installed tree, consumer plug-in and plug-in lookup: ok"
