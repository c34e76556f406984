// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spreadformat.h"

#include <cmath>

#include <QCoreApplication>

namespace {
QJsonValue orNull(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue();
}
} // namespace

QString SpreadFormat::text(const Spread& spread, int decimals)
{
    if (!spread.count())
        return QCoreApplication::translate("SpreadFormat", "not reached");
    QString out = QStringLiteral("%1 ± %2").arg(spread.mean(), 0, 'f', decimals).arg(spread.standardDeviation(), 0, 'f', decimals);
    if (spread.missing())
        out += QLatin1Char(' ') + QCoreApplication::translate("SpreadFormat", "(%n run(s) not reached)", nullptr,
                                                             spread.missing());
    return out;
}

QJsonObject SpreadFormat::json(const Spread& spread)
{
    return {{QStringLiteral("mean"), orNull(spread.count() ? spread.mean() : std::nan(""))},
            {QStringLiteral("standardDeviation"), orNull(spread.standardDeviation())},
            {QStringLiteral("minimum"), orNull(spread.lower())},
            {QStringLiteral("maximum"), orNull(spread.upper())},
            {QStringLiteral("runs"), spread.count()},
            {QStringLiteral("missing"), spread.missing()}};
}
