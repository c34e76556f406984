// The workbench hosts the plug-in as the host application does: the executable's start-up
// failures, the tool window, the polling service and the plug-in host with the real plug-in.

#include <QAction>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include "childprocess.h"
#include "command.h"
#include "mainwindow.h"
#include "pluginhandler.h"
#include "pluginhost.h"
#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "simulatedmodule.h"
#include "toolsinterface.h"
#include "toolwindow.h"
#include "tracecommand.h"
#include "tracepoller.h"

namespace {

const uint TitleOnly = 0x1000; // Qt::WindowTitleHint, as the plug-in's tools ask for it

// A tool that behaves towards its host like the plug-in's tools: it closes its window from
// inside its first show, and deletes the traces it still holds when destroyed.
class FakeTool : public ReRezorInterface
{
    Q_OBJECT
public:
    explicit FakeTool(int id = 99)
        : ReRezorInterface("text", "Fake tool", 1, id, 0, nullptr, ":/Custom/WindowIcon")
    {
        setProperty("dpWindowIcon", QStringLiteral(":/IconsSVG/Cogs"));
        setProperty("dpWindowFlags", TitleOnly);
    }
    ~FakeTool() override { qDeleteAll(held); }

    TraceCommand* addTrace(quint8 type, quint8 motor = 0, quint8 address = 1)
    {
        auto* trace = new TraceCommand(address, motor, Command::GetAxisParameter, type, "Default");
        held.append(trace);
        emit OUT_addTraceCommand(trace);
        return trace;
    }
    void handBack(TraceCommand* trace)
    {
        held.removeOne(trace);
        emit OUT_removeTraceCommand(trace);
    }

    void showPlugin() override
    {
        ++shows;
        if (shows == 1 && parentWidget())
            parentWidget()->close();
    }
    void removeAllTraces() override { ++hides; }

    QList<TraceCommand*> held;
    QList<Command> replies;
    std::function<void(Command*)> onReply;
    int shows = 0;
    int hides = 0;

signals:
    void OUT_addTraceCommand(TraceCommand* trace);
    void OUT_removeTraceCommand(TraceCommand* trace);

public slots:
    void IN_replyValue(Command* reply)
    {
        replies.append(*reply);
        if (onReply)
            onReply(reply);
    }
};

QStringList replyLines(const QList<Command>& replies)
{
    QStringList lines;
    for (const Command& c : replies)
        lines << QStringLiteral("adr=%1 cmd=%2 type=%3 motor=%4 value=%5 status=%6")
                     .arg(c.address())
                     .arg(c.command())
                     .arg(c.type())
                     .arg(c.motorBank())
                     .arg(c.value())
                     .arg(c.status());
    return lines;
}

QString replyLine(int address, int type, int motor, int value)
{
    return QStringLiteral("adr=%1 cmd=6 type=%2 motor=%3 value=%4 status=100").arg(address).arg(type).arg(motor).arg(value);
}

QStringList keysOf(const QString& moduleKey)
{
    return PluginHandler::instance()->getPluginKeysByType(PluginHandler::ToolsType).filter(QRegularExpression("^" + QRegularExpression::escape(moduleKey) + "/"));
}

} // namespace

class TestWorkbench : public QObject
{
    Q_OBJECT

private slots:
    void executableRejectsBadPlugin_data();
    void executableRejectsBadPlugin();
    void executableStartsAndQuits();

    void windowEndsHiddenAfterFirstShow_data();
    void windowEndsHiddenAfterFirstShow();
    void closedWindowOpensWithItsTool();
    void windowTakesTitleIconAndFlags();

    void pollerDeliversRepliesToTheAddingTool();
    void pollerSkipsWithoutOpenDevice_data();
    void pollerSkipsWithoutOpenDevice();
    void pollerDeletesHandedBackTraces();
    void pollerForgetsTracesOfDestroyedTool();
    void pollerSurvivesRemovalDuringRound();
    void pollerTimerRunsWhileTracesExist();
    void pollerRejectsToolWithoutRelay();

