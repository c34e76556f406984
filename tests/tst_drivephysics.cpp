// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <climits>
#include <cmath>

#include "benchmove.h"
#include "simulateddrive.h"

// The simulated drive's motor: its natural frequency and pull-out curve against the textbook
// model, moves under load in both directions and both loops, and the deviation guard.
namespace {
const int Microsteps = 51200; // per revolution at the defaults: 200 full steps, 256 microsteps
const int FullStep = 256;
const int Period = 4 * FullStep;
const int Counts = 4000;
const double Pi = 3.14159265358979323846;

int gap(const SimulatedDrive& drive, int type)
{
    int value = 0;
    return drive.getAxisParameter(type, 0, &value) == SimulatedDrive::StatusOk ? value : INT_MIN;
}

// A drive whose encoder matches parameter 210; the motor is coupled after the closed loop
// (if any) has started, as on a bench.
void prepare(SimulatedDrive& drive, const MotorPhysics::Motor& motor, bool closedLoop)
{
    drive.setTrueEncoderResolution(Counts);
    drive.setAxisParameter(210, 0, Counts);
    if (closedLoop) {
        drive.setAxisParameter(129, 0, 1);
        drive.advance(SimulatedAxis::ClosedLoopInitTime);
    }
    drive.setMotor(motor);
    QCOMPARE(gap(drive, 133), closedLoop ? 1 : 0);
}

MotorPhysics::Motor withFriction(double share)
{
    MotorPhysics::Motor motor;
    motor.loadTorque = share * motor.holdingTorque;
    return motor;
}

// Runs the ramp to its end (or a stop) and half a second beyond; the largest following error
// on the way, in microsteps.
double finish(SimulatedDrive& drive)
{
    double largest = 0.0;
    for (int ms = 0; ms < 120000 && drive.axis(0)->isMoving(); ++ms) {
        drive.advance(1);
        largest = std::max(largest, std::abs(drive.axis(0)->driveSignals().followingError));
    }
    drive.advance(500);
    return largest;
}

double lost(const SimulatedDrive& drive)
{
    return drive.axis(0)->exactPosition() - drive.axis(0)->physics().rotorPosition();
}
} // namespace

class TestDrivePhysics : public QObject
{
    Q_OBJECT

private slots:
    void naturalFrequency_data();
    void naturalFrequency();
    void pullOut_data();
    void pullOut();
    void motionTestMove_data();
    void motionTestMove();
    void mirrorsBackwards_data();
    void mirrorsBackwards();
    void slipsWholePeriods();
    void closedLoopStartsWhereTheRotorIs();
    void deviationLimit_data();
    void deviationLimit();
    void presetsOrdered();
    void releasedAfterAStall();
    void activeLoadPullsBackward();
    void measuredVelocityFiltered();
    void independentOfChunking();
};

void TestDrivePhysics::naturalFrequency_data()
{
    QTest::addColumn<double>("current"); // fraction of the rated current
    QTest::newRow("rated current") << 1.0;
    QTest::newRow("half the current") << 0.5;
}

// A small step of the field, a quarter full step from a detent position (where the detent
// adds no stiffness), rings at sqrt(Nr kT I / J) / 2 pi.
void TestDrivePhysics::naturalFrequency()
{
    QFETCH(double, current);
    MotorPhysics physics;
    physics.reset(64);
    MotorPhysics::Drive drive;
    drive.current = current;
    drive.field = 64;
    physics.step(drive, 0.01);
    drive.field = 72;
    const double dt = 2e-5;
    double previous = 0.0;
    QList<double> crossings; // of the velocity, which swings about 0 whatever the detent shifts
    for (int i = 0; i < 2000; ++i) {
        physics.step(drive, dt);
        const double v = physics.rotorVelocity();
        if (i > 0 && (v > 0) != (previous > 0))
            crossings.append(i * dt - dt * v / (v - previous));
        previous = v;
    }
    QVERIFY(crossings.size() >= 6);
    const double measured = (crossings.size() - 1) / 2.0 / (crossings.last() - crossings.first());
    const double model = std::sqrt(50 * 1.26 * current / 3.0e-5) / (2 * Pi); // sqrt(Nr kT I / J) / 2 pi
    QVERIFY2(std::abs(measured / model - 1) < 0.05, qPrintable(QString("%1 Hz, model %2 Hz").arg(measured).arg(model)));
}

