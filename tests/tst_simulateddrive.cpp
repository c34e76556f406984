#include <QtTest>

#include <climits>
#include <cmath>

#include "command.h"
#include "simulateddrive.h"

namespace {
enum MoveKind { Relative, Absolute, TargetParameter };

int gap(const SimulatedDrive& drive, int type, int motor = 0)
{
    int value = 0;
    const int status = drive.getAxisParameter(type, motor, &value);
    if (status != SimulatedDrive::StatusOk)
        QTest::qFail(qPrintable(QString("GAP %1 failed: %2").arg(type).arg(status)), __FILE__, __LINE__);
    return value;
}

void sap(SimulatedDrive& drive, int type, int value, int motor = 0)
{
    const int status = drive.setAxisParameter(type, motor, value);
    if (status != SimulatedDrive::StatusOk)
        QTest::qFail(qPrintable(QString("SAP %1 = %2 failed: %3").arg(type).arg(value).arg(status)), __FILE__,
                     __LINE__);
}

// Advances in pieces of at most `step` ms.
void advanceBy(SimulatedDrive& drive, qint64 milliseconds, qint64 step)
{
    while (milliseconds > 0) {
        const qint64 piece = qMin(milliseconds, step);
        drive.advance(piece);
        milliseconds -= piece;
    }
}

// Advances until the position is reached, at most `limit` ms; returns the time taken.
qint64 runToTarget(SimulatedDrive& drive, int motor, qint64 limit, int* furthest = nullptr, int direction = 1)
{
    qint64 elapsed = 0;
    while (gap(drive, 8, motor) == 0 && elapsed < limit) {
        drive.advance(1);
        ++elapsed;
        if (furthest)
            *furthest = direction > 0 ? qMax(*furthest, gap(drive, 1, motor)) : qMin(*furthest, gap(drive, 1, motor));
    }
    return elapsed;
}

// Every parameter of every axis.
QList<int> snapshot(const SimulatedDrive& drive)
{
    QList<int> values;
    for (int motor = 0; motor < SimulatedDrive::AxisCount; ++motor) {
        for (int number : drive.catalogue().numbers())
            values.append(gap(drive, number, motor));
    }
    return values;
}
} // namespace

class TestSimulatedDrive : public QObject
{
    Q_OBJECT

private slots:
    void positioningMove_data();
    void positioningMove();
    void stopRampsDown_data();
    void stopRampsDown();
    void changesWhileMoving_data();
    void changesWhileMoving();
    void encoderFollowsShaft_data();
    void encoderFollowsShaft();
    void writingPositionCounters();
    void closedLoopInitialisation_data();
    void closedLoopInitialisation();
    void closedLoopSwitchedOff();
    void rejectedRequestsChangeNothing_data();
    void rejectedRequestsChangeNothing();
};

void TestSimulatedDrive::positioningMove_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("maxVelocity");
    QTest::addColumn<int>("acceleration");
    QTest::addColumn<int>("stepMs");

    QTest::newRow("trapezoid in 1 ms steps") << int(Relative) << 0 << 51200 << 12800 << 6400 << 1;
    QTest::newRow("trapezoid in 7 ms steps") << int(Relative) << 0 << 51200 << 12800 << 6400 << 7;
    QTest::newRow("trapezoid backward, absolute") << int(Absolute) << 1000 << -102400 << 51200 << 51200 << 1000;
    QTest::newRow("trapezoid through parameter 0") << int(TargetParameter) << -500 << 102400 << 51200 << 51200 << 3;
    QTest::newRow("just reaching max velocity") << int(Relative) << 0 << 25600 << 12800 << 6400 << 1000;
    QTest::newRow("triangle forward") << int(Relative) << 0 << 6400 << 51200 << 6400 << 1000;
    QTest::newRow("triangle in 1 ms steps") << int(Relative) << 0 << 6400 << 51200 << 6400 << 1;
    QTest::newRow("short triangle backward") << int(Relative) << 300 << -100 << 51200 << 10000 << 1;
}

