// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>

// Rounding of a physical value into an integer parameter, saturating at the integer's range
// instead of overflowing (which is undefined); not a number gives 0. The drive faults long
// before a real value gets there: this only keeps a conversion defined.
namespace SaturatingRound {

template<typename Integer>
Integer to(double value)
{
    if (std::isnan(value))
        return 0;
    const double low = double(std::numeric_limits<Integer>::min());
    const double high = double(std::numeric_limits<Integer>::max());
    if (value <= low)
        return std::numeric_limits<Integer>::min();
    if (value >= high)
        return std::numeric_limits<Integer>::max();
    return Integer(std::llround(value));
}

inline int toInt(double value)
{
    return to<int>(value);
}

inline qint64 toInt64(double value)
{
    return to<qint64>(value);
}

} // namespace SaturatingRound
