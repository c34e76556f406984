// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "guidedrun.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <limits>

#include "labelled.h"
#include "labelsignal.h"
#include "outputfile.h"
#include "pluginhost.h"
#include "rerezorinterface.h"
#include "progressindicator.h"
#include "simulatedmodule.h"
#include "spinbox.h"
#include "toolwindow.h"
#include "tracepoller.h"

namespace {

enum SubWidget { StartUp = 50, Motor = 51, Encoder = 52, ClosedLoopId = 53 };

const char* const StartUpPage = "Commissioning";
const char* const MotorPage = "MotorSettings";
const char* const EncoderPage = "EncoderSettings";
const char* const ClosedLoopPage = "ClosedLoop";

// Simulated time per wait step, and the real time each step leaves the event loop, so that
// the pages' own timers (the detection polls every 100 ms) see time pass as well.
const int StepMilliseconds = 10;
const int RealPauseMilliseconds = 1;

const int MicrostepRow256 = 8;
const int SettleMilliseconds = 500;
const int MaxSettleMilliseconds = 2000;

// A runaway deviation reads as the largest count, not as whatever an overflowing rounding makes of it.
int saturated(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::lround(qBound(double(std::numeric_limits<int>::min()), value, double(std::numeric_limits<int>::max()))));
}

} // namespace

