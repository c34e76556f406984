// The Start Up tool's relay of polling requests and answers, and the completeness check that
// wires the four tools of a module. The plug-in is loaded from its file and hosted like the
// host does it; pages are reached by object name only.

#include <QDebug>
#include <QMdiArea>
#include <QPointer>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QtTest>

#include "command.h"
#include "framelogcapture.h"
#include "pluginhandler.h"
#include "pluginhost.h"
#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "spinbox.h"
#include "toolsinterface.h"
#include "toolwindow.h"
#include "tracecommand.h"
#include "tracepoller.h"

namespace {

const quint8 ModuleAddress = 3;
const QString CompletenessError = QStringLiteral("void GenericV7::checkCompleteness() Missing %1 Plugin(s)");

// Stands in for the host's side of the trace signals. Traces handed back belong to it.
class TraceRecorder : public QObject
{
    Q_OBJECT
public:
    explicit TraceRecorder(QObject* tool)
    {
        QVERIFY(connect(tool, SIGNAL(OUT_addTraceCommand(TraceCommand*)), this, SLOT(add(TraceCommand*))));
        QVERIFY(connect(tool, SIGNAL(OUT_removeTraceCommand(TraceCommand*)), this, SLOT(remove(TraceCommand*))));
    }
    ~TraceRecorder() override { qDeleteAll(removed); }

    QList<TraceCommand*> added;
    QStringList addedText;
    QList<TraceCommand*> removed;

public slots:
    void add(TraceCommand* trace)
    {
        added << trace;
        addedText << trace->toString();
    }
    void remove(TraceCommand* trace) { removed << trace; }
};

QWidget* exchangeOf(QObject* tool)
{
    for (QWidget* child : tool->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->inherits("DataExchange"))
            return child;
    }
    return nullptr;
}

int currentAxis(QObject* tool)
{
    QWidget* exchange = exchangeOf(tool);
    return exchange ? exchange->property("currentAxis").toInt() : -2;
}

Command reply(int status, int command, int motorBank, int address, int type, int value)
{
    Command c(quint8(address), quint8(command), quint8(type), quint8(motorBank), value);
    c.setStatus(status);
    return c;
}

void deliver(QObject* tool, Command command)
{
    QVERIFY(QMetaObject::invokeMethod(tool, "IN_replyValue", Q_ARG(Command*, &command)));
}

// A module's tools as the host makes them.
struct HostedModule
{
    RecordingModule module;
    PluginHost host;

    bool create(QMdiArea* area, const QString& key)
    {
        module.setModuleAddress(ModuleAddress);
        if (!host.load(QStringLiteral(GV7_PLUGIN_PATH)))
            return false;
        host.createTools(&module, area, key);
        // The tests deliver answers themselves.
        if (host.poller())
            host.poller()->setPeriod(3600 * 1000);
        return host.tools().size() == 4;
    }
};

// One tool outside PluginHost, registered and in a window of its own.
struct LooseTool
{
    QPointer<ReRezorInterface> tool;
    QPointer<ToolWindow> window;

    LooseTool(ToolsInterface* factory, int id, ModuleInterface* module, QMdiArea* area, const QString& key)
    {
        factory->selectSubWidget(id);
        tool = factory->createInstance(QStringLiteral("loose"), 0, module);
        PluginHandler::instance()->registerPlugin(PluginHandler::ToolsType, key, tool);
        window = new ToolWindow(tool);
        area->addSubWindow(window);
        window->show();
    }
    ~LooseTool()
    {
        delete window.data();
        delete tool.data();
    }
};

} // namespace

class TestRelay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void completeness_data();
    void completeness();
    void completenessLines();
    void completenessRunsOnce();
    void navigation_data();
    void navigation();
    void traceCopies();
    void traceCopiesFollowAxis();
    void replyFilters_data();
    void replyFilters();
    void repliesBeforeAxis();
    void settingsToolsStayQuiet();

private:
    bool waitForAxis(QObject* tool);

    QScopedPointer<QMdiArea> m_area;
    QScopedPointer<FrameLogCapture> m_log;
};

void TestRelay::initTestCase()
{
    PluginHost probe;
    QVERIFY2(probe.load(QStringLiteral(GV7_PLUGIN_PATH)), qPrintable(probe.errorString()));
}

