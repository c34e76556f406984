// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QList>

#include "programcomparer.h"

class QLabel;
class QTableWidget;

// The result of comparing axes with a setup program: one row per parameter, differences
// highlighted and listed first, positions greyed as not compared.
class ComparisonDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ComparisonDialog(QWidget* parent = nullptr);

    void setResult(const QString& summary, const QList<ProgramComparer::Row>& rows);
    QTableWidget* table() const { return m_table; }

    static const QColor DifferenceColour;

private:
    QLabel* m_summary;
    QTableWidget* m_table;
};
