// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>

#include "motorphysics.h"

// One case of the comparison protocol: a relative move forwards, or a load-torque step at
// standstill, with how long it is watched afterwards.
//
// - Gentle move: 2 revolutions at 2 rev/s, accelerating and braking at 20 rev/s²; watched
//   500 ms after the ramp's end.
// - Fast move, near the motor's limits: 10 revolutions at the speed where the motor's pull-out
//   torque at the maximum current has fallen to 90 % of its holding torque (the supply no
//   longer drives the full current against back-EMF and inductance), rounded down to 0.5 rev/s,
//   with ramps of 0.1 s; watched 500 ms after the ramp's end. 13 rev/s and 130 rev/s² for the
//   default motor.
// - Overload move, just beyond the motor's limits: 35 revolutions at the first multiple of
//   0.5 rev/s above the speed where the motor's pull-out torque at the maximum current falls to
//   its load (Coulomb friction and active load), with ramps of 0.2 s; watched 1000 ms after the
//   ramp. The rotor falls behind while the ramp cruises and the closed loop's correction runs
//   into its clippings (117, 119). 16.5 rev/s and 82.5 rev/s² for the default motor with 30 %
//   friction, 17 rev/s without load. Not one of the standard cases.
// - Load step: at standstill a torque of fixed sign (a weight hung on) of 50 % of the holding
//   torque; watched 1000 ms. Coulomb friction holds part of it: from 50 % friction on the rotor
//   does not move at all.
struct BenchCase
{
    Q_DECLARE_TR_FUNCTIONS(BenchCase)
public:
    enum class Kind { Move, LoadStep };

    QString name; // English, as in reports
    Kind kind = Kind::Move;
    double revolutions = 0.0;
    double speed = 0.0;        // rev/s
    double acceleration = 0.0; // rev/s²
    double loadStep = 0.0;     // share of the holding torque
    qint64 watch = 0;          // ms after the ramp's end or the step

    static BenchCase gentleMove();
    static BenchCase fastMove(const MotorPhysics::Motor& motor);
    static BenchCase overloadMove(const MotorPhysics::Motor& motor);
    static BenchCase loadStepCase();

    // The case's name and its figures, in the user's language.
    QString title() const;
    QString description() const;
};