void TestDrivePhysics::pullOut_data()
{
    QTest::addColumn<int>("runCurrent"); // parameter 6
    QTest::addColumn<double>("speed");   // rev/s
    for (int current : {255, 128})
        for (double speed : {2.0, 8.0, 13.0, 14.5, 16.0})
            QTest::addRow("current %d, %.1f rev/s", current, speed) << current << speed;
}

// The load at which an open-loop motor falls out of step at a speed, found by bisection, is
// the model's pull-out torque kT min(I_set, I_max(w)). Without detent torque, which the model
// neglects (with it the motor pulls out Td earlier at low speed).
void TestDrivePhysics::pullOut()
{
    QFETCH(int, runCurrent);
    QFETCH(double, speed);
    auto holds = [&](double load) {
        SimulatedDrive drive;
        MotorPhysics::Motor motor;
        motor.detentTorque = 0.0;
        motor.loadTorque = load;
        drive.setMotor(motor);
        drive.setAxisParameter(6, 0, runCurrent);
        drive.setAxisParameter(4, 0, int(speed * Microsteps));
        drive.setAxisParameter(5, 0, int(speed * Microsteps));
        drive.move(0, 1, int(3 * speed * Microsteps));
        drive.advance(1500); // cruising for half a second
        return std::abs(lost(drive)) < Period / 2;
    };
    double low = 0.0;
    double high = 1.5;
    for (int i = 0; i < 14; ++i)
        (holds((low + high) / 2) ? low : high) = (low + high) / 2;
    // The model, from the defaults: 1.26 N m at 2.8 A, 0.9 ohm, 2.5 mH, 48 V, 50 teeth.
    const double kT = 1.26 / 2.8, w = 2 * Pi * speed, emf = kT * w, x = 50 * w * 2.5e-3, r = 0.9, z2 = r * r + x * x;
    const double reachable = (-r * emf + std::sqrt(r * r * emf * emf - z2 * (emf * emf - 48.0 * 48.0))) / z2;
    const double model = kT * std::min(runCurrent / 255.0 * 2.8, reachable);
    QVERIFY2(std::abs(low / model - 1) < 0.05, qPrintable(QString("%1 N m, model %2 N m").arg(low).arg(model)));
}

void TestDrivePhysics::motionTestMove_data()
{
    QTest::addColumn<double>("load"); // Coulomb friction, share of the holding torque
    QTest::addColumn<bool>("closedLoop");
    QTest::addColumn<int>("distance");
    QTest::addColumn<double>("least"); // final deviation, microsteps, positive when behind
    QTest::addColumn<double>("most");
    QTest::addColumn<double>("during"); // largest following error on the way, at most
    // The standby current (7 = 8, 3 %) holds the rotor against the detent torque only at a
    // full step: 51000 ends a fifth of a full step past one, and the rotor settles 45
    // microsteps back (4 counts).
    QTest::newRow("no load, open loop") << 0.0 << false << 51000 << 0.0 << 64.0 << 1e9;
    QTest::newRow("no load, closed loop: in the target's count") << 0.0 << true << 51000 << -12.8 << 12.8 << 128.0;
    QTest::newRow("no load, closed loop, backwards") << 0.0 << true << -51000 << -12.8 << 12.8 << 128.0;
    // The run current (6 = 128) carries half the holding torque: at 80 % nothing moves.
    QTest::newRow("80 %, open loop: stalls") << 0.8 << false << 51000 << 50900.0 << 51100.0 << 1e9;
    QTest::newRow("80 %, open loop backwards: stalls") << 0.8 << false << -51000 << -51100.0 << -50900.0 << 1e9;
    // The closed loop raises the current and holds the rotor within a full step all the way.
    QTest::newRow("80 %, closed loop: holds during the move") << 0.8 << true << 51000 << -64.0 << 64.0 << double(FullStep);
    QTest::newRow("80 %, closed loop backwards: holds") << 0.8 << true << -51000 << -64.0 << 64.0 << double(FullStep);
    QTest::newRow("120 %, closed loop: stalls") << 1.2 << true << 51000 << 50900.0 << 51100.0 << 1e9;
}

