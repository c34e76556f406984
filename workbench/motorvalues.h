// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "motorphysics.h"

// The further settings of the simulated motor and its load, beyond load, holding torque and
// inertia: one row each, shared by the command line, the Module menu and the remembered
// settings. A value is usable when it lies within [minimum, maximum] (above the minimum where
// the minimum itself is not allowed).
struct MotorValue
{
    const char* key;         // settings key; the option is the key in lower case with dashes
    const char* option;      // command-line option
    const char* valueName;   // placeholder in the option's help
    const char* description; // the option's help (context "main")
    const char* menuText;    // Module menu entry (context "MainWindow")
    const char* prompt;      // the entry's question (context "MainWindow")
    double minimum;
    double maximum;
    bool minimumAllowed;
    int decimals;
    double MotorPhysics::Motor::*field;
    bool percentOfHoldingTorque; // kept as a share when the holding torque changes
    const char* unit;            // in the option's message (context "main")

    bool accepts(double value) const;
    // The value as the menu and the settings show it, read from the motor.
    double read(const MotorPhysics::Motor& motor) const;
    // Sets the value into the motor.
    void apply(MotorPhysics::Motor& motor, double value) const;
};

namespace MotorValues {
// The rows, in menu order; null-terminated by `count`.
const MotorValue* rows();
int count();
const MotorValue* find(const QString& key);
// The range of an option the command line reads itself ("holdingTorque", "inertia",
// "loadPercent"), for its check and message; not a row of the menu. Null for another key.
const MotorValue* limit(const QString& key);
} // namespace MotorValues