void TestRelay::init()
{
    m_log.reset(new FrameLogCapture);
    m_area.reset(new QMdiArea);
    m_area->resize(1600, 1200);
    m_area->show();
}

void TestRelay::cleanup()
{
    m_area.reset();
    m_log.reset();
}

bool TestRelay::waitForAxis(QObject* tool)
{
    return QTest::qWaitFor([&]() { return currentAxis(tool) == 0; }, 10000);
}

void TestRelay::completeness_data()
{
    QTest::addColumn<int>("ownTools");   // 4: through PluginHost; 1: the Start Up tool alone
    QTest::addColumn<int>("extraTools"); // further tools registered under this module's key
    QTest::addColumn<bool>("otherModule"); // four tools of another module exist as well
    QTest::addColumn<int>("missing");    // -100: complete

    QTest::newRow("four tools") << 4 << 0 << false << -100;
    QTest::newRow("start up alone") << 1 << 0 << false << 3;
    QTest::newRow("start up and one more") << 1 << 1 << false << 2;
    QTest::newRow("five tools") << 4 << 1 << false << -1;
    QTest::newRow("start up alone, other module complete") << 1 << 0 << true << 3;
    QTest::newRow("four tools, other module complete") << 4 << 0 << true << -100;
}

void TestRelay::completeness()
{
    QFETCH(int, ownTools);
    QFETCH(int, extraTools);
    QFETCH(bool, otherModule);
    QFETCH(int, missing);

    // The other module's key shares no prefix with "modA".
    HostedModule other;
    if (otherModule)
        QVERIFY(other.create(m_area.data(), QStringLiteral("modB")));

    HostedModule own;
    QScopedPointer<LooseTool> loose;
    QObject* startUp = nullptr;
    if (ownTools == 4) {
        QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
        startUp = own.host.tool(50);
    } else {
        QVERIFY(own.host.load(QStringLiteral(GV7_PLUGIN_PATH)));
        own.module.setKey(QStringLiteral("modA"));
        loose.reset(new LooseTool(own.host.factory(), 50, &own.module, m_area.data(), QStringLiteral("modA/Start Up")));
        startUp = loose->tool;
    }
    QList<QSharedPointer<ReRezorInterface>> extras;
    for (int i = 0; i < extraTools; ++i) {
        own.host.factory()->selectSubWidget(51);
        extras << QSharedPointer<ReRezorInterface>(own.host.factory()->createInstance(QStringLiteral("x"), 0, &own.module));
        PluginHandler::instance()->registerPlugin(PluginHandler::ToolsType, QStringLiteral("modA/extra%1").arg(i),
                                                  extras.last().data());
    }
    QVERIFY(startUp);
    QCOMPARE(currentAxis(startUp), -1);

    if (missing == -100) {
        QVERIFY(waitForAxis(startUp));
        QTest::qWait(20);
        QCOMPARE(m_log->criticalLines(), QStringList());
    } else {
        QTRY_COMPARE(m_log->criticalLines(), QStringList{CompletenessError.arg(missing)});
        QTest::qWait(20);
        QCOMPARE(m_log->criticalLines(), QStringList{CompletenessError.arg(missing)});
        // Nothing is wired: no axis, and the Start Up tool has nothing to poll.
        QCOMPARE(currentAxis(startUp), -1);
        TraceRecorder recorder(startUp);
        static_cast<ReRezorInterface*>(startUp)->showPlugin();
        QVERIFY(recorder.added.isEmpty());
    }
    if (otherModule)
        QCOMPARE(currentAxis(other.host.tool(50)), 0);
}

void TestRelay::completenessLines()
{
    HostedModule own;
    QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
    QVERIFY(waitForAxis(own.host.tool(50)));
    // One line per tool in the order of the registry, without a signature in front.
    const QRegularExpression toolLine(QStringLiteral("^\\d+ \".*\" \\d+$"));
    QStringList lines;
    for (const QString& line : m_log->debugLines()) {
        if (toolLine.match(line).hasMatch())
            lines << line;
    }
    QStringList expected;
    for (const QString& key : PluginHandler::instance()->getPluginKeysByType(PluginHandler::ToolsType)) {
        ReRezorInterface* tool = PluginHandler::instance()->getReRezorPlugin(key);
        expected << QStringLiteral("%1 \"%2\" 1").arg(tool->toolsVariant()).arg(tool->toolsName());
    }
    QCOMPARE(expected.size(), 4);
    QCOMPARE(lines, expected);
}

