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
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include <cmath>

#include "labelled.h"
#include "loopcomparison.h"
#include "labelsignal.h"
#include "outputfile.h"
#include "pluginhost.h"
#include "rerezorinterface.h"
#include "progressindicator.h"
#include "saturatinground.h"
#include "simulatedmodule.h"
#include "spinbox.h"
#include "toolwindow.h"
#include "tracepoller.h"

namespace {

enum SubWidget { StartUp = 50, Motor = 51, Encoder = 52, ClosedLoopId = 53 };

// A loop's name as the log shows it; the report keeps the English one.
QString loopName(const QString& loop)
{
    static const char* const Names[] = {QT_TRANSLATE_NOOP("GuidedRun", "open loop"),
                                        QT_TRANSLATE_NOOP("GuidedRun", "closed loop")};
    for (const char* name : Names) {
        if (loop == QLatin1String(name))
            return QCoreApplication::translate("GuidedRun", name);
    }
    return loop;
}

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
const int FaultGraceMilliseconds = 500;

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
        return fail(tr("no plug-in or no module to commission"));
    if (!m_module->isDeviceOpen())
        return fail(tr("the module is not connected"));
    m_module->setManualClock(true);

    m_steps.clear();
    m_detectedResolution = 0;
    m_detectedDirection.clear();
    m_preset.clear();
    m_moves.clear();
    m_loopComparison = QJsonObject();
    m_faultFails = true;
    markStart();
    m_load = m_module->motor();
    m_loadCoupled = !hasLoad(m_load);
    if (!m_loadCoupled) {
        m_module->setMotor(withLoadOf(m_load, MotorPhysics::Motor()));
        say(tr("The load is uncoupled for the commissioning."));
    }
    bool done = timed(QStringLiteral("start-up"), [this] { return openStartUp(); })
                && timed(QStringLiteral("motor"), [this] { return motorStep(); })
                && timed(QStringLiteral("encoder"), [this] { return encoderStep(); })
                && timed(QStringLiteral("closed loop"), [this] { return closedLoopStep(); });
    if (done && m_compareOpenLoop)
        done = timed(QStringLiteral("motion test, open loop"), [this] { return coupleLoad() && compareLoops(); });
    done = done && timed(QStringLiteral("activate closed loop"), [this] { return activateClosedLoop(); })
           && timed(QStringLiteral("motion test"), [this] {
                  return coupleLoad() && motionTest(m_compareOpenLoop ? QStringLiteral("closed loop") : QString());
              });
    m_deviation = deviation();
    if (!m_loadCoupled) {
        // Whatever happened, the module keeps the load it was given.
        m_module->setMotor(withLoadOf(m_module->motor(), m_load));
    }
    if (!done)
        return false;
    say(tr("Closed loop ready to use."));
    say(tr("Setup program:"));
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
        return fail(tr("the plug-in offers no Start Up tool"));
    window->activateWindow();
    // The Start Up tool wires its siblings from the event loop; the motor page then shows the axis.
    auto* axis = control<QLabel>(Motor, MotorPage, "lblCurrentAxis");
    if (!axis)
        return fail(tr("the plug-in offers no motor page"));
    if (!waitFor([axis] { return axis->text().startsWith(QStringLiteral("Motor / Encoder")); },
                 tr("the tools to be wired to the module")))
        return false;
    say(tr("Start Up opened on %1.").arg(axis->text()));
    screenshot(StartUp, QStringLiteral("1-startup"));
    return true;
}

bool GuidedRun::motorStep()
{
    auto* open = control<QPushButton>(StartUp, StartUpPage, "btnMotorSettings");
    if (!click(open, QStringLiteral("Motor settings")))
        return false;
    if (!waitFor([this] { return windowVisible(Motor); }, tr("the motor window")))
        return false;

    auto* microsteps = control<QComboBox>(Motor, MotorPage, "cmbMicrosteps");
    auto* fullSteps = control<QComboBox>(Motor, MotorPage, "cmbFullStepResulotion");
    if (!microsteps || !fullSteps)
        return fail(tr("the motor page has no microstep or step-angle choice"));
    microsteps->setCurrentIndex(MicrostepRow256);
    say(tr("Step 1: motor settings: step angle %1, %2.").arg(fullSteps->currentText(), microsteps->currentText()));
    screenshot(Motor, QStringLiteral("2-motor"));

    auto* box = control<QDialogButtonBox>(Motor, MotorPage, "buttonBox");
    if (!box || !clickAndAnswerYes(box->button(QDialogButtonBox::Apply),
                                   QStringLiteral("Does the motor have an ABN- Encoder installed")))
        return false;
    say(tr("        applied; the motor has an ABN encoder: Yes."));
    return true;
}

