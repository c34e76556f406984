// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include "command.h"
#include "koraparser.h"
#include "programcomparer.h"
#include "programretargeter.h"
#include "programrunner.h"
#include "simulatedmodule.h"
#include "translations.h"

namespace {

// A simulated module whose channel closes, or refuses one request, after a number of requests.
class FaultyModule : public SimulatedModule, private CommandHandlerInterface
{
    Q_OBJECT
public:
    int closeAt = -1, refuseAt = -1; // the requests during which the device closes, or answered with status 4
    int sent = 0;

    CommandHandlerInterface* commandHandlerInterface() override { return this; }

private:
    bool isDeviceOpen() const override { return SimulatedModule::isDeviceOpen(); }
    void setCircularMode(bool) override {}
    void executeCommand(Command* request, Command* reply) override
    {
        const int index = sent++;
        if (index == closeAt)
            setDeviceOpen(false);
        commandHandler()->executeCommand(request, reply);
        if (index == refuseAt)
            reply->setStatus(SimulatedDrive::StatusInvalidValue);
    }
};

KoraProgram parsed(const QString& text)
{
    return KoraParser::parse(text, nullptr);
}

// The runner waits on the module's own clock.
ProgramRunner runnerOn(SimulatedModule& module)
{
    module.setManualClock(true);
    ProgramRunner runner(&module);
    runner.setWait([&module](int milliseconds) { module.advance(milliseconds); });
    return runner;
}

int value(SimulatedModule& module, int type, int motor = 0)
{
    return module.getAxisParameter(quint8(type), quint8(motor));
}

// Axis 0 of a fresh module set up so that the closed-loop initialisation succeeds.
const QString ClosedLoopSetUp = QStringLiteral("SAP 140, 0, 8\nSAP 210, 0, 4000\nSAP 129, 0, 1\n");

} // namespace

class TestProgramRunner : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void writesInFileOrder();
    void refusesBeforeWriting_data();
    void refusesBeforeWriting();
    void loops_data();
    void loops();
    void stopsWhereTheModuleStops_data();
    void stopsWhereTheModuleStops();
    void compareListsDifferences();
    void inGerman_data();
    void inGerman();

private:
    Translations m_english; // the plural forms of "line(s)"
};

void TestProgramRunner::initTestCase()
{
    QVERIFY(m_english.setLanguage("en"));
    m_english.installApplication();
}

void TestProgramRunner::writesInFileOrder()
{
    SimulatedModule module;
    ProgramRunner runner = runnerOn(module);
    const ProgramRunner::Result result =
        runner.run(parsed("SAP 6, 0, 100\n\nSAP 7, 0, 9 // standby\nSAP 6, 2, 77\nSAP 6, 0, 50\n"));
    QVERIFY2(result.ok, qPrintable(result.error.toString()));
    QCOMPARE(result.writtenLines, QList<int>({1, 3, 4, 5}));
    QCOMPARE(module.commandCount(), 4);
    // Each line on the axis it names; the later line wins.
    QCOMPARE(QList<int>({value(module, 6), value(module, 7), value(module, 6, 2), value(module, 6, 1)}),
             QList<int>({50, 9, 77, 128}));
}

void TestProgramRunner::refusesBeforeWriting_data()
{
    QTest::addColumn<QString>("badLine");
    QTest::addColumn<QString>("error");
    QTest::newRow("value out of range") << "  SAP 6, 0, 256"
                                        << "2:13: axis 0: the value 256 is out of range for parameter 6 (Max. current): 0 to 255";
    QTest::newRow("negative value") << "SAP 212, 1, -1"
                                    << "2:13: axis 1: the value -1 is out of range for parameter 212 (Max. encoder deviation): 0 to 8388607";
    QTest::newRow("read-only parameter") << "SAP 133, 0, 1" << "2:5: axis 0: parameter 133 (CL init flag) is read-only";
    QTest::newRow("unknown parameter") << "SAP 99, 0, 1" << "2:5: axis 0 has no parameter 99";
    QTest::newRow("GAP of an unknown parameter") << "GAP 250, 1" << "2:5: axis 1 has no parameter 250";
    QTest::newRow("axis the module lacks") << "SAP 6, 3, 100" << "2:8: the module has no axis 3";
    QTest::newRow("GAP on an axis the module lacks") << "GAP 1, 255" << "2:8: the module has no axis 255";
    // Found without a module's answer: a path from the start reaches the JC past every GAP.
    QTest::newRow("JC reached by jumping over the GAP") << "JA L\nGAP 1, 0\nL: JC ZE, L"
                                                        << "4: JC has no value to test: no GAP has run before it";
}

