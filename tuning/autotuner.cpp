// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "autotuner.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include <QJsonArray>

#include "axisprobe.h"
#include "fastmath.h"
#include "koraprogram.h"
#include "presetcomparison.h"
#include "spreadformat.h"

namespace {
using FastMath::Pi;
// The parameters' scales (ClosedLoopController): P in pps per 256 microsteps, I in 1/16 pps
// per microstep-second.
const double PScale = 256.0;
const double IScale = 16.0;
const int GainLimit = 65535;
const int Points = 24;
const double LowestFrequency = 0.3; // Hz: below the slowest preset's crossover
const double HighestFrequency = 450.0;
const int IdentificationRepetitions = 2;
const int Attempts = 8;
const double BackOff = 0.7;

std::complex<double> pi(double kp, double ki, double frequency)
{
    const std::complex<double> s(0.0, 2.0 * Pi * frequency);
    return kp / s + ki / (s * s);
}

} // namespace

constexpr int AutoTuner::Tuned[];

int AutoTuner::value(const Parameters& parameters, int number)
{
    for (const auto& p : parameters) {
        if (p.first == number)
            return p.second;
    }
    return 0;
}

QString AutoTuner::program(const Parameters& parameters, int motor)
{
    QString text = QStringLiteral("// ") + tr("Closed-loop settings proposed by the tuner") + QLatin1Char('\n');
    for (const auto& p : parameters) {
        KoraProgram::Instruction instruction;
        instruction.type = p.first;
        instruction.motor = motor;
        instruction.value = p.second;
        text += KoraProgram::describe(instruction) + QLatin1Char('\n');
    }
    return text;
}

bool AutoTuner::place(const FrequencyResponse::Result& loop, double kp, double ki, double crossover, double target,
                      double* newKp, double* newKi, double* phaseMargin, double* gainMargin)
{
    if (loop.points.size() < 2)
        return false;
    // The plant: the measured open loop without the PI it was measured with.
    std::vector<std::complex<double>> plant;
    for (const auto& point : loop.points)
        plant.push_back(point.response / (1.0 - point.response) / pi(kp, ki, point.frequency));
    std::complex<double> plantAt;
    bool found = false;
    for (size_t i = 1; i < loop.points.size() && !found; ++i) {
        const double f0 = loop.points[i - 1].frequency;
        const double f1 = loop.points[i].frequency;
        if (crossover < f0 || crossover > f1)
            continue;
        // Interpolated in log frequency: log magnitude and phase.
        const double u = std::log(crossover / f0) / std::log(f1 / f0);
        const double m = std::exp((1 - u) * std::log(std::abs(plant[i - 1])) + u * std::log(std::abs(plant[i])));
        const double a0 = std::arg(plant[i - 1]);
        double a1 = std::arg(plant[i]);
        a1 -= 2 * Pi * std::round((a1 - a0) / (2 * Pi));
        plantAt = std::polar(m, (1 - u) * a0 + u * a1);
        found = true;
    }
    if (!found)
        return false;
    const double zero = 2.0 * Pi * crossover / ZeroRatio;
    *newKp = 1.0 / std::abs(plantAt * pi(1.0, zero, crossover));
    *newKi = *newKp * zero;
    FrequencyResponse::Result shaped;
    shaped.loop = true;
    for (size_t i = 0; i < loop.points.size(); ++i) {
        FrequencyResponse::Point point = loop.points[i];
        const std::complex<double> l = plant[i] * pi(*newKp, *newKi, point.frequency);
        point.response = l / (1.0 + l);
        point.magnitude = Spread({20.0 * std::log10(std::abs(point.response))});
        shaped.points.push_back(point);
    }
    FrequencyResponse::analyse(&shaped);
    *phaseMargin = shaped.phaseMargin;
    *gainMargin = shaped.gainMargin;
    return std::isfinite(shaped.phaseMargin) && shaped.phaseMargin >= target
           && (!std::isfinite(shaped.gainMargin) || shaped.gainMargin >= TargetGainMargin);
}

