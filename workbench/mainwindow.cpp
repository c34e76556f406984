// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>
#include <QIcon>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShowEvent>
#include <QStatusBar>

#include <algorithm>
#include <cmath>

#include "command.h"
#include "commandline.h"
#include "drivesignalfeed.h"
#include "motorvalues.h"
#include "pluginhost.h"
#include "programmenu.h"
#include "rerezorinterface.h"
#include "scoperecorder.h"
#include "scopewindow.h"
#include "tuningwindow.h"
#include "simulatedmodule.h"
#include "toolsinterface.h"
#include "toolwindow.h"
#include "tracepoller.h"
#include "windowlayout.h"

namespace {

const int StandardResolutions[] = {200, 256, 400, 500, 512, 1000, 1024, 2000, 2048, 4000, 4096, 8192, 10000, 16384};
const char* const StandardFirmware[] = {"7390", "7391"};
const double MaxLoadPercent = 1000.0;
const double MaxHoldingTorque = 1000.0; // N m
const double MaxInertia = 10.0;         // kg m^2

} // namespace

const QString MainWindow::ModuleKey = QStringLiteral("SimulatedModule");

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_area(new QMdiArea(this))
    , m_module(new SimulatedModule(this))
    , m_host(new PluginHost(this))
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Workbench - simulated module"));
    m_area->setObjectName(QStringLiteral("mdiArea"));
    // A small main window scrolls to the windows it cannot hold rather than cutting them.
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    // The module is a widget only because the host's interfaces are; it has nothing to show.
    m_module->setObjectName(QStringLiteral("simulatedModule"));
    m_module->hide();

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    new ProgramMenu(this, file);
    file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), this, &QWidget::close, QKeySequence::Quit);
    quit->setObjectName(QStringLiteral("actQuit"));
    m_toolsMenu = menuBar()->addMenu(tr("&Tools"));
    m_toolsMenu->setObjectName(QStringLiteral("menuTools"));
    m_moduleMenu = menuBar()->addMenu(tr("Simulated &module"));
    m_moduleMenu->setObjectName(QStringLiteral("menuModule"));
    buildModuleMenu();
    buildMotorMenu();
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("About the plug-in..."), this, &MainWindow::showAbout);

    m_connectionLabel = new QLabel(this);
    m_connectionLabel->setObjectName(QStringLiteral("lblConnection"));
    statusBar()->addPermanentWidget(m_connectionLabel);
    m_motorLabel = new QLabel(this);
    m_motorLabel->setObjectName(QStringLiteral("lblMotor"));
    statusBar()->addPermanentWidget(m_motorLabel);
    applyMotor(m_module->motor().holdingTorque, m_module->motor().inertia);
    connect(m_module, &SimulatedModule::deviceOpenChanged, this, &MainWindow::updateConnectionState);
    updateConnectionState(m_module->isDeviceOpen());
    rebuildToolsMenu();
    resize(1400, 900);
    m_layout = new WindowLayout(this, m_area, m_host);
    m_layout->setScope([this]() -> QWidget* { return m_scope ? m_scope->parentWidget() : nullptr; },
                       [this]() { openScope(); });
}

MainWindow::~MainWindow()
{
    // The tools use the module until they are gone.
    delete m_host;
    m_host = nullptr;
}

bool MainWindow::loadPlugin(const QString& path)
{
    return m_host->load(path);
}

QString MainWindow::errorString() const
{
    return m_host->errorString();
}

void MainWindow::createTools()
{
    m_layout->keepCurrent();
    m_host->createTools(m_module, m_area, ModuleKey);
    if (TracePoller* poller = m_host->poller())
        poller->setPeriod(m_pollPeriod);
    attachScope();
    m_toolsCreated = true;
    rebuildToolsMenu();
    updateConnectionState(m_module->isDeviceOpen());
    m_layout->toolsCreated();
}

void MainWindow::applyCommandLine(const CommandLine& line)
{
    m_module->setTimeScale(line.timeScale);
    if (line.encoderResolution >= 0)
        setEncoderResolution(line.encoderResolution);
    if (line.encoderReversed)
        setEncoderReversed(true);
    if (!line.firmware.isEmpty())
        setFirmwareName(line.firmware);
    setPollPeriod(line.pollMs);
    if (line.holdingTorque > 0)
        setHoldingTorque(line.holdingTorque);
    if (line.inertia > 0)
        setInertia(line.inertia);
    if (line.loadPercent >= 0)
        setLoadPercent(line.loadPercent);
    for (const auto& value : line.motorValues)
        setMotorValue(value.first, value.second);
}

