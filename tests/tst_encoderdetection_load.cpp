#include <QAbstractEventDispatcher>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QtTest>

#include "dataexchange.h"
#include "encodersettings.h"
#include "resolutionsnapper.h"
#include "simulatedmodule.h"

// The detection against a loaded motor: the rotor lags its field during the turn and, held by
// the load, still lags when it stops; the encoder counts the rotor. The detection allows 0.3 %
// of a revolution; beyond that, or with a stalled motor, it must say "not possible", never
// name a wrong resolution.
class TestEncoderDetectionLoad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false")); }
    void underLoad_data();
    void underLoad();
};

void TestEncoderDetectionLoad::underLoad_data()
{
    QTest::addColumn<double>("load"); // share of the holding torque, Coulomb friction
    QTest::addColumn<int>("counts");
    QTest::addColumn<bool>("reversed");
    for (int percent = 0; percent <= 60; percent += 10)
        for (int resolution : ResolutionSnapper::standardResolutions())
            for (bool reversed : {false, true})
                QTest::addRow("%d %%, %d counts%s", percent, resolution, reversed ? " reversed" : "")
                    << percent / 100.0 << resolution << reversed;
}

void TestEncoderDetectionLoad::underLoad()
{
    QFETCH(double, load);
    QFETCH(int, counts);
    QFETCH(bool, reversed);
    SimulatedModule module;
    module.setManualClock(true);
    module.setTrueEncoderResolution(counts);
    module.setEncoderReversed(reversed);
    MotorPhysics::Motor motor;
    motor.loadTorque = load * motor.holdingTorque;
    module.setMotor(motor);
    module.setAxisParameter(209, 0, 777);

    QWidget window;
    auto* page = new EncoderSettings(new QWidget(&window));
    DataExchange exchange(&module, nullptr);
    exchange.setCurrentAxis(0);
    page->setDataExchange(&exchange);
    page->findChild<QCommandLinkButton*>("btnAutoDetection")->click();
    page->findChild<QDialogButtonBox*>("bbAutoDetection")->button(QDialogButtonBox::Ok)->click();

    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    // A stalled motor still ends its turn: the position counter does not see the stall.
    for (int polls = 0; polls < 200 && !dispatcher->registeredTimers(page).isEmpty(); ++polls) {
        module.advance(100);
        QTimerEvent tick(dispatcher->registeredTimers(page).constFirst().timerId);
        QCoreApplication::sendEvent(page, &tick);
    }
    QVERIFY(dispatcher->registeredTimers(page).isEmpty());
    const QString found = page->findChild<QLabel*>("lblInvestigated")->text();
    QVERIFY2(found == QString::number(counts) || found == QStringLiteral("not possible"), qPrintable(found));
    // Without load every encoder is found; the README lists where the load prevents it.
    if (load == 0.0)
        QCOMPARE(found, QString::number(counts));
    if (found != QStringLiteral("not possible"))
        QCOMPARE(page->findChild<QLabel*>("lblEncDirection")->text(), reversed ? "reversed" : "not reverse");
}

QTEST_MAIN(TestEncoderDetectionLoad)
#include "tst_encoderdetection_load.moc"
