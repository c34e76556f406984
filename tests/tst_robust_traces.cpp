// Ownership of the polling requests over a long run of showing, hiding and axis changes of the
// real Start Up tool, and when the tool goes while the host still polls its requests: every
// request is deleted exactly once, by the host when handed back, by the tool when it goes.

#include <QComboBox>
#include <QPointer>
#include <QtTest>

#include "rerezorinterface.h"
#include "robusthost.h"
#include "robustquietlog.h"
#include "simulatedmodule.h"
#include "spinbox.h"
#include "toolwindow.h"
#include "tracepoller.h"

namespace {

const int EncoderPosition = 209;
const int MonitorTraces = 5; // three values, two LEDs

// A distinct encoder count per axis shows which axis a polled answer came from.
int encoderCount(int axis)
{
    return 1000 * (axis + 1) + 7;
}

} // namespace

class TestRobustTraces : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void longRun_data();
    void longRun();
    void destroyedWhileHolding_data();
    void destroyedWhileHolding();

private:
    QScopedPointer<RobustQuietLog> m_log;
};

void TestRobustTraces::initTestCase()
{
    m_log.reset(new RobustQuietLog);
}

void TestRobustTraces::cleanupTestCase()
{
    m_log.reset();
}

void TestRobustTraces::longRun_data()
{
    QTest::addColumn<int>("cycles");
    QTest::newRow("500 cycles") << 500;
}

void TestRobustTraces::longRun()
{
    QFETCH(int, cycles);

    SimulatedModule module;
    module.setManualClock(true);
    for (int axis = 0; axis < 3; ++axis)
        module.setAxisParameter(EncoderPosition, quint8(axis), encoderCount(axis));
    RobustHost host(&module);
    QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));

    TracePoller* poller = host.poller();
    ReRezorInterface* tool = host.tool(RobustHost::StartUp);
    ToolWindow* window = host.window(RobustHost::StartUp);
    auto* axisBox = host.find<QComboBox>(RobustHost::StartUp, "cmbAxisNumber");
    auto* encoder = host.find<SpinBox>(RobustHost::StartUp, "spEncoderPosition");
    QVERIFY(poller && tool && window && axisBox && encoder);
    QCOMPARE(poller->activeTraces(), 0);

    int axis = 0;
    auto balance = [&](int cycle, const char* where, int active) {
        if (poller->activeTraces() != active || poller->activeTraces(tool) != active
            || poller->tracesAdded() != poller->tracesDeleted() + poller->activeTraces()) {
            QFAIL(qPrintable(QStringLiteral("cycle %1, %2: %3 active (expected %4), %5 added, %6 deleted")
                                 .arg(cycle)
                                 .arg(QString::fromLatin1(where))
                                 .arg(poller->activeTraces())
                                 .arg(active)
                                 .arg(poller->tracesAdded())
                                 .arg(poller->tracesDeleted())));
        }
    };
    // One polling round reaches the tool with answers for the axis its requests carry.
    auto poll = [&](int cycle) {
        const int delivered = poller->repliesDelivered();
        encoder->setValue(-1);
        poller->pollOnce();
        if (poller->repliesDelivered() - delivered != MonitorTraces || encoder->value() != encoderCount(axis)) {
            QFAIL(qPrintable(QStringLiteral("cycle %1: %2 replies, encoder %3 on axis %4")
                                 .arg(cycle)
                                 .arg(poller->repliesDelivered() - delivered)
                                 .arg(encoder->value())
                                 .arg(axis)));
        }
    };
    auto nextAxis = [&](int cycle) {
        axis = (axis + 1 + cycle % 2) % 3;
        axisBox->setCurrentIndex(axis);
        if (host.currentAxis() != axis)
            QFAIL(qPrintable(QStringLiteral("cycle %1: axis %2 chosen, %3 current").arg(cycle).arg(axis).arg(host.currentAxis())));
    };

    for (int cycle = 0; cycle < cycles; ++cycle) {
        // While hidden an axis change hands nothing to the host.
        if (cycle % 3 == 1) {
            nextAxis(cycle);
            balance(cycle, "axis changed while hidden", 0);
        }
        window->activateWindow();
        balance(cycle, "shown", MonitorTraces);
        poll(cycle);
        // Raising a window that is already shown adds nothing.
        if (cycle % 4 == 0) {
            window->activateWindow();
            balance(cycle, "shown again", MonitorTraces);
        }
        // While visible an axis change renews the requests for the new axis.
        if (cycle % 3 == 2) {
            nextAxis(cycle);
            balance(cycle, "axis changed while shown", MonitorTraces);
            poll(cycle);
        }
        if (cycle % 2)
            window->hide();
        else
            window->close();
        balance(cycle, "hidden", 0);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(poller->activeTraces(), 0);
    QCOMPARE(poller->tracesDeleted(), poller->tracesAdded());
    QVERIFY(poller->tracesAdded() >= cycles * MonitorTraces);
}

void TestRobustTraces::destroyedWhileHolding_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("extraShows");

    QTest::newRow("tool deleted, one set") << "tool" << 0;
    QTest::newRow("tool deleted, three sets") << "tool" << 2;
    QTest::newRow("window deleted") << "window" << 0;
    QTest::newRow("window deleted, two sets") << "window" << 1;
    QTest::newRow("host destroys all tools") << "host" << 1;
}

void TestRobustTraces::destroyedWhileHolding()
{
    QFETCH(QString, how);
    QFETCH(int, extraShows);

    SimulatedModule module;
    module.setManualClock(true);
    RobustHost host(&module);
    QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    QPointer<TracePoller> poller = host.poller();
    QPointer<ReRezorInterface> tool = host.tool(RobustHost::StartUp);
    QVERIFY(poller && tool);

    host.window(RobustHost::StartUp)->activateWindow();
    // Each later show hands a complete new set without taking the old one back.
    for (int i = 0; i < extraShows; ++i)
        tool->showPlugin();
    const int held = MonitorTraces * (1 + extraShows);
    QCOMPARE(poller->activeTraces(tool), held);
    poller->pollOnce();
    QCOMPARE(poller->repliesDelivered(), held);

    if (how == QLatin1String("tool"))
        delete tool.data();
    else if (how == QLatin1String("window"))
        delete host.window(RobustHost::StartUp);
    else
        host.host().destroyTools();
    QVERIFY(!tool);
    if (!poller)
        return; // went with the tools; nothing may be left behind (leak check)

    // The tool deleted its requests itself; the host forgot them and never touches them again.
    QCOMPARE(poller->activeTraces(), 0);
    QCOMPARE(poller->tracesAdded() - poller->tracesDeleted(), held);
    poller->pollOnce();
    QCOMPARE(poller->repliesDelivered(), held);
    QTest::qWait(250);
    QVERIFY(!poller->isPolling());
    QCOMPARE(poller->repliesDelivered(), held);
}

QTEST_MAIN(TestRobustTraces)
#include "tst_robust_traces.moc"
