// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>
#include <QVector>

// The ticks of a chart axis and their labels, written in the interface language ("0,5" in
// German) rather than by the charts' printf formats, which know only the C locale.
class AxisTicks
{
public:
    struct Scale
    {
        double low = 0;
        double high = 0;
        double step = 1;
    };

    // 1, 2 or 5 times a power of ten, at least `step`.
    static double niceStep(double step);
    // A scale with at most `ticks` intervals (two at least) over low to high, its limits on
    // whole steps. A range
    // narrower than minimumSpan is widened to it around its middle, so that a flat signal does
    // not scale up its rounding noise.
    static Scale fitted(double low, double high, double minimumSpan, int ticks = 4);
    // The multiples of step from low to high, both included.
    static QVector<double> ticks(double low, double high, double step);
    // The decimals that tell ticks `step` apart.
    static int decimals(double step);
    // A tick's label: as many decimals as the step needs, no group separator.
    static QString label(double value, double step, const QLocale& locale = QLocale());
};