template<typename T>
T* GuidedRun::control(int subWidgetId, const char* pageName, const char* name) const
{
    QWidget* owner = page(subWidgetId, pageName);
    return owner ? owner->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

GuidedRun::GuidedRun(PluginHost* host, SimulatedModule* module, QTextStream* out, QObject* parent)
    : QObject(parent)
    , m_host(host)
    , m_module(module)
    , m_out(out)
{
}

void GuidedRun::setScreenshotDirectory(const QString& directory)
{
    m_saveScreenshots = !directory.isEmpty();
    m_screenshots = QDir(directory);
    if (m_saveScreenshots)
        m_screenshots.mkpath(QStringLiteral("."));
}

void GuidedRun::setStepTimeout(int simulatedMilliseconds)
{
    m_stepTimeout = qMax(StepMilliseconds, simulatedMilliseconds);
}

QString GuidedRun::errorString() const
{
    return m_error;
}

bool GuidedRun::run()
{
    m_error.clear();
    if (!m_host || !m_module || !m_host->factory())
        return fail(QStringLiteral("no plug-in or no module to commission"));
    if (!m_module->isDeviceOpen())
        return fail(QStringLiteral("the module is not connected"));
    m_module->setManualClock(true);

    m_steps.clear();
    m_detectedResolution = 0;
    m_detectedDirection.clear();
    m_preset.clear();
    m_moves.clear();
    m_deviations.clear();
    m_offLoops.clear();
    m_load = m_module->motor();
    m_loadCoupled = !hasLoad(m_load);
    if (!m_loadCoupled) {
        m_module->setMotor(withLoadOf(m_load, MotorPhysics::Motor()));
        say(QStringLiteral("The load is uncoupled for the commissioning."));
    }
    bool done = timed(QStringLiteral("start-up"), [this] { return openStartUp(); })
                && timed(QStringLiteral("motor"), [this] { return motorStep(); })
                && timed(QStringLiteral("encoder"), [this] { return encoderStep(); })
                && timed(QStringLiteral("closed loop"), [this] { return closedLoopStep(); });
    if (done && m_compareOpenLoop)
        done = timed(QStringLiteral("motion test, open loop"),
                     [this] { return coupleLoad() && motionTest(QStringLiteral("open loop")); });
    done = done && timed(QStringLiteral("activate closed loop"), [this] { return activateClosedLoop(); })
           && timed(QStringLiteral("motion test"), [this] {
                  return coupleLoad() && motionTest(m_compareOpenLoop ? QStringLiteral("closed loop") : QString());
              });
    m_deviation = deviation();
    if (!m_loadCoupled) {
        // Whatever happened, the module keeps the load it was given.
        m_module->setMotor(withLoadOf(m_module->motor(), m_load));
    }
    if (m_compareOpenLoop && m_deviations.size() == 2)
        say(QStringLiteral("Deviation after the first move: open loop %1, closed loop %2.%3")
                .arg(m_deviations.at(0), m_deviations.at(1), whichLoopHeld()));
    if (!done)
        return false;
    say(QStringLiteral("Closed loop ready to use."));
    say(QStringLiteral("Setup program:"));
    say(setupProgram());
    return true;
}

QString GuidedRun::setupProgram() const
{
    auto* history = control<QTextEdit>(StartUp, StartUpPage, "teHistory");
    return history ? history->toPlainText() : QString();
}

bool GuidedRun::closedLoopActivated() const
{
    auto* activate = control<QCheckBox>(StartUp, StartUpPage, "cbActivateClosedLoop");
    return activate && activate->isChecked();
}

bool GuidedRun::timed(const QString& name, const std::function<bool()>& step)
{
    QElapsedTimer wall;
    wall.start();
    const qint64 simulatedStart = m_module->now();
    Step record;
    record.name = name;
    record.passed = step();
    if (!record.passed)
        record.error = m_error;
    record.simulatedMilliseconds = m_module->now() - simulatedStart;
    record.wallMilliseconds = wall.elapsed();
    m_steps.append(record);
    return record.passed;
}

bool GuidedRun::openStartUp()
{
    ToolWindow* window = m_host->windowOf(StartUp);
    if (!window)
        return fail(QStringLiteral("the plug-in offers no Start Up tool"));
    window->activateWindow();
    // The Start Up tool wires its siblings from the event loop; the motor page then shows the axis.
    auto* axis = control<QLabel>(Motor, MotorPage, "lblCurrentAxis");
    if (!axis)
        return fail(QStringLiteral("the plug-in offers no motor page"));
    if (!waitFor([axis] { return axis->text().startsWith(QStringLiteral("Motor / Encoder")); },
                 QStringLiteral("the tools to be wired to the module")))
        return false;
    say(QStringLiteral("Start Up opened on %1.").arg(axis->text()));
    screenshot(StartUp, QStringLiteral("1-startup"));
    return true;
}

bool GuidedRun::motorStep()
{
    auto* open = control<QPushButton>(StartUp, StartUpPage, "btnMotorSettings");
    if (!click(open, QStringLiteral("Motor settings")))
        return false;
    if (!waitFor([this] { return windowVisible(Motor); }, QStringLiteral("the motor window")))
        return false;

    auto* microsteps = control<QComboBox>(Motor, MotorPage, "cmbMicrosteps");
    auto* fullSteps = control<QComboBox>(Motor, MotorPage, "cmbFullStepResulotion");
    if (!microsteps || !fullSteps)
        return fail(QStringLiteral("the motor page has no microstep or step-angle choice"));
    microsteps->setCurrentIndex(MicrostepRow256);
    say(QStringLiteral("Step 1: motor settings: step angle %1, %2.").arg(fullSteps->currentText(), microsteps->currentText()));
    screenshot(Motor, QStringLiteral("2-motor"));

    auto* box = control<QDialogButtonBox>(Motor, MotorPage, "buttonBox");
    if (!box || !clickAndAnswerYes(box->button(QDialogButtonBox::Apply),
                                   QStringLiteral("Does the motor have an ABN- Encoder installed")))
        return false;
    say(QStringLiteral("        applied; the motor has an ABN encoder: Yes."));
    return true;
}

bool GuidedRun::encoderStep()
{
    if (!waitFor([this] { return windowVisible(Encoder); }, QStringLiteral("the encoder window")))
        return false;
    QWidget* page = this->page(Encoder, EncoderPage);
    auto* stack = control<QStackedWidget>(Encoder, EncoderPage, "stackedWidget");
    auto* investigated = control<QLabel>(Encoder, EncoderPage, "lblInvestigated");
    auto* direction = control<QLabel>(Encoder, EncoderPage, "lblEncDirection");
    auto* confirm = control<QDialogButtonBox>(Encoder, EncoderPage, "bbAutoDetection");
    auto* results = control<QDialogButtonBox>(Encoder, EncoderPage, "bbDetction");
    if (!page || !stack || !investigated || !direction || !confirm || !results)
        return fail(QStringLiteral("the encoder page lacks the auto-detection"));

    say(QStringLiteral("Step 2: encoder settings: auto-detection, one turn forwards and back."));
    if (!click(control<QAbstractButton>(Encoder, EncoderPage, "btnAutoDetection"), QStringLiteral("Auto decection")))
        return false;
    if (!click(confirm->button(QDialogButtonBox::Ok), QStringLiteral("OK")))
        return false;
    const QString running = investigated->text();
    if (!waitFor([investigated, running] { return investigated->text() != running; },
                 QStringLiteral("the forward turn of the auto-detection")))
        return false;
    // The detection is over once its polling timer is gone (after the return turn).
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!waitFor([dispatcher, page] { return dispatcher->registeredTimers(page).isEmpty(); },
                 QStringLiteral("the return turn of the auto-detection")))
        return false;
    screenshot(Encoder, QStringLiteral("3-detection"));

    bool found = false;
    const int resolution = investigated->text().toInt(&found);
    if (!found || resolution <= 0) {
        click(results->button(QDialogButtonBox::Discard), QStringLiteral("Discard"));
        return fail(QStringLiteral("the auto-detection found no standard encoder resolution (\"%1\"): "
                                   "check the encoder's wiring and resolution")
                        .arg(investigated->text()));
    }
    m_detectedResolution = resolution;
    m_detectedDirection = direction->text().trimmed();
    say(QStringLiteral("        found %1 counts per revolution, direction %2.").arg(resolution).arg(direction->text().trimmed()));
    if (!click(results->button(QDialogButtonBox::Apply), QStringLiteral("Apply of the detection")))
        return false;
    screenshot(Encoder, QStringLiteral("4-encoder"));

    auto* box = control<QDialogButtonBox>(Encoder, EncoderPage, "buttonBox");
    if (!box || !clickAndAnswerYes(box->button(QDialogButtonBox::Apply), QStringLiteral("Shall the  drive run closed loop")))
        return false;
    say(QStringLiteral("        applied; the drive shall run closed loop: Yes."));
    return true;
}