AutoTuner::Result AutoTuner::run(const BenchRig& rig, const Progress& progress)
{
    Result result;
    auto ask = [&progress](double done) { return !progress || progress(done); };
    for (int number : Tuned)
        result.current.append(qMakePair(number, rig.parameter(number)));
    if (!ask(0.0))
        return result;

    // 1. The current the load needs, and the error left at rest.
    BenchRig probe = rig;
    if (!probe.prepare(0.0, 0.0)) {
        result.reason = probe.errorString();
        return result;
    }
    const BenchMoveCase::Result present = BenchMoveCase::run(rig, Repetitions);
    const double quantum = rig.microstepsPerCount();
    const double quarter = rig.fullStep(); // a quarter electrical period
    const int scalerMinimum
        = std::clamp(int(std::lround(ScalerMargin * present.cruiseScaler * 255.0)), value(result.current, 113), 255);
    const int tolerance = int(std::lround(std::max(ToleranceCounts * quantum, present.restJitter + quantum)));
    const Parameters scaler = {{113, scalerMinimum}, {114, 255}, {125, tolerance}};
    if (!ask(0.1))
        return result;

    // 2. The loop's plant, with the new current and an identification gain.
    const int identificationI = value(result.current, 116);
    BenchRig identification = rig;
    AxisProbe::apply(&identification, scaler);
    AxisProbe::apply(&identification, {{115, IdentificationGain}, {116, identificationI}, {119, 4 * GainLimit}});
    const double amplitude = FrequencyResponse::amplitudeFor(quantum, 4 * quarter);
    const std::vector<double> frequencies = FrequencyResponse::logSpaced(LowestFrequency, HighestFrequency, Points);
    {
        AxisProbe loopProbe(identification, SimulatedAxis::SignalPoint::Error);
        result.identification
            = FrequencyResponse::measure(loopProbe, frequencies, amplitude, IdentificationRepetitions, true,
                                         [&](double done) { return ask(0.1 + 0.2 * done); });
        if (!result.identification.complete)
            return result;
    }
    FrequencyResponse::Result plant = result.identification;
    plant.points.erase(std::remove_if(plant.points.begin(), plant.points.end(),
                                      [](const FrequencyResponse::Point& point) { return !point.resolved; }),
                       plant.points.end());

    // 3. Placement: the highest crossover that meets the targets within the gains' range.
    const double kpId = IdentificationGain / PScale;
    const double kiId = identificationI / IScale;
    double crossover = -1.0;
    double kp = 0.0;
    double ki = 0.0;
    double target = TargetPhaseMargin;
    for (double margin : {TargetPhaseMargin, FallbackPhaseMargin}) {
        for (double f : FrequencyResponse::logSpaced(0.5, 200.0, 120)) {
            double p, i, pm, gm;
            if (place(plant, kpId, kiId, f, margin, &p, &i, &pm, &gm) && p * PScale <= GainLimit
                && i * IScale <= GainLimit) {
                crossover = f;
                kp = p;
                ki = i;
                target = margin;
            }
        }
        if (crossover > 0)
            break;
    }
    if (crossover < 0)
        result.reason = tr("No crossover on the measured loop meets a phase margin of %1° and a gain margin of %2 dB.")
                            .arg(FallbackPhaseMargin)
                            .arg(TargetGainMargin);

    // 4. The proposal's own loop and its standstill after the gentle move, the crossover
    // lowered until both hold.
    BenchMoveCase::Result proposalMove;
    for (int attempt = 0; crossover > 0 && attempt < Attempts; ++attempt) {
        const int p = std::clamp(int(std::lround(kp * PScale)), 1, GainLimit);
        const int i = std::clamp(int(std::lround(ki * IScale)), 0, GainLimit);
        const int dv = std::max(1, int(std::lround(kp * quarter)));
        const int clip = std::max(1, int(std::ceil(double(dv) / std::max(1, i))));
        result.proposal = scaler;
        result.proposal.append({{115, p}, {116, i}, {117, clip}, {119, dv}});
        BenchRig proposed = rig;
        AxisProbe::apply(&proposed, result.proposal);
        AxisProbe loopProbe(proposed, SimulatedAxis::SignalPoint::Error);
        result.proposalLoop = FrequencyResponse::measure(loopProbe, frequencies, amplitude, IdentificationRepetitions,
                                                         true, [&](double done) {
                                                             return ask(0.3 + 0.08 * (attempt + done));
                                                         });
        if (!result.proposalLoop.complete)
            return result;
        const FrequencyResponse::Result& loop = result.proposalLoop;
        result.stable = std::isfinite(loop.phaseMargin) && loop.phaseMargin >= RequiredPhaseMargin
                        && (!std::isfinite(loop.gainMargin) || loop.gainMargin >= RequiredGainMargin);
        if (result.stable) {
            proposalMove = BenchMoveCase::run(proposed, Repetitions);
            result.stable = proposalMove.holds();
            if (result.stable)
                break;
        }
        crossover *= BackOff;
        double pm, gm;
        place(plant, kpId, kiId, crossover, target, &kp, &ki, &pm, &gm);
    }
    if (!ask(0.7))
        return result;

    // 5. The comparison protocol: present settings, presets, proposal.
    QVector<ComparisonProtocol::Variant> variants{{tr("present settings"), {}}};
    result.moves.push_back(present);
    for (const PresetComparison::Preset& preset : PresetComparison::presets()) {
        const Parameters parameters{{115, preset.p}, {116, preset.i}};
        variants.append({QString::fromLatin1(preset.name), parameters});
        BenchRig presetRig = rig;
        AxisProbe::apply(&presetRig, parameters);
        result.moves.push_back(BenchMoveCase::run(presetRig, Repetitions));
        if (!ask(0.7 + 0.05 * variants.size()))
            return result;
    }
    if (!result.proposal.isEmpty()) {
        variants.append({tr("proposal"), result.proposal});
        result.moves.push_back(proposalMove);
    }
    result.comparison.emplace(rig, variants, ComparisonProtocol::standardCases(rig.motor()));
    if (!result.comparison->run()) {
        result.reason = result.comparison->errorString();
        result.comparison.reset();
        return result;
    }
    for (int v = Conservative; v <= Aggressive; ++v) {
        if (result.moves[size_t(v)].holds() && (result.best < 0 || result.rms(v).mean() < result.rms(result.best).mean()))
            result.best = v;
    }
    result.complete = ask(1.0);
    if (result.best < 0 && result.reason.isEmpty())
        result.reason = tr("No preset holds the gentle move.");
    if (result.proposal.isEmpty())
        return result;
    if (!result.stable) {
        if (!proposalMove.holds() && std::isfinite(result.proposalLoop.phaseMargin))
            result.reason = tr("The proposal hunts at standstill after the gentle move.");
        else
            result.reason = tr("The proposal's measured loop has a phase margin of %1° and a gain margin of %2 dB.")
                                .arg(result.proposalLoop.phaseMargin, 0, 'f', 1)
                                .arg(result.proposalLoop.gainMargin, 0, 'f', 1);
        return result;
    }
    if (result.best >= 0) {
        const Spread mine = result.rms(Proposal);
        const Spread theirs = result.rms(result.best);
        if (mine.compare(theirs) != Spread::Verdict::Lower) {
            result.reason = mine.overlaps(theirs)
                                ? tr("The proposal's RMS following error on the gentle move (%1 microsteps) overlaps the best "
                                     "preset's (%2): no measurable difference.")
                                      .arg(SpreadFormat::text(mine, 2), SpreadFormat::text(theirs, 2))
                                : tr("The proposal's RMS following error on the gentle move (%1 microsteps) is above the best "
                                     "preset's (%2).")
                                      .arg(SpreadFormat::text(mine, 2), SpreadFormat::text(theirs, 2));
            return result;
        }
    }
    result.offered = true;
    return result;
}