void TestRelay::completenessRunsOnce()
{
    HostedModule own;
    QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
    ReRezorInterface* startUp = own.host.tool(50);
    QVERIFY(waitForAxis(startUp));
    m_log->clear();
    own.host.windowOf(50)->activateWindow();
    own.host.windowOf(50)->hide();
    own.host.windowOf(50)->activateWindow();
    QTest::qWait(50);
    QCOMPARE(m_log->debugLines().filter(QStringLiteral("\"Start Up\"")), QStringList());
}

void TestRelay::navigation_data()
{
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("window");
    QTest::addColumn<bool>("visible");

    QTest::newRow("start up") << QByteArray("showCommissioning") << 50 << true;
    QTest::newRow("motor") << QByteArray("showMotorSettings") << 51 << true;
    QTest::newRow("encoder") << QByteArray("showEncoderSettings") << 52 << true;
    QTest::newRow("closed loop") << QByteArray("showClosedLoop") << 53 << true;
    QTest::newRow("hide start up") << QByteArray("hideCommissioning") << 50 << false;
}

void TestRelay::navigation()
{
    QFETCH(QByteArray, signal);
    QFETCH(int, window);
    QFETCH(bool, visible);

    HostedModule own;
    QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
    QVERIFY(waitForAxis(own.host.tool(50)));
    for (int id : {50, 51, 52, 53})
        QVERIFY(!own.host.windowOf(id)->isVisible());
    if (!visible)
        own.host.windowOf(window)->activateWindow();

    QWidget* commissioning = own.host.tool(50)->findChild<QWidget*>(QStringLiteral("Commissioning"));
    QVERIFY(commissioning);
    QVERIFY(QMetaObject::invokeMethod(commissioning, signal.constData()));
    for (int id : {50, 51, 52, 53})
        QCOMPARE(own.host.windowOf(id)->isVisible(), id == window && visible);
    if (visible)
        QCOMPARE(m_area->activeSubWindow(), static_cast<QMdiSubWindow*>(own.host.windowOf(window)));
}

void TestRelay::traceCopies()
{
    HostedModule own;
    QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
    ReRezorInterface* startUp = own.host.tool(50);
    QVERIFY(waitForAxis(startUp));
    // The recorder takes the host's place.
    QObject::disconnect(startUp, nullptr, own.host.poller(), nullptr);
    TraceRecorder recorder(startUp);
    m_log->clear();

    startUp->showPlugin();
    const int count = recorder.added.size();
    QVERIFY(count >= 3);
    startUp->showPlugin();
    QCOMPARE(recorder.added.size(), 2 * count);
    QVERIFY(recorder.removed.isEmpty());

    // Each show hands over a complete set of new objects with the same content.
    QCOMPARE(recorder.addedText.mid(count), recorder.addedText.mid(0, count));
    QCOMPARE(QSet<TraceCommand*>(recorder.added.begin(), recorder.added.end()).size(), 2 * count);
    QSet<int> types;
    for (TraceCommand* trace : recorder.added) {
        QCOMPARE(int(trace->address()), int(ModuleAddress));
        QCOMPARE(int(trace->motorBank()), 0);
        QCOMPARE(int(trace->command()), 6);
        QCOMPARE(trace->caption(), QStringLiteral("Default"));
        types << trace->type();
    }
    QVERIFY(types.contains(3));

    QStringList expectedLines;
    for (const QString& text : qAsConst(recorder.addedText)) {
        QString line;
        QDebug(&line) << "virtual void GenericV7::showPlugin()" << text;
        expectedLines << line.trimmed();
    }
    QCOMPARE(m_log->debugLines().filter(QStringLiteral("GenericV7::showPlugin()")), expectedLines);

    // Everything comes back first in, first out, and stays alive for the host.
    startUp->removeAllTraces();
    QCOMPARE(recorder.removed, recorder.added);
    QStringList returnedText;
    for (TraceCommand* trace : recorder.removed)
        returnedText << trace->toString();
    QCOMPARE(returnedText, recorder.addedText);

    startUp->removeAllTraces();
    QCOMPARE(recorder.removed.size(), 2 * count);

    // Copies still held when the tool goes are the tool's to delete (checked by the leak checker).
    startUp->showPlugin();
    QCOMPARE(recorder.added.size(), 3 * count);
}

