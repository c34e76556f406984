// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comparisonview.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "outputfile.h"
#include "presetcomparison.h"
#include "scopekind.h"

QT_CHARTS_USE_NAMESPACE

namespace {

// Okabe and Ito's blue, orange and bluish green.
const QRgb Colours[] = {0x0072b2, 0xe69f00, 0x009e73};

} // namespace

ComparisonView::ComparisonView(const PresetComparison& comparison, QWidget* parent)
    : QDialog(parent)
    , m_comparison(comparison)
    , m_view(new QChartView(this))
    , m_case(new QComboBox(this))
    , m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("ComparisonView"));
    setWindowTitle(tr("Compare presets"));
    const ComparisonProtocol* protocol = comparison.protocol();
    const QLocale locale;
    const QStringList header = protocol ? protocol->header() : QStringList();
    const QVector<QStringList> rows = protocol ? protocol->rows(locale) : QVector<QStringList>();
    m_table->setColumnCount(header.size());
    m_table->setHorizontalHeaderLabels(header);
    m_table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            auto* item = new QTableWidgetItem(rows.at(row).at(column));
            if (column > 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    m_table->setObjectName(QStringLiteral("twComparison"));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->resizeColumnsToContents();
    m_table->setMinimumHeight(m_table->horizontalHeader()->height() + (rows.size() + 1) * m_table->verticalHeader()->defaultSectionSize());

    m_case->setObjectName(QStringLiteral("cbCase"));
    if (protocol) {
        for (const BenchCase& benchCase : protocol->cases())
            m_case->addItem(benchCase.title());
    }
    connect(m_case, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ComparisonView::showCase);
    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setMinimumHeight(380);

    auto* cases = new QLabel(comparison.caseDescriptions(), this);
    QString notes;
    if (protocol) {
        notes = tr("%1 runs per case and preset, each from the defined state with the start shifted by a part of a "
                   "full step and of an encoder count; mean ± standard deviation; band ±%2 encoder counts. "
                   "* best: its range lies apart from every other's; = no measurable difference from the best.")
                    .arg(protocol->repetitions())
                    .arg(ComparisonProtocol::BandCounts)
                + QLatin1Char('\n') + protocol->verdicts().join(QLatin1Char('\n'));
    }
    auto* legend = new QLabel(notes, this);
    legend->setObjectName(QStringLiteral("lblVerdicts"));
    legend->setWordWrap(true);
    auto* hint = new QLabel(tr("Measured on a copy of the axis's configuration: the axis itself is as it was. "
                               "Pick the preset on the closed-loop page."),
                            this);
    hint->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(tr("Traces of the first run:"), this));
    choice->addWidget(m_case);
    choice->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cases);
    layout->addLayout(choice);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_table);
    layout->addWidget(legend);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    showCase(0);
    resize(1420, 1060);
}

void ComparisonView::showCase(int benchCase)
{
    const ComparisonProtocol* protocol = m_comparison.protocol();
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setLocalizeNumbers(true);
    chart->setTitle(m_comparison.title());
    auto* time = new QValueAxis;
    time->setTitleText(tr("time (ms) from the start of the case"));
    time->setLabelFormat(QStringLiteral("%.0f"));
    auto* error = new QValueAxis;
    error->setTitleText(ScopeKind::displayUnit(QStringLiteral("microsteps")));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(error, Qt::AlignLeft);
    // A flat trace still gets a scale around it.
    double low = 0;
    double high = 0;
    qint64 end = 1;
    const int variants = protocol ? protocol->variants().size() : 0;
    for (int v = 0; v < variants; ++v) {
        auto* line = new QLineSeries;
        line->setName(protocol->variants().at(v).name);
        line->setPen(QPen(QColor(Colours[v % 3]), v == 0 ? 2 : 1, v == 2 ? Qt::DashLine : Qt::SolidLine));
        QVector<QPointF> points;
        const std::vector<BenchRig::Sample>& trace = protocol->trace(v, benchCase);
        points.reserve(int(trace.size()));
        for (const BenchRig::Sample& sample : trace) {
            points.append(QPointF(double(sample.time), sample.values.followingError));
            low = std::min(low, sample.values.followingError);
            high = std::max(high, sample.values.followingError);
            end = std::max(end, sample.time);
        }
        line->replace(points);
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(error);
    }
    error->setRange(high - low < 1 ? low - 1 : low, high - low < 1 ? high + 1 : high);
    error->applyNiceNumbers();
    time->setRange(0, double(end));
    time->applyNiceNumbers();
    QChart* old = m_view->chart();
    m_view->setChart(chart);
    delete old;
    if (m_case->currentIndex() != benchCase)
        m_case->setCurrentIndex(benchCase);
}

bool ComparisonView::savePicture(const QString& path, QString* error)
{
    QString fault;
    if (!OutputFile::writePng(path, grab().toImage(), &fault)) {
        if (error)
            *error = fault;
        return false;
    }
    return true;
}
