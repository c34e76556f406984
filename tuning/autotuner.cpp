// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "autotuner.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include <QJsonArray>

#include "axisprobe.h"
#include "parametercatalogue.h"
#include "presetcomparison.h"

namespace {
const double Pi = 3.14159265358979323846;
// The parameters' scales (ClosedLoopController): P in pps per 256 microsteps, I in 1/16 pps
// per microstep-second.
const double PScale = 256.0;
const double IScale = 16.0;
const int GainLimit = 65535;
const int Points = 24;
const double LowestFrequency = 0.3; // Hz: below the slowest preset's crossover
const int IdentificationRepetitions = 2;
const int Attempts = 5;
const double BackOff = 0.7;

std::complex<double> pi(double kp, double ki, double frequency)
{
    const std::complex<double> s(0.0, 2.0 * Pi * frequency);
    return kp / s + ki / (s * s);
}

// Points whose output stays below one quantum carry no information.
std::vector<FrequencyResponse::Point> usable(const FrequencyResponse::Result& loop, double quantum)
{
    std::vector<FrequencyResponse::Point> points;
    for (const auto& point : loop.points) {
        if (std::abs(point.response) * point.amplitude >= quantum)
            points.push_back(point);
    }
    return points;
}
} // namespace

constexpr int AutoTuner::Tuned[];

int AutoTuner::value(const AxisCopy::Parameters& parameters, int number)
{
    for (const auto& p : parameters) {
        if (p.first == number)
            return p.second;
    }
    return 0;
}

bool AutoTuner::place(const FrequencyResponse::Result& loop, double kp, double ki, double crossover, double* newKp,
                      double* newKi, double* phaseMargin, double* gainMargin)
{
    if (loop.points.size() < 2)
        return false;
    const double w = 2.0 * Pi * crossover;
    // The plant at the crossover, interpolated in log frequency.
    std::complex<double> plantAt;
    bool found = false;
    std::vector<std::complex<double>> plant;
    for (const auto& point : loop.points) {
        const std::complex<double> t = point.response;
        plant.push_back(t / (1.0 - t) / pi(kp, ki, point.frequency));
    }
    for (size_t i = 1; i < loop.points.size() && !found; ++i) {
        const double f0 = loop.points[i - 1].frequency;
        const double f1 = loop.points[i].frequency;
        if (crossover < f0 || crossover > f1)
            continue;
        const double u = std::log(crossover / f0) / std::log(f1 / f0);
        const double m = std::exp((1 - u) * std::log(std::abs(plant[i - 1])) + u * std::log(std::abs(plant[i])));
        double a0 = std::arg(plant[i - 1]);
        double a1 = std::arg(plant[i]);
        a1 -= 2 * Pi * std::round((a1 - a0) / (2 * Pi));
        plantAt = std::polar(m, (1 - u) * a0 + u * a1);
        found = true;
    }
    if (!found)
        return false;
    const double zero = w / ZeroRatio;
    const std::complex<double> shape = pi(1.0, zero, crossover);
    *newKp = 1.0 / std::abs(plantAt * shape);
    *newKi = *newKp * zero;
    FrequencyResponse::Result shaped;
    shaped.loop = true;
    for (size_t i = 0; i < loop.points.size(); ++i) {
        FrequencyResponse::Point point = loop.points[i];
        const std::complex<double> l = plant[i] * pi(*newKp, *newKi, point.frequency);
        point.response = l / (1.0 + l);
        point.magnitude.mean = 20.0 * std::log10(std::abs(point.response));
        shaped.points.push_back(point);
    }
    FrequencyResponse::analyse(&shaped);
    *phaseMargin = shaped.phaseMargin;
    *gainMargin = shaped.gainMargin;
    return std::isfinite(shaped.phaseMargin) && shaped.phaseMargin >= TargetPhaseMargin
           && (!std::isfinite(shaped.gainMargin) || shaped.gainMargin >= TargetGainMargin);
}

