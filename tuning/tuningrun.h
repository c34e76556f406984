// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QCoreApplication>
#include <QJsonObject>

#include "autotuner.h"
#include "benchrig.h"
#include "frequencyresponse.h"
#include "pulloutcurve.h"
#include "stepresponse.h"

class QTextStream;
class SimulatedDrive;

// The tuning measurements of one axis, on bench copies of it, one after the other: the step
// responses (setpoint and load), the frequency responses (at the position setpoint, and at
// the feedback's input for the margins), the pull-out curve with the recommended limits, and
// the tuner. Which of them run is chosen; progress is reported as a share of the whole and
// Cancel stops between runs. The live axis is never touched.
class TuningRun
{
    Q_DECLARE_TR_FUNCTIONS(TuningRun)
public:
    enum Measurement { Steps = 1, Frequency = 2, Limits = 4, Tuner = 8, All = 15 };
    static constexpr int Repetitions = 5;
    static constexpr int FrequencyRepetitions = 3;
    static constexpr int FrequencyPoints = 30;
    static constexpr int PullOutPoints = 12;
    static constexpr double LowestLoopFrequency = 0.3; // Hz

    struct Result
    {
        int measured = 0; // Measurement flags of the parts that completed
        StepResponse::Result setpointStep;
        StepResponse::Result loadStep;
        FrequencyResponse::Result setpointResponse;
        FrequencyResponse::Result loopResponse;
        PullOutCurve::Result pullOut;
        AutoTuner::Result tuner;
        bool cancelled = false;
        QString error;
        QJsonObject toJson() const;
        QString text() const;
        // False when the tuner ran and neither a stable proposal nor a preset that holds the
        // gentle move came out.
        bool usable() const;
    };
    using Progress = std::function<bool(double done)>;

    static Result run(const BenchRig& rig, int measurements, const Progress& progress = Progress());
    // The frequencies of the setpoint's response: from a few hertz to beyond the motor's
    // natural frequency at its full current.
    static std::vector<double> setpointFrequencies(const MotorPhysics::Motor& motor);

    // For the command line: runs everything on `motor` of the drive, prints the results,
    // adds them to the report as "tuning"; false when not usable().
    static bool commandLine(const SimulatedDrive& drive, int motor, QTextStream& out, QJsonObject* report);
};
