// The start-up tool of the real plug-in on the simulated module, driven through its widgets:
// motion test, monitor, axis selection, closed-loop activation and a lost connection.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <cmath>
#include <memory>

#include "guidedrunfixture.h"
#include "labelled.h"
#include "labelsignal.h"
#include "progressindicator.h"
#include "rerezorinterface.h"
#include "spinbox.h"
#include "toolwindow.h"
#include "tracepoller.h"

using Values = QList<QPair<int, int>>;

namespace {

const int StartUp = GuidedRunFixture::StartUp;

// Axis parameters as the module numbers them.
const int TargetPosition = 0;
const int ActualPosition = 1;
const int TargetVelocity = 2;
const int MeasuredVelocity = 3;
const int MaxVelocity = 4;
const int MaxAcceleration = 5;
const int PositionReached = 8;
const int RampType = 14;
const int MaxDeceleration = 17;
const int ClosedLoopOn = 129;
const int ClosedLoopReady = 133;
const int EncoderPosition = 209;

// The simulated drive's defaults.
const int DefaultVelocity = 51200;
const int DefaultAcceleration = 51200;
const int MicrostepsPerRevolution = 256 * 200;
const int EncoderCounts = 4000;

const int MonitoredTraces = 5; // three values, two LEDs

} // namespace

class TestGuidedRunStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void monitorFollowsMove_data();
    void monitorFollowsMove();
    void startMovesByRelativeDistance_data();
    void startMovesByRelativeDistance();
    void stopRampsDownBeforeTarget_data();
    void stopRampsDownBeforeTarget();
    void typedMotionValueReachesModule_data();
    void typedMotionValueReachesModule();
    void rampTypeReachesModule_data();
    void rampTypeReachesModule();
    void newSpeedLimitsTheMove();
    void axisSelectionMovesMonitor_data();
    void axisSelectionMovesMonitor();
    void closedLoopActivation_data();
    void closedLoopActivation();
    void disconnectedModuleLeavesControlsAlone_data();
    void disconnectedModuleLeavesControlsAlone();

private:
    int drive(int type, int motor = 0);
    SpinBox* box(const char* name) const { return m_run->child<SpinBox>(StartUp, name); }
    LabelLed* led(const char* name) const { return m_run->child<LabelLed>(StartUp, name); }
    QPushButton* button(const char* name) const { return m_run->child<QPushButton>(StartUp, name); }
    QComboBox* combo(const char* name) const { return m_run->child<QComboBox>(StartUp, name); }
    bool isLit(const char* name) const { return led(name)->labelSignal()->isEnabled(); }
    // Lets the motor of the given axis come to rest, polling every step.
    bool runUntilStill(int motor = 0, int step = 100, int limit = 20000);
    void setDistance(int distance);

    std::unique_ptr<GuidedRunFixture> m_run;
};

int TestGuidedRunStartup::drive(int type, int motor)
{
    bool ok = false;
    const int value = m_run->module().getAxisParameter(quint8(type), quint8(motor), &ok);
    if (!ok)
        qWarning("reading parameter %d of motor %d failed", type, motor);
    return value;
}

bool TestGuidedRunStartup::runUntilStill(int motor, int step, int limit)
{
    for (int elapsed = 0; elapsed < limit; elapsed += step) {
        m_run->settle(step);
        SimulatedAxis* axis = m_run->module().drive()->axis(motor);
        if (axis && !axis->isMoving())
            return true;
    }
    return false;
}

void TestGuidedRunStartup::setDistance(int distance)
{
    GuidedRunFixture::typeInto(box("sbTargetPosition"), QString::number(std::abs(distance)));
    if (distance < 0)
        QTest::mouseClick(button("btnChangeSign"), Qt::LeftButton);
}

void TestGuidedRunStartup::init()
{
    m_run.reset(new GuidedRunFixture);
    QString error;
    QVERIFY2(m_run->start(QStringLiteral(GV7_PLUGIN_PATH), &error), qPrintable(error));
}

