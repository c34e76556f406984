// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include "koraparser.h"
#include "setupprogram.h"

using Opcode = KoraProgram::Opcode;
using Condition = KoraProgram::Condition;

class TestKoraParser : public QObject
{
    Q_OBJECT
private slots:
    void readsWhatThePagesWrite();
    void labelsJumpsAndCase();
    void badText_data();
    void badText();
    void badFiles_data();
    void badFiles();
};

// The pages' own fragments, as the start-up page collects them.
void TestKoraParser::readsWhatThePagesWrite()
{
    const QString text = SetupProgram::motorHeader() + SetupProgram::parameterLine(140, 1, 8, "256 µsteps") + "\n"
                         + SetupProgram::encoderHeader() + SetupProgram::parameterLine(210, 1, -8192, "Encoder resolution")
                         + "\n" + SetupProgram::closedLoopHeader() + SetupProgram::parameterLine(120, 1, 10000, "delay")
                         + SetupProgram::waitLoop(1);
    QList<ProgramError> errors;
    const KoraProgram program = KoraParser::parse(text, &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.value(0).toString()));
    QCOMPARE(program.size(), 5);

    const KoraProgram::Instruction& resolution = program.at(1);
    QCOMPARE(resolution.opcode, Opcode::SetParameter);
    QCOMPARE(QList<int>({resolution.line, resolution.type, resolution.motor, resolution.value, resolution.typeColumn,
                         resolution.motorColumn, resolution.valueColumn}),
             QList<int>({5, 210, 1, -8192, 7, 12, 18}));
    QCOMPARE(resolution.comment + "/" + resolution.heading, QString("Encoder resolution/Encoder settings"));
    const KoraProgram::Instruction& read = program.at(3);
    QCOMPARE(read.opcode, Opcode::GetParameter);
    QCOMPARE(QList<int>({read.line, read.type, read.motor}), QList<int>({11, 133, 1}));
    const KoraProgram::Instruction& jump = program.at(4);
    QCOMPARE(jump.condition, Condition::Zero);
    QCOMPARE(jump.target, 3); // back to the GAP after the label
    QCOMPARE(KoraProgram::describe(jump), QString("JC ZE, WaitInit"));
}

void TestKoraParser::labelsJumpsAndCase()
{
    QList<ProgramError> errors;
    const KoraProgram program = KoraParser::parse("\tsap 6,0,+128\r\n"
                                                  "Loop: gap 133 , 2 // inline label\r\n"
                                                  "  jc nz, Done\r\n"
                                                  "  JA Loop\r\n"
                                                  "Done:",
                                                  &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.value(0).toString()));
    QCOMPARE(program.size(), 4);
    QCOMPARE(program.at(0).value, 128);
    QCOMPARE(program.at(1).comment, QString("inline label"));
    QCOMPARE(program.at(2).condition, Condition::NotZero);
    QCOMPARE(program.at(3).condition, Condition::Always);
    // A label at the end jumps past the last instruction.
    QCOMPARE(QList<int>({program.at(2).target, program.at(3).target}), QList<int>({4, 1}));
}

