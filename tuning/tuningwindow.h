// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <memory>

#include <QPointer>
#include <QWidget>
#include <QtCharts/QChartGlobal>

#include "tuningrun.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QThread;
class SimulatedModule;

QT_CHARTS_BEGIN_NAMESPACE
class QChart;
QT_CHARTS_END_NAMESPACE

// The Tuning window: choose a measurement, run it on a copy of the axis (a worker thread, so
// the window stays live; Cancel stops it between runs and the live axis is never touched),
// then see the step responses overlaid, the Bode plots, the pull-out curve with the
// recommended limits and the tuner's proposal beside the present values and the presets.
// The proposal can be applied to the axis or saved as a setup program; each tab's picture
// exports as PNG and its data as CSV.
class TuningWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TuningWindow(SimulatedModule* module, int motor = 0, QWidget* parent = nullptr);
    ~TuningWindow() override;

    // Starts the chosen measurement; false, with the reason shown, when the axis cannot be copied.
    bool start();
    void cancel();
    bool isRunning() const { return m_thread != nullptr; }
    const TuningRun::Result& result() const { return m_result; }
    QTabWidget* tabs() const { return m_tabs; }
    QTableWidget* proposalTable() const { return m_table; }

    // Writes the proposal to the axis; false when there is none.
    bool applyProposal();
    bool saveProgram(const QString& path, QString* error) const;
    bool savePicture(const QString& path, QString* error);
    bool saveData(const QString& path, QString* error) const;

signals:
    void finished();
    // The proposal was written to the axis: pages that show its values read them again.
    void proposalApplied();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void progressed(int permille);
    void done(const TuningRun::Result& result);
    void display(const TuningRun::Result& result);
    void fillTable(const AutoTuner::Result& tuner);
    void setCharts(int tab, const QList<QtCharts::QChart*>& charts);

    QPointer<SimulatedModule> m_module;
    int m_motor;
    QComboBox* m_measurement;
    QPushButton* m_run;
    QPushButton* m_cancel;
    QPushButton* m_apply;
    QPushButton* m_saveProgram;
    QProgressBar* m_progress;
    QLabel* m_status;
    QTabWidget* m_tabs;
    QTableWidget* m_table;
    QLabel* m_verdict;
    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic_bool> m_stop;
    TuningRun::Result m_result;
};
