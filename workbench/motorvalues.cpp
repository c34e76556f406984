// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "motorvalues.h"

#include <QCoreApplication>

#include <cmath>

namespace {

using M = MotorPhysics::Motor;

const MotorValue Rows[] = {
    {"supplyVoltage", "supply-voltage", "V", QT_TRANSLATE_NOOP("main", "Supply voltage of the motor's drive."),
     QT_TRANSLATE_NOOP("MainWindow", "&Supply voltage..."), QT_TRANSLATE_NOOP("MainWindow", "Supply voltage (V):"), 0.0,
     1000.0, false, 1, &M::supplyVoltage, false, QT_TRANSLATE_NOOP("main", "V")},
    {"phaseResistance", "phase-resistance", "OHM", QT_TRANSLATE_NOOP("main", "Resistance of one motor phase."),
     QT_TRANSLATE_NOOP("MainWindow", "Phase &resistance..."), QT_TRANSLATE_NOOP("MainWindow", "Resistance of one phase (Ω):"),
     0.0, 1000.0, false, 3, &M::resistance, false, QT_TRANSLATE_NOOP("main", "Ω")},
    {"phaseInductance", "phase-inductance", "H", QT_TRANSLATE_NOOP("main", "Inductance of one motor phase."),
     QT_TRANSLATE_NOOP("MainWindow", "Phase in&ductance..."), QT_TRANSLATE_NOOP("MainWindow", "Inductance of one phase (H):"),
     0.0, 10.0, false, 6, &M::inductance, false, QT_TRANSLATE_NOOP("main", "H")},
    {"detentTorque", "detent-torque", "NM", QT_TRANSLATE_NOOP("main", "Detent torque of the motor without current."),
     QT_TRANSLATE_NOOP("MainWindow", "&Detent torque..."), QT_TRANSLATE_NOOP("MainWindow", "Detent torque (N·m):"), 0.0,
     1000.0, true, 4, &M::detentTorque, false, QT_TRANSLATE_NOOP("main", "N·m")},
    {"motorDamping", "motor-damping", "NMS",
     QT_TRANSLATE_NOOP("main", "The motor's own damping of motion relative to its field, in N m s per radian."),
     QT_TRANSLATE_NOOP("MainWindow", "&Motor damping..."),
     QT_TRANSLATE_NOOP("MainWindow", "Damping of the motor relative to its field (N·m·s/rad):"), 0.0, 1.0, true, 6,
     &M::damping, false, QT_TRANSLATE_NOOP("main", "N·m·s/rad")},
    {"viscousFriction", "viscous-friction", "NMS", QT_TRANSLATE_NOOP("main", "Viscous friction of the load, in N m s per radian."),
     QT_TRANSLATE_NOOP("MainWindow", "&Viscous friction..."),
     QT_TRANSLATE_NOOP("MainWindow", "Viscous friction of the load (N·m·s/rad):"), 0.0, 100.0, true, 6,
     &M::viscousFriction, false, QT_TRANSLATE_NOOP("main", "N·m·s/rad")},
    {"activeLoadPercent", "active-load", "PERCENT",
     QT_TRANSLATE_NOOP("main", "Active load torque pulling the motor backwards (a vertical axis), in percent of its holding "
                               "torque; negative pulls forwards."),
     QT_TRANSLATE_NOOP("MainWindow", "&Active load..."),
     QT_TRANSLATE_NOOP("MainWindow", "Active load pulling backwards, in % of the holding torque:"), -1000.0, 1000.0, true, 1,
     &M::activeLoad, true, QT_TRANSLATE_NOOP("main", "% of the holding torque")},
    {"loadInertia", "load-inertia", "KGM2", QT_TRANSLATE_NOOP("main", "Inertia of the load on the motor's shaft."),
     QT_TRANSLATE_NOOP("MainWindow", "Load i&nertia..."), QT_TRANSLATE_NOOP("MainWindow", "Inertia of the load (kg·m²):"), 0.0,
     10.0, true, 7, &M::loadInertia, false, QT_TRANSLATE_NOOP("main", "kg·m²")},
};

// The options the command line reads itself, beside the rows: their ranges as data. A rotor
// lighter than 1e-7 kg m² is smaller than any real stepper's.
const MotorValue Limits[] = {
    {"holdingTorque", "holding-torque", "NM", nullptr, nullptr, nullptr, 0.0, 1000.0, false, 3, &M::holdingTorque, false,
     QT_TRANSLATE_NOOP("main", "N·m")},
    {"inertia", "inertia", "KGM2", nullptr, nullptr, nullptr, 1e-7, 10.0, true, 7, &M::inertia, false,
     QT_TRANSLATE_NOOP("main", "kg·m²")},
    {"loadPercent", "load", "PERCENT", nullptr, nullptr, nullptr, 0.0, 1000.0, true, 1, &M::loadTorque, true,
     QT_TRANSLATE_NOOP("main", "% of the holding torque")},
};

} // namespace

bool MotorValue::accepts(double value) const
{
    return std::isfinite(value) && (minimumAllowed ? value >= minimum : value > minimum) && value <= maximum;
}

double MotorValue::read(const MotorPhysics::Motor& motor) const
{
    const double value = motor.*field;
    if (!percentOfHoldingTorque)
        return value;
    return motor.holdingTorque > 0 ? 100.0 * value / motor.holdingTorque : 0.0;
}

void MotorValue::apply(MotorPhysics::Motor& motor, double value) const
{
    motor.*field = percentOfHoldingTorque ? value / 100.0 * motor.holdingTorque : value;
}

const MotorValue* MotorValues::rows()
{
    return Rows;
}

int MotorValues::count()
{
    return int(sizeof(Rows) / sizeof(Rows[0]));
}

const MotorValue* MotorValues::limit(const QString& key)
{
    for (const MotorValue& row : Limits) {
        if (key == QLatin1String(row.key))
            return &row;
    }
    return nullptr;
}

const MotorValue* MotorValues::find(const QString& key)
{
    for (const MotorValue& row : Rows) {
        if (key == QLatin1String(row.key))
            return &row;
    }
    return nullptr;
}
