// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comparisonprotocol.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QJsonArray>

namespace {

const double NotReached = std::numeric_limits<double>::quiet_NaN();

ComparisonProtocol::Figures noFigures()
{
    ComparisonProtocol::Figures figures;
    figures.fill(NotReached);
    return figures;
}

// The time after which the error stays within the band, counted from `start`: 0 when it never
// left it, NaN when it is still outside at the end.
double timeIntoBand(const std::vector<BenchRig::Sample>& samples, size_t from, qint64 start, double band)
{
    qint64 lastOutside = -1;
    for (size_t i = from; i < samples.size(); ++i) {
        if (std::abs(samples[i].values.followingError) > band)
            lastOutside = samples[i].time;
    }
    if (lastOutside < 0)
        return 0.0;
    if (lastOutside == samples.back().time)
        return NotReached;
    return double(lastOutside + 1 - start);
}

double rootMeanSquare(const std::vector<BenchRig::Sample>& samples)
{
    double squares = 0.0;
    for (const BenchRig::Sample& sample : samples)
        squares += sample.values.followingError * sample.values.followingError;
    return samples.empty() ? NotReached : std::sqrt(squares / double(samples.size()));
}

double peak(const std::vector<BenchRig::Sample>& samples)
{
    double result = samples.empty() ? NotReached : 0.0;
    for (const BenchRig::Sample& sample : samples)
        result = std::max(result, std::abs(sample.values.followingError));
    return result;
}

} // namespace

ComparisonProtocol::ComparisonProtocol(const BenchRig& rig, const QVector<Variant>& variants,
                                       const QVector<BenchCase>& cases)
    : m_rig(rig)
    , m_variants(variants)
    , m_cases(cases)
    // The error is counted in whole counts: a little over the band's edge is outside.
    , m_band(BandCounts * rig.microstepsPerCount() + 1e-6)
{
}

QVector<BenchCase> ComparisonProtocol::standardCases(const MotorPhysics::Motor& motor)
{
    return {BenchCase::gentleMove(), BenchCase::fastMove(motor), BenchCase::loadStepCase()};
}

QVector<ComparisonProtocol::Metric> ComparisonProtocol::metrics(BenchCase::Kind kind)
{
    if (kind == BenchCase::Kind::LoadStep)
        return {PeakDeviation, RecoveryTime};
    return {RmsError, PeakError, Overshoot, SettlingTime};
}

bool ComparisonProtocol::run()
{
    m_figures.clear();
    m_traces.clear();
    m_stops.clear();
    m_error.clear();
    std::vector<std::vector<Figures>> figures(size_t(m_variants.size() * m_cases.size()));
    std::vector<std::vector<BenchRig::Sample>> traces(figures.size());
    std::vector<int> stops(figures.size(), 0);
    for (int v = 0; v < m_variants.size(); ++v) {
        BenchRig rig = m_rig;
        for (const auto& parameter : m_variants.at(v).parameters) {
            if (!rig.setParameter(parameter.first, parameter.second)) {
                m_error = tr("%1: the drive refuses %2 for parameter %3.")
                              .arg(m_variants.at(v).name)
                              .arg(parameter.second)
                              .arg(parameter.first);
                return false;
            }
        }
        for (int k = 0; k < m_repetitions; ++k) {
            BenchRig prepared = rig;
            const double phase = double(k) / m_repetitions;
            if (!prepared.prepare(phase, phase)) {
                m_error = prepared.errorString();
                return false;
            }
            for (int c = 0; c < m_cases.size(); ++c) {
                const size_t i = size_t(index(v, c));
                bool stopped = false;
                figures[i].push_back(runCase(prepared, m_cases.at(c), k == 0 ? &traces[i] : nullptr, &stopped));
                stops[i] += stopped ? 1 : 0;
            }
        }
    }
    m_figures = std::move(figures);
    m_traces = std::move(traces);
    m_stops = std::move(stops);
    return true;
}

