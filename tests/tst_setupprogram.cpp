#include <QtTest>

#include <limits>

#include "setupprogram.h"

class TestSetupProgram : public QObject
{
    Q_OBJECT
private slots:
    void headers();
    void parameterLine_data();
    void parameterLine();
    void waitLoop_data();
    void waitLoop();
};

void TestSetupProgram::headers()
{
    QCOMPARE(SetupProgram::motorHeader(), QStringLiteral("//Motor settings\n"));
    QCOMPARE(SetupProgram::encoderHeader(), QStringLiteral("//Encoder settings\n"));
    QCOMPARE(SetupProgram::closedLoopHeader(), QStringLiteral("//Closed Loop settings\n"));
}

void TestSetupProgram::parameterLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("line");

    QTest::newRow("three-digit type fills its field")
        << 113 << 0 << 50 << "P gain" << "  SAP 113, 0,       50  //P gain\n";
    QTest::newRow("one-digit type and value padded")
        << 6 << 1 << 1000 << "Max current" << "  SAP   6, 1,     1000  //Max current\n";
    QTest::newRow("two-digit axis not padded") << 12 << 15 << 0 << "x" << "  SAP  12, 15,        0  //x\n";
    QTest::newRow("negative value padded with its sign")
        << 210 << 0 << -4000 << "Encoder" << "  SAP 210, 0,    -4000  //Encoder\n";
    QTest::newRow("eight characters exactly") << 1 << 0 << 12345678 << "c" << "  SAP   1, 0, 12345678  //c\n";
    QTest::newRow("nine characters not cut") << 120 << 0 << -10000000 << "c" << "  SAP 120, 0, -10000000  //c\n";
    QTest::newRow("smallest int not cut")
        << 120 << 0 << std::numeric_limits<int>::min() << "c" << "  SAP 120, 0, -2147483648  //c\n";
    QTest::newRow("four-digit type not cut") << 1000 << 0 << 1 << "c" << "  SAP 1000, 0,        1  //c\n";
    QTest::newRow("empty comment ends in slashes") << 7 << 0 << 8 << "" << "  SAP   7, 0,        8  //\n";
    QTest::newRow("comment with percent signs kept")
        << 251 << 0 << 0 << "%1 of %2" << "  SAP 251, 0,        0  //%1 of %2\n";
    QTest::newRow("comment with degree sign") << 202 << 3 << 200 << "1.8°" << "  SAP 202, 3,      200  //1.8°\n";
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

void TestSetupProgram::waitLoop_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<QString>("text");
    QTest::newRow("axis 2") << 2
                            << "\nWaitInit:\n"
                               "  GAP 133, 2            //Wait until CL-init finished\n"
                               "   JC  ZE, WaitInit\n";
    QTest::newRow("axis 10") << 10
                             << "\nWaitInit:\n"
                                "  GAP 133, 10            //Wait until CL-init finished\n"
                                "   JC  ZE, WaitInit\n";
}

void TestSetupProgram::waitLoop()
{
    QFETCH(int, axis);
    QFETCH(QString, text);
    QCOMPARE(SetupProgram::waitLoop(axis), text);
    // Appended to a fragment, the loop leaves one empty line before the label.
    const QStringList lines = (SetupProgram::closedLoopHeader() + SetupProgram::waitLoop(axis)).split('\n');
    QCOMPARE(lines.at(1), QString());
    QCOMPARE(lines.at(2), QStringLiteral("WaitInit:"));
    QCOMPARE(lines.last(), QString());
}

QTEST_MAIN(TestSetupProgram)
#include "tst_setupprogram.moc"
