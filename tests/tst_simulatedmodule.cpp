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
    void identity();
    void accessPathsShareState_data();
    void accessPathsShareState();
    void deviceClosed();
    void clocks();
    void hardwareSettingsApplyToAllAxes();
    void catalogueMatchesCommands();
    void pageValuesAreAccepted_data();
    void pageValuesAreAccepted();
    void unknownParameters();
};

void TestSimulatedModule::identity()
{
    SimulatedModule module;
    QCOMPARE(module.moduleAddress(), quint8(1));
    QVERIFY(!module.nameInFirmware().isEmpty() && module.nameInFirmware() != QLatin1String("7391"));
    module.setModuleAddress(5);
    module.setFirmwareName("7391");
    QCOMPARE(module.moduleAddress(), quint8(5));
    QCOMPARE(module.nameInFirmware(), QString("7391"));

    CommandHandlerInterface* handler = module.commandHandlerInterface();
    QCOMPARE(handler, static_cast<CommandHandlerInterface*>(module.commandHandler()));
    handler->setCircularMode(true);
    QVERIFY(module.commandHandler()->circularMode());
    handler->setCircularMode(false);
    QVERIFY(!module.commandHandler()->circularMode());

    execute(module, Command::GetAxisParameter, 140, 0, 0);
    execute(module, Command::GetAxisParameter, 99, 0, 0); // a failing request counts as well
    module.getAxisParameter(140, 0);
    QCOMPARE(module.commandCount(), 2);
}

void TestSimulatedModule::accessPathsShareState_data()
{
    QTest::addColumn<bool>("writeThroughModule");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("motor");
    QTest::addColumn<int>("value");

    QTest::newRow("module writes max velocity") << true << 4 << 0 << 20000;
    QTest::newRow("command writes max velocity") << false << 4 << 2 << 20000;
    QTest::newRow("module writes encoder resolution") << true << 210 << 1 << -1024;
    QTest::newRow("command writes encoder position") << false << 209 << 0 << 99;
    QTest::newRow("command writes microsteps") << false << 140 << 1 << 3;
}

void TestSimulatedModule::accessPathsShareState()
{
    QFETCH(bool, writeThroughModule);
    QFETCH(int, type);
    QFETCH(int, motor);
    QFETCH(int, value);

    SimulatedModule module;
    module.setManualClock(true);
    if (writeThroughModule) {
        module.setAxisParameter(quint8(type), quint8(motor), value);
    } else {
        const Command reply = execute(module, Command::SetAxisParameter, type, motor, value);
        QCOMPARE(reply.status(), Command::StatusOk);
        QCOMPARE(reply.value(), value);
    }

    bool ok = false;
    QCOMPARE(module.getAxisParameter(quint8(type), quint8(motor), &ok), value);
    QVERIFY(ok);
    const Command reply = execute(module, Command::GetAxisParameter, type, motor, 0);
    QCOMPARE(reply.status(), Command::StatusOk);
    QCOMPARE(reply.value(), value);
    QCOMPARE(int(reply.type()), type);
    QCOMPARE(int(reply.motorBank()), motor);
    QVERIFY(module.getAxisParameter(quint8(type), quint8((motor + 1) % SimulatedDrive::AxisCount)) != value);
}

void TestSimulatedModule::deviceClosed()
{
    SimulatedModule module;
    module.setManualClock(true);
    QSignalSpy spy(&module, &SimulatedModule::deviceOpenChanged);

    module.setDeviceOpen(false);
    module.setDeviceOpen(false);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), false);
    QVERIFY(!module.commandHandlerInterface()->isDeviceOpen());

    Command request(1, Command::Move, 1, 0, 5000);
    Command reply(7, 8, 9, 10, 11);
    reply.setStatus(42);
    module.commandHandlerInterface()->executeCommand(&request, &reply);
    QCOMPARE(reply.address(), quint8(7));
    QCOMPARE(reply.command(), quint8(8));
    QCOMPARE(reply.type(), quint8(9));
    QCOMPARE(reply.motorBank(), quint8(10));
    QCOMPARE(reply.value(), 11);
    QCOMPARE(reply.status(), 42);

    bool ok = true;
    QCOMPARE(module.getAxisParameter(140, 0, &ok), 0);
    QVERIFY(!ok);
    module.setAxisParameter(4, 0, 1000);

    module.setDeviceOpen(true);
    QCOMPARE(spy.count(), 2);
    QVERIFY(module.commandHandlerInterface()->isDeviceOpen());
    QCOMPARE(module.getAxisParameter(4, 0, &ok), module.getParameter("axis0", 4).defaultValue);
    QVERIFY(ok);
    module.advance(1000);
    QCOMPARE(module.getAxisParameter(1, 0), 0); // the move was not started
}