    void hostCreatesAndRegistersFourTools();
    void hostRejectsNonToolPlugin();
    void hostWindowsOpenAndPoll();
    void hostTearsDownCleanly_data();
    void hostTearsDownCleanly();

    void mainWindowOpensToolsFromMenu();
    void mainWindowShowsConnection();
    void mainWindowRemakesToolsForNewFirmware();
};

// --- the executable -----------------------------------------------------------------------

void TestWorkbench::executableRejectsBadPlugin_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing file") << "missing" << "not found";
    QTest::newRow("text file") << "text" << "not an ELF object";
    QTest::newRow("Qt plug-in of another kind") << "image plug-in" << "not a tools plug-in";
}

void TestWorkbench::executableRejectsBadPlugin()
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath("libsomething.so");
    if (kind == "text") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("This is not a plug-in, only a text that happens to carry the suffix.\n").repeated(20));
    } else if (kind == "image plug-in") {
        path = QLibraryInfo::location(QLibraryInfo::PluginsPath) + "/imageformats/libqsvg.so";
        if (!QFile::exists(path))
            QSKIP("no SVG image plug-in installed");
    }

    QProcess process;
    process.setProcessEnvironment(childEnvironment());
    process.start(GV7_WORKBENCH_PATH, {"--plugin", path});
    QVERIFY2(process.waitForFinished(30000), "the workbench did not finish");
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() != 0, qPrintable(err));
    QVERIFY2(err.contains("cannot load the plug-in " + path), qPrintable(err));
    QVERIFY2(err.contains(expected), qPrintable(err));
}

void TestWorkbench::executableStartsAndQuits()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString picture = dir.filePath("window.png");
    QProcess process;
    process.setProcessEnvironment(childEnvironment());
    process.start(GV7_WORKBENCH_PATH, {"--plugin", GV7_PLUGIN_PATH, "--poll-ms", "20", "--firmware", "7391",
                                       "--encoder-resolution", "1024", "--encoder-reversed", "--time-scale", "4",
                                       "--open", "50", "--screenshot", picture});
    QVERIFY2(process.waitForFinished(60000), "the workbench did not finish");
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, qPrintable(err));
    QImage image(picture);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() > 200 && image.height() > 200);
}

// --- ToolWindow ---------------------------------------------------------------------------

void TestWorkbench::windowEndsHiddenAfterFirstShow_data()
{
    QTest::addColumn<bool>("areaVisibleFirst");
    QTest::newRow("shown in a visible area") << true;
    QTest::newRow("shown before the area is") << false;
}

void TestWorkbench::windowEndsHiddenAfterFirstShow()
{
    QFETCH(bool, areaVisibleFirst);
    QMdiArea area;
    area.resize(800, 600);
    if (areaVisibleFirst)
        area.show();
    auto* tool = new FakeTool;
    auto* window = new ToolWindow(tool);
    area.addSubWindow(window);
    QCOMPARE(tool->parentWidget(), static_cast<QWidget*>(window));

    window->show();
    if (!areaVisibleFirst) {
        QCOMPARE(tool->shows, 0);
        area.show();
    }
    QCOMPARE(tool->shows, 1);
    QCOMPARE(tool->hides, 1);
    QVERIFY(window->isHidden());
    QVERIFY(!tool->isVisible());
    QVERIFY(area.activeSubWindow() != window);
    QCoreApplication::processEvents();
    QVERIFY(window->isHidden());

    window->activateWindow();
    QVERIFY(window->isVisible());
    QVERIFY(tool->isVisible());
    QCOMPARE(tool->shows, 2);
    QCOMPARE(area.activeSubWindow(), static_cast<QMdiSubWindow*>(window));
}

