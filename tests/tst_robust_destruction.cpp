// The four tools of a module destroyed in every order, the first while the Start Up page asks its
// question after an applied step; the survivors are shown, clicked and applied after each step. A
// page whose shared object went with the Start Up tool touches the module not at all.

#include <QtTest>
#include <QtWidgets>

#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "robusthost.h"
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