ComparisonProtocol::Figures ComparisonProtocol::runCase(BenchRig rig, const BenchCase& benchCase,
                                                        std::vector<BenchRig::Sample>* trace, bool* stopped) const
{
    rig.startRecording();
    Figures figures = noFigures();
    if (benchCase.kind == BenchCase::Kind::LoadStep) {
        rig.addLoadTorque(benchCase.loadStep * rig.motor().holdingTorque);
        rig.advance(benchCase.watch);
        figures = measureLoadStep(rig.samples(), m_band);
    } else {
        const double perRevolution = rig.microstepsPerRevolution();
        const int distance = int(std::lround(benchCase.revolutions * perRevolution));
        // Within what the ramp generator can run.
        const ParameterCatalogue& catalogue = rig.drive().catalogue();
        const int speed = int(std::min<double>(std::lround(benchCase.speed * perRevolution), catalogue.find(4)->parameter.maximum));
        const int acceleration
            = int(std::min<double>(std::lround(benchCase.acceleration * perRevolution), catalogue.find(5)->parameter.maximum));
        // The ramp ends on its own: time enough for it at a tenth of the acceleration.
        const double rampTime = benchCase.revolutions / std::max(benchCase.speed, 1e-3)
                                + 10 * benchCase.speed / std::max(benchCase.acceleration, 1e-3);
        if (rig.move(distance, speed, acceleration) && rig.finishMove(qint64(1000 * rampTime) + 2000)) {
            rig.advance(benchCase.watch);
            figures = measureMove(rig.samples(), distance >= 0 ? 1 : -1, m_band);
        }
    }
    rig.stopRecording();
    *stopped = rig.parameter(207) == 1;
    if (trace)
        *trace = rig.samples();
    return figures;
}

ComparisonProtocol::Figures ComparisonProtocol::measureMove(const std::vector<BenchRig::Sample>& samples, int direction,
                                                            double band)
{
    Figures figures = noFigures();
    figures[RmsError] = rootMeanSquare(samples);
    figures[PeakError] = peak(samples);
    const auto arrival = std::find_if(samples.begin(), samples.end(), [](const BenchRig::Sample& s) { return !s.moving; });
    if (arrival == samples.end())
        return figures;
    // Past the target: the rotor ahead of the command, against the direction it lags in.
    double overshoot = 0.0;
    for (auto s = arrival; s != samples.end(); ++s)
        overshoot = std::max(overshoot, -direction * s->values.followingError);
    figures[Overshoot] = overshoot;
    figures[SettlingTime] = timeIntoBand(samples, size_t(arrival - samples.begin()), arrival->time, band);
    return figures;
}

ComparisonProtocol::Figures ComparisonProtocol::measureLoadStep(const std::vector<BenchRig::Sample>& samples, double band)
{
    Figures figures = noFigures();
    figures[PeakDeviation] = peak(samples);
    if (!samples.empty())
        figures[RecoveryTime] = timeIntoBand(samples, 0, 0, band);
    return figures;
}

Spread ComparisonProtocol::spread(int variant, int benchCase, Metric metric) const
{
    if (!hasResults() || variant < 0 || variant >= m_variants.size() || benchCase < 0 || benchCase >= m_cases.size())
        return Spread();
    std::vector<double> values;
    for (const Figures& figures : m_figures[size_t(index(variant, benchCase))])
        values.push_back(figures[size_t(metric)]);
    return Spread(values);
}

// The variant with the fewest missing values, of those the lowest mean; -1 without results.
int ComparisonProtocol::best(int benchCase, Metric metric) const
{
    int result = -1;
    Spread chosen;
    for (int v = 0; v < m_variants.size(); ++v) {
        const Spread s = spread(v, benchCase, metric);
        if (s.count() + s.missing() == 0)
            continue;
        if (result < 0 || s.missing() < chosen.missing() || (s.missing() == chosen.missing() && s.mean() < chosen.mean())) {
            result = v;
            chosen = s;
        }
    }
    return result;
}

ComparisonProtocol::Mark ComparisonProtocol::mark(int variant, int benchCase, Metric metric) const
{
    const int top = best(benchCase, metric);
    if (top < 0)
        return Mark::Worse;
    const Spread first = spread(top, benchCase, metric);
    bool apart = true;
    for (int v = 0; v < m_variants.size(); ++v)
        apart = apart && (v == top || first.compare(spread(v, benchCase, metric)) == Spread::Verdict::Lower);
    if (variant == top)
        return apart ? Mark::Best : Mark::NoMeasurableDifference;
    return first.overlaps(spread(variant, benchCase, metric)) ? Mark::NoMeasurableDifference : Mark::Worse;
}

