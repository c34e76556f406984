// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scopepane.h"

#include <cmath>

#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "scoperecorder.h"

QT_CHARTS_USE_NAMESPACE

namespace {

// 1, 2 or 5 times a power of ten, at least `step`.
double niceStep(double step)
{
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= step * (1 - 1e-9))
            return factor * power;
    }
    return 10 * power;
}

const int ExpandedHeight = 150;

} // namespace

ScopePane::ScopePane(ScopeKind::Kind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_header(new QToolButton(this))
    , m_chart(new QChart)
    , m_view(new QChartView(m_chart, this))
    , m_timeAxis(new QValueAxis)
    , m_valueAxis(new QValueAxis)
{
    setObjectName(QStringLiteral("pane%1").arg(int(kind)));
    m_header->setObjectName(QStringLiteral("btnCollapse"));
    m_header->setCheckable(true);
    m_header->setChecked(true);
    m_header->setAutoRaise(true);
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setArrowType(Qt::DownArrow);
    m_header->setToolTip(tr("Shows or collapses the pane"));
    connect(m_header, &QToolButton::toggled, this, [this](bool expanded) { setCollapsed(!expanded); });
    setUnit(QString());

    m_chart->setAnimationOptions(QChart::NoAnimation);
    // Beside the plot, so that a short pane keeps its height for the traces.
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_chart->setMargins(QMargins(2, 0, 2, 0));
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_timeAxis->setLabelFormat(QStringLiteral("%.3g"));
    m_timeAxis->setTickAnchor(0);
    m_timeAxis->setTickInterval(1);
    m_timeAxis->setTickType(QValueAxis::TicksDynamic);
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    if (kind == ScopeKind::Flag) {
        m_valueAxis->setRange(-0.1, 1.1);
        m_valueAxis->setTickType(QValueAxis::TicksDynamic);
        m_valueAxis->setTickAnchor(0);
        m_valueAxis->setTickInterval(1);
        m_valueAxis->setLabelFormat(QStringLiteral("%.0f"));
    }
    connect(m_valueAxis, &QValueAxis::rangeChanged, this, [this]() {
        if (!m_settingRange)
            emit zoomed();
    });
    for (QLineSeries*& cursor : m_cursors) {
        cursor = new QLineSeries;
        cursor->setPen(QPen(Qt::darkGray, 1, Qt::DashDotLine));
        m_chart->addSeries(cursor);
        cursor->attachAxis(m_timeAxis);
        cursor->attachAxis(m_valueAxis);
        const QList<QLegendMarker*> markers = m_chart->legend()->markers(cursor);
        for (QLegendMarker* marker : markers)
            marker->setVisible(false);
    }

    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setRenderHint(QPainter::Antialiasing, false);
    m_view->setRubberBand(QChartView::VerticalRubberBand);
    m_view->setMinimumHeight(120);
    m_view->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_view, 1);
    resize(600, ExpandedHeight);
}

void ScopePane::setUnit(const QString& unit)
{
    m_unit = unit;
    const QString title = ScopeKind::title(m_kind);
    const QString shown = ScopeKind::displayUnit(unit);
    m_header->setText(shown.isEmpty() ? title : tr("%1 (%2)").arg(title, shown));
}

void ScopePane::addLine(const QString& name, const QString& label, const QPen& pen)
{
    if (m_lines.contains(name))
        return;
    auto* line = new QLineSeries;
    line->setName(label);
    line->setPen(pen);
    // Attaching a series may fit the axes to it; that is no zoom of the user's.
    m_settingRange = true;
    m_chart->addSeries(line);
    line->attachAxis(m_timeAxis);
    line->attachAxis(m_valueAxis);
    m_settingRange = false;
    m_lines.insert(name, line);
    const QList<QLegendMarker*> markers = m_chart->legend()->markers(line);
    for (QLegendMarker* marker : markers)
        connect(marker, &QLegendMarker::clicked, this, [this, name]() { emit legendClicked(name); });
}

void ScopePane::removeLine(const QString& name)
{
    QLineSeries* line = m_lines.take(name);
    m_styled.remove(name);
    if (!line)
        return;
    m_chart->removeSeries(line);
    delete line;
}

bool ScopePane::isCollapsed() const
{
    return m_view->isHidden();
}

