#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the soak run (Release) and runs it: 24 simulated hours of polling at 10 Hz with the
# Start Up window open, the axis switched every simulated minute and a move every ten
# seconds, on the simulated module's manual clock. Prints the trace counts and the resident
# memory per simulated hour and the growth after hour 1; exits 1 when the traces grew or the
# resident memory grew by 1 MiB or more. Arguments go to gv7soak: --hours H.
# Build directory: $GV7_BENCH_BUILD, by default build-bench in the source tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${GV7_BENCH_BUILD:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DGV7_SANITIZE=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target gv7soak
exec "$build/bench/gv7soak" "$@"