void TestSimulatedModule::clocks()
{
    SimulatedModule module;
    QVERIFY(!module.isManualClock());
    module.setTimeScale(100.0);

    QElapsedTimer real;
    real.start();
    const qint64 a = real.nsecsElapsed();
    const qint64 n0 = module.now();
    const qint64 b = real.nsecsElapsed();
    QTest::qWait(40);
    const qint64 c = real.nsecsElapsed();
    const qint64 n1 = module.now();
    const qint64 d = real.nsecsElapsed();
    QVERIFY2(n1 - n0 >= (c - b) * 100 / 1000000 - 1, qPrintable(QString::number(n1 - n0)));
    QVERIFY2(n1 - n0 <= (d - a) * 100 / 1000000 + 1, qPrintable(QString::number(n1 - n0)));

    // One revolution at the defaults takes two simulated seconds, 20 ms at this scale.
    QCOMPARE(execute(module, Command::Move, 1, 0, 51200).status(), Command::StatusOk);
    QTRY_COMPARE_WITH_TIMEOUT(module.getAxisParameter(8, 0), 1, 5000);
    QCOMPARE(module.getAxisParameter(1, 0), 51200);

    // The manual clock starts where the real-time clock stood and moves only on advance().
    module.setTimeScale(1.0);
    const qint64 beforeSwitch = module.now();
    module.setManualClock(true);
    const qint64 frozen = module.now();
    QVERIFY(frozen - beforeSwitch <= 1);
    execute(module, Command::Move, 1, 0, 51200);
    QTest::qWait(20);
    QCOMPARE(module.now(), frozen);
    QCOMPARE(module.getAxisParameter(1, 0), 51200);
    module.advance(500);
    QCOMPARE(module.now(), frozen + 500);
    QVERIFY(module.getAxisParameter(1, 0) > 51200);
}

void TestSimulatedModule::hardwareSettingsApplyToAllAxes()
{
    SimulatedModule module;
    module.setManualClock(true);
    module.setReducedRange(true);
    module.setTrueEncoderResolution(1000);
    module.setEncoderReversed(true);
    for (int motor = 0; motor < SimulatedDrive::AxisCount; ++motor) {
        QCOMPARE(module.getAxisParameter(179, quint8(motor)), 1);
        execute(module, Command::Move, 1, motor, 51200);
    }
    module.advance(10000);
    for (int motor = 0; motor < SimulatedDrive::AxisCount; ++motor)
        QCOMPARE(module.getAxisParameter(209, quint8(motor)), -1000);
}

