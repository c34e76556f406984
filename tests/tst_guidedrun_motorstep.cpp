// Step 1 of the guided run with the real plug-in on the simulated module: from the start-up
// page to the motor page and back, as the user clicks through it.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include <memory>

#include "guidedrunfixture.h"
#include "parameter.h"
#include "spinbox.h"

using Values = QList<QPair<int, int>>;

namespace {

const int StartUp = GuidedRunFixture::StartUp;
const int Motor = GuidedRunFixture::Motor;
const int Encoder = GuidedRunFixture::Encoder;

const int ReverseShaft = 251;
const int FullSteps = 202;
const int Microsteps = 140;
const int RunCurrent = 6;
const int StandbyCurrent = 7;

const QString MotorQuestion = QStringLiteral("Does the motor have an ABN- Encoder installed");
const QString ReadyImage = QStringLiteral("SettingsProgessReady");
const QString NotReadyImage = QStringLiteral("SettingsProgessNotReady");

// One line of the setup program as the module's language lays it out.
QString sapLine(int type, int axis, int value, const QString& comment)
{
    return QStringLiteral("  SAP %1, %2, %3  //%4").arg(type, 3).arg(axis).arg(value, 8).arg(comment);
}

} // namespace

class TestGuidedRunMotorStep : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void motorStep_data();
    void motorStep();
    void secondApplyReplacesFragment();
    void cancelWritesNothing();

private:
    int drive(int type, int motor);
    QString comment(const char* key);
    template <class T>
    T* motorChild(const char* name) const { return m_run->child<T>(Motor, name); }
    template <class T>
    T* startChild(const char* name) const { return m_run->child<T>(StartUp, name); }
    // Opens the motor page from the start-up page, on the given axis.
    void openMotorPage(int axis);
    int fullStepRow(int count) const;
    QStringList historyLines() const;

    std::unique_ptr<GuidedRunFixture> m_run;
};

int TestGuidedRunMotorStep::drive(int type, int motor)
{
    bool ok = false;
    const int value = m_run->module().getAxisParameter(quint8(type), quint8(motor), &ok);
    if (!ok)
        qWarning("reading parameter %d of motor %d failed", type, motor);
    return value;
}

QString TestGuidedRunMotorStep::comment(const char* key)
{
    return m_run->module().getParameterAndCheck(QStringLiteral("test"), QStringLiteral("axis0"),
                                                QString::fromLatin1(key)).comment;
}

void TestGuidedRunMotorStep::openMotorPage(int axis)
{
    m_run->open(StartUp);
    if (axis != 0)
        startChild<QComboBox>("cmbAxisNumber")->setCurrentIndex(axis);
    GuidedRunFixture::processEvents();
    QTest::mouseClick(startChild<QPushButton>("btnMotorSettings"), Qt::LeftButton);
    GuidedRunFixture::processEvents();
}

int TestGuidedRunMotorStep::fullStepRow(int count) const
{
    const QAbstractItemModel* model = motorChild<QComboBox>("cmbFullStepResulotion")->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 1).data().toString() == QString::number(count))
            return row;
    }
    return -1;
}

QStringList TestGuidedRunMotorStep::historyLines() const
{
    return startChild<QTextEdit>("teHistory")->toPlainText().split(QLatin1Char('\n'));
}

void TestGuidedRunMotorStep::init()
{
    m_run.reset(new GuidedRunFixture);
    QString error;
    QVERIFY2(m_run->start(QStringLiteral(GV7_PLUGIN_PATH), &error), qPrintable(error));
}

void TestGuidedRunMotorStep::cleanup()
{
    if (m_run)
        QVERIFY2(m_run->unexpectedQuestions().isEmpty(), qPrintable(m_run->unexpectedQuestions().join('|')));
    m_run.reset();
}

void TestGuidedRunMotorStep::motorStep_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<Values>("preset");
    QTest::addColumn<bool>("shownReverse");
    QTest::addColumn<QString>("shownAngle");
    QTest::addColumn<int>("shownMicrosteps");
    QTest::addColumn<int>("shownRun");
    QTest::addColumn<int>("shownStandby");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("directionLine");

    QTest::newRow("axis 0 as delivered, encoder: yes")
        << 0 << Values{} << false << "1.8°" << 8 << 128 << 8 << int(QMessageBox::Yes)
        << "  SAP 251, 0,        1  //Reverse shaft";
    QTest::newRow("axis 1 already set up once, encoder: no")
        << 1 << Values{{ReverseShaft, 1}, {FullSteps, 96}, {Microsteps, 6}, {RunCurrent, 100}, {StandbyCurrent, 20}}
        << true << "3.75°" << 6 << 100 << 20 << int(QMessageBox::No) << "  SAP 251, 1,        0  //Reverse shaft";
    QTest::newRow("axis 2, encoder: yes")
        << 2 << Values{{Microsteps, 0}, {RunCurrent, 255}} << false << "1.8°" << 0 << 255 << 8
        << int(QMessageBox::Yes) << "  SAP 251, 2,        1  //Reverse shaft";
}

