// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The comparison protocol on the drive bench's reference configuration (a 4000-count encoder,
// 256 microsteps, the default motor with Coulomb friction of a share of its holding torque).
//
//     comparisonbench [--samples N]          wall time of one comparison of the three presets
//     comparisonbench --presets [--load P]   the presets' table (Markdown), P % friction (30)
//     comparisonbench --effects [--load P]   each closed-loop parameter halved and doubled

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "comparisonprotocol.h"
#include "parametercatalogue.h"
#include "presetcomparison.h"

namespace {

MotorPhysics::Motor benchMotor(double loadPercent)
{
    MotorPhysics::Motor motor;
    motor.loadTorque = loadPercent / 100.0 * motor.holdingTorque;
    return motor;
}

void timing(int samples)
{
    const BenchRig rig(benchMotor(30), {});
    std::vector<double> times;
    for (int s = 0; s < samples; ++s) {
        ComparisonProtocol protocol(rig, PresetComparison::variants(), ComparisonProtocol::standardCases(rig.motor()));
        protocol.setRepetitions(PresetComparison::Repetitions);
        QElapsedTimer timer;
        timer.start();
        if (!protocol.run()) {
            std::fprintf(stderr, "%s\n", qPrintable(protocol.errorString()));
            return;
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(times.begin(), times.end());
    std::printf("One comparison of the three presets, %d runs each of %d cases, 30 %% friction; %d samples\n",
                PresetComparison::Repetitions, 3, samples);
    std::printf("fastest %.3f s, median %.3f s; target < 5 s: %s\n", times.front(), times[times.size() / 2],
                times.front() < 5.0 ? "met" : "missed");
}

QString markdownCell(const ComparisonProtocol& protocol, int variant, int benchCase, ComparisonProtocol::Metric metric)
{
    const Spread s = protocol.spread(variant, benchCase, metric);
    const bool time = metric == ComparisonProtocol::SettlingTime || metric == ComparisonProtocol::RecoveryTime;
    const int decimals = time ? 0 : 1;
    QString text = s.count() ? QStringLiteral("%1 ± %2 (%3–%4)")
                                   .arg(s.mean(), 0, 'f', decimals)
                                   .arg(s.standardDeviation(), 0, 'f', decimals)
                                   .arg(s.minimum(), 0, 'f', decimals)
                                   .arg(s.maximum(), 0, 'f', decimals)
                             : QStringLiteral("not within the band");
    if (s.count() && s.missing())
        text += QStringLiteral(", %1 of %2 runs not within the band").arg(s.missing()).arg(s.count() + s.missing());
    if (protocol.mark(variant, benchCase, metric) == ComparisonProtocol::Mark::Best)
        text = QStringLiteral("**%1**").arg(text);
    return text;
}

void presets(double load)
{
    const BenchRig rig(benchMotor(load), {});
    ComparisonProtocol protocol(rig, PresetComparison::variants(), ComparisonProtocol::standardCases(rig.motor()));
    if (!protocol.run()) {
        std::fprintf(stderr, "%s\n", qPrintable(protocol.errorString()));
        return;
    }
    for (int c = 0; c < protocol.cases().size(); ++c) {
        const QVector<ComparisonProtocol::Metric> metrics = ComparisonProtocol::metrics(protocol.cases().at(c).kind);
        std::printf("%s, %.0f %% friction\n\n| preset |", qPrintable(protocol.cases().at(c).description()), load);
        for (auto metric : metrics)
            std::printf(" %s |", qPrintable(ComparisonProtocol::metricName(metric)));
        std::printf("\n|---|");
        for (int m = 0; m < metrics.size(); ++m)
            std::printf("---|");
        std::printf("\n");
        for (int v = 0; v < protocol.variants().size(); ++v) {
            std::printf("| %s |", qPrintable(protocol.variants().at(v).name));
            for (auto metric : metrics)
                std::printf(" %s |", qPrintable(markdownCell(protocol, v, c, metric)));
            std::printf("\n");
        }
        std::printf("\n");
    }
    const QStringList verdicts = protocol.verdicts();
    for (const QString& line : verdicts)
        std::printf("%s\n", qPrintable(line));
}

// Each closed-loop parameter halved and doubled from the balanced preset and the catalogue's
// defaults, against that reference: per case its first metric (and the overload move's
// settling time), with "lower", "higher" or "no measurable effect" by the spreads. A value beyond
// the parameter's range is not run.
void effects(double load)
{
    const ParameterCatalogue catalogue;
    const QList<QPair<int, int>> balanced = {{115, 5000}, {116, 400}};
    const int numbers[] = {108, 109, 110, 113, 114, 115, 116, 117, 119, 120, 121, 125, 126};
    const BenchRig rig(benchMotor(load), balanced);
    QVector<ComparisonProtocol::Variant> variants{{QStringLiteral("reference"), {}}};
    for (int number : numbers) {
        const int value = rig.parameter(number);
        for (int v : {value / 2, value * 2}) {
            if (catalogue.isInRange(number, v))
                variants.append({QStringLiteral("%1 = %2").arg(number).arg(v), {{number, v}}});
            else
                variants.append({QStringLiteral("%1 = %2").arg(number).arg(v), {}});
        }
    }
    QVector<BenchCase> cases = ComparisonProtocol::standardCases(rig.motor());
    cases.insert(2, BenchCase::overloadMove(rig.motor()));
    ComparisonProtocol protocol(rig, variants, cases);
    if (!protocol.run()) {
        std::fprintf(stderr, "%s\n", qPrintable(protocol.errorString()));
        return;
    }
    using P = ComparisonProtocol;
    const QPair<int, P::Metric> columns[] = {{0, P::RmsError}, {1, P::RmsError},   {2, P::RmsError},
                                             {2, P::SettlingTime}, {3, P::PeakDeviation}, {3, P::RecoveryTime}};
    for (const BenchCase& benchCase : qAsConst(cases))
        std::printf("- %s\n", qPrintable(benchCase.description()));
    std::printf("\n%d runs each, %.0f %% friction, balanced preset (P 5000, I 400), defaults otherwise\n\n| variant |",
                protocol.repetitions(), load);
    for (const auto& column : columns)
        std::printf(" %s: %s |", qPrintable(cases.at(column.first).title()), qPrintable(P::metricName(column.second)));
    std::printf("\n|---|");
    for (size_t i = 0; i < std::size(columns); ++i)
        std::printf("---|");
    std::printf("\n");
    for (int v = 0; v < variants.size(); ++v) {
        std::printf("| %s |", qPrintable(variants.at(v).name));
        const bool outOfRange = v > 0 && variants.at(v).parameters.isEmpty();
        for (const auto& column : columns) {
            if (outOfRange) {
                std::printf(" beyond the range |");
                continue;
            }
            const Spread s = protocol.spread(v, column.first, column.second);
            const Spread reference = protocol.spread(0, column.first, column.second);
            const int decimals = column.second == P::RecoveryTime || column.second == P::SettlingTime ? 0 : 1;
            QString text = s.count() ? QStringLiteral("%1 ± %2").arg(s.mean(), 0, 'f', decimals).arg(s.standardDeviation(), 0, 'f', decimals)
                                     : QStringLiteral("never within the band");
            if (s.missing() && s.count())
                text += QStringLiteral(" (%1 of %2 runs never)").arg(s.missing()).arg(s.count() + s.missing());
            if (v > 0) {
                const Spread::Verdict verdict = s.compare(reference);
                text = verdict == Spread::Verdict::Lower    ? QStringLiteral("%1, lower").arg(text)
                       : verdict == Spread::Verdict::Higher ? QStringLiteral("%1, higher").arg(text)
                                                            : QStringLiteral("no measurable effect (%1)").arg(text);
            }
            std::printf(" %s |", qPrintable(text));
        }
        std::printf("\n");
    }
    // Where the I clipping binds at all: the integral the anti-windup lets through is small.
    QVector<ComparisonProtocol::Variant> clippings{{QStringLiteral("117 = 2000 (reference)"), {}}};
    for (int v : {20, 10, 5, 2, 0})
        clippings.append({QStringLiteral("117 = %1").arg(v), {{117, v}}});
    ComparisonProtocol clipped(rig, clippings, {cases.at(2)});
    if (clipped.run()) {
        std::printf("\nThe I clipping 117 below its halve/double range, %s:\n\n| variant | %s | %s |\n|---|---|---|\n",
                    qPrintable(cases.at(2).title()), qPrintable(P::metricName(P::SettlingTime)),
                    qPrintable(P::metricName(P::RmsError)));
        for (int v = 0; v < clippings.size(); ++v) {
            std::printf("| %s |", qPrintable(clippings.at(v).name));
            for (P::Metric metric : {P::SettlingTime, P::RmsError}) {
                const Spread s = clipped.spread(v, 0, metric);
                const Spread::Verdict verdict = s.compare(clipped.spread(0, 0, metric));
                std::printf(" %s%s |", qPrintable(QString::number(s.mean(), 'f', metric == P::SettlingTime ? 0 : 1) + QStringLiteral(" ± ")
                                                 + QString::number(s.standardDeviation(), 'f', metric == P::SettlingTime ? 0 : 1)),
                            v == 0 ? "" : verdict == Spread::Verdict::Lower ? ", lower" : verdict == Spread::Verdict::Higher ? ", higher" : ", no measurable effect");
            }
            std::printf("\n");
        }
    }
    for (int v = 0; v < variants.size(); ++v) {
        for (int c = 0; c < cases.size(); ++c) {
            if (const int stops = protocol.stoppedRuns(v, c))
                std::printf("\n%s, %s: the drive stopped %d of %d runs itself (207 = 1)\n", qPrintable(variants.at(v).name),
                            qPrintable(cases.at(c).title()), stops, protocol.repetitions());
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int samples = 5;
    double load = 30.0;
    enum { Timing, Presets, Effects } mode = Timing;
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        bool ok = false;
        const double value = i + 1 < arguments.size() ? arguments.at(i + 1).toDouble(&ok) : 0.0;
        if (argument == QLatin1String("--presets")) {
            mode = Presets;
        } else if (argument == QLatin1String("--effects")) {
            mode = Effects;
        } else if (argument == QLatin1String("--samples") && ok && value >= 1) {
            samples = int(value);
            ++i;
        } else if (argument == QLatin1String("--load") && ok && value >= 0 && value <= 1000) {
            load = value;
            ++i;
        } else {
            std::fprintf(stderr, "usage: comparisonbench [--samples N] | --presets [--load P] | --effects [--load P]\n");
            return 2;
        }
    }
    if (mode == Presets)
        presets(load);
    else if (mode == Effects)
        effects(load);
    else
        timing(samples);
    return 0;
}
