#include <QtTest>

#include "command.h"
#include "simulatedmodule.h"

namespace {
Command execute(SimulatedModule& module, quint8 command, int type, int motor, int value)
{
    Command request(1, command, quint8(type), quint8(motor), value);
    Command reply;
    module.commandHandlerInterface()->executeCommand(&request, &reply);
    return reply;
}
} // namespace

class TestSimulatedModule : public QObject
{
    Q_OBJECT

private slots:
    void accessPathsShareState();
    void deviceClosed();
    void manualClock();
};

void TestSimulatedModule::accessPathsShareState()
{
    SimulatedModule module;
    module.setAxisParameter(210, 1, -1024);
    const Command reply = execute(module, Command::GetAxisParameter, 210, 1, 0);
    QVERIFY(reply.status() == Command::StatusOk && reply.value() == -1024);
    QCOMPARE(execute(module, Command::SetAxisParameter, 209, 2, 99).status(), Command::StatusOk);
    QCOMPARE(module.getAxisParameter(209, 2), 99);
    QCOMPARE(module.getAxisParameter(209, 1), 0);
}

void TestSimulatedModule::deviceClosed()
{
    SimulatedModule module;
    module.setManualClock(true);
    QSignalSpy spy(&module, &SimulatedModule::deviceOpenChanged);
    module.setDeviceOpen(false);
    module.setDeviceOpen(false);
    QVERIFY(spy.count() == 1 && !module.commandHandlerInterface()->isDeviceOpen());
    QCOMPARE(execute(module, Command::Move, 1, 0, 5000).value(), 0); // the reply stays untouched
    bool ok = true;
    QCOMPARE(module.getAxisParameter(140, 0, &ok), 0);
    QVERIFY(!ok);
    module.setAxisParameter(4, 0, 1000);

    module.setDeviceOpen(true);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(module.getAxisParameter(4, 0), module.getParameter("axis0", 4).defaultValue);
    module.advance(1000);
    QCOMPARE(module.getAxisParameter(1, 0), 0);
}

// Time stands still until advance(), also for a move started through a command.
void TestSimulatedModule::manualClock()
{
    QElapsedTimer real;
    real.start();
    SimulatedModule module;
    QTest::qWait(20);
    module.setManualClock(true);
    const qint64 frozen = module.now();
    QVERIFY2(frozen >= 20 && frozen <= real.elapsed(), qPrintable(QString::number(frozen)));
    QCOMPARE(execute(module, Command::Move, 1, 0, 51200).status(), Command::StatusOk);
    QTest::qWait(20);
    QCOMPARE(module.now(), frozen);
    QCOMPARE(module.getAxisParameter(1, 0), 0);
    module.advance(1999); // one revolution at the defaults takes two seconds
    QVERIFY(module.getAxisParameter(1, 0) > 0 && module.getAxisParameter(8, 0) == 0);
    module.advance(1);
    QCOMPARE(module.getAxisParameter(1, 0), 51200);
}

QTEST_MAIN(TestSimulatedModule)
#include "tst_simulatedmodule.moc"