// A move takes the time of its trapezoid (or triangle), passes the middle of its distance
// at the middle of that time with its peak velocity, and stops exactly on the target.
void TestSimulatedDrive::positioningMove()
{
    QFETCH(int, kind);
    QFETCH(int, start);
    QFETCH(int, distance);
    QFETCH(int, maxVelocity);
    QFETCH(int, acceleration);
    QFETCH(int, stepMs);

    SimulatedDrive drive;
    sap(drive, 1, start);
    sap(drive, 4, maxVelocity);
    sap(drive, 5, acceleration);
    QCOMPARE(gap(drive, 8), 1);

    const double d = std::abs(distance);
    const double v = maxVelocity;
    const double a = acceleration;
    const bool triangle = d < v * v / a;
    const double seconds = triangle ? 2 * std::sqrt(d / a) : d / v + v / a;
    const qint64 duration = std::llround(seconds * 1000);
    const double peak = triangle ? std::sqrt(d * a) : v;
    const int target = start + distance;
    const int direction = distance < 0 ? -1 : 1;

    const Command request(1, Command::Move, kind == Absolute ? 0 : 1, 0, kind == Absolute ? target : distance);
    Command reply;
    if (kind == TargetParameter)
        sap(drive, 0, target);
    else
        QCOMPARE(drive.execute(request, &reply), SimulatedDrive::StatusOk);
    QCOMPARE(gap(drive, 0), target);
    QCOMPARE(gap(drive, 8), 0);

    advanceBy(drive, duration / 2, stepMs);
    QVERIFY2(std::abs(gap(drive, 1) - (start + distance / 2)) <= 1, qPrintable(QString::number(gap(drive, 1))));
    QVERIFY2(std::abs(gap(drive, 2) - direction * peak) <= 1, qPrintable(QString::number(gap(drive, 2))));
    QCOMPARE(gap(drive, 3), gap(drive, 2));
    QCOMPARE(gap(drive, 8), 0);

    advanceBy(drive, duration - duration / 2 - 1, stepMs);
    QCOMPARE(gap(drive, 8), 0);
    QVERIFY(drive.axis(0)->isMoving());

    drive.advance(1);
    QCOMPARE(gap(drive, 8), 1);
    QCOMPARE(gap(drive, 1), target);
    QCOMPARE(gap(drive, 2), 0);
    QCOMPARE(gap(drive, 3), 0);
    QCOMPARE(drive.axis(0)->exactPosition(), double(target));

    drive.advance(5000);
    QCOMPARE(gap(drive, 1), target);
    QCOMPARE(gap(drive, 8), 1);
}

void TestSimulatedDrive::stopRampsDown_data()
{
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("stopAfterMs");

    QTest::newRow("while cruising") << 1000000 << 3000;
    QTest::newRow("while accelerating") << 1000000 << 900;
    QTest::newRow("backward while cruising") << -1000000 << 2500;
}

void TestSimulatedDrive::stopRampsDown()
{
    QFETCH(int, distance);
    QFETCH(int, stopAfterMs);

    SimulatedDrive drive;
    const int acceleration = 25600;
    sap(drive, 4, 51200);
    sap(drive, 5, acceleration);
    QCOMPARE(drive.move(0, 1, distance), SimulatedDrive::StatusOk);
    drive.advance(stopAfterMs);

    const int velocity = gap(drive, 2);
    const int position = gap(drive, 1);
    QVERIFY(velocity != 0);
    Command reply;
    QCOMPARE(drive.execute(Command(1, Command::Stop, 0, 0, 0), &reply), SimulatedDrive::StatusOk);

    const qint64 stopMs = std::llround(std::abs(velocity) * 1000.0 / acceleration);
    drive.advance(stopMs / 2);
    QVERIFY(std::abs(gap(drive, 2) - velocity / 2) <= 1);
    drive.advance(stopMs - stopMs / 2 - 1);
    QVERIFY(gap(drive, 2) != 0);
    drive.advance(2);
    QCOMPARE(gap(drive, 2), 0);
    QVERIFY(!drive.axis(0)->isMoving());

    const double brakingDistance = double(velocity) * velocity / (2.0 * acceleration);
    const int stoppedAt = gap(drive, 1);
    QVERIFY2(std::abs(stoppedAt - (position + (velocity < 0 ? -1 : 1) * brakingDistance)) <= 2,
             qPrintable(QString::number(stoppedAt)));
    QCOMPARE(gap(drive, 8), 0); // stopped, but not on the target
    QCOMPARE(gap(drive, 0), distance);
    drive.advance(10000);
    QCOMPARE(gap(drive, 1), stoppedAt);
}

