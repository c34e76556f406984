// The Start Up tool's relay of polling requests and answers, and the completeness check that wires
// the four tools of a module. The plug-in is hosted as the host does it; pages are found by name.

#include <QMdiArea>
#include <QStatusBar>
#include <QtTest>

#include "framelogcapture.h"
#include "pluginhandler.h"
#include "pluginhost.h"
#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "spinbox.h"
#include "toolwindow.h"
#include "tracecommand.h"
#include "tracepoller.h"

Q_DECLARE_METATYPE(TraceCommand*)

namespace {

QList<TraceCommand*> traces(const QSignalSpy& spy)
{
    QList<TraceCommand*> list;
    for (const QList<QVariant>& arguments : spy)
        list << arguments.at(0).value<TraceCommand*>();
    return list;
}

int currentAxis(QObject* tool)
{
    for (QObject* child : tool->children()) {
        if (child->inherits("DataExchange"))
            return child->property("currentAxis").toInt();
    }
    return -2;
}

// A module at address 3 and its tools as the host makes them, in a window area of their own.
struct HostedModule
{
    QMdiArea area;
    RecordingModule module;
    PluginHost host;
    ReRezorInterface* startUp = nullptr;

    bool create(const QString& key)
    {
        area.show();
        module.setModuleAddress(3);
        if (!host.load(QStringLiteral(GV7_PLUGIN_PATH)))
            return false;
        host.createTools(&module, &area, key);
        host.poller()->setPeriod(3600 * 1000); // the tests deliver answers themselves
        startUp = host.tool(50);
        return host.tools().size() == 4;
    }
};

} // namespace

class TestRelay : public QObject
{
    Q_OBJECT

private slots:
    void completeness_data();
    void completeness();
    void traceCopies();
    void replyFilters_data();
    void replyFilters();
};

void TestRelay::completeness_data()
{
    QTest::addColumn<bool>("alone");       // the Start Up tool is the module's only tool
    QTest::addColumn<bool>("fifth");       // one more tool is registered under the module's key
    QTest::addColumn<bool>("otherModule"); // a complete module "modB" exists as well
    QTest::addColumn<int>("missing");      // 0: complete
    QTest::newRow("four tools") << false << false << false << 0;
    QTest::newRow("start up alone") << true << false << false << 3;
    QTest::newRow("five tools") << false << true << false << -1;
    QTest::newRow("start up alone, other module complete") << true << false << true << 3;
}

void TestRelay::completeness()
{
    QFETCH(bool, alone);
    QFETCH(bool, fifth);
    QFETCH(bool, otherModule);
    QFETCH(int, missing);
    FrameLogCapture log(false);
    HostedModule other, own;
    QVERIFY2(!otherModule || other.create(QStringLiteral("modB")), qPrintable(other.host.errorString()));
    QVERIFY2(own.create(QStringLiteral("modA")), qPrintable(own.host.errorString()));
    // The check runs from the event loop, after these changes.
    for (int id : {51, 52, 53}) {
        if (alone)
            delete own.host.windowOf(id);
    }
    QScopedPointer<ReRezorInterface> extra(fifth ? own.host.factory()->createInstance("x", 0, &own.module) : nullptr);
    PluginHandler::instance()->registerPlugin(PluginHandler::ToolsType, "modA/x", extra.data()); // none: ignored
    QTRY_VERIFY(!log.criticalLines().isEmpty() || currentAxis(own.startUp) == 0);
    QTest::qWait(20);
    const QString line = QStringLiteral("void GenericV7::checkCompleteness() Missing %1 Plugin(s)").arg(missing);
    QCOMPARE(log.criticalLines(), missing ? QStringList{line} : QStringList());
    // Only a complete module is wired: its Start Up tool gets axis 0.
    QCOMPARE(currentAxis(own.startUp), missing ? -1 : 0);
    QCOMPARE(own.startUp->findChild<QStatusBar*>()->currentMessage(),
             missing ? QString() : QStringLiteral("Changed: Motor / Encoder 0"));
    if (otherModule)
        QCOMPARE(currentAxis(other.startUp), 0);
}