void TestProgramRunner::refusesBeforeWriting()
{
    QFETCH(QString, badLine);
    QFETCH(QString, error);
    SimulatedModule module;
    ProgramRunner runner = runnerOn(module);
    const ProgramRunner::Result result = runner.run(parsed("SAP 6, 0, 100\n" + badLine + "\nSAP 7, 0, 9\n"));
    QVERIFY(!result.ok);
    QCOMPARE(result.error.toString(), error);
    QCOMPARE(module.commandCount(), 0);
}

void TestProgramRunner::loops_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<QString>("error"); // empty: the run succeeds
    QTest::addColumn<int>("waited");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("cancelAt"); // ms waited when the progress cancels; -1 never
    QTest::newRow("waits for the closed-loop initialisation")
        << ClosedLoopSetUp + "WaitInit:\n  GAP 133, 0\n  JC ZE, WaitInit\nSAP 7, 0, 9" << 10000 << "" << 1000 << "lines 1-3, 7" << -1;
    QTest::newRow("initialisation never started")
        << "WaitInit:\n  GAP 133, 0\n  JC ZE, WaitInit\n" << 10000
        << "3: the loop back to 'WaitInit' did not end within 10 s (the last value read was 0)" << 10000 << "no line" << -1;
    QTest::newRow("cancelled while waiting") << "WaitInit:\n  GAP 133, 0\n  JC ZE, WaitInit\n" << 10000
                                             << "3: cancelled in the loop back to 'WaitInit' after 0.2 s" << 200 << "no line" << 200;
    QTest::newRow("NZ loops while the value is set")
        << ClosedLoopSetUp + "Busy:\nGAP 129, 0\nJC NZ, Busy" << 300
        << "6: the loop back to 'Busy' did not end within 0.3 s (the last value read was 1)" << 300 << "lines 1-3" << -1;
    // The loop writes its line again and again; the summary names it once.
    QTest::newRow("unconditional loop without a read") << "X: SAP 7, 0, 9\nJA X" << 200
                                                      << "2: the loop back to 'X' did not end within 0.2 s" << 200 << "line 1" << -1;
    QTest::newRow("forward jumps do not wait") << "GAP 133, 0\nJC ZE, Skip\nSAP 7, 0, 1\nSkip:\nJA End\nSAP 7, 0, 2\nEnd:"
                                               << 0 << "" << 0 << "no line" << -1;
    QTest::newRow("condition before any read") << "JC ZE, E\nE:" << 10000
                                               << "1: JC has no value to test: no GAP has run before it" << 0 << "no line" << -1;
}

void TestProgramRunner::loops()
{
    QFETCH(QString, text);
    QFETCH(int, timeout);
    QFETCH(QString, error);
    QFETCH(int, waited);
    QFETCH(QString, written);
    QFETCH(int, cancelAt);
    SimulatedModule module;
    ProgramRunner runner = runnerOn(module);
    runner.setTimeout(timeout);
    runner.setProgress([cancelAt, timeout](int waited, int limit) { return limit == timeout && waited != cancelAt; });
    const qint64 start = module.now();
    const ProgramRunner::Result result = runner.run(parsed(text));
    QCOMPARE(result.error.toString(), error);
    QCOMPARE(result.ok, error.isEmpty());
    QCOMPARE(result.waitedMilliseconds, waited);
    QCOMPARE(result.writtenSummary(), written);
    QCOMPARE(module.now() - start, qint64(waited)); // on the module's clock, not the wall clock
}

void TestProgramRunner::stopsWhereTheModuleStops_data()
{
    QTest::addColumn<int>("closeAt");
    QTest::addColumn<int>("refuseAt");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("written");
    QTest::newRow("closes while the third line is sent") << 2 << -1 << "4: the module did not answer SAP 7, 0, 9"
                                                         << "lines 1-2";
    QTest::newRow("closed from the start") << 0 << -1 << "1: the module did not answer SAP 6, 0, 100" << "no line";
    QTest::newRow("answers the last line with an error status")
        << -1 << 3 << "5: the module refused SAP 202, 0, 400 with status 4" << "lines 1-2, 4";
}

