// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "axisprobe.h"

#include "simulateddrive.h"

AxisProbe::AxisProbe(const AxisCopy::Configuration& configuration, SimulatedAxis::SignalPoint point)
    : m_copy(configuration)
    , m_point(point)
{
}

bool AxisProbe::begin(double phase)
{
    return m_copy.prepare(phase);
}

void AxisProbe::setInput(Signal signal)
{
    m_copy.axis()->setSetpointSignal(std::move(signal), m_point);
}

void AxisProbe::advance(int milliseconds)
{
    m_copy.advance(milliseconds);
}

double AxisProbe::output() const
{
    return m_copy.position();
}

double AxisProbe::quantum() const
{
    return m_copy.microstepsPerCount();
}
