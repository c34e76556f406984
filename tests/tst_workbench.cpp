// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QMdiArea>
#include <QTemporaryDir>
#include <QtTest>

#include "childprocess.h"
#include "pluginhandler.h"
#include "pluginhost.h"
#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "simulatedmodule.h"
#include "toolwindow.h"
#include "tracecommand.h"
#include "tracepoller.h"

namespace {
// Hands the poller traces as the plug-in's tools do, and deletes those it still holds.
class FakeTool : public ReRezorInterface
{
    Q_OBJECT
public:
    FakeTool() : ReRezorInterface("text", "Fake tool", 1, 99, 0, nullptr, QString()) {}
    ~FakeTool() override { qDeleteAll(held); }
    void add(quint8 type, quint8 motor = 0)
    {
        held.append(new TraceCommand(1, motor, Command::GetAxisParameter, type, "Default"));
        emit OUT_addTraceCommand(held.last());
    }
    QList<TraceCommand*> held;
    QStringList replies;

signals:
    void OUT_addTraceCommand(TraceCommand* trace);
    void OUT_removeTraceCommand(TraceCommand* trace);

public slots:
    void IN_replyValue(Command* r)
    {
        replies << QString("%1 m%2 = %3 (%4)").arg(r->type()).arg(r->motorBank()).arg(r->value()).arg(r->status());
    }
};
} // namespace

class TestWorkbench : public QObject
{
    Q_OBJECT

private slots:
    void executable_data();
    void executable();
    void withoutDisplay_data();
    void withoutDisplay();
    void pollerDeliversAndDeletesOnce();
    void hostCreatesRegistersAndOpensTools();
};

void TestWorkbench::executable_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("error"); // empty: starts, opens a tool, takes its picture and quits
    QTest::newRow("missing file") << GV7_SOURCE_DIR "/no/libgv7.so" << "not found";
    QTest::newRow("text file") << GV7_SOURCE_DIR "/tests/tst_workbench.cpp" << "not an ELF object";
    QTest::newRow("the plug-in") << GV7_PLUGIN_PATH << "";
}

void TestWorkbench::executable()
{
    QFETCH(QString, plugin);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString picture = dir.filePath("window.png");
    const ChildRun run = runChild(GV7_WORKBENCH_PATH, {"--plugin", plugin, "--poll-ms", "20", "--firmware", "7391",
                                                       "--time-scale", "4", "--encoder-resolution", "1024",
                                                       "--encoder-reversed", "--open", "50", "--screenshot", picture});
    if (error.isEmpty())
        QVERIFY2(run.code == 0 && !QImage(picture).isNull(), qPrintable(run.err));
    else
        QVERIFY2(run.code > 0 && run.err.contains("cannot load the plug-in " + plugin + ": ") && run.err.contains(error),
                 qPrintable(run.err));
}

void TestWorkbench::withoutDisplay_data()
{
    QTest::addColumn<QStringList>("environment"); // NAME=VALUE; none of the display's is set otherwise
    QTest::addColumn<QStringList>("arguments"); // "PROGRAM" stands for a small setup program
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("printed"); // standard error included
    QTest::newRow("--help, the platform not there") << QStringList{"QT_QPA_PLATFORM=bogus"} << QStringList{"--help"} << 0
                                                   << "--check-program <FILE>";
    QTest::newRow("--version") << QStringList{} << QStringList{"--version"} << 0 << "workbench ";
    QTest::newRow("--apply-program") << QStringList{} << QStringList{"--apply-program", "PROGRAM"} << 0 << "";
    QTest::newRow("--check-program=") << QStringList{} << QStringList{"--check-program=PROGRAM"} << 1 << "";
    QTest::newRow("a value out of range: refused") << QStringList{} << QStringList{"--time-scale", "nan"} << 2 << "";
    QTest::newRow("the window: says why not") << QStringList{} << QStringList{} << 1 << "DISPLAY is not set";
    QTest::newRow("the window on a display gone") << QStringList{"DISPLAY=:77"} << QStringList{} << 1
                                                  << "the X display \":77\" (DISPLAY) does not answer";
    QTest::newRow("the window on Wayland alone") << QStringList{"WAYLAND_DISPLAY=wayland-77"} << QStringList{} << 1
                                                 << "only a Wayland display is set";
    QTest::newRow("the window on a platform not there") << QStringList{"QT_QPA_PLATFORM=bogus"} << QStringList{} << 1
                                                        << "the platform plug-in \"bogus\" is not installed";
    // The drive bench's motor from the command line; a headless run takes no display either.
    QTest::newRow("--auto on X11, compared under load")
        << QStringList{"QT_QPA_PLATFORM=xcb"} << QStringList{"--auto", "--load", "80", "--compare-open-loop"} << 0
        << "The closed loop held the position, the open loop lost steps.";
    QTest::newRow("--auto, vertical axis") << QStringList{} << QStringList{"--auto", "--active-load", "50"} << 0
                                           << "of the holding torque, active load 0.63 N m (50 %).";
}

