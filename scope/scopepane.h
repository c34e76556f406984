// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QSet>
#include <QWidget>
#include <QtCharts/QChartGlobal>

#include "scopekind.h"

class QToolButton;
class QVBoxLayout;
class ScopeRecorder;

QT_CHARTS_BEGIN_NAMESPACE
class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
QT_CHARTS_END_NAMESPACE

// One pane of the scope: the series of one kind (or moved there) over the shared time axis,
// with its title and unit, the two cursors as vertical lines, and a header that collapses it.
// A click on the plot sets the first cursor, with Shift or the right button the second.
//
// The legend is a column of buttons beside the chart rather than the chart's own, which drops
// entries when the pane gets short; a click on an entry shows or hides its series. The window
// gives every pane the same legend width and plot-area left edge, so that the time axes of
// stacked panes line up.
class ScopePane : public QWidget
{
    Q_OBJECT
public:
    ScopePane(ScopeKind::Kind kind, QWidget* parent = nullptr);

    ScopeKind::Kind kind() const { return m_kind; }
    QtCharts::QChart* chart() const { return m_chart; }
    QtCharts::QChartView* view() const { return m_view; }
    QtCharts::QLineSeries* line(const QString& name) const { return m_lines.value(name); }
    QToolButton* legendEntry(const QString& name) const { return m_entries.value(name); }
    QStringList lines() const { return m_lines.keys(); }
    // The value axis's tick labels, lowest first.
    QStringList valueLabels() const;

    void addLine(const QString& name, const QString& label, const QPen& pen);
    void removeLine(const QString& name);

    bool isCollapsed() const;
    void setCollapsed(bool collapsed);
    void setAutoscale(bool on) { m_autoscale = on; }
    // The unit of the value axis (of the series' units, the first's).
    void setUnit(const QString& unit);

    // Draws the recorder's view with the cursors (ms from the view's origin; shown when
    // `cursors`).
    void refresh(const ScopeRecorder& recorder, bool cursors, const double cursorTimes[2]);

    // Where the plot area would start without alignment, and the left edge to align it to.
    qreal naturalPlotLeft() const;
    void alignPlotLeft(qreal left);
    int legendWidthHint() const;
    void setLegendWidth(int width);

signals:
    void cursorPlaced(int cursor, double milliseconds);
    void legendClicked(const QString& name);
    // A vertical drag zoomed the value scale.
    void zoomed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setValueRange(double low, double high);
    void label(QtCharts::QCategoryAxis* axis, double low, double high, double step);
    void styleLine(const QString& name, bool visible);

    ScopeKind::Kind m_kind;
    QToolButton* m_header;
    QtCharts::QChart* m_chart;
    QtCharts::QChartView* m_view;
    QtCharts::QCategoryAxis* m_timeAxis;
    QtCharts::QCategoryAxis* m_valueAxis;
    QtCharts::QLineSeries* m_cursors[2];
    QWidget* m_legend;
    QVBoxLayout* m_legendLayout;
    QHash<QString, QtCharts::QLineSeries*> m_lines;
    QHash<QString, QToolButton*> m_entries;
    QSet<QString> m_styled;
    QString m_unit;
    QPoint m_pressedAt;
    qreal m_inset = 0; // added to the left margin to align the plot area
    bool m_autoscale = true;
    bool m_settingRange = false;
};
