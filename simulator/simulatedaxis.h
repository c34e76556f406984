// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QtGlobal>

#include "drivesignals.h"
#include "closedloopcontroller.h"
#include "motorphysics.h"

class ParameterCatalogue;

// One motor with its encoder: the axis-parameter values, the ramp generator, the encoder
// and the closed-loop initialisation. Values are taken as valid; range and access checks
// are the drive's.
//
// Motion is integrated in closed form, so the result does not depend on how time is cut
// into steps, and a move ends exactly on its target:
// - a move accelerates with parameter 5 up to parameter 4, cruises and decelerates so that
//   it comes to rest on the target; if parameter 4 cannot be reached the profile is a
//   triangle. A new target or new limits take effect at once, overshooting and coming back
//   when the drive cannot brake in time;
// - stop decelerates with parameter 5 and leaves the target where it was, so parameter 8
//   stays 0 unless the stop happens to end on it. A stopped motor rests on a whole microstep.
// Parameters 17 and 22 to 25 (ramp shape) are stored but the ramp is always a trapezoid.
//
// The ramp is the commanded position. In open loop the drive's field follows it with the run
// current (6) while a move runs and the standby current (7) at rest; in closed loop
// (ClosedLoopController, once 133 = 1) the controller sets field and current from the
// encoder count. The rotor follows the field through MotorPhysics, stepped in fixed steps of
// StepSeconds, so the result does not depend on how advance() cuts time into whole
// milliseconds. The encoder counts the rotor: floor(rotor revolutions x counts) in its own
// direction.
//
// Measured velocity (3): the change of the encoder count per step, in microsteps per second
// through 210, 202 and 140, low-pass filtered with MeasuredVelocityFilter.
//
// Faults: a rotor state that is not finite, a rotor faster than a quarter beyond the motor's
// no-load speed (only a load can drive it there; the back-EMF then pumps the supply up), a
// rotor beyond the position counter's range, or a closed loop running away (see
// ClosedLoopController) stop the drive at once: the ramp stands, the closed loop is off (133
// reads 0), the bridge shorts the windings, which brake the rotor, and 207 reads 1. A new
// move or 129 = 1 clears the fault.
//
// Deviation guard: with parameter 212 not 0, a move whose deviation exceeds 212 microsteps is
// stopped as by command 3, and parameter 207 reads 1 until the next move starts. The
// deviation is the drive's own view: in closed loop the controller's following error, in open
// loop the position counter's travel minus the encoder's converted through 210, since the
// last time either was set.
class SimulatedAxis
{
public:
    static constexpr qint64 ClosedLoopInitTime = 1000; // ms
    static constexpr int StepsPerMillisecond = 2;
    static constexpr double StepSeconds = 0.001 / StepsPerMillisecond;
    static constexpr double MeasuredVelocityFilter = 0.01; // s
    static constexpr double OverspeedFactor = 1.25; // of the no-load speed

    enum class Fault { None, NotFinite, Overspeed, PositionRange, Runaway };

    explicit SimulatedAxis(const ParameterCatalogue& catalogue);

    // The present value of a catalogued parameter, derived ones included: 0 target,
    // 1 actual position, 2 ramp velocity, 3 measured velocity, 8 position reached,
    // 133 closed loop initialised, 207 deviation error, 209 encoder count.
    int value(int number) const;
    // A write through set-axis-parameter, with its side effects:
    // 0 starts an absolute move; 1 sets the position counter (the target moves with it);
    // 129 = 1 starts the closed-loop initialisation unless it runs or has succeeded,
    // 129 = 0 clears 133; 209 sets the encoder count.
    void write(int number, int value);
    // Sets a stored value without side effects (hardware settings such as 179).
    void setStoredValue(int number, int value);

    void moveTo(int target);
    void stop();
    void advance(qint64 milliseconds);

    // The encoder as it is built in: counts per revolution and whether it counts against the
    // shaft. The count it shows so far is kept.
    void setEncoder(int countsPerRevolution, bool reversed);

    bool isMoving() const { return m_mode != Mode::Idle; }
    double exactPosition() const { return m_position; }
    double velocity() const { return m_velocity; } // pps, signed
    int microstepsPerRevolution() const;
    // The value parameter 210 must have for the closed-loop initialisation to succeed: the
    // encoder's counts per revolution, negative when it counts down while the motor's
    // position counter counts up (encoder reversed or shaft reversed, not both).
    int matchingEncoderResolution() const;
    bool isClosedLoopInitialising() const { return m_initRemaining >= 0; }

    // The motor and its load.
    void setMotor(const MotorPhysics::Motor& motor) { m_physics.setMotor(motor); }
    const MotorPhysics& physics() const { return m_physics; }
    // In counts: in closed loop the controller's following error (the target's count minus
    // the encoder's); in open loop the count expected at the actual position (parameter 1,
    // less the steps lost before the closed loop last started) minus the encoder count.
    double positionDeviation() const;
    const ClosedLoopController& controller() const { return m_controller; }
    ClosedLoopController& controller() { return m_controller; }
    bool isClosedLoopRunning() const { return m_closedLoopReady; }
    Fault fault() const { return m_fault; }
    // The fault in a few words, for a log; empty without one.
    static const char* faultText(Fault fault);
    // Electrical degrees the rotor lags its field, negative when it leads.
    double loadAngle() const { return m_physics.loadAngle(); }
    // The drive's fast signals now (see DriveSignals).
    DriveSignals driveSignals() const;

private:
    enum class Mode { Idle, Positioning, Stopping };

    double acceleration() const;
    void integrate(double seconds, double acceleration);
    void shiftPosition(double delta);
    void arrive();
    void rest();
    void advanceMotion(double seconds);
    MotorPhysics::Drive driveSettings() const;
    ClosedLoopController::Settings controllerSettings() const;
    void startController();
    void measureVelocity(qint64 count, double seconds);
    void resynchronise();
    double driveDeviation(qint64 count) const;
    void checkDeviation(qint64 count);
    void checkFault();
    void trip(Fault fault);
    void foldEncoder();
    double encoderPhaseAt(double rotorPosition) const;
    qint64 countAt(double rotorPosition) const;
    qint64 encoderCount() const;
    bool closedLoopMatches() const;

    QHash<int, int> m_values;

    Mode m_mode = Mode::Idle;
    double m_position = 0.0; // microsteps
    double m_velocity = 0.0; // pps
    int m_target = 0;
    double m_finalDeceleration = 0.0; // > 0 on the last ramp, chosen to end on the target

    int m_encoderCounts = 4000;
    bool m_encoderReversed = false;
    double m_encoderPhase = 0.0; // counts, fraction included, at the last fold
    double m_foldRotor = 0.0;    // rotor position at the last fold

    MotorPhysics m_physics;
    ClosedLoopController m_controller;
    bool m_deviationError = false;
    Fault m_fault = Fault::None;
    double m_reference = 0.0;      // commanded minus rotor position when the closed loop last started
    double m_measuredVelocity = 0.0; // pps, filtered
    qint64 m_lastCount = 0;
    double m_syncPosition = 0.0;   // position counter and encoder count when last set
    qint64 m_syncCount = 0;
    bool m_rebaseField = false; // the field changes frame at the next step

    qint64 m_initRemaining = -1; // ms until the closed-loop initialisation ends; -1 idle
    bool m_closedLoopReady = false;
};
