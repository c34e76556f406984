#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes setup programs: builds the libFuzzer target bench/fuzz/fuzzprogram.cpp with clang in
# build-fuzz/ and runs it for a bounded time (60 s by default) from the seed corpus
# bench/fuzz/corpus/, then prints executions per second and the coverage reached.
#     bench/fuzz.sh [-t SECONDS] [-- LIBFUZZER-OPTIONS...]
# Inputs that crash, hang or leak are kept in build-fuzz/artifacts/; the exit code is 1 then.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=60
while [ $# -gt 0 ]; do
    case "$1" in
        -t) seconds="$2"; shift 2 ;;
        --) shift; break ;;
        -h|--help) sed -n '2,7p' "$0"; exit 0 ;;
        *) echo "usage: bench/fuzz.sh [-t SECONDS] [-- LIBFUZZER-OPTIONS...]" >&2; exit 2 ;;
    esac
done

scripts/install-deps.sh clang-14 libfuzzer-14-dev
build=build-fuzz
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DGV7_FUZZ=ON -DGV7_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 --target fuzzprogram >/dev/null

# New inputs go to a working corpus, the seeds in the repository stay as they are.
mkdir -p "$build/corpus" "$build/artifacts"
log="$build/fuzz.log"
status=0
# The platform libraries' one-time allocations live until exit and are not ours to report.
QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=tests/lsan.supp:print_suppressions=0 "$build/bench/fuzz/fuzzprogram" -max_total_time="$seconds" -timeout=2 \
    -dict=bench/fuzz/kora.dict -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$@" \
    "$build/corpus" bench/fuzz/corpus >"$log" 2>&1 || status=$?

last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
stat() { awk -v k="stat::$1:" '$1 == k { print $2 }' "$log"; }
echo "fuzzed ${seconds} s: $(stat number_of_executed_units) executions, $(stat average_exec_per_sec) per second"
field() { grep -oE "$1: [^ ]+" <<<"$last" | cut -d' ' -f2; }
echo "coverage: cov $(field cov) (edges), ft $(field ft) (features), corpus $(field corp) (inputs/size)"
if [ "$status" -ne 0 ]; then
    echo "the fuzzer found a fault (exit $status); log: $log, input:" >&2
    grep -E 'Test unit written to|^==[0-9]+==ERROR|fuzzprogram:' "$log" >&2 || tail -20 "$log" >&2
    exit 1
fi
