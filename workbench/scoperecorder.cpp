#include "scoperecorder.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include "command.h"
#include "tracepoller.h"

namespace {

// The live values of the start-up tool by axis parameter; flags are 0 or 1.
struct KnownParameter
{
    int type;
    const char* name;
    bool flag;
};
const KnownParameter KnownParameters[] = {
    {2, "target velocity", false},   {3, "measured velocity", false}, {209, "encoder position", false},
    {8, "position reached", true},   {133, "closed loop ready", true},
};

const KnownParameter* known(int type)
{
    for (const KnownParameter& parameter : KnownParameters) {
        if (parameter.type == type)
            return &parameter;
    }
    return nullptr;
}

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
    return {10 * 1000, 30 * 1000, 60 * 1000, 2 * 60 * 1000, 5 * 60 * 1000, LongestWindow};
}

QString ScopeRecorder::seriesName(int type, int motor)
{
    const KnownParameter* parameter = known(type);
    QString name = parameter ? QString::fromLatin1(parameter->name) : QStringLiteral("parameter %1").arg(type);
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

void ScopeRecorder::attach(TracePoller* poller)
{
    if (m_poller)
        disconnect(m_poller, nullptr, this, nullptr);
    m_poller = poller;
    if (!poller)
        return;
    connect(poller, &TracePoller::replyDelivered, this,
            [this](QObject*, Command reply) { recordReply(reply); });
    connect(poller, &TracePoller::roundFinished, this, &ScopeRecorder::sampleSources);
}

void ScopeRecorder::addSource(const QString& name, std::function<double()> read)
{
    if (!name.isEmpty() && read)
        m_sources.push_back({name, std::move(read)});
}

void ScopeRecorder::recordReply(Command reply)
{
    if (reply.status() != Command::StatusOk || reply.command() != Command::GetAxisParameter)
        return;
    m_latestMotor = reply.motorBank();
    const KnownParameter* parameter = known(reply.type());
    addSample(seriesName(reply.type(), reply.motorBank()), now(), reply.value(), parameter && parameter->flag);
}

void ScopeRecorder::sampleSources()
{
    if (m_sources.empty())
        return;
    const qint64 time = now();
    for (const Source& source : m_sources) {
        const double value = source.read();
        if (std::isfinite(value))
            addSample(source.name, time, value);
    }
}

void ScopeRecorder::addSample(const QString& name, qint64 time, double value, bool flag)
{
    int index = m_index.value(name, -1);
    if (index < 0) {
        index = int(m_series.size());
        m_index.insert(name, index);
        Series series;
        series.name = name;
        series.flag = flag;
        m_series.push_back(std::move(series));
        emit seriesAdded(name);
    }
    std::vector<Sample>& samples = m_series[size_t(index)].samples;
    if (!samples.empty() && time < samples.back().time)
        return;
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

bool ScopeRecorder::isFlag(const QString& name) const
{
    const Series* series = find(name);
    return series && series->flag;
}

int ScopeRecorder::sampleCount(const QString& name) const
{
    const Series* series = find(name);
    return series ? int(series->samples.size()) : 0;
}

void ScopeRecorder::setWindowLength(qint64 milliseconds)
{
    milliseconds = qBound(ShortestWindow, milliseconds, LongestWindow);
    if (milliseconds == m_window)
        return;
    m_window = milliseconds;
    touch();
}

void ScopeRecorder::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    m_pausedAt = m_latest;
    touch();
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

QVector<QPointF> ScopeRecorder::viewPoints(const QString& name, int maxPoints) const
{
    QVector<QPointF> points;
    const Series* series = find(name);
    if (!series)
        return points;
    const std::vector<Sample>& samples = series->samples;
    const auto before = [](Sample sample, qint64 time) { return sample.time < time; };
    auto first = std::lower_bound(samples.begin(), samples.end(), viewStart(), before);
    const auto last = std::upper_bound(samples.begin(), samples.end(), viewEnd(),
                                       [](qint64 time, Sample sample) { return time < sample.time; });
    if (first != samples.begin() && first < last)
        --first;
    if (first >= last)
        return points;
    const qint64 end = viewEnd();
    const auto point = [end](Sample sample) { return QPointF((sample.time - end) / 1000.0, sample.value); };
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

bool ScopeRecorder::valueRange(bool flags, double* low, double* high) const
{
    bool any = false;
    const auto before = [](Sample sample, qint64 time) { return sample.time < time; };
    for (const Series& series : m_series) {
        if (!series.visible || series.flag != flags)
            continue;
        auto it = std::lower_bound(series.samples.begin(), series.samples.end(), viewStart(), before);
        for (; it != series.samples.end() && it->time <= viewEnd(); ++it) {
            if (!any) {
                *low = *high = it->value;
                any = true;
            }
            *low = std::min(*low, it->value);
            *high = std::max(*high, it->value);
        }
    }
    return any;
}

void ScopeRecorder::clear()
{
    for (Series& series : m_series)
        std::vector<Sample>().swap(series.samples);
    m_total = 0;
    m_discarded = 0;
    m_latest = 0;
    m_pausedAt = 0;
    touch();
}

void ScopeRecorder::setCapacity(qint64 samples)
{
    m_capacity = std::max<qint64>(1, samples);
    enforceCapacity();
}

bool ScopeRecorder::writeCsv(QIODevice* device) const
{
    if (!device || !device->isWritable())
        return false;
    QTextStream out(device);
    out << "time_ms,series,value\n";
    QVector<QString> names;
    for (const Series& series : m_series)
        names.append(csvField(series.name));
    forOldest(m_total, [&](size_t index, Sample sample) {
        out << sample.time << ',' << names.at(int(index)) << ',' << QString::number(sample.value, 'g', 15) << '\n';
    });
    out.flush();
    return out.status() == QTextStream::Ok;
}

bool ScopeRecorder::saveCsv(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || !writeCsv(&file) || !file.commit()) {
        if (error)
            *error = tr("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

const ScopeRecorder::Series* ScopeRecorder::find(const QString& name) const
{
    auto it = m_index.constFind(name);
    return it == m_index.constEnd() ? nullptr : &m_series[size_t(*it)];
}

// A merge over the series: there are only a handful of them.
template <class Visit>
void ScopeRecorder::forOldest(qint64 count, Visit visit) const
{
    std::vector<size_t> next(m_series.size(), 0);
    for (qint64 n = 0; n < count; ++n) {
        size_t pick = m_series.size();
        for (size_t s = 0; s < m_series.size(); ++s) {
            const std::vector<Sample>& samples = m_series[s].samples;
            if (next[s] < samples.size()
                && (pick == m_series.size() || samples[next[s]].time < m_series[pick].samples[next[pick]].time))
                pick = s;
        }
        if (pick == m_series.size())
            return;
        visit(pick, m_series[pick].samples[next[pick]]);
        ++next[pick];
    }
}

void ScopeRecorder::enforceCapacity()
{
    if (m_total <= m_capacity)
        return;
    const qint64 drop = m_total - m_capacity * 9 / 10;
    std::vector<size_t> dropped(m_series.size(), 0);
    forOldest(drop, [&dropped](size_t index, Sample) { ++dropped[index]; });
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
