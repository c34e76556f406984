// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchmove.h"

#include <algorithm>
#include <cmath>

#include "simulateddrive.h"

namespace {
const int Counts = 4000;
const double MicrostepsPerCount = 51200.0 / Counts;
} // namespace

MotorPhysics::Motor BenchMove::loadedMotor()
{
    MotorPhysics::Motor motor;
    motor.loadTorque = LoadShare * motor.holdingTorque;
    return motor;
}

BenchMove::Result BenchMove::run(const QList<QPair<int, int>>& parameters, const MotorPhysics::Motor& motor,
                                 double gainScale)
{
    SimulatedDrive drive;
    drive.setTrueEncoderResolution(Counts);
    drive.setAxisParameter(210, 0, Counts);
    for (const auto& parameter : parameters)
        drive.setAxisParameter(parameter.first, 0, parameter.second);
    drive.setAxisParameter(4, 0, Speed);
    drive.setAxisParameter(5, 0, Acceleration);
    drive.setAxisParameter(129, 0, 1);
    drive.advance(SimulatedAxis::ClosedLoopInitTime);
    drive.setMotor(motor);
    drive.axis(0)->controller().setGainScale(gainScale);

    const SimulatedAxis* axis = drive.axis(0);
    const int target = Revolutions * 51200;
    drive.move(0, 1, target);
    Result result;
    double squares = 0.0;
    double current = 0.0;
    int samples = 0;
    int moving = 0;
    qint64 ended = -1;
    qint64 lastOutside = 0;
    const qint64 limit = 60000;
    for (qint64 ms = 1; ms <= limit && (ended < 0 || ms - ended <= RestMilliseconds); ++ms) {
        drive.advance(1);
        const DriveSignals signals = axis->driveSignals();
        const double error = signals.followingError;
        squares += error * error;
        ++samples;
        result.peak = std::max(result.peak, std::abs(error));
        if (axis->isMoving()) {
            current += signals.currentAmplitude;
            ++moving;
            continue;
        }
        if (ended < 0)
            ended = ms;
        // Past the target: the error has the other sign than while following.
        result.overshoot = std::max(result.overshoot, -error);
        if (std::abs(error) > 2 * MicrostepsPerCount)
            lastOutside = ms;
    }
    result.rms = samples ? std::sqrt(squares / samples) : 0.0;
    result.meanCurrent = moving ? current / moving : 0.0;
    result.finalError = axis->driveSignals().followingError;
    result.stopped = axis->value(207) == 1;
    if (ended >= 0 && std::abs(result.finalError) <= 2 * MicrostepsPerCount)
        result.settling = double(std::max<qint64>(0, lastOutside - ended));
    return result;
}