AutoTuner::Result AutoTuner::run(const AxisCopy::Configuration& configuration, const Progress& progress)
{
    Result result;
    auto ask = [&progress](double done) { return !progress || progress(done); };
    auto tuned = [&configuration]() {
        const ParameterCatalogue catalogue;
        AxisCopy::Parameters parameters;
        for (int number : Tuned) {
            const int fallback = catalogue.find(number)->parameter.defaultValue;
            parameters.append(qMakePair(number, AxisCopy::value(configuration, number, fallback)));
        }
        return parameters;
    };
    result.current.name = tr("present settings");
    result.current.parameters = tuned();
    if (!ask(0.0))
        return result;

    // 1. The current the load needs.
    result.current.move = BenchMoveCase::run(configuration, Repetitions);
    AxisCopy probeCopy(configuration);
    if (!probeCopy.prepare(0.0)) {
        result.reason = tr("The closed loop does not start on this configuration.");
        return result;
    }
    const double quantum = probeCopy.microstepsPerCount();
    const double quarter = probeCopy.fullStep();
    const int scalerMinimum = std::clamp(int(std::lround(ScalerMargin * result.current.move.cruiseScaler * 255.0)),
                                         value(result.current.parameters, 113), 255);
    const int tolerance = int(std::lround(std::max(ToleranceCounts * quantum, result.current.move.restJitter + quantum)));
    AxisCopy::Parameters proposal = {{113, scalerMinimum}, {114, 255}, {125, tolerance}};
    if (!ask(0.15))
        return result;

    // 2. The loop's plant, with the new current and an identification gain.
    const int identificationI = value(result.current.parameters, 116);
    const AxisCopy::Configuration identification = AxisCopy::with(
        AxisCopy::with(configuration, proposal), {{115, IdentificationGain}, {116, identificationI}, {119, GainLimit * 4}});
    const double amplitude = FrequencyResponse::amplitudeFor(quantum, 4 * quarter);
    const std::vector<double> frequencies = FrequencyResponse::logSpaced(LowestFrequency, 450.0, Points);
    {
        AxisProbe probe(identification, SimulatedAxis::SignalPoint::Error);
        result.identification = FrequencyResponse::measure(probe, frequencies, amplitude, IdentificationRepetitions, true,
                                                           [&](double done) { return ask(0.15 + 0.25 * done); });
        if (!result.identification.complete)
            return result;
    }
    FrequencyResponse::Result plantData = result.identification;
    plantData.points = usable(result.identification, quantum);

    // 3. Placement: the highest crossover that meets the targets within the gains' range.
    const double kpId = IdentificationGain / PScale;
    const double kiId = identificationI / IScale;
    double crossover = -1.0;
    double kp = 0.0;
    double ki = 0.0;
    for (double f : FrequencyResponse::logSpaced(0.5, 200.0, 120)) {
        double p, i, pm, gm;
        if (place(plantData, kpId, kiId, f, &p, &i, &pm, &gm) && p * PScale <= GainLimit && i * IScale <= GainLimit) {
            crossover = f;
            kp = p;
            ki = i;
        }
    }
    if (crossover < 0) {
        result.reason = tr("No crossover on the measured loop meets a phase margin of %1° and a gain margin of %2 dB.")
                            .arg(TargetPhaseMargin)
                            .arg(TargetGainMargin);
    }

    // 4. Check the proposal's own loop and its standstill after the bench move, lowering the
    // crossover until both hold.
    for (int attempt = 0; crossover > 0 && attempt < Attempts; ++attempt) {
        const int p = std::clamp(int(std::lround(kp * PScale)), 1, GainLimit);
        const int i = std::clamp(int(std::lround(ki * IScale)), 0, GainLimit);
        const int dv = std::max(1, int(std::lround(kp * quarter)));
        const int clip = std::max(1, int(std::ceil(double(dv) / std::max(1, i))));
        result.proposal.parameters = proposal;
        result.proposal.parameters.append({{115, p}, {116, i}, {117, clip}, {119, dv}});
        const AxisCopy::Configuration proposed = AxisCopy::with(configuration, result.proposal.parameters);
        AxisProbe probe(proposed, SimulatedAxis::SignalPoint::Error);
        result.proposal.loop = FrequencyResponse::measure(probe, frequencies, amplitude, IdentificationRepetitions, true,
                                                          [&](double done) { return ask(0.4 + 0.1 * attempt + 0.1 * done); });
        if (!result.proposal.loop.complete)
            return result;
        const FrequencyResponse::Result& loop = result.proposal.loop;
        result.stable = std::isfinite(loop.phaseMargin) && loop.phaseMargin >= RequiredPhaseMargin
                        && (!std::isfinite(loop.gainMargin) || loop.gainMargin >= RequiredGainMargin);
        if (result.stable) {
            result.proposal.move = BenchMoveCase::run(proposed, Repetitions);
            if (result.proposal.move.holds())
                break;
        }
        crossover *= BackOff;
        double pm, gm;
        place(plantData, kpId, kiId, crossover, &kp, &ki, &pm, &gm);
    }
    result.proposal.name = tr("proposal");
    if (!ask(0.8))
        return result;

    // 5. The bench move with each preset.
    const std::vector<PresetComparison::Preset> presets = PresetComparison::presets();
    for (size_t k = 0; k < presets.size(); ++k) {
        if (!ask(0.85 + 0.15 * double(k) / presets.size()))
            return result;
        Candidate candidate;
        candidate.name = QString::fromLatin1(presets[k].name);
        candidate.parameters = {{115, presets[k].p}, {116, presets[k].i}};
        candidate.move = BenchMoveCase::run(AxisCopy::with(configuration, candidate.parameters), Repetitions);
        if (candidate.move.holds()
            && (result.best < 0 || candidate.move.rms.mean < result.presets[size_t(result.best)].move.rms.mean))
            result.best = int(k);
        result.presets.push_back(candidate);
    }
    result.complete = true;
    if (result.best < 0) {
        if (result.reason.isEmpty())
            result.reason = tr("No preset holds the bench move.");
    }
    if (!result.stable) {
        if (result.reason.isEmpty())
            result.reason = tr("The proposal's measured loop has a phase margin of %1° and a gain margin of %2 dB.")
                                .arg(result.proposal.loop.phaseMargin, 0, 'f', 1)
                                .arg(result.proposal.loop.gainMargin, 0, 'f', 1);
        return result;
    }
    if (!result.proposal.move.holds()) {
        result.reason = result.proposal.move.limitCycle ? tr("The proposal hunts at standstill after the bench move.")
                                                        : tr("The proposal does not complete the bench move.");
        return result;
    }
    if (result.best >= 0) {
        const Candidate& best = result.presets[size_t(result.best)];
        if (result.proposal.move.rms.mean >= best.move.rms.mean) {
            result.reason = tr("Its RMS following error (%1 microsteps) is not below the best preset's (%2).")
                                .arg(result.proposal.move.rms.text(2), best.move.rms.text(2));
            return result;
        }
        if (result.proposal.move.rms.overlaps(best.move.rms)) {
            result.reason = tr("Its RMS following error (%1 microsteps) overlaps the best preset's (%2): no measurable "
                               "difference.")
                                .arg(result.proposal.move.rms.text(2), best.move.rms.text(2));
            return result;
        }
    }
    result.offered = true;
    return result;
}

