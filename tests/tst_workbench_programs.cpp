// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

#include "childprocess.h"
#include "comparisondialog.h"
#include "mainwindow.h"
#include "programcommands.h"
#include "programmenu.h"
#include "simulatedmodule.h"
#include "translations.h"

namespace {

ChildRun workbench(const QStringList& arguments)
{
    return runChild(GV7_WORKBENCH_PATH, arguments);
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

bool hasType(const QJsonValue& value, const QJsonValue& types)
{
    const QJsonArray anyOf = types.toArray();
    if (types.isArray())
        return std::any_of(anyOf.begin(), anyOf.end(), [&](const QJsonValue& type) { return hasType(value, type); });
    const QString type = types.toString();
    if (type == "integer")
        return value.isDouble() && value.toDouble() == std::floor(value.toDouble());
    return (type == "object" && value.isObject()) || (type == "array" && value.isArray())
           || (type == "string" && value.isString()) || (type == "number" && value.isDouble())
           || (type == "boolean" && value.isBool()) || (type == "null" && value.isNull());
}

// The first place where the value breaks the schema, empty when it fits. Knows the parts of
// JSON Schema the report's schema uses: type, const, enum, pattern, minimum, required,
// properties, additionalProperties false, items, if/then and references into $defs.
QString violation(const QJsonValue& value, QJsonObject schema, const QJsonObject& root, const QString& where)
{
    if (schema.contains("$ref"))
        schema = root.value("$defs").toObject().value(schema.value("$ref").toString().section('/', -1)).toObject();
    // Each schema node has a pattern of its own (empty: matches anything), so none can be static.
    const QRegularExpression pattern(schema.value("pattern").toString());
    const bool fits = (!schema.contains("type") || hasType(value, schema.value("type")))
                      && (!schema.contains("const") || value == schema.value("const"))
                      && (!schema.contains("enum") || schema.value("enum").toArray().contains(value))
                      && pattern.match(value.toString()).hasMatch() // clazy:exclude=use-static-qregularexpression
                      && (!schema.contains("minimum") || !value.isDouble() || value.toDouble() >= schema.value("minimum").toDouble());
    if (!fits)
        return where + ": " + QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    if (schema.contains("if") && violation(value, schema.value("if").toObject(), root, where).isEmpty()) {
        const QString found = violation(value, schema.value("then").toObject(), root, where);
        if (!found.isEmpty())
            return found;
    }
    const QJsonObject object = value.toObject();
    const QJsonObject properties = schema.value("properties").toObject();
    const QJsonArray required = schema.value("required").toArray();
    for (const QJsonValue& key : required) {
        if (!object.contains(key.toString()))
            return where + "." + key.toString() + " missing";
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!properties.contains(it.key()) && schema.value("additionalProperties") == QJsonValue(false))
            return where + "." + it.key() + " not allowed";
        const QString found = violation(it.value(), properties.value(it.key()).toObject(), root, where + "." + it.key());
        if (!found.isEmpty())
            return found;
    }
    const QJsonArray items = value.toArray();
    for (int i = 0; i < items.size() && schema.contains("items"); ++i) {
        const QString found = violation(items.at(i), schema.value("items").toObject(), root, where + QString("[%1]").arg(i));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QString schemaViolation(const QJsonObject& report)
{
    const QJsonObject schema = readJson(GV7_SOURCE_DIR "/docs/commissioning-report.schema.json");
    return schema.isEmpty() ? "no schema" : violation(report, schema, schema, "report");
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
    void reportsFitTheSchema_data();
    void reportsFitTheSchema();
    void commandLine_data();
    void commandLine();
    void applyFaults_data();
    void applyFaults();
    void oneChangedParameterOnOneAxis();
    void nothingToSave();
    void waitShownAndCancelled();

private:
    Translations m_translations;
    QTemporaryDir m_dir;
    QString m_program;
    QString m_report;
    QString m_log;
};

void TestWorkbenchPrograms::initTestCase()
{
    // The commands run here speak as the workbench does, with the English plural forms.
    QVERIFY(m_translations.setLanguage("en"));
    m_translations.installApplication();
    m_program = m_dir.filePath("p.kora");
    m_report = m_dir.filePath("r.json");
    // With the tuning measured afterwards on a copy: its section joins the report.
    const ChildRun run = workbench(QStringList{"--auto", "--tune", "--save-program", m_program, "--report", m_report,
                                              "--screenshots", m_dir.filePath("shots")} + hardware());
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY(run.out.contains("Closed loop ready to use.") && run.out.contains("Setup program saved to " + m_program));
    QVERIFY(QFileInfo(m_dir.filePath("shots/3-detection.png")).size() > 0);
    m_log = run.out;
}

void TestWorkbenchPrograms::savedProgramAndReport()
{
    QFile file(m_program);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    const QString text = QString::fromUtf8(saved);
    // The closed loop the user switched on goes in before the wait for its initialisation.
    QVERIFY(text.contains("  SAP 117, 0,     2000  //CL correction velocity I clipping\n"
                          "  SAP 129, 0,        1  //Closed loop on\n\nWaitInit:\n"));
    QVERIFY(text.startsWith("//Motor settings\n  SAP 251, 0,        0  //Reverse shaft\n"));
    QVERIFY(text.contains("  SAP 210, 0,    -8192  //Encoder resolution\n"));
    const QJsonObject report = readJson(m_report);
    QCOMPARE(schemaViolation(report), QString());
    QCOMPARE(report.value("result").toString(), QString("closed loop ready"));
    QCOMPARE(report.value("module").toObject().value("firmware").toString(), QString("7390"));
    QCOMPARE(report.value("setupProgram").toString(), text);
    QCOMPARE(report.value("setupProgramSha256").toString(), QString(QCryptographicHash::hash(saved, QCryptographicHash::Sha256).toHex()));
    QCOMPARE(report.value("encoderDetection").toObject().toVariantMap(),
             QVariantMap({{"resolution", 8192}, {"direction", "reversed"}}));
    QCOMPARE(report.value("hardware").toObject().value("encoder").toObject().toVariantMap(),
             QVariantMap({{"resolution", 8192}, {"reversed", true}}));
    QCOMPARE(report.value("preset").toString(), QString("balanced"));
    const QJsonObject tuning = report.value("tuning").toObject();
    QVERIFY(tuning.value("usable").toBool());
    QCOMPARE(tuning.value("tuner").toObject().value("variants").toArray().size(), 5);
    QVERIFY(m_log.contains("Tuner: the gentle move's RMS following error"));

    // Each move's deviation as the log printed it, in both units.
    QStringList logged;
    static const QRegularExpression deviationLine("deviation of actual and encoder position: (-?\\d+) "
                                                  "microsteps \\((-?\\d+) encoder counts\\)");
    QRegularExpressionMatchIterator lines = deviationLine.globalMatch(m_log);
    while (lines.hasNext()) {
        const QRegularExpressionMatch line = lines.next();
        logged << line.captured(1) + "/" + line.captured(2);
    }
    QStringList reported;
    const QJsonArray moves = report.value("motionTest").toArray();
    for (const QJsonValue& move : moves) {
        const QJsonObject deviation = move.toObject().value("deviation").toObject();
        reported << QString("%1/%2").arg(deviation.value("deviationMicrosteps").toInt()).arg(deviation.value("deviationCounts").toInt());
    }
    QCOMPARE(reported, logged);
    QCOMPARE(report.value("finalDeviation").toObject(), moves.last().toObject().value("deviation").toObject());
    QVERIFY(report.value("finalDeviation").toObject().value("actualPosition").toInt() != 0); // read after the motion test

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
    QCOMPARE(schemaViolation(object), QString());
    QCOMPARE(object.value("result").toString(), QString("failed"));
    QJsonObject unexplained = object;
    unexplained.remove("error");
    QCOMPARE(schemaViolation(unexplained), QString("report.error missing"));
    QVERIFY(object.value("error").toString().contains("no standard encoder resolution"));
    const QJsonObject last = object.value("steps").toArray().last().toObject();
    QCOMPARE(last.value("name").toString() + "=" + last.value("result").toString(), QString("encoder=failed"));
    QCOMPARE(last.value("error").toString(), object.value("error").toString());
}

// Every other kind of report the program writes fits the published schema too (the guided run's
// and a failed detection's are checked above).
void TestWorkbenchPrograms::reportsFitTheSchema_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("section"); // a part of the JSON only this kind of report has
    QTest::newRow("open loop compared") << QStringList{"--auto", "--compare-open-loop", "--load", "80"} << 0
                                        << "\"loopComparison\"";
    QTest::newRow("presets compared") << QStringList{"--compare-presets"} << 0 << "\"presetComparison\"";
    QTest::newRow("overloaded motor") << QStringList{"--auto", "--load", "120"} << 1
                                      << "\"name\":\"motion test\",\"result\":\"failed\"";
}

void TestWorkbenchPrograms::reportsFitTheSchema()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, section);
    const QString path = m_dir.filePath(QString(QTest::currentDataTag()) + ".json");
    QCOMPARE(workbench(arguments + QStringList{"--report", path}).code, exitCode);
    const QJsonObject report = readJson(path);
    QVERIFY2(QJsonDocument(report).toJson(QJsonDocument::Compact).contains(section.toUtf8()), qPrintable(section));
    QCOMPARE(schemaViolation(report), QString());
}

