// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "axisticks.h"

#include <algorithm>
#include <cmath>

double AxisTicks::niceStep(double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= step * (1 - 1e-9))
            return factor * power;
    }
    return 10 * power;
}

AxisTicks::Scale AxisTicks::fitted(double low, double high, double minimumSpan, int ticks)
{
    if (high < low)
        std::swap(low, high);
    if (high - low < minimumSpan) {
        const double middle = (low + high) / 2;
        low = middle - minimumSpan / 2;
        high = middle + minimumSpan / 2;
    }
    // A range across zero needs two intervals however large the step.
    ticks = qMax(2, ticks);
    Scale scale;
    scale.step = niceStep((high - low) / ticks);
    // Limits on whole steps may add an interval at each end: then the next larger step.
    for (;;) {
        scale.low = std::floor(low / scale.step + 1e-9) * scale.step;
        scale.high = std::ceil(high / scale.step - 1e-9) * scale.step;
        if (scale.high <= scale.low)
            scale.high = scale.low + scale.step;
        if ((scale.high - scale.low) / scale.step < ticks + 0.5)
            return scale;
        scale.step = niceStep(scale.step * 1.5);
    }
}

QVector<double> AxisTicks::ticks(double low, double high, double step)
{
    QVector<double> result;
    if (!(step > 0) || !(high >= low) || (high - low) / step > 1000)
        return result;
    for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; ++k)
        result.append(k * step);
    return result;
}

int AxisTicks::decimals(double step)
{
    if (!(step > 0))
        return 0;
    return qBound(0, int(std::ceil(-std::log10(step) - 1e-9)), 9);
}

QString AxisTicks::label(double value, double step, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', decimals(step));
}
