// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPair>

#include "benchrig.h"
#include "responseprobe.h"
#include "simulatedaxis.h"

// The closed loop of a bench copy of an axis as a ResponseProbe: every run starts from a fresh
// copy in the defined state; the input is added to the position setpoint or to the feedback's
// input (see SimulatedAxis::setSetpointSignal); the output is the encoder's position.
class AxisProbe : public ResponseProbe
{
public:
    AxisProbe(const BenchRig& rig, SimulatedAxis::SignalPoint point);

    bool begin(double phase) override;
    void setInput(Signal signal) override;
    void advance(int milliseconds) override;
    double output() const override;
    double quantum() const override;

    // The encoder's position in microsteps (through 210), as the controller counts it.
    static double encoderPosition(const BenchRig& rig);
    // `rig` with parameters written over it; false when the drive refuses one.
    static bool apply(BenchRig* rig, const QList<QPair<int, int>>& parameters);

private:
    BenchRig m_base;
    BenchRig m_rig;
    SimulatedAxis::SignalPoint m_point;
};