void TestSimulatedDrive::changesWhileMoving_data()
{
    QTest::addColumn<int>("firstTarget");
    QTest::addColumn<int>("changeAfterMs");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("overshoots");

    // parameter -1: an absolute move to `value`; -2: a relative move by `value`
    QTest::newRow("new target behind the motor") << 200000 << 1500 << -1 << -20000 << false;
    QTest::newRow("new target too close to brake") << 1000000 << 2000 << -2 << 1000 << true;
    QTest::newRow("max velocity lowered while cruising") << 400000 << 2500 << 4 << 10000 << false;
    QTest::newRow("max velocity raised while cruising") << 400000 << 2500 << 4 << 80000 << false;
    QTest::newRow("position counter set while moving") << 200000 << 1500 << 1 << -7000 << false;
}

// The ramp generator follows every change at once and still ends exactly on the target.
void TestSimulatedDrive::changesWhileMoving()
{
    QFETCH(int, firstTarget);
    QFETCH(int, changeAfterMs);
    QFETCH(int, parameter);
    QFETCH(int, value);
    QFETCH(bool, overshoots);

    SimulatedDrive drive;
    sap(drive, 4, 51200);
    sap(drive, 5, 51200);
    drive.move(0, 0, firstTarget);
    drive.advance(changeAfterMs);
    const int positionBefore = gap(drive, 1);

    if (parameter == -1)
        drive.move(0, 0, value);
    else if (parameter == -2)
        drive.move(0, 1, value);
    else
        sap(drive, parameter, value);

    const int target = gap(drive, 0);
    if (parameter == 1) {
        QCOMPARE(gap(drive, 1), value);
        QCOMPARE(target, firstTarget + value - positionBefore);
    }
    if (parameter == 4) {
        drive.advance(2000);
        QCOMPARE(gap(drive, 2), value);
    }

    int furthest = gap(drive, 1);
    const int direction = target >= furthest ? 1 : -1;
    runToTarget(drive, 0, 120000, &furthest, direction);
    QCOMPARE(gap(drive, 8), 1);
    QCOMPARE(gap(drive, 1), target);
    QCOMPARE(gap(drive, 2), 0);
    QCOMPARE(furthest != target, overshoots);
}

void TestSimulatedDrive::encoderFollowsShaft_data()
{
    QTest::addColumn<int>("counts");
    QTest::addColumn<bool>("encoderReversed");
    QTest::addColumn<bool>("shaftReversed");
    QTest::addColumn<int>("microstepExponent");
    QTest::addColumn<int>("fullSteps");

    QTest::newRow("4000 counts") << 4000 << false << false << 8 << 200;
    QTest::newRow("4000 counts, encoder reversed") << 4000 << true << false << 8 << 200;
    QTest::newRow("4000 counts, shaft reversed") << 4000 << false << true << 8 << 200;
    QTest::newRow("1000 counts at 16 microsteps") << 1000 << false << false << 4 << 200;
    QTest::newRow("65536 counts, 400 full steps") << 65536 << true << false << 8 << 400;
    QTest::newRow("2500 counts, full steps") << 2500 << false << true << 0 << 200;
    QTest::newRow("1024 counts, 7.5 degree motor") << 1024 << false << false << 6 << 48;
    QTest::newRow("encoder without signal") << 0 << false << false << 8 << 200;
}

// One revolution forward changes the count by exactly the encoder's counts, with the sign
// of the direction the encoder sees; the position counters ignore the shaft direction.
void TestSimulatedDrive::encoderFollowsShaft()
{
    QFETCH(int, counts);
    QFETCH(bool, encoderReversed);
    QFETCH(bool, shaftReversed);
    QFETCH(int, microstepExponent);
    QFETCH(int, fullSteps);

    SimulatedDrive drive;
    drive.setTrueEncoderResolution(counts);
    drive.setEncoderReversed(encoderReversed);
    sap(drive, 251, shaftReversed ? 1 : 0);
    sap(drive, 140, microstepExponent);
    sap(drive, 202, fullSteps);
    sap(drive, 209, 777);
    const int revolution = (1 << microstepExponent) * fullSteps;
    const int sign = (encoderReversed ? -1 : 1) * (shaftReversed ? -1 : 1);

    drive.move(0, 1, revolution / 2);
    runToTarget(drive, 0, 60000);
    QCOMPARE(gap(drive, 209), 777 + sign * int(std::lround(counts / 2.0)));

    drive.move(0, 1, revolution - revolution / 2);
    runToTarget(drive, 0, 60000);
    QCOMPARE(gap(drive, 1), revolution);
    QCOMPARE(gap(drive, 209), 777 + sign * counts);
    QCOMPARE(sign * counts, drive.axis(0)->matchingEncoderResolution());

    drive.move(0, 1, -revolution);
    runToTarget(drive, 0, 60000);
    QCOMPARE(gap(drive, 1), 0);
    QCOMPARE(gap(drive, 209), 777);
}

