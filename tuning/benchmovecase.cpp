// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchmovecase.h"

#include <algorithm>
#include <cmath>

#include "simulateddrive.h"

BenchMoveCase::Result BenchMoveCase::run(const AxisCopy::Configuration& configuration, int repetitions)
{
    Result result;
    std::vector<double> rms;
    std::vector<double> peaks;
    double scalerSum = 0.0;
    int cruising = 0;
    AxisCopy copy(configuration);
    for (int repetition = 0; repetition < std::max(1, repetitions); ++repetition) {
        if (!copy.prepare(double(repetition) / std::max(1, repetitions))) {
            result.stopped = true;
            break;
        }
        SimulatedAxis* axis = copy.axis();
        const double revolution = axis->microstepsPerRevolution();
        const int speed = int(std::lround(Speed * revolution));
        copy.drive()->setAxisParameter(4, 0, speed);
        copy.drive()->setAxisParameter(5, 0, int(std::lround(Acceleration * revolution)));
        copy.drive()->move(0, 1, int(std::lround(Revolutions * revolution)));
        double squares = 0.0;
        double peak = 0.0;
        int samples = 0;
        int resting = 0;
        double low = 1e300;
        double high = -1e300;
        double jitter = 0.0;
        const int limit = int(std::ceil(1000.0 * (Revolutions / Speed + Speed / Acceleration))) + 2000;
        for (int ms = 0; ms < limit && resting < Rest; ++ms) {
            copy.advance(1);
            const DriveSignals sample = axis->driveSignals();
            squares += sample.followingError * sample.followingError;
            peak = std::max(peak, std::abs(sample.followingError));
            ++samples;
            if (axis->isMoving()) {
                if (axis->value(2) == speed) {
                    scalerSum += sample.currentScaler / 100.0;
                    ++cruising;
                }
                continue;
            }
            if (++resting > Rest - HuntWindow) {
                low = std::min(low, copy.position());
                high = std::max(high, copy.position());
                jitter = std::max(jitter, std::abs(sample.followingError));
            }
        }
        if (axis->value(207) == 1 || resting < Rest)
            result.stopped = true;
        if (high - low > LimitCycleCounts * copy.microstepsPerCount())
            result.limitCycle = true;
        result.restJitter = std::max(result.restJitter, jitter);
        rms.push_back(samples ? std::sqrt(squares / samples) : 0.0);
        peaks.push_back(peak);
    }
    result.rms = MeasuredValue::of(rms);
    result.peak = MeasuredValue::of(peaks);
    result.cruiseScaler = cruising ? scalerSum / cruising : 0.0;
    return result;
}
