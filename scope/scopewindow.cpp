// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scopewindow.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtCharts/QLineSeries>

#include "comparisonview.h"
#include "drivesignalfeed.h"
#include "filedialogdates.h"
#include "outputfile.h"
#include "presetcomparison.h"
#include "scopepane.h"
#include "scoperecorder.h"
#include "simulatedmodule.h"

QT_CHARTS_USE_NAMESPACE

namespace {
// A value as the window shows it: rounded like the CSV, with the interface language's decimal point.
QString shownValue(const QString& unit, double value)
{
    return ScopeKind::format(unit, value).replace(QLatin1Char('.'), QLocale().decimalPoint());
}


QString windowText(qint64 milliseconds)
{
    if (milliseconds < 1000)
        return ScopeWindow::tr("%1 ms").arg(milliseconds);
    return milliseconds < 60000 ? ScopeWindow::tr("%1 s").arg(milliseconds / 1000)
                                : ScopeWindow::tr("%1 min").arg(milliseconds / 60000);
}

// Okabe and Ito's colours, told apart with every common colour-vision deficiency.
const QRgb Palette[] = {0x0072b2, 0xe69f00, 0x009e73, 0xd55e00, 0xcc79a7, 0x56b4e9, 0x000000, 0xf0e442};

const ScopeTrigger::Mode Modes[] = {ScopeTrigger::Mode::Roll, ScopeTrigger::Mode::Auto, ScopeTrigger::Mode::Normal,
                                    ScopeTrigger::Mode::Single};

} // namespace

ScopeWindow::ScopeWindow(QWidget* parent)
    : QWidget(parent)
    , m_recorder(new ScopeRecorder(this))
    , m_splitter(new QSplitter(Qt::Vertical, this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("Scope"));
    setWindowTitle(tr("Scope"));
    setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));

    m_splitter->setObjectName(QStringLiteral("panes"));
    m_splitter->setChildrenCollapsible(false);
    for (int kind = 0; kind < ScopeKind::Count; ++kind) {
        auto* pane = new ScopePane(ScopeKind::Kind(kind), m_splitter);
        m_panes[kind] = pane;
        pane->hide(); // until it has a series
        connect(pane, &ScopePane::legendClicked, this, &ScopeWindow::toggleSeries);
        connect(pane, &ScopePane::cursorPlaced, this, [this](int cursor, double ms) {
            setCursorsShown(true);
            setCursor(cursor, ms);
        });
        connect(pane, &ScopePane::zoomed, this, [this]() { m_autoscaleButton->setChecked(false); });
        m_splitter->addWidget(pane);
    }
    m_status->setObjectName(QStringLiteral("lblScopeStatus"));
    // Texts that change with every redraw must not lay the window out again.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeControls());
    layout->addWidget(makeTriggerControls());
    // A window too short for every pane scrolls instead of squeezing the plots flat.
    auto* panes = new QScrollArea(this);
    panes->setFrameShape(QFrame::NoFrame);
    panes->setWidgetResizable(true);
    panes->setWidget(m_splitter);
    layout->addWidget(panes, 1);
    layout->addWidget(makeCursorControls());
    auto* statusRow = new QHBoxLayout;
    statusRow->setSpacing(24);
    statusRow->addWidget(m_triggerState);
    statusRow->addWidget(m_status, 1);
    layout->addLayout(statusRow);

    connect(m_recorder, &ScopeRecorder::seriesAdded, this, &ScopeWindow::addSeries);
    m_redraw.setInterval(RedrawInterval);
    connect(&m_redraw, &QTimer::timeout, this, &ScopeWindow::redrawIfChanged);
    resize(960, 760);
    refresh();
}

ScopeWindow::~ScopeWindow() = default;

