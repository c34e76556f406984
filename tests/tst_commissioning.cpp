// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>
#include <QtWidgets>

#include "commissioning.h"
#include "progressindicator.h"
#include "recordingmodule.h"
#include "spinbox.h"

using Log = QList<RecordingModule::Access>;

namespace {

Log sShape() { return {sap(14, 1), sap(22, 51000), sap(23, 51000), sap(24, 51000), sap(25, 51000)}; }

struct Bench
{
    QWidget window;
    RecordingModule module;
    DataExchange exchange{&module, nullptr};
    Commissioning* page = new Commissioning(new QWidget(&window)); // in its tool, as the plug-in places it
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    QStringList questions;
    QTimer answerer; // answers modal questions from inside their own event loop, as a user would

    Bench()
    {
        page->setDataExchange(&exchange);
        page->on_cmbAxisNumber_currentIndexChanged(0);
        window.show(); // the readiness labels follow each other's visibility
        module.clearLog();
        QObject::connect(&answerer, &QTimer::timeout, &answerer, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                questions << box->text();
                box->button(answer)->click();
            }
        });
        answerer.start(0);
    }
    template<typename T = QWidget>
    T* get(const QString& name) const { return page->findChild<T*>(name); }
    void report(const QString& name, bool apply, const QString& text)
    {
        QObject reporter; // done() tells the steps apart by the sender's name

        QObject::connect(&reporter, &QObject::objectNameChanged, page, [=] { page->done(apply, text); });
        reporter.setObjectName(name);
    }
    bool ready(const QString& step) const { return get<QLabel>("lblProgress" + step)->styleSheet().contains("ProgessReady"); }
};

// Steps chosen as "E", "EC"; ready: the step marked ready; answer 0: no question expected.
struct Report { QString reporter, chosen, chosenAfter, ready; bool apply; int answer; };

} // namespace

Q_DECLARE_METATYPE(Report)

class TestCommissioning : public QObject
{
    Q_OBJECT
private slots:
    void motionTest();
    void refreshOnShow();
    void report_data();
    void report();
    void historyKeepsTheLatestTextPerStep();
};

void TestCommissioning::motionTest()
{
    Bench bench;
    bench.get<QGroupBox>("gbEncoder")->setChecked(true);
    bench.get<QGroupBox>("gbClosedLoop")->setChecked(true);
    auto* target = bench.get<SpinBox>("sbTargetPosition");
    bench.get<QPushButton>("btnStart")->click();
    target->setDecimals(1);
    target->setValue(-3.7);
    bench.get<QPushButton>("btnStart")->click();
    bench.get<QPushButton>("btnStop")->click();

    const QString text = target->text();
    bench.get<QPushButton>("btnChangeSign")->click();
    QCOMPARE(target->value(), 3.7);
    bench.get<QPushButton>("btnChangeSign")->click();
    QCOMPARE(target->text(), text);

    bench.get<SpinBox>("sbMaximumPositionSpeed")->setValue(777);
    bench.get<SpinBox>("sbMaximumAcceleration")->setValue(778);
    bench.get<QComboBox>("cmbRampType")->setCurrentIndex(1);
    bench.get<QComboBox>("cmbRampType")->setCurrentIndex(0);
    bench.get<QCheckBox>("cbActivateClosedLoop")->click();
    QVERIFY(bench.get<ProgressIndicator>("progressIndicator")->isAnimated());
    Command ready(1, 6, 133, 0, 1); // the polled closed-loop-ready flag lights its LED
    bench.exchange.replyValue(&ready);
    QVERIFY(!bench.get<ProgressIndicator>("progressIndicator")->isAnimated());
    bench.get<QCheckBox>("cbActivateClosedLoop")->click();

    const Log moves{exec(4, 1, 0, 51000), exec(4, 1, 0, -3), exec(3, 0, 0, 0), sap(4, 777), sap(5, 778), sap(17, 778)};
    QCOMPARE(bench.module.accesses(), moves + sShape() + Log({sap(14, 0), sap(129, 1), sap(129, 0)}));
}