void MainWindow::setPollPeriod(int milliseconds)
{
    m_pollPeriod = milliseconds;
    if (TracePoller* poller = m_host->poller())
        poller->setPeriod(milliseconds);
}

ScopeWindow* MainWindow::scope() const
{
    return m_scope;
}

void MainWindow::openScope()
{
    if (!m_scope) {
        m_scope = new ScopeWindow;
        ScopeRecorder* recorder = m_scope->recorder();
        recorder->setClock([module = QPointer<SimulatedModule>(m_module)]() { return module ? module->now() : 0; });
        new DriveSignalFeed(recorder, m_module);
        m_scope->setModule(m_module);
        attachScope();
        auto* window = new ToolWindow(m_scope);
        window->setObjectName(QStringLiteral("scopeWindow"));
        // A tool window like the others: raised when used, behind the window used last.
        m_area->addSubWindow(window);
        // Beside the Start Up window, which the tools place at the top left.
        window->setGeometry(WindowLayout::scopePlace(m_area->size()));
    }
    if (auto* window = qobject_cast<ToolWindow*>(m_scope->parentWidget()))
        window->activateWindow();
}

TuningWindow* MainWindow::tuning() const
{
    return m_tuning;
}

void MainWindow::openTuning()
{
    if (!m_tuning) {
        m_tuning = new TuningWindow(m_module, 0);
        connect(m_tuning, &TuningWindow::proposalApplied, this, &MainWindow::rereadClosedLoop);
        auto* window = new ToolWindow(m_tuning);
        window->setObjectName(QStringLiteral("tuningWindow"));
        m_area->addSubWindow(window);
        const QSize size(qMin(1000, m_area->width()), qMin(760, m_area->height()));
        window->setGeometry(qMax(0, (m_area->width() - size.width()) / 2), 15, size.width(), size.height());
    }
    if (auto* window = qobject_cast<ToolWindow*>(m_tuning->parentWidget()))
        window->activateWindow();
}

// The closed-loop page reads the module's values whenever it is shown; an open one is shown
// them again, so that it does not keep the values the tuning's proposal has just replaced.
void MainWindow::rereadClosedLoop()
{
    ToolWindow* window = m_host->windowOf(ClosedLoopTool);
    if (!window || !window->isVisible() || !window->widget())
        return;
    const QList<QWidget*> children = window->widget()->findChildren<QWidget*>();
    for (QWidget* page : children) {
        if (qstrcmp(page->metaObject()->className(), "ClosedLoop") == 0 && page->isVisible()) {
            QShowEvent event;
            QCoreApplication::sendEvent(page, &event);
        }
    }
}

// The scope records every reply the poller delivers to a tool; new tools bring a new poller.
void MainWindow::attachScope()
{
    TracePoller* poller = m_host->poller();
    if (!m_scope || !poller)
        return;
    ScopeRecorder* recorder = m_scope->recorder();
    if (m_scopePoller)
        disconnect(m_scopePoller, nullptr, recorder, nullptr);
    m_scopePoller = poller;
    connect(poller, &TracePoller::replyDelivered, recorder, [recorder](QObject*, Command reply) { recorder->recordReply(reply); });
}

void MainWindow::setModuleConnected(bool connected)
{
    m_module->setDeviceOpen(connected);
    // The module reports changes only; keep the menu right in any case.
    updateConnectionState(m_module->isDeviceOpen());
}

void MainWindow::setEncoderResolution(int countsPerRevolution)
{
    m_module->setTrueEncoderResolution(countsPerRevolution);
    updateResolutionChecks();
    updateConnectionState(m_module->isDeviceOpen());
}

void MainWindow::setEncoderReversed(bool reversed)
{
    m_module->setEncoderReversed(reversed);
    m_reversedAction->setChecked(m_module->encoderReversed());
}

void MainWindow::setReducedRange(bool on)
{
    m_module->setReducedRange(on);
    m_reducedRangeAction->setChecked(on);
}

void MainWindow::setFirmwareName(const QString& name)
{
    const bool changed = name != m_module->nameInFirmware();
    m_module->setFirmwareName(name);
    updateFirmwareChecks();
    if (changed && m_toolsCreated)
        createTools();
}

void MainWindow::setLoadPercent(double percent)
{
    if (!(percent >= 0 && percent <= MaxLoadPercent))
        return;
    m_loadPercent = percent;
    applyMotor(m_module->motor().holdingTorque, m_module->motor().inertia);
}

void MainWindow::setHoldingTorque(double newtonMetres)
{
    if (MotorValues::limit(QStringLiteral("holdingTorque"))->accepts(newtonMetres))
        applyMotor(newtonMetres, m_module->motor().inertia);
}

