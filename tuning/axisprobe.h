// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "axiscopy.h"
#include "responseprobe.h"
#include "simulatedaxis.h"

// The closed loop of an axis copy as a ResponseProbe: the input is added to the position
// setpoint or to the feedback's input (see SimulatedAxis::setSetpointSignal), the output is
// the encoder's position (microsteps).
class AxisProbe : public ResponseProbe
{
public:
    AxisProbe(const AxisCopy::Configuration& configuration, SimulatedAxis::SignalPoint point);

    bool begin(double phase) override;
    void setInput(Signal signal) override;
    void advance(int milliseconds) override;
    double output() const override;
    double quantum() const override;
    AxisCopy& copy() { return m_copy; }

private:
    AxisCopy m_copy;
    SimulatedAxis::SignalPoint m_point;
};
