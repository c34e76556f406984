// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// When the scope captures: in Roll the picture just follows the latest sample; otherwise a
// series crossing a level (rising or falling) fires the trigger, and the capture is the
// window around it, starting the pre-trigger time before it. Auto rolls while no trigger
// came within a window's length; Normal shows the latest capture and arms again once it is
// complete; Single stops at its first capture until armed again.
//
// The start of a motion is the "moving" flag rising through one half.
class ScopeTrigger
{
public:
    enum class Mode { Roll, Auto, Normal, Single };
    enum class Slope { Rising, Falling };
    enum class State { Rolling, Waiting, Capturing, Complete, Stopped };

    struct Settings
    {
        Mode mode = Mode::Roll;
        QString series = QStringLiteral("moving");
        double level = 0.5;
        Slope slope = Slope::Rising;
        qint64 preTrigger = 100; // ms
    };

    const Settings& settings() const { return m_settings; }
    // Takes effect at once and arms the trigger; the pre-trigger time is kept within the window.
    void setSettings(const Settings& settings);
    void setWindow(qint64 milliseconds);
    qint64 window() const { return m_window; }
    // Forgets the capture and waits for the next trigger.
    void arm();

    // A sample of `series` following one of value `previous`; true when it fires the trigger.
    bool offer(const QString& series, double previous, double value, qint64 time);

    bool hasCapture() const { return m_captured; }
    qint64 triggerTime() const { return m_time; }
    qint64 captureStart() const { return m_time - m_settings.preTrigger; }
    qint64 captureEnd() const { return captureStart() + m_window; }
    // Whether the picture shows the capture rather than the latest samples.
    bool showsCapture(qint64 latest) const;
    State state(qint64 latest) const;

private:
    bool armed() const;

    Settings m_settings;
    qint64 m_window = 1000;
    qint64 m_time = 0;
    qint64 m_latest = 0;
    bool m_captured = false;
};
