// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "simulationclock.h"

namespace {
// Keeps the scaled nanoseconds of a long run inside 64 bits.
const double MaxTimeScale = 1e6;
} // namespace

SimulationClock::SimulationClock()
{
    m_timer.start();
}

void SimulationClock::setManual(bool manual)
{
    if (manual == m_manual)
        return;
    rebase();
    m_manual = manual;
}

void SimulationClock::advance(qint64 milliseconds)
{
    if (milliseconds > 0)
        m_base += milliseconds;
}

void SimulationClock::setTimeScale(double factor)
{
    if (!(factor > 0) || factor > MaxTimeScale)
        return;
    rebase();
    m_scale = factor;
}

qint64 SimulationClock::now() const
{
    if (m_manual)
        return m_base;
    return m_base + static_cast<qint64>(double(m_timer.nsecsElapsed()) * m_scale / 1e6);
}

void SimulationClock::rebase()
{
    m_base = now();
    m_timer.restart();
}
