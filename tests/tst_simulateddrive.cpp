// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <climits>
#include <cmath>

#include "command.h"
#include "simulateddrive.h"

namespace {
int gap(const SimulatedDrive& drive, int type, int motor = 0)
{
    int value = 0;
    return drive.getAxisParameter(type, motor, &value) == SimulatedDrive::StatusOk ? value : INT_MIN;
}

void sap(SimulatedDrive& drive, std::initializer_list<std::pair<int, int>> values)
{
    for (const auto& v : values)
        QCOMPARE(drive.setAxisParameter(v.first, 0, v.second), SimulatedDrive::StatusOk);
}

QList<int> snapshot(const SimulatedDrive& drive)
{
    QList<int> values;
    const QList<int> numbers = drive.catalogue().numbers();
    for (int motor = 0; motor < SimulatedDrive::AxisCount; ++motor)
        for (int number : qAsConst(numbers))
            values.append(gap(drive, number, motor));
    return values;
}

enum MoveKind { Absolute, Relative, TargetParameter }; // the first two are the move types
struct Move { int kind, start, distance, maxVelocity, acceleration, stopAtMs; }; // stopAtMs 0: runs to the target
struct Encoder { int counts; bool encoderReversed, shaftReversed; int exponent, fullSteps, resolution; bool ready; };
} // namespace
Q_DECLARE_METATYPE(Move)
Q_DECLARE_METATYPE(Encoder)
Q_DECLARE_METATYPE(Command)

class TestSimulatedDrive : public QObject
{
    Q_OBJECT

private slots:
    void positioningMove_data();
    void positioningMove();
    void encoderAndClosedLoop_data();
    void encoderAndClosedLoop();
    void rejectedRequestsChangeNothing_data();
    void rejectedRequestsChangeNothing();
};

void TestSimulatedDrive::positioningMove_data()
{
    QTest::addColumn<Move>("move");
    QTest::newRow("trapezoid backward through parameter 0") << Move{TargetParameter, -500, -102400, 51200, 51200, 0};
    QTest::newRow("trapezoid just reaching max velocity, relative") << Move{Relative, 0, 25600, 12800, 6400, 0};
    QTest::newRow("triangle backward, absolute") << Move{Absolute, 300, -6400, 51200, 6400, 0};
    QTest::newRow("stopped while accelerating backward") << Move{Relative, 0, -1000000, 51200, 25600, 900};
}

// Moves take the time of their trapezoid (or triangle); a stopped one brakes with parameter 5.
void TestSimulatedDrive::positioningMove()
{
    QFETCH(Move, move);
    SimulatedDrive drive;
    sap(drive, {{1, move.start}, {4, move.maxVelocity}, {5, move.acceleration}});
    const double d = std::abs(move.distance), v = move.maxVelocity, a = move.acceleration;
    qint64 duration = std::llround((d < v * v / a ? 2 * std::sqrt(d / a) : d / v + v / a) * 1000);
    int target = move.start + move.distance;
    if (move.kind == TargetParameter)
        sap(drive, {{0, target}});
    else
        QCOMPARE(drive.move(0, move.kind, move.kind == Absolute ? target : move.distance), SimulatedDrive::StatusOk);
    if (move.stopAtMs) {
        drive.advance(move.stopAtMs);
        const double reached = std::abs(gap(drive, 2));
        duration = std::llround(reached / a * 1000);
        target = gap(drive, 1) + (move.distance < 0 ? -1 : 1) * int(std::lround(reached * reached / (2 * a)));
        QCOMPARE(drive.stop(0), SimulatedDrive::StatusOk);
    }
    for (qint64 ms = duration - 1; ms > 0; ms -= 7) {
        drive.advance(qMin<qint64>(ms, 7));
        QVERIFY(gap(drive, 2) != 0 && gap(drive, 8) == 0);
    }
    drive.advance(1);
    QCOMPARE(gap(drive, 2), 0);
    QCOMPARE(gap(drive, 8), move.stopAtMs ? 0 : 1);
    QVERIFY2(std::abs(gap(drive, 1) - target) <= (move.stopAtMs ? 2 : 0), qPrintable(QString::number(gap(drive, 1))));
}

