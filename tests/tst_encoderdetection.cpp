#include <QAbstractEventDispatcher>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QtTest>

#include "dataexchange.h"
#include "encodersettings.h"
#include "resolutionsnapper.h"
#include "simulatedmodule.h"

// The detection against the simulated drive, whose encoder has its own resolution and direction.
class TestEncoderDetection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false")); }
    void detects_data();
    void detects();
};

void TestEncoderDetection::detects_data()
{
    QTest::addColumn<int>("counts");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("detected");
    for (int resolution : ResolutionSnapper::standardResolutions()) {
        QTest::addRow("%d counts", resolution) << resolution << false << resolution;
        QTest::addRow("%d counts reversed", resolution) << resolution << true << resolution;
    }
    QTest::newRow("3000 counts is no standard encoder") << 3000 << false << 0;
}

void TestEncoderDetection::detects()
{
    QFETCH(int, counts);
    QFETCH(bool, reversed);
    QFETCH(int, detected);
    SimulatedModule module;
    module.setManualClock(true);
    module.setTrueEncoderResolution(counts);
    module.setEncoderReversed(reversed);
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
    // clock: forwards takes about 6 s, back under 2.
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
    QCOMPARE(page->findChild<QLabel*>("lblInvestigated")->text(),
             detected ? QString::number(detected) : QStringLiteral("not possible"));
    QCOMPARE(page->findChild<QLabel*>("lblEncDirection")->text(), reversed ? "reversed" : "not reverse");
    for (const auto& parameter : kept)
        QCOMPARE(module.getAxisParameter(parameter.first, 0), parameter.second);
    QCOMPARE(module.getAxisParameter(129, 0), 0); // left in open loop
}

QTEST_MAIN(TestEncoderDetection)
#include "tst_encoderdetection.moc"
