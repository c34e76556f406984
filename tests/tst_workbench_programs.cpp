#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "childprocess.h"
#include "comparisondialog.h"
#include "mainwindow.h"
#include "programcommands.h"
#include "programmenu.h"
#include "simulatedmodule.h"

namespace {

struct Outcome
{
    int code; // -1: crashed or hung
    QString out;
    QString err;
};

Outcome workbench(const QStringList& arguments)
{
    QProcess process;
    process.setProcessEnvironment(childEnvironment());
    process.start(GV7_WORKBENCH_PATH, arguments);
    const bool ended = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList hardware()
{
    return {"--encoder-resolution", "8192", "--encoder-reversed"};
}

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

} // namespace

// The program and report of one headless commissioning, made once, used by every case.
class TestWorkbenchPrograms : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void savedProgramAndReport();
    void failedRunReportedNotSaved();
    void commandLine_data();
    void commandLine();
    void applyFaults_data();
    void applyFaults();
    void oneChangedParameterOnOneAxis();
    void nothingToSave();

private:
    QTemporaryDir m_dir;
    QString m_program;
    QString m_report;
};

void TestWorkbenchPrograms::initTestCase()
{
    m_program = m_dir.filePath("p.kora");
    m_report = m_dir.filePath("r.json");
    const Outcome run = workbench(QStringList{"--auto", "--save-program", m_program, "--report", m_report, "--screenshots",
                                              m_dir.filePath("shots")} + hardware());
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY(run.out.contains("Closed loop ready to use.") && run.out.contains("Setup program saved to " + m_program));
    QVERIFY(QFileInfo(m_dir.filePath("shots/3-detection.png")).size() > 0);
}

void TestWorkbenchPrograms::savedProgramAndReport()
{
    QFile file(m_program);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    // The closed loop the user switched on goes in before the wait for its initialisation.
    QVERIFY(text.contains("  SAP 117, 0,     2000  //CL correction velocity I clipping\n"
                          "  SAP 129, 0,        1  //Closed loop on\n\nWaitInit:\n"));
    QVERIFY(text.startsWith("//Motor settings\n  SAP 251, 0,        0  //Reverse shaft\n"));
    QVERIFY(text.contains("  SAP 210, 0,    -8192  //Encoder resolution\n"));
    const QJsonObject report = readJson(m_report);
    QCOMPARE(report.value("result").toString(), QString("closed loop ready"));
    QCOMPARE(report.value("module").toObject().value("firmware").toString(), QString("7390"));
    QCOMPARE(report.value("setupProgram").toString(), text);
    QCOMPARE(report.value("encoderDetection").toObject().toVariantMap(),
             QVariantMap({{"resolution", 8192}, {"direction", "reversed"}}));
    const QJsonObject deviation = report.value("finalDeviation").toObject();
    QVERIFY(qAbs(deviation.value("deviationMicrosteps").toInt()) < 64);
    QVERIFY(deviation.value("actualPosition").toInt() != 0); // read after the motion test

    QStringList names;
    int settings = 0;
    const QJsonArray steps = report.value("steps").toArray();
    for (const QJsonValue& step : steps) {
        names << step.toObject().value("name").toString() + "=" + step.toObject().value("result").toString();
        settings += step.toObject().value("settings").toArray().size();
    }
    QCOMPARE(names, QStringList({"start-up=passed", "motor=passed", "encoder=passed", "closed loop=passed",
                                 "activate closed loop=passed", "motion test=passed"}));
    QCOMPARE(settings, text.count("  SAP ")); // every setting of the program belongs to exactly one step
    const QJsonObject encoderSetting = report.value("steps").toArray().at(2).toObject().value("settings").toArray().at(0).toObject();
    QCOMPARE(QList<int>({encoderSetting.value("parameter").toInt(), encoderSetting.value("value").toInt()}),
             QList<int>({210, -8192}));
}

// A production record is kept of a failed run too; the program of an unfinished commissioning is not.
void TestWorkbenchPrograms::failedRunReportedNotSaved()
{
    const QString program = m_dir.filePath("failed.kora");
    const QString report = m_dir.filePath("failed.json");
    QCOMPARE(workbench({"--auto", "--encoder-resolution", "3000", "--save-program", program, "--report", report}).code, 1);
    QVERIFY(!QFile::exists(program));
    const QJsonObject object = readJson(report);
    QCOMPARE(object.value("result").toString(), QString("failed"));
    QVERIFY(object.value("error").toString().contains("no standard encoder resolution"));
    const QJsonObject last = object.value("steps").toArray().last().toObject();
    QCOMPARE(last.value("name").toString() + "=" + last.value("result").toString(), QString("encoder=failed"));
}

