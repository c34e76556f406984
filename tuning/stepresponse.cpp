// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stepresponse.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>

#include "axisprobe.h"
#include "benchcase.h"
#include "spreadformat.h"

void StepResponse::figures(const std::vector<double>& trace, double target, double band, double* rise,
                           double* overshoot, double* settling, double* steady, double* peak)
{
    *rise = -1.0;
    *overshoot = 0.0;
    *settling = -1.0;
    *peak = 0.0;
    double t10 = -1.0;
    double previous = 0.0;
    int lastOutside = -1;
    for (size_t k = 0; k < trace.size(); ++k) {
        const double y = trace[k];
        // Crossing times interpolated within the millisecond.
        auto at = [&](double level) { return y != previous ? double(k) - (y - level) / (y - previous) : double(k); };
        if (target != 0.0) {
            const double share = y / target;
            if (t10 < 0 && share >= 0.1)
                t10 = at(0.1 * target);
            if (*rise < 0 && t10 >= 0 && share >= 0.9)
                *rise = at(0.9 * target) - t10;
            *overshoot = std::max(*overshoot, 100.0 * (share - 1.0));
        }
        *peak = std::max(*peak, std::abs(y - target));
        if (std::abs(y - target) > band)
            lastOutside = int(k);
        previous = y;
    }
    if (lastOutside < int(trace.size()) - 1)
        *settling = double(lastOutside + 1);
    const size_t n = std::min<size_t>(trace.size(), SteadyTime);
    double sum = 0.0;
    for (size_t k = trace.size() - n; k < trace.size(); ++k)
        sum += target - trace[k];
    *steady = n ? sum / double(n) : 0.0;
}

StepResponse::Result StepResponse::measure(const BenchRig& base, Kind kind, int repetitions, const Progress& progress)
{
    Result result;
    result.kind = kind;
    repetitions = std::max(1, repetitions);
    std::vector<double> rise, overshoot, settling, steady, peak;
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        if (progress && !progress(double(repetition) / repetitions))
            return result;
        BenchRig rig = base;
        const double phase = double(repetition) / repetitions;
        if (!rig.prepare(phase, phase))
            return result;
        result.band = BandCounts * rig.microstepsPerCount();
        const double origin = AxisProbe::encoderPosition(rig);
        double target = 0.0;
        if (kind == Kind::Setpoint) {
            target = SetpointStep * rig.fullStep();
            result.size = target;
            rig.drive().axis(0)->setSetpointSignal([target](double, double* offset, double* rate) {
                *offset = target;
                *rate = 0.0;
            });
        } else {
            result.size = BenchCase::loadStepCase().loadStep * rig.motor().holdingTorque;
            rig.addLoadTorque(result.size);
        }
        std::vector<double> trace;
        trace.reserve(Duration);
        for (int ms = 0; ms < Duration; ++ms) {
            rig.advance(1);
            trace.push_back(AxisProbe::encoderPosition(rig) - origin);
        }
        double r, o, s, e, p;
        figures(trace, target, result.band, &r, &o, &s, &e, &p);
        const double missing = std::nan("");
        if (kind == Kind::Setpoint) {
            rise.push_back(r < 0 ? missing : r);
            overshoot.push_back(o);
        }
        settling.push_back(s < 0 ? missing : s);
        steady.push_back(e);
        peak.push_back(p);
        result.traces.push_back(std::move(trace));
    }
    result.riseTime = Spread(rise);
    result.overshoot = Spread(overshoot);
    result.settling = Spread(settling);
    result.steadyError = Spread(steady);
    result.peak = Spread(peak);
    result.complete = true;
    return result;
}

QJsonObject StepResponse::Result::toJson() const
{
    QJsonObject json{{QStringLiteral("kind"), kind == Kind::Setpoint ? QStringLiteral("setpoint") : QStringLiteral("load")},
                     {QStringLiteral("bandMicrosteps"), band},
                     {QStringLiteral("settlingMs"), SpreadFormat::json(settling)},
                     {QStringLiteral("steadyStateErrorMicrosteps"), SpreadFormat::json(steadyError)}};
    if (kind == Kind::Setpoint) {
        json.insert(QStringLiteral("stepMicrosteps"), size);
        json.insert(QStringLiteral("riseTimeMs"), SpreadFormat::json(riseTime));
        json.insert(QStringLiteral("overshootPercent"), SpreadFormat::json(overshoot));
    } else {
        json.insert(QStringLiteral("loadStepNewtonMetres"), size);
        json.insert(QStringLiteral("peakDeviationMicrosteps"), SpreadFormat::json(peak));
    }
    return json;
}

QString StepResponse::Result::text() const
{
    QString out;
    if (kind == Kind::Setpoint) {
        out = tr("Setpoint step of %1 microsteps: rise time %2 ms, overshoot %3 %, settling into ±%4 microsteps (ms) %5, "
                 "steady-state error %6 microsteps")
                  .arg(size, 0, 'f', 0)
                  .arg(SpreadFormat::text(riseTime, 2), SpreadFormat::text(overshoot))
                  .arg(band, 0, 'f', 1)
                  .arg(SpreadFormat::text(settling), SpreadFormat::text(steadyError));
    } else {
        out = tr("Load step of %1 N·m at standstill: peak deviation %2 microsteps, recovery into ±%3 microsteps (ms) %4, "
                 "steady-state error %5 microsteps")
                  .arg(size, 0, 'f', 3)
                  .arg(SpreadFormat::text(peak))
                  .arg(band, 0, 'f', 1)
                  .arg(SpreadFormat::text(settling), SpreadFormat::text(steadyError));
    }
    return out;
}