void MainWindow::setInertia(double kilogramSquareMetres)
{
    if (MotorValues::limit(QStringLiteral("inertia"))->accepts(kilogramSquareMetres))
        applyMotor(m_module->motor().holdingTorque, kilogramSquareMetres);
}

namespace {
// A small quantity as a reader writes it, "3·10⁻⁵" rather than "3e-05".
QString scientific(const QLocale& locale, double value)
{
    if (value == 0.0 || (std::abs(value) >= 0.01 && std::abs(value) < 10000.0))
        return locale.toString(value, 'g', 3);
    const int exponent = int(std::floor(std::log10(std::abs(value))));
    static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString power = exponent < 0 ? QStringLiteral("⁻") : QString();
    const QString digits = QString::number(std::abs(exponent));
    for (const QChar digit : digits)
        power += superscripts.at(digit.digitValue());
    return locale.toString(value / std::pow(10.0, exponent), 'g', 3) + QStringLiteral("·10") + power;
}
} // namespace

void MainWindow::applyMotor(double holdingTorque, double inertia)
{
    MotorPhysics::Motor motor = m_module->motor();
    motor.holdingTorque = holdingTorque;
    motor.inertia = inertia;
    motor.loadTorque = m_loadPercent / 100.0 * holdingTorque;
    for (auto it = m_motorValues.cbegin(); it != m_motorValues.cend(); ++it)
        MotorValues::find(it.key())->apply(motor, it.value());
    m_module->setMotor(motor);
    const QLocale locale;
    m_motorLabel->setText(tr("Load %1 % of %2 N·m, inertia %3 kg·m²")
                              .arg(locale.toString(m_loadPercent, 'g', 4), locale.toString(holdingTorque, 'g', 4),
                                   scientific(locale, inertia)));
}

void MainWindow::chooseLoad()
{
    bool ok = false;
    const double value = QInputDialog::getDouble(this, tr("Load"), tr("Load torque in % of the holding torque:"),
                                                 m_loadPercent, 0, MaxLoadPercent, 1, &ok);
    if (ok)
        setLoadPercent(value);
}

void MainWindow::chooseHoldingTorque()
{
    bool ok = false;
    const double value = QInputDialog::getDouble(this, tr("Holding torque"), tr("Holding torque at the maximum current (N·m):"),
                                                 m_module->motor().holdingTorque, 0.001, MaxHoldingTorque, 3, &ok);
    if (ok)
        setHoldingTorque(value);
}

void MainWindow::chooseInertia()
{
    bool ok = false;
    const double value = QInputDialog::getDouble(this, tr("Inertia"), tr("Inertia of the rotor (kg·m²):"),
                                                 m_module->motor().inertia, 1e-7, MaxInertia, 7, &ok);
    if (ok)
        setInertia(value);
}

void MainWindow::buildMotorMenu()
{
    m_moduleMenu->addSeparator();
    QAction* load = m_moduleMenu->addAction(tr("Motor &load..."), this, &MainWindow::chooseLoad);
    load->setObjectName(QStringLiteral("actLoad"));
    QAction* torque = m_moduleMenu->addAction(tr("&Holding torque..."), this, &MainWindow::chooseHoldingTorque);
    torque->setObjectName(QStringLiteral("actHoldingTorque"));
    QAction* inertia = m_moduleMenu->addAction(tr("&Inertia..."), this, &MainWindow::chooseInertia);
    inertia->setObjectName(QStringLiteral("actInertia"));
    for (int i = 0; i < MotorValues::count(); ++i) {
        const MotorValue* row = MotorValues::rows() + i;
        QAction* action = m_moduleMenu->addAction(QCoreApplication::translate("MainWindow", row->menuText), this,
                                                  [this, row]() { chooseMotorValue(row); });
        action->setObjectName(QStringLiteral("act") + QLatin1String(row->key));
    }
}

void MainWindow::chooseMotorValue(const MotorValue* row)
{
    QString title = QCoreApplication::translate("MainWindow", row->menuText);
    title.remove(QLatin1Char('&')).remove(QStringLiteral("..."));
    bool ok = false;
    const double value = QInputDialog::getDouble(this, title, QCoreApplication::translate("MainWindow", row->prompt),
                                                 motorValue(QLatin1String(row->key)), row->minimum, row->maximum,
                                                 row->decimals, &ok);
    if (ok)
        setMotorValue(QLatin1String(row->key), value);
}

