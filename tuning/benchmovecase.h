// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "benchrig.h"
#include "spread.h"

// The comparison protocol's gentle move on a bench copy of an axis, from the defined state,
// repeated with the start phase varied, then Rest at standstill. Measures what the tuner needs
// beyond the protocol's figures: the current scaler while cruising, the error left at rest,
// and whether the axis hunts at standstill afterwards: a limit cycle when the encoder moves
// over more than LimitCycleCounts counts (peak to peak) in the last HuntWindow of the rest.
class BenchMoveCase
{
public:
    static constexpr int Rest = 500;             // ms
    static constexpr int HuntWindow = 200;       // ms
    static constexpr int LimitCycleCounts = 4;

    struct Result
    {
        Spread rms;            // microsteps
        double cruiseScaler = 0.0; // fraction of the maximum current, mean while cruising
        double restJitter = 0.0;   // microsteps, largest |error| in the hunt window
        bool limitCycle = false;
        bool stopped = false;  // the deviation guard stopped a run, or the closed loop did not start
        bool holds() const { return !limitCycle && !stopped; }
    };

    static Result run(const BenchRig& rig, int repetitions);
};
