// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// The drive's closed-loop controller. It sees the rotor only through the encoder count and
// the encoder settings (210, negative when the encoder counts down), and answers each control
// step with the field position and the current amplitude for the motor. Positions are in
// microsteps of the drive's field frame.
//
// - Measured position: the rotor's position at the initialisation, which the alignment finds
//   to within half a count, plus the counts since, in microsteps. The target is the ramp's
//   position less what the rotor had lost by then (not made up). The following error is
//   counted in whole encoder counts: the target's count minus the encoder's, so the
//   controller rests once the rotor is in the target's count.
// - Velocity correction: a PI on the following error e (microsteps) adds a correction
//   velocity to the ramp's: P (115) in pps per 256 microsteps of error, I (116) in 1/16 pps per
//   microstep-second, the integral clipped to the I clipping (117) so that at most I x 117 pps
//   come from it, and the sum clipped to the DV clipping (119, pps) and to what the motor can
//   follow: the ramp plus the correction never asks for more than the motor's no-load speed.
//   While the output is clipped, or the field already leads by all it can, the integral
//   stops growing (anti-windup): it would only push the rotor past the target afterwards. The
//   field target moves with the ramp plus the correction.
// - Runaway guard: the rotor moving away from the target against a correction that is
//   already at its limit, for RunawayTime, is a runaway (an encoder that counts the wrong way,
//   a load the motor cannot hold); runningAway() tells the drive to stop.
// - Commutation: the field sits where the field target asks, less a damping term on the
//   measured velocity, but never more than a quarter of an electrical period from the
//   measured rotor angle: at worst it leads by 90 degrees, the angle of the most torque. Field
//   weakening adds gamma in the direction of motion: 0 up to the gamma velocity minimum (108,
//   pps), growing linearly to the maximum gamma (110, 255 = 90 electrical degrees) at the
//   gamma velocity maximum (109, pps), so that a current lagging at speed still pulls at 90.
// - Current scaling (fractions of the maximum current, 255 = 100 %): the start-up value (126)
//   while initialising; afterwards the scaler rises while the following error is outside the
//   tolerance (125, microsteps) and falls towards the minimum (113) while it is inside, never
//   beyond the maximum (114); the upscale and downscale delays (120, 121) are the times in
//   microseconds for the whole range 0 to 255.
class ClosedLoopController
{
public:
    struct Settings
    {
        double scalerMinimum = 50.0 / 255; // fractions of the maximum current
        double scalerMaximum = 1.0;
        double scalerStartUp = 1.0;
        double upscaleTime = 0.01;   // s for the whole range
        double downscaleTime = 0.1;  // s for the whole range
        double tolerance = 51.0;     // microsteps
        double gammaVelocityMinimum = 300000.0; // pps
        double gammaVelocityMaximum = 1600000.0;
        double gammaMaximum = 1.5707963267948966; // electrical radians
        double p = 3000.0 / 256; // 1/s
        double i = 20.0 / 16;   // 1/s^2
        double iClipping = 2000.0; // integral limit, in units of 16 microstep-seconds
        double dvClipping = 100000.0; // pps
        double microstepsPerCount = 12.8; // signed: negative when the encoder counts down
        double microstepsPerPeriod = 1024.0;
        double velocityLimit = 0.0; // pps the motor can reach at most; 0: no limit
    };
    struct Output
    {
        double field = 0.0;
        double current = 0.0; // fraction of the maximum current
    };

    // Builds the settings from the axis parameters (values as the drive stores them).
    static Settings fromParameters(int scalerMinimum, int scalerMaximum, int scalerStartUp, int upscaleDelay,
                                   int downscaleDelay, int tolerance, int gammaVmin, int gammaVmax, int gammaMaximum,
                                   int p, int i, int iClipping, int dvClipping, double microstepsPerCount,
                                   double microstepsPerPeriod);

    // The alignment found the rotor at `rotor` with the encoder at `count` and the ramp at
    // `target`.
    void start(const Settings& settings, double rotor, double target, qint64 count);
    // One control step of `seconds`: the ramp's position (target) and velocity, the count now.
    Output update(const Settings& settings, double target, double rampVelocity, qint64 count, double seconds);
    // Multiplies P beyond what parameter 115 can hold, for the bench.
    void setGainScale(double factor) { m_gainScale = factor; }
    // Added to the target the following error is taken against, not to the field it places:
    // a test signal at the feedback's own input. 0 in normal use.
    void setErrorOffset(double microsteps) { m_errorOffset = microsteps; }
    // The frame moved by `delta` microsteps without the motor turning.
    void shiftFrame(double delta) { m_anchorField += delta; }

    qint64 followingErrorCounts() const { return m_errorCounts; }
    double followingError() const { return m_error; } // microsteps
    double correctionVelocity() const { return m_correction; }
    double scaler() const { return m_scaler; } // fraction of the maximum current
    // True while nothing changes from step to step at rest.
    bool isQuiet() const { return m_quiet; }
    bool runningAway() const { return m_runaway >= RunawayTime; }
    static constexpr double RunawayTime = 0.05; // s

private:
    double gamma(const Settings& settings, double speed) const;
    void scale(const Settings& settings, double seconds);

    double m_anchorField = 0.0;
    double m_targetOffset = 0.0;
    qint64 m_anchorCount = 0;
    qint64 m_lastCount = 0;
    double m_offset = 0.0;   // integrated correction, microsteps
    double m_integral = 0.0; // units of 16 microstep-seconds
    double m_velocity = 0.0; // measured over the last step, pps
    double m_error = 0.0;
    qint64 m_errorCounts = 0;
    double m_correction = 0.0;
    double m_lead = 0.0;    // microsteps the field led the measured rotor by, last step
    double m_runaway = 0.0; // s the rotor has run away from the target
    double m_scaler = 1.0;
    bool m_quiet = false;
    double m_gainScale = 1.0;
    double m_errorOffset = 0.0;
};
