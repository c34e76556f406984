// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

#include "benchrig.h"
#include "spread.h"

// The same relative move in open and in closed loop on a bench copy of an axis, each run from
// the defined state (BenchRig::prepare) with the start phase varied as in the comparison
// protocol, at the axis's own speed and acceleration (parameters 4 and 5). After the ramp the
// rotor is given SettleTime; then the deviation is what the move added to the drive's
// deviation of actual and encoder position (whole counts, in microsteps). A loop holds the
// position when every run ends within one full step.
class LoopComparison
{
    Q_DECLARE_TR_FUNCTIONS(LoopComparison)
public:
    static constexpr qint64 SettleTime = 1000; // ms

    LoopComparison(const BenchRig& rig, int distance);
    void setRepetitions(int repetitions) { m_repetitions = std::max(1, repetitions); }
    int repetitions() const { return m_repetitions; }
    int distance() const { return m_distance; }

    // False, with errorString(), when the closed loop cannot start with the configuration.
    bool run();
    QString errorString() const { return m_error; }

    const Spread& deviation(BenchRig::Loop loop) const { return loop == BenchRig::Loop::Open ? m_open : m_closed; }
    bool held(BenchRig::Loop loop) const;
    // Runs the drive stopped itself (207 = 1: its deviation limit or a fault).
    int stoppedRuns(BenchRig::Loop loop) const { return loop == BenchRig::Loop::Open ? m_openStops : m_closedStops; }
    // "open loop 50995.2 ± 0.0 microsteps, closed loop 0.0 ± 0.0 microsteps", and the runs the
    // drive stopped itself
    QString deviations() const;
    // Which loop held the position.
    QString verdict() const;
    QJsonObject toJson() const;

private:
    double runOnce(BenchRig::Loop loop, double phase, int* stops);

    BenchRig m_rig;
    int m_distance;
    int m_repetitions;
    Spread m_open;
    Spread m_closed;
    int m_openStops = 0;
    int m_closedStops = 0;
    QString m_error;
};
