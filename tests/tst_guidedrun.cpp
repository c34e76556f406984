// The whole guided commissioning, headless, on the simulated module: the run only succeeds
// when the motor, encoder and closed-loop steps really work together.

#include <QMdiArea>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

#include "childprocess.h"
#include "guidedrun.h"
#include "moduleinterface.h"
#include "pluginhost.h"
#include "simulatedmodule.h"

namespace {

QString line(SimulatedModule& module, int type, int value, const QString& comment = QString())
{
    return QStringLiteral("  SAP %1, 0, %2  //%3")
        .arg(type, 3)
        .arg(value, 8)
        .arg(comment.isEmpty() ? module.getParameter(QStringLiteral("axis0"), type).comment : comment);
}

} // namespace

class TestGuidedRun : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void workbenchAuto();
};

void TestGuidedRun::run_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("failure"); // empty: the run must succeed
    QTest::newRow("default encoder 4000") << 4000 << false << QString();
    QTest::newRow("reversed encoder 8192") << 8192 << true << QString();
    QTest::newRow("reversed encoder 1000") << 1000 << true << QString();
    QTest::newRow("non-standard encoder 3000") << 3000 << false << "no standard encoder resolution";
    QTest::newRow("encoder without signal") << 0 << false << "no standard encoder resolution";
}

void TestGuidedRun::run()
{
    QFETCH(int, resolution);
    QFETCH(bool, reversed);
    QFETCH(QString, failure);

    QMdiArea area;
    area.resize(1400, 900);
    area.show();
    SimulatedModule module;
    module.setManualClock(true);
    module.setTrueEncoderResolution(resolution);
    module.setEncoderReversed(reversed);
    PluginHost host;
    QVERIFY2(host.load(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    QCOMPARE(host.createTools(&module, &area, QStringLiteral("module1")).size(), 4);

    QString output;
    QTextStream out(&output);
    GuidedRun run(&host, &module, &out);
    const bool succeeded = run.run();
    if (!failure.isEmpty()) {
        QVERIFY(!succeeded);
        QVERIFY2(run.errorString().contains(failure), qPrintable(run.errorString()));
        return;
    }
    QVERIFY2(succeeded, qPrintable(run.errorString() + "\n" + output));

    // The three fragments in the history, in their order, with what the run chose; the pages'
    // own tests check every line.
    const QString program = run.setupProgram();
    const QStringList wanted = {"//Motor settings", line(module, 140, 8, QString::fromUtf8("256 µsteps")),
                                "\n\n//Encoder settings", line(module, 210, reversed ? -resolution : resolution),
                                "\n\n//Closed Loop settings", line(module, 116, 400), line(module, 115, 5000),
                                "\nWaitInit:\n  GAP 133, 0            //Wait until CL-init finished\n   JC  ZE, WaitInit\n"};
    int at = 0;
    for (const QString& part : wanted) {
        at = program.indexOf(part, at);
        QVERIFY2(at >= 0, qPrintable(part + "\nmissing in\n" + program));
    }
    QVERIFY(program.endsWith(wanted.last()));

    // What the run left on the module: the closed loop is on and initialised.
    QCOMPARE(module.getAxisParameter(129, 0), 1);
    QCOMPARE(module.getAxisParameter(133, 0), 1);
    QCOMPARE(module.getAxisParameter(210, 0), reversed ? -resolution : resolution);
    QVERIFY(output.contains("Setup program:"));
}

void TestGuidedRun::workbenchAuto()
{
    QTemporaryDir pictures;
    QProcess workbench;
    workbench.setProcessEnvironment(childEnvironment());
    workbench.start(GV7_WORKBENCH_PATH, {"--auto", "--encoder-resolution", "8192", "--encoder-reversed",
                                          "--screenshots", pictures.path()});
    QVERIFY(workbench.waitForFinished(120000));
    const QString output = QString::fromUtf8(workbench.readAllStandardOutput());
    QVERIFY2(workbench.exitStatus() == QProcess::NormalExit && workbench.exitCode() == 0,
             qPrintable(output + workbench.readAllStandardError()));
    QVERIFY(output.contains("  SAP 210, 0,    -8192  //"));
    QVERIFY(output.contains("Closed loop ready to use."));
    QVERIFY(QFileInfo(pictures.filePath("3-detection.png")).size() > 0);
}

QTEST_MAIN(TestGuidedRun)
#include "tst_guidedrun.moc"
