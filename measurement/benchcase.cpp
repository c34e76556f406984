// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchcase.h"

#include <algorithm>
#include <cmath>

namespace {

const double TwoPi = 6.283185307179586;
const double LimitShare = 0.9;   // of the holding torque still available at the fast move's speed
const double FastRamp = 0.1;     // s
const double OverloadRamp = 0.2; // s
const double SpeedStep = 0.5;    // rev/s
const double HighestSpeed = 50.0; // rev/s, for a motor whose torque hardly falls

} // namespace

BenchCase BenchCase::gentleMove()
{
    BenchCase c;
    c.name = QStringLiteral("gentle move");
    c.revolutions = 2.0;
    c.speed = 2.0;
    c.acceleration = 20.0;
    c.watch = 500;
    return c;
}

namespace {

// The highest speed (rev/s) at which the motor's pull-out torque at the maximum current is still
// above `share` of its holding torque, to within a millionth of HighestSpeed.
double speedWhereTorqueFalls(const MotorPhysics::Motor& motor, double share)
{
    MotorPhysics physics;
    physics.setMotor(motor);
    auto available = [&](double revolutionsPerSecond) {
        return physics.pullOutTorque(TwoPi * revolutionsPerSecond, motor.ratedCurrent) > share * motor.holdingTorque;
    };
    if (available(HighestSpeed))
        return HighestSpeed;
    double low = 0.0;
    double high = HighestSpeed;
    for (int i = 0; i < 20; ++i) {
        const double middle = (low + high) / 2;
        (available(middle) ? low : high) = middle;
    }
    return low;
}

} // namespace

BenchCase BenchCase::fastMove(const MotorPhysics::Motor& motor)
{
    BenchCase c;
    c.name = QStringLiteral("fast move");
    c.revolutions = 10.0;
    c.speed = std::max(SpeedStep, std::floor(speedWhereTorqueFalls(motor, LimitShare) / SpeedStep) * SpeedStep);
    c.acceleration = c.speed / FastRamp;
    c.watch = 500;
    return c;
}

BenchCase BenchCase::overloadMove(const MotorPhysics::Motor& motor)
{
    BenchCase c;
    c.name = QStringLiteral("overload move");
    c.revolutions = 35.0;
    const double load = motor.holdingTorque > 0 ? (motor.loadTorque + std::abs(motor.activeLoad)) / motor.holdingTorque : 0.0;
    c.speed = (std::floor(speedWhereTorqueFalls(motor, load) / SpeedStep) + 1) * SpeedStep;
    c.acceleration = c.speed / OverloadRamp;
    c.watch = 1000;
    return c;
}

BenchCase BenchCase::loadStepCase()
{
    BenchCase c;
    c.name = QStringLiteral("load step");
    c.kind = Kind::LoadStep;
    c.loadStep = 0.5;
    c.watch = 1000;
    return c;
}

QString BenchCase::title() const
{
    if (kind == Kind::LoadStep)
        return tr("load step");
    if (name == QLatin1String("overload move"))
        return tr("overload move");
    return name == QLatin1String("fast move") ? tr("fast move") : tr("gentle move");
}

QString BenchCase::description() const
{
    if (kind == Kind::LoadStep)
        return tr("%1: a weight pulling with %2 % of the holding torque hung on at standstill; watched %3 ms")
            .arg(title())
            .arg(100.0 * loadStep, 0, 'g', 3)
            .arg(watch);
    return tr("%1: %2 revolutions at %3 rev/s, ramps of %4 rev/s²; watched %5 ms after the ramp")
        .arg(title())
        .arg(revolutions, 0, 'g', 3)
        .arg(speed, 0, 'g', 3)
        .arg(acceleration, 0, 'g', 4)
        .arg(watch);
}