void TestGuidedRunStartup::cleanup()
{
    if (m_run)
        QVERIFY2(m_run->unexpectedQuestions().isEmpty(), qPrintable(m_run->unexpectedQuestions().join('|')));
    m_run.reset();
}

void TestGuidedRunStartup::monitorFollowsMove_data()
{
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("step");

    QTest::newRow("default distance forward, 100 ms polls") << 51000 << 100;
    QTest::newRow("half a revolution backward, 30 ms polls") << -25600 << 30;
    QTest::newRow("long move with cruise, 250 ms polls") << 160000 << 250;
}

void TestGuidedRunStartup::monitorFollowsMove()
{
    QFETCH(int, distance);
    QFETCH(int, step);

    m_run->open(StartUp);
    QCOMPARE(m_run->poller()->activeTraces(), MonitoredTraces);
    m_run->settle();
    QVERIFY(isLit("ledPositionReached"));
    const int startCount = box("spEncoderPosition")->intValue();
    QCOMPARE(startCount, drive(EncoderPosition));

    setDistance(distance);
    QTest::mouseClick(button("btnStart"), Qt::LeftButton);

    int samples = 0;
    int peak = 0;
    bool darkWhileMoving = false;
    while (m_run->module().drive()->axis(0)->isMoving()) {
        QVERIFY2(samples < 1000, "the move does not end");
        m_run->settle(step);
        ++samples;
        QCOMPARE(box("spTargetVelocity")->intValue(), drive(TargetVelocity));
        QCOMPARE(box("spMeasuredVelocity")->intValue(), drive(MeasuredVelocity));
        QCOMPARE(box("spEncoderPosition")->intValue(), drive(EncoderPosition));
        QCOMPARE(isLit("ledPositionReached"), drive(PositionReached) != 0);
        if (m_run->module().drive()->axis(0)->isMoving()) {
            darkWhileMoving = darkWhileMoving || !isLit("ledPositionReached");
            // The monitor runs in the direction of the move.
            QVERIFY(qint64(box("spTargetVelocity")->intValue()) * distance >= 0);
            peak = qMax(peak, std::abs(box("spTargetVelocity")->intValue()));
        }
    }
    QVERIFY(samples > 3);
    QVERIFY(darkWhileMoving);
    QVERIFY(peak > DefaultVelocity / 4);
    QVERIFY(peak <= DefaultVelocity);

    // At rest: no velocity, the encoder has turned with the shaft and the LED is lit.
    QCOMPARE(box("spTargetVelocity")->intValue(), 0);
    QCOMPARE(box("spMeasuredVelocity")->intValue(), 0);
    const int expectedCounts = int(std::lround(double(distance) * EncoderCounts / MicrostepsPerRevolution));
    QCOMPARE(box("spEncoderPosition")->intValue(), startCount + expectedCounts);
    QVERIFY(isLit("ledPositionReached"));
}

void TestGuidedRunStartup::startMovesByRelativeDistance_data()
{
    QTest::addColumn<int>("distance"); // 0: the distance the page proposes
    QTest::addColumn<int>("moves");
    QTest::addColumn<int>("expectedTravel");

    QTest::newRow("proposed distance") << 0 << 1 << 51000;
    QTest::newRow("typed short distance") << 1000 << 1 << 1000;
    QTest::newRow("sign changed") << -25600 << 1 << -25600;
    QTest::newRow("two starts add up") << 3000 << 2 << 6000;
}

void TestGuidedRunStartup::startMovesByRelativeDistance()
{
    QFETCH(int, distance);
    QFETCH(int, moves);
    QFETCH(int, expectedTravel);

    // Start somewhere else than at zero, so that absolute and relative moves differ.
    m_run->module().setAxisParameter(ActualPosition, 0, 7777);
    m_run->open(StartUp);
    const int start = drive(ActualPosition);
    QCOMPARE(start, 7777);
    if (distance != 0)
        setDistance(distance);

    for (int i = 0; i < moves; ++i) {
        QTest::mouseClick(button("btnStart"), Qt::LeftButton);
        QVERIFY(m_run->module().drive()->axis(0)->isMoving());
        QVERIFY(runUntilStill());
    }
    QCOMPARE(drive(ActualPosition), start + expectedTravel);
    QCOMPARE(drive(TargetPosition), start + expectedTravel);
    QCOMPARE(drive(PositionReached), 1);
    // Only the current axis moved.
    QCOMPARE(drive(ActualPosition, 1), 0);
    QCOMPARE(drive(ActualPosition, 2), 0);
}