// Every described number answers through the command path with its default, every other
// number is refused, and the records are fit for the pages.
void TestSimulatedModule::catalogueMatchesCommands()
{
    const QList<QPair<QString, int>> keysOfThePages = {
        {"par::TargetPosition", 0}, {"par::ActualPosition", 1}, {"par::TargetVelocity", 2},
        {"par::MeasuredSpeed", 3}, {"par::MaxVelocity", 4}, {"par::MaxAcceleration", 5},
        {"par::MaxCurrent", 6}, {"par::StandbyCurrent", 7}, {"par::PositionReachedFlag", 8},
        {"par::CL init flag", 133}, {"par::encoder position", 209}, {"par::encoder resolution", 210},
        {"par::max. position encoder deviation", 212}};
    SimulatedModule module;
    for (const auto& key : keysOfThePages)
        QCOMPARE(module.getParameterAndCheck("tst", "axis0", key.first).type, key.second);
    QCOMPARE(module.getParameterAndCheck("tst", "axis0", "par::MaxCurrent").scale, 1.0 / 256.0);

    int described = 0;
    for (int number = 0; number < 256; ++number) {
        const Parameter parameter = module.getParameter("axis1", number);
        const Command reply = execute(module, Command::GetAxisParameter, number, 2, 0);
        const QByteArray where = QByteArray::number(number);
        if (parameter.name.isEmpty()) {
            QVERIFY2(reply.status() == SimulatedDrive::StatusWrongType, where);
            continue;
        }
        ++described;
        QCOMPARE(parameter.type, number);
        QCOMPARE(parameter.scope, QString("axis1"));
        QCOMPARE(module.getParameterAndCheck("tst", "axis0", parameter.name).type, number);
        QVERIFY2(!parameter.caption.isEmpty() && !parameter.comment.isEmpty() && !parameter.toolTip.isEmpty(), where);
        QVERIFY2(!parameter.comment.contains('\n'), where);
        QVERIFY2(parameter.minimum <= parameter.defaultValue && parameter.defaultValue <= parameter.maximum, where);
        QVERIFY2(reply.status() == Command::StatusOk && reply.value() == parameter.defaultValue, where);
    }
    QCOMPARE(described, module.drive()->catalogue().size());
}

void TestSimulatedModule::pageValuesAreAccepted_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("value");

    QTest::newRow("return speed 102400") << 4 << 102400;
    QTest::newRow("return acceleration 102400") << 5 << 102400;
    QTest::newRow("run current 255") << 6 << 255;
    QTest::newRow("S-shape") << 14 << 1;
    QTest::newRow("bow 51000") << 23 << 51000;
    QTest::newRow("gamma Vmax 1600000") << 109 << 1600000;
    QTest::newRow("scaler minimum 50") << 113 << 50;
    QTest::newRow("aggressive P 10000") << 115 << 10000;
    QTest::newRow("aggressive I 1500") << 116 << 1500;
    QTest::newRow("DV clipping 100000") << 119 << 100000;
    QTest::newRow("downscale delay 100000") << 121 << 100000;
    QTest::newRow("tolerance 51") << 125 << 51;
    QTest::newRow("custom full steps 65535") << 202 << 65535;
    QTest::newRow("detection resolution 51200") << 210 << 51200;
    QTest::newRow("reversed 65536") << 210 << -65536;
}

void TestSimulatedModule::pageValuesAreAccepted()
{
    QFETCH(int, number);
    QFETCH(int, value);

    SimulatedModule module;
    QCOMPARE(execute(module, Command::SetAxisParameter, number, 0, value).status(), Command::StatusOk);
    QCOMPARE(module.getAxisParameter(quint8(number), 0), value);
}

void TestSimulatedModule::unknownParameters()
{
    SimulatedModule module;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^someCaller\\(\\).*par::Nonsense"));
    const Parameter unknown = module.getParameterAndCheck("someCaller()", "axis0", "par::Nonsense");
    QCOMPARE(unknown.type, 0);
    QCOMPARE(unknown.maximum, 0);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^otherCaller.*par::MaxCurrent.*axis3"));
    QCOMPARE(module.getParameterAndCheck("otherCaller", "axis3", "par::MaxCurrent").type, 0);

    QCOMPARE(module.getParameter("axis0", 99).type, 0);
    QVERIFY(module.getParameter("global", 140).name.isEmpty());

    bool ok = true;
    QCOMPARE(module.getAxisParameter(99, 0, &ok), 0);
    QVERIFY(!ok);
    QCOMPARE(module.getAxisParameter(140, 3, &ok), 0);
    QVERIFY(!ok);
    QCOMPARE(module.getAxisParameter(0, 0, &ok), 0); // the host's keep-alive read
    QVERIFY(ok);
}

QTEST_MAIN(TestSimulatedModule)
#include "tst_simulatedmodule.moc"
