// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scopepane.h"

#include <cmath>

#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>

#include "axisticks.h"
#include "scoperecorder.h"

QT_CHARTS_USE_NAMESPACE

namespace {

const int ExpandedHeight = 180;
const int Margin = 2;
const int TopMargin = 8; // half a label, so that the top tick's label is not cut

// A flag holds its value until the next sample: drawn as steps, not as ramps between samples.
QVector<QPointF> steps(const QVector<QPointF>& points)
{
    QVector<QPointF> result;
    result.reserve(points.size() * 2);
    for (const QPointF& point : points) {
        if (!result.isEmpty() && result.last().y() != point.y())
            result.append(QPointF(point.x(), result.last().y()));
        result.append(point);
    }
    return result;
}

QIcon swatch(const QPen& pen)
{
    QPixmap pixmap(24, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QPen shown = pen;
    shown.setWidth(qMax(2, pen.width()));
    painter.setPen(shown);
    painter.drawLine(1, 6, 23, 6);
    return QIcon(pixmap);
}

} // namespace

ScopePane::ScopePane(ScopeKind::Kind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_header(new QToolButton(this))
    , m_chart(new QChart)
    , m_view(new QChartView(m_chart, this))
    , m_timeAxis(new QCategoryAxis)
    , m_valueAxis(new QCategoryAxis)
    , m_legend(new QWidget(this))
    , m_legendLayout(new QVBoxLayout(m_legend))
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
    m_chart->legend()->hide();
    m_chart->setMargins(QMargins(Margin, TopMargin, Margin, 0));
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    QFont small = m_timeAxis->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    for (QCategoryAxis* axis : {m_timeAxis, m_valueAxis}) {
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        axis->setLabelsFont(small);
    }
    m_timeAxis->setTitleFont(small);
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    if (kind == ScopeKind::Flag) {
        m_valueAxis->setRange(-0.1, 1.1);
        label(m_valueAxis, 0, 1, 1);
    }
    connect(m_valueAxis, &QValueAxis::rangeChanged, this, [this](qreal low, qreal high) {
        if (m_settingRange)
            return;
        // A zoom of the user's: the ticks follow the range chosen.
        label(m_valueAxis, low, high, AxisTicks::niceStep((high - low) / 4));
        emit zoomed();
    });
    for (QLineSeries*& cursor : m_cursors) {
        cursor = new QLineSeries;
        cursor->setPen(QPen(Qt::darkGray, 1, Qt::DashDotLine));
        m_chart->addSeries(cursor);
        cursor->attachAxis(m_timeAxis);
        cursor->attachAxis(m_valueAxis);
    }

    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setRenderHint(QPainter::Antialiasing, false);
    m_view->setRubberBand(QChartView::VerticalRubberBand);
    m_view->setMinimumHeight(150); // the plot, the time labels and title, none of them cut
    m_view->viewport()->installEventFilter(this);

    m_legend->setObjectName(QStringLiteral("legend"));
    m_legendLayout->setContentsMargins(0, 0, 0, 0);
    m_legendLayout->setSpacing(0);
    m_legendLayout->addStretch();

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(m_view, 1);
    body->addWidget(m_legend);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addLayout(body, 1);
    resize(600, ExpandedHeight);
}

void ScopePane::setUnit(const QString& unit)
{
    m_unit = unit;
    const QString title = ScopeKind::title(m_kind);
    const QString shown = ScopeKind::displayUnit(unit);
    m_header->setText(shown.isEmpty() ? title : tr("%1 (%2)").arg(title, shown));
}

QStringList ScopePane::valueLabels() const
{
    return m_valueAxis->categoriesLabels();
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

    auto* entry = new QToolButton(m_legend);
    entry->setObjectName(QStringLiteral("legend:") + name);
    entry->setAutoRaise(true);
    entry->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    entry->setIcon(swatch(pen));
    entry->setText(label);
    entry->setToolTip(tr("Shows or hides the series"));
    m_legendLayout->insertWidget(m_legendLayout->count() - 1, entry);
    m_entries.insert(name, entry);
    connect(entry, &QToolButton::clicked, this, [this, name]() { emit legendClicked(name); });
}

void ScopePane::removeLine(const QString& name)
{
    QLineSeries* line = m_lines.take(name);
    m_styled.remove(name);
    delete m_entries.take(name);
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
    m_legend->setVisible(!collapsed);
    m_header->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
    m_header->setChecked(!collapsed);
    setMaximumHeight(collapsed ? m_header->sizeHint().height() : QWIDGETSIZE_MAX);
}

void ScopePane::refresh(const ScopeRecorder& recorder, bool cursors, const double cursorTimes[2])
{
    if (isCollapsed())
        return;
    // The lowest and highest sample of every two pixel columns.
    const int maxPoints = std::max(200, m_view->width());
    for (auto it = m_lines.constBegin(); it != m_lines.constEnd(); ++it) {
        const bool visible = recorder.isSeriesVisible(it.key());
        // Restyling only when it changes.
        if (it.value()->isVisible() != visible || !m_styled.contains(it.key()))
            styleLine(it.key(), visible);
        m_styled.insert(it.key());
        if (!visible)
            continue;
        const QVector<QPointF> points = recorder.viewPoints(it.key(), maxPoints);
        it.value()->replace(recorder.isFlag(it.key()) ? steps(points) : points);
    }
    m_settingRange = true;
    const double start = (recorder.viewStart() - recorder.viewOrigin()) / 1000.0;
    const double end = (recorder.viewEnd() - recorder.viewOrigin()) / 1000.0;
    if (end > start) {
        m_timeAxis->setRange(start, end);
        label(m_timeAxis, start, end, AxisTicks::niceStep((end - start) / 6));
    }
    m_timeAxis->setTitleText(recorder.trigger().showsCapture(recorder.latestTime())
                                 ? tr("time (s) from the trigger")
                                 : tr("time (s); 0 is the latest sample shown"));
    double low = 0;
    double high = 0;
    if (m_autoscale && m_kind != ScopeKind::Flag && recorder.valueRange(m_kind, &low, &high))
        setValueRange(low, high);
    for (int i = 0; i < 2; ++i) {
        const double x = cursorTimes[i] / 1000.0;
        m_cursors[i]->setVisible(cursors);
        m_cursors[i]->replace(QVector<QPointF>{QPointF(x, m_valueAxis->min()), QPointF(x, m_valueAxis->max())});
    }
    m_settingRange = false;
}

qreal ScopePane::naturalPlotLeft() const
{
    // The chart lays itself out when it is next drawn; the plot area is needed now.
    m_chart->layout()->activate();
    return m_chart->plotArea().left() - m_inset;
}

void ScopePane::alignPlotLeft(qreal left)
{
    const qreal inset = qMax<qreal>(0, left - naturalPlotLeft());
    if (qFuzzyCompare(inset + 1, m_inset + 1))
        return;
    m_inset = inset;
    // The layout's margins, unlike the chart's, take fractions of a pixel.
    m_chart->layout()->setContentsMargins(inset, 0, 0, 0);
    m_chart->layout()->activate();
}

int ScopePane::legendWidthHint() const
{
    return m_legendLayout->sizeHint().width();
}

void ScopePane::setLegendWidth(int width)
{
    if (m_legend->minimumWidth() != width || m_legend->maximumWidth() != width)
        m_legend->setFixedWidth(width);
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

void ScopePane::styleLine(const QString& name, bool visible)
{
    QLineSeries* line = m_lines.value(name);
    QToolButton* entry = m_entries.value(name);
    if (!line || !entry)
        return;
    line->setVisible(visible);
    // A hidden series keeps its entry, greyed, to switch it on again.
    QPalette palette = entry->palette();
    QColor text = palette.color(QPalette::Active, QPalette::ButtonText);
    text.setAlphaF(visible ? 1.0 : 0.4);
    palette.setColor(QPalette::ButtonText, text);
    entry->setPalette(palette);
    QFont font = entry->font();
    font.setStrikeOut(!visible);
    entry->setFont(font);
}

// Round limits and ticks; the same data range gives the same scale, and an unchanged scale
// costs the chart no new layout. A flat series gets a span of ten steps of its unit's
// resolution, so rounding noise stays flat.
void ScopePane::setValueRange(double low, double high)
{
    const double resolution = std::pow(10.0, -ScopeKind::decimals(m_unit));
    // The charts shorten a label that is taller than the room between two ticks to "…": as
    // many ticks as fit the plot's height, three to five.
    m_chart->layout()->activate();
    const int room = QFontMetrics(m_valueAxis->labelsFont()).height() + 6;
    const int intervals = qBound(2, int(m_chart->plotArea().height() / room) - 1, 4);
    const AxisTicks::Scale scale = AxisTicks::fitted(low, high, 10 * resolution, intervals);
    if (m_valueAxis->min() != scale.low || m_valueAxis->max() != scale.high)
        m_valueAxis->setRange(scale.low, scale.high);
    label(m_valueAxis, scale.low, scale.high, scale.step);
}

void ScopePane::label(QCategoryAxis* axis, double low, double high, double step)
{
    const QVector<double> ticks = AxisTicks::ticks(low, high, step);
    QStringList labels;
    for (double tick : ticks)
        labels << AxisTicks::label(tick, step);
    if (labels == axis->categoriesLabels() && (ticks.isEmpty() || axis->endValue(labels.first()) == ticks.first()))
        return;
    const QStringList old = axis->categoriesLabels();
    for (const QString& text : old)
        axis->remove(text);
    if (ticks.isEmpty())
        return;
    axis->setStartValue(ticks.first());
    for (int i = 0; i < ticks.size(); ++i)
        axis->append(labels.at(i), ticks.at(i));
}
