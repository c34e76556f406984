// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <QtCharts/QChartGlobal>

#include "scopekind.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableWidget;
class QToolButton;
class ScopePane;
class ScopeRecorder;
class SimulatedModule;

QT_CHARTS_BEGIN_NAMESPACE
class QLineSeries;
QT_CHARTS_END_NAMESPACE

// The scope: stacked panes on a shared time axis, one per kind of series (ScopeKind), a
// trigger, two cursors with a readout of each series' value at them and of the minimum,
// maximum and RMS of its visible part, CSV and PNG export and the preset comparison. The
// picture is redrawn a few times a second while the window is shown and something changed,
// never per sample.
class ScopeWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RedrawInterval = 500; // ms: five charts drawn four times a second cost 3 % of a core

    // The readout's columns.
    enum Column { SeriesColumn, UnitColumn, Cursor1Column, Cursor2Column, DeltaColumn, MinimumColumn,
                  MaximumColumn, RmsColumn, ColumnCount };

    explicit ScopeWindow(QWidget* parent = nullptr);
    ~ScopeWindow() override;

    ScopeRecorder* recorder() const { return m_recorder; }
    // The module the preset comparison runs on; without one it is not offered.
    void setModule(SimulatedModule* module);

    ScopePane* pane(ScopeKind::Kind kind) const { return m_panes[kind]; }
    // The line of a series, in whichever pane it is.
    QtCharts::QLineSeries* series(const QString& name) const;
    bool isAutoscaling() const;

    // Cursors at ms from the picture's origin (the trigger, or the latest sample).
    void setCursorsShown(bool shown);
    void setCursor(int cursor, double milliseconds);
    double cursor(int cursor) const { return m_cursors[cursor]; }
    bool cursorsShown() const { return m_cursorsShown; }

    // Brings the picture up to date now.
    void refresh();
    // What a click on the series' legend entry does.
    void toggleSeries(const QString& name);
    void moveSeries(const QString& name, ScopeKind::Kind pane);
    bool savePicture(const QString& path, QString* error);

public slots:
    void exportCsv();
    void exportPicture();
    void comparePresets();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeControls();
    QWidget* makeTriggerControls();
    QWidget* makeCursorControls();
    void addSeries(const QString& name);
    void applyTrigger();
    void fillSeriesMenu();
    void updateReadout();
    void updateStatus();
    void redrawIfChanged();
    QVector<int> paneHeights() const;
    QString saveName(const QString& title, const QString& fileName, const QString& filter);

    ScopeRecorder* m_recorder;
    QPointer<SimulatedModule> m_module;
    ScopePane* m_panes[ScopeKind::Count];
    QSplitter* m_splitter;
    QHash<QString, QPen> m_pens;
    QComboBox* m_windowBox = nullptr;
    QPushButton* m_pauseButton = nullptr;
    QPushButton* m_autoscaleButton = nullptr;
    QPushButton* m_compareButton = nullptr;
    QToolButton* m_seriesButton = nullptr;
    QComboBox* m_modeBox = nullptr;
    QComboBox* m_sourceBox = nullptr;
    QComboBox* m_slopeBox = nullptr;
    QDoubleSpinBox* m_levelBox = nullptr;
    QSpinBox* m_preTriggerBox = nullptr;
    QLabel* m_triggerState = nullptr;
    QCheckBox* m_cursorBox = nullptr;
    QDoubleSpinBox* m_cursorBoxes[2] = {};
    QLabel* m_deltaLabel = nullptr;
    QTableWidget* m_readout = nullptr;
    QLabel* m_status;
    QTimer m_redraw;
    double m_cursors[2] = {0, 0};
    bool m_cursorsShown = false;
    quint64 m_drawn = ~quint64(0); // the recorder's revision on the picture
    QVector<int> m_drawnHeights;   // and the panes' heights
    QString m_directory;
};
