#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "command.h"
#include "commissioning.h"
#include "dataexchange.h"
#include "labelled.h"
#include "labelsignal.h"
#include "progressindicator.h"
#include "recordingmodule.h"
#include "spinbox.h"
#include "tracecommand.h"

namespace {

const QString ReadyImage = QStringLiteral("url(:/Images/SettingsProgessReady)");
const QString NotReadyImage = QStringLiteral("url(:/Images/SettingsProgessNotReady)");
const QString MotorQuestion = QStringLiteral("Does the motor have an ABN- Encoder installed");
const QString EncoderQuestion = QStringLiteral("Shall the  drive run closed loop");

QStringList lines(const QList<RecordingModule::Access>& accesses)
{
    QStringList result;
    for (const auto& access : accesses)
        result << access.toString();
    return result;
}

QStringList sShapeWrites(int motor = 0)
{
    return lines({sap(14, 1, motor), sap(22, 51000, motor), sap(23, 51000, motor), sap(24, 51000, motor),
                  sap(25, 51000, motor)});
}

// Stands in for a step page: only its object name and its report reach the start-up page.
class Reporter : public QObject
{
    Q_OBJECT
public:
    explicit Reporter(const QString& name) { setObjectName(name); }
signals:
    void executed(bool apply, QString text);
};

// Answers every modal question with the same button, from inside the question's own event loop.
class Answerer : public QObject
{
public:
    explicit Answerer(QMessageBox::StandardButton answer)
        : m_answer(answer)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &Answerer::answer);
        m_timer.start();
    }

    QStringList questions;
    QStringList titles;
    QList<QWidget*> parents;
    QList<QMessageBox::StandardButtons> buttons;

private:
    void answer()
    {
        // Keep waiting: a later report may still ask.
        m_timer.start();
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        questions << box->text();
        titles << box->windowTitle();
        parents << box->parentWidget();
        buttons << box->standardButtons();
        box->button(m_answer)->click();
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
};

// The page in a tool widget inside a window, as the plug-in places it.
struct Bench
{
    QWidget window;
    QWidget* tool = new QWidget(&window);
    RecordingModule module;
    DataExchange exchange{&module, nullptr};
    Commissioning* page = new Commissioning(tool);

    void attach()
    {
        page->setDataExchange(&exchange);
        page->on_cmbAxisNumber_currentIndexChanged(0);
        module.clearLog();
    }

    template<typename T>
    T* get(const char* name) const
    {
        T* child = page->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
};

} // namespace

class TestCommissioning : public QObject
{
    Q_OBJECT
private slots:
    void initialState();
    void stepGroupsEnableTheNextStep();
    void stepButtonsOpenTheirPages_data();
    void stepButtonsOpenTheirPages();
    void monitorWidgetsAreRegisteredForPolling();
    void player_data();
    void player();
    void changeSignTwiceRestores_data();
    void changeSignTwiceRestores();
    void rampType_data();
    void rampType();
    void motionValues_data();
    void motionValues();
    void typedValueIsSentWhenEditingFinishes();
    void valueFromAnotherSenderSendsNothing();
    void closedLoopActivation();
    void nothingIsSentWithoutDataExchange();
    void refreshOnShow_data();
    void refreshOnShow();
    void targetPositionIsReadOnlyWithAParameterNumber();
    void axisSelection();
    void emptyReport_data();
    void emptyReport();
    void readinessLabels_data();
    void readinessLabels();
    void cancelledReportOnlyReturnsToThePage();
    void historyKeepsTheLatestTextPerStep();
    void guidedRunThroughAllSteps();
};

