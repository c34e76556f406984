#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings the translation catalogues in translations/ up to date with the sources, or, with
# --check, changes nothing and fails while a catalogue is not up to date: a text of the sources
# without a finished translation, or an entry whose text has left the sources.
#
#   scripts/update-translations.sh [--check] [--lupdate PATH]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lupdate="lupdate"
check=false
while [ $# -gt 0 ]; do
    case "$1" in
        --check) check=true ;;
        --lupdate) lupdate="$2"; shift ;;
        *) echo "usage: $0 [--check] [--lupdate PATH]" >&2; exit 2 ;;
    esac
    shift
done

# Catalogue and the source folders whose texts it holds. No line numbers are kept, so moving
# code around leaves the catalogues unchanged.
catalogues=(
    "genericv7_de.ts:pages plugin"
    "workbench_de.ts:workbench headless simulator measurement program scope tuning"
    "workbench_en.ts:workbench headless simulator measurement program scope tuning"
)
options=(-extensions cpp,h,ui -locations none -no-ui-lines -silent)

# Prints one line per message of a catalogue that is unfinished or no longer in the sources.
report() {
    awk -v file="$1" '
        /<name>/ { sub(/.*<name>/, ""); sub(/<\/name>.*/, ""); context = $0 }
        /<source>/ { text = $0; sub(/.*<source>/, "", text); sub(/<\/source>.*/, "", text) }
        { gsub(/&lt;/, "<", text); gsub(/&gt;/, ">", text); gsub(/&quot;/, "\"", text); gsub(/&apos;/, "\047", text); gsub(/&amp;/, "\\&", text) }
        /<translation[^>]*type="unfinished"/ { print file ": " context ": \"" text "\" has no finished translation" }
        /<translation[^>]*type="(vanished|obsolete)"/ { print file ": " context ": \"" text "\" is no longer in the sources" }
    ' "$2"
}

cd "$root"
failed=false
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
for entry in "${catalogues[@]}"; do
    ts="${entry%%:*}"
    read -r -a sources <<< "${entry#*:}"
    # English needs only the plural forms ("1 command", "2 commands") of the texts with a count.
    extra=()
    [[ "$ts" == *_en.ts ]] && extra=(-pluralonly)
    if $check; then
        cp "translations/$ts" "$tmp/$ts"
        "$lupdate" "${options[@]}" "${extra[@]}" "${sources[@]}" -ts "$tmp/$ts" >/dev/null
        problems="$(report "translations/$ts" "$tmp/$ts")"
        if [ -n "$problems" ]; then
            echo "$problems"
            failed=true
        fi
    else
        "$lupdate" "${options[@]}" "${extra[@]}" -no-obsolete "${sources[@]}" -ts "translations/$ts"
        report "translations/$ts" "translations/$ts"
    fi
done

if $failed; then
    echo "Translations are not up to date: run scripts/update-translations.sh (or build the target" \
         "update_translations), translate what it lists in translations/*.ts, and build again." >&2
    exit 1
fi