void TestSimulatedDrive::writingPositionCounters()
{
    SimulatedDrive drive;
    sap(drive, 209, -1234);
    QCOMPARE(gap(drive, 209), -1234);
    sap(drive, 1, 5000);
    QCOMPARE(gap(drive, 1), 5000);
    QCOMPARE(gap(drive, 0), 5000);
    QCOMPARE(gap(drive, 8), 1);
    drive.advance(1000);
    QCOMPARE(gap(drive, 1), 5000);
    QCOMPARE(gap(drive, 209), -1234);

    drive.move(0, 1, 51200);
    runToTarget(drive, 0, 60000);
    QCOMPARE(gap(drive, 1), 56200);
    QCOMPARE(gap(drive, 209), -1234 + 4000);

    // A new microstep resolution keeps what the encoder has counted.
    sap(drive, 140, 4);
    QCOMPARE(gap(drive, 209), -1234 + 4000);
    drive.move(0, 1, 3200);
    runToTarget(drive, 0, 60000);
    QCOMPARE(gap(drive, 209), -1234 + 8000);
}

void TestSimulatedDrive::closedLoopInitialisation_data()
{
    QTest::addColumn<int>("counts");
    QTest::addColumn<bool>("encoderReversed");
    QTest::addColumn<bool>("shaftReversed");
    QTest::addColumn<int>("microstepExponent");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<bool>("ready");

    QTest::newRow("matching encoder") << 4000 << false << false << 8 << 4000 << true;
    QTest::newRow("wrong resolution") << 4000 << false << false << 8 << 4096 << false;
    QTest::newRow("wrong sign") << 4000 << false << false << 8 << -4000 << false;
    QTest::newRow("128 microsteps") << 4000 << false << false << 7 << 4000 << false;
    QTest::newRow("reversed encoder, negative resolution") << 4000 << true << false << 8 << -4000 << true;
    QTest::newRow("reversed shaft, negative resolution") << 4000 << false << true << 8 << -4000 << true;
    QTest::newRow("reversed shaft, positive resolution") << 4000 << false << true << 8 << 4000 << false;
    QTest::newRow("both reversed, positive resolution") << 4000 << true << true << 8 << 4000 << true;
    QTest::newRow("1000 counts") << 1000 << false << false << 8 << 1000 << true;
    QTest::newRow("encoder without signal, resolution 0") << 0 << false << false << 8 << 0 << false;
}

void TestSimulatedDrive::closedLoopInitialisation()
{
    QFETCH(int, counts);
    QFETCH(bool, encoderReversed);
    QFETCH(bool, shaftReversed);
    QFETCH(int, microstepExponent);
    QFETCH(int, resolution);
    QFETCH(bool, ready);

    SimulatedDrive drive;
    drive.setTrueEncoderResolution(counts);
    drive.setEncoderReversed(encoderReversed);
    const int motor = 1;
    sap(drive, 251, shaftReversed ? 1 : 0, motor);
    sap(drive, 140, microstepExponent, motor);
    sap(drive, 210, resolution, motor);

    sap(drive, 129, 1, motor);
    QCOMPARE(gap(drive, 129, motor), 1);
    QCOMPARE(gap(drive, 133, motor), 0);
    drive.advance(SimulatedAxis::ClosedLoopInitTime - 1);
    QCOMPARE(gap(drive, 133, motor), 0);
    drive.advance(1);
    QCOMPARE(gap(drive, 133, motor), ready ? 1 : 0);
    QCOMPARE(gap(drive, 133, 0), 0);
    drive.advance(10000);
    QCOMPARE(gap(drive, 133, motor), ready ? 1 : 0);
}

