#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project builds and tests with, only those that are missing.
set -euo pipefail
packages=(cmake make g++ pkg-config qtbase5-dev libqt5svg5-dev libqt5charts5-dev qttools5-dev-tools xvfb xauth)
# Qt Linguist for CMake, and Qt's own translations (standard buttons and dialogs).
packages+=(qttools5-dev qttranslations5-l10n)
# The manual page (help2man), the hardening flags and the Debian packages with their check
# (dpkg-dev: dpkg-buildflags, dpkg-shlibdeps, dpkg-gensymbols; file, lintian), the licence check (reuse).
packages+=(help2man dpkg-dev file lintian reuse)
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
