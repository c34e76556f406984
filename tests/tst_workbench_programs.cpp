#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "childprocess.h"
#include "comparisondialog.h"
#include "koraparser.h"
#include "mainwindow.h"
#include "programcommands.h"
#include "programmenu.h"
#include "simulatedmodule.h"

namespace {

struct Outcome
{
    int code = -1;
    QString out;
    QString err;
};

Outcome workbench(const QStringList& arguments)
{
    QProcess process;
    process.setProcessEnvironment(childEnvironment());
    process.start(GV7_WORKBENCH_PATH, arguments);
    Outcome outcome;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return outcome;
    outcome.code = process.exitCode();
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

const QStringList Hardware{"--encoder-resolution", "8192", "--encoder-reversed"};

} // namespace

// The program and report of one headless commissioning, made once, used by every case.
class TestWorkbenchPrograms : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void savedProgramAndReport();
    void failedRunReportedNotSaved();
    void applyThenCheckOtherAxes();
    void checkFindsWhatDiffers_data();
    void checkFindsWhatDiffers();
    void badInput_data();
    void badInput();
    void oneChangedParameterOnOneAxis();
    void everyAxisCheckedBeforeAnyIsWritten();
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
    const Outcome run = workbench(QStringList{"--auto", "--save-program", m_program, "--report", m_report} + Hardware);
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY(run.out.contains("Setup program saved to " + m_program));
}

void TestWorkbenchPrograms::savedProgramAndReport()
{
    QFile file(m_program);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QList<ProgramError> errors;
    const KoraProgram program = KoraParser::parse(text, &errors);
    QVERIFY(errors.isEmpty());
    // The closed loop the user switched on goes in before the wait for its initialisation.
    QVERIFY(text.contains("  SAP 117, 0,     2000  //CL correction velocity I clipping\n"
                          "  SAP 129, 0,        1  //Closed loop on\n\nWaitInit:\n"));
    QVERIFY(text.startsWith("//Motor settings\n  SAP 251, 0,        0  //Reverse shaft\n"));
    QVERIFY(text.contains("  SAP 210, 0,    -8192  //Encoder resolution\n"));

    QFile reportFile(m_report);
    QVERIFY(reportFile.open(QIODevice::ReadOnly));
    const QJsonObject report = QJsonDocument::fromJson(reportFile.readAll()).object();
    QCOMPARE(report.value("result").toString(), QString("closed loop ready"));
    QCOMPARE(report.value("module").toObject().value("firmware").toString(), QString("7390"));
    QCOMPARE(report.value("setupProgram").toString(), text);
    QCOMPARE(report.value("encoderDetection").toObject().value("resolution").toInt(), 8192);
    QCOMPARE(report.value("encoderDetection").toObject().value("direction").toString(), QString("reversed"));
    const QJsonObject deviation = report.value("finalDeviation").toObject();
    QVERIFY(qAbs(deviation.value("deviationMicrosteps").toInt()) < 64);
    QVERIFY(deviation.value("actualPosition").toInt() != 0); // read after the motion test

    QStringList names;
    int settings = 0;
    for (const QJsonValue& step : report.value("steps").toArray()) {
        names << step.toObject().value("name").toString() + "=" + step.toObject().value("result").toString();
        settings += step.toObject().value("settings").toArray().size();
    }
    QCOMPARE(names, QStringList({"start-up=passed", "motor=passed", "encoder=passed", "closed loop=passed",
                                 "activate closed loop=passed", "motion test=passed"}));
    int sets = 0;
    for (const KoraProgram::Instruction& instruction : program.instructions())
        sets += instruction.opcode == KoraProgram::Opcode::SetParameter ? 1 : 0;
    QCOMPARE(settings, sets); // every setting of the program belongs to exactly one step
    const QJsonObject encoderSetting = report.value("steps").toArray().at(2).toObject().value("settings").toArray().at(0).toObject();
    QCOMPARE(encoderSetting.value("parameter").toInt(), 210);
    QCOMPARE(encoderSetting.value("value").toInt(), -8192);
}

// A production record is kept of a failed run too; the program of an unfinished commissioning is not.
void TestWorkbenchPrograms::failedRunReportedNotSaved()
{
    const QString program = m_dir.filePath("failed.kora");
    const QString report = m_dir.filePath("failed.json");
    const Outcome run = workbench({"--auto", "--encoder-resolution", "3000", "--save-program", program, "--report", report});
    QCOMPARE(run.code, 1);
    QVERIFY(!QFile::exists(program));
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(object.value("result").toString(), QString("failed"));
    QVERIFY(object.value("error").toString().contains("no standard encoder resolution"));
    const QJsonArray steps = object.value("steps").toArray();
    QCOMPARE(steps.last().toObject().value("name").toString(), QString("encoder"));
    QCOMPARE(steps.last().toObject().value("result").toString(), QString("failed"));
}

