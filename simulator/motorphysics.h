// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The rotor of a two-phase hybrid stepper on a chopper drive, with its load, integrated from
// the torque equation. Positions are in microsteps of the drive's field frame; one electrical
// period is four full steps.
//
//   J dw/dt = kT I sin(phi_i - theta_e) - Td sin(4 theta_e) - T_load - B w - D (w - w_field) + T_regen
//
// - kT = holding torque / rated current. The current I reaches the set current only while the
//   supply can drive it against resistance, inductance and back-EMF: I = min(I_set, I_max(w))
//   with (I R + kT |w|)^2 + (I we L)^2 <= U^2 where the current drives the rotor; where it
//   brakes, the back-EMF drives the current with the supply, (I R - kT |w|)^2 + (I we L)^2 <=
//   U^2. Where the chopper cannot keep up, the current lags the commanded angle by up to
//   atan(we L / R), in proportion to the shortfall (1 - I_max / I_set), so the lag grows from 0
//   instead of jumping.
// - T_regen: the bridge conducts both ways. Once the back-EMF exceeds the supply the excess
//   drives a current back through the windings into the supply, whose torque brakes:
//   -sign(w) kT (kT |w| - U) R / (R^2 + (we L)^2). With the windings shorted (U taken as 0: a
//   faulted drive, or a chopper holding a standing field in slow decay) this is the
//   short-circuit braking kT^2 w R / (R^2 + (we L)^2).
// - T_load: Coulomb friction against the motion, which holds the rotor still while the other
//   torques stay below it, plus an active load of fixed sign (a weight on a vertical axis).
// - B: viscous friction of the load. D: the motor's own damping of motion relative to its
//   field (eddy currents, the chopper's current loop); it brakes oscillation, not a rotor in
//   step.
// - J: rotor plus load inertia.
//
// Semi-implicit Euler, in sub-steps of at most a sixteenth of the period of the natural
// frequency at the rated current (detent included), but not below 0.1 ms: a rotor lighter than
// about 4.6e-6 kg m^2 rings faster than the drive's 2 kHz control step can see, and the
// field's stiffness is then integrated implicitly too, which damps that ringing; the detent torque is averaged over each
// sub-step, so that at speed it does not alias into slow forces. The terms linear in the
// velocity (B, D and the regenerative braking) are taken implicitly, so that any damping
// stays stable without shrinking the sub-step.
class MotorPhysics
{
public:
    // The simulated motor and its load. Defaults: a 1.8-degree NEMA 23 motor, no load.
    struct Motor
    {
        double holdingTorque = 1.26;  // N m at the rated current
        double ratedCurrent = 2.8;    // A per phase: the drive's maximum current (255)
        double resistance = 0.9;      // ohm per phase
        double inductance = 2.5e-3;   // H per phase
        double supplyVoltage = 48.0;  // V
        double inertia = 3.0e-5;      // kg m^2, the rotor's
        double detentTorque = 0.04;   // N m
        double damping = 1e-3;        // N m s/rad, against motion relative to the field
        double loadTorque = 0.0;      // N m, Coulomb friction against the motion
        double viscousFriction = 0.0; // N m s/rad
        double activeLoad = 0.0;      // N m, pulls towards negative positions when positive
        double loadInertia = 0.0;     // kg m^2
    };

    // What the drive applies during one step, taken as constant over it.
    struct Drive
    {
        double field = 0.0;   // commanded current angle, as a position in microsteps
        double current = 0.0; // set current amplitude, fraction of the rated current
        bool shorted = false; // the bridge shorts the windings (a faulted drive): no set current
        // The field stands and the chopper holds its current in slow decay, the windings
        // shorted nearly all the time: the back-EMF drives its current through them.
        bool holding = false;
        double microstepsPerRevolution = 51200.0;
        double microstepsPerPeriod = 1024.0; // four full steps
    };

    void setMotor(const Motor& motor);
    const Motor& motor() const { return m_motor; }

    // Puts the rotor at `position`, at rest.
    void reset(double position);
    void step(const Drive& drive, double seconds);
    // The field frame was moved by `delta` without the motor turning.
    void shiftFrame(double delta);
    // The drive changes how it counts the field (open and closed loop count it in frames
    // whole electrical periods apart): the field of the last step is taken in the new frame,
    // the whole periods nearest to `field`, so that nothing turns.
    void rebaseField(double field, double microstepsPerPeriod);

    double rotorPosition() const { return m_rotor; } // microsteps
    double rotorVelocity() const { return m_speed; } // microsteps/s
    // Electrical degrees the rotor lags the current vector, negative when it leads.
    double loadAngle() const { return m_loadAngle; }
    double currentAmplitude() const { return m_current; } // fraction of the rated current
    double currentLag() const { return m_lag; }           // electrical radians
    // True when further steps with the same drive change nothing.
    bool isSettled() const { return m_settled; }
    void unsettle() { m_settled = false; }

    // The reachable current amplitude (A) at a mechanical speed (rad/s), and the pull-out
    // torque (N m) at that speed with a set current (A): kT min(set, reachable).
    double reachableCurrent(double radiansPerSecond) const;
    double pullOutTorque(double radiansPerSecond, double setCurrent) const;
    double torqueConstant() const;
    // The speed (rad/s) at which the back-EMF equals the supply: the motor cannot drive itself
    // faster.
    double noLoadSpeed() const;
    // False once a step produced a state that is not finite; the rotor is then kept where it
    // was, at rest.
    bool isFinite() const { return m_finite; }
    // Natural frequency (Hz) of the rotor in its field at a current (A), detent neglected.
    double naturalFrequency(double current) const;

private:
    double reachable(double omega, double teeth, bool braking = false) const;
    void applyCurrent(const Drive& drive, double omega);
    void applyRegeneration(const Drive& drive, double omega);
    void updateSubSteps();
    bool restingInEquilibrium(const Drive& drive) const;

    Motor m_motor;
    double m_rotor = 0.0; // microsteps
    double m_speed = 0.0; // microsteps/s
    double m_lastField = 0.0;
    double m_lastSet = -1.0; // the set current of the last step
    bool m_lastShorted = false;
    bool m_lastHolding = false;
    bool m_hasField = false;
    double m_current = 0.0; // fraction of rated, where it drives the rotor
    double m_lag = 0.0;     // radians
    double m_brakingCurrent = 0.0; // fraction of rated, where it brakes the rotor
    double m_brakingLag = 0.0;
    double m_regenDamping = 0.0; // N m s/rad, the regenerative braking's slope
    double m_regenOffset = 0.0;  // N m, the supply's share of it, towards the motion
    bool m_finite = true;
    double m_loadAngle = 0.0;
    double m_subStep = 1e-4; // s, the longest sub-step
    bool m_stiffImplicit = false; // the field's stiffness integrated implicitly too
    double m_teeth = 50.0;   // the rotor's, from the drive's full steps
    bool m_settled = false;
};
