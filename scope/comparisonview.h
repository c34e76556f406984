// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QtCharts/QChartGlobal>

#include "presetcomparison.h"

class QComboBox;
class QTableWidget;

QT_CHARTS_BEGIN_NAMESPACE
class QChartView;
QT_CHARTS_END_NAMESPACE

// The result of a preset comparison: the protocol's table as the command line prints it, and
// the following error of each preset's first run of a case overlaid, over the time from the
// case's start. Numbers follow the locale.
class ComparisonView : public QDialog
{
    Q_OBJECT
public:
    ComparisonView(const PresetComparison& comparison, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    // Shows the traces of this case of the protocol.
    void showCase(int benchCase);
    // The chart and the table as shown.
    bool savePicture(const QString& path, QString* error);

private:
    const PresetComparison m_comparison; // a copy: the view may outlive the caller's
    QtCharts::QChartView* m_view;
    QComboBox* m_case;
    QTableWidget* m_table;
};
