// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line as a value, without a process, and the writer of the outputs it names.

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "commandline.h"
#include "outputfile.h"

namespace {

// The fields a row looks at, "name=value" each.
QString summary(const CommandLine& line)
{
    QStringList parts{"plugin=" + line.plugin, "platform=" + line.platform, QString("poll=%1").arg(line.pollMs),
                      QString("scale=%1").arg(line.timeScale)};
    if (line.autoRun)
        parts << "auto";
    if (line.comparePresets)
        parts << "presets";
    for (const auto& ids : {qMakePair(QString("open"), line.open), qMakePair(QString("axes"), line.axes)}) {
        QStringList numbers;
        for (int id : ids.second)
            numbers << QString::number(id);
        parts << ids.first + "=" + numbers.join(',');
    }
    for (const auto& value : line.motorValues)
        parts << QString("%1=%2").arg(value.first).arg(value.second);
    parts << QString("headless=%1 display=%2").arg(line.isHeadless()).arg(line.needsDisplay());
    return parts.join(' ');
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refused_data();
    void refused();
    void accepted_data();
    void accepted();
    void outputFile_data();
    void outputFile();

private:
    QStringList placed(QStringList arguments) const;

    QTemporaryDir m_dir;
    QString m_file; // a setup program that exists
};

void TestCommandLine::initTestCase()
{
    m_file = m_dir.filePath("p.kora");
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("SAP 6, 0, 100\n") > 0);
    QVERIFY(QFile::link(m_dir.path(), m_dir.filePath("link")));
}

// %d is a folder, %f a file in it.
QStringList TestCommandLine::placed(QStringList arguments) const
{
    return QStringList{"workbench"} + arguments.replaceInStrings("%d", m_dir.path()).replaceInStrings("%f", m_file);
}

// Exit 2: nothing run, and nothing written into the folder the paths point to.
void TestCommandLine::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("time scale nan") << QStringList{"--time-scale", "nan"}
                                    << "--time-scale needs a number above 0, at most 1000000 (times real time)";
    QTest::newRow("time scale inf") << QStringList{"--time-scale=inf"} << "--time-scale needs a number above 0";
    QTest::newRow("poll period 0") << QStringList{"--poll-ms", "0"} << "--poll-ms needs a whole number from 1 to 60000 (ms)";
    QTest::newRow("negative resolution") << QStringList{"--encoder-resolution", "-1"}
                                         << "--encoder-resolution needs a whole number from 0 to 16777216";
    QTest::newRow("load not a number") << QStringList{"--load", "much"}
                                       << "--load needs a number from 0 to 1000 (% of the holding torque)";
    QTest::newRow("holding torque 0") << QStringList{"--holding-torque", "0"}
                                      << "--holding-torque needs a number above 0, at most 1000 (N·m)";
    QTest::newRow("phase inductance 0") << QStringList{"--phase-inductance", "0"}
                                        << "--phase-inductance needs a number above 0, at most 10 (H)";
    QTest::newRow("empty language") << QStringList{"--lang", ""} << "--lang needs one of: de, en";
    QTest::newRow("unknown language") << QStringList{"--lang=fr"} << "--lang needs one of: de, en";
    QTest::newRow("empty program path") << QStringList{"--check-program="} << "--check-program is empty: it needs FILE";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << "Unknown option 'bogus'.";
    QTest::newRow("stray argument") << QStringList{"--auto", "extra"} << "unexpected argument \"extra\"";
    QTest::newRow("check program twice") << QStringList{"--check-program", "%f", "--check-program", "%f"}
                                         << "--check-program is given more than once";
    QTest::newRow("poll period twice") << QStringList{"--poll-ms", "5", "--poll-ms=6"} << "--poll-ms is given more than once";
    QTest::newRow("axis twice") << QStringList{"--apply-program", "%f", "--axes", "1,0, 1"} << "--axes names axis 1 twice";
    QTest::newRow("bad axis echoed") << QStringList{"--check-program", "%f", "--axes", "0,x1"}
                                     << "--axes needs axis numbers from 0 to 2, separated by commas: 'x1' is not one";
    QTest::newRow("axes without a program") << QStringList{"--axes", "1"} << "--axes needs --apply-program or --check-program";
    QTest::newRow("program saved without --auto") << QStringList{"--save-program", "%d/p2.kora"} << "--save-program needs --auto";
    QTest::newRow("pictures without --auto") << QStringList{"--screenshots", "%d/shots"} << "--screenshots needs --auto";
    QTest::newRow("window picture in a headless run") << QStringList{"--check-program", "%f", "--screenshot", "%d/w.png"}
                                                      << "--screenshot pictures the window";
    // Paths are compared as the files they name.
    QTest::newRow("program and report on one file") << QStringList{"--auto", "--save-program", "%d/b", "--report", "%d/./b"}
                                                    << "--report and --save-program name the same file";
    QTest::newRow("report and picture through a link")
        << QStringList{"--report", "%d/d.png", "--compare-picture", "%d/link/d.png", "--auto"}
        << "--report and --compare-picture name the same file %d/d.png";
    QTest::newRow("saving the program that is applied")
        << QStringList{"--auto", "--save-program", "%f", "--apply-program", "%d/link/p.kora"}
        << "--apply-program reads %d/link/p.kora, which --save-program writes";
    QTest::newRow("report into a missing folder") << QStringList{"--auto", "--report", "%d/missing/r.json"}
                                                  << "cannot write %d/missing/r.json";
    QTest::newRow("program onto a folder") << QStringList{"--auto", "--save-program", "%d"} << "cannot write %d: it is a folder";
    QTest::newRow("pictures under a file") << QStringList{"--auto", "--screenshots", "%f/shots"}
                                           << "cannot make the folder %f/shots";
}