void TestCommissioning::refreshOnShow()
{
    Bench bench;
    auto* ramp = bench.get<QComboBox>("cmbRampType");
    auto* speed = bench.get<SpinBox>("sbMaximumPositionSpeed");
    auto* acceleration = bench.get<SpinBox>("sbMaximumAcceleration");
    auto values = [&] { return QList<int>{ramp->currentIndex(), speed->intValue(), acceleration->intValue()}; };
    auto reshow = [&] { bench.window.hide(); bench.module.clearLog(); bench.window.show(); };
    const QList<int> types{14, 4, 5}, changed{1, 1234, 4321};
    for (int i = 0; i < 3; ++i)
        bench.module.setValue(types.at(i), changed.at(i));
    bench.page->setDataExchange(nullptr);
    reshow();
    QCOMPARE(bench.module.accesses(), Log());
    bench.page->setDataExchange(&bench.exchange);

    reshow();
    QCOMPARE(bench.module.accesses(),
             Log{gap(14)} + sShape() + Log({gap(4), sap(4, 1234), gap(5), sap(5, 4321), sap(17, 4321)}));
    QCOMPARE(values(), changed);
    const Log reads{gap(14), gap(4), gap(5)};
    reshow();
    QCOMPARE(bench.module.accesses(), reads); // equal values are not written again
    bench.module.setValue(14, 2); // one past the two ramp types: the combo box keeps what it shows
    reshow();
    QCOMPARE(values(), changed);
    for (int type : types)
        bench.module.setFailing(type); // failing answers carry 0
    reshow();
    QCOMPARE(bench.module.accesses(), reads);
    QCOMPARE(values(), changed);
}

void TestCommissioning::report_data()
{
    QTest::addColumn<Report>("row");
    QTest::newRow("motor, Yes opens the encoder step")
        << Report{"MotorSettings", "", "E", "Motor", true, QMessageBox::Yes};
    QTest::newRow("motor, No") << Report{"MotorSettings", "", "", "Motor", true, QMessageBox::No};
    QTest::newRow("motor, encoder already chosen") << Report{"MotorSettings", "E", "E", "Motor", true, 0};
    QTest::newRow("encoder, Yes opens the closed-loop step")
        << Report{"EncoderSettings", "E", "EC", "Encoder", true, QMessageBox::Yes};
    QTest::newRow("closed loop") << Report{"ClosedLoop", "EC", "EC", "ClosedLoop", true, 0};
    QTest::newRow("cancelled leaves even the labels") << Report{"MotorSettings", "EC", "EC", "", false, 0};
}

void TestCommissioning::report()
{
    QFETCH(Report, row);
    Bench bench;
    bench.get<QGroupBox>("gbEncoder")->setChecked(row.chosen.contains('E'));
    bench.get<QGroupBox>("gbClosedLoop")->setChecked(row.chosen.contains('C'));
    bench.answer = QMessageBox::StandardButton(row.answer ? row.answer : int(QMessageBox::Yes));
    QSignalSpy back(bench.page, &Commissioning::showCommissioning);
    QSignalSpy encoderPage(bench.page, &Commissioning::showEncoderSettings);
    QSignalSpy closedLoopPage(bench.page, &Commissioning::showClosedLoop);
    bench.report(row.reporter, row.apply, QString());

    const bool motor = row.reporter == "MotorSettings", yes = row.answer == QMessageBox::Yes;
    const QString question =
        motor ? "Does the motor have an ABN- Encoder installed" : "Shall the  drive run closed loop";
    QCOMPARE(bench.questions, row.answer ? QStringList{question} : QStringList());
    QCOMPARE((QList<int>{back.count(), encoderPage.count(), closedLoopPage.count()}),
             (QList<int>{1, yes && motor, yes && !motor}));
    QCOMPARE(bench.get<QGroupBox>("gbEncoder")->isChecked(), row.chosenAfter.contains('E'));
    QCOMPARE(bench.get<QGroupBox>("gbClosedLoop")->isChecked(), row.chosenAfter.contains('C'));
    for (const char* step : {"Motor", "Encoder", "ClosedLoop"})
        QVERIFY2(bench.ready(step) == (row.ready == step), step);
    QCOMPARE(bench.get<QLabel>("lblClreadyToUse")->isVisible(), row.apply && row.chosenAfter == "EC");
    QCOMPARE(bench.get<QLabel>("lblClnotReady")->isHidden(), row.apply && row.chosenAfter == "EC");
}

void TestCommissioning::historyKeepsTheLatestTextPerStep()
{
    Bench bench;
    const QStringList reports{"ClosedLoop C1", "MotorSettings M1", "MotorSettings M2", "EncoderSettings E1"};
    for (const QString& report : reports)
        bench.report(report.section(' ', 0, 0), true, report.section(' ', 1));
    bench.report("MotorSettings", false, "cancelled");
    bench.report("MotorSettings", false, QString());
    QCOMPARE(bench.get<QTextEdit>("teHistory")->toPlainText(), QString("M2\nE1\nC1"));
    QVERIFY(bench.questions.isEmpty()); // texts neither ask nor mark a step, cancelled reports do nothing
    QVERIFY(!bench.ready("Motor") && !bench.ready("Encoder") && !bench.ready("ClosedLoop"));
}

QTEST_MAIN(TestCommissioning)
#include "tst_commissioning.moc"