void TestCommissioning::initialState()
{
    Bench bench;
    QVERIFY(bench.get<QPushButton>("btnMotorSettings")->isEnabled());
    QVERIFY(!bench.get<QPushButton>("btnEncoderSettings")->isEnabled());
    QVERIFY(!bench.get<QGroupBox>("gbClosedLoop")->isEnabled());
    QVERIFY(!bench.get<QPushButton>("btnClosedLoop")->isEnabled());
    QVERIFY(!bench.get<QCheckBox>("cbActivateClosedLoop")->isEnabled());

    for (const char* name : {"lblProgressMotor", "lblProgressEncoder", "lblProgressClosedLoop"})
        QVERIFY2(bench.get<QLabel>(name)->styleSheet().contains(NotReadyImage), name);
    QVERIFY(bench.get<QLabel>("lblClreadyToUse")->isHidden());
    QVERIFY(!bench.get<QLabel>("lblClnotReady")->isHidden());

    auto* group = bench.page->findChild<QButtonGroup*>("bgPlay");
    QVERIFY(group);
    QVERIFY(!group->exclusive());
    auto* start = bench.get<QPushButton>("btnStart");
    auto* stop = bench.get<QPushButton>("btnStop");
    QCOMPARE(group->buttons(), (QList<QAbstractButton*>{start, stop}));
    for (QPushButton* button : {start, stop}) {
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(!button->isCheckable());
    }

    QVERIFY(bench.get<SpinBox>("sbTargetPosition")->keyboardTracking());
    QVERIFY(!bench.get<SpinBox>("sbMaximumPositionSpeed")->keyboardTracking());
    QVERIFY(!bench.get<SpinBox>("sbMaximumAcceleration")->keyboardTracking());
}

void TestCommissioning::stepGroupsEnableTheNextStep()
{
    Bench bench;
    auto* encoder = bench.get<QGroupBox>("gbEncoder");
    auto* closedLoop = bench.get<QGroupBox>("gbClosedLoop");
    auto* activate = bench.get<QCheckBox>("cbActivateClosedLoop");

    encoder->setChecked(true);
    QVERIFY(bench.get<QPushButton>("btnEncoderSettings")->isEnabled());
    QVERIFY(closedLoop->isEnabled());
    QVERIFY(!bench.get<QPushButton>("btnClosedLoop")->isEnabled());
    QVERIFY(!activate->isEnabled());

    closedLoop->setChecked(true);
    QVERIFY(bench.get<QPushButton>("btnClosedLoop")->isEnabled());
    QVERIFY(activate->isEnabled());

    encoder->setChecked(false);
    QVERIFY(!closedLoop->isEnabled());
    // The activation follows the closed-loop check state, not its enabled state.
    QVERIFY(activate->isEnabled());
    closedLoop->setChecked(false);
    QVERIFY(!activate->isEnabled());
}

void TestCommissioning::stepButtonsOpenTheirPages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("opened"); // index into the three navigation signals
    QTest::newRow("motor") << "btnMotorSettings" << 0;
    QTest::newRow("encoder") << "btnEncoderSettings" << 1;
    QTest::newRow("closed loop") << "btnClosedLoop" << 2;
}

void TestCommissioning::stepButtonsOpenTheirPages()
{
    QFETCH(QString, button);
    QFETCH(int, opened);
    Bench bench;
    bench.get<QGroupBox>("gbEncoder")->setChecked(true);
    bench.get<QGroupBox>("gbClosedLoop")->setChecked(true);
    QSignalSpy motor(bench.page, &Commissioning::showMotorSettings);
    QSignalSpy encoder(bench.page, &Commissioning::showEncoderSettings);
    QSignalSpy closedLoop(bench.page, &Commissioning::showClosedLoop);

    bench.get<QPushButton>(button.toLatin1().constData())->click();

    QCOMPARE((QList<int>{motor.count(), encoder.count(), closedLoop.count()}),
             (QList<int>{opened == 0, opened == 1, opened == 2}));
}

