// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

#include "drivesignals.h"
#include "motorphysics.h"
#include "simulateddrive.h"

// An offline copy of one axis's configuration to measure on: a drive of its own, without a
// clock, advanced as fast as it computes. The axis it was copied from is never touched.
//
// It takes the axis's parameter values (not its positions and counters, nor the closed loop's
// state), the motor with its load and the encoder (resolution, direction). prepare() brings it
// to the defined state every measurement starts from: the closed loop initialised with the
// rotor shifted from a detent by a fraction of a full step and the encoder's disc by a fraction
// of a count, then RestTime at standstill, in which the current scaler falls to its minimum (or
// to what the load needs).
//
// The rig's axis is axis 0 of its own drive. Samples of the drive's signals are taken every
// simulated millisecond while recording, with times from the recording's start (the first at
// 1 ms).
class BenchRig
{
    Q_DECLARE_TR_FUNCTIONS(BenchRig)
public:
    static constexpr qint64 RestTime = 1000; // ms at standstill after the initialisation

    struct Sample
    {
        qint64 time; // ms from the recording's start
        DriveSignals values;
        bool moving; // the ramp still runs
    };

    // The configuration of `motor` on `drive`.
    BenchRig(const SimulatedDrive& drive, int motor);
    // The catalogue's defaults with `parameters` (number, value) written over them, a
    // 4000-count encoder counting with the shaft, and this motor and load.
    BenchRig(const MotorPhysics::Motor& motor, const QList<QPair<int, int>>& parameters);
    BenchRig(const BenchRig& other);
    BenchRig& operator=(const BenchRig& other);

    // False when the drive refuses the value (unknown, read-only, out of range).
    bool setParameter(int number, int value);
    int parameter(int number) const;

    enum class Loop { Open, Closed };
    // The defined state; false, with errorString(), when the closed loop cannot start with this
    // configuration (no encoder, a resolution that does not match it, microsteps other than 256).
    // The phases are taken modulo 1. In open loop the rotor is moved by the shift at the run
    // current and rests RestTime at the standby current, which may pull it onto a detent.
    bool prepare(double fullStepPhase, double countPhase, Loop loop = Loop::Closed);
    QString errorString() const { return m_error; }

    // A relative move of `distance` microsteps at `speed` pps, accelerating and braking at
    // `acceleration` pps/s (parameters 4 and 5 are set to them); false when the drive refuses it.
    bool move(int distance, int speed, int acceleration);
    // Advances until the ramp has ended, at most `limit` ms; false when it still runs.
    bool finishMove(qint64 limit);
    // A torque (N m) of fixed sign added to the load at once: positive pulls towards negative
    // positions, as a weight hung on.
    void addLoadTorque(double torque);
    void advance(qint64 milliseconds);

    void startRecording();
    void stopRecording();
    const std::vector<Sample>& samples() const { return m_samples; }

    SimulatedDrive& drive() { return m_drive; }
    const SimulatedDrive& drive() const { return m_drive; }
    const SimulatedAxis& axis() const { return *m_drive.axis(0); }
    const MotorPhysics::Motor& motor() const { return m_drive.motor(); }
    int microstepsPerRevolution() const;
    double fullStep() const;          // microsteps
    double microstepsPerCount() const; // of the encoder as built in; 0 without one

private:
    void listen();

    SimulatedDrive m_drive;
    bool m_recording = false;
    qint64 m_recordStart = 0;
    std::vector<Sample> m_samples;
    QString m_error;
};