void TestGuidedRunStartup::stopRampsDownBeforeTarget_data()
{
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("stopAfter");

    QTest::newRow("while accelerating") << 51000 << 500;
    QTest::newRow("while cruising") << 200000 << 1500;
}

void TestGuidedRunStartup::stopRampsDownBeforeTarget()
{
    QFETCH(int, distance);
    QFETCH(int, stopAfter);

    m_run->open(StartUp);
    setDistance(distance);
    const int start = drive(ActualPosition);
    QTest::mouseClick(button("btnStart"), Qt::LeftButton);
    for (int elapsed = 0; elapsed < stopAfter; elapsed += 100)
        m_run->settle(100);
    const int position = drive(ActualPosition);
    const int velocity = drive(TargetVelocity);
    QVERIFY(velocity > 0);

    QTest::mouseClick(button("btnStop"), Qt::LeftButton);
    QVERIFY(m_run->module().drive()->axis(0)->isMoving()); // it ramps down, it does not halt
    QVERIFY(runUntilStill());

    const int end = drive(ActualPosition);
    const double braking = double(velocity) * velocity / (2.0 * DefaultAcceleration);
    QVERIFY2(std::abs(end - (position + braking)) <= 2,
             qPrintable(QStringLiteral("stopped at %1, expected about %2").arg(end).arg(position + braking)));
    QVERIFY(end < start + distance);
    QCOMPARE(drive(TargetPosition), start + distance);
    QCOMPARE(drive(PositionReached), 0);
    QCOMPARE(box("spTargetVelocity")->intValue(), 0);
    QVERIFY(!isLit("ledPositionReached"));
}

void TestGuidedRunStartup::typedMotionValueReachesModule_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<Values>("expected");

    QTest::newRow("max. positioning speed")
        << "sbMaximumPositionSpeed" << "30000" << MaxVelocity
        << Values{{MaxVelocity, 30000}, {MaxAcceleration, DefaultAcceleration}, {MaxDeceleration, 51200}};
    QTest::newRow("acceleration, also as deceleration")
        << "sbMaximumAcceleration" << "20000" << MaxAcceleration
        << Values{{MaxAcceleration, 20000}, {MaxDeceleration, 20000}, {MaxVelocity, DefaultVelocity}};
}

void TestGuidedRunStartup::typedMotionValueReachesModule()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, parameter);
    QFETCH(Values, expected);

    m_run->open(StartUp);
    auto* spin = m_run->child<SpinBox>(StartUp, qPrintable(control));
    QVERIFY(spin);
    const int before = drive(parameter);
    QCOMPARE(spin->intValue(), before);

    spin->selectAll();
    QTest::keyClicks(spin, text);
    GuidedRunFixture::processEvents();
    // Nothing is written while the user is still typing.
    QCOMPARE(drive(parameter), before);
    QTest::keyClick(spin, Qt::Key_Return);
    GuidedRunFixture::processEvents();

    for (const auto& value : expected)
        QCOMPARE(drive(value.first), value.second);
    // The other axes keep their values.
    QCOMPARE(drive(parameter, 1), before);
    QCOMPARE(drive(parameter, 2), before);
}