void TestWorkbench::closedWindowOpensWithItsTool()
{
    QMdiArea area;
    area.show();
    auto* tool = new FakeTool;
    QPointer<ToolWindow> window = new ToolWindow(tool);
    area.addSubWindow(window);
    window->show();
    window->activateWindow();
    QCOMPARE(tool->shows, 2);

    QVERIFY(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window);
    QVERIFY(window->isHidden());
    QCOMPARE(tool->hides, 2);
    QVERIFY(area.activeSubWindow() != window);

    // The tool follows its window: it is shown again, so its polling starts again.
    window->activateWindow();
    QVERIFY(tool->isVisible());
    QCOMPARE(tool->shows, 3);

    window->hide();
    QVERIFY(!tool->isVisible());
    QCOMPARE(tool->hides, 3);
    window->activateWindow();
    QVERIFY(tool->isVisible());
    QCOMPARE(tool->shows, 4);
}

void TestWorkbench::windowTakesTitleIconAndFlags()
{
    QMdiArea area;
    area.show();
    auto* tool = new FakeTool;
    tool->setToolsName("Motor settings");
    auto* window = new ToolWindow(tool);
    area.addSubWindow(window);
    QCOMPARE(window->windowTitle(), QString("Motor settings"));
    QVERIFY(!window->windowIcon().isNull());
    const Qt::WindowFlags flags = window->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::SubWindow);
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!window->testAttribute(Qt::WA_DeleteOnClose));

    // Without hints the sub-window keeps its usual decoration.
    QCOMPARE(ToolWindow::flagsFor(0), Qt::WindowFlags(Qt::SubWindow));
    // A window type asked for by the tool cannot take it out of the area.
    QCOMPARE(ToolWindow::flagsFor(uint(Qt::Dialog) | TitleOnly) & Qt::WindowType_Mask, Qt::SubWindow);
}

// --- TracePoller --------------------------------------------------------------------------

void TestWorkbench::pollerDeliversRepliesToTheAddingTool()
{
    RecordingModule module;
    module.setValue(209, 1234, 0);
    module.setValue(3, -77, 1);
    module.setValue(8, 1, 0);
    TracePoller poller(&module);
    FakeTool first;
    FakeTool second;
    QVERIFY(poller.attach(&first));
    QVERIFY(poller.attach(&second));

    first.addTrace(209, 0, 1);
    second.addTrace(3, 1, 1);
    first.addTrace(8, 0, 1);
    QCOMPARE(poller.activeTraces(), 3);
    QCOMPARE(poller.activeTraces(&first), 2);
    poller.pollOnce();

    const QStringList expected = {gap(209, 0).toString(), gap(3, 1).toString(), gap(8, 0).toString()};
    QStringList executed;
    for (const RecordingModule::Access& a : module.executed())
        executed << a.toString();
    QCOMPARE(executed, expected);
    QCOMPARE(replyLines(first.replies), QStringList({replyLine(1, 209, 0, 1234), replyLine(1, 8, 0, 1)}));
    QCOMPARE(replyLines(second.replies), QStringList({replyLine(1, 3, 1, -77)}));
    QCOMPARE(poller.repliesDelivered(), 3);
}

void TestWorkbench::pollerSkipsWithoutOpenDevice_data()
{
    QTest::addColumn<bool>("hasHandler");
    QTest::addColumn<bool>("open");
    QTest::newRow("no command handler") << false << true;
    QTest::newRow("device closed") << true << false;
}

void TestWorkbench::pollerSkipsWithoutOpenDevice()
{
    QFETCH(bool, hasHandler);
    QFETCH(bool, open);
    RecordingModule module;
    module.setHasHandler(hasHandler);
    module.setDeviceOpen(open);
    TracePoller poller(&module);
    FakeTool tool;
    QVERIFY(poller.attach(&tool));
    tool.addTrace(209);
    poller.pollOnce();
    QVERIFY(module.executed().isEmpty());
    QVERIFY(tool.replies.isEmpty());

    module.setHasHandler(true);
    module.setDeviceOpen(true);
    poller.pollOnce();
    QCOMPARE(tool.replies.size(), 1);
}

