// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comparisondialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

const QColor ComparisonDialog::DifferenceColour(255, 205, 205);

ComparisonDialog::ComparisonDialog(QWidget* parent)
    : QDialog(parent)
    , m_summary(new QLabel(this))
    , m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("ComparisonDialog"));
    setWindowTitle(tr("Compare axis with setup program"));
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    m_table->setObjectName(QStringLiteral("twComparison"));
    m_table->setColumnCount(7);
    m_table->setHorizontalHeaderLabels(
        {tr("Axis"), tr("Line"), tr("Parameter"), tr("Name"), tr("Expected"), tr("Found"), tr("Result")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(900, 520);
}

void ComparisonDialog::setResult(const QString& summary, const QList<ProgramComparer::Row>& compared)
{
    // Differences first, so none hides below the fold; otherwise in file order.
    QList<ProgramComparer::Row> rows = compared;
    std::stable_sort(rows.begin(), rows.end(), [](const ProgramComparer::Row& a, const ProgramComparer::Row& b) {
        return a.isDifference() && !b.isDifference();
    });
    m_summary->setText(summary);
    m_table->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const ProgramComparer::Row& row = rows.at(r);
        QString result;
        switch (row.state) {
        case ProgramComparer::State::Match:
            result = tr("same");
            break;
        case ProgramComparer::State::Differs:
            result = tr("differs");
            break;
        case ProgramComparer::State::Unreadable:
            result = tr("no answer");
            break;
        case ProgramComparer::State::NotCompared:
            result = tr("not compared (position)");
            break;
        }
        const bool read = row.state == ProgramComparer::State::Match || row.state == ProgramComparer::State::Differs;
        const QStringList cells{QString::number(row.motor), QString::number(row.line), QString::number(row.type),
                                row.name, QString::number(row.expected), read ? QString::number(row.found) : QString(),
                                result};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            if (c != 3 && c != 6)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row.isDifference()) {
                item->setBackground(DifferenceColour);
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            } else if (row.state == ProgramComparer::State::NotCompared) {
                item->setForeground(Qt::gray);
            }
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
}