void TestGuidedRunStartup::rampTypeReachesModule_data()
{
    QTest::addColumn<QList<int>>("indices");
    QTest::addColumn<Values>("expected");

    const int bowDefault = 51200;
    QTest::newRow("S-shape") << QList<int>{1}
                             << Values{{RampType, 1}, {22, 51000}, {23, 51000}, {24, 51000}, {25, 51000}};
    QTest::newRow("S-shape, then trapezoid again")
        << QList<int>{1, 0} << Values{{RampType, 0}, {22, 51000}, {23, 51000}, {24, 51000}, {25, 51000}};
    QTest::newRow("untouched") << QList<int>{}
                               << Values{{RampType, 0}, {22, bowDefault}, {23, bowDefault}, {24, bowDefault},
                                         {25, bowDefault}};
}

void TestGuidedRunStartup::rampTypeReachesModule()
{
    QFETCH(QList<int>, indices);
    QFETCH(Values, expected);

    m_run->open(StartUp);
    QComboBox* ramp = combo("cmbRampType");
    for (int index : indices) {
        ramp->setCurrentIndex(index);
        GuidedRunFixture::processEvents();
    }
    for (const auto& parameter : expected)
        QCOMPARE(drive(parameter.first), parameter.second);
    QCOMPARE(drive(RampType, 1), 0);

    // Shown again, the page reads the ramp type back and keeps it.
    m_run->window(StartUp)->hide();
    m_run->open(StartUp);
    QCOMPARE(ramp->currentIndex(), indices.isEmpty() ? 0 : indices.last());
}

void TestGuidedRunStartup::newSpeedLimitsTheMove()
{
    m_run->open(StartUp);
    GuidedRunFixture::typeInto(box("sbMaximumPositionSpeed"), QStringLiteral("12800"));
    QTest::mouseClick(button("btnStart"), Qt::LeftButton);
    // 12800 pps are reached after a quarter of a second; the move lasts about four seconds.
    for (int elapsed = 0; elapsed < 2000; elapsed += 100)
        m_run->settle(100);
    QCOMPARE(box("spTargetVelocity")->intValue(), 12800);
    QVERIFY(runUntilStill());
    QCOMPARE(drive(ActualPosition), 51000);
}

void TestGuidedRunStartup::axisSelectionMovesMonitor_data()
{
    QTest::addColumn<int>("axis");

    QTest::newRow("axis 1") << 1;
    QTest::newRow("axis 2") << 2;
}

void TestGuidedRunStartup::axisSelectionMovesMonitor()
{
    QFETCH(int, axis);

    TracePoller* poller = m_run->poller();
    QObject* startUpTool = m_run->tool(StartUp);
    // The new axis has its own motion settings, which the page shows after the switch.
    m_run->module().setAxisParameter(MaxVelocity, quint8(axis), 25600);

    m_run->open(StartUp);
    m_run->settle();
    QCOMPARE(poller->activeTraces(), MonitoredTraces);
    QCOMPARE(m_run->addedTraceBanks(), QList<int>() << 0 << 0 << 0 << 0 << 0);
    QCOMPARE(box("sbMaximumPositionSpeed")->intValue(), DefaultVelocity);
    const int deletedBefore = poller->tracesDeleted();
    m_run->clearAddedTraces();

    combo("cmbAxisNumber")->setCurrentIndex(axis);
    GuidedRunFixture::processEvents();

    QStatusBar* status = m_run->statusBar(StartUp);
    QVERIFY(status);
    QCOMPARE(status->currentMessage(), QStringLiteral("Changed: Motor / Encoder %1").arg(axis));
    QCOMPARE(m_run->dataExchange()->property("currentAxis").toInt(), axis);
    // The old axis's traces are handed back, a full set for the new axis takes their place.
    QCOMPARE(poller->tracesDeleted() - deletedBefore, MonitoredTraces);
    QCOMPARE(poller->activeTraces(), MonitoredTraces);
    QCOMPARE(poller->activeTraces(startUpTool), MonitoredTraces);
    QCOMPARE(m_run->addedTraceBanks(), QVector<int>(MonitoredTraces, axis).toList());
    QCOMPARE(box("sbMaximumPositionSpeed")->intValue(), 25600);

    // Start now moves the selected axis, and the monitor follows it.
    QTest::mouseClick(button("btnStart"), Qt::LeftButton);
    QCOMPARE(drive(ActualPosition, 0), 0);
    m_run->settle(500);
    QVERIFY(drive(TargetVelocity, axis) > 0);
    QCOMPARE(drive(TargetVelocity, 0), 0);
    QCOMPARE(box("spTargetVelocity")->intValue(), drive(TargetVelocity, axis));
    QCOMPARE(box("spEncoderPosition")->intValue(), drive(EncoderPosition, axis));
    QVERIFY(!isLit("ledPositionReached"));
    QVERIFY(runUntilStill(axis));
    QCOMPARE(drive(ActualPosition, axis), 51000);
    const int encoderAtRest = box("spEncoderPosition")->intValue();
    QVERIFY(encoderAtRest != 0);

    // Axis 0 moving leaves the monitor alone.
    m_run->module().setAxisParameter(TargetPosition, 0, 40000);
    m_run->settle(500);
    QVERIFY(drive(TargetVelocity, 0) > 0);
    QCOMPARE(box("spTargetVelocity")->intValue(), 0);
    QCOMPARE(box("spMeasuredVelocity")->intValue(), 0);
    QCOMPARE(box("spEncoderPosition")->intValue(), encoderAtRest);
    QVERIFY(isLit("ledPositionReached"));
}