void TestCommandLine::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const CommandLine line = CommandLine::parse(placed(arguments));
    QCOMPARE(line.action(), CommandLine::Action::Refuse);
    QVERIFY2(line.text().contains(message.replace("%d", m_dir.path()).replace("%f", m_file)), qPrintable(line.text()));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void TestCommandLine::accepted_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected"); // parts of the summary
    QTest::newRow("nothing: the window") << QStringList{} << QStringList{"plugin=default.so", "poll=100 scale=1", "headless=0 display=1"};
    QTest::newRow("comparison picture implies the comparison and --auto")
        << QStringList{"--compare-picture", "%d/c.png", "--time-scale", "1e6"} << QStringList{"scale=1e+06 auto presets", "headless=1"};
    QTest::newRow("Qt's single-dash form") << QStringList{"-plugin", "lib.so", "-platform", "xcb"}
                                           << QStringList{"plugin=lib.so platform=xcb"};
    QTest::newRow("several tools opened") << QStringList{"--open", "50", "--open=53", "--scope"} << QStringList{"open=50,53 axes="};
    QTest::newRow("one program applied and checked on chosen axes")
        << QStringList{"--apply-program", "%f", "--check-program", "%f", "--axes", "1, 0", "--phase-inductance", "0.002",
                       "--active-load", "-50"}
        << QStringList{"axes=1,0", "phaseInductance=0.002 activeLoadPercent=-50", "headless=1 display=0"};
    QTest::newRow("a picture of the window needs no display") << QStringList{"--screenshot", "%d/w.png"}
                                                              << QStringList{"headless=0 display=0"};
    QTest::newRow("a report to a device") << QStringList{"--auto", "--report", "/dev/null"} << QStringList{"auto"};
}

void TestCommandLine::accepted()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    const CommandLine line = CommandLine::parse(placed(arguments), "default.so");
    QVERIFY2(line.action() == CommandLine::Action::Run, qPrintable(line.text()));
    const QString text = summary(line);
    for (const QString& part : expected)
        QVERIFY2(text.contains(part), qPrintable(text));
}

// What is at the path before, what the writer finds after.
void TestCommandLine::outputFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("written");
    QTest::newRow("new path") << "new" << true;
    QTest::newRow("regular file, replaced whole") << "file" << true;
    QTest::newRow("link to a file, kept a link") << "link" << true;
    QTest::newRow("FIFO, written through") << "fifo" << true;
    QTest::newRow("folder, refused") << "folder" << false;
}

void TestCommandLine::outputFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath("out");
    QFile old(dir.filePath("old"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("a longer old text\n") > 0);
    old.close();
    int reader = -1;
    if (kind == "file")
        QVERIFY(QFile::rename(old.fileName(), path));
    else if (kind == "link")
        QVERIFY(QFile::link(old.fileName(), path));
    else if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir("out"));
    else if (kind == "fifo")
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                && (reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK)) >= 0);
    struct stat before = {};
    ::lstat(QFile::encodeName(path).constData(), &before);

    QString error;
    QCOMPARE(OutputFile::check(path, &error), written);
    QCOMPARE(OutputFile::write(path, "new\n", &error), written);
    QVERIFY2(written || error.contains("it is a folder"), qPrintable(error));
    struct stat after = {};
    ::lstat(QFile::encodeName(path).constData(), &after);
    if (kind != "new")
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    if (kind == "fifo") {
        char buffer[16] = {};
        QCOMPARE(::read(reader, buffer, sizeof(buffer)), ssize_t(4));
        QCOMPARE(QByteArray(buffer), QByteArray("new\n"));
        ::close(reader);
    } else if (written) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new\n"));
    }
    const QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left.size(), kind == "file" ? 1 : 2); // nothing left beside it
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
