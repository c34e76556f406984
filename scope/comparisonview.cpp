// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comparisonview.h"

#include <algorithm>

#include <QLocale>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
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

QString presetName(const QString& preset)
{
    if (preset == QLatin1String("conservative"))
        return ComparisonView::tr("conservative");
    if (preset == QLatin1String("balanced"))
        return ComparisonView::tr("balanced");
    return preset == QLatin1String("aggressive") ? ComparisonView::tr("aggressive") : preset;
}

} // namespace

ComparisonView::ComparisonView(const PresetComparison& comparison, QWidget* parent)
    : QDialog(parent)
    , m_view(new QChartView(this))
    , m_table(new QTableWidget(0, 6, this))
{
    setObjectName(QStringLiteral("ComparisonView"));
    setWindowTitle(tr("Compare presets"));
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(tr("Following error, axis %1: %2 µsteps at %3 pps, %4 pps/s, load %5 %")
                        .arg(comparison.motor())
                        .arg(comparison.distance())
                        .arg(comparison.speed())
                        .arg(comparison.acceleration())
                        .arg(comparison.loadPercent(), 0, 'g', 3));
    auto* time = new QValueAxis;
    time->setTitleText(tr("time (ms) from the start of the move"));
    time->setLabelFormat(QStringLiteral("%.0f"));
    auto* error = new QValueAxis;
    error->setTitleText(ScopeKind::displayUnit(QStringLiteral("microsteps")));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(error, Qt::AlignLeft);
    const QVector<PresetComparison::Result>& results = comparison.results();
    m_table->setRowCount(results.size());
    m_table->setHorizontalHeaderLabels({tr("Preset"), tr("RMS error (µsteps)"), tr("Peak error (µsteps)"),
                                        tr("Overshoot (µsteps)"), tr("Settling time (ms)"), tr("Peak current (%)")});
    for (int row = 0; row < results.size(); ++row) {
        const PresetComparison::Result& result = results.at(row);
        auto* line = new QLineSeries;
        line->setName(presetName(result.preset));
        line->setPen(QPen(QColor(Colours[row % 3]), row == 0 ? 2 : 1, row == 2 ? Qt::DashLine : Qt::SolidLine));
        QVector<QPointF> points;
        points.reserve(int(result.samples.size()));
        for (const PresetComparison::Sample& sample : result.samples)
            points.append(QPointF(double(sample.time), sample.followingError));
        line->replace(points);
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(error);
        const QLocale locale;
        const QStringList cells = {
            presetName(result.preset),
            locale.toString(result.rmsError, 'f', 1),
            locale.toString(result.peakError, 'f', 1),
            locale.toString(result.overshoot, 'f', 1),
            result.settlingTime < 0 ? tr("not settled") : locale.toString(result.settlingTime, 'f', 0),
            locale.toString(result.peakCurrent, 'f', 1),
        };
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
    // A flat trace still gets a scale around it.
    double low = 0;
    double high = 0;
    qint64 end = 1;
    for (const PresetComparison::Result& result : results) {
        for (const PresetComparison::Sample& sample : result.samples) {
            low = std::min(low, sample.followingError);
            high = std::max(high, sample.followingError);
            end = std::max(end, sample.time);
        }
    }
    error->setRange(high - low < 1 ? low - 1 : low, high - low < 1 ? high + 1 : high);
    error->applyNiceNumbers();
    time->setRange(0, double(end));
    time->applyNiceNumbers();
    m_view->setChart(chart);
    m_view->setObjectName(QStringLiteral("chartView"));
    m_table->setObjectName(QStringLiteral("twComparison"));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setMaximumHeight(m_table->horizontalHeader()->height() + 4 * m_table->verticalHeader()->defaultSectionSize());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* hint = new QLabel(tr("Pick the preset on the closed-loop page; the axis's settings are as they were."), this);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_table);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    resize(1000, 620);
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
