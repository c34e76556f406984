// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The four tools of a module destroyed in every order, the first while the Start Up page asks its
// question after an applied step; the survivors are shown, clicked and applied after each step. A
// page whose shared object went with the Start Up tool touches the module not at all. And the
// Start Up tool's polling requests over a long run: each is deleted exactly once, by the host when
// handed back, by the tool when it goes first. Counted; the sanitizers see the rest.

#include <QtTest>
#include <QtWidgets>

#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "robusthost.h"
#include "simulatedmodule.h"
#include "spinbox.h"
#include "tracepoller.h"

class TestRobustDestruction : public QObject
{
    Q_OBJECT

    static bool detecting(RobustHost& host)
    {
        auto* stack = host.child<QStackedWidget>(RobustHost::Encoder, "stackedWidget");
        return stack && stack->currentWidget()->objectName() == QLatin1String("pageDetection");
    }

    // What a user does with a page after a destruction: click every button and apply.
    static void exercise(RobustHost& host, RecordingModule& module, int id)
    {
        const bool wired = host.tool(RobustHost::StartUp);
        module.clearLog();
        const QList<QAbstractButton*> buttons = host.page(id)->findChildren<QAbstractButton*>();
        const QList<QPointer<QAbstractButton>> guarded(buttons.begin(), buttons.end());
        for (const QPointer<QAbstractButton>& b : guarded) {
            QVERIFY(host.show(id));
            if (b)
                b->click();
        }
        QVERIFY(host.show(id));
        if (id != RobustHost::StartUp) { // applied, a page writes and closes (the closed-loop one stays)
            host.child<QDialogButtonBox>(id, "buttonBox")->button(QDialogButtonBox::Apply)->click();
            QCOMPARE(host.window(id)->isVisible(), !wired || id == RobustHost::ClosedLoop);
            QCOMPARE(module.log().filter(QRegularExpression(QStringLiteral("^set |cmd=5 "))).isEmpty(), !wired);
        }
        if (id == RobustHost::Encoder) { // a detection runs into the next destruction
            QVERIFY(host.show(id));
            host.child<QAbstractButton>(id, "btnAutoDetection")->click();
            host.child<QDialogButtonBox>(id, "bbAutoDetection")->button(QDialogButtonBox::Ok)->click();
            QCOMPARE(detecting(host), wired);
        }
        QVERIFY2(wired || module.accesses(true).isEmpty(), qPrintable(module.log().join(QLatin1String("; "))));
        // What runs by itself: a polling round and a poll of the detection (any timer id will do).
        host.poller()->pollOnce();
        QTimerEvent poll(0);
        if (detecting(host))
            QCoreApplication::sendEvent(host.page(RobustHost::Encoder), &poll);
    }

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
                   && poller->tracesAdded() == poller->tracesDeleted() + active && poller->isPolling() == (active > 0);
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
    void everyOrder_data()
    {
        QTest::addColumn<QList<int>>("order");
        QList<int> order = RobustHost::ids();
        do {
            QTest::addRow("%d-%d-%d-%d", order[0], order[1], order[2], order[3]) << order;
        } while (std::next_permutation(order.begin(), order.end()));
    }
    void everyOrder()
    {
        QFETCH(QList<int>, order);
        RecordingModule module;
        module.setValue(140, 8); // 2^8 microsteps of 200 full steps: a detection turns the motor,
        module.setValue(202, 200); // never reaching the position, so it stays in its forward turn
        RobustHost host(&module);
        QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
        // Deleted later, or now the host's way: taking the window away takes the tool along.
        auto destroy = [&](int id, bool later) { later ? host.tool(id)->deleteLater() : delete host.window(id); };
        // The first goes from inside the question's own loop, with the reporter's Apply still on
        // the stack; a question that outlives the tool is answered.
        const int reporter = order[1] % 2 ? RobustHost::Motor : RobustHost::Encoder;
        QVERIFY(host.show(RobustHost::StartUp) && host.show(reporter));
        QString asked;
        QTimer hostReacts;
        connect(&hostReacts, &QTimer::timeout, this, [&]() {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                hostReacts.stop();
                host.answerQuestions(QMessageBox::Yes);
                destroy(order[0], order[2] % 2);
            }
        });
        hostReacts.start(1);
        for (int step = 0; step < 4; ++step) {
            QPointer<ReRezorInterface> tool = host.tool(order[step]);
            if (step == 0)
                host.child<QDialogButtonBox>(reporter, "buttonBox")->button(QDialogButtonBox::Apply)->click();
            else
                destroy(order[step], (step + order[3]) % 2);
            QTRY_VERIFY(!tool);
            const QList<int> survivors = order.mid(step + 1);
            for (int survivor : survivors) {
                exercise(host, module, survivor);
                if (QTest::currentTestFailed()) {
                    qWarning("on page %d after %d went", survivor, order[step]);
                    return;
                }
            }
        }
        QCOMPARE(asked, reporter == RobustHost::Motor ? QStringLiteral("Does the motor have an ABN- Encoder installed")
                                                      : QStringLiteral("Shall the  drive run closed loop"));
        QCOMPARE(host.poller()->activeTraces(), 0);
    }
};

QTEST_MAIN(TestRobustDestruction)
#include "tst_robust_destruction.moc"
