#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the workbench and the plug-in (RelWithDebInfo, no sanitizers) and runs the headless
# guided commissioning (workbench --auto) under valgrind's memcheck, with the suppressions for
# Qt's and the platform's own one-time allocations (bench/valgrind.supp). Prints the leak and
# error summaries and the run time; the full report is memcheck.log in the build directory.
# Fails when the run fails, when memory is definitely lost or when memcheck reports an error.
# Further arguments go to the workbench, e.g. --encoder-resolution 8192 --encoder-reversed.
# Build directory: $GV7_MEMCHECK_BUILD, by default build-memcheck in the source tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" valgrind
build=${GV7_MEMCHECK_BUILD:-$root/build-memcheck}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGV7_SANITIZE=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target workbench

log="$build/memcheck.log"
start=$(date +%s)
status=0
# Qt's regular expressions compile to machine code that memcheck cannot follow (false reports of
# uninitialised values); the interpreter does the same work.
QT_QPA_PLATFORM=offscreen QT_ENABLE_REGEXP_JIT=0 valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite --error-exitcode=99 --num-callers=40 \
    --suppressions="$root/bench/valgrind.supp" --log-file="$log" \
    "$build/workbench/workbench" --auto "$@" >"$build/memcheck-output.log" 2>&1 || status=$?
end=$(date +%s)

sed -n '/HEAP SUMMARY/,$p' "$log" | sed 's/^==[0-9]*== //'
echo "Run time under memcheck: $((end - start)) s (report: $log, the run's own output: $build/memcheck-output.log)"
case $status in
0) echo "memcheck: no memory definitely lost, no errors." ;;
99) echo "memcheck: errors or memory definitely lost; see $log." ;;
*) echo "memcheck: the guided run failed (exit code $status)." ;;
esac
exit $status
