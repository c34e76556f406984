#pragma once

#include <functional>
#include <vector>

#include <QHash>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

class Command;
class QIODevice;
class TracePoller;

// What the scope records, without any widget: named series of (time, value) samples, the
// time in ms of the clock it is given (the simulated module's).
//
// Sources: every reply the trace poller delivers to a tool (one series per parameter and
// motor, named after the live value), and sources added by name, read once per poll round.
//
// The view: a window of windowLength() ms that ends at the latest sample. Pausing freezes the
// view where it is; samples keep being recorded, so nothing received while paused is lost and
// resuming jumps to the latest. Clear empties every series but keeps the series and their
// visibility.
//
// Memory: every sample since the last clear is kept, up to capacity() samples (16 bytes each;
// the default, 4 million, is about 64 MiB: 14 hours of the start-up tool's five values and
// two truth values at 10 Hz). Beyond that the oldest samples are dropped down to nine tenths
// of the capacity and counted in discardedSamples().
class ScopeRecorder : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 ShortestWindow = 10 * 1000;
    static constexpr qint64 LongestWindow = 10 * 60 * 1000;
    static constexpr qint64 DefaultCapacity = 4 * 1000 * 1000;

    // The window lengths offered to the user, in ms.
    static QVector<qint64> windowChoices();
    // The series a polled axis parameter goes into: "measured velocity", ..., "parameter N";
    // motors other than 0 add " (motor M)".
    static QString seriesName(int type, int motor);

    explicit ScopeRecorder(QObject* parent = nullptr);
    ~ScopeRecorder() override;

    void setClock(std::function<qint64()> clock);
    qint64 now() const;

    // Records what the poller delivers and reads the sources after each of its rounds; a
    // second call replaces the first poller.
    void attach(TracePoller* poller);
    // A value read once per poll round; a value that is not finite is skipped.
    void addSource(const QString& name, std::function<double()> read);
    // The motor of the latest reply recorded (0 before any).
    int latestMotor() const { return m_latestMotor; }

    // Successful axis-parameter reads only; anything else is no value.
    void recordReply(Command reply);
    void sampleSources();
    // Samples of one series must come in time order; an older one is dropped.
    void addSample(const QString& name, qint64 time, double value, bool flag = false);

    QStringList seriesNames() const; // in the order they first appeared
    bool hasSeries(const QString& name) const { return m_index.contains(name); }
    // Flags (0 or 1, such as "position reached") are drawn on a scale of their own.
    bool isFlag(const QString& name) const;
    int sampleCount() const { return int(m_total); }
    int sampleCount(const QString& name) const;
    qint64 discardedSamples() const { return m_discarded; }
    qint64 latestTime() const { return m_latest; }

    qint64 windowLength() const { return m_window; }
    void setWindowLength(qint64 milliseconds); // kept within the shortest and longest window
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    qint64 viewEnd() const { return m_paused ? m_pausedAt : m_latest; }
    qint64 viewStart() const { return viewEnd() - m_window; }
    bool isSeriesVisible(const QString& name) const;
    void setSeriesVisible(const QString& name, bool visible);

    // The series' samples in the view as points, x in seconds from the end of the view (0 the
    // latest, earlier ones negative), so the time scale stays put. With the sample just before
    // the view so the line starts at its left edge. More than maxPoints are thinned to the
    // lowest and highest sample of each of maxPoints / 2 stretches, so peaks stay.
    QVector<QPointF> viewPoints(const QString& name, int maxPoints) const;
    // Lowest and highest value of the visible series in the view, flags apart; false when
    // there is none.
    bool valueRange(bool flags, double* low, double* high) const;

    void clear();

    qint64 capacity() const { return m_capacity; }
    void setCapacity(qint64 samples);

    // Every sample kept, oldest first (equal times in series order), one row each:
    // "time_ms,series,value" after that header line.
    bool writeCsv(QIODevice* device) const;
    bool saveCsv(const QString& path, QString* error) const;

    // Changes with every change of the data or the view.
    quint64 revision() const { return m_revision; }

signals:
    void seriesAdded(const QString& name);

private:
    struct Sample
    {
        qint64 time;
        double value;
    };
    struct Series
    {
        QString name;
        bool flag = false;
        bool visible = true;
        std::vector<Sample> samples;
    };
    struct Source
    {
        QString name;
        std::function<double()> read;
    };

    const Series* find(const QString& name) const;
    // Calls visit(series index, sample) for the `count` oldest samples, oldest first.
    template <class Visit>
    void forOldest(qint64 count, Visit visit) const;
    void enforceCapacity();
    void touch();

    std::function<qint64()> m_clock;
    QPointer<TracePoller> m_poller;
    std::vector<Source> m_sources;
    std::vector<Series> m_series;
    QHash<QString, int> m_index;
    qint64 m_total = 0;
    qint64 m_discarded = 0;
    qint64 m_capacity = DefaultCapacity;
    qint64 m_latest = 0;
    qint64 m_window = 60 * 1000;
    qint64 m_pausedAt = 0;
    bool m_paused = false;
    int m_latestMotor = 0;
    quint64 m_revision = 0;
};