Spread AutoTuner::Result::rms(int variant) const
{
    if (!comparison || variant < 0 || variant >= comparison->variants().size())
        return Spread();
    return comparison->spread(variant, 0, ComparisonProtocol::RmsError);
}

QString AutoTuner::Result::variantName(int variant) const
{
    return comparison && variant >= 0 && variant < comparison->variants().size() ? comparison->variants().at(variant).name
                                                                                : QString();
}

QJsonObject AutoTuner::Result::toJson() const
{
    auto values = [](const Parameters& parameters) {
        QJsonObject json;
        for (const auto& p : parameters)
            json.insert(QString::number(p.first), p.second);
        return json;
    };
    auto optional = [](double value) { return std::isfinite(value) ? QJsonValue(value) : QJsonValue(); };
    QJsonArray variants;
    for (size_t v = 0; v < moves.size(); ++v) {
        variants.append(QJsonObject{{QStringLiteral("name"), variantName(int(v))},
                                    {QStringLiteral("gentleMoveRmsMicrosteps"), SpreadFormat::json(rms(int(v)))},
                                    {QStringLiteral("limitCycle"), moves[v].limitCycle},
                                    {QStringLiteral("holds"), moves[v].holds()}});
    }
    QJsonObject json{{QStringLiteral("current"), values(current)},
                     {QStringLiteral("proposal"), proposal.isEmpty() ? QJsonValue() : QJsonValue(values(proposal))},
                     {QStringLiteral("variants"), variants},
                     {QStringLiteral("bestPreset"), best >= 0 ? QJsonValue(variantName(best)) : QJsonValue()},
                     {QStringLiteral("stable"), stable},
                     {QStringLiteral("offered"), offered},
                     {QStringLiteral("reason"), reason}};
    if (!proposalLoop.points.empty()) {
        json.insert(QStringLiteral("proposalPhaseMarginDegrees"), optional(proposalLoop.phaseMargin));
        json.insert(QStringLiteral("proposalGainMarginDb"), optional(proposalLoop.gainMargin));
        json.insert(QStringLiteral("proposalCrossoverHz"), proposalLoop.crossover > 0 ? QJsonValue(proposalLoop.crossover)
                                                                                       : QJsonValue());
    }
    if (comparison)
        json.insert(QStringLiteral("comparison"), comparison->toJson());
    return json;
}

