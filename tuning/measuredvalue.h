// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include <QJsonObject>
#include <QString>

// One figure measured over repeated runs: mean, standard deviation, minimum and maximum.
// Two figures differ measurably only when their min-max bands do not overlap.
struct MeasuredValue
{
    double mean = 0.0;
    double sd = 0.0;
    double min = 0.0;
    double max = 0.0;
    int n = 0;

    static MeasuredValue of(const std::vector<double>& values);
    bool overlaps(const MeasuredValue& other) const { return min <= other.max && other.min <= max; }
    // "12.3 ± 0.4" with the given decimals.
    QString text(int decimals = 1) const;
    QJsonObject toJson() const;
};