void TestCommissioning::monitorWidgetsAreRegisteredForPolling()
{
    Bench bench;
    auto* target = bench.get<SpinBox>("sbTargetPosition");
    target->setToolTip("from the form");
    bench.page->setDataExchange(&bench.exchange);
    QSignalSpy messages(bench.page, &BaseSettings::showMessage);

    bench.exchange.setCurrentAxis(1);

    const QString caller = "virtual void Commissioning::setDataExchange(DataExchange*)|axis0|";
    QCOMPARE(bench.module.parameterQueries(),
             (QStringList{caller + "par::MeasuredSpeed", caller + "par::TargetVelocity", caller + "par::encoder position",
                          caller + "par::PositionReachedFlag", caller + "par::CL init flag",
                          caller + "par::TargetPosition", caller + "par::MaxVelocity", caller + "par::MaxAcceleration"}));

    QStringList traces;
    for (const TraceCommand* trace : bench.exchange.traceCommands()) {
        traces << QStringLiteral("%1 %2 %3 %4 %5")
                      .arg(trace->address())
                      .arg(trace->motorBank())
                      .arg(trace->command())
                      .arg(trace->type())
                      .arg(trace->caption());
    }
    // Measured velocity, target velocity, encoder position, then the two LEDs.
    QCOMPARE(traces, (QStringList{"1 1 6 3 Default", "1 1 6 2 Default", "1 1 6 209 Default", "1 1 6 8 Default",
                                  "1 1 6 133 Default"}));

    QCOMPARE(bench.get<QLabel>("lblMeasuredVelocityUnit")->text(), QString("unit3"));
    QCOMPARE(bench.get<QLabel>("lblTargetVelocityUnit")->text(), QString("unit2"));
    QCOMPARE(bench.get<QLabel>("lblEncoderPositionUnit")->text(), QString("unit209"));
    QCOMPARE(bench.get<SpinBox>("sbMaximumPositionSpeed")->sapType(), 4);
    QCOMPARE(bench.get<SpinBox>("sbMaximumAcceleration")->sapType(), 5);
    QCOMPARE(target->value(), 51000.0);
    QVERIFY(target->toolTip().isEmpty());

    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.at(0), (QVariantList{"Changed: Motor / Encoder 1", 0}));

    // A polled answer reaches the box bound to its parameter.
    Command reply(1, 6, 2, 1, -250);
    bench.exchange.replyValue(&reply);
    QCOMPARE(bench.get<SpinBox>("spTargetVelocity")->intValue(), -250);
}

void TestCommissioning::player_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("distance");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("start moves by the distance") << "btnStart" << 0 << 51000.0 << lines({exec(4, 1, 0, 51000)});
    QTest::newRow("start truncates a fraction") << "btnStart" << 1 << 3.7 << lines({exec(4, 1, 0, 3)});
    QTest::newRow("start truncates toward zero") << "btnStart" << 1 << -3.7 << lines({exec(4, 1, 0, -3)});
    QTest::newRow("stop ignores the distance") << "btnStop" << 0 << 51000.0 << lines({exec(3, 0, 0, 0)});
}

void TestCommissioning::player()
{
    QFETCH(QString, button);
    QFETCH(int, decimals);
    QFETCH(double, distance);
    QFETCH(QStringList, expected);
    Bench bench;
    bench.attach();
    auto* target = bench.get<SpinBox>("sbTargetPosition");
    target->setDecimals(decimals);
    target->setValue(distance);

    bench.get<QPushButton>(button.toLatin1().constData())->click();

    QCOMPARE(bench.module.log(), expected);
}

void TestCommissioning::changeSignTwiceRestores_data()
{
    QTest::addColumn<double>("start");
    QTest::newRow("positive") << 51000.0;
    QTest::newRow("negative") << -12.0;
    QTest::newRow("zero") << 0.0;
}

void TestCommissioning::changeSignTwiceRestores()
{
    QFETCH(double, start);
    Bench bench;
    bench.attach();
    auto* target = bench.get<SpinBox>("sbTargetPosition");
    target->setValue(start);
    const QString startText = target->text();
    QSignalSpy changes(target, qOverload<int>(&SpinBox::valueChanged));
    auto* change = bench.get<QPushButton>("btnChangeSign");

    change->click();
    QCOMPARE(target->value(), -start);
    QCOMPARE(changes.count(), start == 0.0 ? 0 : 1);
    QVERIFY(start == 0.0 ? target->text() == "0" : target->text() != startText);

    change->click();
    QCOMPARE(target->value(), start);
    QCOMPARE(target->text(), startText);
    QVERIFY(bench.module.log().isEmpty());
}