// The command line: exit code and messages. Exit 2 means nothing was run or written.
void TestWorkbenchPrograms::commandLine_data()
{
    QTest::addColumn<QString>("program");       // written to a file, %2 in the arguments
    QTest::addColumn<QStringList>("arguments"); // %1 is the saved program, %d a folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("expected"); // in the output, standard error included
    // Batch commissioning: the program made on axis 0 sets up axes 1 and 2 of another module.
    QTest::newRow("apply then check other axes")
        << "" << (QStringList{"--apply-program", "%1", "--check-program", "%1", "--axes", "1,2"} + hardware()) << 0
        << QStringList{"axis 1: applied %1, lines 2-6, 9-11, 14-27 written (43 commands, waited 1 s)",
                       "axis 2: applied %1", "axis 1: matches %1 (21 parameters compared, 1 position not)",
                       "axis 2: matches %1"};
    QTest::newRow("axis never set up")
        << "" << QStringList{"--check-program", "%1", "--axes", "2"} << 1
        << QStringList{"%1:9: axis 2, parameter 210 (Encoder resolution): expected -8192, found 4000",
                       "%1:27: axis 2, parameter 129 (Closed loop): expected 1, found 0",
                       "axis 2: 4 of 22 parameters differ from %1", "the module does not match %1"};
    // Each line goes to its axis: applied collapsed onto one axis, the check would find 50 on axis 0.
    QTest::newRow("lines on the axes they name")
        << "SAP 6, 0, 77\nSAP 6, 1, 50\n" << QStringList{"--apply-program", "%2", "--check-program", "%2"} << 0
        << QStringList{"axes 0, 1: applied %2", "axis 0: matches %2 (1 parameter compared)", "axis 1: matches %2"};
    QTest::newRow("axis the module lacks") << "SAP 6, 0, 1\nSAP 6, 5, 100\n" << QStringList{"--apply-program", "%2"} << 2
                                           << QStringList{"%2:2:8: the module has no axis 5", "%2: nothing written"};
    QTest::newRow("several axes cannot be moved")
        << "SAP 6, 0, 77\nSAP 6, 1, 50\n" << QStringList{"--check-program", "%2", "--axes", "2"} << 2
        << QStringList{"%2: the program addresses axes 0, 1; only a program that addresses one axis can be moved"};
    QTest::newRow("catalogue check before comparing")
        << "SAP 99, 0, 1\nSAP 133, 0, 1\nSAP 6, 0, 300\n" << QStringList{"--check-program", "%2"} << 2
        << QStringList{"%2:1:5: axis 0 has no parameter 99", "%2:2:5: axis 0: parameter 133 (CL init flag) is read-only",
                       "%2:3:11: axis 0: the value 300 is out of range for parameter 6 (Max. current): 0 to 255",
                       "%2: nothing compared"};
    // Every program is checked before anything runs, whatever runs first.
    QTest::newRow("nothing to compare, before the guided run")
        << "SAP 1, 0, 5\nGAP 6, 0\n" << QStringList{"--auto", "--check-program", "%2"} << 2
        << QStringList{"axis 0: nothing compared with %2", "%2: nothing run"};
    QTest::newRow("check unusable, before applying") << "SAP 6, 0, 300\n" << QStringList{"--apply-program", "%1", "--check-program", "%2"} << 2
                                                     << QStringList{"%2:1:11: axis 0: the value 300 is out of range", "%2: nothing run"};
    QTest::newRow("folder for a program") << "" << QStringList{"--apply-program", "%d", "--check-program", "%d"} << 2
                                          << QStringList{"%d: not a regular file"};
    QTest::newRow("program read before the guided run")
        << "SAP 6, 0, 300\n" << QStringList{"--auto", "--apply-program", "%2"} << 2
        << QStringList{"%2:1:11: axis 0: the value 300 is out of range", "%2: nothing run"};
}

