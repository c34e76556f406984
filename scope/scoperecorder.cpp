// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scoperecorder.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QBuffer>
#include <QElapsedTimer>
#include <QTextStream>

#include "command.h"
#include "outputfile.h"

namespace {

// The live values of the start-up tool by axis parameter.
struct KnownParameter
{
    int type;
    const char* name;
};
const KnownParameter KnownParameters[] = {
    {2, "target velocity"}, {3, "measured velocity"}, {209, "encoder position"},
    {8, "position reached"}, {133, "closed loop ready"},
};

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QVector<qint64> ScopeRecorder::windowChoices()
{
    return {100, 200, 500, 1000, 2000, 5000, 10 * 1000, 30 * 1000, 60 * 1000, 2 * 60 * 1000, 5 * 60 * 1000, LongestWindow};
}

QString ScopeRecorder::seriesName(int type, int motor)
{
    QString name = QStringLiteral("parameter %1").arg(type);
    for (const KnownParameter& parameter : KnownParameters) {
        if (parameter.type == type)
            name = QString::fromLatin1(parameter.name);
    }
    if (motor != 0)
        name += QStringLiteral(" (motor %1)").arg(motor);
    return name;
}

ScopeRecorder::ScopeRecorder(QObject* parent)
    : QObject(parent)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    m_clock = [timer]() { return timer->elapsed(); };
    m_trigger.setWindow(m_window);
}

ScopeRecorder::~ScopeRecorder() = default;

void ScopeRecorder::setClock(std::function<qint64()> clock)
{
    if (clock)
        m_clock = std::move(clock);
}

qint64 ScopeRecorder::now() const
{
    return m_clock();
}

void ScopeRecorder::recordReply(Command reply)
{
    if (reply.status() != Command::StatusOk || reply.command() != Command::GetAxisParameter)
        return;
    m_latestMotor = reply.motorBank();
    addSample(seriesName(reply.type(), reply.motorBank()), now(), reply.value());
}

int ScopeRecorder::seriesIndex(const QString& name)
{
    int index = m_index.value(name, -1);
    if (index >= 0)
        return index;
    index = int(m_series.size());
    m_index.insert(name, index);
    Series series;
    series.name = name;
    series.kind = series.pane = ScopeKind::kindOf(name);
    series.unit = ScopeKind::unitOf(name);
    m_series.push_back(std::move(series));
    emit seriesAdded(name);
    return index;
}

void ScopeRecorder::addSample(int index, qint64 time, double value)
{
    if (index < 0 || index >= int(m_series.size()))
        return;
    Series& series = m_series[size_t(index)];
    std::vector<Sample>& samples = series.samples;
    if (!samples.empty() && time < samples.back().time)
        return;
    if (!samples.empty() && m_trigger.offer(series.name, samples.back().value, value, time))
        emit triggered(time);
    samples.push_back({time, value});
    ++m_total;
    m_latest = std::max(m_latest, time);
    enforceCapacity();
    touch();
}

QStringList ScopeRecorder::seriesNames() const
{
    QStringList names;
    for (const Series& series : m_series)
        names.append(series.name);
    return names;
}

ScopeKind::Kind ScopeRecorder::kind(const QString& name) const
{
    const Series* series = find(name);
    return series ? series->kind : ScopeKind::Other;
}

QString ScopeRecorder::unit(const QString& name) const
{
    const Series* series = find(name);
    return series ? series->unit : QString();
}

int ScopeRecorder::sampleCount(const QString& name) const
{
    const Series* series = find(name);
    return series ? int(series->samples.size()) : 0;
}

ScopeKind::Kind ScopeRecorder::pane(const QString& name) const
{
    const Series* series = find(name);
    return series ? series->pane : ScopeKind::Other;
}

void ScopeRecorder::setPane(const QString& name, ScopeKind::Kind pane)
{
    auto it = m_index.constFind(name);
    if (it == m_index.constEnd() || pane < 0 || pane >= ScopeKind::Count)
        return;
    m_series[size_t(*it)].pane = pane;
    touch();
}

void ScopeRecorder::setWindowLength(qint64 milliseconds)
{
    milliseconds = qBound(ShortestWindow, milliseconds, LongestWindow);
    if (milliseconds == m_window)
        return;
    m_window = milliseconds;
    m_trigger.setWindow(milliseconds);
    touch();
}