// Batch commissioning: the program made on axis 0 sets up axes 1 and 2 of another module.
void TestWorkbenchPrograms::applyThenCheckOtherAxes()
{
    const Outcome run = workbench(QStringList{"--apply-program", m_program, "--check-program", m_program, "--axes", "1,2"}
                                  + Hardware);
    QVERIFY2(run.code == 0, qPrintable(run.err + run.out));
    QVERIFY2(run.out.contains("axis 1: applied ") && run.out.contains("axis 2: applied "), qPrintable(run.out));
    QVERIFY2(run.out.contains("axis 1: matches " + m_program + " (21 parameters compared, 1 position not)"),
             qPrintable(run.out));
    QVERIFY(run.out.contains("axis 2: matches "));
}

void TestWorkbenchPrograms::checkFindsWhatDiffers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected"); // in the output; %1 is the program's path
    QTest::newRow("axis never set up")
        << QStringList{"--check-program", "%1", "--axes", "2"}
        << QStringList{"%1:9: axis 2, parameter 210 (Encoder resolution): expected -8192, found 4000",
                       "%1:27: axis 2, parameter 129 (Closed loop): expected 1, found 0",
                       "axis 2: 4 of 22 parameters differ from %1", "the module does not match %1"};
    // The wait for the closed loop never ends on a module whose encoder does not match.
    QTest::newRow("other encoder")
        << QStringList{"--apply-program", "%1", "--axes", "0,1"}
        << QStringList{"%1:31: the loop back to 'WaitInit' did not end within 10 s (the last value read was 0)",
                       "%1: stopped on axis 0; written there: lines 2-6, 9-11, 14-27"};
}

void TestWorkbenchPrograms::checkFindsWhatDiffers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    arguments.replaceInStrings("%1", m_program);
    const Outcome run = workbench(arguments);
    QCOMPARE(run.code, 1);
    for (const QString& line : expected) {
        QString wanted = line;
        wanted.replace("%1", m_program);
        QVERIFY2((run.out + run.err).contains(wanted), qPrintable(run.out + run.err));
    }
}

void TestWorkbenchPrograms::badInput_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: the path is a directory
    QTest::addColumn<QString>("message");     // after "<file>:"
    QTest::newRow("unknown mnemonic") << QByteArray("SAP 6, 1, 100\nSAX 7, 1, 8\n")
                                      << "2:1: unknown instruction 'SAX' (SAP, GAP, JC or JA)";
    QTest::newRow("missing comma") << QByteArray("SAP 6, 1 100\n")
                                   << "1:10: expected ',' between the motor and the value, found '100'";
    QTest::newRow("value out of range") << QByteArray("SAP 7, 1, 8\nSAP 6, 1, 300\n")
                                        << "2:11: the value 300 is out of range for parameter 6 (Max. current): 0 to 255";
    QTest::newRow("read-only parameter") << QByteArray("SAP 7, 1, 8\n  SAP 8, 1, 1\n")
                                         << "2:7: parameter 8 (Position reached) is read-only";
    QTest::newRow("unknown label") << QByteArray("GAP 133, 1\nJC ZE, Wiat\nWait:\n") << "2:8: unknown label 'Wiat'";
    QTest::newRow("jump loop that never ends") << QByteArray("Wait:\n GAP 133, 1\n JC ZE, Wait\n")
                                               << "3: the loop back to 'Wait' did not end within 10 s";
    QTest::newRow("empty file") << QByteArray("") << "1:1: the program is empty";
    QTest::newRow("binary file") << QByteArray("SAP 6, 1, 1\n\x7f" "ELF\x02\x01", 18) << "2: not a text file";
    QTest::newRow("file that cannot be read") << QByteArray() << " cannot read the file";
}

void TestWorkbenchPrograms::badInput()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QString path = dir.filePath("unreadable");
    QVERIFY(QDir(dir.path()).mkdir("unreadable"));
    if (!contents.isNull()) {
        path = dir.filePath("bad.kora");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    // The check would pass on a module the bad program left untouched; it is not reached.
    const Outcome run = workbench({"--apply-program", path, "--axes", "1", "--check-program", path});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains(path + ":" + message), qPrintable(run.err));
    QVERIFY2(!run.out.contains("applied") && !run.out.contains("matches"), qPrintable(run.out));
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
    QStringList highlighted;
    for (int r = 0; r < dialog.table()->rowCount(); ++r) {
        if (dialog.table()->item(r, 5)->background().color() == ComparisonDialog::DifferenceColour)
            highlighted << dialog.table()->item(r, 0)->text() + "/" + dialog.table()->item(r, 2)->text() + "/"
                               + dialog.table()->item(r, 5)->text();
    }
    QCOMPARE(highlighted, QStringList{"2/6/100"});
    QCOMPARE(dialog.table()->item(0, 5)->text(), QString("100")); // the difference comes first
}

void TestWorkbenchPrograms::everyAxisCheckedBeforeAnyIsWritten()
{
    SimulatedModule module;
    QString output;
    QTextStream stream(&output);
    ProgramCommands commands(&module, &stream, &stream);
    QVERIFY(!commands.apply(m_program, {1, 3})); // the module has no axis 3
    QVERIFY2(output.contains(m_program + ":2:7: axis 3 has no parameter 251\n"), qPrintable(output));
    QVERIFY(output.endsWith(m_program + ": nothing written\n"));
    QCOMPARE(module.commandCount(), 0);
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
