// The drive bench in the workbench: the motor settings of the Module menu and the command
// line, and the guided run that compares open and closed loop under load.

#include <QLabel>
#include <QMdiArea>
#include <QProcess>
#include <QTextStream>
#include <QtTest>

#include "childprocess.h"
#include "guidedrun.h"
#include "mainwindow.h"
#include "pluginhost.h"
#include "simulatedmodule.h"

class TestGuidedRunPhysics : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false")); }
    void motorSettings();
    void compareOpenLoop_data();
    void compareOpenLoop();
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
    for (double bad : {-1.0, 1001.0, qQNaN()})
        window.setLoadPercent(bad);
    window.setHoldingTorque(0);
    window.setInertia(-1);
    const MotorPhysics::Motor& motor = window.module()->motor();
    QCOMPARE(motor.loadTorque, 2.0);
    QCOMPARE(motor.holdingTorque, 2.5);
    QCOMPARE(motor.inertia, 2e-4);
    QCOMPARE(window.findChild<QLabel*>("lblMotor")->text(), QString::fromUtf8("Load 80 % of 2.5 N·m, inertia 0.0002 kg·m²"));
}

void TestGuidedRunPhysics::compareOpenLoop_data()
{
    QTest::addColumn<double>("load");
    QTest::addColumn<QString>("openLoop");
    QTest::addColumn<QString>("closedLoop");
    // 80 % stalls the motor in open loop at the run current: all 51000 microsteps lost, as
    // 3984 counts of 12.8 microsteps.
    QTest::newRow("80 %") << 80.0 << "50995 microsteps" << "0 microsteps";
    QTest::newRow("no load") << 0.0 << "0 microsteps" << "0 microsteps";
}

void TestGuidedRunPhysics::compareOpenLoop()
{
    QFETCH(double, load);
    QFETCH(QString, openLoop);
    QFETCH(QString, closedLoop);
    QMdiArea area;
    area.resize(1400, 900);
    area.show();
    SimulatedModule module;
    MotorPhysics::Motor motor;
    motor.loadTorque = load / 100 * motor.holdingTorque;
    module.setMotor(motor);
    PluginHost host;
    QVERIFY2(host.load(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    QCOMPARE(host.createTools(&module, &area, QStringLiteral("module1")).size(), 4);

    QString output;
    QTextStream out(&output);
    GuidedRun run(&host, &module, &out);
    run.setCompareOpenLoop(true);
    QVERIFY2(run.run(), qPrintable(run.errorString() + "\n" + output));
    QVERIFY2(output.contains(QStringLiteral("Deviation after the first move: open loop %1, closed loop %2.")
                                 .arg(openLoop, closedLoop)),
             qPrintable(output));
    // The detection ran uncoupled: it found the encoder whatever the load.
    QVERIFY(output.contains("found 4000 counts per revolution"));
    QCOMPARE(output.contains("Load coupled for the motion test: 0.8 N m, 80 % of the holding torque."), load > 0);
    QCOMPARE(output.count("deviation of actual and encoder position"), 4);
    QCOMPARE(module.motor().loadTorque, motor.loadTorque);
}

void TestGuidedRunPhysics::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // in the output, standard error included
    QTest::newRow("headless compare under load")
        << QStringList{"--auto", "--load", "80", "--compare-open-loop"} << 0
        << "Deviation after the first move: open loop 50995 microsteps, closed loop 0 microsteps.";
    QTest::newRow("load not a number") << QStringList{"--load", "much"} << 2 << "--load needs a percentage";
    QTest::newRow("negative load") << QStringList{"--load", "-5"} << 2 << "--load needs a percentage";
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
