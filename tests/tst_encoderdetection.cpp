#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QtTest>

#include "dataexchange.h"
#include "encodersettings.h"
#include "resolutionsnapper.h"
#include "simulatedmodule.h"
#include "spinbox.h"

// The detection end to end against the simulated drive, whose encoder is built in with its
// own resolution and direction.
class TestEncoderDetection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void detects_data();
    void detects();
};

void TestEncoderDetection::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));
}

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
    QTest::newRow("encoder that does not count") << 0 << false << 0;
}

void TestEncoderDetection::detects()
{
    QFETCH(int, counts);
    QFETCH(bool, reversed);
    QFETCH(int, detected);

    SimulatedModule module;
    module.setManualClock(true);
    module.setTrueEncoderResolution(counts);
    QCOMPARE(module.trueEncoderResolution(), counts);
    module.setEncoderReversed(reversed);
    module.setAxisParameter(4, 0, 30000);
    module.setAxisParameter(5, 0, 20000);
    module.setAxisParameter(210, 0, -1000);
    module.setAxisParameter(212, 0, 1234);
    module.setAxisParameter(209, 0, 777);
    module.setAxisParameter(1, 0, -5000);
    module.setAxisParameter(129, 0, 1);

    QWidget window;
    auto* tool = new QWidget(&window);
    auto* page = new EncoderSettings(tool);
    DataExchange exchange(&module, nullptr);
    exchange.setCurrentAxis(0);
    page->setDataExchange(&exchange);
    auto* resolutionBox = page->findChild<SpinBox*>("spEncoderResolution");
    auto* positionBox = page->findChild<SpinBox*>("spEncoderPosition");
    auto* reverseBox = page->findChild<QCheckBox*>("cbReverseEncoderDirection");
    resolutionBox->setValue(1);
    positionBox->setValue(1);
    reverseBox->setChecked(!reversed);

    page->findChild<QCommandLinkButton*>("btnAutoDetection")->click();
    page->findChild<QDialogButtonBox*>("bbAutoDetection")->button(QDialogButtonBox::Ok)->click();

    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QCOMPARE(dispatcher->registeredTimers(page).size(), 1);
    const int timerId = dispatcher->registeredTimers(page).first().timerId;
    int polls = 0;
    // One revolution forwards takes about 6 s, the way back under 2 s.
    while (!dispatcher->registeredTimers(page).isEmpty() && polls < 1000) {
        module.advance(100);
        QTimerEvent tick(timerId);
        QCoreApplication::sendEvent(page, &tick);
        ++polls;
    }
    QVERIFY2(polls < 1000, "the detection never ended");

    auto* investigated = page->findChild<QLabel*>("lblInvestigated");
    auto* direction = page->findChild<QLabel*>("lblEncDirection");
    QCOMPARE(investigated->text(), detected ? QString::number(detected) : QStringLiteral("not possible"));
    QCOMPARE(direction->text(), reversed ? QStringLiteral("reversed") : QStringLiteral("not reverse"));

    // The motor is back where it started and the drive has its settings again, but open loop.
    QCOMPARE(module.getAxisParameter(1, 0), -5000);
    QCOMPARE(module.getAxisParameter(4, 0), 30000);
    QCOMPARE(module.getAxisParameter(5, 0), 20000);
    QCOMPARE(module.getAxisParameter(210, 0), -1000);
    QCOMPARE(module.getAxisParameter(212, 0), 1234);
    QCOMPARE(module.getAxisParameter(129, 0), 0);

    page->findChild<QDialogButtonBox*>("bbDetction")->button(QDialogButtonBox::Apply)->click();
    QCOMPARE(resolutionBox->intValue(), detected);
    QCOMPARE(positionBox->intValue(), 0);
    QCOMPARE(reverseBox->isChecked(), reversed);
}

QTEST_MAIN(TestEncoderDetection)
#include "tst_encoderdetection.moc"
