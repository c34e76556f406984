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
// of a revolution, the lag at rest takes asin(load / run-current torque) of an electrical
// period (four full steps) and the count loses up to one more to its edge.
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
    QTest::addColumn<double>("load"); // share of the holding torque
    QTest::addColumn<int>("counts");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("detected");
    // At 30 %, the run current (128) carries 0.3 at 37 electrical degrees: 0.41 full steps or
    // 0.21 % of a revolution behind. Only 1000 counts forwards cannot make it: the lag is 2.06
    // counts, and the count started on an edge, so 997 arrive, not more than 0.997 x 1000.
    // Backwards the edge lies the other way and 998 arrive.
    for (int resolution : ResolutionSnapper::standardResolutions()) {
        const int forwards = resolution == 1000 ? 0 : resolution;
        QTest::addRow("30 %%, %d counts", resolution) << 0.3 << resolution << false << forwards;
        QTest::addRow("30 %%, %d counts reversed", resolution) << 0.3 << resolution << true << resolution;
    }
    // At 45 %, 64 degrees: 0.36 % behind, beyond the tolerance for every encoder.
    QTest::newRow("45 %, 4096 counts reversed: behind by more than the tolerance") << 0.45 << 4096 << true << 0;
    // Beyond the run current's torque the motor stalls: nothing counted.
    QTest::newRow("60 %, 4000 counts: stalled") << 0.6 << 4000 << false << 0;
}

void TestEncoderDetectionLoad::underLoad()
{
    QFETCH(double, load);
    QFETCH(int, counts);
    QFETCH(bool, reversed);
    QFETCH(int, detected);
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
    QCOMPARE(page->findChild<QLabel*>("lblInvestigated")->text(), detected ? QString::number(detected) : QStringLiteral("not possible"));
    if (detected)
        QCOMPARE(page->findChild<QLabel*>("lblEncDirection")->text(), reversed ? "reversed" : "not reverse");
}

QTEST_MAIN(TestEncoderDetectionLoad)
#include "tst_encoderdetection_load.moc"