// The start-up page's motion test, 51000 microsteps at 1 rev/s.
void TestDrivePhysics::motionTestMove()
{
    QFETCH(double, load);
    QFETCH(bool, closedLoop);
    QFETCH(int, distance);
    QFETCH(double, least);
    QFETCH(double, most);
    QFETCH(double, during);
    SimulatedDrive drive;
    prepare(drive, withFriction(load), closedLoop);
    drive.move(0, 1, distance);
    const double largest = finish(drive);
    QCOMPARE(gap(drive, 1), distance); // the position counter does not see it
    const double deviation = drive.axis(0)->positionDeviation() * Microsteps / Counts;
    QVERIFY2(deviation >= least && deviation <= most && largest <= during,
             qPrintable(QString("deviation %1, largest on the way %2").arg(deviation).arg(largest)));
    // At rest in closed loop the current scaler is back down at its minimum (113 = 50 of 255).
    if (closedLoop && load < 1)
        QVERIFY2(std::abs(drive.axis(0)->driveSignals().currentScaler - 100.0 * 50 / 255) < 0.01,
                 qPrintable(QString::number(drive.axis(0)->driveSignals().currentScaler)));
}

void TestDrivePhysics::mirrorsBackwards_data()
{
    QTest::addColumn<double>("speed"); // rev/s
    QTest::newRow("1 rev/s: the rotor lags by asin(load / kT I)") << 1.0;
    QTest::newRow("14.5 rev/s: the current is limited, the field lags too") << 14.5;
}

// Under a load, a backward move mirrors the forward one: the rotor lags by the same load
// angle, of the other sign.
void TestDrivePhysics::mirrorsBackwards()
{
    QFETCH(double, speed);
    double angles[2] = {};
    double lags[2] = {};
    for (int direction : {0, 1}) {
        SimulatedDrive drive;
        MotorPhysics::Motor motor = withFriction(0.3);
        motor.detentTorque = 0.0;
        prepare(drive, motor, false);
        drive.setAxisParameter(6, 0, 255);
        drive.setAxisParameter(4, 0, int(speed * Microsteps));
        drive.setAxisParameter(5, 0, int(speed * Microsteps));
        drive.move(0, 1, int((direction ? -4 : 4) * speed * Microsteps));
        drive.advance(2000); // on the straight
        angles[direction] = drive.axis(0)->loadAngle();
        lags[direction] = lost(drive);
    }
    const double expected = std::asin(0.3) * 180 / Pi;
    QVERIFY2(std::abs(angles[1] + angles[0]) < 1e-6 && std::abs(lags[1] + lags[0]) < 1e-6,
             qPrintable(QString("%1 / %2, %3 / %4").arg(angles[0]).arg(angles[1]).arg(lags[0]).arg(lags[1])));
    if (speed == 1.0)
        QVERIFY2(std::abs(angles[0] - expected) < 0.5 && std::abs(lags[0] - expected / 360 * Period) < 2,
                 qPrintable(QString::number(angles[0])));
}

// Too much load inertia for the ramp: the rotor falls out of step while the field
// accelerates and brakes, and falls back into step whole electrical periods off.
void TestDrivePhysics::slipsWholePeriods()
{
    SimulatedDrive drive;
    MotorPhysics::Motor motor;
    motor.loadInertia = 5e-3;
    prepare(drive, motor, false);
    for (int type : {6, 7})
        drive.setAxisParameter(type, 0, 255);
    drive.setAxisParameter(5, 0, 2000000);
    drive.move(0, 1, 5 * Microsteps);
    finish(drive);
    drive.advance(20000); // the slow ringing of the heavy rotor dies down
    const double periods = lost(drive) / Period;
    QVERIFY2(std::abs(periods) >= 1 && std::abs(periods - std::round(periods)) < 0.02, qPrintable(QString::number(periods)));
    QCOMPARE(drive.axis(0)->positionDeviation(), std::round(periods) * Period * Counts / Microsteps);
}

