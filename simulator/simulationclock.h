// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// Simulated time in milliseconds. In real-time mode it follows the wall clock, scaled; in
// manual mode it moves only through advance(). Switching mode or scale never makes it jump.
class SimulationClock
{
public:
    SimulationClock();

    void setManual(bool manual);
    bool isManual() const { return m_manual; }
    // Moves simulated time forward in either mode.
    void advance(qint64 milliseconds);
    // Simulated time runs `factor` times as fast as real time; ignored unless in (0, 1e6].
    void setTimeScale(double factor);
    double timeScale() const { return m_scale; }

    qint64 now() const;

private:
    void rebase();

    QElapsedTimer m_timer;
    qint64 m_base = 0; // simulated time when m_timer was last started
    double m_scale = 1.0;
    bool m_manual = false;
};
