// A tool of the module destroyed while the Start Up page's question after an applied step is
// open, as a host does when the module goes away at that moment: the question's own event loop
// is running, the reporting page's Apply and the page that asked are still on the stack.

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "robusthost.h"
#include "robustmodalanswerer.h"
#include "robustquietlog.h"
#include "toolwindow.h"
#include "tracepoller.h"

class TestRobustQuestion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void destroyedWhileAsking_data();
    void destroyedWhileAsking();

private:
    QScopedPointer<RobustQuietLog> m_log;
};

void TestRobustQuestion::initTestCase()
{
    m_log.reset(new RobustQuietLog);
}

void TestRobustQuestion::cleanupTestCase()
{
    m_log.reset();
}

void TestRobustQuestion::destroyedWhileAsking_data()
{
    QTest::addColumn<int>("reporter");
    QTest::addColumn<int>("victim");
    QTest::addColumn<bool>("later");
    QTest::addColumn<QString>("question");

    const QString motor = QStringLiteral("Does the motor have an ABN- Encoder installed");
    const QString encoder = QStringLiteral("Shall the  drive run closed loop");
    const int reporters[] = {RobustHost::Motor, RobustHost::Encoder};
    // The Start Up tool last: it takes the open question with it.
    for (int victim : {RobustHost::Motor, RobustHost::Encoder, RobustHost::ClosedLoop, RobustHost::StartUp}) {
        for (int reporter : reporters) {
            const QString question = reporter == RobustHost::Motor ? motor : encoder;
            QTest::addRow("%s question, %d destroyed", reporter == RobustHost::Motor ? "motor" : "encoder", victim)
                << reporter << int(victim) << false << question;
            QTest::addRow("%s question, %d deleted later", reporter == RobustHost::Motor ? "motor" : "encoder",
                          victim)
                << reporter << int(victim) << true << question;
        }
    }
}

void TestRobustQuestion::destroyedWhileAsking()
{
    QFETCH(int, reporter);
    QFETCH(int, victim);
    QFETCH(bool, later);
    QFETCH(QString, question);

    RecordingModule module;
    RobustHost host(&module);
    QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    host.window(RobustHost::StartUp)->activateWindow();
    host.window(reporter)->activateWindow();
    auto* box = host.find<QDialogButtonBox>(reporter, "buttonBox");
    QVERIFY(box && box->button(QDialogButtonBox::Apply));

    QPointer<ReRezorInterface> doomed = host.tool(victim);
    QString asked;
    bool destroyed = false;
    QTimer host_reacts;
    host_reacts.setInterval(1);
    connect(&host_reacts, &QTimer::timeout, this, [&]() {
        auto* modal = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!modal)
            return;
        if (!destroyed) {
            destroyed = true;
            asked = modal->text();
            if (later)
                doomed->deleteLater();
            else
                delete doomed.data();
            return;
        }
        // The question outlived the tool: the user answers it.
        modal->button(QMessageBox::Yes)->click();
    });
    host_reacts.start();
    box->button(QDialogButtonBox::Apply)->click();
    QTRY_VERIFY(!doomed);
    host_reacts.stop();
    QVERIFY(destroyed);
    QCOMPARE(asked, question);

    // What is left still works: every surviving page can be shown and left again.
    RobustModalAnswerer answerer(QMessageBox::No);
    for (int id : RobustHost::ids()) {
        if (!host.tool(id))
            continue;
        host.window(id)->activateWindow();
        QVERIFY(host.page(id)->isVisible());
        if (auto* buttons = host.find<QDialogButtonBox>(id, "buttonBox")) {
            QAbstractButton* cancel = buttons->button(QDialogButtonBox::Cancel);
            QVERIFY(cancel);
            cancel->click();
            QVERIFY(!host.window(id)->isVisible());
        }
    }
    if (TracePoller* poller = host.poller())
        poller->pollOnce();
}

QTEST_MAIN(TestRobustQuestion)
#include "tst_robust_question.moc"
