#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks (Release) and runs them: the plug-in's start-up against building its
# four forms, the reply relay against a direct setValue, and the headless guided run's CPU
# time and peak memory. Prints a table of medians. Before that, physicsbench prints the
# simulated motor's cost per simulated millisecond and comparisonbench the wall time of one
# comparison of the three presets. Arguments go to gv7bench:
#     --runs N (fresh processes per start-up case), --guided-runs N,
#     --relay-batches N, --relay-answers N
# With --scope first it runs scopebench instead: the workbench's CPU load with and without the
# scope; its arguments: --runs N, --seconds S, --poll-ms N, --window-s W.
# Build directory: $GV7_BENCH_BUILD, by default build-bench in the source tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${GV7_BENCH_BUILD:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DGV7_SANITIZE=OFF >/dev/null
if [ "${1:-}" = "--scope" ]; then
    shift
    cmake --build "$build" -j"$(nproc)" --target scopebench
    exec "$build/bench/scopebench" "$@"
fi
cmake --build "$build" -j"$(nproc)" --target gv7bench physicsbench comparisonbench
"$build/bench/physicsbench"
"$build/bench/comparisonbench"
exec "$build/bench/gv7bench" "$@"