bool GuidedRun::encoderStep()
{
    if (!waitFor([this] { return windowVisible(Encoder); }, tr("the encoder window")))
        return false;
    QWidget* page = this->page(Encoder, EncoderPage);
    auto* stack = control<QStackedWidget>(Encoder, EncoderPage, "stackedWidget");
    auto* investigated = control<QLabel>(Encoder, EncoderPage, "lblInvestigated");
    auto* direction = control<QLabel>(Encoder, EncoderPage, "lblEncDirection");
    auto* confirm = control<QDialogButtonBox>(Encoder, EncoderPage, "bbAutoDetection");
    auto* results = control<QDialogButtonBox>(Encoder, EncoderPage, "bbDetction");
    if (!page || !stack || !investigated || !direction || !confirm || !results)
        return fail(tr("the encoder page lacks the auto-detection"));

    say(tr("Step 2: encoder settings: auto-detection, one turn forwards and back."));
    if (!click(control<QAbstractButton>(Encoder, EncoderPage, "btnAutoDetection"), QStringLiteral("Auto decection")))
        return false;
    if (!click(confirm->button(QDialogButtonBox::Ok), QStringLiteral("OK")))
        return false;
    const QString running = investigated->text();
    if (!waitFor([investigated, running] { return investigated->text() != running; },
                 tr("the forward turn of the auto-detection")))
        return false;
    // The detection is over once its polling timer is gone (after the return turn).
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!waitFor([dispatcher, page] { return dispatcher->registeredTimers(page).isEmpty(); },
                 tr("the return turn of the auto-detection")))
        return false;
    screenshot(Encoder, QStringLiteral("3-detection"));

    bool found = false;
    const int resolution = investigated->text().toInt(&found);
    if (!found || resolution <= 0) {
        click(results->button(QDialogButtonBox::Discard), QStringLiteral("Discard"));
        return fail(tr("the auto-detection found no standard encoder resolution (\"%1\"): "
                                   "check the encoder's wiring and resolution")
                        .arg(investigated->text()));
    }
    m_detectedResolution = resolution;
    m_detectedDirection = direction->text().trimmed();
    say(tr("        found %1 counts per revolution, direction %2.").arg(resolution).arg(direction->text().trimmed()));
    if (!click(results->button(QDialogButtonBox::Apply), QStringLiteral("Apply of the detection")))
        return false;
    screenshot(Encoder, QStringLiteral("4-encoder"));

    auto* box = control<QDialogButtonBox>(Encoder, EncoderPage, "buttonBox");
    if (!box || !clickAndAnswerYes(box->button(QDialogButtonBox::Apply), QStringLiteral("Shall the  drive run closed loop")))
        return false;
    say(tr("        applied; the drive shall run closed loop: Yes."));
    return true;
}

bool GuidedRun::closedLoopStep()
{
    if (!waitFor([this] { return windowVisible(ClosedLoopId); }, tr("the closed-loop window")))
        return false;
    // The presets are on the Correction tab, which the user picks first.
    auto* tabs = control<QTabWidget>(ClosedLoopId, ClosedLoopPage, "twSettings");
    QWidget* correction = control<QWidget>(ClosedLoopId, ClosedLoopPage, "twPageCorrection");
    if (!tabs || !correction || tabs->indexOf(correction) < 0)
        return fail(tr("the closed-loop page has no Correction tab"));
    tabs->tabBar()->setCurrentIndex(tabs->indexOf(correction));
    settle(StepMilliseconds);
    if (!click(control<QAbstractButton>(ClosedLoopId, ClosedLoopPage, "btnBalanced"), QStringLiteral("balanced")))
        return false;
    m_preset = QStringLiteral("balanced");
    say(tr("Step 3: closed-loop settings: preset \"%1\".").arg(m_preset));
    screenshot(ClosedLoopId, QStringLiteral("5-closedloop"));
    auto* box = control<QDialogButtonBox>(ClosedLoopId, ClosedLoopPage, "buttonBox");
    if (!box || !click(box->button(QDialogButtonBox::Ok), QStringLiteral("Ok")))
        return false;
    auto* ready = control<QLabel>(StartUp, StartUpPage, "lblClreadyToUse");
    if (!waitFor([this, ready] { return windowVisible(StartUp) && ready && ready->isVisible(); },
                 tr("the start-up page to show all three steps ready")))
        return false;
    say(tr("        applied; all three steps are ready."));
    return true;
}

