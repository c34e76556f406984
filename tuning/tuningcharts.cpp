// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tuningcharts.h"

#include <algorithm>
#include <cmath>

#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

namespace {
QChart* chart(const QString& title)
{
    auto* c = new QChart;
    c->setTitle(title);
    c->legend()->setAlignment(Qt::AlignBottom);
    return c;
}

void attach(QChart* c, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y)
{
    c->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QLineSeries* line(const QString& name, const QVector<QPointF>& points)
{
    auto* series = new QLineSeries;
    series->setName(name);
    series->replace(points);
    return series;
}
} // namespace

QChart* TuningCharts::steps(const StepResponse::Result& result)
{
    const bool setpoint = result.kind == StepResponse::Kind::Setpoint;
    QChart* c = chart(setpoint ? tr("Setpoint step of %1 microsteps").arg(result.size, 0, 'f', 0)
                               : tr("Load step of %1 N·m at standstill").arg(result.size, 0, 'f', 3));
    auto* x = new QValueAxis;
    x->setTitleText(tr("Time since the step (ms)"));
    auto* y = new QValueAxis;
    y->setTitleText(tr("Position (µsteps)"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    double low = 0.0;
    double high = 0.0;
    int run = 0;
    for (const auto& trace : result.traces) {
        QVector<QPointF> points;
        for (size_t k = 0; k < trace.size(); ++k) {
            points.append(QPointF(double(k + 1), trace[k]));
            low = std::min(low, trace[k]);
            high = std::max(high, trace[k]);
        }
        attach(c, line(tr("run %1").arg(++run), points), x, y);
    }
    const double target = setpoint ? result.size : 0.0;
    const double end = StepResponse::Duration;
    for (double level : {target - result.band, target + result.band}) {
        QLineSeries* band = line(QString(), {QPointF(0, level), QPointF(end, level)});
        band->setPen(QPen(Qt::gray, 1, Qt::DashLine));
        attach(c, band, x, y);
        c->legend()->markers(band).first()->setVisible(false);
    }
    x->setRange(0, end);
    x->setLabelFormat(QStringLiteral("%.0f"));
    y->setRange(std::min(low, target - result.band) - 10, std::max(high, target + result.band) + 10);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    return c;
}

QChart* TuningCharts::bode(const FrequencyResponse::Result& result, bool phase, const QString& title)
{
    QChart* c = chart(title);
    auto* x = new QLogValueAxis;
    x->setBase(10);
    x->setLabelFormat(QStringLiteral("%g"));
    x->setMinorTickCount(8);
    x->setTitleText(tr("Frequency (Hz)"));
    auto* y = new QValueAxis;
    y->setTitleText(phase ? tr("Phase (degrees)") : tr("Magnitude (dB)"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    QVector<QPointF> points;
    QVector<QPointF> lower;
    QVector<QPointF> upper;
    for (const auto& point : result.points) {
        if (!point.resolved)
            continue;
        const Spread& s = phase ? point.phase : point.magnitude;
        points.append(QPointF(point.frequency, s.mean()));
        lower.append(QPointF(point.frequency, s.minimum()));
        upper.append(QPointF(point.frequency, s.maximum()));
    }
    attach(c, line(tr("mean"), points), x, y);
    QLineSeries* low = line(tr("range over the runs"), lower);
    QLineSeries* high = line(QString(), upper);
    for (QLineSeries* s : {low, high}) {
        s->setPen(QPen(Qt::gray, 1, Qt::DotLine));
        attach(c, s, x, y);
    }
    c->legend()->markers(high).first()->setVisible(false);
    if (!phase && result.bandwidth > 0) {
        QLineSeries* mark = line(tr("-3 dB: %1 Hz").arg(result.bandwidth, 0, 'f', 1),
                                 {QPointF(result.bandwidth, -40), QPointF(result.bandwidth, 10)});
        mark->setPen(QPen(Qt::red, 1, Qt::DashLine));
        attach(c, mark, x, y);
    }
    if (!result.points.empty())
        x->setRange(result.points.front().frequency, result.points.back().frequency);
    if (!phase) {
        // In steps of 10 dB, from -40 dB to above the peak.
        const double top = std::max(10.0, 10.0 * std::ceil((result.peak + 3) / 10.0));
        y->setRange(-40, top);
        y->setTickCount(int((top + 40) / 10) + 1);
        y->setLabelFormat(QStringLiteral("%.0f"));
    } else {
        y->applyNiceNumbers();
        y->setLabelFormat(QStringLiteral("%.0f"));
    }
    return c;
}

QChart* TuningCharts::pullOut(const PullOutCurve::Result& result)
{
    QChart* c = chart(tr("Pull-out torque against speed"));
    auto* x = new QValueAxis;
    x->setTitleText(tr("Speed (rev/s)"));
    auto* y = new QValueAxis;
    y->setTitleText(tr("Torque (N·m)"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    QVector<QPointF> open;
    QVector<QPointF> closed;
    double top = 0.1;
    double fastest = 1.0;
    for (const auto& point : result.points) {
        open.append(QPointF(point.speed, point.openLoop));
        closed.append(QPointF(point.speed, point.closedLoop));
        top = std::max({top, point.openLoop, point.closedLoop});
        fastest = std::max(fastest, point.speed);
    }
    attach(c, line(tr("open loop"), open), x, y);
    attach(c, line(tr("closed loop"), closed), x, y);
    QLineSeries* load = line(tr("load: %1 N·m").arg(result.load, 0, 'f', 3), {QPointF(0, result.load), QPointF(fastest, result.load)});
    load->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    attach(c, load, x, y);
    QLineSeries* limit = line(tr("max. velocity: %1 rev/s").arg(result.maximumVelocity, 0, 'f', 2),
                              {QPointF(result.maximumVelocity, 0), QPointF(result.maximumVelocity, top * 1.1)});
    limit->setPen(QPen(Qt::red, 2, Qt::DashLine));
    attach(c, limit, x, y);
    x->setRange(0, fastest);
    y->setRange(0, top * 1.1);
    y->applyNiceNumbers();
    return c;
}