void ScopePane::setCollapsed(bool collapsed)
{
    m_view->setVisible(!collapsed);
    m_header->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
    m_header->setChecked(!collapsed);
    setMaximumHeight(collapsed ? m_header->sizeHint().height() : QWIDGETSIZE_MAX);
}

void ScopePane::refresh(const ScopeRecorder& recorder, bool cursors, const double cursorTimes[2], bool timeTitle)
{
    if (isCollapsed())
        return;
    // The lowest and highest sample of every two pixel columns.
    const int maxPoints = std::max(200, m_view->width());
    for (auto it = m_lines.constBegin(); it != m_lines.constEnd(); ++it) {
        const bool visible = recorder.isSeriesVisible(it.key());
        // Restyling a legend entry lays the legend out again: only when it changes.
        if (it.value()->isVisible() != visible || !m_styled.contains(it.key()))
            styleLine(it.value(), visible);
        m_styled.insert(it.key());
        if (visible)
            it.value()->replace(recorder.viewPoints(it.key(), maxPoints));
    }
    m_settingRange = true;
    const double start = (recorder.viewStart() - recorder.viewOrigin()) / 1000.0;
    const double end = (recorder.viewEnd() - recorder.viewOrigin()) / 1000.0;
    if (end > start)
        m_timeAxis->setTickInterval(niceStep((end - start) / 6));
    m_timeAxis->setRange(start, end);
    m_timeAxis->setTitleText(timeTitle ? (recorder.trigger().showsCapture(recorder.latestTime())
                                              ? tr("time (s) from the trigger")
                                              : tr("time (s); 0 is the latest sample shown"))
                                       : QString());
    double low = 0;
    double high = 0;
    if (m_autoscale && m_kind != ScopeKind::Flag && recorder.valueRange(m_kind, &low, &high))
        setValueRange(low, high);
    for (int i = 0; i < 2; ++i) {
        const QList<QLegendMarker*> markers = m_chart->legend()->markers(m_cursors[i]);
        for (QLegendMarker* marker : markers) {
            if (marker->isVisible())
                marker->setVisible(false);
        }
        const double x = cursorTimes[i] / 1000.0;
        m_cursors[i]->setVisible(cursors);
        m_cursors[i]->replace(QVector<QPointF>{QPointF(x, m_valueAxis->min()), QPointF(x, m_valueAxis->max())});
    }
    m_settingRange = false;
}

bool ScopePane::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched != m_view->viewport() || (!press && event->type() != QEvent::MouseButtonRelease))
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (press) {
        m_pressedAt = mouse->pos();
        // The right button would end a zoom; it places cursor 2 instead.
        if (mouse->button() == Qt::RightButton)
            return true;
    }
    // A click, not the end of a zoom drag, places a cursor.
    if (!press && (mouse->pos() - m_pressedAt).manhattanLength() < 4) {
        const QPointF scene = m_view->mapToScene(mouse->pos());
        const bool second = mouse->button() == Qt::RightButton || (mouse->modifiers() & Qt::ShiftModifier);
        if (m_chart->plotArea().contains(scene))
            emit cursorPlaced(second ? 1 : 0, m_chart->mapToValue(scene).x() * 1000.0);
        if (mouse->button() == Qt::RightButton)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ScopePane::styleLine(QLineSeries* line, bool visible)
{
    line->setVisible(visible);
    const QList<QLegendMarker*> markers = m_chart->legend()->markers(line);
    for (QLegendMarker* marker : markers) {
        // A hidden series hides its legend entry too; the entry must stay to switch it on again.
        marker->setVisible(true);
        QColor colour = line->pen().color();
        colour.setAlphaF(visible ? 1.0 : 0.3);
        marker->setLabelBrush(colour);
        marker->setBrush(colour);
    }
}

// Round limits and ticks; the same data range gives the same scale, and an unchanged scale
// costs the chart no new layout.
void ScopePane::setValueRange(double low, double high)
{
    if (high - low < 1e-9) {
        low -= 1;
        high += 1;
    }
    const double step = niceStep((high - low) / 4);
    const double niceLow = std::floor(low / step) * step;
    const double niceHigh = std::ceil(high / step) * step;
    m_valueAxis->setRange(niceLow, niceHigh);
    m_valueAxis->setTickCount(int(std::lround((niceHigh - niceLow) / step)) + 1);
    m_valueAxis->setLabelFormat(step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.3g"));
}