void TestSimulatedDrive::closedLoopSwitchedOff()
{
    SimulatedDrive drive;
    sap(drive, 129, 1);
    drive.advance(SimulatedAxis::ClosedLoopInitTime);
    QCOMPARE(gap(drive, 133), 1);
    sap(drive, 129, 0);
    QCOMPARE(gap(drive, 133), 0);

    // Switched off during the initialisation: it does not finish later.
    sap(drive, 129, 1);
    drive.advance(500);
    sap(drive, 129, 0);
    drive.advance(2000);
    QCOMPARE(gap(drive, 133), 0);

    // A failed initialisation is retried by switching on again.
    sap(drive, 210, 4096);
    sap(drive, 129, 1);
    drive.advance(SimulatedAxis::ClosedLoopInitTime);
    QCOMPARE(gap(drive, 133), 0);
    sap(drive, 210, 4000);
    sap(drive, 129, 1);
    drive.advance(SimulatedAxis::ClosedLoopInitTime);
    QCOMPARE(gap(drive, 133), 1);
}

void TestSimulatedDrive::rejectedRequestsChangeNothing_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("motor");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("status");

    const int unknownCommand = SimulatedDrive::StatusInvalidCommand;
    const int wrongType = SimulatedDrive::StatusWrongType;
    const int readOnly = SimulatedDrive::StatusReadOnly;
    const int outOfRange = SimulatedDrive::StatusInvalidValue;
    const int badMotor = SimulatedDrive::StatusInvalidMotor;

    QTest::newRow("command 7") << 7 << 4 << 0 << 5 << unknownCommand;
    QTest::newRow("get unknown parameter 99") << 6 << 99 << 0 << 0 << wrongType;
    QTest::newRow("set unknown parameter 250") << 5 << 250 << 0 << 1 << wrongType;
    QTest::newRow("move type 2") << 4 << 2 << 0 << 1000 << wrongType;
    QTest::newRow("set target velocity") << 5 << 2 << 0 << 1000 << readOnly;
    QTest::newRow("set CL init flag") << 5 << 133 << 0 << 1 << readOnly;
    QTest::newRow("set reduced range") << 5 << 179 << 0 << 1 << readOnly;
    QTest::newRow("microstep exponent 9") << 5 << 140 << 0 << 9 << outOfRange;
    QTest::newRow("max current 256") << 5 << 6 << 1 << 256 << outOfRange;
    QTest::newRow("encoder resolution 65537") << 5 << 210 << 0 << 65537 << outOfRange;
    QTest::newRow("no full steps") << 5 << 202 << 0 << 0 << outOfRange;
    QTest::newRow("no acceleration") << 5 << 5 << 0 << 0 << outOfRange;
    QTest::newRow("closed loop 2") << 5 << 129 << 0 << 2 << outOfRange;
    QTest::newRow("relative move beyond 32 bits") << 4 << 1 << 0 << INT_MAX << outOfRange;
    QTest::newRow("get on motor 3") << 6 << 1 << 3 << 0 << badMotor;
    QTest::newRow("move on motor 3") << 4 << 1 << 3 << 1000 << badMotor;
    QTest::newRow("stop on motor 255") << 3 << 0 << 255 << 0 << badMotor;
}

void TestSimulatedDrive::rejectedRequestsChangeNothing()
{
    QFETCH(int, command);
    QFETCH(int, type);
    QFETCH(int, motor);
    QFETCH(int, value);
    QFETCH(int, status);

    SimulatedDrive drive;
    sap(drive, 1, 10); // so that a relative move of INT_MAX leaves 32 bits
    const auto before = snapshot(drive);

    const Command request(9, quint8(command), quint8(type), quint8(motor), value);
    Command reply;
    QCOMPARE(drive.execute(request, &reply), status);
    QCOMPARE(reply.status(), status);
    QCOMPARE(reply.address(), quint8(9));
    QCOMPARE(int(reply.command()), command);
    QCOMPARE(int(reply.type()), type);
    QCOMPARE(int(reply.motorBank()), motor);
    QCOMPARE(reply.value(), value);

    QCOMPARE(snapshot(drive), before);
    drive.advance(2000); // nothing was started either
    QCOMPARE(snapshot(drive), before);
}

QTEST_GUILESS_MAIN(TestSimulatedDrive)
#include "tst_simulateddrive.moc"