bool GuidedRun::closedLoopStep()
{
    if (!waitFor([this] { return windowVisible(ClosedLoopId); }, QStringLiteral("the closed-loop window")))
        return false;
    // The presets are on the Correction tab, which the user picks first.
    auto* tabs = control<QTabWidget>(ClosedLoopId, ClosedLoopPage, "twSettings");
    QWidget* correction = control<QWidget>(ClosedLoopId, ClosedLoopPage, "twPageCorrection");
    if (!tabs || !correction || tabs->indexOf(correction) < 0)
        return fail(QStringLiteral("the closed-loop page has no Correction tab"));
    tabs->tabBar()->setCurrentIndex(tabs->indexOf(correction));
    settle(StepMilliseconds);
    if (!click(control<QAbstractButton>(ClosedLoopId, ClosedLoopPage, "btnBalanced"), QStringLiteral("balanced")))
        return false;
    m_preset = QStringLiteral("balanced");
    say(QStringLiteral("Step 3: closed-loop settings: preset \"%1\".").arg(m_preset));
    screenshot(ClosedLoopId, QStringLiteral("5-closedloop"));
    auto* box = control<QDialogButtonBox>(ClosedLoopId, ClosedLoopPage, "buttonBox");
    if (!box || !click(box->button(QDialogButtonBox::Ok), QStringLiteral("Ok")))
        return false;
    auto* ready = control<QLabel>(StartUp, StartUpPage, "lblClreadyToUse");
    if (!waitFor([this, ready] { return windowVisible(StartUp) && ready && ready->isVisible(); },
                 QStringLiteral("the start-up page to show all three steps ready")))
        return false;
    say(QStringLiteral("        applied; all three steps are ready."));
    return true;
}