void TestCommissioning::rampType_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("S-Shape sets the ramp and its four parameters") << 0 << 1 << sShapeWrites();
    QTest::newRow("Trapezoid sets only the ramp") << 1 << 0 << lines({sap(14, 0)});
}

void TestCommissioning::rampType()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, expected);
    Bench bench;
    bench.attach();
    auto* ramp = bench.get<QComboBox>("cmbRampType");
    ramp->setCurrentIndex(from);
    bench.module.clearLog();

    ramp->setCurrentIndex(to);

    QCOMPARE(bench.module.log(), expected);
}

void TestCommissioning::motionValues_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("speed") << "sbMaximumPositionSpeed" << lines({sap(4, 777)});
    QTest::newRow("acceleration follows in 17") << "sbMaximumAcceleration" << lines({sap(5, 777), sap(17, 777)});
}

void TestCommissioning::motionValues()
{
    QFETCH(QString, box);
    QFETCH(QStringList, expected);
    Bench bench;
    bench.attach();

    bench.get<SpinBox>(box.toLatin1().constData())->setValue(777);

    QCOMPARE(bench.module.log(), expected);
}

void TestCommissioning::typedValueIsSentWhenEditingFinishes()
{
    Bench bench;
    bench.attach();
    auto* speed = bench.get<SpinBox>("sbMaximumPositionSpeed");
    speed->selectAll();

    QTest::keyClicks(speed, "789");
    QVERIFY(bench.module.log().isEmpty());
    QTest::keyClick(speed, Qt::Key_Return);

    QCOMPARE(bench.module.log(), lines({sap(4, 789)}));
}

void TestCommissioning::valueFromAnotherSenderSendsNothing()
{
    Bench bench;
    bench.attach();
    QSpinBox plain;
    connect(&plain, SIGNAL(valueChanged(int)), bench.page, SLOT(spValueChanged(int)));

    plain.setValue(5);
    QVERIFY(QMetaObject::invokeMethod(bench.page, "spValueChanged", Q_ARG(int, 6)));

    QVERIFY(bench.module.log().isEmpty());
}

void TestCommissioning::closedLoopActivation()
{
    Bench bench;
    bench.attach();
    bench.get<QGroupBox>("gbEncoder")->setChecked(true);
    bench.get<QGroupBox>("gbClosedLoop")->setChecked(true);
    auto* activate = bench.get<QCheckBox>("cbActivateClosedLoop");
    auto* busy = bench.get<ProgressIndicator>("progressIndicator");
    QVERIFY(!busy->isAnimated());

    activate->click();
    QCOMPARE(bench.module.log(), lines({sap(129, 1)}));
    QVERIFY(busy->isAnimated());

    // The polled closed-loop-ready flag lights its LED and ends the wait.
    Command ready(1, 6, 133, 0, 1);
    bench.exchange.replyValue(&ready);
    QVERIFY(bench.get<LabelLed>("ledClInitFlag")->labelSignal()->isEnabled());
    QVERIFY(!busy->isAnimated());

    bench.module.clearLog();
    activate->click();
    QCOMPARE(bench.module.log(), lines({sap(129, 0)}));
    QVERIFY(!busy->isAnimated());
}

void TestCommissioning::nothingIsSentWithoutDataExchange()
{
    Bench bench;
    bench.get<QGroupBox>("gbEncoder")->setChecked(true);
    bench.get<QGroupBox>("gbClosedLoop")->setChecked(true);

    bench.get<QPushButton>("btnStart")->click();
    bench.get<QPushButton>("btnStop")->click();
    bench.get<QComboBox>("cmbRampType")->setCurrentIndex(1);
    bench.get<SpinBox>("sbMaximumAcceleration")->setValue(10);
    bench.get<QCheckBox>("cbActivateClosedLoop")->click();
    bench.page->on_cmbAxisNumber_currentIndexChanged(1);
    bench.window.show();

    QVERIFY(bench.module.log().isEmpty());
    QCOMPARE(bench.exchange.currentAxis(), -1);
}

