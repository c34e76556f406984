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
    void stiffSettings_data();
    void stiffSettings();
    void hangingLoad();
    void runaway_data();
    void runaway();
    void integralDoesNotWindUp();
    void startUpCurrent();
    void correctionClipped_data();
    void correctionClipped();
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
    QTest::addColumn<bool>("viscous"); // the load as viscous friction of the same torque at that speed
    QTest::newRow("1 rev/s: the rotor lags by asin(load / kT I)") << 1.0 << false;
    QTest::newRow("14.5 rev/s: the current is limited, the field lags too") << 14.5 << false;
    QTest::newRow("1 rev/s, viscous friction: it brakes, the rotor lags") << 1.0 << true;
}

// Under a load, a backward move mirrors the forward one: the rotor lags by the same load
// angle, of the other sign.
void TestDrivePhysics::mirrorsBackwards()
{
    QFETCH(double, speed);
    QFETCH(bool, viscous);
    double angles[2] = {};
    double lags[2] = {};
    for (int direction : {0, 1}) {
        SimulatedDrive drive;
        MotorPhysics::Motor motor = withFriction(viscous ? 0.0 : 0.3);
        motor.viscousFriction = viscous ? 0.3 * motor.holdingTorque / (2 * Pi * speed) : 0.0;
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
// aggressive < balanced < conservative. Ten times the aggressive P rings.
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

void TestDrivePhysics::stiffSettings_data()
{
    QTest::addColumn<double>("viscousFriction"); // N m s/rad
    QTest::addColumn<double>("inertia");         // kg m^2, the rotor's
    QTest::addColumn<double>("loadInertia");
    QTest::addColumn<bool>("closedLoop");
    QTest::addColumn<bool>("moves"); // else the drive stops it on its deviation limit
    for (bool closedLoop : {false, true}) {
        const char* loop = closedLoop ? "closed loop" : "open loop";
        QTest::addRow("viscous friction 100, %s: cannot move", loop) << 100.0 << 3e-5 << 0.0 << closedLoop << false;
        QTest::addRow("rotor inertia 1e-7, %s", loop) << 0.0 << 1e-7 << 0.0 << closedLoop << true;
        QTest::addRow("rotor inertia 1e-7, viscous friction 100, %s: cannot move", loop) << 100.0 << 1e-7 << 0.0 << closedLoop
                                                                                         << false;
        QTest::addRow("load inertia 10, %s: cannot follow the ramp", loop) << 0.0 << 3e-5 << 10.0 << closedLoop << false;
    }
}

// Damping and inertia at the ends of their ranges: every state stays finite, and a motor that
// cannot move says so through its deviation limit.
void TestDrivePhysics::stiffSettings()
{
    QFETCH(double, viscousFriction);
    QFETCH(double, inertia);
    QFETCH(double, loadInertia);
    QFETCH(bool, closedLoop);
    QFETCH(bool, moves);
    MotorPhysics::Motor motor;
    motor.viscousFriction = viscousFriction;
    motor.inertia = inertia;
    motor.loadInertia = loadInertia;
    SimulatedDrive drive;
    prepare(drive, motor, closedLoop);
    drive.setAxisParameter(212, 0, 2000);
    drive.move(0, 1, Microsteps);
    double fastest = 0.0;
    for (int ms = 0; ms < 3000; ++ms, drive.advance(1)) {
        const double v = drive.axis(0)->physics().rotorVelocity();
        QVERIFY2(std::isfinite(v) && std::isfinite(drive.axis(0)->physics().rotorPosition()), qPrintable(QString::number(ms)));
        fastest = std::max(fastest, std::abs(v));
    }
    const QString figures = QString("lost %1, fastest %2 pps, 207 = %3").arg(lost(drive)).arg(fastest).arg(gap(drive, 207));
    QVERIFY2(fastest < 10 * Microsteps, qPrintable(figures));
    if (moves)
        QVERIFY2(gap(drive, 207) == 0 && std::abs(lost(drive)) < FullStep, qPrintable(figures));
    else
        QVERIFY2(gap(drive, 207) == 1 && gap(drive, 1) < Microsteps, qPrintable(figures));
}

// A weight of 30 % of the holding torque on a vertical axis. Held only by the standby current
// in open loop, it falls, braked by the windings the chopper holds shorted: it comes down at
// their terminal speed, T = (kT^2 R / (R^2 + (Nr w L)^2) + D) w. Switched to closed loop, the
// drive catches it and holds it.
void TestDrivePhysics::hangingLoad()
{
    MotorPhysics::Motor motor;
    motor.activeLoad = 0.3 * motor.holdingTorque;
    SimulatedDrive drive;
    prepare(drive, motor, false);
    drive.advance(3000);
    const double kT = 1.26 / 2.8;
    double model = 0.0;
    for (int i = 0; i < 50; ++i) {
        const double x = 50 * model * motor.inductance;
        model = motor.activeLoad / (kT * kT * motor.resistance / (motor.resistance * motor.resistance + x * x) + motor.damping);
    }
    const double terminal = -drive.axis(0)->physics().rotorVelocity() * 2 * Pi / Microsteps;
    QVERIFY2(std::abs(terminal / model - 1) < 0.05, qPrintable(QString("%1 rad/s, model %2").arg(terminal).arg(model)));

    drive.setAxisParameter(129, 0, 1);
    drive.advance(SimulatedAxis::ClosedLoopInitTime + 1000);
    QCOMPARE(gap(drive, 133), 1);
    // The scaler's minimum (113, 20 %) cannot carry 30 %: the rotor sags until the scaler has
    // risen again, by less than a full step.
    const double held = drive.axis(0)->physics().rotorPosition();
    double furthest = 0.0;
    for (int ms = 0; ms < 2000; ++ms, drive.advance(1))
        furthest = std::max(furthest, std::abs(drive.axis(0)->physics().rotorPosition() - held));
    QVERIFY2(furthest < FullStep, qPrintable(QString("moved %1").arg(furthest)));
    QCOMPARE(gap(drive, 207), 0);
}

void TestDrivePhysics::runaway_data()
{
    QTest::addColumn<bool>("moving"); // reversed during a move; else at rest, then a move
    QTest::addColumn<bool>("stop");   // and Stop at once
    QTest::newRow("reversed during a move") << true << false;
    QTest::newRow("reversed at rest, a move and Stop") << false << true;
}

// The encoder counts the wrong way under a running closed loop: the drive sees the rotor run
// away against its correction, stops with a fault and leaves the rotor at rest.
void TestDrivePhysics::runaway()
{
    QFETCH(bool, moving);
    QFETCH(bool, stop);
    SimulatedDrive drive;
    prepare(drive, MotorPhysics::Motor(), true);
    if (moving) {
        drive.move(0, 1, 10 * Microsteps);
        drive.advance(300);
    }
    drive.setEncoderReversed(true);
    if (!moving)
        drive.move(0, 1, 10 * Microsteps);
    if (stop)
        QCOMPARE(drive.stop(0), SimulatedDrive::StatusOk);
    double fastest = 0.0;
    for (int ms = 0; ms < 1000; ++ms, drive.advance(1))
        fastest = std::max(fastest, std::abs(drive.axis(0)->physics().rotorVelocity()));
    const QString figures = QString("fastest %1 pps, now %2 pps").arg(fastest).arg(drive.axis(0)->physics().rotorVelocity());
    QVERIFY2(drive.axis(0)->fault() == SimulatedAxis::Fault::Runaway, qPrintable(figures));
    QCOMPARE(gap(drive, 207), 1);
    QCOMPARE(gap(drive, 133), 0);
    QVERIFY2(fastest < 10 * Microsteps && std::abs(drive.axis(0)->physics().rotorVelocity()) < 100, qPrintable(figures));
}

// A long move at a velocity beyond what the motor reaches: the correction cannot make up the
// lag while the motor is at its limit, and the integral does not store it up for afterwards.
void TestDrivePhysics::integralDoesNotWindUp()
{
    SimulatedDrive drive;
    prepare(drive, MotorPhysics::Motor(), true);
    drive.setAxisParameter(4, 0, int(17.5 * Microsteps));
    drive.setAxisParameter(5, 0, 10 * Microsteps);
    const int target = 35 * Microsteps;
    drive.move(0, 1, target);
    double furthest = 0.0;
    for (int ms = 0; ms < 20000 && drive.axis(0)->isMoving(); ++ms, drive.advance(1))
        furthest = std::max(furthest, drive.axis(0)->physics().rotorPosition());
    for (int ms = 0; ms < 500; ++ms, drive.advance(1))
        furthest = std::max(furthest, drive.axis(0)->physics().rotorPosition());
    const QString figures = QString("overshoot %1, off %2").arg(furthest - target).arg(lost(drive));
    QVERIFY2(furthest - target < FullStep && std::abs(lost(drive)) < 2 * Counts / 1000.0 * 12.8, qPrintable(figures));
}

// The initialisation runs at the start-up current (126), and the closed loop starts from it.
void TestDrivePhysics::startUpCurrent()
{
    SimulatedDrive drive;
    drive.setTrueEncoderResolution(Counts);
    drive.setAxisParameter(210, 0, Counts);
    drive.setAxisParameter(126, 0, 100);
    drive.setAxisParameter(129, 0, 1);
    drive.advance(SimulatedAxis::ClosedLoopInitTime / 2);
    QCOMPARE(drive.axis(0)->driveSignals().currentAmplitude, 100.0 * 100 / 255);
    drive.advance(SimulatedAxis::ClosedLoopInitTime / 2);
    QCOMPARE(gap(drive, 133), 1);
    QCOMPARE(drive.axis(0)->controller().scaler(), 100.0 / 255);
}

void TestDrivePhysics::correctionClipped_data()
{
    QTest::addColumn<int>("distance");
    QTest::newRow("forwards") << 51000;
    QTest::newRow("backwards") << -51000;
}

// Under a heavy load the correction velocity reaches its clipping (119) and stays within it,
// in either direction.
void TestDrivePhysics::correctionClipped()
{
    QFETCH(int, distance);
    const int clipping = 1000;
    SimulatedDrive drive;
    prepare(drive, withFriction(0.8), true);
    drive.setAxisParameter(115, 0, 10000);
    drive.setAxisParameter(119, 0, clipping);
    drive.move(0, 1, distance);
    double low = 0.0, high = 0.0;
    for (int ms = 0; ms < 2000; ++ms, drive.advance(1)) {
        low = std::min(low, drive.axis(0)->driveSignals().correctionVelocity);
        high = std::max(high, drive.axis(0)->driveSignals().correctionVelocity);
    }
    const double reached = distance > 0 ? high : -low;
    QVERIFY2(low >= -clipping && high <= clipping && reached == clipping, qPrintable(QString("%1 to %2").arg(low).arg(high)));
}

QTEST_GUILESS_MAIN(TestDrivePhysics)
#include "tst_drivephysics.moc"