QWidget* ScopeWindow::makeControls()
{
    auto* box = new QWidget(this);
    m_windowBox = new QComboBox(box);
    m_windowBox->setObjectName(QStringLiteral("cbWindow"));
    m_windowBox->setToolTip(tr("How much time the picture shows"));
    const QVector<qint64> choices = ScopeRecorder::windowChoices();
    for (qint64 length : choices)
        m_windowBox->addItem(windowText(length), length);
    m_windowBox->setCurrentIndex(m_windowBox->findData(m_recorder->windowLength()));
    connect(m_windowBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_recorder->setWindowLength(m_windowBox->itemData(index).toLongLong());
        refresh();
    });
    m_pauseButton = new QPushButton(tr("Pause"), box);
    m_pauseButton->setObjectName(QStringLiteral("btnPause"));
    m_pauseButton->setCheckable(true);
    m_pauseButton->setToolTip(tr("Freezes the picture; recording goes on"));
    connect(m_pauseButton, &QPushButton::toggled, this, [this](bool paused) {
        m_pauseButton->setText(paused ? tr("Resume") : tr("Pause"));
        m_recorder->setPaused(paused);
        refresh();
    });
    auto* clearButton = new QPushButton(tr("Clear"), box);
    clearButton->setObjectName(QStringLiteral("btnClear"));
    connect(clearButton, &QPushButton::clicked, this, [this]() {
        m_recorder->clear();
        refresh();
    });
    m_autoscaleButton = new QPushButton(tr("Autoscale"), box);
    m_autoscaleButton->setObjectName(QStringLiteral("btnAutoscale"));
    m_autoscaleButton->setCheckable(true);
    m_autoscaleButton->setChecked(true);
    m_autoscaleButton->setToolTip(tr("Fits each pane's value scale to its shown series"));
    connect(m_autoscaleButton, &QPushButton::toggled, this, [this](bool on) {
        for (ScopePane* pane : m_panes)
            pane->setAutoscale(on);
        m_drawn = ~quint64(0);
        refresh();
    });
    m_seriesButton = new QToolButton(box);
    m_seriesButton->setObjectName(QStringLiteral("btnSeries"));
    m_seriesButton->setText(tr("Series"));
    m_seriesButton->setToolTip(tr("Shows, hides or moves series between the panes"));
    m_seriesButton->setPopupMode(QToolButton::InstantPopup);
    m_seriesButton->setMenu(new QMenu(m_seriesButton));
    connect(m_seriesButton->menu(), &QMenu::aboutToShow, this, &ScopeWindow::fillSeriesMenu);
    auto* csvButton = new QPushButton(tr("Export CSV..."), box);
    csvButton->setObjectName(QStringLiteral("btnExportCsv"));
    connect(csvButton, &QPushButton::clicked, this, &ScopeWindow::exportCsv);
    auto* pictureButton = new QPushButton(tr("Export PNG..."), box);
    pictureButton->setObjectName(QStringLiteral("btnExportPng"));
    connect(pictureButton, &QPushButton::clicked, this, &ScopeWindow::exportPicture);
    m_compareButton = new QPushButton(tr("Compare presets"), box);
    m_compareButton->setObjectName(QStringLiteral("btnComparePresets"));
    m_compareButton->setToolTip(tr("Runs the same test move with each closed-loop preset and compares the following error"));
    m_compareButton->setEnabled(false);
    connect(m_compareButton, &QPushButton::clicked, this, &ScopeWindow::comparePresets);

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(tr("Window:"), box));
    for (QWidget* widget : std::initializer_list<QWidget*>{m_windowBox, m_pauseButton, clearButton, m_autoscaleButton,
                                                          m_seriesButton, csvButton, pictureButton, m_compareButton})
        row->addWidget(widget);
    row->addStretch();
    return box;
}

