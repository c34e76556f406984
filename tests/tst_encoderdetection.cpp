// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractEventDispatcher>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QtTest>

#include "dataexchange.h"
#include "encodersettings.h"
#include "resolutionsnapper.h"
#include "simulatedmodule.h"

// The detection against the simulated drive, whose encoder has its own resolution and direction,
// and the snapping of a measured count to a standard resolution.
class TestEncoderDetection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false")); }
    void detects_data();
    void detects();
    void snap_data();
    void snap();
};

// Under a load the rotor lags its field during the turn and, held by the load, still lags when
// it stops; the encoder counts the rotor. The detection allows 0.3 % of a revolution; beyond
// that, or with a stalled motor, it must say "not possible", never name a wrong resolution.
void TestEncoderDetection::detects_data()
{
    QTest::addColumn<int>("load"); // percent of the holding torque, Coulomb friction
    QTest::addColumn<int>("counts");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("detected"); // -1: the resolution or "not possible"
    for (int load = 0; load <= 60; load += 10)
        for (int resolution : ResolutionSnapper::standardResolutions())
            for (bool reversed : {false, true})
                QTest::addRow("%d %%, %d counts%s", load, resolution, reversed ? " reversed" : "")
                    << load << resolution << reversed << (load ? -1 : resolution);
    QTest::newRow("3000 counts is no standard encoder") << 0 << 3000 << false << 0;
}

void TestEncoderDetection::detects()
{
    QFETCH(int, load);
    QFETCH(int, counts);
    QFETCH(bool, reversed);
    QFETCH(int, detected);
    SimulatedModule module;
    module.setManualClock(true);
    module.setTrueEncoderResolution(counts);
    module.setEncoderReversed(reversed);
    MotorPhysics::Motor motor;
    motor.loadTorque = load / 100.0 * motor.holdingTorque;
    module.setMotor(motor);
    // Motor position, ramp limits, resolution and deviation limit: all must come back. The page
    // leaves 212 armed during its turn while 210 holds the microsteps per revolution, so the
    // drive sees the turn as a deviation: the limit here is one the turn cannot reach.
    const QList<QPair<quint8, int>> kept = {{1, -5000}, {4, 30000}, {5, 20000}, {210, -1000}, {212, 8388607}};
    for (const auto& parameter : kept)
        module.setAxisParameter(parameter.first, 0, parameter.second);
    module.setAxisParameter(209, 0, 777);
    module.setAxisParameter(129, 0, 1);

    QWidget window;
    auto* page = new EncoderSettings(new QWidget(&window));
    DataExchange exchange(&module, nullptr);
    exchange.setCurrentAxis(0);
    page->setDataExchange(&exchange);
    page->findChild<QCommandLinkButton*>("btnAutoDetection")->click();
    page->findChild<QDialogButtonBox*>("bbAutoDetection")->button(QDialogButtonBox::Ok)->click();

    // The page polls every 100 ms, precisely; the polls are driven by hand against the manual
    // clock: forwards takes about 6 s, back under 2. A stalled motor still ends its turn: the
    // position counter does not see the stall.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const auto timers = dispatcher->registeredTimers(page);
    QCOMPARE(timers.size(), 1);
    QCOMPARE(timers.first().interval, 100);
    QCOMPARE(timers.first().timerType, Qt::PreciseTimer);
    int polls = 0;
    while (!dispatcher->registeredTimers(page).isEmpty() && ++polls < 1000) {
        module.advance(100);
        QTimerEvent tick(dispatcher->registeredTimers(page).constFirst().timerId);
        QCoreApplication::sendEvent(page, &tick);
    }
    QVERIFY2(polls < 1000, "the detection never ended");
    const QString found = page->findChild<QLabel*>("lblInvestigated")->text();
    const QString resolution = detected ? QString::number(detected < 0 ? counts : detected) : "not possible";
    QVERIFY2(found == resolution || (detected < 0 && found == "not possible"), qPrintable(found));
    if (found != "not possible")
        QCOMPARE(page->findChild<QLabel*>("lblEncDirection")->text(), reversed ? "reversed" : "not reverse");
    for (const auto& parameter : kept)
        QCOMPARE(module.getAxisParameter(parameter.first, 0), parameter.second);
    QCOMPARE(module.getAxisParameter(129, 0), 0); // left in open loop
}

void TestEncoderDetection::snap_data()
{
    QTest::addColumn<qint64>("measured");
    QTest::addColumn<int>("expected");
    for (int resolution : {65536, 40000, 32768, 32000, 20000, 16384, 10000, 8192, 8000, 5000, 4096, 4000, 2500, 2048,
                           2000, 1024, 1000})
        QTest::addRow("standard resolution %d", resolution) << qint64(resolution) << resolution;
    QTest::newRow("lowest count inside the 4096 band") << qint64(4084) << 4096;
    QTest::newRow("highest count inside the 4096 band") << qint64(4108) << 4096;
    QTest::newRow("just below the 4096 band (4083.712)") << qint64(4083) << 0;
    QTest::newRow("just above the 4096 band (4108.288)") << qint64(4109) << 0;
    QTest::newRow("lower band edge is excluded (0.997 * 1000)") << qint64(997) << 0;
    QTest::newRow("upper band edge is excluded (1.003 * 1000)") << qint64(1003) << 0;
    QTest::newRow("encoder did not move") << qint64(0) << 0;
    QTest::newRow("negative count") << qint64(-4096) << 0;
    QTest::newRow("4096 beyond 32 bits is not cut to 4096") << (qint64(1) << 32) + 4096 << 0;
}

void TestEncoderDetection::snap()
{
    QFETCH(qint64, measured);
    QFETCH(int, expected);
    QCOMPARE(ResolutionSnapper::snap(measured), expected);
}

QTEST_MAIN(TestEncoderDetection)
#include "tst_encoderdetection.moc"