void TestCommissioning::refreshOnShow_data()
{
    QTest::addColumn<bool>("attached");
    QTest::addColumn<bool>("failing");
    QTest::addColumn<bool>("deviceOpen");
    QTest::addColumn<QList<int>>("module");   // ramp type, speed, acceleration in the module
    QTest::addColumn<QList<int>>("expected"); // the same on the page afterwards
    QTest::addColumn<QStringList>("log");

    const QStringList reads = lines({gap(14), gap(4), gap(5)});
    QTest::newRow("changed values are taken and written back")
        << true << false << true << QList<int>{1, 1234, 4321} << QList<int>{1, 1234, 4321}
        << QStringList{gap(14).toString()} + sShapeWrites()
               + lines({gap(4), sap(4, 1234), gap(5), sap(5, 4321), sap(17, 4321)});
    QTest::newRow("equal values write nothing")
        << true << false << true << QList<int>{0, 100, 200} << QList<int>{0, 100, 200} << reads;
    QTest::newRow("failing reads keep the values")
        << true << true << true << QList<int>{1, 1234, 4321} << QList<int>{0, 100, 200} << reads;
    QTest::newRow("unknown ramp type keeps the combo box")
        << true << false << true << QList<int>{7, 100, 200} << QList<int>{0, 100, 200} << reads;
    QTest::newRow("negative ramp type keeps the combo box")
        << true << false << true << QList<int>{-1, 100, 200} << QList<int>{0, 100, 200} << reads;
    QTest::newRow("closed device keeps the values")
        << true << false << false << QList<int>{1, 1234, 4321} << QList<int>{0, 100, 200} << QStringList();
    QTest::newRow("no data exchange reads nothing")
        << false << false << true << QList<int>{1, 1234, 4321} << QList<int>{0, 100, 200} << QStringList();
}

void TestCommissioning::refreshOnShow()
{
    QFETCH(bool, attached);
    QFETCH(bool, failing);
    QFETCH(bool, deviceOpen);
    QFETCH(QList<int>, module);
    QFETCH(QList<int>, expected);
    QFETCH(QStringList, log);
    Bench bench;
    auto* ramp = bench.get<QComboBox>("cmbRampType");
    auto* speed = bench.get<SpinBox>("sbMaximumPositionSpeed");
    auto* acceleration = bench.get<SpinBox>("sbMaximumAcceleration");
    if (attached)
        bench.attach();
    speed->setValue(100);
    acceleration->setValue(200);
    bench.module.setValue(14, module.at(0));
    bench.module.setValue(4, module.at(1));
    bench.module.setValue(5, module.at(2));
    for (int type : {14, 4, 5})
        bench.module.setFailing(type, failing);
    bench.module.setDeviceOpen(deviceOpen);
    bench.module.clearLog();
    QSignalSpy messages(bench.page, &BaseSettings::showMessage);

    bench.window.show();

    QCOMPARE(bench.module.log(), log);
    QCOMPARE((QList<int>{ramp->currentIndex(), speed->intValue(), acceleration->intValue()}), expected);
    QCOMPARE(messages.count(), 0);
}

void TestCommissioning::targetPositionIsReadOnlyWithAParameterNumber()
{
    Bench bench;
    bench.module.setParameterNumber("par::TargetPosition", 150);
    bench.attach();
    bench.module.setValue(150, -4000);

    bench.window.show();

    // Child order of the motion test: speed, distance, acceleration.
    QCOMPARE(bench.module.log(), lines({gap(14), gap(4), gap(150), gap(5)}));
    QCOMPARE(bench.get<SpinBox>("sbTargetPosition")->intValue(), -4000);
}

