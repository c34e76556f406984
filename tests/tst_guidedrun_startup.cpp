// The start-up page of the real plug-in on the simulated module, driven through its widgets.

#include <QtTest>
#include <QtWidgets>

#include <cmath>

#include "guidedrunfixture.h"
#include "labelled.h"
#include "labelsignal.h"
#include "progressindicator.h"
#include "spinbox.h"
#include "tracepoller.h"

using F = GuidedRunFixture;

// Axis parameters as the module numbers them.
enum { TargetPosition = 0, ActualPosition = 1, TargetVelocity = 2, MeasuredVelocity = 3, MaxVelocity = 4,
       MaxAcceleration = 5, PositionReached = 8, RampType = 14, MaxDeceleration = 17, ClosedLoopOn = 129,
       EncoderPosition = 209 };
const int Default = 51200; // the simulated drive's speed, acceleration and bow

class TestGuidedRunStartup : public QObject
{
    Q_OBJECT
    QScopedPointer<F> m_run;

    template <class T = SpinBox> T* get(const char* name) const { return m_run->child<T>(F::StartUp, name); }
    int shown(const char* name) const { return get(name)->intValue(); }
    bool lit(const char* name) const { return get<LabelLed>(name)->labelSignal()->isEnabled(); }
    void press(const char* name) { F::click(get<QAbstractButton>(name)); }
    int drive(int type, int motor = 0) { return m_run->drive(type, motor); }
    bool moving(int motor = 0) { return m_run->module().drive()->axis(motor)->isMoving(); }
    // What the monitor shows, and what the module holds for it.
    QList<int> monitor() const { return {shown("spTargetVelocity"), shown("spMeasuredVelocity"),
                                         shown("spEncoderPosition"), lit("ledPositionReached")}; }
    QList<int> live(int m) { return {drive(TargetVelocity, m), drive(MeasuredVelocity, m), drive(EncoderPosition, m),
                                     drive(PositionReached, m)}; }

private slots:
    void init()
    {
        m_run.reset(new F);
        QString error;
        QVERIFY2(m_run->start(GV7_PLUGIN_PATH, &error), qPrintable(error));
        m_run->open(F::StartUp);
        m_run->settle();
    }
    void cleanup() { QCOMPARE(m_run->unexpectedQuestions(), QStringList()); m_run.reset(); }

    void motionTest_data()
    {
        QTest::addColumn<int>("distance"); // 0: the one the page proposes, 51000
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("stopAfter"); // 0: not stopped
        QTest::newRow("proposed distance, 100 ms polls") << 0 << 100 << 0;
        QTest::newRow("half a revolution backward, 30 ms polls") << -25600 << 30 << 0;
        QTest::newRow("stopped while accelerating") << 200000 << 100 << 500;
        QTest::newRow("stopped while cruising, 250 ms polls") << 200000 << 250 << 1500;
    }
    void motionTest()
    {
        QFETCH(int, distance);
        QFETCH(int, step);
        QFETCH(int, stopAfter);
        const int travel = distance ? distance : 51000;
        m_run->module().setAxisParameter(ActualPosition, 0, 7777); // where absolute and relative moves differ
        const int counts = shown("spEncoderPosition");
        if (distance != 0)
            F::typeInto(get("sbTargetPosition"), QString::number(std::abs(distance)));
        if (distance < 0)
            press("btnChangeSign");
        press("btnStart");
        int elapsed = 0, end = 7777 + travel;
        for (; moving() && elapsed < 100000; elapsed += step) {
            if (stopAfter && elapsed == stopAfter) { // the motor ramps down, it does not halt
                end = drive(ActualPosition) + int(std::lround(std::pow(drive(TargetVelocity), 2) / (2.0 * Default)));
                press("btnStop");
            }
            m_run->settle(step);
            QCOMPARE(monitor(), live(0));
        }
        QVERIFY(elapsed > 3 * step && std::abs(drive(ActualPosition) - end) <= (stopAfter ? 2 : 0));
        QCOMPARE(drive(TargetPosition), 7777 + travel);
        QCOMPARE(lit("ledPositionReached"), stopAfter == 0);
        // The encoder turns 4000 counts to 256 * 200 microsteps: one count in 12.8.
        QCOMPARE(shown("spEncoderPosition"), counts + int(std::lround((drive(ActualPosition) - 7777) / 12.8)));
    }