QJsonObject AutoTuner::Candidate::toJson() const
{
    QJsonObject values;
    for (const auto& p : parameters)
        values.insert(QString::number(p.first), p.second);
    QJsonObject json{{QStringLiteral("name"), name},
                     {QStringLiteral("parameters"), values},
                     {QStringLiteral("rmsErrorMicrosteps"), move.rms.toJson()},
                     {QStringLiteral("peakErrorMicrosteps"), move.peak.toJson()},
                     {QStringLiteral("limitCycle"), move.limitCycle},
                     {QStringLiteral("holds"), move.holds()}};
    if (!loop.points.empty()) {
        json.insert(QStringLiteral("phaseMarginDegrees"),
                    std::isfinite(loop.phaseMargin) ? QJsonValue(loop.phaseMargin) : QJsonValue());
        json.insert(QStringLiteral("gainMarginDb"),
                    std::isfinite(loop.gainMargin) ? QJsonValue(loop.gainMargin) : QJsonValue());
        json.insert(QStringLiteral("crossoverHz"), loop.crossover > 0 ? QJsonValue(loop.crossover) : QJsonValue());
    }
    return json;
}

QJsonObject AutoTuner::Result::toJson() const
{
    QJsonArray presetArray;
    for (const Candidate& c : presets)
        presetArray.append(c.toJson());
    return {{QStringLiteral("current"), current.toJson()},
            {QStringLiteral("proposal"), proposal.toJson()},
            {QStringLiteral("presets"), presetArray},
            {QStringLiteral("bestPreset"), best >= 0 ? QJsonValue(presets[size_t(best)].name) : QJsonValue()},
            {QStringLiteral("stable"), stable},
            {QStringLiteral("offered"), offered},
            {QStringLiteral("reason"), reason}};
}

QString AutoTuner::Result::text() const
{
    QString out = tr("Tuner (bench move: RMS and peak following error in microsteps, mean ± sd):") + QLatin1Char('\n');
    auto row = [](const Candidate& c, bool mark) {
        QString values;
        for (const auto& p : c.parameters)
            values += QStringLiteral(" %1=%2").arg(p.first).arg(p.second);
        return QStringLiteral("  %1%2  RMS %3  peak %4 %5%6\n")
            .arg(mark ? QStringLiteral("* ") : QStringLiteral("  "))
            .arg(c.name, -20)
            .arg(c.move.rms.text(2), c.move.peak.text(1))
            .arg(c.move.holds() ? QString() : tr("(does not hold)"))
            .arg(values);
    };
    out += row(current, false);
    for (size_t k = 0; k < presets.size(); ++k)
        out += row(presets[k], int(k) == best && !offered);
    if (!proposal.parameters.isEmpty())
        out += row(proposal, offered);
    if (!proposal.loop.points.empty())
        out += tr("  Proposal's loop: crossover %1 Hz, phase margin %2°, gain margin %3 dB")
                   .arg(proposal.loop.crossover, 0, 'f', 1)
                   .arg(proposal.loop.phaseMargin, 0, 'f', 1)
                   .arg(std::isfinite(proposal.loop.gainMargin) ? QString::number(proposal.loop.gainMargin, 'f', 1)
                                                                : tr("not within the range"))
               + QLatin1Char('\n');
    if (offered)
        out += tr("The proposal is stable and measurably better than the best preset.") + QLatin1Char('\n');
    else if (best >= 0)
        out += tr("The best preset (%1) stands: %2").arg(presets[size_t(best)].name, reason) + QLatin1Char('\n');
    else
        out += tr("No stable proposal: %1").arg(reason) + QLatin1Char('\n');
    return out;
}