void TestRelay::traceCopiesFollowAxis()
{
    HostedModule own;
    QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
    ReRezorInterface* startUp = own.host.tool(50);
    QVERIFY(waitForAxis(startUp));
    QObject::disconnect(startUp, nullptr, own.host.poller(), nullptr);
    TraceRecorder recorder(startUp);

    QVERIFY(exchangeOf(startUp)->setProperty("currentAxis", 2));
    startUp->removeAllTraces();
    startUp->showPlugin();
    QVERIFY(!recorder.added.isEmpty());
    for (TraceCommand* trace : recorder.added)
        QCOMPARE(int(trace->motorBank()), 2);
}

void TestRelay::replyFilters_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("motorBank");
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("matching answer") << 100 << 6 << 0 << int(ModuleAddress) << true;
    QTest::newRow("status low byte 100") << 356 << 6 << 0 << int(ModuleAddress) << true;
    QTest::newRow("status 101") << 101 << 6 << 0 << int(ModuleAddress) << false;
    QTest::newRow("status 4") << 4 << 6 << 0 << int(ModuleAddress) << false;
    QTest::newRow("command 5") << 100 << 5 << 0 << int(ModuleAddress) << false;
    QTest::newRow("other motor bank") << 100 << 6 << 1 << int(ModuleAddress) << false;
    QTest::newRow("motor bank 255") << 100 << 6 << 255 << int(ModuleAddress) << false;
    QTest::newRow("other address") << 100 << 6 << 0 << 2 << false;
}

void TestRelay::replyFilters()
{
    QFETCH(int, status);
    QFETCH(int, command);
    QFETCH(int, motorBank);
    QFETCH(int, address);
    QFETCH(bool, accepted);

    HostedModule own;
    QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
    ReRezorInterface* startUp = own.host.tool(50);
    QVERIFY(waitForAxis(startUp));
    auto* box = startUp->findChild<SpinBox*>(QStringLiteral("spMeasuredVelocity"));
    QVERIFY(box);
    QCOMPARE(box->sapType(), 3);

    deliver(startUp, reply(100, 6, 0, ModuleAddress, 3, 1));
    QCOMPARE(box->intValue(), 1);
    deliver(startUp, reply(status, command, motorBank, address, 3, 4242));
    QCOMPARE(box->intValue(), accepted ? 4242 : 1);
    // The other tools never pass anything on.
    for (int id : {51, 52, 53})
        deliver(own.host.tool(id), reply(100, 6, 0, ModuleAddress, 3, 77));
    QCOMPARE(box->intValue(), accepted ? 4242 : 1);
}

void TestRelay::repliesBeforeAxis()
{
    HostedModule own;
    QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
    ReRezorInterface* startUp = own.host.tool(50);
    // The completeness check has not run yet: no axis.
    QCOMPARE(currentAxis(startUp), -1);
    auto* box = startUp->findChild<SpinBox*>(QStringLiteral("spMeasuredVelocity"));
    QVERIFY(box);
    const double before = box->value();
    for (int bank : {255, 0})
        deliver(startUp, reply(100, 6, bank, ModuleAddress, box->sapType(), 4711));
    QCOMPARE(box->value(), before);
    QVERIFY(waitForAxis(startUp));
}

void TestRelay::settingsToolsStayQuiet()
{
    HostedModule own;
    QVERIFY(own.create(m_area.data(), QStringLiteral("modA")));
    QVERIFY(waitForAxis(own.host.tool(50)));
    QList<QSharedPointer<TraceRecorder>> recorders;
    for (int id : {51, 52, 53}) {
        ReRezorInterface* tool = own.host.tool(id);
        recorders << QSharedPointer<TraceRecorder>::create(tool);
        own.host.windowOf(id)->activateWindow();
        tool->showPlugin();
        own.host.windowOf(id)->hide();
        own.host.windowOf(id)->activateWindow();
        tool->removeAllTraces();
        QVERIFY(!exchangeOf(tool));
    }
    for (const auto& recorder : recorders) {
        QVERIFY(recorder->added.isEmpty());
        QVERIFY(recorder->removed.isEmpty());
    }
}

QTEST_MAIN(TestRelay)
#include "tst_relay.moc"