void TestKoraParser::badText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("errors"); // "line:column: message", one a line
    QTest::newRow("missing comma") << "SAP 6 0, 1" << "1:7: expected ',' between the parameter number and the motor, found '0'";
    QTest::newRow("word for a number") << "SAP six, 0, 1" << "1:5: expected the parameter number (a number), found 'six'";
    QTest::newRow("trailing operand") << "GAP 133, 0, 1" << "1:11: unexpected ',' after the motor";
    QTest::newRow("parameter number beyond a byte") << "SAP 256, 0, 1" << "1:5: the parameter number 256 is out of range (0 to 255)";
    QTest::newRow("values beyond 32 bits, up to twenty digits")
        << "SAP 6, 0, 2147483648\nSAP 6, 0, -99999999999999999999"
        << "1:11: the value 2147483648 is out of range (-2147483648 to 2147483647)\n"
           "2:11: the value -99999999999999999999 is out of range (-2147483648 to 2147483647)";
    QTest::newRow("unknown condition") << "GAP 1, 0\nJC EQ, X\nX:" << "2:4: unknown condition 'EQ' (ZE or NZ)";
    QTest::newRow("unknown label") << "GAP 1, 0\n JC ZE, Wait\nwait:" << "2:9: unknown label 'Wait'";
    QTest::newRow("label defined twice") << "A:\nSAP 6, 0, 1\n  A:" << "3:3: the label 'A' is already defined on line 1";
    QTest::newRow("no instruction") << "  \n\t\n" << "1:1: the program is empty";
    QTest::newRow("comments only") << "//Motor settings\nStart:\n"
                                   << "1:1: the program holds no instruction, only comments and labels";
    QTest::newRow("every fault in line order")
        << "SAP 6, 0\nJA Nowhere\nXYZ\n"
        << "1:9: expected ',' between the motor and the value, found the end of the line\n"
           "2:4: unknown label 'Nowhere'\n3:1: unknown instruction 'XYZ' (SAP, GAP, JC or JA)";
    QTest::newRow("long tokens cut") << QString(45, 'A') + "\nSAP 6, 0, 1" + QString(50, '9')
                                     << "1:1: unknown instruction '" + QString(40, 'A') + "…' (SAP, GAP, JC or JA)\n"
                                        "2:11: the value 1" + QString(39, '9') + "… is out of range (-2147483648 to 2147483647)";
    // The first twenty in line order, a jump's label found last among them; the rest counted.
    QString many = "JA Nowhere\n";
    QString first = "1:4: unknown label 'Nowhere'";
    for (int line = 2; line <= 30; ++line) {
        many += "XYZ\n";
        if (line <= ProgramError::Kept)
            first += QString("\n%1:1: unknown instruction 'XYZ' (SAP, GAP, JC or JA)").arg(line);
    }
    QTest::newRow("faults beyond twenty counted") << many << first + "\nand 10 more";
}

void TestKoraParser::badText()
{
    QFETCH(QString, text);
    QFETCH(QString, errors);
    QList<ProgramError> found;
    int more = 0;
    const KoraProgram program = KoraParser::parse(text, &found, &more);
    QStringList shown;
    for (const ProgramError& error : qAsConst(found))
        shown << error.toString();
    if (more > 0)
        shown << QString("and %1 more").arg(more);
    QCOMPARE(shown.join("\n"), errors);
    QVERIFY(program.isEmpty()); // nothing of a faulty program is ever run
}

void TestKoraParser::badFiles_data()
{
    QTest::addColumn<QString>("kind"); // "file" with the data, "folder" or "pipe"
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("error");
    QTest::newRow("NUL bytes") << "file" << QByteArray("SAP 6, 0, 1\n\nSAP\0\x01\x02", 18) << "3: not a text file: control byte 0x00";
    QTest::newRow("invalid UTF-8") << "file" << QByteArray("SAP 6, 0, 1\n// \xff\xfe\n") << "2: not a text file: invalid UTF-8";
    // Found by bench/fuzz.sh: a sequence cut off by a line end or by the end of the file.
    QTest::newRow("UTF-8 cut by a line end") << "file" << QByteArray("Again: GAP 8, 0\n  JC ZE, A\xc7\nBack: JA Back\n") << "2: not a text file: invalid UTF-8";
    QTest::newRow("UTF-8 cut by the file end") << "file" << QByteArray("SAP 6, 0, 1 //\xe2\x82") << "1: not a text file: invalid UTF-8";
    QTest::newRow("empty file") << "file" << QByteArray("") << "1:1: the program is empty";
    QTest::newRow("beyond the size limit") << "file" << QByteArray(KoraParser::MaxFileSize + 1, '\n')
                                           << "the file is larger than 1 MiB (1048577 bytes)";
    QTest::newRow("folder") << "folder" << QByteArray() << "not a regular file";
    // Opening a pipe would wait for a writer that never comes.
    QTest::newRow("pipe") << "pipe" << QByteArray() << "not a regular file";
    QTest::newRow("missing") << "missing" << QByteArray() << "cannot read the file";
}

void TestKoraParser::badFiles()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, data);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = kind == "folder" ? dir.path() : dir.filePath("p.kora");
    QFile file(path);
    QVERIFY(kind != "file" || (file.open(QIODevice::WriteOnly) && file.write(data) == data.size()));
    file.close();
    QVERIFY(kind != "pipe" || ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    QList<ProgramError> errors;
    QVERIFY(KoraParser::parseFile(path, &errors).isEmpty());
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().toString().startsWith(error), qPrintable(errors.first().toString()));
}

QTEST_GUILESS_MAIN(TestKoraParser)
#include "tst_koraparser.moc"
