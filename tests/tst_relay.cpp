// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
#include "tracepoller.h"

namespace {

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
    // Answers for motor bank 0 reach the monitor of a wired Start Up tool only (none before the
    // axis is set: bank 255 is no -1); the other tools ignore them.
    auto* box = own.startUp->findChild<SpinBox*>(QStringLiteral("spMeasuredVelocity"));
    const int before = box->intValue();
    for (int motor : {255, 0}) {
        Command answer(3, Command::GetAxisParameter, quint8(box->sapType()), quint8(motor), 4242 + motor);
        answer.setStatus(Command::StatusOk);
        const QList<ReRezorInterface*> tools = own.host.tools();
        for (ReRezorInterface* tool : tools)
            QVERIFY(QMetaObject::invokeMethod(tool, "IN_replyValue", Q_ARG(Command*, &answer)));
    }
    QCOMPARE(box->intValue(), missing ? before : 4242);
}

QTEST_MAIN(TestRelay)
#include "tst_relay.moc"
