// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QList>
#include <QPair>

#include "motorphysics.h"

class SimulatedDrive;
class SimulatedAxis;

// An offline copy of one axis's configuration (motor, load, encoder, parameters) on a drive
// of its own, so that a measurement never touches the live axis and every run starts alike.
//
// The defined state (prepare): the rotor first moved in open loop by a fraction of a full
// step, which also puts it at a different place within an encoder count, then the closed
// loop initialised and left at rest for RestTime, by which the current scaler has come down
// to its minimum.
class AxisCopy
{
public:
    static constexpr int RestTime = 1000; // ms at standstill before a measurement
    using Parameters = QList<QPair<int, int>>;

    struct Configuration
    {
        MotorPhysics::Motor motor;
        int encoderCounts = 4000;
        bool encoderReversed = false;
        Parameters parameters; // written in this order, before the closed loop starts
    };

    // The configuration of `motor` on a drive (its writable parameters as they stand).
    static Configuration of(const SimulatedDrive& drive, int motor);
    // The default motor with the given load on a 4000-count encoder, 256 microsteps.
    static Configuration standard(const MotorPhysics::Motor& motor = MotorPhysics::Motor());
    // `base` with some parameters replaced or added.
    static Configuration with(Configuration base, const Parameters& changes);
    static int value(const Configuration& configuration, int number, int fallback);

    explicit AxisCopy(const Configuration& configuration);
    ~AxisCopy();

    // Builds the drive afresh in the defined state, the start phase being `phase` (0 to 1) of
    // a full step. False when the closed loop does not come up.
    bool prepare(double phase);

    SimulatedDrive* drive() { return m_drive.get(); }
    SimulatedAxis* axis();
    const Configuration& configuration() const { return m_configuration; }
    void advance(int milliseconds);
    // The rotor as the encoder sees it, in microsteps from where the measurement began.
    double position() const;
    void markOrigin();
    double microstepsPerCount() const;
    double fullStep() const; // microsteps
    // Adds `torque` (N m, pulling backwards) to the load from now on.
    void setLoadStep(double torque);

private:
    Configuration m_configuration;
    std::unique_ptr<SimulatedDrive> m_drive;
    double m_origin = 0.0;
};