// Steps lost before the closed loop was initialised are not its to make up: it takes the
// rotor as it finds it, and then holds it.
void TestDrivePhysics::closedLoopStartsWhereTheRotorIs()
{
    SimulatedDrive drive;
    prepare(drive, withFriction(0.8), false);
    drive.move(0, 1, 51000);
    finish(drive);
    const double stalled = drive.axis(0)->physics().rotorPosition();
    QVERIFY(lost(drive) > 50000);
    drive.setAxisParameter(129, 0, 1);
    drive.advance(SimulatedAxis::ClosedLoopInitTime + 500);
    QCOMPARE(gap(drive, 133), 1);
    QCOMPARE(drive.axis(0)->positionDeviation(), 0.0);
    drive.move(0, 1, 51000);
    finish(drive);
    QVERIFY2(std::abs(drive.axis(0)->physics().rotorPosition() - stalled - 51000) < 2 * FullStep,
             qPrintable(QString::number(drive.axis(0)->physics().rotorPosition() - stalled)));
}

void TestDrivePhysics::deviationLimit_data()
{
    QTest::addColumn<double>("load");
    QTest::addColumn<bool>("closedLoop");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("distance");
    QTest::newRow("120 %, closed loop, 212 = 2000 stops the drive") << 1.2 << true << 2000 << 51000;
    QTest::newRow("120 %, closed loop, 212 = 0 never stops it") << 1.2 << true << 0 << 51000;
    QTest::newRow("80 %, open loop, 212 = 2000 stops the drive") << 0.8 << false << 2000 << 51000;
    QTest::newRow("80 %, open loop backwards, 212 = 2000 stops the drive") << 0.8 << false << 2000 << -51000;
}

void TestDrivePhysics::deviationLimit()
{
    QFETCH(double, load);
    QFETCH(bool, closedLoop);
    QFETCH(int, limit);
    QFETCH(int, distance);
    SimulatedDrive drive;
    prepare(drive, withFriction(load), closedLoop);
    drive.setAxisParameter(212, 0, limit);
    drive.move(0, 1, distance);
    finish(drive);
    QCOMPARE(gap(drive, 207), limit ? 1 : 0);
    QVERIFY2(limit ? std::abs(gap(drive, 1)) < 51000 : gap(drive, 1) == distance, qPrintable(QString::number(gap(drive, 1))));
    QCOMPARE(gap(drive, 3), 0); // the stalled rotor measures no velocity
    drive.move(0, 1, distance / 510); // the next move clears the flag and trips again at once
    QCOMPARE(gap(drive, 207), 0);
    drive.advance(1);
    QCOMPARE(gap(drive, 207), limit ? 1 : 0);
}

// On the bench move, higher gains follow more closely: peak following error ordered
// aggressive < balanced < conservative; tight clippings follow worse. Ten times the aggressive
// P rings.
void TestDrivePhysics::presetsOrdered()
{
    const BenchMove::Result aggressive = BenchMove::run({{115, 10000}, {116, 1500}});
    const BenchMove::Result balanced = BenchMove::run({{115, 5000}, {116, 400}});
    const BenchMove::Result conservative = BenchMove::run({{115, 500}, {116, 200}});
    const QString figures = QString("rms %1 %2 %3, peak %4 %5 %6").arg(aggressive.rms).arg(balanced.rms).arg(conservative.rms)
                                .arg(aggressive.peak).arg(balanced.peak).arg(conservative.peak);
    // Aggressive and balanced lie within a few microsteps of each other, inside the spread of
    // the start phase; both follow clearly better than conservative.
    QVERIFY2(aggressive.rms < 0.8 * conservative.rms && balanced.rms < 0.8 * conservative.rms, qPrintable(figures));
    QVERIFY2(aggressive.peak < balanced.peak && balanced.peak < conservative.peak, qPrintable(figures));
    // The clippings bound the correction: 119 its velocity, 117 the integral.
    const double defaults = BenchMove::run({}).rms;
    for (const auto& clipping : {qMakePair(119, 1000), qMakePair(117, 0)})
        QVERIFY2(BenchMove::run({clipping}).rms > defaults, qPrintable(QString::number(clipping.first)));
    const BenchMove::Result tenfold = BenchMove::run({{115, 10000}, {116, 1500}}, BenchMove::loadedMotor(), 10.0);
    QVERIFY2(tenfold.rms > 1.5 * aggressive.rms && tenfold.peak > aggressive.peak,
             qPrintable(QString("tenfold P: rms %1, peak %2").arg(tenfold.rms).arg(tenfold.peak)));
}