void TestCommissioning::axisSelection()
{
    Bench bench;
    bench.attach();
    bench.window.show();
    bench.module.clearLog();
    QSignalSpy messages(bench.page, &BaseSettings::showMessage);

    bench.get<QComboBox>("cmbAxisNumber")->setCurrentIndex(2);
    QCOMPARE(bench.exchange.currentAxis(), 2);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.at(0), (QVariantList{"Changed: Motor / Encoder 2", 0}));
    QCOMPARE(bench.module.log(), lines({gap(14, 2), gap(4, 2), gap(5, 2)}));
    QVERIFY(bench.page->isVisible());

    // The current axis again: no change, but the visible page reads once more.
    bench.module.clearLog();
    bench.page->on_cmbAxisNumber_currentIndexChanged(2);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(bench.module.log(), lines({gap(14, 2), gap(4, 2), gap(5, 2)}));

    // A hidden page only changes the axis.
    bench.window.hide();
    bench.module.clearLog();
    bench.get<QComboBox>("cmbAxisNumber")->setCurrentIndex(1);
    QCOMPARE(bench.exchange.currentAxis(), 1);
    QCOMPARE(messages.count(), 2);
    QVERIFY(bench.module.log().isEmpty());
}

void TestCommissioning::emptyReport_data()
{
    QTest::addColumn<QString>("reporter"); // empty: a direct call without a sender
    QTest::addColumn<bool>("encoderChosen");
    QTest::addColumn<bool>("closedLoopChosen");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("encoderAfter");
    QTest::addColumn<bool>("closedLoopAfter");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("ready");

    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    QTest::newRow("motor, Yes opens the encoder step")
        << "MotorSettings" << false << false << yes << QStringList{MotorQuestion} << true << false
        << "showEncoderSettings" << "lblProgressMotor";
    QTest::newRow("motor, No stays without encoder")
        << "MotorSettings" << false << false << no << QStringList{MotorQuestion} << false << false << ""
        << "lblProgressMotor";
    QTest::newRow("motor, encoder already chosen") << "MotorSettings" << true << false << yes << QStringList()
                                                  << true << false << "" << "lblProgressMotor";
    QTest::newRow("encoder, Yes opens the closed-loop step")
        << "EncoderSettings" << true << false << yes << QStringList{EncoderQuestion} << true << true
        << "showClosedLoop" << "lblProgressEncoder";
    QTest::newRow("encoder, No stays open loop") << "EncoderSettings" << true << false << no
                                                 << QStringList{EncoderQuestion} << true << false << ""
                                                 << "lblProgressEncoder";
    QTest::newRow("encoder, closed loop already chosen") << "EncoderSettings" << true << true << yes
                                                         << QStringList() << true << true << ""
                                                         << "lblProgressEncoder";
    QTest::newRow("closed loop") << "ClosedLoop" << true << true << yes << QStringList() << true << true << ""
                                 << "lblProgressClosedLoop";
    QTest::newRow("names compare case-sensitively") << "motorsettings" << false << false << yes << QStringList()
                                                    << false << false << "" << "";
    QTest::newRow("unknown reporter") << "Other" << false << false << yes << QStringList() << false << false << ""
                                      << "";
    QTest::newRow("no reporter") << "" << false << false << yes << QStringList() << false << false << "" << "";
}

