#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the project twice, plainly and with AddressSanitizer + UndefinedBehaviorSanitizer
# (leak detection on), and runs every test in both builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_odr_violation=0
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0:use_tls=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
for variant in plain sanitize; do
    build="$root/build-$variant"
    sanitize=OFF
    [ "$variant" = sanitize ] && sanitize=ON
    echo "=== $variant build"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGV7_SANITIZE=$sanitize >/dev/null
    cmake --build "$build" -j"$jobs"
    echo "=== $variant tests"
    (cd "$build" && ctest --output-on-failure -j"$jobs") || status=1
done
exit $status