void TestWorkbenchPrograms::commandLine()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, expected);
    const QString path = m_dir.filePath(QString("%1.kora").arg(QTest::currentDataTag()));
    QFile file(path);
    QVERIFY(program.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(program.toUtf8()) > 0));
    file.close();
    auto placed = [&](QString text) { return text.replace("%1", m_program).replace("%2", path).replace("%d", m_dir.path()); };
    const ChildRun run = workbench(arguments.replaceInStrings("%1", m_program).replaceInStrings("%2", path).replaceInStrings("%d", m_dir.path()));
    QCOMPARE(run.code, exitCode);
    for (const QString& line : expected)
        QVERIFY2((run.out + run.err).contains(placed(line)), qPrintable(run.out + run.err));
    QCOMPARE(run.out.contains("matches"), exitCode == 0 && arguments.contains("--check-program"));
    if (exitCode == 2)
        QVERIFY2(!run.out.contains("Step 1") && !run.out.contains("applied"), qPrintable(run.out));
}

void TestWorkbenchPrograms::applyFaults_data()
{
    QTest::addColumn<QString>("program"); // empty: the saved program, %1 in the messages
    QTest::addColumn<QList<int>>("axes");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("errors"); // the last is the last line printed
    // The wait for the closed loop never ends on a module whose encoder does not match.
    QTest::newRow("other encoder")
        << "" << QList<int>{0, 1} << int(ProgramCommands::Failed)
        << QStringList{"%1:31: the loop back to 'WaitInit' did not end within 10 s (the last value read was 0)",
                       "axis 0: closed-loop initialisation did not finish: check the encoder resolution and direction",
                       "%1: stopped on axis 0; written there: lines 2-6, 9-11, 14-27"};
    // Every axis is checked before any is written, whichever fails.
    QTest::newRow("the last axis lacking") << "" << QList<int>{1, 3} << int(ProgramCommands::Unusable)
                                           << QStringList{"%1:2:12: the module has no axis 3", "%1: nothing written"};
    QTest::newRow("the first axis lacking") << "" << QList<int>{3, 1} << int(ProgramCommands::Unusable)
                                            << QStringList{"%1:2:12: the module has no axis 3", "%1: nothing written"};
    QTest::newRow("bad line for the first of the axes named")
        << "SAP 6, 1, 7\nSAP 6, 0, 300\n" << QList<int>{} << int(ProgramCommands::Unusable)
        << QStringList{"%1:2:11: axis 0: the value 300 is out of range", "%1: nothing written"};
    QString many;
    for (int i = 0; i < 25; ++i)
        many += "SAP 6, 0, 999\n";
    QTest::newRow("faults counted beyond twenty")
        << many << QList<int>{1} << int(ProgramCommands::Unusable)
        << QStringList{"%1:20:11: axis 1: the value 999", "%1: and 5 more faults", "%1: nothing written"};
    QTest::newRow("no axis addressed") << "JA End\nEnd:\n" << QList<int>{} << int(ProgramCommands::Unusable)
                                       << QStringList{"%1: the program addresses no axis", "%1: nothing written"};
}