void TestGuidedRunStartup::closedLoopActivation_data()
{
    QTest::addColumn<int>("trueResolution");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<bool>("becomesReady");

    QTest::newRow("encoder as set") << 4000 << false << true;
    QTest::newRow("finer encoder than set") << 8192 << false << false;
    QTest::newRow("encoder counting backwards") << 4000 << true << false;
}

void TestGuidedRunStartup::closedLoopActivation()
{
    QFETCH(int, trueResolution);
    QFETCH(bool, reversed);
    QFETCH(bool, becomesReady);

    m_run->module().setTrueEncoderResolution(trueResolution);
    m_run->module().setEncoderReversed(reversed);
    m_run->open(StartUp);
    m_run->settle();

    auto* encoderGroup = m_run->child<QGroupBox>(StartUp, "gbEncoder");
    auto* closedLoopGroup = m_run->child<QGroupBox>(StartUp, "gbClosedLoop");
    auto* activate = m_run->child<QCheckBox>(StartUp, "cbActivateClosedLoop");
    auto* busy = m_run->child<ProgressIndicator>(StartUp, "progressIndicator");
    QVERIFY(encoderGroup && closedLoopGroup && activate && busy);

    // The closed-loop group waits for the encoder group, the check box for the closed-loop group.
    GuidedRunFixture::clickGroupBoxCheck(closedLoopGroup);
    activate->click();
    QVERIFY(!closedLoopGroup->isChecked());
    QVERIFY(!activate->isChecked());
    QCOMPARE(drive(ClosedLoopOn), 0);
    GuidedRunFixture::clickGroupBoxCheck(encoderGroup);
    QVERIFY(encoderGroup->isChecked());
    QVERIFY(closedLoopGroup->isEnabled());
    GuidedRunFixture::clickGroupBoxCheck(closedLoopGroup);
    QVERIFY(closedLoopGroup->isChecked());
    QVERIFY(activate->isEnabled());
    QVERIFY(!busy->isAnimated());

    activate->click();
    GuidedRunFixture::processEvents();
    QVERIFY(activate->isChecked());
    QCOMPARE(drive(ClosedLoopOn), 1);
    QVERIFY(busy->isAnimated());

    // The initialisation takes one second of the module's time.
    for (int elapsed = 100; elapsed < 1000; elapsed += 100) {
        m_run->settle(100);
        QVERIFY2(busy->isAnimated(), qPrintable(QStringLiteral("stopped after %1 ms").arg(elapsed)));
        QVERIFY(!isLit("ledClInitFlag"));
    }
    m_run->settle(200);
    QCOMPARE(isLit("ledClInitFlag"), becomesReady);
    QCOMPARE(busy->isAnimated(), !becomesReady);
    QCOMPARE(drive(ClosedLoopReady), becomesReady ? 1 : 0);

    // Waiting longer changes nothing.
    m_run->settle(3000);
    QCOMPARE(isLit("ledClInitFlag"), becomesReady);
    QCOMPARE(busy->isAnimated(), !becomesReady);

    // Unticking switches the loop off and the indicator with it.
    activate->click();
    GuidedRunFixture::processEvents();
    QCOMPARE(drive(ClosedLoopOn), 0);
    QVERIFY(!busy->isAnimated());
    m_run->settle();
    QVERIFY(!isLit("ledClInitFlag"));
}

