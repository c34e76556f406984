// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scopetrigger.h"

#include <algorithm>

void ScopeTrigger::setSettings(const Settings& settings)
{
    m_settings = settings;
    m_settings.preTrigger = std::clamp<qint64>(settings.preTrigger, 0, m_window);
    arm();
}

void ScopeTrigger::setWindow(qint64 milliseconds)
{
    m_window = std::max<qint64>(1, milliseconds);
    m_settings.preTrigger = std::min(m_settings.preTrigger, m_window);
}

void ScopeTrigger::arm()
{
    m_captured = false;
}

bool ScopeTrigger::armed() const
{
    if (m_settings.mode == Mode::Roll)
        return false;
    if (!m_captured)
        return true;
    // Single waits to be armed again; the others once their capture is complete.
    return m_settings.mode != Mode::Single && m_latest >= captureEnd();
}

bool ScopeTrigger::offer(const QString& series, double previous, double value, qint64 time)
{
    m_latest = std::max(m_latest, time);
    if (series != m_settings.series || !armed())
        return false;
    const double level = m_settings.level;
    const bool crossed = m_settings.slope == Slope::Rising ? previous < level && value >= level
                                                           : previous > level && value <= level;
    if (!crossed)
        return false;
    m_time = time;
    m_captured = true;
    return true;
}

bool ScopeTrigger::showsCapture(qint64 latest) const
{
    if (!m_captured || m_settings.mode == Mode::Roll)
        return false;
    // Auto rolls again once a window has passed after a capture without a new trigger.
    return m_settings.mode != Mode::Auto || latest < captureEnd() + m_window;
}

ScopeTrigger::State ScopeTrigger::state(qint64 latest) const
{
    if (m_settings.mode == Mode::Roll)
        return State::Rolling;
    if (!m_captured)
        return m_settings.mode == Mode::Auto ? State::Rolling : State::Waiting;
    if (latest < captureEnd())
        return State::Capturing;
    if (m_settings.mode == Mode::Single)
        return State::Stopped;
    return showsCapture(latest) ? State::Complete : State::Rolling;
}