QString AutoTuner::Result::text() const
{
    QString out = tr("Tuner: the gentle move's RMS following error in microsteps (mean ± sd):") + QLatin1Char('\n');
    auto row = [this](int v, const Parameters& parameters) {
        QString values;
        for (const auto& p : parameters)
            values += QStringLiteral(" %1=%2").arg(p.first).arg(p.second);
        const bool mark = (offered && v == Proposal) || (!offered && v == best);
        return QStringLiteral("  %1%2 %3 %4%5\n")
            .arg(mark ? QStringLiteral("* ") : QStringLiteral("  "))
            .arg(variantName(v), -18)
            .arg(SpreadFormat::text(rms(v), 2), -14)
            .arg(moves[size_t(v)].holds() ? QString() : tr("(hunts or stops) "))
            .arg(values);
    };
    for (size_t v = 0; v < moves.size(); ++v) {
        Parameters parameters;
        if (int(v) == Present)
            parameters = current;
        else if (comparison)
            parameters = comparison->variants().at(int(v)).parameters;
        out += row(int(v), parameters);
    }
    if (!proposalLoop.points.empty())
        out += tr("  Proposal's loop: crossover %1 Hz, phase margin %2°, gain margin %3")
                   .arg(proposalLoop.crossover, 0, 'f', 1)
                   .arg(proposalLoop.phaseMargin, 0, 'f', 1)
                   .arg(std::isfinite(proposalLoop.gainMargin)
                            ? QStringLiteral("%1 dB").arg(proposalLoop.gainMargin, 0, 'f', 1)
                            : tr("not within the range"))
               + QLatin1Char('\n');
    if (offered)
        out += tr("The proposal is stable and measurably better than the best preset.") + QLatin1Char('\n');
    else if (best >= 0)
        out += tr("The best preset (%1) stands. %2").arg(variantName(best), reason) + QLatin1Char('\n');
    else
        out += tr("No stable proposal. %1").arg(reason) + QLatin1Char('\n');
    return out;
}
