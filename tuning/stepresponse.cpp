// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stepresponse.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>

#include "simulateddrive.h"

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

StepResponse::Result StepResponse::measure(const AxisCopy::Configuration& configuration, Kind kind, int repetitions,
                                           const Progress& progress)
{
    Result result;
    result.kind = kind;
    repetitions = std::max(1, repetitions);
    std::vector<double> rise, overshoot, settling, steady, peak;
    AxisCopy copy(configuration);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        if (progress && !progress(double(repetition) / repetitions))
            return result;
        if (!copy.prepare(double(repetition) / repetitions))
            return result;
        result.band = BandCounts * copy.microstepsPerCount();
        double target = 0.0;
        if (kind == Kind::Setpoint) {
            target = SetpointStep * copy.fullStep();
            result.size = target;
            copy.axis()->setSetpointSignal([target](double, double* offset, double* rate) {
                *offset = target;
                *rate = 0.0;
            });
        } else {
            result.size = LoadStepShare * configuration.motor.holdingTorque;
            copy.setLoadStep(result.size);
        }
        std::vector<double> trace;
        trace.reserve(Duration);
        for (int ms = 0; ms < Duration; ++ms) {
            copy.advance(1);
            trace.push_back(copy.position());
        }
        double r, o, s, e, p;
        figures(trace, target, result.band, &r, &o, &s, &e, &p);
        if (s < 0) {
            ++result.unsettled;
            s = Duration;
        }
        if (kind == Kind::Setpoint) {
            rise.push_back(r < 0 ? double(Duration) : r);
            overshoot.push_back(o);
        }
        settling.push_back(s);
        steady.push_back(e);
        peak.push_back(p);
        result.traces.push_back(std::move(trace));
    }
    result.riseTime = MeasuredValue::of(rise);
    result.overshoot = MeasuredValue::of(overshoot);
    result.settling = MeasuredValue::of(settling);
    result.steadyError = MeasuredValue::of(steady);
    result.peak = MeasuredValue::of(peak);
    result.complete = true;
    return result;
}

QJsonObject StepResponse::Result::toJson() const
{
    QJsonObject json{{QStringLiteral("kind"), kind == Kind::Setpoint ? QStringLiteral("setpoint") : QStringLiteral("load")},
                     {QStringLiteral("bandMicrosteps"), band},
                     {QStringLiteral("settlingMs"), settling.toJson()},
                     {QStringLiteral("steadyStateErrorMicrosteps"), steadyError.toJson()},
                     {QStringLiteral("unsettledRuns"), unsettled}};
    if (kind == Kind::Setpoint) {
        json.insert(QStringLiteral("stepMicrosteps"), size);
        json.insert(QStringLiteral("riseTimeMs"), riseTime.toJson());
        json.insert(QStringLiteral("overshootPercent"), overshoot.toJson());
    } else {
        json.insert(QStringLiteral("loadStepNewtonMetres"), size);
        json.insert(QStringLiteral("peakDeviationMicrosteps"), peak.toJson());
    }
    return json;
}

QString StepResponse::Result::text() const
{
    QString out;
    if (kind == Kind::Setpoint) {
        out = tr("Setpoint step of %1 microsteps: rise time %2 ms, overshoot %3 %, settling into ±%4 microsteps %5 ms, "
                 "steady-state error %6 microsteps")
                  .arg(size, 0, 'f', 0)
                  .arg(riseTime.text(2), overshoot.text(1))
                  .arg(band, 0, 'f', 1)
                  .arg(settling.text(1), steadyError.text(1));
    } else {
        out = tr("Load step of %1 N·m at standstill: peak deviation %2 microsteps, recovery into ±%3 microsteps %4 ms, "
                 "steady-state error %5 microsteps")
                  .arg(size, 0, 'f', 3)
                  .arg(peak.text(1))
                  .arg(band, 0, 'f', 1)
                  .arg(settling.text(1), steadyError.text(1));
    }
    if (unsettled > 0)
        out += QLatin1Char(' ') + tr("(%n run(s) did not settle)", nullptr, unsettled);
    return out;
}
