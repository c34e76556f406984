#!/usr/bin/env bash
# Builds scopebench (Release) and runs it: the workbench with the Start Up window open and the
# motor moving, polling, with the scope open and without. Arguments go to scopebench:
#     --runs N (processes per case), --seconds S (measured per process), --poll-ms N,
#     --window-s W (the scope's window)
# Build directory: $GV7_BENCH_BUILD, by default build-bench in the source tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${GV7_BENCH_BUILD:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DGV7_SANITIZE=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target scopebench
exec "$build/bench/scopebench" "$@"