void ScopeRecorder::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_pausedAt = viewEnd();
    m_pausedOrigin = viewOrigin();
    m_pausedTrigger = m_trigger.showsCapture(m_latest);
    m_paused = paused;
    touch();
}

void ScopeRecorder::setTrigger(const ScopeTrigger::Settings& settings)
{
    m_trigger.setSettings(settings);
    touch();
}

void ScopeRecorder::armTrigger()
{
    m_trigger.arm();
    touch();
}

qint64 ScopeRecorder::viewEnd() const
{
    if (m_paused)
        return m_pausedAt;
    return m_trigger.showsCapture(m_latest) ? m_trigger.captureEnd() : m_latest;
}

qint64 ScopeRecorder::viewOrigin() const
{
    if (m_paused)
        return m_pausedOrigin;
    return m_trigger.showsCapture(m_latest) ? m_trigger.triggerTime() : m_latest;
}

bool ScopeRecorder::isSeriesVisible(const QString& name) const
{
    const Series* series = find(name);
    return series && series->visible;
}

void ScopeRecorder::setSeriesVisible(const QString& name, bool visible)
{
    auto it = m_index.constFind(name);
    if (it == m_index.constEnd() || m_series[size_t(*it)].visible == visible)
        return;
    m_series[size_t(*it)].visible = visible;
    touch();
}

std::pair<std::vector<ScopeRecorder::Sample>::const_iterator, std::vector<ScopeRecorder::Sample>::const_iterator>
ScopeRecorder::range(const Series& series, qint64 from, qint64 to) const
{
    const std::vector<Sample>& samples = series.samples;
    const auto first = std::lower_bound(samples.begin(), samples.end(), from,
                                        [](Sample sample, qint64 time) { return sample.time < time; });
    const auto last = std::upper_bound(first, samples.end(), to,
                                       [](qint64 time, Sample sample) { return time < sample.time; });
    return {first, last};
}

QVector<QPointF> ScopeRecorder::viewPoints(const QString& name, int maxPoints) const
{
    QVector<QPointF> points;
    const Series* series = find(name);
    if (!series)
        return points;
    auto [first, last] = range(*series, viewStart(), viewEnd());
    if (first != series->samples.begin() && first < last)
        --first;
    if (first >= last)
        return points;
    const qint64 origin = viewOrigin();
    const auto point = [origin](Sample sample) { return QPointF((sample.time - origin) / 1000.0, sample.value); };
    const qint64 count = last - first;
    if (maxPoints < 2 || count <= maxPoints) {
        points.reserve(int(count));
        for (auto it = first; it != last; ++it)
            points.append(point(*it));
        return points;
    }
    const qint64 stretches = maxPoints / 2;
    points.reserve(int(stretches * 2));
    for (qint64 i = 0; i < stretches; ++i) {
        const auto begin = first + count * i / stretches;
        const auto end = first + count * (i + 1) / stretches;
        if (begin == end)
            continue;
        const auto [low, high] = std::minmax_element(begin, end, [](Sample a, Sample b) {
            return a.value < b.value;
        });
        points.append(point(low < high ? *low : *high));
        if (low != high)
            points.append(point(low < high ? *high : *low));
    }
    return points;
}

bool ScopeRecorder::valueRange(ScopeKind::Kind pane, double* low, double* high) const
{
    bool any = false;
    for (const Series& series : m_series) {
        if (!series.visible || series.pane != pane)
            continue;
        const auto [first, last] = range(series, viewStart(), viewEnd());
        if (first == last)
            continue;
        const auto [min, max] = std::minmax_element(first, last, [](Sample a, Sample b) { return a.value < b.value; });
        *low = any ? std::min(*low, min->value) : min->value;
        *high = any ? std::max(*high, max->value) : max->value;
        any = true;
    }
    return any;
}

bool ScopeRecorder::valueAt(const QString& name, qint64 time, double* value) const
{
    const Series* series = find(name);
    if (!series)
        return false;
    const auto after = std::upper_bound(series->samples.begin(), series->samples.end(), time,
                                        [](qint64 t, Sample sample) { return t < sample.time; });
    if (after == series->samples.begin())
        return false;
    *value = std::prev(after)->value;
    return true;
}

