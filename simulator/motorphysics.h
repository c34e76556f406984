#pragma once

// The rotor of a two-phase hybrid stepper behind the drive's commanded field, with a load.
// Positions are in microsteps of the position counter; one electrical period is four full
// steps. The model is quasi-static while the rotor is in step and dynamic only while it is
// not, so a rotor in step sits exactly where its torque balance puts it:
//
// - Available torque: holding torque x phase current (fraction of the maximum) x
//   (1 - speed / maximum speed), never below 0: a linear pull-out curve.
// - Demanded torque: inertia x commanded acceleration, plus the load torque against the
//   motion. The load acts like a brake: it resists motion and holds the rotor wherever
//   the field cannot pull it free, but drives nothing at standstill.
// - Open loop: the rotor lags the field by the load angle asin(demanded / available). When
//   the demand exceeds the available torque the rotor falls out of step; the slipping motor
//   still pulls it towards the field's speed with 2/pi of its torque (the mean over the half
//   period it pulls). It falls back into step, whole electrical periods behind or ahead,
//   once the field is slow enough relative to the rotor to catch it within one period.
// - At rest the field carries the standby current; the rotor stays where it is as long as
//   the field's pull there does not exceed the load, else it moves until it does.
// - Closed loop: the controller keeps the rotor on the commanded position and scales the
//   current between the scaler minimum and maximum to the demand. When even the maximum is
//   not enough, it pushes with the maximum towards the commanded position until the rotor
//   has caught up.
class MotorPhysics
{
public:
    // Settings of the simulated motor and its load.
    struct Motor
    {
        double holdingTorque = 1.0; // N m at the maximum current
        double maxSpeed = 30.0;     // rev/s where the pull-out torque reaches 0
        double inertia = 5e-5;      // kg m^2, rotor and load
        double loadTorque = 0.0;    // N m, against the motion
    };

    // What the drive does during one step, taken as constant over it.
    struct Drive
    {
        double position = 0.0;     // commanded position at the end of the step, microsteps
        double velocity = 0.0;     // commanded velocity at the end of the step, microsteps/s
        double acceleration = 0.0; // commanded acceleration over the step, microsteps/s^2
        bool moving = false;       // a move runs: run current, else standby current
        double microstepsPerRevolution = 51200.0;
        double microstepsPerPeriod = 1024.0; // four full steps
        double runCurrent = 0.5;             // fractions of the maximum current
        double standbyCurrent = 0.03;
        bool closedLoop = false;
        double scalerMinimum = 0.2; // closed-loop current range, fractions of the maximum
        double scalerMaximum = 1.0;
    };

    void setMotor(const Motor& motor);
    const Motor& motor() const { return m_motor; }

    // Puts the rotor on the field at `position`, in step, at rest.
    void reset(double position);
    void step(const Drive& drive, double seconds);
    // The position counter was moved by `delta` without the motor turning.
    void shiftFrame(double delta);
    // The closed loop takes the rotor's present place as its reference from now on.
    void takeReference(double commandedPosition);

    double rotorPosition() const { return m_rotor; }
    double rotorVelocity() const { return m_speed; }
    // Where the drive wants the rotor: the commanded position less the reference offset.
    double expectedPosition(double commandedPosition) const { return commandedPosition - m_reference; }
    double loadAngle() const { return m_loadAngle; } // electrical degrees, positive when behind
    bool inStep() const { return m_state != State::Free; }
    // True when further steps at rest change nothing until a setting changes.
    bool isSettled() const { return m_settled; }
    void unsettle() { m_settled = false; }

private:
    enum class State { InStep, Free };

    double available(const Drive& drive, double current, double speed) const;
    double demanded(const Drive& drive) const;
    double restBand(double availableTorque) const;
    void stepOpenLoop(const Drive& drive, double seconds);
    void stepClosedLoop(const Drive& drive, double seconds);
    void coast(const Drive& drive, double motorTorque, double seconds);
    bool tryCatch(const Drive& drive, double availableTorque);
    void lockOpenLoop(const Drive& drive, double angle);

    Motor m_motor;
    State m_state = State::InStep;
    double m_rotor = 0.0;     // microsteps
    double m_speed = 0.0;     // microsteps/s
    double m_slip = 0.0;      // whole periods the rotor sits behind the field, in microsteps
    double m_angle = 0.0;     // open-loop load angle in step, electrical radians
    double m_reference = 0.0; // commanded minus rotor position the closed loop keeps
    double m_loadAngle = 0.0; // degrees
    bool m_settled = false;
};
