// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <vector>

#include <QtGlobal>

#include "parametercatalogue.h"
#include "simulatedaxis.h"

class Command;

// A three-axis stepper drive without a connection: the state behind the simulated module.
// Time passes only through advance().
//
// Commands: 3 stop, 4 move (type 0 absolute, 1 relative to the actual position, in
// microsteps), 5 set and 6 get an axis parameter. A reply echoes address, command, type and
// motor bank; its value is the value read (get) or the request's value (every other
// command). A request that fails changes nothing; its status tells why.
//
// Read-only for set: 2, 3, 8, 133, 207 (derived from the motion and the encoder) and 179 (a
// hardware setting, see setReducedRange). Writing 0 starts an absolute move, writing 1
// sets the position counter, writing 209 sets the encoder count.
//
// The encoder is built in with its own resolution and direction (trueEncoderResolution,
// encoderReversed), independent of parameter 210: the count follows the shaft, and the
// shaft turns against the position counter while parameter 251 is set. Setting 129 to 1
// runs the closed-loop initialisation for SimulatedAxis::ClosedLoopInitTime; it then sets
// 133 to 1 if 140 is 8 and 210 equals the encoder's counts per revolution, negative when
// the encoder counts down while the position counter counts up (exactly one of encoder
// reversed and 251 set). Otherwise 133 stays 0. Setting 129 to 0 clears 133.
class SimulatedDrive
{
public:
    static constexpr int AxisCount = 3;

    static constexpr int StatusOk = 100;
    static constexpr int StatusInvalidCommand = 2; // command other than 3, 4, 5, 6
    static constexpr int StatusWrongType = 3;      // unknown parameter, or move type other than 0 and 1
    static constexpr int StatusInvalidValue = 4;   // outside the parameter's range, or a move target beyond 32 bits
    static constexpr int StatusReadOnly = 5;       // set on a read-only parameter
    static constexpr int StatusInvalidMotor = 6;   // motor bank AxisCount or more

    SimulatedDrive();

    // Carries out the request and fills the reply; returns the reply's status.
    int execute(Command request, Command* reply);

    // The same operations without a command record; each returns a status as above.
    int getAxisParameter(int type, int motor, int* value) const;
    int setAxisParameter(int type, int motor, int value);
    int move(int motor, int type, int value);
    int stop(int motor);

    void advance(qint64 milliseconds);
    qint64 time() const { return m_time; } // ms advanced so far

    // Called after every simulated millisecond with the time (ms) and each axis's signals,
    // while set; an empty function stops it. Time then advances a millisecond at a time.
    using SignalSink = std::function<void(qint64 time, int motor, const DriveSignals& sample)>;
    void setSignalSink(SignalSink sink) { m_signalSink = std::move(sink); }

    const ParameterCatalogue& catalogue() const { return m_catalogue; }
    // Null for a motor number out of range.
    SimulatedAxis* axis(int motor);
    const SimulatedAxis* axis(int motor) const;

    // Hardware of all axes.
    // 0: an encoder that gives no counts (not connected); negative values are ignored.
    void setTrueEncoderResolution(int countsPerRevolution);
    int trueEncoderResolution() const { return m_encoderCounts; }
    void setEncoderReversed(bool reversed);
    bool encoderReversed() const { return m_encoderReversed; }
    void setReducedRange(bool on); // parameter 179
    bool reducedRange() const { return m_reducedRange; }
    // The motor and load of every axis (see MotorPhysics).
    void setMotor(const MotorPhysics::Motor& motor);
    const MotorPhysics::Motor& motor() const { return m_motor; }

private:
    void applyEncoder();

    ParameterCatalogue m_catalogue;
    std::vector<SimulatedAxis> m_axes;
    qint64 m_time = 0;
    int m_encoderCounts = 4000;
    bool m_encoderReversed = false;
    bool m_reducedRange = false;
    MotorPhysics::Motor m_motor;
    SignalSink m_signalSink;
};