void TestSimulatedDrive::encoderAndClosedLoop_data()
{
    QTest::addColumn<Encoder>("e");
    QTest::newRow("4000 counts, matching 210") << Encoder{4000, false, false, 8, 200, 4000, true};
    QTest::newRow("4000 counts, wrong 210") << Encoder{4000, false, false, 8, 200, 4096, false};
    QTest::newRow("4000 counts, wrong sign") << Encoder{4000, false, false, 8, 200, -4000, false};
    QTest::newRow("encoder reversed, negative 210") << Encoder{4000, true, false, 8, 200, -4000, true};
    QTest::newRow("shaft reversed, positive 210") << Encoder{4000, false, true, 8, 200, 4000, false};
    QTest::newRow("1000 counts, 16 microsteps") << Encoder{1000, false, false, 4, 200, 1000, false};
    QTest::newRow("65536 counts, 400 full steps, both reversed") << Encoder{65536, true, true, 8, 400, 65536, true};
}

// 209 counts as the encoder sees the shaft; closed loop needs 256 microsteps and 210 to match.
void TestSimulatedDrive::encoderAndClosedLoop()
{
    QFETCH(Encoder, e);
    SimulatedDrive drive;
    drive.setTrueEncoderResolution(e.counts);
    drive.setEncoderReversed(e.encoderReversed);
    sap(drive, {{251, e.shaftReversed}, {140, e.exponent}, {202, e.fullSteps}, {210, e.resolution}, {209, 777}});
    const int sign = e.encoderReversed != e.shaftReversed ? -1 : 1;
    for (int halfTurns : {3, -3}) { // one and a half revolutions forward, then back
        drive.move(0, 1, halfTurns * (1 << e.exponent) * e.fullSteps / 2);
        drive.advance(60000);
        const int counted = 777 + (halfTurns > 0 ? sign * e.counts * 3 / 2 : 0);
        QCOMPARE(gap(drive, 209), counted);
        sap(drive, {{251, !e.shaftReversed}}); // the turns made so far stay counted as they were
        QCOMPARE(gap(drive, 209), counted);
        sap(drive, {{251, e.shaftReversed}});
    }
    drive.move(0, 1, 2 << e.exponent); // two full steps, where the rotor rests: whole counts only
    drive.advance(5000);
    QCOMPARE(gap(drive, 209), 777 + int(std::floor(sign * 2.0 * e.counts / e.fullSteps)));
    sap(drive, {{129, 1}});
    drive.advance(SimulatedAxis::ClosedLoopInitTime - 1);
    QCOMPARE(gap(drive, 133), 0);
    drive.advance(1);
    QCOMPARE(gap(drive, 133), int(e.ready));
}

void TestSimulatedDrive::rejectedRequestsChangeNothing_data()
{
    QTest::addColumn<Command>("request");
    QTest::addColumn<int>("status");
    QTest::newRow("command 7") << Command(9, 7, 4, 0, 5) << SimulatedDrive::StatusInvalidCommand;
    QTest::newRow("move type 2") << Command(9, 4, 2, 0, 1000) << SimulatedDrive::StatusWrongType;
    QTest::newRow("set CL init flag") << Command(9, 5, 133, 0, 1) << SimulatedDrive::StatusReadOnly;
    QTest::newRow("set deviation error flag") << Command(9, 5, 207, 0, 1) << SimulatedDrive::StatusReadOnly;
    QTest::newRow("microstep exponent 9") << Command(9, 5, 140, 0, 9) << SimulatedDrive::StatusInvalidValue;
    QTest::newRow("relative move beyond 32 bits") << Command(9, 4, 1, 0, INT_MAX) << SimulatedDrive::StatusInvalidValue;
    QTest::newRow("move on motor 3") << Command(9, 4, 1, 3, 1000) << SimulatedDrive::StatusInvalidMotor;
}

void TestSimulatedDrive::rejectedRequestsChangeNothing()
{
    QFETCH(Command, request);
    QFETCH(int, status);
    SimulatedDrive drive;
    sap(drive, {{1, 10}}); // so that a relative move of INT_MAX leaves 32 bits
    drive.advance(2000);   // the rotor settles against the detent torque first
    const auto before = snapshot(drive);
    Command reply;
    QVERIFY(drive.execute(request, &reply) == status && reply.status() == status && reply.value() == request.value());
    drive.advance(2000); // nothing was started either
    QCOMPARE(snapshot(drive), before);
}

QTEST_GUILESS_MAIN(TestSimulatedDrive)
#include "tst_simulateddrive.moc"