void TestGuidedRunMotorStep::motorStep()
{
    QFETCH(int, axis);
    QFETCH(Values, preset);
    QFETCH(bool, shownReverse);
    QFETCH(QString, shownAngle);
    QFETCH(int, shownMicrosteps);
    QFETCH(int, shownRun);
    QFETCH(int, shownStandby);
    QFETCH(int, answer);
    QFETCH(QString, directionLine);

    SimulatedModule& module = m_run->module();
    for (const auto& value : preset)
        module.setAxisParameter(quint8(value.first), quint8(axis), value.second);
    const int otherAxis = (axis + 1) % 3;
    const Values otherBefore = {{ReverseShaft, drive(ReverseShaft, otherAxis)},
                                {FullSteps, drive(FullSteps, otherAxis)},
                                {Microsteps, drive(Microsteps, otherAxis)},
                                {RunCurrent, drive(RunCurrent, otherAxis)},
                                {StandbyCurrent, drive(StandbyCurrent, otherAxis)}};

    auto* progressMotor = startChild<QLabel>("lblProgressMotor");
    QVERIFY(progressMotor->styleSheet().contains(NotReadyImage));

    openMotorPage(axis);
    QVERIFY(m_run->isShown(Motor));
    QVERIFY(m_run->isActive(Motor));
    QCOMPARE(motorChild<QLabel>("lblCurrentAxis")->text(), QStringLiteral("Motor / Encoder %1").arg(axis));

    // The page shows what the module holds for the axis.
    auto* reverse = motorChild<QCheckBox>("cbReverseMotorDirection");
    auto* fullSteps = motorChild<QComboBox>("cmbFullStepResulotion");
    auto* microsteps = motorChild<QComboBox>("cmbMicrosteps");
    auto* run = motorChild<SpinBox>("spMaxRunCurrent");
    auto* standby = motorChild<SpinBox>("spStanbyCurrent");
    QVERIFY(reverse && fullSteps && microsteps && run && standby);
    QCOMPARE(reverse->isChecked(), shownReverse);
    QCOMPARE(fullSteps->currentText(), shownAngle);
    QCOMPARE(microsteps->currentIndex(), shownMicrosteps);
    QCOMPARE(run->intValue(), shownRun);
    QCOMPARE(standby->intValue(), shownStandby);

    // The user's choices.
    reverse->click();
    const int row400 = fullStepRow(400);
    QVERIFY(row400 > 0);
    fullSteps->setCurrentIndex(row400);
    QCOMPARE(fullSteps->currentText(), QStringLiteral("0.9°"));
    microsteps->setCurrentIndex(4);
    QCOMPARE(microsteps->currentText(), QStringLiteral("16 µsteps"));
    GuidedRunFixture::typeInto(run, QStringLiteral("200"));
    GuidedRunFixture::typeInto(standby, QStringLiteral("50"));
    QCOMPARE(run->intValue(), 200);
    QCOMPARE(standby->intValue(), 50);
    // Editing alone changes nothing in the module.
    QCOMPARE(drive(Microsteps, axis), shownMicrosteps);
    QCOMPARE(drive(RunCurrent, axis), shownRun);

    m_run->answerNextQuestion(QMessageBox::StandardButton(answer));
    QVERIFY(m_run->clickButtonBox(Motor, QDialogButtonBox::Apply));

    const int direction = shownReverse ? 0 : 1;
    QCOMPARE(drive(ReverseShaft, axis), direction);
    QCOMPARE(drive(FullSteps, axis), 400);
    QCOMPARE(drive(Microsteps, axis), 4);
    QCOMPARE(drive(RunCurrent, axis), 200);
    QCOMPARE(drive(StandbyCurrent, axis), 50);
    for (const auto& value : otherBefore)
        QCOMPARE(drive(value.first, otherAxis), value.second);

    // Back on the start-up page, which asked about the encoder once.
    QVERIFY(!m_run->isShown(Motor));
    QVERIFY(m_run->isShown(StartUp));
    QCOMPARE(m_run->questions(), QStringList{MotorQuestion});
    QCOMPARE(m_run->pendingAnswers(), 0);
    const bool encoder = answer == QMessageBox::Yes;
    QCOMPARE(startChild<QGroupBox>("gbEncoder")->isChecked(), encoder);
    QCOMPARE(startChild<QGroupBox>("gbClosedLoop")->isEnabled(), encoder);
    QCOMPARE(m_run->isShown(Encoder), encoder);
    QCOMPARE(m_run->isActive(Encoder), encoder);
    QCOMPARE(m_run->isActive(StartUp), !encoder);

    const QStringList expected = {
        QStringLiteral("//Motor settings"),
        sapLine(ReverseShaft, axis, direction, QStringLiteral("Reverse shaft")),
        sapLine(FullSteps, axis, 400, QStringLiteral("0.9°")),
        sapLine(Microsteps, axis, 4, QStringLiteral("16 µsteps")),
        sapLine(StandbyCurrent, axis, 50, comment("par::StandbyCurrent")),
        sapLine(RunCurrent, axis, 200, comment("par::MaxCurrent")),
    };
    QCOMPARE(expected.at(1), directionLine);
    const QStringList history = historyLines();
    QVERIFY2(history.size() >= expected.size(), qPrintable(history.join('\n')));
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(history.at(i), expected.at(i));
    // No encoder or closed-loop text yet: nothing but empty lines follows.
    for (int i = expected.size(); i < history.size(); ++i)
        QVERIFY2(history.at(i).isEmpty(), qPrintable(history.at(i)));

    QVERIFY(progressMotor->styleSheet().contains(ReadyImage));
    QVERIFY(startChild<QLabel>("lblProgressEncoder")->styleSheet().contains(NotReadyImage));
    QVERIFY(startChild<QLabel>("lblClnotReady")->isVisible());

    // Opened again, the motor page shows what has just been written.
    QTest::mouseClick(startChild<QPushButton>("btnMotorSettings"), Qt::LeftButton);
    GuidedRunFixture::processEvents();
    QVERIFY(m_run->isShown(Motor));
    QCOMPARE(reverse->isChecked(), direction == 1);
    QCOMPARE(fullSteps->currentText(), QStringLiteral("0.9°"));
    QCOMPARE(microsteps->currentIndex(), 4);
    QCOMPARE(run->intValue(), 200);
    QCOMPARE(standby->intValue(), 50);
}