void TestWorkbench::pollerDeletesHandedBackTraces()
{
    RecordingModule module;
    TracePoller poller(&module);
    FakeTool tool;
    QVERIFY(poller.attach(&tool));
    TraceCommand* a = tool.addTrace(1);
    TraceCommand* b = tool.addTrace(2);
    tool.addTrace(3);
    tool.handBack(b);
    tool.handBack(a);
    QCOMPARE(poller.tracesAdded(), 3);
    QCOMPARE(poller.tracesDeleted(), 2);
    QCOMPARE(poller.activeTraces(), 1);

    poller.pollOnce();
    QCOMPARE(replyLines(tool.replies), QStringList({replyLine(1, 3, 0, 0)}));

    // A trace it never polled is not its to delete.
    TraceCommand stranger(1, 0, Command::GetAxisParameter, 4, "Default");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not being polled"));
    emit tool.OUT_removeTraceCommand(&stranger);
    QCOMPARE(poller.tracesDeleted(), 2);
    QCOMPARE(poller.activeTraces(), 1);
}

void TestWorkbench::pollerForgetsTracesOfDestroyedTool()
{
    RecordingModule module;
    TracePoller poller(&module);
    auto* doomed = new FakeTool;
    FakeTool survivor;
    QVERIFY(poller.attach(doomed));
    QVERIFY(poller.attach(&survivor));
    doomed->addTrace(1);
    doomed->addTrace(2);
    survivor.addTrace(3);
    delete doomed; // deletes its own two traces
    QCOMPARE(poller.activeTraces(), 1);
    QCOMPARE(poller.tracesDeleted(), 0);
    poller.pollOnce();
    QStringList executed;
    for (const RecordingModule::Access& a : module.executed())
        executed << a.toString();
    QCOMPARE(executed, QStringList({gap(3).toString()}));
}

void TestWorkbench::pollerSurvivesRemovalDuringRound()
{
    RecordingModule module;
    TracePoller poller(&module);
    FakeTool tool;
    QVERIFY(poller.attach(&tool));
    tool.addTrace(1);
    TraceCommand* second = tool.addTrace(2);
    tool.addTrace(3);
    // Like an axis change: the first reply makes the tool replace its traces.
    tool.onReply = [&](Command* reply) {
        if (reply->type() != 1 || !second)
            return;
        tool.handBack(second);
        second = nullptr;
        tool.addTrace(4);
    };
    poller.pollOnce();
    QStringList types;
    for (const Command& c : tool.replies)
        types << QString::number(c.type());
    QCOMPARE(types, QStringList({"1", "3"}));
    QCOMPARE(poller.activeTraces(), 3);
    QCOMPARE(poller.tracesDeleted(), 1);
}

void TestWorkbench::pollerTimerRunsWhileTracesExist()
{
    RecordingModule module;
    TracePoller poller(&module);
    QCOMPARE(poller.period(), 100);
    poller.setPeriod(5);
    FakeTool tool;
    QVERIFY(poller.attach(&tool));
    QVERIFY(!poller.isPolling());
    TraceCommand* trace = tool.addTrace(209);
    QVERIFY(poller.isPolling());
    QTRY_VERIFY_WITH_TIMEOUT(tool.replies.size() >= 3, 5000);
    tool.handBack(trace);
    QVERIFY(!poller.isPolling());
    const int replies = tool.replies.size();
    QTest::qWait(50);
    QCOMPARE(tool.replies.size(), replies);
}

void TestWorkbench::pollerRejectsToolWithoutRelay()
{
    RecordingModule module;
    TracePoller poller(&module);
    ReRezorInterface plain("text", "Plain", 1, 50, 0, nullptr, QString());
    QVERIFY(!poller.attach(&plain));
    QVERIFY(!poller.attach(nullptr));
}

// --- PluginHost with the real plug-in -----------------------------------------------------

