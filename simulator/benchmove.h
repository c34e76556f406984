// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPair>

#include "motorphysics.h"

// The drive bench's reference move: one axis in closed loop with a 4000-count encoder,
// 256 microsteps, the load given, a relative move of Revolutions turns at Speed with
// Acceleration, then a rest of RestMilliseconds. Records the controller's following error
// once per simulated millisecond. Used to compare closed-loop settings.
class BenchMove
{
public:
    static constexpr int Revolutions = 10;
    static constexpr int Speed = 10 * 51200;        // pps: 10 rev/s
    static constexpr int Acceleration = 60 * 51200; // pps^2: 10 rev/s in 1/6 s
    static constexpr int RestMilliseconds = 500;
    static constexpr double LoadShare = 0.8; // Coulomb friction, share of the holding torque

    struct Result
    {
        double rms = 0.0;       // microsteps, over the move and the rest
        double peak = 0.0;      // microsteps
        double overshoot = 0.0; // microsteps past the target after the ramp ended
        double settling = -1.0; // ms from the ramp's end until the error stays within 2 counts; -1 never
        double finalError = 0.0;  // microsteps at the end
        double meanCurrent = 0.0; // % of the maximum current, over the move
        bool stopped = false;     // the deviation guard stopped the move
    };

    // Closed-loop parameters to write before the closed loop starts (number, value), on top of
    // the catalogue's defaults.
    // gainScale multiplies P beyond what parameter 115 can hold.
    static Result run(const QList<QPair<int, int>>& parameters, const MotorPhysics::Motor& motor = loadedMotor(),
                      double gainScale = 1.0);
    static MotorPhysics::Motor loadedMotor();
};
