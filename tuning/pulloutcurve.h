// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QJsonObject>

#include "benchrig.h"

// The axis's pull-out curve, measured: at each speed the rig runs a move at constant speed
// with a Coulomb load added to the configured one, and the load is raised by bisection
// (Bisections halvings of 0 to the holding torque) until the motor loses steps: in open loop
// when the encoder falls behind the position counter by more than LostSteps full steps, in
// closed loop when the following error exceeds that. The move ramps up gently (Ramp s to the
// speed, so that the inertia's torque is small) and then cruises for Cruise ms.
//
// Recommended limits, with margins: the maximum velocity (4) is SpeedMargin of the stall
// speed, where the closed loop's pull-out torque falls to the configured load; the
// acceleration (5) is what the pull-out torque divided by TorqueMargin, less the load, gives
// the rotor and load inertia at its smallest up to that speed (0 when nothing is left). Both
// are capped at what the parameters can hold.
class PullOutCurve
{
    Q_DECLARE_TR_FUNCTIONS(PullOutCurve)
public:
    static constexpr int Bisections = 7;
    static constexpr double LostSteps = 4.0;  // full steps: one electrical period
    static constexpr double Ramp = 0.25;      // s
    static constexpr int Cruise = 300;        // ms
    static constexpr double TorqueMargin = 1.5;
    static constexpr double SpeedMargin = 0.8;

    struct Point
    {
        double speed = 0.0;      // rev/s
        double openLoop = 0.0;   // N m the motor still carries at that speed
        double closedLoop = 0.0; // N m
    };
    struct Result
    {
        std::vector<Point> points;
        double load = 0.0;            // N m, the configured load at standstill (friction and active)
        double maximumVelocity = 0.0; // rev/s recommended; 0 when the load leaves no reserve
        double acceleration = 0.0;    // rev/s^2 recommended
        int velocityParameter = 0;    // parameter 4, pps
        int accelerationParameter = 0; // parameter 5, pps^2
        bool complete = false;
        QJsonObject toJson() const;
        QString text() const;
    };
    using Progress = std::function<bool(double done)>;

    // `count` speeds from the lowest up to a little beyond where the supply can no longer
    // drive the full current (the model's top speed).
    static std::vector<double> speeds(const MotorPhysics::Motor& motor, int count);
    static Result measure(const BenchRig& rig, const std::vector<double>& speeds, const Progress& progress = Progress());
    // The recommendation from measured points (see above).
    static void recommend(Result* result, const MotorPhysics::Motor& motor, int microstepsPerRevolution);
    // The torque (N m) the rig still carries at `speed` (rev/s) in closed or open loop.
    static double carried(const BenchRig& prepared, double speed, bool closedLoop);
};