QWidget* ScopeWindow::makeTriggerControls()
{
    auto* box = new QWidget(this);
    m_modeBox = new QComboBox(box);
    m_modeBox->setObjectName(QStringLiteral("cbTriggerMode"));
    m_modeBox->addItems({tr("Roll"), tr("Auto"), tr("Normal"), tr("Single")});
    m_modeBox->setToolTip(tr("Roll: no trigger. Auto: rolls while nothing triggers. Normal: shows the latest capture. "
                             "Single: stops after one capture."));
    m_sourceBox = new QComboBox(box);
    m_sourceBox->setObjectName(QStringLiteral("cbTriggerSource"));
    m_sourceBox->addItem(tr("start of a motion"), QStringLiteral("moving"));
    m_sourceBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_slopeBox = new QComboBox(box);
    m_slopeBox->setObjectName(QStringLiteral("cbTriggerSlope"));
    m_slopeBox->addItems({tr("rising"), tr("falling")});
    m_levelBox = new QDoubleSpinBox(box);
    m_levelBox->setObjectName(QStringLiteral("sbTriggerLevel"));
    m_levelBox->setRange(-1e9, 1e9);
    m_levelBox->setDecimals(1);
    m_levelBox->setValue(0.5);
    m_preTriggerBox = new QSpinBox(box);
    m_preTriggerBox->setObjectName(QStringLiteral("sbPreTrigger"));
    m_preTriggerBox->setRange(0, int(ScopeRecorder::LongestWindow));
    m_preTriggerBox->setValue(100);
    m_preTriggerBox->setSuffix(tr(" ms"));
    auto* armButton = new QPushButton(tr("Arm"), box);
    armButton->setObjectName(QStringLiteral("btnArm"));
    armButton->setToolTip(tr("Waits for the next trigger"));
    connect(armButton, &QPushButton::clicked, this, [this]() {
        m_recorder->armTrigger();
        refresh();
    });
    // As wide as its text, which changes only with the state; the status beside it gives way.
    m_triggerState = new QLabel(box);
    m_triggerState->setObjectName(QStringLiteral("lblTriggerState"));
    connect(m_modeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ScopeWindow::applyTrigger);
    connect(m_sourceBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ScopeWindow::applyTrigger);
    connect(m_slopeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ScopeWindow::applyTrigger);
    connect(m_levelBox, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &ScopeWindow::applyTrigger);
    connect(m_preTriggerBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &ScopeWindow::applyTrigger);

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(tr("Trigger:"), box));
    row->addWidget(m_modeBox);
    row->addWidget(m_sourceBox);
    row->addWidget(m_slopeBox);
    row->addWidget(new QLabel(tr("level"), box));
    row->addWidget(m_levelBox);
    row->addWidget(new QLabel(tr("pre-trigger"), box));
    row->addWidget(m_preTriggerBox);
    row->addWidget(armButton);
    row->addStretch();
    return box;
}

QWidget* ScopeWindow::makeCursorControls()
{
    auto* box = new QWidget(this);
    m_cursorBox = new QCheckBox(tr("Cursors"), box);
    m_cursorBox->setObjectName(QStringLiteral("cbCursors"));
    m_cursorBox->setToolTip(tr("A click on a pane places cursor 1, with Shift or the right button cursor 2"));
    connect(m_cursorBox, &QCheckBox::toggled, this, &ScopeWindow::setCursorsShown);
    m_deltaLabel = new QLabel(box);
    m_deltaLabel->setObjectName(QStringLiteral("lblDelta"));
    m_deltaLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout;
    row->addWidget(m_cursorBox);
    for (int i = 0; i < 2; ++i) {
        m_cursorBoxes[i] = new QDoubleSpinBox(box);
        m_cursorBoxes[i]->setObjectName(QStringLiteral("sbCursor%1").arg(i + 1));
        m_cursorBoxes[i]->setRange(-double(ScopeRecorder::LongestWindow), double(ScopeRecorder::LongestWindow));
        m_cursorBoxes[i]->setDecimals(0);
        m_cursorBoxes[i]->setSuffix(tr(" ms"));
        connect(m_cursorBoxes[i], QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                [this, i](double ms) { setCursor(i, ms); });
        row->addWidget(new QLabel(tr("C%1").arg(i + 1), box));
        row->addWidget(m_cursorBoxes[i]);
    }
    row->addWidget(m_deltaLabel, 1);
    row->addStretch(); // where the Δt goes while the cursors are off
    m_readout = new QTableWidget(0, ColumnCount, box);
    m_readout->setObjectName(QStringLiteral("twReadout"));
    m_readout->setHorizontalHeaderLabels({tr("Series"), tr("Unit"), tr("at C1"), tr("at C2"), tr("C2 − C1"),
                                          tr("Minimum"), tr("Maximum"), tr("RMS")});
    m_readout->resizeColumnsToContents(); // to the headers; the values widen them as they come
    m_readout->verticalHeader()->hide();
    m_readout->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_readout->setMaximumHeight(140);
    m_readout->setToolTip(tr("Minimum, maximum and RMS of the part of each series the picture shows"));
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(m_readout);
    setCursorsShown(false);
    return box;
}

void ScopeWindow::setModule(SimulatedModule* module)
{
    m_module = module;
    m_compareButton->setEnabled(module != nullptr);
}

QLineSeries* ScopeWindow::series(const QString& name) const
{
    for (ScopePane* pane : m_panes) {
        if (QLineSeries* line = pane->line(name))
            return line;
    }
    return nullptr;
}

