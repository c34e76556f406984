// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spinbox.h"

#include <limits>

namespace {
const double IntMin = std::numeric_limits<int>::min();
const double IntMax = std::numeric_limits<int>::max();
}

SpinBox::SpinBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    setDecimals(0);
    setRange(IntMin, IntMax);
    connect(this, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            [this](double value) { emit valueChanged(qRound(value)); });
}

QString SpinBox::setUnitParameter(const Parameter& parameter, bool liveValue, double step, int decimals)
{
    m_parameter = parameter;
    m_bound = true;
    setDecimals(qMax(0, decimals));
    setSingleStep(step > 0.0 ? step : 1.0);
    if (liveValue || parameter.minimum >= parameter.maximum)
        setRange(IntMin, IntMax);
    else
        setRange(parameter.minimum, parameter.maximum);
    const QString caption = parameter.caption.isEmpty() ? parameter.name : parameter.caption;
    return parameter.unit.isEmpty() ? caption : QStringLiteral("%1 [%2]").arg(caption, parameter.unit);
}

Parameter SpinBox::parameter() const
{
    return m_parameter;
}

int SpinBox::sapType() const
{
    return m_bound ? m_parameter.type : 0;
}

int SpinBox::intValue() const
{
    return qRound(value());
}

void SpinBox::setValue(int value)
{
    QDoubleSpinBox::setValue(value);
}

void SpinBox::setValue(double value, bool notify)
{
    const bool blocked = notify ? signalsBlocked() : blockSignals(true);
    QDoubleSpinBox::setValue(value);
    blockSignals(blocked);
}
