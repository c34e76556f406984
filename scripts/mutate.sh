#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Mutation run: puts each fault of scripts/mutations/*.patch into a scratch copy of the tree,
# one at a time, rebuilds incrementally, runs the tests and says whether they caught it.
#     scripts/mutate.sh [-R REGEX] [-E REGEX] [--timeout SECONDS] [--no-baseline] [PATCH...]
# -R runs only the tests matching REGEX for every fault; without it each patch's header line
# "# tests: REGEX" chooses, and a patch without one runs every test. -E excludes tests
# (default: translations_current and tst_install, which no product fault concerns). A test
# failing before any fault still catches one with a test function that did not fail before. A test
# that runs longer than --timeout (120 s) counts as failed: a fault may make it wait forever.
# The scratch copy and its build are in build-mutate/; the worktree is never touched, so
# work can go on during a run. Per fault it prints caught (with the tests and test functions
# that failed), missed, "does not apply" or "does not build"; a summary at the end; the
# record goes to build-mutate/record.tsv. Not part of the test command.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
only=""
exclude="^(translations_current|tst_install)$"
baseline=1
timeout=120
patches=()
while [ $# -gt 0 ]; do
    case "$1" in
        -R) only="$2"; shift 2 ;;
        -E) exclude="$2"; shift 2 ;;
        --no-baseline) baseline=0; shift ;;
        --timeout) timeout="$2"; shift 2 ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        -*) echo "usage: scripts/mutate.sh [-R REGEX] [-E REGEX] [--timeout SECONDS] [--no-baseline] [PATCH...]" >&2; exit 2 ;;
        *) patches+=("$(realpath "$1")"); shift ;;
    esac
done
[ ${#patches[@]} -eq 0 ] && patches=("$root"/scripts/mutations/*.patch)

scratch="$root/build-mutate"
build="$scratch/build"
record="$scratch/record.tsv"
logs="$scratch/logs"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-/work}" CCACHE_NOHASHDIR=1 QT_QPA_PLATFORM=offscreen
# git apply outside a repository works like patch; do not let it find the worktree's.
export GIT_CEILING_DIRECTORIES="$root"

# The scratch copy: the worktree's files as they are now, uncommitted changes included. Only
# changed files are copied, with a new time stamp, so the build stays incremental.
mkdir -p "$scratch" "$logs"
# Files removed from the worktree since the last run go from the copy too.
sync_tree() {
    local f list="$scratch/files.txt"
    (cd "$root" && git ls-files -co --exclude-standard) | while IFS= read -r f; do [ -f "$root/$f" ] && echo "$f"; done \
        | sort >"$list.new"
    [ -f "$list" ] && comm -23 "$list" "$list.new" | while IFS= read -r f; do rm -f "$scratch/$f"; done
    while IFS= read -r f; do
        cmp -s "$root/$f" "$scratch/$f" && continue
        mkdir -p "$(dirname "$scratch/$f")"
        cp "$root/$f" "$scratch/$f"
    done <"$list.new"
    mv "$list.new" "$list"
}
sync_tree
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$scratch" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null || exit 1

# Test names matching a regex, less the excluded ones.
tests_for() {
    (cd "$build" && ctest -N -R "$1" 2>/dev/null) | sed -n 's/^ *Test *#[0-9]*: //p' | grep -Ev "$exclude" || true
}

# Builds the tests named on stdin (their targets depend on the plug-in and the workbench).
build_tests() {
    local targets=()
    mapfile -t targets
    [ ${#targets[@]} -eq 0 ] && return 0
    cmake --build "$build" -j2 $(printf -- '--target %s ' "${targets[@]}") >"$logs/build.log" 2>&1
}

# Runs the tests of a regex; prints the failed tests, then the failed test functions.
run_tests() {
    local names regex out
    names=$(tests_for "$1")
    [ -z "$names" ] && return 0
    regex="^($(paste -sd'|' <<<"$names"))\$"
    out="$logs/ctest.log"
    (cd "$build" && ctest -j2 --timeout "$timeout" --output-on-failure -R "$regex" >"$out" 2>&1)
    # Failed, crashed and timed out alike.
    sed -n '/The following tests FAILED:/,$p' "$out" | sed -nE 's/^[[:space:]]+[0-9]+ - ([A-Za-z0-9_]+) .*/\1/p' \
        | sort -u | paste -sd' ' -
    grep -oE '^FAIL! +: [A-Za-z0-9_]+::[A-Za-z0-9_]+' "$out" | sed -E 's/^FAIL! +: //' | sort -u | paste -sd' ' -
}

# The test class of a test executable, from its source: "TestScope" for tst_scope.
test_class() {
    sed -n 's/^class \(Test[A-Za-z0-9_]*\) : public QObject.*/\1/p' "$scratch/tests/$1.cpp" 2>/dev/null | head -1
}

regex_of() {
    if [ -n "$only" ]; then
        echo "$only"
    else
        local line
        line=$(sed -n 's/^# tests: *//p' "$1" | head -1)
        echo "${line:-.}"
    fi
}

known="" knownf=""
if [ "$baseline" = 1 ]; then
    echo "baseline: building and running the tests unchanged"
    all=$( [ -n "$only" ] && echo "$only" || (for p in "${patches[@]}"; do regex_of "$p"; done | paste -sd'|' -) )
    tests_for "$all" | build_tests || { echo "the unchanged tree does not build: $logs/build.log" >&2; exit 1; }
    mapfile -t base < <(run_tests "$all")
    known="${base[0]:-}" knownf="${base[1]:-}"
    [ -n "$known" ] && echo "baseline: already failing, not counted: $known${knownf:+ ($knownf)}"
fi

printf 'fault\tresult\ttests\tfunctions\n' >"$record"
caught=0 missed=0 other=0
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    if ! (cd "$scratch" && git apply --check "$patch" 2>/dev/null); then
        printf '%-40s does not apply\n' "$name"
        printf '%s\tdoes not apply\t\t\n' "$name" >>"$record"
        other=$((other + 1))
        continue
    fi
    (cd "$scratch" && git apply "$patch")
    regex=$(regex_of "$patch")
    if ! tests_for "$regex" | build_tests; then
        result="does not build" failed="" functions=""
        cp "$logs/build.log" "$logs/$name.build.log"
        other=$((other + 1))
    else
        mapfile -t lines < <(run_tests "$regex")
        cp "$logs/ctest.log" "$logs/$name.ctest.log" 2>/dev/null
        # A test failing already counts when a test function fails that did not before.
        failed="" functions=""
        for f in ${lines[1]:-}; do
            [[ " $knownf " == *" $f "* ]] || functions+="${functions:+ }$f"
        done
        for t in ${lines[0]:-}; do
            if [[ " $known " != *" $t "* ]] || [[ "$functions" == *"$(test_class "$t")::"* ]]; then
                failed+="${failed:+ }$t"
            fi
        done
        if [ -n "$failed" ]; then
            result="caught" caught=$((caught + 1))
        else
            result="missed" missed=$((missed + 1)) functions=""
        fi
    fi
    (cd "$scratch" && git apply -R "$patch")
    printf '%-40s %s%s\n' "$name" "$result" "${failed:+ by $failed}"
    [ -n "$functions" ] && printf '%-40s   functions: %s\n' "" "$functions"
    printf '%s\t%s\t%s\t%s\n' "$name" "$result" "$failed" "$functions" >>"$record"
done
echo "$caught caught, $missed missed$([ "$other" -gt 0 ] && echo ", $other not run (do not apply or do not build)")"
echo "record: $record"