void TestRelay::traceCopies()
{
    HostedModule own;
    QVERIFY2(own.create(QStringLiteral("modA")), qPrintable(own.host.errorString()));
    QTRY_COMPARE(currentAxis(own.startUp), 0);
    // The spies take the host's place; traces handed back are theirs to delete.
    QObject::disconnect(own.startUp, nullptr, own.host.poller(), nullptr);
    qRegisterMetaType<TraceCommand*>("TraceCommand*");
    // By signature, as the host sees them.
    QSignalSpy added(own.startUp, SIGNAL(OUT_addTraceCommand(TraceCommand*))); // clazy:exclude=old-style-connect
    QSignalSpy removed(own.startUp, SIGNAL(OUT_removeTraceCommand(TraceCommand*))); // clazy:exclude=old-style-connect

    // Each later show hands over a complete set of new objects with the same content.
    own.startUp->showPlugin();
    const int count = added.count();
    QVERIFY(count >= 3);
    own.startUp->showPlugin();
    const QList<TraceCommand*> copies = traces(added);
    QCOMPARE(QSet<TraceCommand*>(copies.begin(), copies.end()).size(), 2 * count);
    QStringList texts;
    for (TraceCommand* trace : copies)
        texts << trace->toString();
    QCOMPARE(texts.mid(count), texts.mid(0, count));
    QVERIFY(texts.contains("TraceCommand(address 3, motor bank 0, command 6, type 3, caption \"Default\")"));

    // Everything comes back first in, first out, once.
    own.startUp->removeAllTraces();
    own.startUp->removeAllTraces();
    QCOMPARE(traces(removed), copies);
    qDeleteAll(copies);
    // Copies still held when the tool goes are the tool's to delete (checked by the leak checker).
    own.startUp->showPlugin();
    QCOMPARE(added.count(), 3 * count);

    // The other tools never hand over traces.
    for (int id : {51, 52, 53}) {
        QSignalSpy quiet(own.host.tool(id), SIGNAL(OUT_addTraceCommand(TraceCommand*))); // clazy:exclude=old-style-connect
        own.host.tool(id)->showPlugin();
        QCOMPARE(quiet.count(), 0);
    }
}

void TestRelay::replyFilters_data()
{
    QTest::addColumn<bool>("axisSet");
    QTest::addColumn<QList<int>>("reply"); // status, command, motor bank, address
    QTest::addColumn<bool>("accepted");
    QTest::newRow("matching answer") << true << QList<int>{100, 6, 0, 3} << true;
    QTest::newRow("status low byte 100") << true << QList<int>{356, 6, 0, 3} << true;
    QTest::newRow("status 101") << true << QList<int>{101, 6, 0, 3} << false;
    QTest::newRow("command 5") << true << QList<int>{100, 5, 0, 3} << false;
    QTest::newRow("other motor bank") << true << QList<int>{100, 6, 1, 3} << false;
    QTest::newRow("other address") << true << QList<int>{100, 6, 0, 2} << false;
    QTest::newRow("no axis yet, motor bank 0") << false << QList<int>{100, 6, 0, 3} << false;
    QTest::newRow("no axis yet, motor bank 255") << false << QList<int>{100, 6, 255, 3} << false;
}

void TestRelay::replyFilters()
{
    QFETCH(bool, axisSet);
    QFETCH(QList<int>, reply);
    HostedModule own;
    QVERIFY2(own.create(QStringLiteral("modA")), qPrintable(own.host.errorString()));
    if (axisSet)
        QTRY_COMPARE(currentAxis(own.startUp), 0);
    auto* box = own.startUp->findChild<SpinBox*>(QStringLiteral("spMeasuredVelocity"));
    QVERIFY(box);
    const int before = box->intValue();
    Command answer(quint8(reply.at(3)), quint8(reply.at(1)), quint8(box->sapType()), quint8(reply.at(2)), 4242);
    answer.setStatus(reply.at(0));
    // The other tools have no exchange and must just ignore it.
    for (int id : {50, 51, 52, 53})
        QVERIFY(QMetaObject::invokeMethod(own.host.tool(id), "IN_replyValue", Q_ARG(Command*, &answer)));
    QFETCH(bool, accepted);
    QCOMPARE(box->intValue(), accepted ? 4242 : before);
}

QTEST_MAIN(TestRelay)
#include "tst_relay.moc"
