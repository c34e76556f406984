#include <QLoggingCategory>
#include <QtTest>

#include "resolutionsnapper.h"

namespace {
QStringList g_messages;

void collect(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg)
        g_messages.append(message);
}
}

class TestResolutionSnapper : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void snap_data();
    void snap();
    void everyStandardResolutionMapsToItself();
    void standardResolutionsAreTriedLargestFirst();
    void debugLinePerTriedResolution();
};

void TestResolutionSnapper::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));
}

void TestResolutionSnapper::snap_data()
{
    QTest::addColumn<qint64>("measured");
    QTest::addColumn<int>("expected");

    QTest::newRow("one count short of 4096") << qint64(4095) << 4096;
    QTest::newRow("nine counts over 4096") << qint64(4105) << 4096;
    QTest::newRow("lowest count inside the 4096 band") << qint64(4084) << 4096;
    QTest::newRow("highest count inside the 4096 band") << qint64(4108) << 4096;
    QTest::newRow("just below the 4096 band (4083.712)") << qint64(4083) << 0;
    QTest::newRow("just above the 4096 band (4108.288)") << qint64(4109) << 0;
    QTest::newRow("40010 is 40000") << qint64(40010) << 40000;
    QTest::newRow("between 32768 and 40000") << qint64(36000) << 0;
    QTest::newRow("lower band edge is excluded (0.997 * 1000)") << qint64(997) << 0;
    QTest::newRow("upper band edge is excluded (1.003 * 1000)") << qint64(1003) << 0;
    QTest::newRow("2048 is not taken for 2000") << qint64(2047) << 2048;
    QTest::newRow("8000 is not taken for 8192") << qint64(8010) << 8000;
    QTest::newRow("encoder did not move") << qint64(0) << 0;
    QTest::newRow("negative count") << qint64(-4096) << 0;
    QTest::newRow("4096 beyond 32 bits is not cut to 4096") << (qint64(1) << 32) + 4096 << 0;
    QTest::newRow("count larger than any encoder") << qint64(1) + 65536 * 2 << 0;
}

void TestResolutionSnapper::snap()
{
    QFETCH(qint64, measured);
    QFETCH(int, expected);
    QCOMPARE(ResolutionSnapper::snap(measured), expected);
}

void TestResolutionSnapper::everyStandardResolutionMapsToItself()
{
    const QList<int> resolutions = ResolutionSnapper::standardResolutions();
    QCOMPARE(resolutions.size(), 17);
    for (int resolution : resolutions)
        QCOMPARE(ResolutionSnapper::snap(resolution), resolution);
}

void TestResolutionSnapper::standardResolutionsAreTriedLargestFirst()
{
    const QList<int> expected = {65536, 40000, 32768, 32000, 20000, 16384, 10000, 8192, 8000,
                                 5000,  4096,  4000,  2500,  2048,  2000,  1024,  1000};
    QCOMPARE(ResolutionSnapper::standardResolutions(), expected);
}

void TestResolutionSnapper::debugLinePerTriedResolution()
{
    QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=true"));
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    const int found = ResolutionSnapper::snap(4096);
    const int none = ResolutionSnapper::snap(3000);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));

    QCOMPARE(found, 4096);
    QCOMPARE(none, 0);
    // 4096 is the eleventh resolution tried; 3000 tries all seventeen.
    QCOMPARE(g_messages.size(), 11 + 17);
    QCOMPARE(g_messages.at(0), QStringLiteral("static int ResolutionSnapper::snap(qint64) 4096 65536 65601.5 65470.5"));
    QCOMPARE(g_messages.at(10), QStringLiteral("static int ResolutionSnapper::snap(qint64) 4096 4096 4100.1 4091.9"));
    QCOMPARE(g_messages.last(), QStringLiteral("static int ResolutionSnapper::snap(qint64) 3000 1000 1001 999"));
}

QTEST_GUILESS_MAIN(TestResolutionSnapper)
#include "tst_resolutionsnapper.moc"