void TestGuidedRunStartup::disconnectedModuleLeavesControlsAlone_data()
{
    QTest::addColumn<QStringList>("actions");

    QTest::newRow("hide and show") << QStringList{"hide", "show"};
    QTest::newRow("start") << QStringList{"start"};
    QTest::newRow("stop") << QStringList{"stop"};
    QTest::newRow("ramp type") << QStringList{"ramp"};
    QTest::newRow("axis") << QStringList{"axis"};
    QTest::newRow("all of them") << QStringList{"hide", "show", "start", "stop", "ramp", "axis", "hide",
                                                "show"};
}

void TestGuidedRunStartup::disconnectedModuleLeavesControlsAlone()
{
    QFETCH(QStringList, actions);

    SimulatedModule& module = m_run->module();
    module.setAxisParameter(MaxVelocity, 0, 30000);
    module.setAxisParameter(MaxAcceleration, 0, 40000);
    m_run->open(StartUp);
    // Give the monitor something to show.
    QTest::mouseClick(button("btnStart"), Qt::LeftButton);
    QVERIFY(runUntilStill());

    const QList<SpinBox*> boxes = m_run->page(StartUp)->findChildren<SpinBox*>();
    QCOMPARE(boxes.size(), 6);
    QList<double> before;
    for (SpinBox* spin : boxes)
        before << spin->value();
    QVERIFY(before.contains(30000.0));
    QVERIFY(before.contains(40000.0));
    QVERIFY(box("spEncoderPosition")->intValue() != 0);
    const bool reachedBefore = isLit("ledPositionReached");
    const int positionBefore = drive(ActualPosition);

    module.setDeviceOpen(false);
    for (const QString& action : actions) {
        if (action == QLatin1String("hide")) {
            m_run->window(StartUp)->hide();
            GuidedRunFixture::processEvents();
        } else if (action == QLatin1String("show")) {
            m_run->open(StartUp);
        } else if (action == QLatin1String("start")) {
            QTest::mouseClick(button("btnStart"), Qt::LeftButton);
        } else if (action == QLatin1String("stop")) {
            QTest::mouseClick(button("btnStop"), Qt::LeftButton);
        } else if (action == QLatin1String("ramp")) {
            combo("cmbRampType")->setCurrentIndex(1);
        } else if (action == QLatin1String("axis")) {
            combo("cmbAxisNumber")->setCurrentIndex(1);
        }
        m_run->settle(300);
    }

    QVERIFY2(m_run->questions().isEmpty(), qPrintable(m_run->questions().join('|')));
    for (int i = 0; i < boxes.size(); ++i)
        QVERIFY2(boxes.at(i)->value() == before.at(i), qPrintable(boxes.at(i)->objectName()));
    QCOMPARE(isLit("ledPositionReached"), reachedBefore);

    // Nothing reached the module.
    module.setDeviceOpen(true);
    QVERIFY(!module.drive()->axis(0)->isMoving());
    QCOMPARE(drive(ActualPosition), positionBefore);
    QCOMPARE(drive(RampType), 0);
    QCOMPARE(drive(22), 51200);
    QCOMPARE(drive(MaxVelocity), 30000);
    QCOMPARE(drive(MaxVelocity, 1), DefaultVelocity);
    QCOMPARE(drive(ActualPosition, 1), 0);
}

QTEST_MAIN(TestGuidedRunStartup)
#include "tst_guidedrun_startup.moc"