void TestProgramRunner::stopsWhereTheModuleStops()
{
    QFETCH(int, closeAt);
    QFETCH(int, refuseAt);
    QFETCH(QString, error);
    QFETCH(QString, written);
    FaultyModule module;
    module.closeAt = closeAt;
    module.refuseAt = refuseAt;
    ProgramRunner runner = runnerOn(module);
    const ProgramRunner::Result result = runner.run(parsed("SAP 6, 0, 100\nSAP 251, 0, 1\n\nSAP 7, 0, 9\nSAP 202, 0, 400\n"));
    QVERIFY(!result.ok);
    QCOMPARE(result.error.toString(), error);
    QCOMPARE(result.writtenSummary(), written);
    QCOMPARE(module.sent, qMax(closeAt, refuseAt) + 1); // nothing is sent after the failure
}

void TestProgramRunner::compareListsDifferences()
{
    const KoraProgram program = parsed("SAP 6, 0, 100\nSAP 209, 0, 0\nSAP 7, 0, 9\nSAP 6, 0, 90\n");
    SimulatedModule module;
    ProgramRunner runner = runnerOn(module);
    const KoraProgram onAxis1 = ProgramRetargeter::toMotor(program, 1);
    QVERIFY(runner.run(onAxis1).ok);
    const ProgramComparer comparer(&module);
    QVERIFY(ProgramComparer::differences(comparer.compare(onAxis1)).isEmpty());

    module.setAxisParameter(7, 1, 20);
    module.setAxisParameter(1, 1, 5000); // moves the position counter, which is not compared
    const QList<ProgramComparer::Row> rows = comparer.compare(onAxis1);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(QList<int>({rows.at(0).line, rows.at(0).expected}), QList<int>({4, 90})); // the last setting of 6
    QCOMPARE(rows.at(1).state, ProgramComparer::State::NotCompared);
    const QList<ProgramComparer::Row> differences = ProgramComparer::differences(rows);
    QCOMPARE(differences.size(), 1);
    QCOMPARE(differences.first().toString(), QString("axis 1, parameter 7 (Standby current): expected 9, found 20"));

    // Comments follow the language the program was saved in; they do not count.
    const auto shown = [&comparer](const QString& text) {
        QStringList rows;
        const QList<ProgramComparer::Row> compared = comparer.compare(parsed(text));
        for (const ProgramComparer::Row& row : compared)
            rows << row.toString();
        return rows;
    };
    QCOMPARE(shown("//Motor settings\n  SAP 140, 1, 8  //256 Mikroschritte\n"),
             shown("//Motor settings\n  SAP 140, 1, 8  //256 microsteps\n"));

    module.setDeviceOpen(false);
    const QList<ProgramComparer::Row> unread = comparer.compare(onAxis1);
    QCOMPARE(unread.at(0).state, ProgramComparer::State::Unreadable);
    QCOMPARE(ProgramComparer::differences(unread).size(), 2);
}

void TestProgramRunner::inGerman_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("compared");   // or run
    QTest::addColumn<QString>("message"); // the first fault or comparison row
    QTest::newRow("parser") << "SAP 6, 0" << false << "1:9: ',' erwartet zwischen Motor und Wert, gefunden: Zeilenende";
    QTest::newRow("catalogue check") << "SAP 6, 0, 256" << false
                                     << "1:11: Achse 0: Wert 256 außerhalb des Bereichs von Parameter 6 (Max. current): 0 bis 255";
    QTest::newRow("run-time stop") << "W: GAP 133, 0\nJC ZE, W" << false
                                   << "2: die Schleife zurück zu 'W' endete nicht innerhalb von 0,5 s (zuletzt gelesener Wert: 0)";
    QTest::newRow("comparison row") << "SAP 7, 0, 9" << true << "Achse 0, Parameter 7 (Standby current): erwartet 9, gefunden 8";
}

void TestProgramRunner::inGerman()
{
    QFETCH(QString, text);
    QFETCH(bool, compared);
    Translations german;
    QVERIFY(german.setLanguage("de"));
    german.installApplication();
    SimulatedModule module;
    ProgramRunner runner = runnerOn(module);
    runner.setTimeout(500);
    QList<ProgramError> errors;
    const KoraProgram program = KoraParser::parse(text, &errors);
    if (errors.isEmpty() && !compared)
        errors.append(runner.run(program).error);
    const QString message = errors.isEmpty() ? ProgramComparer(&module).compare(program).constFirst().toString()
                                             : errors.first().toString();
    QLocale::setDefault(m_english.locale());
    QTEST(message, "message");
}

QTEST_MAIN(TestProgramRunner)
#include "tst_programrunner.moc"