bool ScopeWindow::isAutoscaling() const
{
    return m_autoscaleButton->isChecked();
}

void ScopeWindow::setCursorsShown(bool shown)
{
    if (shown && !m_cursorsShown) {
        // Placed at a quarter and three quarters of the picture.
        const double start = double(m_recorder->viewStart() - m_recorder->viewOrigin());
        for (int i = 0; i < 2; ++i) {
            m_cursors[i] = std::round(start + m_recorder->windowLength() * (1 + 2 * i) / 4.0);
            const QSignalBlocker blocker(m_cursorBoxes[i]);
            m_cursorBoxes[i]->setValue(m_cursors[i]);
        }
    }
    m_cursorsShown = shown;
    {
        const QSignalBlocker blocker(m_cursorBox);
        m_cursorBox->setChecked(shown);
    }
    for (QDoubleSpinBox* box : m_cursorBoxes)
        box->setEnabled(shown);
    m_deltaLabel->setVisible(shown);
    refresh();
}

void ScopeWindow::setCursor(int cursor, double milliseconds)
{
    if (cursor < 0 || cursor > 1)
        return;
    m_cursors[cursor] = std::round(milliseconds);
    {
        const QSignalBlocker blocker(m_cursorBoxes[cursor]);
        m_cursorBoxes[cursor]->setValue(m_cursors[cursor]);
    }
    refresh();
}

void ScopeWindow::refresh()
{
    QList<ScopePane*> shown;
    int legendWidth = 0;
    for (ScopePane* pane : m_panes) {
        if (pane->isHidden())
            continue;
        pane->refresh(*m_recorder, m_cursorsShown, m_cursors);
        legendWidth = qMax(legendWidth, pane->legendWidthHint());
        if (!pane->isCollapsed())
            shown.append(pane);
    }
    // The same plot width and left edge in every pane, so that one time lines up across them.
    qreal left = 0;
    for (ScopePane* pane : qAsConst(shown)) {
        pane->setLegendWidth(legendWidth);
        left = qMax(left, pane->naturalPlotLeft());
    }
    for (ScopePane* pane : qAsConst(shown))
        pane->alignPlotLeft(left);
    updateReadout();
    updateStatus();
    m_drawn = m_recorder->revision();
    m_drawnHeights = paneHeights();
}

void ScopeWindow::toggleSeries(const QString& name)
{
    m_recorder->setSeriesVisible(name, !m_recorder->isSeriesVisible(name));
    refresh();
}

void ScopeWindow::moveSeries(const QString& name, ScopeKind::Kind kind)
{
    if (!m_recorder->hasSeries(name) || kind < 0 || kind >= ScopeKind::Count)
        return;
    for (ScopePane* pane : m_panes)
        pane->removeLine(name);
    m_recorder->setPane(name, kind);
    ScopePane* pane = m_panes[kind];
    // The first colour of the palette not yet used in the pane.
    QPen pen = m_pens.value(name);
    const QStringList others = pane->lines();
    for (QRgb colour : Palette) {
        const bool used = std::any_of(others.begin(), others.end(), [&](const QString& other) {
            return m_pens.value(other).color() == QColor(colour);
        });
        if (!used) {
            pen.setColor(QColor(colour));
            break;
        }
    }
    m_pens.insert(name, pen);
    const QString unit = m_recorder->unit(name);
    const QString shownUnit = ScopeKind::displayUnit(unit);
    pane->addLine(name, shownUnit.isEmpty() ? ScopeKind::displayName(name)
                                            : tr("%1 [%2]").arg(ScopeKind::displayName(name), shownUnit), pen);
    if (pane->lines().size() == 1)
        pane->setUnit(unit);
    pane->show();
    for (ScopePane* other : m_panes) {
        if (other->lines().isEmpty())
            other->hide();
    }
    refresh();
}

void ScopeWindow::addSeries(const QString& name)
{
    // Target values dashed and wider, so that the measured ones on them stay visible.
    QPen pen(Qt::black, 1);
    if (name.startsWith(QLatin1String("target "))) {
        pen.setWidth(2);
        pen.setStyle(Qt::DashLine);
    }
    m_pens.insert(name, pen);
    moveSeries(name, m_recorder->pane(name));
    m_sourceBox->addItem(ScopeKind::displayName(name), name);
}