// The command line: exit code and messages. A bad file stops before the check, which would
// pass on the module it left untouched.
void TestWorkbenchPrograms::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments"); // %1 is the program's path, %2 a directory
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("expected"); // in the output, standard error included
    // Batch commissioning: the program made on axis 0 sets up axes 1 and 2 of another module.
    QTest::newRow("apply then check other axes")
        << (QStringList{"--apply-program", "%1", "--check-program", "%1", "--axes", "1,2"} + hardware()) << 0
        << QStringList{"axis 1: applied %1", "axis 2: applied %1",
                       "axis 1: matches %1 (21 parameters compared, 1 position not)", "axis 2: matches %1"};
    QTest::newRow("axis never set up")
        << QStringList{"--check-program", "%1", "--axes", "2"} << 1
        << QStringList{"%1:9: axis 2, parameter 210 (Encoder resolution): expected -8192, found 4000",
                       "%1:27: axis 2, parameter 129 (Closed loop): expected 1, found 0",
                       "axis 2: 4 of 22 parameters differ from %1", "the module does not match %1"};
    QTest::newRow("file that cannot be read")
        << QStringList{"--apply-program", "%2", "--axes", "1", "--check-program", "%2"} << 1
        << QStringList{"%2: cannot read the file"};
}

void TestWorkbenchPrograms::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, expected);
    const Outcome run = workbench(arguments.replaceInStrings("%1", m_program).replaceInStrings("%2", m_dir.path()));
    QCOMPARE(run.code, exitCode);
    for (const QString& line : expected)
        QVERIFY2((run.out + run.err).contains(QString(line).replace("%1", m_program).replace("%2", m_dir.path())),
                 qPrintable(run.out + run.err));
    QCOMPARE(run.out.contains("matches"), exitCode == 0);
}

void TestWorkbenchPrograms::applyFaults_data()
{
    QTest::addColumn<QList<int>>("axes");
    QTest::addColumn<QStringList>("errors"); // %1 is the program's path
    // The wait for the closed loop never ends on a module whose encoder does not match.
    QTest::newRow("other encoder") << QList<int>{0, 1}
                                   << QStringList{"%1:31: the loop back to 'WaitInit' did not end within 10 s (the last value read was 0)",
                                                  "%1: stopped on axis 0; written there: lines 2-6, 9-11, 14-27"};
    // Every axis is checked before any is written.
    QTest::newRow("axis the module lacks") << QList<int>{1, 3}
                                           << QStringList{"%1:2:7: axis 3 has no parameter 251", "%1: nothing written"};
}

void TestWorkbenchPrograms::applyFaults()
{
    QFETCH(QList<int>, axes);
    QFETCH(QStringList, errors);
    SimulatedModule module;
    module.setManualClock(true);
    QString output;
    QTextStream stream(&output);
    ProgramCommands commands(&module, &stream, &stream);
    commands.setWait(ProgramCommands::waitFor(&module));
    QVERIFY(!commands.apply(m_program, axes));
    errors.replaceInStrings("%1", m_program);
    for (const QString& line : qAsConst(errors))
        QVERIFY2(output.contains(line + "\n"), qPrintable(output));
    QVERIFY(output.endsWith(errors.last() + "\n"));
    if (output.contains("nothing written"))
        QCOMPARE(module.commandCount(), 0);
}

void TestWorkbenchPrograms::oneChangedParameterOnOneAxis()
{
    SimulatedModule module;
    module.setTrueEncoderResolution(8192);
    module.setEncoderReversed(true);
    module.setManualClock(true);
    QString output;
    QTextStream stream(&output);
    ProgramCommands commands(&module, &stream, &stream);
    commands.setWait(ProgramCommands::waitFor(&module));
    QVERIFY2(commands.apply(m_program, {1, 2}), qPrintable(output));
    QVERIFY2(commands.check(m_program, {1, 2}), qPrintable(output));

    module.setAxisParameter(6, 2, 100);
    output.clear();
    QList<ProgramComparer::Row> rows;
    QVERIFY(!commands.check(m_program, {1, 2}, &rows));
    QVERIFY2(output.contains(m_program + ":6: axis 2, parameter 6 (Max. current): expected 128, found 100\n"),
             qPrintable(output));
    QVERIFY(output.contains("axis 1: matches"));
    QCOMPARE(ProgramComparer::differences(rows).size(), 1);

    ComparisonDialog dialog;
    dialog.setResult(output, rows);
    QCOMPARE(dialog.table()->rowCount(), rows.size());
    QStringList highlighted; // the difference comes first
    for (int r = 0; r < dialog.table()->rowCount(); ++r) {
        if (dialog.table()->item(r, 5)->background().color() == ComparisonDialog::DifferenceColour)
            highlighted << QString("%1:").arg(r) + dialog.table()->item(r, 0)->text() + "/"
                               + dialog.table()->item(r, 2)->text() + "/" + dialog.table()->item(r, 5)->text();
    }
    QCOMPARE(highlighted, QStringList{"0:2/6/100"});
}

void TestWorkbenchPrograms::nothingToSave()
{
    MainWindow window; // no plug-in: no start-up page and no history
    auto* menu = window.findChild<ProgramMenu*>();
    QVERIFY(menu);
    QString message;
    QVERIFY(!menu->saveFile(m_dir.filePath("none.kora"), &message));
    QVERIFY(message.contains("no setup program yet"));
    QVERIFY(!QFile::exists(m_dir.filePath("none.kora")));
}

QTEST_MAIN(TestWorkbenchPrograms)
#include "tst_workbench_programs.moc"