    void settingsReachModule()
    {
        auto held = [this]() { return QList<int>{drive(MaxVelocity), drive(MaxAcceleration), drive(MaxDeceleration),
                                                 drive(RampType), drive(22), drive(25)}; };
        F::typeInto(get("sbMaximumPositionSpeed"), "30000");
        QCOMPARE(held(), (QList<int>{30000, Default, Default, 0, Default, Default}));
        F::typeInto(get("sbMaximumAcceleration"), "20000"); // also the deceleration
        QCOMPARE(held(), (QList<int>{30000, 20000, 20000, 0, Default, Default}));
        get<QComboBox>("cmbRampType")->setCurrentIndex(1); // S-shaped, with its bows
        QCOMPARE(held(), (QList<int>{30000, 20000, 20000, 1, 51000, 51000}));
        get<QComboBox>("cmbRampType")->setCurrentIndex(0);
        QCOMPARE(drive(RampType), 0);
    }

    void axisSelectionMovesMonitor()
    {
        TracePoller* poller = m_run->host().poller();
        const int traces = poller->activeTraces(), deleted = poller->tracesDeleted();
        get<QComboBox>("cmbAxisNumber")->setCurrentIndex(1);
        QCOMPARE(m_run->host().windowOf(F::StartUp)->findChild<QStatusBar*>()->currentMessage(),
                 QString("Changed: Motor / Encoder 1"));
        // The old traces are handed back, a full set takes their place.
        QVERIFY(traces >= 5 && poller->tracesDeleted() - deleted == traces && poller->activeTraces() == traces);
        press("btnStart");
        m_run->settle(500);
        QVERIFY(!moving(0) && shown("spTargetVelocity") > 0);
        QCOMPARE(monitor(), live(1));
        m_run->settle(5000);
        const QList<int> atRest = monitor();
        QVERIFY(!moving(1) && atRest.at(2) != 0 && atRest.at(3));
        m_run->module().setAxisParameter(TargetPosition, 0, 40000); // axis 0 moving leaves the monitor alone
        m_run->settle(500);
        QVERIFY(moving(0));
        QCOMPARE(monitor(), atRest);
    }

    void closedLoopActivation_data()
    {
        QTest::addColumn<int>("resolution"); // the encoder's own, negative when it counts backwards; 4000 is set
        QTest::newRow("encoder as set") << 4000;
        QTest::newRow("finer encoder than set") << 8192;
        QTest::newRow("encoder counting backwards") << -4000;
    }
    void closedLoopActivation()
    {
        QFETCH(int, resolution);
        m_run->module().setTrueEncoderResolution(std::abs(resolution));
        m_run->module().setEncoderReversed(resolution < 0);
        QTest::keyClick(get<QGroupBox>("gbEncoder"), Qt::Key_Space);
        QTest::keyClick(get<QGroupBox>("gbClosedLoop"), Qt::Key_Space); // which enables the check box
        press("cbActivateClosedLoop");
        QCOMPARE(drive(ClosedLoopOn), 1);
        for (int elapsed = 0; elapsed <= 4000; elapsed += 100) { // the initialisation takes a second
            const bool ready = elapsed >= 1000 && resolution == 4000;
            QCOMPARE(lit("ledClInitFlag"), ready);
            QCOMPARE(get<ProgressIndicator>("progressIndicator")->isAnimated(), !ready);
            m_run->settle(100);
        }
    }

    void disconnectLeavesControlsAlone()
    {
        auto controls = [this]() { return monitor() << shown("sbMaximumPositionSpeed") << shown("sbTargetPosition"); };
        press("btnStart"); // gives the monitor something to show
        m_run->settle(5000);
        const QList<int> before = controls();
        QVERIFY(before.at(2) != 0);
        m_run->module().setDeviceOpen(false);
        m_run->host().windowOf(F::StartUp)->hide();
        m_run->open(F::StartUp);
        press("btnStart");
        press("btnStop");
        get<QComboBox>("cmbRampType")->setCurrentIndex(1);
        get<QComboBox>("cmbAxisNumber")->setCurrentIndex(1);
        m_run->settle(300);
        QCOMPARE(m_run->questions(), QStringList());
        QCOMPARE(controls(), before);
        m_run->module().setDeviceOpen(true);
        QVERIFY(!moving(0) && !moving(1) && drive(RampType) == 0);
    }
};

QTEST_MAIN(TestGuidedRunStartup)
#include "tst_guidedrun_startup.moc"
