// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "axisprobe.h"

#include <cmath>

AxisProbe::AxisProbe(const BenchRig& rig, SimulatedAxis::SignalPoint point)
    : m_base(rig)
    , m_rig(rig)
    , m_point(point)
{
}

bool AxisProbe::begin(double phase)
{
    m_rig = m_base;
    return m_rig.prepare(phase, phase);
}

void AxisProbe::setInput(Signal signal)
{
    m_rig.drive().axis(0)->setSetpointSignal(std::move(signal), m_point);
}

void AxisProbe::advance(int milliseconds)
{
    m_rig.advance(milliseconds);
}

double AxisProbe::output() const
{
    return encoderPosition(m_rig);
}

double AxisProbe::quantum() const
{
    return m_rig.microstepsPerCount();
}

double AxisProbe::encoderPosition(const BenchRig& rig)
{
    const int resolution = rig.parameter(210);
    const double count = double(rig.parameter(209));
    return resolution ? count * rig.microstepsPerRevolution() / resolution : 0.0;
}

bool AxisProbe::apply(BenchRig* rig, const QList<QPair<int, int>>& parameters)
{
    bool ok = true;
    for (const auto& parameter : parameters)
        ok = rig->setParameter(parameter.first, parameter.second) && ok;
    return ok;
}
