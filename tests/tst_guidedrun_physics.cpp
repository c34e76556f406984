// The drive bench in the workbench: the motor settings of the Module menu and the command
// line. The guided run under load is in tst_guidedrun.

#include <QLabel>
#include <QProcess>
#include <QtTest>

#include "childprocess.h"
#include "mainwindow.h"
#include "simulatedmodule.h"

class TestGuidedRunPhysics : public QObject
{
    Q_OBJECT

private slots:
    void motorSettings();
    void commandLine_data();
    void commandLine();
};

// The load is a share of the holding torque and stays one when that changes; bad values are
// ignored.
void TestGuidedRunPhysics::motorSettings()
{
    MainWindow window;
    window.setLoadPercent(80);
    window.setHoldingTorque(2.5);
    window.setInertia(2e-4);
    window.setMotorValue("activeLoadPercent", 40);
    window.setMotorValue("supplyVoltage", 24);
    for (double bad : {-1.0, 1001.0, qQNaN()})
        window.setLoadPercent(bad);
    window.setHoldingTorque(0);
    window.setInertia(-1);
    window.setMotorValue("supplyVoltage", 0);
    window.setMotorValue("loadInertia", -1e-3);
    window.setMotorValue("activeLoadPercent", qQNaN());
    const MotorPhysics::Motor& motor = window.module()->motor();
    QCOMPARE(motor.loadTorque, 2.0);
    QCOMPARE(motor.activeLoad, 1.0);
    QCOMPARE(motor.holdingTorque, 2.5);
    QCOMPARE(motor.inertia, 2e-4);
    QCOMPARE(motor.supplyVoltage, 24.0);
    QCOMPARE(motor.loadInertia, 0.0);
    QCOMPARE(window.findChild<QLabel*>("lblMotor")->text(), QString::fromUtf8("Load 80 % of 2.5 N·m, inertia 2·10⁻⁴ kg·m²"));
}

void TestGuidedRunPhysics::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // in the output, standard error included
    QTest::newRow("headless compare under load")
        << QStringList{"--auto", "--load", "80", "--compare-open-loop"} << 0
        << "The closed loop held the position, the open loop lost steps.";
    QTest::newRow("headless overload fails") << QStringList{"--auto", "--load", "120"} << 1
                                             << "the guided commissioning failed: motion test, closed loop: the move ended";
    QTest::newRow("headless vertical axis") << QStringList{"--auto", "--active-load", "50"} << 0
                                            << "of the holding torque, active load 0.63 N m (50 %).";
    QTest::newRow("supply voltage 0") << QStringList{"--supply-voltage", "0"} << 2 << "--supply-voltage needs a number";
    QTest::newRow("load not a number") << QStringList{"--load", "much"} << 2 << "--load needs a percentage";
    QTest::newRow("holding torque 0") << QStringList{"--holding-torque", "0"} << 2 << "--holding-torque needs a torque";
    QTest::newRow("inertia not a number") << QStringList{"--inertia", "nan"} << 2 << "--inertia needs an inertia";
}

void TestGuidedRunPhysics::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    QProcess workbench;
    workbench.setProcessEnvironment(childEnvironment());
    workbench.start(GV7_WORKBENCH_PATH, arguments);
    QVERIFY(workbench.waitForFinished(120000));
    const QString output = QString::fromUtf8(workbench.readAllStandardOutput() + workbench.readAllStandardError());
    QVERIFY2(workbench.exitStatus() == QProcess::NormalExit && workbench.exitCode() == exitCode, qPrintable(output));
    QVERIFY2(output.contains(expected), qPrintable(output));
}

QTEST_MAIN(TestGuidedRunPhysics)
#include "tst_guidedrun_physics.moc"