int ComparisonProtocol::stoppedRuns(int variant, int benchCase) const
{
    if (!hasResults() || variant < 0 || variant >= m_variants.size() || benchCase < 0 || benchCase >= m_cases.size())
        return 0;
    return m_stops[size_t(index(variant, benchCase))];
}

const std::vector<BenchRig::Sample>& ComparisonProtocol::trace(int variant, int benchCase) const
{
    static const std::vector<BenchRig::Sample> none;
    if (!hasResults() || variant < 0 || variant >= m_variants.size() || benchCase < 0 || benchCase >= m_cases.size())
        return none;
    return m_traces[size_t(index(variant, benchCase))];
}

QString ComparisonProtocol::metricName(Metric metric)
{
    switch (metric) {
    case RmsError:
        return tr("RMS error (µsteps)");
    case PeakError:
        return tr("peak error (µsteps)");
    case Overshoot:
        return tr("overshoot (µsteps)");
    case SettlingTime:
        return tr("settling (ms)");
    case PeakDeviation:
        return tr("peak deviation (µsteps)");
    case RecoveryTime:
        return tr("recovery (ms)");
    case MetricCount:
        break;
    }
    return QString();
}

QStringList ComparisonProtocol::header() const
{
    QStringList result{tr("case"), tr("variant")};
    for (int m = 0; m < MetricCount; ++m)
        result.append(metricName(Metric(m)));
    return result;
}

QString ComparisonProtocol::cell(int variant, int benchCase, Metric metric, const QLocale& locale) const
{
    if (benchCase < 0 || benchCase >= m_cases.size() || !metrics(m_cases.at(benchCase).kind).contains(metric))
        return QString();
    const Spread s = spread(variant, benchCase, metric);
    const int decimals = metric == SettlingTime || metric == RecoveryTime ? 0 : 1;
    QString text;
    if (s.count() == 0)
        text = metric == SettlingTime ? tr("not settled") : metric == RecoveryTime ? tr("not recovered") : tr("none");
    else
        text = tr("%1 ± %2").arg(locale.toString(s.mean(), 'f', decimals), locale.toString(s.standardDeviation(), 'f', decimals));
    if (s.count() && s.missing())
        text = tr("%1 (%2 of %3 runs)").arg(text).arg(s.count()).arg(s.count() + s.missing());
    switch (mark(variant, benchCase, metric)) {
    case Mark::Best:
        return text + QStringLiteral(" *");
    case Mark::NoMeasurableDifference:
        return text + QStringLiteral(" =");
    case Mark::Worse:
        break;
    }
    return text;
}

QVector<QStringList> ComparisonProtocol::rows(const QLocale& locale) const
{
    QVector<QStringList> result;
    for (int c = 0; c < m_cases.size(); ++c) {
        for (int v = 0; v < m_variants.size(); ++v) {
            QStringList row{m_cases.at(c).title(), m_variants.at(v).name};
            for (int m = 0; m < MetricCount; ++m)
                row.append(cell(v, c, Metric(m), locale));
            result.append(row);
        }
    }
    return result;
}

QStringList ComparisonProtocol::verdicts() const
{
    QStringList result;
    for (int c = 0; c < m_cases.size(); ++c) {
        const Metric metric = metrics(m_cases.at(c).kind).constFirst();
        const int top = best(c, metric);
        if (top < 0)
            continue;
        QStringList tied;
        for (int v = 0; v < m_variants.size(); ++v) {
            if (mark(v, c, metric) == Mark::NoMeasurableDifference)
                tied.append(m_variants.at(v).name);
        }
        if (tied.isEmpty())
            result.append(tr("%1: %2 is best by %3.").arg(m_cases.at(c).title(), m_variants.at(top).name, metricName(metric)));
        else
            result.append(tr("%1: no measurable difference by %2 between %3.")
                              .arg(m_cases.at(c).title(), metricName(metric), tied.join(QStringLiteral(", "))));
    }
    for (int c = 0; c < m_cases.size(); ++c) {
        for (int v = 0; v < m_variants.size(); ++v) {
            if (const int stops = stoppedRuns(v, c))
                result.append(tr("%1, %2: the drive stopped %3 of %4 runs itself (deviation limit or fault, 207 = 1).")
                                  .arg(m_cases.at(c).title(), m_variants.at(v).name)
                                  .arg(stops)
                                  .arg(m_repetitions));
        }
    }
    return result;
}

