#include <QtTest>

#include "setupprogram.h"

class TestSetupProgram : public QObject
{
    Q_OBJECT
private slots:
    void parameterLine_data();
    void parameterLine();
};

void TestSetupProgram::parameterLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("line");
    QTest::newRow("one-digit type and value padded") << 6 << 1 << 1 << "I max" << "  SAP   6, 1,        1  //I max\n";
    QTest::newRow("negative value padded with its sign") << 210 << 0 << -4000 << "E" << "  SAP 210, 0,    -4000  //E\n";
    QTest::newRow("over-long value not cut") << 120 << 0 << -10000000 << "c" << "  SAP 120, 0, -10000000  //c\n";
    QTest::newRow("four-digit type not cut") << 1000 << 0 << 1 << "c" << "  SAP 1000, 0,        1  //c\n";
    QTest::newRow("empty comment ends in slashes") << 7 << 0 << 8 << "" << "  SAP   7, 0,        8  //\n";
    QTest::newRow("percent signs in comment kept") << 251 << 0 << 0 << "%1 %2" << "  SAP 251, 0,        0  //%1 %2\n";
}

void TestSetupProgram::parameterLine()
{
    QFETCH(int, type);
    QFETCH(int, axis);
    QFETCH(int, value);
    QFETCH(QString, comment);
    QFETCH(QString, line);
    QCOMPARE(SetupProgram::parameterLine(type, axis, value, comment), line);
}

QTEST_GUILESS_MAIN(TestSetupProgram)
#include "tst_setupprogram.moc"
