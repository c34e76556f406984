#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Refreshes the manual's pictures under docs/screenshots: the workbench as it opens, and each
# page as the guided commissioning (workbench --auto --screenshots) meets it, and the scope's
# comparison of the closed-loop presets (workbench --compare-presets --compare-picture). Runs offscreen, so
# no display is needed; the pictures are reduced to 256 colours to keep the repository small.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" imagemagick
build="$root/build-plain"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target workbench
workbench="$build/workbench/workbench"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen
"$workbench" --screenshot "$tmp/0-workbench.png"
"$workbench" --auto --screenshots "$tmp" >"$tmp/run.txt" || { cat "$tmp/run.txt"; exit 1; }
# The scope's comparison of the closed-loop presets at 30 % load, as the manual shows it.
"$workbench" --compare-presets --load 30 --compare-picture "$tmp/8-compare-presets.png" >"$tmp/compare.txt" \
    || { cat "$tmp/compare.txt"; exit 1; }

out="$root/docs/screenshots"
mkdir -p "$out"
rm -f "$out"/*.png
previous=""
for picture in "$tmp"/*.png; do
    # A step that leaves the page as the one before adds nothing to look at.
    if [ -n "$previous" ] && cmp -s "$picture" "$previous"; then
        continue
    fi
    convert "$picture" -strip +dither -colors 256 "PNG8:$out/$(basename "$picture")"
    previous=$picture
done
du -ch "$out"/*.png | tail -1
