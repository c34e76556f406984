#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Static check: clazy's checks of levels 0 to 2 over the project's own sources and headers
# (not the moc/uic/rcc output, not Qt). Prints the findings and exits 1 when there are any.
# A finding that has to stay is excluded at its place with a "clazy:exclude=" comment that
# says why.
#
#     scripts/lint.sh [FILE.cpp...]      (default: every source of the project)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" clazy
build=${GV7_LINT_BUILD:-$root/build-lint}
checks=level0,level1,level2

# The compile commands, and the generated form and meta-object headers the sources include.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DCMAKE_GLOBAL_AUTOGEN_TARGET=ON >/dev/null
cmake --build "$build" --target autogen -j"$(nproc)" >/dev/null

own="^$root/(host|pages|plugin|program|scope|simulator|workbench|headless|tests|bench)/"
if [ $# -gt 0 ]; then
    mapfile -t files < <(realpath "$@")
else
    mapfile -t files < <(python3 -c 'import json,sys; print("\n".join(sorted({e["file"] for e in json.load(open(sys.argv[1]))})))' \
        "$build/compile_commands.json" | grep -E "$own" | grep -v '_autogen/')
fi

# Tests build their data from literals and keep their fixtures on the stack: there the checks
# for QString allocations and for parent arguments only add noise.
tests="^$root/tests/"
test_checks=$checks,no-qstring-allocations,no-ctor-missing-parent-argument
report="$build/clazy.log"
: >"$report"
run() { # checks header-filter files...
    local c=$1 h=$2
    shift 2
    [ $# -eq 0 ] && return
    printf '%s\n' "$@" | xargs -P"$(nproc)" -I{} \
        clazy-standalone -p "$build" --checks="$c" --header-filter="$h" --ignore-dirs='_autogen' {} >>"$report" 2>&1 || true
}
mapfile -t code < <(printf '%s\n' "${files[@]}" | grep -Ev "$tests" || true)
mapfile -t testcode < <(printf '%s\n' "${files[@]}" | grep -E "$tests" || true)
run "$checks" "$own" "${code[@]}"
run "$test_checks" "$tests" "${testcode[@]}"
# One finding per warning line; the same header warning is reported once.
findings=$(grep -E 'warning: .*\[-Wclazy-' "$report" | grep -v 'FixIt failed' | sort -u || true)
errors=$(grep -E ': (fatal )?error: ' "$report" | sort -u || true)
if [ -n "$errors" ]; then
    echo "$errors"
    echo "clazy could not parse every file (see $report)"
    exit 2
fi
if [ -n "$findings" ]; then
    echo "$findings"
    echo "$(echo "$findings" | wc -l) clazy finding(s) (checks $checks)"
    exit 1
fi
echo "clazy ($checks): no findings in ${#files[@]} files"