void ScopeWindow::fillSeriesMenu()
{
    QMenu* menu = m_seriesButton->menu();
    menu->clear();
    const QStringList names = m_recorder->seriesNames();
    for (const QString& name : names) {
        QMenu* sub = menu->addMenu(ScopeKind::displayName(name));
        QAction* shown = sub->addAction(tr("Shown"));
        shown->setCheckable(true);
        shown->setChecked(m_recorder->isSeriesVisible(name));
        connect(shown, &QAction::toggled, this, [this, name](bool on) {
            m_recorder->setSeriesVisible(name, on);
            refresh();
        });
        sub->addSeparator();
        for (int kind = 0; kind < ScopeKind::Count; ++kind) {
            QAction* move = sub->addAction(tr("In the pane \"%1\"").arg(ScopeKind::title(ScopeKind::Kind(kind))));
            move->setCheckable(true);
            move->setChecked(m_recorder->pane(name) == kind);
            connect(move, &QAction::triggered, this, [this, name, kind]() { moveSeries(name, ScopeKind::Kind(kind)); });
        }
    }
}

void ScopeWindow::applyTrigger()
{
    ScopeTrigger::Settings settings;
    settings.mode = Modes[qBound(0, m_modeBox->currentIndex(), 3)];
    settings.series = m_sourceBox->currentData().toString();
    settings.slope = m_slopeBox->currentIndex() == 1 ? ScopeTrigger::Slope::Falling : ScopeTrigger::Slope::Rising;
    const bool motion = m_sourceBox->currentIndex() == 0;
    settings.level = motion ? 0.5 : m_levelBox->value();
    if (motion)
        settings.slope = ScopeTrigger::Slope::Rising;
    settings.preTrigger = m_preTriggerBox->value();
    m_levelBox->setEnabled(!motion);
    m_slopeBox->setEnabled(!motion);
    m_recorder->setTrigger(settings);
    refresh();
}

void ScopeWindow::updateReadout()
{
    QStringList shown;
    for (ScopePane* pane : m_panes) {
        const QStringList names = m_recorder->seriesNames();
        for (const QString& name : names) {
            if (m_recorder->pane(name) == pane->kind() && m_recorder->isSeriesVisible(name))
                shown.append(name);
        }
    }
    const bool cursors = m_cursorsShown;
    const qint64 origin = m_recorder->viewOrigin();
    m_readout->setRowCount(shown.size());
    // A column grows when a text outgrows it; fitting every column on every redraw would cost
    // more than the plots.
    const QFontMetrics metrics(m_readout->font());
    const int padding = 2 * m_readout->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_readout) + 12;
    for (int row = 0; row < shown.size(); ++row) {
        const QString& name = shown.at(row);
        const QString unit = m_recorder->unit(name);
        const auto cell = [this, row, &metrics, padding](int column, const QString& text) {
            QTableWidgetItem* item = m_readout->item(row, column);
            if (!item)
                m_readout->setItem(row, column, item = new QTableWidgetItem);
            if (item->text() == text)
                return;
            item->setText(text);
            const int needed = metrics.horizontalAdvance(text) + padding;
            if (needed > m_readout->columnWidth(column))
                m_readout->setColumnWidth(column, needed);
        };
        cell(SeriesColumn, ScopeKind::displayName(name));
        cell(UnitColumn, ScopeKind::displayUnit(unit));
        double at[2] = {0, 0};
        bool have[2] = {false, false};
        for (int i = 0; i < 2; ++i) {
            have[i] = cursors && m_recorder->valueAt(name, origin + qint64(m_cursors[i]), &at[i]);
            cell(Cursor1Column + i, have[i] ? shownValue(unit, at[i]) : QString());
        }
        cell(DeltaColumn, have[0] && have[1] ? shownValue(unit, at[1] - at[0]) : QString());
        const ScopeRecorder::Statistics stats = m_recorder->statistics(name, m_recorder->viewStart(), m_recorder->viewEnd());
        cell(MinimumColumn, stats.count ? shownValue(unit, stats.minimum) : QString());
        cell(MaximumColumn, stats.count ? shownValue(unit, stats.maximum) : QString());
        cell(RmsColumn, stats.count ? shownValue(unit, stats.rms) : QString());
    }
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    m_deltaLabel->setText(tr("Δt = %1 ms").arg(locale.toString(m_cursors[1] - m_cursors[0], 'f', 0)));
}