// The runs that show no window need neither a display nor a platform chosen beforehand; a
// window run without a usable display says what to do instead of aborting.
void TestWorkbench::withoutDisplay()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);
    QTemporaryDir dir;
    QFile program(dir.filePath("motor.kora"));
    QVERIFY(program.open(QIODevice::WriteOnly) && program.write("SAP 140, 0, 6\n") > 0);
    program.close();
    QProcessEnvironment env = childEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    for (const QString& variable : qAsConst(environment))
        env.insert(variable.section('=', 0, 0), variable.section('=', 1));
    const ChildRun run = runChild(GV7_WORKBENCH_PATH, arguments.replaceInStrings("PROGRAM", program.fileName()), env);
    QVERIFY2(run.code == exitCode && (run.out + run.err).contains(printed), qPrintable(run.out + run.err));
    QVERIFY2(!run.err.contains("This plugin does not support"), qPrintable(run.err)); // the platform's noise
}

// Replies go to the adding tool; the poller deletes what is handed back, nothing a tool holds.
void TestWorkbench::pollerDeliversAndDeletesOnce()
{
    RecordingModule module;
    module.setValue(209, 1234, 0);
    module.setValue(3, -77, 1);
    TracePoller poller(&module);
    FakeTool first;
    auto* second = new FakeTool;
    QVERIFY(poller.attach(&first) && poller.attach(second));
    first.add(209);
    second->add(3, 1);
    second->add(4);
    first.add(8);
    emit second->OUT_removeTraceCommand(second->held.takeLast());
    poller.pollOnce();
    QCOMPARE(first.replies, QStringList({"209 m0 = 1234 (100)", "8 m0 = 0 (100)"}));
    QCOMPARE(second->replies, QStringList({"3 m1 = -77 (100)"}));

    TraceCommand stranger(1, 0, Command::GetAxisParameter, 4, "Default");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not being polled"));
    emit first.OUT_removeTraceCommand(&stranger);
    delete second;
    QCOMPARE(poller.tracesDeleted(), 1);
    module.clearLog();
    poller.pollOnce();
    QCOMPARE(module.accesses(), QList<RecordingModule::Access>({gap(209), gap(8)}));
}

void TestWorkbench::hostCreatesRegistersAndOpensTools()
{
    QMdiArea area;
    area.show();
    SimulatedModule module;
    PluginHost host;
    QVERIFY2(host.load(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    QCOMPARE(host.createTools(&module, &area, "hostA").size(), 4);
    PluginHandler* handler = PluginHandler::instance();
    QCOMPARE(handler->getPluginKeysByType(PluginHandler::ToolsType).filter("hostA/").size(), 4);
    QCoreApplication::processEvents(); // the tools find each other from the event loop

    const QList<int> ids = host.subWidgetIds();
    for (int id : ids) {
        ReRezorInterface* tool = host.tool(id);
        ToolWindow* window = host.windowOf(id);
        QVERIFY(handler->getReRezorPlugin(tool->key()) == tool && tool->parentWidget() == static_cast<QWidget*>(window));
        QVERIFY2(window->isHidden() && !tool->isVisible(), qPrintable(tool->toolsName())); // closed in its first show

        window->activateWindow();
        QVERIFY(window->isVisible() && tool->isVisible() && area.activeSubWindow() == static_cast<QMdiSubWindow*>(window));
        window->hide();
    }
}

QTEST_MAIN(TestWorkbench)
#include "tst_workbench.moc"