void TestWorkbench::hostCreatesAndRegistersFourTools()
{
    QMdiArea area;
    area.resize(1200, 800);
    area.show();
    SimulatedModule module;
    PluginHost host;
    QVERIFY2(host.load(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    QVERIFY(host.factory());

    const QList<ReRezorInterface*> tools = host.createTools(&module, &area, "hostA");
    QCOMPARE(tools.size(), 4);
    QCOMPARE(module.key(), QString("hostA"));
    QCOMPARE(host.subWidgetIds(), host.factory()->subWidgetIds());
    const QStringList keys = keysOf("hostA");
    QCOMPARE(keys.size(), 4);
    for (int id : host.subWidgetIds()) {
        ReRezorInterface* tool = host.tool(id);
        ToolWindow* window = host.windowOf(id);
        QVERIFY(tool && window);
        QCOMPARE(tool->toolsVariant(), id);
        QCOMPARE(tool->parentWidget(), static_cast<QWidget*>(window));
        QCOMPARE(window->mdiArea(), &area);
        QCOMPARE(window->windowTitle(), tool->toolsName());
        QVERIFY(!window->windowIcon().isNull());
        QCOMPARE(PluginHandler::instance()->getReRezorPlugin(tool->key()), tool);
        QVERIFY(keys.contains(tool->key()));
        // After its first show the window is closed again by the tool.
        QVERIFY2(window->isHidden(), qPrintable(tool->toolsName()));
        QVERIFY(!tool->isVisible());
    }
    QCoreApplication::processEvents();
    for (int id : host.subWidgetIds())
        QVERIFY(host.windowOf(id)->isHidden());
}

void TestWorkbench::hostRejectsNonToolPlugin()
{
    const QString path = QLibraryInfo::location(QLibraryInfo::PluginsPath) + "/imageformats/libqsvg.so";
    if (!QFile::exists(path))
        QSKIP("no SVG image plug-in installed");
    PluginHost host;
    QVERIFY(!host.load(path));
    QVERIFY2(host.errorString().startsWith("not a tools plug-in: "), qPrintable(host.errorString()));
    QVERIFY(!host.factory());
    QMdiArea area;
    SimulatedModule module;
    QVERIFY(host.createTools(&module, &area, "hostNone").isEmpty());
}

void TestWorkbench::hostWindowsOpenAndPoll()
{
    QMdiArea area;
    area.resize(1200, 800);
    area.show();
    SimulatedModule module;
    module.setManualClock(true);
    PluginHost host;
    QVERIFY2(host.load(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    QCOMPARE(host.createTools(&module, &area, "hostB").size(), 4);
    TracePoller* poller = host.poller();
    QVERIFY(poller);
    poller->setPeriod(3600 * 1000);
    QCoreApplication::processEvents(); // the tools find each other from the event loop

    for (int id : host.subWidgetIds()) {
        ToolWindow* window = host.windowOf(id);
        window->activateWindow();
        QCoreApplication::processEvents();
        QVERIFY(window->isVisible());
        QVERIFY(host.tool(id)->isVisible());
        QCOMPARE(area.activeSubWindow(), static_cast<QMdiSubWindow*>(window));

        const int before = poller->repliesDelivered();
        const int traces = poller->activeTraces();
        const int commands = module.commandCount();
        poller->pollOnce();
        QCOMPARE(poller->repliesDelivered() - before, traces);
        QCOMPARE(module.commandCount() - commands, traces);

        // Whatever a tool polls it hands back when hidden, and the poller deletes it all.
        window->hide();
        QVERIFY(!host.tool(id)->isVisible());
        QCOMPARE(poller->activeTraces(), 0);
        QCOMPARE(poller->tracesDeleted(), poller->tracesAdded());
    }
}

void TestWorkbench::hostTearsDownCleanly_data()
{
    QTest::addColumn<bool>("areaFirst");
    QTest::newRow("host destroyed first") << false;
    QTest::newRow("area destroyed first") << true;
}

void TestWorkbench::hostTearsDownCleanly()
{
    QFETCH(bool, areaFirst);
    auto* area = new QMdiArea;
    area->show();
    SimulatedModule module;
    auto* host = new PluginHost;
    QVERIFY2(host->load(GV7_PLUGIN_PATH), qPrintable(host->errorString()));
    QList<QPointer<ReRezorInterface>> tools;
    for (ReRezorInterface* tool : host->createTools(&module, area, "hostC"))
        tools << tool;
    QCOMPARE(tools.size(), 4);
    QCoreApplication::processEvents();
    host->windowOf(50)->activateWindow(); // a tool that is polling when it goes
    QPointer<TracePoller> poller = host->poller();

    if (areaFirst) {
        delete area;
        for (const auto& tool : tools)
            QVERIFY(!tool);
        QVERIFY(!host->windowOf(50));
        QCOMPARE(poller->activeTraces(), 0);
        poller->pollOnce();
        delete host;
    } else {
        delete host;
        for (const auto& tool : tools)
            QVERIFY(!tool);
        QVERIFY(area->subWindowList().isEmpty());
        delete area;
    }
    QVERIFY(!poller);
    QVERIFY(keysOf("hostC").isEmpty());

    // The library stays usable for the next host.
    PluginHost again;
    QVERIFY2(again.load(GV7_PLUGIN_PATH), qPrintable(again.errorString()));
    QMdiArea secondArea;
    secondArea.show();
    QCOMPARE(again.createTools(&module, &secondArea, "hostD").size(), 4);
}

// --- MainWindow ---------------------------------------------------------------------------

void TestWorkbench::mainWindowOpensToolsFromMenu()
{
    MainWindow window;
    QVERIFY2(window.loadPlugin(GV7_PLUGIN_PATH), qPrintable(window.errorString()));
    window.show();
    window.createTools();
    PluginHost* host = window.pluginHost();
    QCOMPARE(host->tools().size(), 4);
    QCOMPARE(host->poller()->period(), window.pollPeriod());
    for (int id : host->subWidgetIds()) {
        auto* action = window.findChild<QAction*>(QStringLiteral("actTool%1").arg(id));
        QVERIFY(action);
        QCOMPARE(action->text(), host->tool(id)->toolsName());
        QVERIFY(!action->icon().isNull());
        QVERIFY(host->windowOf(id)->isHidden());
        action->trigger();
        QVERIFY(host->windowOf(id)->isVisible());
        QCOMPARE(window.area()->activeSubWindow(), static_cast<QMdiSubWindow*>(host->windowOf(id)));
    }
}

void TestWorkbench::mainWindowShowsConnection()
{
    MainWindow window;
    auto* label = window.findChild<QLabel*>("lblConnection");
    auto* connect = window.findChild<QAction*>("actConnected");
    QVERIFY(label && connect);
    QCOMPARE(label->text(), QString("Module connected"));
    QVERIFY(connect->isChecked());

    connect->trigger();
    QVERIFY(!window.module()->isDeviceOpen());
    QCOMPARE(label->text(), QString("Module disconnected"));

    // A change made on the module itself shows as well.
    window.module()->setDeviceOpen(true);
    QCOMPARE(label->text(), QString("Module connected"));
    QVERIFY(connect->isChecked());
}

void TestWorkbench::mainWindowRemakesToolsForNewFirmware()
{
    MainWindow window;
    QVERIFY2(window.loadPlugin(GV7_PLUGIN_PATH), qPrintable(window.errorString()));
    window.show();
    window.createTools();
    QCoreApplication::processEvents();
    QPointer<ReRezorInterface> old = window.pluginHost()->tool(51);
    QVERIFY(old);

    window.setFirmwareName("7391");
    QCOMPARE(window.module()->nameInFirmware(), QString("7391"));
    QVERIFY(!old);
    QVERIFY(window.pluginHost()->tool(51));
    QCOMPARE(keysOf(MainWindow::ModuleKey).size(), 4);
    QCOMPARE(window.area()->subWindowList().size(), 4);
    QVERIFY(window.findChild<QAction*>("actTool51"));
}

QTEST_MAIN(TestWorkbench)
#include "tst_workbench.moc"
