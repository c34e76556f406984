// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "axiscopy.h"
#include "measuredvalue.h"

// The tuner's bench move on an axis copy, from the defined state, repeated with the start
// phase varied: Revolutions forwards at Speed, accelerating at Acceleration, then Rest at
// standstill. Measures the following error (microsteps, the controller's) over the move and
// the rest, the current scaler while cruising, and whether the axis hunts at standstill
// afterwards: a limit cycle when the encoder moves over more than LimitCycleCounts counts
// (peak to peak) in the last HuntWindow of the rest.
class BenchMoveCase
{
public:
    static constexpr double Revolutions = 2.0;
    static constexpr double Speed = 2.0;         // rev/s
    static constexpr double Acceleration = 20.0; // rev/s^2
    static constexpr int Rest = 500;             // ms
    static constexpr int HuntWindow = 200;       // ms
    static constexpr int LimitCycleCounts = 4;

    struct Result
    {
        MeasuredValue rms;     // microsteps
        MeasuredValue peak;    // microsteps
        double cruiseScaler = 0.0; // fraction of the maximum current, mean while cruising
        double restJitter = 0.0;   // microsteps, largest |error| in the hunt window
        bool limitCycle = false;
        bool stopped = false;  // the deviation guard stopped a run, or the closed loop did not start
        bool holds() const { return !limitCycle && !stopped; }
    };

    static Result run(const AxisCopy::Configuration& configuration, int repetitions);
};
