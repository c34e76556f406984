// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <vector>

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QLocale>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include "benchcase.h"
#include "benchrig.h"
#include "spread.h"

// Compares variants of a closed-loop configuration (sets of axis parameters written over a
// bench copy of the axis) case by case, as a test stand does:
// - every run starts from a fresh copy of the rig in its defined state (BenchRig::prepare);
// - each case runs `repetitions` times; repetition k of N starts k/N of a full step and k/N of
//   an encoder count off, the same for every variant;
// - per run: RMS and peak following error over the move and its watch, overshoot (how far the
//   rotor went past the target after the ramp's end) and settling time (from the ramp's end
//   until the following error stays within the band); for a load step the peak deviation and
//   the recovery time (from the step until it stays within the band). The band is BandCounts
//   encoder counts either way. A move that has not settled by the end of its watch has no
//   settling time (a missing value, see Spread);
// - per metric the spread over the repetitions; a variant is marked best only where its range
//   lies apart from every other's, else the variants overlapping the best show no measurable
//   difference from it.
class ComparisonProtocol
{
    Q_DECLARE_TR_FUNCTIONS(ComparisonProtocol)
public:
    static constexpr double BandCounts = 4.0;
    static constexpr int DefaultRepetitions = 8;

    enum Metric { RmsError, PeakError, Overshoot, SettlingTime, PeakDeviation, RecoveryTime, MetricCount };
    using Figures = std::array<double, MetricCount>; // NaN where the metric does not apply or was not reached

    enum class Mark { Best, NoMeasurableDifference, Worse };

    struct Variant
    {
        QString name; // shown as given
        QList<QPair<int, int>> parameters; // number, value
    };

    ComparisonProtocol(const BenchRig& rig, const QVector<Variant>& variants, const QVector<BenchCase>& cases);

    // The gentle and the fast move and the load step, for this motor.
    static QVector<BenchCase> standardCases(const MotorPhysics::Motor& motor);
    static QVector<Metric> metrics(BenchCase::Kind kind);

    void setRepetitions(int repetitions) { m_repetitions = std::max(1, repetitions); }
    int repetitions() const { return m_repetitions; }

    // False, with errorString(), when a variant's parameter is refused or the closed loop does
    // not start; the results are empty then.
    bool run();
    QString errorString() const { return m_error; }
    bool hasResults() const { return !m_figures.empty(); }

    const QVector<Variant>& variants() const { return m_variants; }
    const QVector<BenchCase>& cases() const { return m_cases; }
    double band() const { return m_band; } // microsteps
    const BenchRig& rig() const { return m_rig; }

    Spread spread(int variant, int benchCase, Metric metric) const;
    Mark mark(int variant, int benchCase, Metric metric) const;
    // How many runs the drive stopped itself (207 = 1: its deviation limit or a fault).
    int stoppedRuns(int variant, int benchCase) const;
    // The signals of the first repetition, every millisecond.
    const std::vector<BenchRig::Sample>& trace(int variant, int benchCase) const;

    // The figures of one recorded run: a move in `direction` (+1, -1), or a load step.
    static Figures measureMove(const std::vector<BenchRig::Sample>& samples, int direction, double band);
    static Figures measureLoadStep(const std::vector<BenchRig::Sample>& samples, double band);

    static QString metricName(Metric metric); // with its unit
    // The table as the window and the command line show it: a header, then one row per case
    // and variant; "*" marks the best, "=" no measurable difference from the best.
    QStringList header() const;
    QVector<QStringList> rows(const QLocale& locale) const;
    QString cell(int variant, int benchCase, Metric metric, const QLocale& locale) const;
    // Per case, which variant is best by its first metric, or that none is measurably better;
    // then the runs the drive stopped itself.
    QStringList verdicts() const;
    // The header, rows, legend and verdicts as aligned plain text.
    QString table(const QLocale& locale = QLocale::c()) const;
    QJsonObject toJson() const;

private:
    Figures runCase(BenchRig rig, const BenchCase& benchCase, std::vector<BenchRig::Sample>* trace, bool* stopped) const;
    int index(int variant, int benchCase) const { return variant * int(m_cases.size()) + benchCase; }
    int best(int benchCase, Metric metric) const;

    BenchRig m_rig;
    QVector<Variant> m_variants;
    QVector<BenchCase> m_cases;
    int m_repetitions = DefaultRepetitions;
    double m_band = 0.0;
    // Per variant and case: the figures of every repetition, and the first one's trace.
    std::vector<std::vector<Figures>> m_figures;
    std::vector<std::vector<BenchRig::Sample>> m_traces;
    std::vector<int> m_stops;
    QString m_error;
};