// A stall stores nothing up: released, the rotor catches up with the target and does not run
// past it by what the saturated field could not deliver.
void TestDrivePhysics::releasedAfterAStall()
{
    SimulatedDrive drive;
    prepare(drive, withFriction(1.2), true);
    drive.move(0, 1, 51000);
    drive.advance(3000);
    QVERIFY(drive.axis(0)->physics().rotorPosition() < FullStep);
    drive.setMotor(withFriction(0.0));
    double most = 0.0;
    for (int ms = 0; ms < 3000; ++ms, drive.advance(1))
        most = std::max(most, drive.axis(0)->physics().rotorPosition());
    QVERIFY2(most < 51000 + FullStep && std::abs(lost(drive)) < FullStep, qPrintable(QString::number(most)));
}

// An active load (a vertical axis) pulls backward: at rest the rotor sags behind its field by
// asin(load / kT I).
void TestDrivePhysics::activeLoadPullsBackward()
{
    SimulatedDrive drive;
    MotorPhysics::Motor motor;
    motor.detentTorque = 0.0;
    motor.activeLoad = 0.3 * motor.holdingTorque;
    prepare(drive, motor, false);
    drive.setAxisParameter(7, 0, 255);
    drive.advance(2000);
    const double angle = drive.axis(0)->loadAngle();
    QVERIFY2(std::abs(angle - std::asin(0.3) * 180 / Pi) < 0.5, qPrintable(QString::number(angle)));
}

// The measured velocity (3) is filtered: at 3.125 counts per millisecond it does not jump by a
// count per millisecond (12800 pps).
void TestDrivePhysics::measuredVelocityFiltered()
{
    SimulatedDrive drive;
    prepare(drive, withFriction(0.0), false);
    drive.setAxisParameter(4, 0, 40000);
    drive.move(0, 1, 4 * Microsteps);
    drive.advance(1500);
    int low = INT_MAX, high = INT_MIN;
    for (int ms = 0; ms < 200; ++ms, drive.advance(1)) {
        low = std::min(low, gap(drive, 3));
        high = std::max(high, gap(drive, 3));
    }
    QVERIFY2(high - low < 12800 && std::abs(low - 40000) < 6400, qPrintable(QString("%1 to %2").arg(low).arg(high)));
}

// Fixed internal steps: the same milliseconds cut differently give the same rotor.
void TestDrivePhysics::independentOfChunking()
{
    SimulatedDrive whole, pieces;
    for (SimulatedDrive* drive : {&whole, &pieces}) {
        prepare(*drive, withFriction(0.3), true);
        drive->move(0, 1, 3 * Microsteps);
    }
    whole.advance(1500);
    const int chunks[] = {1, 7, 3};
    for (int i = 0; pieces.time() < whole.time(); ++i)
        pieces.advance(qMin<qint64>(chunks[i % 3], whole.time() - pieces.time()));
    QCOMPARE(pieces.axis(0)->physics().rotorPosition(), whole.axis(0)->physics().rotorPosition());
    QCOMPARE(gap(pieces, 209), gap(whole, 209));
}

QTEST_GUILESS_MAIN(TestDrivePhysics)
#include "tst_drivephysics.moc"
