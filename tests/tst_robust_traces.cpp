// Ownership of the Start Up tool's polling requests over a long run: each is deleted exactly once,
// by the host when handed back, by the tool when it goes first. Counted; the sanitizers see the rest.

#include <QtTest>
#include <QtWidgets>

#include "rerezorinterface.h"
#include "robusthost.h"
#include "simulatedmodule.h"
#include "spinbox.h"
#include "tracepoller.h"

class TestRobustTraces : public QObject
{
    Q_OBJECT

private slots:
    void showHideSwitchAxesAndDestroy()
    {
        SimulatedModule module;
        module.setManualClock(true);
        // A distinct encoder count per axis shows which axis a polled answer is for.
        for (int axis = 0; axis < 3; ++axis)
            module.setAxisParameter(209, quint8(axis), 1000 * axis + 7);
        RobustHost host(&module);
        QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
        for (int id : {RobustHost::Motor, RobustHost::Encoder, RobustHost::ClosedLoop})
            QVERIFY(host.show(id)); // shown throughout: the other tools never poll
        TracePoller* poller = host.poller();
        QPointer<ReRezorInterface> tool = host.tool(RobustHost::StartUp);
        ToolWindow* window = host.window(RobustHost::StartUp);
        auto* axisBox = host.child<QComboBox>(RobustHost::StartUp, "cmbAxisNumber");
        auto* encoder = host.child<SpinBox>(RobustHost::StartUp, "spEncoderPosition");
        int axis = 0;
        auto held = [&](int active) { // requests come in sets of five: three values, two LEDs
            return poller->activeTraces() == active && poller->activeTraces(tool) == active
                   && poller->tracesAdded() == poller->tracesDeleted() + active;
        };
        auto polled = [&]() {
            const int delivered = poller->repliesDelivered();
            encoder->setValue(-1);
            poller->pollOnce();
            return poller->repliesDelivered() - delivered == 5 && encoder->value() == 1000 * axis + 7;
        };
        for (int cycle = 0; cycle < 500; ++cycle) {
            const QByteArray where = "cycle " + QByteArray::number(cycle);
            // While hidden an axis change hands the host nothing; while shown it renews the set.
            if (cycle % 3 != 0)
                axisBox->setCurrentIndex(axis = (axis + cycle % 2 + 1) % 3);
            window->activateWindow();
            QVERIFY2(held(5) && polled(), where);
            if (cycle % 4 == 0) {
                window->activateWindow(); // already shown: adds nothing
                axisBox->setCurrentIndex(axis = (axis + 1) % 3);
                QVERIFY2(held(5) && polled(), where);
            }
            window->close();
            QVERIFY2(held(0), where);
        }
        // A show while shown hands a new set without taking the old one back; the tool deletes
        // both when it goes, and the host forgets them.
        window->activateWindow();
        tool->showPlugin();
        QVERIFY(held(10));
        delete window;
        QCOMPARE(poller->activeTraces(), 0);
        QCOMPARE(poller->tracesAdded() - poller->tracesDeleted(), 10);
    }
};

QTEST_MAIN(TestRobustTraces)
#include "tst_robust_traces.moc"