void TestGuidedRunMotorStep::secondApplyReplacesFragment()
{
    openMotorPage(0);
    m_run->answerNextQuestion(QMessageBox::Yes);
    QVERIFY(m_run->clickButtonBox(Motor, QDialogButtonBox::Apply));
    QCOMPARE(m_run->questions().size(), 1);
    QVERIFY(startChild<QGroupBox>("gbEncoder")->isChecked());

    QTest::mouseClick(startChild<QPushButton>("btnMotorSettings"), Qt::LeftButton);
    GuidedRunFixture::processEvents();
    motorChild<QComboBox>("cmbMicrosteps")->setCurrentIndex(2);
    QVERIFY(m_run->clickButtonBox(Motor, QDialogButtonBox::Apply));

    // The encoder is known by now: no second question, and the history holds one motor block.
    QCOMPARE(m_run->questions().size(), 1);
    QCOMPARE(drive(Microsteps, 0), 2);
    const QStringList history = historyLines();
    QCOMPARE(history.count(QStringLiteral("//Motor settings")), 1);
    QVERIFY(history.contains(sapLine(Microsteps, 0, 2, QStringLiteral("4 µsteps"))));
    QVERIFY(!history.contains(sapLine(Microsteps, 0, 8, QStringLiteral("256 µsteps"))));
    QVERIFY(startChild<QLabel>("lblProgressMotor")->styleSheet().contains(ReadyImage));
}

void TestGuidedRunMotorStep::cancelWritesNothing()
{
    openMotorPage(0);
    QVERIFY(m_run->isShown(Motor));
    motorChild<QComboBox>("cmbMicrosteps")->setCurrentIndex(3);
    motorChild<QCheckBox>("cbReverseMotorDirection")->click();
    QVERIFY(m_run->clickButtonBox(Motor, QDialogButtonBox::Cancel));

    QVERIFY(!m_run->isShown(Motor));
    QVERIFY(m_run->isActive(StartUp));
    QVERIFY(m_run->questions().isEmpty());
    QCOMPARE(drive(Microsteps, 0), 8);
    QCOMPARE(drive(ReverseShaft, 0), 0);
    QVERIFY(startChild<QTextEdit>("teHistory")->toPlainText().isEmpty());
    QVERIFY(startChild<QLabel>("lblProgressMotor")->styleSheet().contains(NotReadyImage));
    QVERIFY(!startChild<QGroupBox>("gbEncoder")->isChecked());
}

QTEST_MAIN(TestGuidedRunMotorStep)
#include "tst_guidedrun_motorstep.moc"
