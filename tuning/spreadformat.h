// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QJsonObject>
#include <QString>

#include "spread.h"

// How the tuning's measurements show a spread: "mean ± sd" in text, all figures in JSON.
class SpreadFormat
{
public:
    static QString text(const Spread& spread, int decimals = 1);
    static QJsonObject json(const Spread& spread);
};