void MainWindow::setMotorValue(const QString& key, double value)
{
    const MotorValue* row = MotorValues::find(key);
    if (!row || !row->accepts(value))
        return;
    m_motorValues.insert(key, value);
    applyMotor(m_module->motor().holdingTorque, m_module->motor().inertia);
}

double MainWindow::motorValue(const QString& key) const
{
    const MotorValue* row = MotorValues::find(key);
    if (!row)
        return 0.0;
    return m_motorValues.contains(key) ? m_motorValues.value(key) : row->read(m_module->motor());
}

void MainWindow::updateConnectionState(bool open)
{
    m_connectAction->setChecked(open);
    // An encoder of 0 counts is one without signal, as if its plug were pulled.
    const bool unplugged = m_module->trueEncoderResolution() == 0;
    m_connectionLabel->setText(!open       ? tr("Simulated module disconnected")
                               : unplugged ? tr("Simulated module connected, encoder without signal")
                                           : tr("Simulated module connected"));
    // The pages read on without a module and show what comes back (an encoder detection
    // jumps to 100 %): every tool says so over what it shows.
    const QString notice = open ? QString()
                                : tr("The module is disconnected: what this window shows now is no reading, and a "
                                     "running encoder detection or move cannot go on.\n\nConnect the module again "
                                     "(Simulated module, Connected); the window then goes on where it was.");
    const QList<QMdiSubWindow*> windows = m_area->subWindowList();
    for (QMdiSubWindow* window : windows) {
        if (auto* tool = qobject_cast<ToolWindow*>(window))
            tool->setNotice(notice);
    }
}

void MainWindow::chooseCustomResolution()
{
    bool ok = false;
    const int value = QInputDialog::getInt(this, tr("Encoder resolution"),
                                           tr("Counts per revolution (0: no signal, as with the encoder's plug pulled):"),
                                           m_module->trueEncoderResolution(), 0, 1 << 24, 1, &ok);
    if (ok)
        setEncoderResolution(value);
    else
        updateResolutionChecks();
}

void MainWindow::chooseCustomFirmware()
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Firmware"), tr("Module type as the firmware names it:"),
                                               QLineEdit::Normal, m_module->nameInFirmware(), &ok);
    if (ok && !name.trimmed().isEmpty())
        setFirmwareName(name.trimmed());
    else
        updateFirmwareChecks();
}

void MainWindow::showAbout()
{
    ToolsInterface* factory = m_host->factory();
    QMessageBox::about(this, tr("About the plug-in"), factory ? aboutText(factory->versionText()) : tr("No plug-in is loaded."));
}

QString MainWindow::aboutText(const QString& versionText)
{
    // The plug-in dates its build in English ("from: Wed Jun 26 17:03:02 2019"); shown in the
    // interface language.
    static const QRegularExpression stamp(QStringLiteral("^(.*) from: (\\w{3} \\w{3} +\\d+ \\d\\d:\\d\\d:\\d\\d \\d{4})$"));
    const QRegularExpressionMatch match = stamp.match(versionText);
    const QDateTime built = match.hasMatch()
                                ? QLocale::c().toDateTime(match.captured(2).simplified(), QStringLiteral("ddd MMM d HH:mm:ss yyyy"))
                                : QDateTime();
    if (!built.isValid())
        return versionText;
    return tr("%1\nBuilt on %2").arg(match.captured(1), QLocale().toString(built, QLocale::LongFormat));
}