QString ComparisonProtocol::table(const QLocale& locale) const
{
    if (!hasResults())
        return QString();
    QVector<QStringList> lines = rows(locale);
    lines.prepend(header());
    QVector<int> widths(lines.constFirst().size(), 0);
    for (const QStringList& line : qAsConst(lines)) {
        for (int i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line.at(i).size());
    }
    QString text;
    for (const QStringList& line : qAsConst(lines)) {
        QString row;
        for (int i = 0; i < line.size(); ++i)
            row += line.at(i).leftJustified(widths[i] + 2);
        text += row.trimmed() + QLatin1Char('\n');
    }
    text += tr("%1 runs per case and variant, the start shifted by k/%1 of a full step and of an encoder count; "
               "mean ± standard deviation; band ±%2 counts (%3 µsteps).")
                .arg(m_repetitions)
                .arg(BandCounts)
                .arg(locale.toString(BandCounts * m_rig.microstepsPerCount(), 'f', 1))
            + QLatin1Char('\n');
    text += tr("* best: its range lies apart from every other's; = no measurable difference from the best (ranges overlap).")
            + QLatin1Char('\n');
    const QStringList verdictLines = verdicts();
    for (const QString& line : verdictLines)
        text += line + QLatin1Char('\n');
    return text;
}

QJsonObject ComparisonProtocol::toJson() const
{
    auto rounded = [](double value) { return std::isfinite(value) ? QJsonValue(std::round(value * 10) / 10) : QJsonValue(); };
    QJsonArray cases;
    for (int c = 0; c < m_cases.size(); ++c) {
        const BenchCase& benchCase = m_cases.at(c);
        QJsonArray variants;
        for (int v = 0; v < m_variants.size(); ++v) {
            QJsonObject figures;
            const QVector<Metric> caseMetrics = metrics(benchCase.kind);
            for (Metric metric : caseMetrics) {
                static const char* const keys[] = {"rmsErrorMicrosteps",    "peakErrorMicrosteps",     "overshootMicrosteps",
                                                   "settlingTimeMs",        "peakDeviationMicrosteps", "recoveryTimeMs"};
                const Spread s = spread(v, c, metric);
                const char* const marks[] = {"best", "no measurable difference", ""};
                figures.insert(QLatin1String(keys[metric]),
                               QJsonObject{{QStringLiteral("mean"), rounded(s.count() ? s.mean() : NotReached)},
                                           {QStringLiteral("standardDeviation"), rounded(s.count() ? s.standardDeviation() : NotReached)},
                                           {QStringLiteral("minimum"), rounded(s.count() ? s.minimum() : NotReached)},
                                           {QStringLiteral("maximum"), rounded(s.count() ? s.maximum() : NotReached)},
                                           {QStringLiteral("runs"), s.count()},
                                           {QStringLiteral("missing"), s.missing()},
                                           {QStringLiteral("mark"), QLatin1String(marks[int(mark(v, c, metric))])}});
            }
            QJsonArray parameters;
            for (const auto& parameter : m_variants.at(v).parameters)
                parameters.append(QJsonArray{parameter.first, parameter.second});
            variants.append(QJsonObject{{QStringLiteral("name"), m_variants.at(v).name},
                                        {QStringLiteral("parameters"), parameters},
                                        {QStringLiteral("stoppedRuns"), stoppedRuns(v, c)},
                                        {QStringLiteral("figures"), figures}});
        }
        cases.append(QJsonObject{{QStringLiteral("case"), benchCase.name},
                                 {QStringLiteral("revolutions"), benchCase.revolutions},
                                 {QStringLiteral("speedRevPerSecond"), benchCase.speed},
                                 {QStringLiteral("accelerationRevPerSecond2"), benchCase.acceleration},
                                 {QStringLiteral("loadStepShare"), benchCase.loadStep},
                                 {QStringLiteral("watchMs"), benchCase.watch},
                                 {QStringLiteral("variants"), variants}});
    }
    return QJsonObject{{QStringLiteral("repetitions"), m_repetitions},
                       {QStringLiteral("restMs"), BenchRig::RestTime},
                       {QStringLiteral("bandCounts"), BandCounts},
                       {QStringLiteral("cases"), cases}};
}
