// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchmovecase.h"

#include <algorithm>
#include <cmath>

#include "axisprobe.h"
#include "benchcase.h"

BenchMoveCase::Result BenchMoveCase::run(const BenchRig& base, int repetitions)
{
    Result result;
    std::vector<double> rms;
    double scalerSum = 0.0;
    int cruising = 0;
    const BenchCase gentle = BenchCase::gentleMove();
    repetitions = std::max(1, repetitions);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        BenchRig rig = base;
        const double phase = double(repetition) / repetitions;
        const double revolution = rig.microstepsPerRevolution();
        const int speed = int(std::lround(gentle.speed * revolution));
        if (!rig.prepare(phase, phase)
            || !rig.move(int(std::lround(gentle.revolutions * revolution)), speed,
                         int(std::lround(gentle.acceleration * revolution)))) {
            result.stopped = true;
            break;
        }
        const SimulatedAxis& axis = rig.axis();
        double squares = 0.0;
        int samples = 0;
        int resting = 0;
        double low = 1e300;
        double high = -1e300;
        const int limit = int(std::ceil(1000.0 * (gentle.revolutions / gentle.speed + gentle.speed / gentle.acceleration)))
                          + 2000;
        for (int ms = 0; ms < limit && resting < Rest; ++ms) {
            rig.advance(1);
            const DriveSignals sample = axis.driveSignals();
            squares += sample.followingError * sample.followingError;
            ++samples;
            if (axis.isMoving()) {
                if (axis.value(2) == speed) {
                    scalerSum += sample.currentScaler / 100.0;
                    ++cruising;
                }
                continue;
            }
            if (++resting > Rest - HuntWindow) {
                const double position = AxisProbe::encoderPosition(rig);
                low = std::min(low, position);
                high = std::max(high, position);
                result.restJitter = std::max(result.restJitter, std::abs(sample.followingError));
            }
        }
        if (axis.value(207) == 1 || resting < Rest)
            result.stopped = true;
        if (high - low > LimitCycleCounts * rig.microstepsPerCount())
            result.limitCycle = true;
        rms.push_back(samples ? std::sqrt(squares / samples) : 0.0);
    }
    result.rms = Spread(rms);
    result.cruiseScaler = cruising ? scalerSum / cruising : 0.0;
    return result;
}
