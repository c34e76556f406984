// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <limits>
#include <vector>

#include <QHash>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

#include "scopekind.h"
#include "scopetrigger.h"

class Command;
class QIODevice;

// What the scope records, without any widget: named series of (time, value) samples, the
// time in ms of the clock it is given (the simulated module's). Each series has a kind (the
// pane it is drawn in unless moved) and a unit (see ScopeKind).
//
// Sources: every axis-parameter reply the trace poller delivers to a tool (one series per
// parameter and motor, named after the live value), and the drive's fast signals
// (DriveSignalFeed), sampled every millisecond of the simulation clock.
//
// The view: a window of windowLength() ms. Without a trigger it ends at the latest sample;
// with one (trigger()) it is the capture around the trigger. Pausing freezes the view where
// it is; samples keep being recorded, so nothing received while paused is lost.
//
// Memory: every sample since the last clear is kept, up to capacity() samples (16 bytes
// each; the default, 4 million, is about 64 MiB: 9 minutes of the fast signals and the live
// values). Beyond that the oldest samples are dropped down to nine tenths of the capacity,
// so that the next samples do not drop again, and counted in discardedSamples().
class ScopeRecorder : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 ShortestWindow = 100;
    static constexpr qint64 LongestWindow = 10 * 60 * 1000;
    static constexpr qint64 DefaultCapacity = 4 * 1000 * 1000;

    struct Statistics
    {
        int count = 0;
        double minimum = 0;
        double maximum = 0;
        double rms = 0;
    };

    // The window lengths offered to the user, in ms.
    static QVector<qint64> windowChoices();
    // The series a polled axis parameter goes into: "measured velocity", ..., "parameter N";
    // motors other than 0 add " (motor M)".
    static QString seriesName(int type, int motor);

    explicit ScopeRecorder(QObject* parent = nullptr);
    ~ScopeRecorder() override;

    void setClock(std::function<qint64()> clock);
    qint64 now() const;

    // The motor of the latest reply recorded (0 before any): the axis the tools poll.
    int latestMotor() const { return m_latestMotor; }

    // Successful axis-parameter reads only; anything else is no value.
    void recordReply(Command reply);
    // The series' index, made on first use (kind and unit from its name).
    int seriesIndex(const QString& name);
    // Samples of one series must come in time order; an older one is dropped.
    void addSample(int series, qint64 time, double value);
    void addSample(const QString& name, qint64 time, double value) { addSample(seriesIndex(name), time, value); }

    QStringList seriesNames() const; // in the order they first appeared
    bool hasSeries(const QString& name) const { return m_index.contains(name); }
    bool isFlag(const QString& name) const { return kind(name) == ScopeKind::Flag; }
    ScopeKind::Kind kind(const QString& name) const;
    QString unit(const QString& name) const;
    int sampleCount() const { return int(m_total); }
    int sampleCount(const QString& name) const;
    qint64 discardedSamples() const { return m_discarded; }
    qint64 latestTime() const { return m_latest; }

    // The pane a series is drawn in: its kind unless moved.
    ScopeKind::Kind pane(const QString& name) const;
    void setPane(const QString& name, ScopeKind::Kind pane);

    qint64 windowLength() const { return m_window; }
    void setWindowLength(qint64 milliseconds); // kept within the shortest and longest window
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    const ScopeTrigger& trigger() const { return m_trigger; }
    void setTrigger(const ScopeTrigger::Settings& settings);
    void armTrigger();
    qint64 viewEnd() const;
    qint64 viewStart() const { return viewEnd() - m_window; }
    // Time 0 of the picture: the trigger, or the end of the view.
    qint64 viewOrigin() const;
    bool isSeriesVisible(const QString& name) const;
    void setSeriesVisible(const QString& name, bool visible);

    // The series' samples in the view as points, x in seconds from the view's origin. With
    // the sample just before the view so the line starts at its left edge. More than
    // maxPoints are thinned to the lowest and highest sample of each of maxPoints / 2
    // stretches, so peaks stay.
    QVector<QPointF> viewPoints(const QString& name, int maxPoints) const;
    // Lowest and highest value of the visible series of a pane in the view; false when none.
    bool valueRange(ScopeKind::Kind pane, double* low, double* high) const;
    // The sample at the time or the latest before it; false when there is none.
    bool valueAt(const QString& name, qint64 time, double* value) const;
    // Of the samples from `from` to `to` (ms, both included).
    Statistics statistics(const QString& name, qint64 from, qint64 to) const;

    void clear();

    qint64 capacity() const { return m_capacity; }
    void setCapacity(qint64 samples);

    // The samples kept from `from` to `to` ms, oldest first (equal times in series order),
    // one row each: "time_ms,series,unit,value" after that header line, each value with the
    // resolution of its unit. Times count from the picture's origin, the trigger or the latest
    // sample shown; a comment line first ("# time 0: ...") gives the origin's time on the
    // module's clock.
    bool writeCsv(QIODevice* device, qint64 from = std::numeric_limits<qint64>::min(),
                  qint64 to = std::numeric_limits<qint64>::max()) const;
    bool saveCsv(const QString& path, QString* error, qint64 from = std::numeric_limits<qint64>::min(),
                 qint64 to = std::numeric_limits<qint64>::max()) const;

    // Changes with every change of the data or the view.
    quint64 revision() const { return m_revision; }

signals:
    void seriesAdded(const QString& name);
    void triggered(qint64 time);

private:
    struct Sample
    {
        qint64 time;
        double value;
    };
    struct Series
    {
        QString name;
        QString unit;
        ScopeKind::Kind kind = ScopeKind::Other;
        ScopeKind::Kind pane = ScopeKind::Other;
        bool visible = true;
        std::vector<Sample> samples;
    };

    const Series* find(const QString& name) const;
    std::pair<std::vector<Sample>::const_iterator, std::vector<Sample>::const_iterator>
    range(const Series& series, qint64 from, qint64 to) const;
    // Calls visit(series index, sample) for the `count` oldest samples from `from` on, oldest first.
    template <class Visit>
    void forOldest(qint64 count, qint64 from, Visit visit) const;
    void enforceCapacity();
    void touch();

    std::function<qint64()> m_clock;
    std::vector<Series> m_series;
    QHash<QString, int> m_index;
    ScopeTrigger m_trigger;
    qint64 m_total = 0;
    qint64 m_discarded = 0;
    qint64 m_capacity = DefaultCapacity;
    qint64 m_latest = 0;
    qint64 m_window = 60 * 1000;
    qint64 m_pausedAt = 0;
    qint64 m_pausedOrigin = 0;
    bool m_paused = false;
    bool m_pausedTrigger = false; // the picture frozen by the pause is a capture
    int m_latestMotor = 0;
    quint64 m_revision = 0;
};
