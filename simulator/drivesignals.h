// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the simulated drive knows about one axis at an instant, for a fast scope. Sampled on the
// simulation clock, once per simulated millisecond while a sink listens (SimulatedDrive).
struct DriveSignals
{
    double followingError = 0.0;     // microsteps: where the drive wants the rotor minus the encoder's position
    double loadAngle = 0.0;          // electrical degrees the rotor lags its field (negative: leads)
    double rotorVelocity = 0.0;      // microsteps/s, signed
    double currentAmplitude = 0.0;   // % of the maximum phase current actually flowing
    double currentScaler = 0.0;      // %, the closed loop's current scaler (0 in open loop)
    double correctionVelocity = 0.0; // microsteps/s, the closed loop's velocity correction
};
