// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDoubleSpinBox>

#include "hostexport.h"
#include "parameter.h"

// A spin box that stands for one module parameter. Unbound, it takes any whole number.
class HOST_EXPORT SpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit SpinBox(QWidget* parent = nullptr);

    // Binds the box to a parameter: its number becomes sapType(), its range the parameter's
    // range (an empty range, minimum >= maximum, leaves every whole number allowed).
    // liveValue: the box shows polled values; its range is widened to every whole number so
    //            that no reading is ever clamped.
    // step: single step of the arrows and the wheel; 0 keeps 1.
    // decimals: shown decimals.
    // Returns the caption with the unit in brackets, e.g. "Max current [mA]".
    QString setUnitParameter(const Parameter& parameter, bool liveValue, double step, int decimals);
    Parameter parameter() const;
    int sapType() const;
    int intValue() const;

    using QDoubleSpinBox::setValue;
    void setValue(int value);
    // notify false: the value changes without any valueChanged signal.
    void setValue(double value, bool notify);

signals:
    // The host's signal: the module value as an integer, beside QSpinBox's own.
    void valueChanged(int value); // clazy:exclude=overloaded-signal

private:
    Parameter m_parameter;
    bool m_bound = false;
};