bool GuidedRun::activateClosedLoop()
{
    auto* activate = control<QCheckBox>(StartUp, StartUpPage, "cbActivateClosedLoop");
    auto* led = control<LabelLed>(StartUp, StartUpPage, "ledClInitFlag");
    auto* busy = control<ProgressIndicator>(StartUp, StartUpPage, "progressIndicator");
    if (!activate || !led || !busy)
        return fail(tr("the start-up page lacks the closed-loop switch"));
    if (!click(activate, QStringLiteral("Activate Closed Loop")))
        return false;
    say(tr("Activate Closed Loop: waiting for \"Closed ready\"%1.")
            .arg(busy->isAnimated() ? tr(" (busy indicator running)") : QString()));
    if (!waitFor([led] { return led->labelSignal()->isEnabled(); },
                 tr("the closed loop to become ready; the drive's encoder does not match the encoder settings")))
        return false;
    say(tr("        Closed ready is lit%1.").arg(busy->isAnimated() ? QString() : tr(", busy indicator stopped")));
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
    // In the interface language's number format, like the rest of the log.
    const QLocale locale;
    auto number = [&locale](double value) { return locale.toString(value, 'g', 3); };
    QString further;
    if (motor.activeLoad != 0.0)
        further += tr(", active load %1 N m (%2 %)").arg(number(motor.activeLoad), number(share(motor.activeLoad)));
    if (motor.viscousFriction != 0.0)
        further += tr(", viscous friction %1 N m s/rad").arg(number(motor.viscousFriction));
    if (motor.loadInertia != 0.0)
        further += tr(", load inertia %1 kg m^2").arg(number(motor.loadInertia));
    say(tr("Load coupled for the motion test: %1 N m, %2 % of the holding torque%3.")
            .arg(number(motor.loadTorque), number(share(motor.loadTorque)), further));
    return true;
}

// A move that ends more than a full step off, or that the drive stopped on its deviation
// limit (212), is an overload: never passed over in silence.
bool GuidedRun::checkMoveEnd(const QString& loop, double microsteps)
{
    const int fullStep = 1 << qBound(0, m_module->getAxisParameter(140, 0), 8);
    const bool stopped = m_module->getAxisParameter(207, 0) == 1;
    const QString fault = driveFault();
    if (!stopped && std::abs(microsteps) <= fullStep)
        return true;
    const QString name = loop.isEmpty() ? QStringLiteral("closed loop") : loop;
    const QString what = stopped ? tr("the drive stopped the move on its deviation limit (parameter 212) with a deviation of %1 microsteps")
                                 : tr("the move ended %1 microsteps off, more than one full step (%2 microsteps)");
    const QString message
        = fault.isEmpty() ? tr("motion test, %1: %2: the motor is overloaded or lost steps")
                                .arg(loopName(name), stopped ? what.arg(microsteps, 0, 'f', 0) : what.arg(microsteps, 0, 'f', 0).arg(fullStep))
                          : tr("motion test, %1: the drive stopped on a fault: %2").arg(loopName(name), fault);
    say(QStringLiteral("        ") + message + QLatin1Char('.'));
    return fail(message);
}

// Axis 0, as the run commissions it. In whole encoder counts, as the encoder tells them: the
// fraction of a count it cannot see is no deviation (at 4000 counts a count is 12.8 of 51200
// microsteps). Both positions are read from the module as a user would, and the deviation is
// computed from them and the start's alone.
GuidedRun::Deviation GuidedRun::deviation() const
{
    Deviation result;
    m_module->synchronise();
    const SimulatedAxis* axis = m_module->drive()->axis(0);
    const int resolution = axis->matchingEncoderResolution();
    bool actual = false;
    bool encoder = false;
    result.startActualPosition = m_start.actualPosition;
    result.startEncoderPosition = m_start.encoderPosition;
    result.actualPosition = m_module->getAxisParameter(1, 0, &actual);
    result.encoderPosition = m_module->getAxisParameter(209, 0, &encoder);
    const double perRevolution = axis->microstepsPerRevolution();
    // The encoder counts like a 32-bit counter: its travel is the wrapped difference.
    const qint32 counted = qint32(quint32(result.encoderPosition) - quint32(result.startEncoderPosition));
    const double travel = double(result.actualPosition) - double(result.startActualPosition);
    if (resolution != 0 && perRevolution > 0) {
        result.counts = SaturatingRound::toInt(travel * resolution / perRevolution - double(counted));
        result.microsteps = SaturatingRound::toInt(double(result.counts) * perRevolution / resolution);
    }
    result.valid = actual && encoder && resolution != 0 && m_start.valid;
    return result;
}

