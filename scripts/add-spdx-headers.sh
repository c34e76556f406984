#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence and copyright lines at the top of every source file of the project that can
# carry a comment, in that file's comment form, after a "#!" line; files that already have an
# SPDX-License-Identifier near their top are left alone, so it can run any number of times.
# Pictures, forms, catalogues and documents are covered by .reuse/dep5 instead.
# Usage: add-spdx-headers.sh [ROOT]   (default: this repository; tracked files, or all files
# outside build folders when ROOT is not a git checkout)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
# The tags are put together so that licence scanners do not take these lines for this file's own.
tag="SPDX"
copyright="$tag-FileCopyrightText: 2026 The Generic V7 developers"
licence="$tag-License-Identifier: GPL-3.0-or-later"

# The comment leader for a file, or nothing for a file that gets no header.
leader() {
    if head -n 1 "$1" | grep -q '^#!'; then
        echo "#"
        return
    fi
    case "$1" in
        *.cpp|*.h) echo "//" ;;
        *.sh|*.cmake|*.cmake.in|*/CMakeLists.txt|CMakeLists.txt|*.desktop|*.supp|*.h2m|.gitignore|*/.gitignore|\
        cmake/debian/triggers) echo "#" ;;
    esac
}

list_files() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files
    else
        find . -type f -not -path './.git/*' -not -path './build*' | sed 's|^\./||'
    fi
}

# In a function, so that bash has read all of it before it rewrites this very file.
add_headers() {
changed=0
while IFS= read -r file; do
    [ -f "$file" ] || continue
    mark=$(leader "$file")
    [ -n "$mark" ] || continue
    head -n 5 "$file" | grep -q "$tag-License-Identifier:" && continue
    header="$mark $copyright"$'\n'"$mark $licence"$'\n'
    tmp=$(mktemp)
    if head -n 1 "$file" | grep -q '^#!'; then
        { head -n 1 "$file"; printf '%s' "$header"; tail -n +2 "$file"; } >"$tmp"
    elif [ "$mark" = "//" ]; then
        { printf '%s\n' "$header"; cat "$file"; } >"$tmp"
    else
        { printf '%s' "$header"; cat "$file"; } >"$tmp"
    fi
    # Keep the file's mode (scripts stay executable).
    cat "$tmp" >"$file"
    rm -f "$tmp"
    changed=$((changed + 1))
done < <(list_files)
echo "SPDX headers added to $changed file(s)"
}
add_headers
