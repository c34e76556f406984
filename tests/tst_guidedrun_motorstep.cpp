// Step 1 of the guided run, clicked through the real plug-in's pages on the simulated module.

#include <QtTest>
#include <QtWidgets>

#include "guidedrunfixture.h"
#include "spinbox.h"

using F = GuidedRunFixture;

class TestGuidedRunMotorStep : public QObject
{
    Q_OBJECT
    QScopedPointer<F> m_run;
    template <class T> T* get(int id, const char* name) const { return m_run->child<T>(id, name); }

private slots:
    void init()
    {
        m_run.reset(new F);
        QString error;
        QVERIFY2(m_run->start(GV7_PLUGIN_PATH, &error), qPrintable(error));
    }
    void cleanup() { m_run.reset(); }

    void motorStep_data()
    {
        QTest::addColumn<int>("axis");
        QTest::addColumn<QList<int>>("held"); // reverse shaft, full steps, microsteps, run and standby current
        QTest::addColumn<bool>("encoder");
        QTest::newRow("axis 0 as delivered, encoder: yes") << 0 << QList<int>{0, 200, 8, 128, 8} << true;
        QTest::newRow("axis 1 set up once, encoder: no") << 1 << QList<int>{1, 96, 6, 100, 20} << false;
    }
    void motorStep()
    {
        QFETCH(int, axis);
        QFETCH(QList<int>, held);
        QFETCH(bool, encoder);
        const int types[] = {251, 202, 140, 6, 7};
        for (int i = 0; i < 5; ++i)
            m_run->module().setAxisParameter(quint8(types[i]), quint8(axis), held[i]);
        m_run->open(F::StartUp);
        get<QComboBox>(F::StartUp, "cmbAxisNumber")->setCurrentIndex(axis);
        QVERIFY(get<QLabel>(F::StartUp, "lblProgressMotor")->styleSheet().contains("SettingsProgessNotReady"));

        // Cancelled, the page writes nothing: opened again, it shows what the module holds.
        for (auto button : {QDialogButtonBox::Cancel, QDialogButtonBox::Apply}) {
            F::click(get<QPushButton>(F::StartUp, "btnMotorSettings"));
            QVERIFY(m_run->isActive(F::Motor));
            auto* reverse = get<QCheckBox>(F::Motor, "cbReverseMotorDirection");
            auto* steps = get<QComboBox>(F::Motor, "cmbFullStepResulotion");
            auto* microsteps = get<QComboBox>(F::Motor, "cmbMicrosteps");
            auto* run = get<SpinBox>(F::Motor, "spMaxRunCurrent");
            auto* standby = get<SpinBox>(F::Motor, "spStanbyCurrent");
            QCOMPARE((QList<int>{reverse->isChecked(), steps->model()->index(steps->currentIndex(), 1).data().toInt(),
                                 microsteps->currentIndex(), run->intValue(), standby->intValue()}), held);
            reverse->click();
            steps->setCurrentIndex(steps->findText("0.9°"));
            microsteps->setCurrentIndex(4);
            F::typeInto(run, "200");
            F::typeInto(standby, "50");
            if (button == QDialogButtonBox::Apply)
                m_run->answerNextQuestion(encoder ? QMessageBox::Yes : QMessageBox::No);
            F::click(get<QDialogButtonBox>(F::Motor, "buttonBox")->button(button));
            QVERIFY(!m_run->isShown(F::Motor));
        }
        const QList<int> written = {1 - held[0], 400, 4, 200, 50};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(m_run->drive(types[i], axis), written[i]);

        // One question, answered; an unexpected one would be listed here as well.
        QCOMPARE(m_run->questions(), QStringList{"Does the motor have an ABN- Encoder installed"});
        QCOMPARE(get<QGroupBox>(F::StartUp, "gbEncoder")->isChecked(), encoder);
        QCOMPARE(m_run->isActive(F::Encoder), encoder);
        QVERIFY(get<QLabel>(F::StartUp, "lblProgressMotor")->styleSheet().contains("SettingsProgessReady"));
        auto sap = [this, axis](int type, int value, QString note) {
            note = note.isEmpty() ? m_run->module().getParameter("axis0", type).comment : note;
            return QStringLiteral("  SAP %1, %2, %3  //%4").arg(type, 3).arg(axis).arg(value, 8).arg(note);
        };
        const QStringList expected = {"//Motor settings", sap(251, written[0], "Reverse shaft"), sap(202, 400, "0.9°"),
                                      sap(140, 4, "16 µsteps"), sap(7, 50, ""), sap(6, 200, "")};
        // Nothing but empty lines follows: no encoder or closed-loop text yet.
        const QString history = get<QTextEdit>(F::StartUp, "teHistory")->toPlainText();
        QCOMPARE(history.left(history.indexOf(QRegularExpression("\\s*$"))).split('\n'), expected);
    }
};

QTEST_MAIN(TestGuidedRunMotorStep)
#include "tst_guidedrun_motorstep.moc"
