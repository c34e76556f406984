// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tuningrun.h"

#include <QTextStream>

#include "axisprobe.h"

namespace {
// The shares of the whole run each part takes, roughly by its cost.
const double StepShare = 0.05;
const double FrequencyShare = 0.2;
const double LimitShare = 0.25;
const double TunerShare = 0.5;
} // namespace

std::vector<double> TuningRun::setpointFrequencies(const MotorPhysics::Motor& motor)
{
    MotorPhysics physics;
    physics.setMotor(motor);
    return FrequencyResponse::range(physics.naturalFrequency(motor.ratedCurrent), FrequencyPoints);
}

TuningRun::Result TuningRun::run(const BenchRig& rig, int measurements, const Progress& progress)
{
    Result result;
    double total = 0.0;
    for (auto share : {std::make_pair(Steps, StepShare), std::make_pair(Frequency, FrequencyShare),
                       std::make_pair(Limits, LimitShare), std::make_pair(Tuner, TunerShare)}) {
        if (measurements & share.first)
            total += share.second;
    }
    double start = 0.0;
    double share = 0.0;
    auto part = [&](double fraction) {
        return [&, fraction](double done) {
            const bool go = !progress || progress((start + fraction * done) / total);
            result.cancelled = result.cancelled || !go;
            return go;
        };
    };
    {
        BenchRig check = rig;
        if (!check.prepare(0.0, 0.0)) {
            result.error = check.errorString();
            return result;
        }
    }
    if (measurements & Steps) {
        share = StepShare;
        result.setpointStep = StepResponse::measure(rig, StepResponse::Kind::Setpoint, Repetitions, part(share / 2));
        start += share / 2;
        result.loadStep = StepResponse::measure(rig, StepResponse::Kind::Load, Repetitions, part(share / 2));
        start += share / 2;
        if (result.cancelled)
            return result;
        result.measured |= Steps;
    }
    if (measurements & Frequency) {
        share = FrequencyShare;
        const double amplitude = FrequencyResponse::amplitudeFor(rig.microstepsPerCount(), 4 * rig.fullStep());
        AxisProbe setpoint(rig, SimulatedAxis::SignalPoint::Setpoint);
        result.setpointResponse = FrequencyResponse::measure(setpoint, setpointFrequencies(rig.motor()), amplitude,
                                                             FrequencyRepetitions, false, part(share / 2));
        start += share / 2;
        if (result.cancelled)
            return result;
        AxisProbe loop(rig, SimulatedAxis::SignalPoint::Error);
        result.loopResponse
            = FrequencyResponse::measure(loop, FrequencyResponse::logSpaced(LowestLoopFrequency, 450.0, FrequencyPoints),
                                         amplitude, FrequencyRepetitions, true, part(share / 2));
        start += share / 2;
        if (result.cancelled)
            return result;
        result.measured |= Frequency;
    }
    if (measurements & Limits) {
        share = LimitShare;
        result.pullOut = PullOutCurve::measure(rig, PullOutCurve::speeds(rig.motor(), PullOutPoints), part(share));
        start += share;
        if (result.cancelled)
            return result;
        result.measured |= Limits;
    }
    if (measurements & Tuner) {
        result.tuner = AutoTuner::run(rig, part(TunerShare));
        if (result.cancelled)
            return result;
        result.measured |= Tuner;
    }
    return result;
}

bool TuningRun::Result::usable() const
{
    if (!(measured & Tuner))
        return error.isEmpty() && !cancelled;
    return tuner.offered || tuner.bestPresetHolds();
}

QJsonObject TuningRun::Result::toJson() const
{
    QJsonObject json;
    if (measured & Steps) {
        json.insert(QStringLiteral("setpointStep"), setpointStep.toJson());
        json.insert(QStringLiteral("loadStep"), loadStep.toJson());
    }
    if (measured & Frequency) {
        json.insert(QStringLiteral("setpointResponse"), setpointResponse.toJson());
        json.insert(QStringLiteral("loopResponse"), loopResponse.toJson());
    }
    if (measured & Limits)
        json.insert(QStringLiteral("pullOut"), pullOut.toJson());
    if (measured & Tuner)
        json.insert(QStringLiteral("tuner"), tuner.toJson());
    if (!error.isEmpty())
        json.insert(QStringLiteral("error"), error);
    json.insert(QStringLiteral("usable"), usable());
    return json;
}

QString TuningRun::Result::text() const
{
    QString out;
    if (!error.isEmpty())
        out += error + QLatin1Char('\n');
    if (measured & Steps)
        out += setpointStep.text() + QLatin1Char('\n') + loadStep.text() + QLatin1Char('\n');
    if (measured & Frequency) {
        out += tr("At the position setpoint:") + QLatin1Char(' ') + setpointResponse.text();
        out += tr("At the feedback's input (the following error's target):") + QLatin1Char(' ') + loopResponse.text();
    }
    if (measured & Limits)
        out += pullOut.text();
    if (measured & Tuner)
        out += tuner.text();
    return out;
}

bool TuningRun::commandLine(const SimulatedDrive& drive, int motor, QTextStream& out, QJsonObject* report)
{
    const Result result = run(BenchRig(drive, motor), All);
    out << result.text() << Qt::flush;
    report->insert(QStringLiteral("tuning"), result.toJson());
    return result.usable();
}