void GuidedRun::markStart()
{
    m_start = Deviation();
    bool actual = false;
    bool encoder = false;
    m_module->synchronise();
    m_start.actualPosition = m_module->getAxisParameter(1, 0, &actual);
    m_start.encoderPosition = m_module->getAxisParameter(209, 0, &encoder);
    m_start.valid = actual && encoder;
}

QString GuidedRun::driveFault() const
{
    const SimulatedAxis* axis = m_module->drive()->axis(0);
    return axis ? QCoreApplication::translate("SimulatedAxis", SimulatedAxis::faultText(axis->fault())) : QString();
}

QString GuidedRun::reportDeviation(Move move)
{
    move.deviation = deviation();
    m_moves.append(move);
    say(tr("        deviation of actual and encoder position: %1 microsteps (%2 encoder counts).")
            .arg(move.deviation.microsteps)
            .arg(move.deviation.counts));
    return tr("%1 microsteps").arg(move.deviation.microsteps);
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

// On a copy of the axis with the load coupled, from the defined state: the live axis is not
// moved in open loop, and the comparison does not depend on what it did before.
bool GuidedRun::compareLoops()
{
    auto* distance = control<SpinBox>(StartUp, StartUpPage, "sbTargetPosition");
    if (!distance)
        return fail(tr("the start-up page lacks the motion test"));
    m_module->synchronise();
    LoopComparison comparison(BenchRig(*m_module->drive(), 0), distance->intValue());
    say(tr("Open against closed loop, on a copy of axis 0 from the defined state, %1 runs each: relative move by %2.")
            .arg(comparison.repetitions())
            .arg(comparison.distance()));
    if (!comparison.run())
        return fail(tr("open against closed loop: %1").arg(comparison.errorString()));
    m_loopComparison = comparison.toJson();
    say(tr("        deviation after the move: %1. %2").arg(comparison.deviations(), comparison.verdict()));
    return true;
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
        return fail(tr("the start-up page lacks the motion test"));

    auto moving = [velocity] { return velocity->intValue() != 0; };
    auto standing = [velocity] { return velocity->intValue() == 0; };

    const QString title = loop.isEmpty() ? tr("Motion test") : tr("Motion test, %1").arg(loopName(loop));
    say(tr("%1: relative move by %2.").arg(title).arg(distance->intValue()));
    markStart();
    if (!click(start, QStringLiteral("Start")) || !waitFor(moving, tr("the motor to move")))
        return false;
    if (!waitFor([reached] { return reached->labelSignal()->isEnabled(); }, tr("the position to be reached")))
        return false;
    say(tr("        position reached."));
    settleRotor();
    Move move;
    move.loop = loop.isEmpty() ? QStringLiteral("closed loop") : loop;
    move.kind = QStringLiteral("relative move");
    move.distance = distance->intValue();
    reportDeviation(move);
    if (!checkMoveEnd(loop, m_moves.constLast().deviation.microsteps))
        return false;

    say(tr("%1: another move, stopped on the way.").arg(title));
    markStart();
    if (!click(start, QStringLiteral("Start")) || !waitFor(moving, tr("the motor to move")))
        return false;
    if (!click(stop, QStringLiteral("Stop")) || !waitFor(standing, tr("the motor to stop")))
        return false;
    say(tr("        stopped."));
    settleRotor();
    move.kind = QStringLiteral("stopped on the way");
    reportDeviation(move);
    if (!checkMoveEnd(loop, m_moves.constLast().deviation.microsteps))
        return false;
    screenshot(StartUp, QStringLiteral("7-motion-test"));
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
        return fail(tr("there is no \"%1\" button").arg(what));
    if (!button->isEnabled() || !button->isVisible())
        return fail(tr("\"%1\" cannot be clicked").arg(what));
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
        return fail(tr("expected the question \"%1\", got \"%2\"").arg(expected, m_lastQuestion));
    return true;
}

bool GuidedRun::waitFor(const std::function<bool()>& condition, const QString& what)
{
    // A fault left from before (the open loop's, in the comparison) may be cleared by what
    // comes; it counts once it has lasted FaultGraceMilliseconds.
    const QString earlier = driveFault();
    for (int waited = 0; waited <= m_stepTimeout; waited += StepMilliseconds) {
        if (condition())
            return true;
        const QString fault = driveFault();
        if (m_faultFails && !fault.isEmpty() && (fault != earlier || waited >= FaultGraceMilliseconds))
            return fail(tr("the drive stopped on a fault: %1 (while waiting for %2)").arg(fault, what));
        settle(StepMilliseconds);
    }
    return fail(tr("gave up waiting for %1 after %2 s").arg(what).arg(m_stepTimeout / 1000.0));
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
            say(tr("        picture: %1").arg(file));
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