bool GuidedRun::activateClosedLoop()
{
    auto* activate = control<QCheckBox>(StartUp, StartUpPage, "cbActivateClosedLoop");
    auto* led = control<LabelLed>(StartUp, StartUpPage, "ledClInitFlag");
    auto* busy = control<ProgressIndicator>(StartUp, StartUpPage, "progressIndicator");
    if (!activate || !led || !busy)
        return fail(QStringLiteral("the start-up page lacks the closed-loop switch"));
    if (!click(activate, QStringLiteral("Activate Closed Loop")))
        return false;
    say(QStringLiteral("Activate Closed Loop: waiting for \"Closed ready\"%1.")
            .arg(busy->isAnimated() ? QStringLiteral(" (busy indicator running)") : QString()));
    if (!waitFor([led] { return led->labelSignal()->isEnabled(); },
                 QStringLiteral("the closed loop to become ready; the drive's encoder does not match the encoder settings")))
        return false;
    say(QStringLiteral("        Closed ready is lit%1.").arg(busy->isAnimated() ? QString() : QStringLiteral(", busy indicator stopped")));
    screenshot(StartUp, QStringLiteral("6-closed-ready"));
    return true;
}

bool GuidedRun::hasLoad(const MotorPhysics::Motor& motor)
{
    return motor.loadTorque != 0.0 || motor.viscousFriction != 0.0 || motor.activeLoad != 0.0 || motor.loadInertia != 0.0;
}

MotorPhysics::Motor GuidedRun::withLoadOf(MotorPhysics::Motor motor, const MotorPhysics::Motor& load)
{
    motor.loadTorque = load.loadTorque;
    motor.viscousFriction = load.viscousFriction;
    motor.activeLoad = load.activeLoad;
    motor.loadInertia = load.loadInertia;
    return motor;
}

bool GuidedRun::coupleLoad()
{
    if (m_loadCoupled)
        return true;
    const MotorPhysics::Motor motor = withLoadOf(m_module->motor(), m_load);
    m_module->setMotor(motor);
    m_loadCoupled = true;
    auto share = [&motor](double torque) { return motor.holdingTorque > 0 ? 100.0 * torque / motor.holdingTorque : 0.0; };
    QString further;
    if (motor.activeLoad != 0.0)
        further += QStringLiteral(", active load %1 N m (%2 %)").arg(motor.activeLoad, 0, 'g', 3).arg(share(motor.activeLoad), 0, 'g', 3);
    if (motor.viscousFriction != 0.0)
        further += QStringLiteral(", viscous friction %1 N m s/rad").arg(motor.viscousFriction, 0, 'g', 3);
    if (motor.loadInertia != 0.0)
        further += QStringLiteral(", load inertia %1 kg m^2").arg(motor.loadInertia, 0, 'g', 3);
    say(QStringLiteral("Load coupled for the motion test: %1 N m, %2 % of the holding torque%3.")
            .arg(motor.loadTorque, 0, 'g', 3)
            .arg(share(motor.loadTorque), 0, 'g', 3)
            .arg(further));
    return true;
}

QString GuidedRun::whichLoopHeld() const
{
    if (m_offLoops.isEmpty())
        return QStringLiteral(" Both loops held the position.");
    if (m_offLoops.size() == 2)
        return QStringLiteral(" Neither loop held the position.");
    return m_offLoops.contains(QStringLiteral("open loop")) ? QStringLiteral(" The closed loop held the position, the open loop lost steps.")
                                                          : QStringLiteral(" The open loop held the position, the closed loop did not.");
}

// A move that ends more than a full step off, or that the drive stopped on its deviation
// limit (212), is an overload: never passed over in silence.
bool GuidedRun::checkMoveEnd(const QString& loop, double microsteps)
{
    const int fullStep = 1 << qBound(0, m_module->getAxisParameter(140, 0), 8);
    const bool stopped = m_module->getAxisParameter(207, 0) == 1;
    if (!stopped && std::abs(microsteps) <= fullStep)
        return true;
    const QString name = loop.isEmpty() ? QStringLiteral("closed loop") : loop;
    if (!m_offLoops.contains(name))
        m_offLoops.append(name);
    const QString what = stopped ? QStringLiteral("the drive stopped the move on its deviation limit (parameter 212) with a deviation of %1 microsteps")
                                 : QStringLiteral("the move ended %1 microsteps off, more than one full step (%2 microsteps)");
    const QString message = QStringLiteral("motion test, %1: %2: the motor is overloaded or lost steps")
                                .arg(name, stopped ? what.arg(microsteps, 0, 'f', 0) : what.arg(microsteps, 0, 'f', 0).arg(fullStep));
    say(QStringLiteral("        ") + message + QLatin1Char('.'));
    // The open loop is run only for the comparison: its loss is the finding, not a failure.
    if (loop == QLatin1String("open loop"))
        return true;
    return fail(message);
}