void TestWorkbenchPrograms::applyFaults()
{
    QFETCH(QString, program);
    QFETCH(QList<int>, axes);
    QFETCH(int, outcome);
    QFETCH(QStringList, errors);
    QString path = m_program;
    if (!program.isEmpty()) {
        path = m_dir.filePath("fault.kora");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(program.toUtf8()) > 0);
    }
    SimulatedModule module;
    module.setManualClock(true);
    QString output;
    QTextStream stream(&output);
    ProgramCommands commands(&module, &stream, &stream);
    commands.setWait(ProgramCommands::waitFor(&module));
    QCOMPARE(int(commands.apply(path, axes)), outcome);
    errors.replaceInStrings("%1", path);
    for (const QString& line : qAsConst(errors))
        QVERIFY2(output.contains(line), qPrintable(output));
    QVERIFY(output.endsWith(errors.last() + "\n"));
    QCOMPARE(output.count('\n'), errors.size() + (output.contains("more fault") ? ProgramError::Kept - 1 : 0));
    if (outcome == ProgramCommands::Unusable)
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
    QVERIFY2(commands.apply(m_program, {1, 2}) == ProgramCommands::Done, qPrintable(output));
    QVERIFY2(commands.check(m_program, {1, 2}) == ProgramCommands::Done, qPrintable(output));

    module.setAxisParameter(6, 2, 100);
    output.clear();
    QList<ProgramComparer::Row> rows;
    QCOMPARE(commands.check(m_program, {1, 2}, &rows), ProgramCommands::Failed);
    QVERIFY2(output.contains(m_program + ":6: axis 2, parameter 6 (Max. current): expected 128, found 100\n"),
             qPrintable(output));
    QCOMPARE(commands.verdicts().size(), 2);
    QVERIFY(commands.verdicts().value(0).startsWith("axis 1: matches"));
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
    QVERIFY(message.contains("nothing to save"));
    QVERIFY(!QFile::exists(m_dir.filePath("none.kora")));
}

// The File menu's apply waits in real time; the wait shows its progress and can be cancelled.
void TestWorkbenchPrograms::waitShownAndCancelled()
{
    MainWindow window; // its module's encoder never lets the closed loop of the program initialise
    auto* menu = window.findChild<ProgramMenu*>();
    bool shown = false;
    QTimer::singleShot(900, &window, [&window, &shown] {
        auto* progress = window.findChild<QProgressDialog*>();
        shown = progress && progress->isVisible();
        if (progress)
            progress->cancel();
    });
    QString message;
    QVERIFY(!menu->applyFile(m_program, ProgramMenu::NamedAxes, &message));
    QVERIFY(shown);
    QVERIFY2(message.contains(m_program + ":31: cancelled in the loop back to 'WaitInit' after 0."), qPrintable(message));
}

QTEST_MAIN(TestWorkbenchPrograms)
#include "tst_workbench_programs.moc"
