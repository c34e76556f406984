// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spread.h"

#include <algorithm>
#include <cmath>
#include <limits>

Spread::Spread(const std::vector<double>& values)
{
    double sum = 0.0;
    for (double value : values) {
        if (std::isnan(value)) {
            ++m_missing;
            continue;
        }
        m_minimum = m_count ? std::min(m_minimum, value) : value;
        m_maximum = m_count ? std::max(m_maximum, value) : value;
        sum += value;
        ++m_count;
    }
    if (!m_count)
        return;
    m_mean = sum / m_count;
    double squares = 0.0;
    for (double value : values) {
        if (!std::isnan(value))
            squares += (value - m_mean) * (value - m_mean);
    }
    m_deviation = m_count > 1 ? std::sqrt(squares / (m_count - 1)) : 0.0;
}

double Spread::lower() const
{
    return m_count ? m_minimum : (m_missing ? std::numeric_limits<double>::infinity() : std::nan(""));
}

double Spread::upper() const
{
    if (m_missing)
        return std::numeric_limits<double>::infinity();
    return m_count ? m_maximum : std::nan("");
}

bool Spread::overlaps(const Spread& other) const
{
    // Comparisons with NaN are false: an empty spread overlaps nothing.
    return lower() <= other.upper() && other.lower() <= upper();
}

Spread::Verdict Spread::compare(const Spread& other) const
{
    if (upper() < other.lower())
        return Verdict::Lower;
    if (other.upper() < lower())
        return Verdict::Higher;
    return Verdict::NoMeasurableDifference;
}