// Axis 0, as the run commissions it. In whole encoder counts, as the encoder tells them: the
// fraction of a count it cannot see is no deviation (at 4000 counts a count is 12.8 of 51200
// microsteps). The counter's position is read from the module as a user would.
GuidedRun::Deviation GuidedRun::deviation() const
{
    Deviation result;
    m_module->synchronise();
    const SimulatedAxis* axis = m_module->drive()->axis(0);
    const int resolution = axis->matchingEncoderResolution();
    bool actual = false;
    bool encoder = false;
    result.actualPosition = m_module->getAxisParameter(1, 0, &actual);
    result.encoderPosition = m_module->getAxisParameter(209, 0, &encoder);
    result.counts = saturated(axis->positionDeviation());
    result.microsteps = resolution ? saturated(double(result.counts) * axis->microstepsPerRevolution() / resolution) : 0;
    result.valid = actual && encoder && resolution != 0;
    return result;
}

QString GuidedRun::reportDeviation(Move move)
{
    move.deviation = deviation();
    m_moves.append(move);
    say(QStringLiteral("        deviation of actual and encoder position: %1 microsteps (%2 encoder counts).")
            .arg(move.deviation.microsteps)
            .arg(move.deviation.counts));
    return QStringLiteral("%1 microsteps").arg(move.deviation.microsteps);
}

// The rotor may still swing, and the closed loop still correct, after the ramp has ended: the
// deviation counts once the encoder has stood for SettleMilliseconds, or after
// MaxSettleMilliseconds.
void GuidedRun::settleRotor()
{
    int standing = 0;
    for (int waited = 0; waited < MaxSettleMilliseconds && standing < SettleMilliseconds; waited += StepMilliseconds) {
        m_module->synchronise();
        standing = m_module->drive()->axis(0)->value(3) == 0 ? standing + StepMilliseconds : 0;
        settle(StepMilliseconds);
    }
}

bool GuidedRun::motionTest(const QString& loop)
{
    auto* start = control<QAbstractButton>(StartUp, StartUpPage, "btnStart");
    auto* stop = control<QAbstractButton>(StartUp, StartUpPage, "btnStop");
    auto* distance = control<SpinBox>(StartUp, StartUpPage, "sbTargetPosition");
    // The ramp's velocity: a stalled rotor measures none, and the move runs all the same.
    auto* velocity = control<SpinBox>(StartUp, StartUpPage, "spTargetVelocity");
    auto* reached = control<LabelLed>(StartUp, StartUpPage, "ledPositionReached");
    if (!start || !stop || !distance || !velocity || !reached)
        return fail(QStringLiteral("the start-up page lacks the motion test"));

    auto moving = [velocity] { return velocity->intValue() != 0; };
    auto standing = [velocity] { return velocity->intValue() == 0; };

    const QString title = loop.isEmpty() ? QStringLiteral("Motion test") : QStringLiteral("Motion test, %1").arg(loop);
    say(QStringLiteral("%1: relative move by %2.").arg(title).arg(distance->intValue()));
    if (!click(start, QStringLiteral("Start")) || !waitFor(moving, QStringLiteral("the motor to move")))
        return false;
    if (!waitFor([reached] { return reached->labelSignal()->isEnabled(); }, QStringLiteral("the position to be reached")))
        return false;
    say(QStringLiteral("        position reached."));
    settleRotor();
    Move move;
    move.loop = loop.isEmpty() ? QStringLiteral("closed loop") : loop;
    move.kind = QStringLiteral("relative move");
    move.distance = distance->intValue();
    m_deviations.append(reportDeviation(move));
    if (!checkMoveEnd(loop, m_moves.constLast().deviation.microsteps))
        return false;

    say(QStringLiteral("%1: another move, stopped on the way.").arg(title));
    if (!click(start, QStringLiteral("Start")) || !waitFor(moving, QStringLiteral("the motor to move")))
        return false;
    if (!click(stop, QStringLiteral("Stop")) || !waitFor(standing, QStringLiteral("the motor to stop")))
        return false;
    say(QStringLiteral("        stopped."));
    settleRotor();
    move.kind = QStringLiteral("stopped on the way");
    reportDeviation(move);
    if (!checkMoveEnd(loop, m_moves.constLast().deviation.microsteps))
        return false;
    screenshot(StartUp, loop == QLatin1String("open loop") ? QStringLiteral("7-motion-test-open-loop")
                                                           : QStringLiteral("7-motion-test"));
    return true;
}

