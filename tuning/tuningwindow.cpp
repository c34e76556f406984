// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tuningwindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include "presetcomparison.h"
#include "simulatedmodule.h"
#include "spreadformat.h"
#include "tuningcharts.h"
#include "tuningcsv.h"

using namespace QtCharts;

namespace {
enum Tab { StepsTab, BodeTab, PullOutTab, ProposalTab };

bool write(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QCoreApplication::translate("TuningWindow", "Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
} // namespace

TuningWindow::TuningWindow(SimulatedModule* module, int motor, QWidget* parent)
    : QWidget(parent)
    , m_module(module)
    , m_motor(motor)
{
    setWindowTitle(tr("Tuning"));
    setObjectName(QStringLiteral("tuningWindow"));
    m_measurement = new QComboBox(this);
    m_measurement->setObjectName(QStringLiteral("cbMeasurement"));
    m_measurement->addItem(tr("Everything, with the tuner"), int(TuningRun::All));
    m_measurement->addItem(tr("Step responses"), int(TuningRun::Steps));
    m_measurement->addItem(tr("Frequency response"), int(TuningRun::Frequency));
    m_measurement->addItem(tr("Pull-out curve and limits"), int(TuningRun::Limits));
    m_measurement->addItem(tr("Tuner"), int(TuningRun::Tuner));
    m_run = new QPushButton(tr("&Run"), this);
    m_run->setObjectName(QStringLiteral("btnRun"));
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_cancel->setEnabled(false);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_status = new QLabel(tr("Measures a copy of axis %1; the axis itself is not moved.").arg(motor), this);
    m_status->setWordWrap(true);

    m_tabs = new QTabWidget(this);
    for (const QString& name : {tr("Step responses"), tr("Bode plot"), tr("Pull-out curve")}) {
        auto* page = new QWidget;
        new QGridLayout(page);
        m_tabs->addTab(page, name);
    }
    auto* proposal = new QWidget;
    auto* proposalLayout = new QVBoxLayout(proposal);
    m_table = new QTableWidget(proposal);
    m_table->setObjectName(QStringLiteral("tblProposal"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_verdict = new QLabel(proposal);
    m_verdict->setWordWrap(true);
    m_apply = new QPushButton(tr("&Apply to the axis"), proposal);
    m_apply->setObjectName(QStringLiteral("btnApply"));
    m_saveProgram = new QPushButton(tr("Save as setup &program…"), proposal);
    m_apply->setEnabled(false);
    m_saveProgram->setEnabled(false);
    auto* proposalButtons = new QHBoxLayout;
    proposalButtons->addWidget(m_apply);
    proposalButtons->addWidget(m_saveProgram);
    proposalButtons->addStretch();
    proposalLayout->addWidget(m_table);
    proposalLayout->addWidget(m_verdict);
    proposalLayout->addLayout(proposalButtons);
    m_tabs->addTab(proposal, tr("Proposal"));

    auto* picture = new QPushButton(tr("Save p&icture…"), this);
    auto* data = new QPushButton(tr("Save &data…"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Measurement:"), this));
    top->addWidget(m_measurement);
    top->addWidget(m_run);
    top->addWidget(m_cancel);
    top->addWidget(m_progress, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(picture);
    bottom->addWidget(data);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bottom);

    connect(m_run, &QPushButton::clicked, this, &TuningWindow::start);
    connect(m_cancel, &QPushButton::clicked, this, &TuningWindow::cancel);
    connect(m_apply, &QPushButton::clicked, this, &TuningWindow::applyProposal);
    connect(m_saveProgram, &QPushButton::clicked, this, [this]() {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save the proposal as a setup program"), QString(),
                                                          tr("Setup programs (*.tmc);;All files (*)"));
        QString error;
        if (!path.isEmpty() && !saveProgram(path, &error))
            QMessageBox::warning(this, windowTitle(), error);
    });
    connect(picture, &QPushButton::clicked, this, [this]() {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save the picture"), QString(), tr("PNG pictures (*.png)"));
        QString error;
        if (!path.isEmpty() && !savePicture(path, &error))
            QMessageBox::warning(this, windowTitle(), error);
    });
    connect(data, &QPushButton::clicked, this, [this]() {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save the data"), QString(), tr("CSV files (*.csv)"));
        QString error;
        if (!path.isEmpty() && !saveData(path, &error))
            QMessageBox::warning(this, windowTitle(), error);
    });
    resize(1000, 760);
}

TuningWindow::~TuningWindow()
{
    cancel();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

bool TuningWindow::start()
{
    if (m_thread)
        return false;
    if (!m_module || !m_module->isDeviceOpen() || !m_module->drive()->axis(m_motor)) {
        m_status->setText(tr("The module is not connected."));
        return false;
    }
    m_module->synchronise();
    // The copy is taken here, on the window's thread; the worker never sees the module.
    const BenchRig rig(*m_module->drive(), m_motor);
    const int measurements = m_measurement->currentData().toInt();
    m_stop = std::make_shared<std::atomic_bool>(false);
    auto stop = m_stop;
    QPointer<TuningWindow> self(this);
    m_thread = QThread::create([rig, measurements, stop, self]() {
        const TuningRun::Result result = TuningRun::run(rig, measurements, [stop, self](double done) {
            QMetaObject::invokeMethod(qApp, [self, done]() {
                if (self)
                    self->progressed(int(done * 1000));
            }, Qt::QueuedConnection);
            return !stop->load();
        });
        QMetaObject::invokeMethod(qApp, [self, result]() {
            if (self)
                self->done(result);
        }, Qt::QueuedConnection);
    });
    m_run->setEnabled(false);
    m_cancel->setEnabled(true);
    m_measurement->setEnabled(false);
    m_progress->setValue(0);
    m_status->setText(tr("Measuring a copy of axis %1…").arg(m_motor));
    m_thread->start();
    return true;
}

void TuningWindow::cancel()
{
    if (m_stop)
        m_stop->store(true);
}

void TuningWindow::progressed(int permille)
{
    m_progress->setValue(permille);
}

void TuningWindow::done(const TuningRun::Result& result)
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    m_run->setEnabled(true);
    m_cancel->setEnabled(false);
    m_measurement->setEnabled(true);
    if (result.cancelled)
        m_status->setText(tr("Cancelled. The axis was not touched."));
    else if (!result.error.isEmpty())
        m_status->setText(result.error);
    else
        m_status->setText(tr("Done. Measured on a copy of axis %1.").arg(m_motor));
    if (!result.cancelled) {
        m_result = result;
        display(result);
        m_progress->setValue(1000);
    }
    emit finished();
}

void TuningWindow::setCharts(int tab, const QList<QChart*>& charts)
{
    auto* grid = static_cast<QGridLayout*>(m_tabs->widget(tab)->layout());
    while (QLayoutItem* item = grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (int i = 0; i < charts.size(); ++i) {
        auto* view = new QChartView(charts[i]);
        view->setRenderHint(QPainter::Antialiasing);
        grid->addWidget(view, i / 2, i % 2);
    }
}

void TuningWindow::display(const TuningRun::Result& result)
{
    if (result.measured & TuningRun::Steps)
        setCharts(StepsTab, {TuningCharts::steps(result.setpointStep), TuningCharts::steps(result.loadStep)});
    if (result.measured & TuningRun::Frequency) {
        const QString setpoint = tr("At the position setpoint");
        const QString loop = tr("At the feedback's input (margins)");
        setCharts(BodeTab, {TuningCharts::bode(result.setpointResponse, false, setpoint),
                            TuningCharts::bode(result.loopResponse, false, loop),
                            TuningCharts::bode(result.setpointResponse, true, setpoint),
                            TuningCharts::bode(result.loopResponse, true, loop)});
    }
    if (result.measured & TuningRun::Limits)
        setCharts(PullOutTab, {TuningCharts::pullOut(result.pullOut)});
    if (result.measured & TuningRun::Tuner) {
        fillTable(result.tuner);
        m_tabs->setCurrentIndex(ProposalTab);
    }
}

void TuningWindow::fillTable(const AutoTuner::Result& tuner)
{
    const int variants = int(tuner.moves.size());
    const int parameterRows = int(std::size(AutoTuner::Tuned));
    m_table->clear();
    m_table->setColumnCount(variants);
    m_table->setRowCount(parameterRows + 3);
    QStringList columns;
    for (int v = 0; v < variants; ++v)
        columns << tuner.variantName(v) + ((tuner.offered ? v == AutoTuner::Proposal : v == tuner.best) ? QStringLiteral(" *") : QString());
    m_table->setHorizontalHeaderLabels(columns);
    QStringList rows;
    for (int number : AutoTuner::Tuned)
        rows << tr("Parameter %1").arg(number);
    rows << tr("Gentle move: RMS error (µsteps)") << tr("Holds (no hunting, no stop)")
         << tr("Phase margin / crossover");
    m_table->setVerticalHeaderLabels(rows);
    for (int v = 0; v < variants; ++v) {
        const AutoTuner::Parameters parameters
            = v == AutoTuner::Present || !tuner.comparison ? tuner.current : tuner.comparison->variants().at(v).parameters;
        for (int r = 0; r < parameterRows; ++r) {
            const int number = AutoTuner::Tuned[r];
            bool own = false;
            for (const auto& p : parameters)
                own = own || p.first == number;
            const int value = AutoTuner::value(own ? parameters : tuner.current, number);
            auto* item = new QTableWidgetItem(QString::number(value));
            // Grey: taken over from the present settings.
            if (!own)
                item->setForeground(Qt::gray);
            m_table->setItem(r, v, item);
        }
        m_table->setItem(parameterRows, v, new QTableWidgetItem(SpreadFormat::text(tuner.rms(v), 2)));
        m_table->setItem(parameterRows + 1, v, new QTableWidgetItem(tuner.moves[size_t(v)].holds() ? tr("yes") : tr("no")));
    }
    if (variants > AutoTuner::Proposal && !tuner.proposalLoop.points.empty())
        m_table->setItem(parameterRows + 2, AutoTuner::Proposal,
                         new QTableWidgetItem(tr("%1° at %2 Hz")
                                                  .arg(tuner.proposalLoop.phaseMargin, 0, 'f', 1)
                                                  .arg(tuner.proposalLoop.crossover, 0, 'f', 1)));
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_verdict->setText(tuner.offered ? tr("The proposal is stable and measurably better than the best preset.")
                       : tuner.best >= 0 ? tr("The best preset (%1) stands. %2").arg(tuner.variantName(tuner.best), tuner.reason)
                                         : tr("No stable proposal. %1").arg(tuner.reason));
    m_apply->setEnabled(!tuner.proposal.isEmpty() && tuner.stable);
    m_saveProgram->setEnabled(!tuner.proposal.isEmpty() && tuner.stable);
}

bool TuningWindow::applyProposal()
{
    const AutoTuner::Parameters& proposal = m_result.tuner.proposal;
    if (proposal.isEmpty() || !m_result.tuner.stable || !m_module)
        return false;
    for (const auto& p : proposal)
        m_module->setAxisParameter(quint8(p.first), quint8(m_motor), p.second);
    m_status->setText(tr("The proposal was written to axis %1.").arg(m_motor));
    emit proposalApplied();
    return true;
}

bool TuningWindow::saveProgram(const QString& path, QString* error) const
{
    if (m_result.tuner.proposal.isEmpty()) {
        if (error)
            *error = tr("There is no proposal to save.");
        return false;
    }
    return write(path, AutoTuner::program(m_result.tuner.proposal, m_motor).toUtf8(), error);
}

bool TuningWindow::savePicture(const QString& path, QString* error)
{
    if (!m_tabs->currentWidget()->grab().save(path, "PNG")) {
        if (error)
            *error = tr("Cannot write the picture %1").arg(path);
        return false;
    }
    return true;
}

bool TuningWindow::saveData(const QString& path, QString* error) const
{
    QString csv;
    switch (m_tabs->currentIndex()) {
    case StepsTab:
        csv = TuningCsv::steps(m_result.setpointStep) + QLatin1Char('\n') + TuningCsv::steps(m_result.loadStep);
        break;
    case BodeTab:
        csv = TuningCsv::frequency(m_result.setpointResponse) + QLatin1Char('\n') + TuningCsv::frequency(m_result.loopResponse);
        break;
    case PullOutTab:
        csv = TuningCsv::pullOut(m_result.pullOut);
        break;
    default:
        csv = TuningCsv::proposal(m_result.tuner);
        break;
    }
    return write(path, csv.toUtf8(), error);
}

void TuningWindow::closeEvent(QCloseEvent* event)
{
    cancel();
    QWidget::closeEvent(event);
}