void MainWindow::buildModuleMenu()
{
    m_connectAction = m_moduleMenu->addAction(tr("&Connected"));
    m_connectAction->setObjectName(QStringLiteral("actConnected"));
    m_connectAction->setCheckable(true);
    connect(m_connectAction, &QAction::triggered, this, &MainWindow::setModuleConnected);
    m_moduleMenu->addSeparator();

    QMenu* resolution = m_moduleMenu->addMenu(tr("Encoder &resolution"));
    resolution->setObjectName(QStringLiteral("menuEncoderResolution"));
    m_resolutionGroup = new QActionGroup(this);
    for (int value : StandardResolutions) {
        QAction* action = resolution->addAction(QLocale().toString(value));
        action->setCheckable(true);
        action->setData(value);
        m_resolutionGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, value]() { setEncoderResolution(value); });
    }
    resolution->addSeparator();
    m_customResolutionAction = resolution->addAction(tr("Custom..."));
    m_customResolutionAction->setCheckable(true);
    m_resolutionGroup->addAction(m_customResolutionAction);
    connect(m_customResolutionAction, &QAction::triggered, this, &MainWindow::chooseCustomResolution);

    m_reversedAction = m_moduleMenu->addAction(tr("Encoder r&eversed"));
    m_reversedAction->setObjectName(QStringLiteral("actEncoderReversed"));
    m_reversedAction->setCheckable(true);
    connect(m_reversedAction, &QAction::triggered, this, &MainWindow::setEncoderReversed);
    m_moduleMenu->addSeparator();

    QMenu* firmware = m_moduleMenu->addMenu(tr("&Firmware"));
    firmware->setObjectName(QStringLiteral("menuFirmware"));
    m_firmwareGroup = new QActionGroup(this);
    for (const char* name : StandardFirmware) {
        const QString text = QString::fromLatin1(name);
        QAction* action = firmware->addAction(text);
        action->setCheckable(true);
        action->setData(text);
        m_firmwareGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, text]() { setFirmwareName(text); });
    }
    firmware->addSeparator();
    m_customFirmwareAction = firmware->addAction(tr("Other..."));
    m_customFirmwareAction->setCheckable(true);
    m_firmwareGroup->addAction(m_customFirmwareAction);
    connect(m_customFirmwareAction, &QAction::triggered, this, &MainWindow::chooseCustomFirmware);

    m_reducedRangeAction = m_moduleMenu->addAction(tr("Reduced current &range"));
    m_reducedRangeAction->setObjectName(QStringLiteral("actReducedRange"));
    m_reducedRangeAction->setCheckable(true);
    connect(m_reducedRangeAction, &QAction::triggered, this, &MainWindow::setReducedRange);

    m_reversedAction->setChecked(m_module->encoderReversed());
    updateResolutionChecks();
    updateFirmwareChecks();
}

void MainWindow::rebuildToolsMenu()
{
    m_toolsMenu->clear();
    // In the order of the steps, Start Up first, whatever order the plug-in makes them in.
    QList<ReRezorInterface*> tools = m_host->tools();
    std::sort(tools.begin(), tools.end(),
              [](const ReRezorInterface* a, const ReRezorInterface* b) { return a->toolsVariant() < b->toolsVariant(); });
    for (ReRezorInterface* tool : tools) {
        const int id = tool->toolsVariant();
        QAction* action = m_toolsMenu->addAction(QIcon(tool->property("dpWindowIcon").toString()), tool->toolsName());
        action->setObjectName(QStringLiteral("actTool%1").arg(id));
        connect(action, &QAction::triggered, this, [this, id]() {
            if (ToolWindow* window = m_host->windowOf(id))
                window->activateWindow();
        });
    }
    if (tools.isEmpty()) {
        m_toolsMenu->addAction(tr("No tools"))->setEnabled(false);
        return;
    }
    // After the closed-loop step, the last of the steps.
    m_toolsMenu->addAction(tr("T&uning…"), this, &MainWindow::openTuning)->setObjectName(QStringLiteral("actTuning"));
    m_toolsMenu->addSeparator();
    m_toolsMenu->addAction(tr("&Scope"), this, &MainWindow::openScope)->setObjectName(QStringLiteral("actScope"));
    m_toolsMenu->addSeparator();
    m_toolsMenu->addAction(tr("&Cascade windows"), m_area, &QMdiArea::cascadeSubWindows);
    m_toolsMenu->addAction(tr("&Tile windows"), m_area, &QMdiArea::tileSubWindows);
    m_toolsMenu->addAction(tr("&Reset layout"), m_layout, &WindowLayout::reset)
        ->setObjectName(QStringLiteral("actResetLayout"));
}

void MainWindow::updateResolutionChecks()
{
    const int current = m_module->trueEncoderResolution();
    bool standard = false;
    const QList<QAction*> resolutions = m_resolutionGroup->actions();
    for (QAction* action : resolutions) {
        if (action == m_customResolutionAction)
            continue;
        const bool match = action->data().toInt() == current;
        action->setChecked(match);
        standard = standard || match;
    }
    m_customResolutionAction->setChecked(!standard);
    m_customResolutionAction->setText(standard ? tr("Custom...") : tr("Custom (%1)...").arg(QLocale().toString(current)));
}

void MainWindow::updateFirmwareChecks()
{
    const QString current = m_module->nameInFirmware();
    bool standard = false;
    const QList<QAction*> firmwares = m_firmwareGroup->actions();
    for (QAction* action : firmwares) {
        if (action == m_customFirmwareAction)
            continue;
        const bool match = action->data().toString() == current;
        action->setChecked(match);
        standard = standard || match;
    }
    m_customFirmwareAction->setChecked(!standard);
    m_customFirmwareAction->setText(standard ? tr("Other...") : tr("Other (%1)...").arg(current));
}
