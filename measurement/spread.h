// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

// The spread of one figure over repeated runs: mean, sample standard deviation, minimum,
// maximum and the number of runs. A run that gave no value (a move that never settled) is
// passed as NaN and counted as missing: it lies beyond every value, so the range then reaches
// to infinity.
//
// Two spreads differ only where their ranges (minimum to maximum) do not overlap; otherwise
// there is no measurable difference between them.
class Spread
{
public:
    enum class Verdict { Lower, NoMeasurableDifference, Higher };

    Spread() = default;
    explicit Spread(const std::vector<double>& values);

    int count() const { return m_count; }     // runs with a value
    int missing() const { return m_missing; } // runs without one
    double mean() const { return m_mean; }
    double standardDeviation() const { return m_deviation; }
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    // The range's ends; the upper is infinite with a missing run, both NaN without any run.
    double lower() const;
    double upper() const;

    bool overlaps(const Spread& other) const;
    // Lower or Higher only where the ranges are apart.
    Verdict compare(const Spread& other) const;

private:
    int m_count = 0;
    int m_missing = 0;
    double m_mean = 0.0;
    double m_deviation = 0.0;
    double m_minimum = 0.0;
    double m_maximum = 0.0;
};
