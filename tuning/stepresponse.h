// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QJsonObject>

#include "benchrig.h"
#include "spread.h"

// Step responses of the closed loop on a bench copy of an axis, each from its defined state,
// repeated with the start phase varied:
// - Setpoint: the position setpoint jumps by SetpointStep full steps; rise time 10-90 %,
//   overshoot (% of the step), settling into ±BandCounts encoder counts of the new setpoint,
//   steady-state error (mean over the last SteadyTime).
// - Load: the comparison protocol's load step (a torque pulling backwards at standstill); peak
//   deviation, recovery into the band, steady-state error.
// The encoder position (microsteps from the start) of every run is kept, one sample per ms.
// A run that does not settle has no settling time (a missing value of the spread).
class StepResponse
{
    Q_DECLARE_TR_FUNCTIONS(StepResponse)
public:
    enum class Kind { Setpoint, Load };
    static constexpr int SetpointStep = 3;      // full steps
    static constexpr int BandCounts = 2;
    static constexpr int Duration = 400;        // ms recorded after the step
    static constexpr int SteadyTime = 50;       // ms

    struct Result
    {
        Kind kind = Kind::Setpoint;
        double size = 0.0;        // microsteps (setpoint) or N m (load)
        double band = 0.0;        // microsteps
        Spread riseTime;   // ms (setpoint)
        Spread overshoot;  // % of the step (setpoint)
        Spread peak;       // microsteps (load)
        Spread settling;   // ms into the band
        Spread steadyError; // microsteps
        std::vector<std::vector<double>> traces;
        bool complete = false;
        QJsonObject toJson() const;
        QString text() const;
    };
    using Progress = std::function<bool(double done)>;

    static Result measure(const BenchRig& rig, Kind kind, int repetitions,
                          const Progress& progress = Progress());
    // The figures of one trace (positions after the step, one per ms) towards `target`.
    static void figures(const std::vector<double>& trace, double target, double band, double* rise,
                        double* overshoot, double* settling, double* steady, double* peak);
};