void TestCommissioning::emptyReport()
{
    QFETCH(QString, reporter);
    QFETCH(bool, encoderChosen);
    QFETCH(bool, closedLoopChosen);
    QFETCH(int, answer);
    QFETCH(QStringList, questions);
    QFETCH(bool, encoderAfter);
    QFETCH(bool, closedLoopAfter);
    QFETCH(QString, opened);
    QFETCH(QString, ready);
    Bench bench;
    bench.attach();
    auto* encoder = bench.get<QGroupBox>("gbEncoder");
    auto* closedLoop = bench.get<QGroupBox>("gbClosedLoop");
    encoder->setChecked(encoderChosen);
    closedLoop->setChecked(closedLoopChosen);
    QSignalSpy back(bench.page, &Commissioning::showCommissioning);
    QSignalSpy motor(bench.page, &Commissioning::showMotorSettings);
    QSignalSpy encoderPage(bench.page, &Commissioning::showEncoderSettings);
    QSignalSpy closedLoopPage(bench.page, &Commissioning::showClosedLoop);
    Reporter sender(reporter);
    connect(&sender, &Reporter::executed, bench.page, &Commissioning::done);

    {
        Answerer answerer{QMessageBox::StandardButton(answer)};
        if (reporter.isEmpty())
            bench.page->done(true, QString());
        else
            emit sender.executed(true, QString());
        QCOMPARE(answerer.questions, questions);
        for (int i = 0; i < answerer.questions.size(); ++i) {
            QCOMPARE(answerer.parents.at(i), static_cast<QWidget*>(bench.page));
            QVERIFY(answerer.titles.at(i).isEmpty());
            QCOMPARE(answerer.buttons.at(i), QMessageBox::Yes | QMessageBox::No);
        }
    }

    QCOMPARE(back.count(), 1);
    QCOMPARE(motor.count(), 0);
    QCOMPARE(encoderPage.count(), opened == "showEncoderSettings" ? 1 : 0);
    QCOMPARE(closedLoopPage.count(), opened == "showClosedLoop" ? 1 : 0);
    QCOMPARE(encoder->isChecked(), encoderAfter);
    QCOMPARE(closedLoop->isChecked(), closedLoopAfter);
    for (const char* label : {"lblProgressMotor", "lblProgressEncoder", "lblProgressClosedLoop"}) {
        const QString style = bench.get<QLabel>(label)->styleSheet();
        QVERIFY2(style.contains(ready == label ? ReadyImage : NotReadyImage), label);
    }
    QVERIFY(bench.module.log().isEmpty());
}

void TestCommissioning::readinessLabels_data()
{
    QTest::addColumn<bool>("encoderChosen");
    QTest::addColumn<bool>("closedLoopChosen");
    QTest::addColumn<bool>("readyToUse");
    QTest::newRow("nothing chosen") << false << false << false;
    QTest::newRow("encoder only") << true << false << false;
    QTest::newRow("encoder and closed loop") << true << true << true;
}

void TestCommissioning::readinessLabels()
{
    QFETCH(bool, encoderChosen);
    QFETCH(bool, closedLoopChosen);
    QFETCH(bool, readyToUse);
    Bench bench;
    bench.attach();
    bench.window.show();
    bench.get<QGroupBox>("gbEncoder")->setChecked(encoderChosen);
    bench.get<QGroupBox>("gbClosedLoop")->setChecked(closedLoopChosen);
    auto* ready = bench.get<QLabel>("lblClreadyToUse");
    auto* notReady = bench.get<QLabel>("lblClnotReady");
    Reporter other("Other");
    connect(&other, &Reporter::executed, bench.page, &Commissioning::done);

    // Cancelled reports leave the labels alone.
    emit other.executed(false, QString());
    QVERIFY(!ready->isVisible());
    QVERIFY(notReady->isVisible());

    emit other.executed(true, "text");
    QCOMPARE(ready->isVisible(), readyToUse);
    QCOMPARE(notReady->isVisible(), !readyToUse);

    // Unchecking a step takes effect with the next applied report.
    bench.get<QGroupBox>("gbEncoder")->setChecked(false);
    QCOMPARE(ready->isVisible(), readyToUse);
    emit other.executed(true, QString());
    QVERIFY(!ready->isVisible());
    QVERIFY(notReady->isVisible());
}