bool ScopeWindow::savePicture(const QString& path, QString* error)
{
    refresh();
    QString fault;
    if (!OutputFile::writePng(path, m_splitter->grab().toImage(), &fault)) {
        if (error)
            *error = fault;
        return false;
    }
    return true;
}

void ScopeWindow::exportCsv()
{
    const QString path = saveName(tr("Export the recorded data"), QStringLiteral("scope.csv"),
                                  tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    // A capture is exported as captured; otherwise everything recorded.
    const ScopeTrigger& trigger = m_recorder->trigger();
    const bool capture = trigger.showsCapture(m_recorder->latestTime());
    QString error;
    const bool saved = capture ? m_recorder->saveCsv(path, &error, trigger.captureStart(), trigger.captureEnd())
                               : m_recorder->saveCsv(path, &error);
    if (!saved)
        QMessageBox::warning(this, tr("Export CSV"), error);
}

void ScopeWindow::exportPicture()
{
    const QString path = saveName(tr("Export the picture"), QStringLiteral("scope.png"),
                                  tr("PNG images (*.png);;All files (*)"));
    QString error;
    if (!path.isEmpty() && !savePicture(path, &error))
        QMessageBox::warning(this, tr("Export PNG"), error);
}

void ScopeWindow::comparePresets()
{
    if (!m_module)
        return;
    PresetComparison comparison(m_module, m_recorder->latestMotor());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = comparison.run();
    QApplication::restoreOverrideCursor();
    if (!ok) {
        QMessageBox::warning(this, tr("Compare presets"), comparison.errorString());
        return;
    }
    auto* view = new ComparisonView(comparison, this);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->show();
}

void ScopeWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
    m_redraw.start();
}

void ScopeWindow::hideEvent(QHideEvent* event)
{
    m_redraw.stop();
    QWidget::hideEvent(event);
}

void ScopeWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(tr("Scope"));
}

void ScopeWindow::redrawIfChanged()
{
    // A pane of another height fits another number of ticks.
    if (m_recorder->revision() != m_drawn || paneHeights() != m_drawnHeights)
        refresh();
}

QVector<int> ScopeWindow::paneHeights() const
{
    QVector<int> heights;
    for (ScopePane* pane : m_panes)
        heights.append(pane->isVisible() ? pane->height() : 0);
    return heights;
}

void ScopeWindow::updateStatus()
{
    const QLocale locale;
    QString text = tr("%Ln samples, t = %1 s; drive signals at %2 Hz", nullptr, m_recorder->sampleCount())
                       .arg(locale.toString(m_recorder->viewEnd() / 1000.0, 'f', 3), locale.toString(DriveSignalFeed::SampleRate));
    if (m_recorder->discardedSamples() > 0)
        text += tr(", %1 oldest dropped").arg(locale.toString(m_recorder->discardedSamples()));
    if (m_recorder->isPaused())
        text += tr(" (paused)");
    m_status->setText(text);

    const ScopeTrigger& trigger = m_recorder->trigger();
    const QString at = locale.toString(trigger.triggerTime() / 1000.0, 'f', 3);
    switch (trigger.state(m_recorder->latestTime())) {
    case ScopeTrigger::State::Rolling:
        m_triggerState->setText(trigger.settings().mode == ScopeTrigger::Mode::Auto ? tr("rolling, armed") : QString());
        break;
    case ScopeTrigger::State::Waiting:
        m_triggerState->setText(tr("waiting for the trigger"));
        break;
    case ScopeTrigger::State::Capturing:
        m_triggerState->setText(tr("triggered at %1 s, capturing").arg(at));
        break;
    case ScopeTrigger::State::Complete:
        m_triggerState->setText(tr("captured at %1 s").arg(at));
        break;
    case ScopeTrigger::State::Stopped:
        m_triggerState->setText(tr("captured at %1 s, stopped").arg(at));
        break;
    }
}

QString ScopeWindow::saveName(const QString& title, const QString& fileName, const QString& filter)
{
    const QString start = QDir(m_directory.isEmpty() ? QDir::homePath() : m_directory).filePath(fileName);
    const QString path = FileDialogDates::saveFileName(this, title, start, filter);
    if (!path.isEmpty())
        m_directory = QFileInfo(path).absolutePath();
    return path;
}