ScopeRecorder::Statistics ScopeRecorder::statistics(const QString& name, qint64 from, qint64 to) const
{
    Statistics result;
    const Series* series = find(name);
    if (!series)
        return result;
    const auto [first, last] = range(*series, from, to);
    double squares = 0;
    for (auto it = first; it != last; ++it) {
        result.minimum = result.count ? std::min(result.minimum, it->value) : it->value;
        result.maximum = result.count ? std::max(result.maximum, it->value) : it->value;
        squares += it->value * it->value;
        ++result.count;
    }
    if (result.count)
        result.rms = std::sqrt(squares / result.count);
    return result;
}

void ScopeRecorder::clear()
{
    for (Series& series : m_series)
        std::vector<Sample>().swap(series.samples);
    m_total = 0;
    m_discarded = 0;
    m_latest = 0;
    m_pausedAt = 0;
    m_pausedOrigin = 0;
    m_trigger.arm();
    touch();
}

void ScopeRecorder::setCapacity(qint64 samples)
{
    m_capacity = std::max<qint64>(1, samples);
    enforceCapacity();
}

bool ScopeRecorder::writeCsv(QIODevice* device, qint64 from, qint64 to) const
{
    if (!device || !device->isWritable())
        return false;
    QTextStream out(device);
    out.setCodec("UTF-8");
    const qint64 origin = viewOrigin();
    const bool trigger = m_paused ? m_pausedTrigger : m_trigger.showsCapture(m_latest);
    out << "# time 0: " << (trigger ? "the trigger" : "the latest sample shown") << ", at " << origin
        << " ms of the module's clock\n";
    out << "time_ms,series,unit,value\n";
    QVector<QString> prefixes;
    for (const Series& series : m_series)
        prefixes.append(QLatin1Char(',') + csvField(series.name) + QLatin1Char(',') + csvField(series.unit) + QLatin1Char(','));
    forOldest(m_total, from, [&](size_t index, Sample sample) {
        if (sample.time > to)
            return false;
        out << sample.time - origin << prefixes.at(int(index)) << ScopeKind::format(m_series[index].unit, sample.value) << '\n';
        return true;
    });
    out.flush();
    return out.status() == QTextStream::Ok;
}

bool ScopeRecorder::saveCsv(const QString& path, QString* error, qint64 from, qint64 to) const
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly | QIODevice::Text);
    QString fault;
    if (!writeCsv(&buffer, from, to) || !OutputFile::write(path, data, &fault)) {
        if (error)
            *error = fault.isEmpty() ? tr("Cannot write %1").arg(path) : fault;
        return false;
    }
    return true;
}

const ScopeRecorder::Series* ScopeRecorder::find(const QString& name) const
{
    auto it = m_index.constFind(name);
    return it == m_index.constEnd() ? nullptr : &m_series[size_t(*it)];
}

// A merge over the series: there are only a handful of them. visit returns false to stop.
template <class Visit>
void ScopeRecorder::forOldest(qint64 count, qint64 from, Visit visit) const
{
    std::vector<size_t> next(m_series.size(), 0);
    for (size_t s = 0; s < m_series.size(); ++s)
        next[s] = size_t(range(m_series[s], from, std::numeric_limits<qint64>::max()).first - m_series[s].samples.begin());
    for (qint64 n = 0; n < count; ++n) {
        size_t pick = m_series.size();
        for (size_t s = 0; s < m_series.size(); ++s) {
            const std::vector<Sample>& samples = m_series[s].samples;
            if (next[s] < samples.size()
                && (pick == m_series.size() || samples[next[s]].time < m_series[pick].samples[next[pick]].time))
                pick = s;
        }
        if (pick == m_series.size() || !visit(pick, m_series[pick].samples[next[pick]]))
            return;
        ++next[pick];
    }
}

void ScopeRecorder::enforceCapacity()
{
    if (m_total <= m_capacity)
        return;
    const qint64 drop = m_total - m_capacity * 9 / 10;
    std::vector<size_t> dropped(m_series.size(), 0);
    forOldest(drop, std::numeric_limits<qint64>::min(), [&dropped](size_t index, Sample) {
        ++dropped[index];
        return true;
    });
    for (size_t s = 0; s < m_series.size(); ++s) {
        std::vector<Sample>& samples = m_series[s].samples;
        samples.erase(samples.begin(), samples.begin() + qint64(dropped[s]));
    }
    m_total -= drop;
    m_discarded += drop;
}

void ScopeRecorder::touch()
{
    ++m_revision;
}
