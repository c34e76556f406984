#include <QtTest>

#include "resolutionsnapper.h"

class TestResolutionSnapper : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false")); }
    void snap_data();
    void snap();
};

void TestResolutionSnapper::snap_data()
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

void TestResolutionSnapper::snap()
{
    QFETCH(qint64, measured);
    QFETCH(int, expected);
    QCOMPARE(ResolutionSnapper::snap(measured), expected);
}

QTEST_GUILESS_MAIN(TestResolutionSnapper)
#include "tst_resolutionsnapper.moc"
