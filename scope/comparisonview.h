// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QtCharts/QChartGlobal>

class PresetComparison;
class QTableWidget;

QT_CHARTS_BEGIN_NAMESPACE
class QChartView;
QT_CHARTS_END_NAMESPACE

// The result of a preset comparison: the following error of each preset's test move
// overlaid, over the time from the move's start, and the table of its figures.
class ComparisonView : public QDialog
{
    Q_OBJECT
public:
    ComparisonView(const PresetComparison& comparison, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    // The chart and the table as shown.
    bool savePicture(const QString& path, QString* error);

private:
    QtCharts::QChartView* m_view;
    QTableWidget* m_table;
};
