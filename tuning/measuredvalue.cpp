// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "measuredvalue.h"

#include <algorithm>
#include <cmath>

MeasuredValue MeasuredValue::of(const std::vector<double>& values)
{
    MeasuredValue v;
    v.n = int(values.size());
    if (values.empty())
        return v;
    double sum = 0.0;
    for (double x : values)
        sum += x;
    v.mean = sum / v.n;
    double squares = 0.0;
    for (double x : values)
        squares += (x - v.mean) * (x - v.mean);
    v.sd = v.n > 1 ? std::sqrt(squares / (v.n - 1)) : 0.0;
    const auto range = std::minmax_element(values.begin(), values.end());
    v.min = *range.first;
    v.max = *range.second;
    return v;
}

QString MeasuredValue::text(int decimals) const
{
    return QStringLiteral("%1 ± %2").arg(mean, 0, 'f', decimals).arg(sd, 0, 'f', decimals);
}

QJsonObject MeasuredValue::toJson() const
{
    return {{QStringLiteral("mean"), mean}, {QStringLiteral("sd"), sd}, {QStringLiteral("min"), min},
            {QStringLiteral("max"), max}, {QStringLiteral("n"), n}};
}