QWidget* GuidedRun::page(int subWidgetId, const char* objectName) const
{
    QWidget* tool = m_host->tool(subWidgetId);
    return tool ? tool->findChild<QWidget*>(QString::fromLatin1(objectName)) : nullptr;
}

bool GuidedRun::click(QAbstractButton* button, const QString& what)
{
    if (!button)
        return fail(QStringLiteral("there is no \"%1\" button").arg(what));
    if (!button->isEnabled() || !button->isVisible())
        return fail(QStringLiteral("\"%1\" cannot be clicked").arg(what));
    button->click();
    settle(StepMilliseconds);
    return true;
}

bool GuidedRun::clickAndAnswerYes(QAbstractButton* button, const QString& expectedQuestion)
{
    m_lastQuestion.clear();
    QTimer answerer;
    answerer.setInterval(5);
    connect(&answerer, &QTimer::timeout, this, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_lastQuestion = box->text();
        if (QAbstractButton* yes = box->button(QMessageBox::Yes))
            yes->click();
        else
            box->reject();
    });
    answerer.start();
    const bool clicked = click(button, QStringLiteral("Apply"));
    answerer.stop();
    if (!clicked)
        return false;
    // The page asks in the language of the user interface.
    const QString expected = QCoreApplication::translate(StartUpPage, expectedQuestion.toUtf8().constData());
    if (m_lastQuestion != expected)
        return fail(QStringLiteral("expected the question \"%1\", got \"%2\"").arg(expected, m_lastQuestion));
    return true;
}

bool GuidedRun::waitFor(const std::function<bool()>& condition, const QString& what)
{
    for (int waited = 0; waited <= m_stepTimeout; waited += StepMilliseconds) {
        if (condition())
            return true;
        settle(StepMilliseconds);
    }
    return fail(QStringLiteral("gave up waiting for %1 after %2 s").arg(what).arg(m_stepTimeout / 1000.0));
}

void GuidedRun::settle(int simulatedMilliseconds)
{
    for (int step = 0; step < simulatedMilliseconds; step += StepMilliseconds) {
        m_module->advance(StepMilliseconds);
        if (TracePoller* poller = m_host->poller())
            poller->pollOnce();
        QCoreApplication::processEvents();
        QThread::msleep(RealPauseMilliseconds);
    }
}

bool GuidedRun::windowVisible(int subWidgetId) const
{
    ToolWindow* window = m_host->windowOf(subWidgetId);
    return window && window->isVisible();
}

void GuidedRun::screenshot(int subWidgetId, const QString& name)
{
    if (!m_saveScreenshots)
        return;
    // The picture shows the window as the user would see it, after the host's pending layout.
    QCoreApplication::processEvents();
    if (ToolWindow* window = m_host->windowOf(subWidgetId)) {
        const QString file = m_screenshots.filePath(name + QStringLiteral(".png"));
        QString error;
        if (OutputFile::writePng(file, window->grab().toImage(), &error))
            say(QStringLiteral("        picture: %1").arg(file));
        else
            say(QStringLiteral("        ") + error);
    }
}

bool GuidedRun::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

void GuidedRun::say(const QString& line)
{
    if (m_out) {
        *m_out << line << '\n';
        m_out->flush();
    }
}
