#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the project and starts the workbench on the simulated module. Without a display it
# runs the guided commissioning headless instead and prints what it does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build="$root/build-plain"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target workbench
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/workbench/workbench" "$@"
fi
echo "No display found: running the guided commissioning headless (--auto)."
QT_QPA_PLATFORM=offscreen exec "$build/workbench/workbench" --auto "$@"