void TestCommissioning::cancelledReportOnlyReturnsToThePage()
{
    Bench bench;
    bench.attach();
    Reporter motor("MotorSettings");
    connect(&motor, &Reporter::executed, bench.page, &Commissioning::done);
    QSignalSpy back(bench.page, &Commissioning::showCommissioning);
    QSignalSpy encoderPage(bench.page, &Commissioning::showEncoderSettings);
    Answerer answerer(QMessageBox::Yes);

    emit motor.executed(false, "  SAP 140, 0, 8  //x\n");
    emit motor.executed(false, QString());

    QCOMPARE(back.count(), 2);
    QCOMPARE(encoderPage.count(), 0);
    QVERIFY(answerer.questions.isEmpty());
    QVERIFY(bench.get<QTextEdit>("teHistory")->toPlainText().isEmpty());
    QVERIFY(bench.get<QLabel>("lblProgressMotor")->styleSheet().contains(NotReadyImage));
    QVERIFY(!bench.get<QGroupBox>("gbEncoder")->isChecked());
}

void TestCommissioning::historyKeepsTheLatestTextPerStep()
{
    Bench bench;
    bench.attach();
    Reporter motor("MotorSettings");
    Reporter encoder("EncoderSettings");
    Reporter closedLoop("ClosedLoop");
    for (Reporter* reporter : {&motor, &encoder, &closedLoop})
        connect(reporter, &Reporter::executed, bench.page, &Commissioning::done);
    auto* history = bench.get<QTextEdit>("teHistory");
    Answerer answerer(QMessageBox::Yes);

    emit closedLoop.executed(true, "C1");
    QCOMPARE(history->toPlainText(), QString("C1"));
    emit motor.executed(true, "M1");
    emit motor.executed(true, "M2");
    emit encoder.executed(true, "E1");
    QCOMPARE(history->toPlainText(), QString("M2\nE1\nC1"));

    // Texts alone neither ask nor mark a step.
    QVERIFY(answerer.questions.isEmpty());
    for (const char* label : {"lblProgressMotor", "lblProgressEncoder", "lblProgressClosedLoop"})
        QVERIFY2(bench.get<QLabel>(label)->styleSheet().contains(NotReadyImage), label);
}

void TestCommissioning::guidedRunThroughAllSteps()
{
    Bench bench;
    bench.attach();
    bench.window.show();
    Reporter motor("MotorSettings");
    Reporter encoder("EncoderSettings");
    Reporter closedLoop("ClosedLoop");
    for (Reporter* reporter : {&motor, &encoder, &closedLoop})
        connect(reporter, &Reporter::executed, bench.page, &Commissioning::done);
    QSignalSpy back(bench.page, &Commissioning::showCommissioning);
    QSignalSpy encoderPage(bench.page, &Commissioning::showEncoderSettings);
    QSignalSpy closedLoopPage(bench.page, &Commissioning::showClosedLoop);
    Answerer answerer(QMessageBox::Yes);

    // Each step page reports its text first, then an empty text.
    emit motor.executed(true, "M");
    emit motor.executed(true, QString());
    emit encoder.executed(true, "E");
    emit encoder.executed(true, QString());
    emit closedLoop.executed(true, "C");
    emit closedLoop.executed(true, QString());

    QCOMPARE(answerer.questions, (QStringList{MotorQuestion, EncoderQuestion}));
    QCOMPARE(back.count(), 6);
    QCOMPARE(encoderPage.count(), 1);
    QCOMPARE(closedLoopPage.count(), 1);
    for (const char* label : {"lblProgressMotor", "lblProgressEncoder", "lblProgressClosedLoop"})
        QVERIFY2(bench.get<QLabel>(label)->styleSheet().contains(ReadyImage), label);
    QVERIFY(bench.get<QLabel>("lblClreadyToUse")->isVisible());
    QVERIFY(!bench.get<QLabel>("lblClnotReady")->isVisible());
    QVERIFY(bench.get<QCheckBox>("cbActivateClosedLoop")->isEnabled());
    QCOMPARE(bench.get<QTextEdit>("teHistory")->toPlainText(), QString("M\nE\nC"));
}

QTEST_MAIN(TestCommissioning)
#include "tst_commissioning.moc"
