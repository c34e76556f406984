// The four tools of a module destroyed one by one in every order, while the survivors are
// shown, clicked and applied after each step. A page whose shared object went with the Start
// Up tool must behave as one that never had it: it reads and writes nothing and its Apply keeps
// the window open.

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

#include <algorithm>

#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "robusthost.h"
#include "robustmodalanswerer.h"
#include "robustquietlog.h"
#include "toolwindow.h"
#include "tracepoller.h"

namespace {

const int PositionReached = 8;

int countKind(const RecordingModule& module, RecordingModule::Access::Kind kind, int command = -1)
{
    int n = 0;
    const QList<RecordingModule::Access> accesses = module.accesses(true);
    for (const RecordingModule::Access& a : accesses) {
        if (a.kind == kind && (command < 0 || a.command == command))
            ++n;
    }
    return n;
}

} // namespace

class TestRobustDestruction : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void destroyTools_data();
    void destroyTools();
    void destroyWindows_data();
    void destroyWindows();

private:
    void run(const QList<int>& order, bool viaWindow);
    void prepare(RobustHost& host, RecordingModule& module);
    void exercise(RobustHost& host, RecordingModule& module, int id);
    void exerciseStartUp(RobustHost& host, RecordingModule& module);
    void exerciseEncoder(RobustHost& host, RecordingModule& module, bool wired);
    void checkApply(RobustHost& host, RecordingModule& module, int id, bool wired);
    void clickButtonBoxes(RobustHost& host, int id);
    void show(RobustHost& host, int id);
    void tick(RobustHost& host);

    QScopedPointer<RobustQuietLog> m_log;
};

void TestRobustDestruction::initTestCase()
{
    m_log.reset(new RobustQuietLog);
}

void TestRobustDestruction::cleanupTestCase()
{
    m_log.reset();
}

void TestRobustDestruction::destroyTools_data()
{
    QTest::addColumn<QList<int>>("order");
    QList<int> order = RobustHost::ids();
    std::sort(order.begin(), order.end());
    do {
        QStringList name;
        for (int id : qAsConst(order))
            name.append(QString::number(id));
        QTest::newRow(qPrintable(name.join(QLatin1Char('-')))) << order;
    } while (std::next_permutation(order.begin(), order.end()));
}

void TestRobustDestruction::destroyTools()
{
    QFETCH(QList<int>, order);
    run(order, false);
}

// The host's way: a window taken away takes its tool with it. Each tool once in each place.
void TestRobustDestruction::destroyWindows_data()
{
    QTest::addColumn<QList<int>>("order");
    QList<int> order = RobustHost::ids();
    for (int rotation = 0; rotation < order.size(); ++rotation) {
        QStringList name;
        for (int id : qAsConst(order))
            name.append(QString::number(id));
        QTest::newRow(qPrintable(name.join(QLatin1Char('-')))) << order;
        order.append(order.takeFirst());
    }
}

void TestRobustDestruction::destroyWindows()
{
    QFETCH(QList<int>, order);
    run(order, true);
}

void TestRobustDestruction::run(const QList<int>& order, bool viaWindow)
{
    RecordingModule module;
    // 2^8 microsteps x 200 full steps per revolution; a detection's turn ends whenever the
    // position-reached flag reads 1, which the test switches.
    module.setValue(140, 8);
    module.setValue(202, 200);
    module.setValue(210, 4000);
    module.setValue(PositionReached, 1);
    RobustHost host(&module);
    QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    RobustModalAnswerer answerer;

    prepare(host, module);
    if (QTest::currentTestFailed())
        return;

    QList<int> alive = RobustHost::ids();
    for (int id : order) {
        QPointer<ReRezorInterface> tool = host.tool(id);
        QVERIFY(tool);
        if (viaWindow)
            delete host.window(id);
        else
            delete tool.data();
        QVERIFY(!tool);
        alive.removeOne(id);
        // Timers of the survivors (polling, a running detection) fire against what is left.
        tick(host);
        QTest::qWait(15);

        for (int survivor : qAsConst(alive)) {
            exercise(host, module, survivor);
            if (QTest::currentTestFailed()) {
                qWarning("after destroying %s, exercising %d", qPrintable(QTest::currentDataTag()), survivor);
                return;
            }
        }
    }
    if (TracePoller* poller = host.poller())
        QCOMPARE(poller->activeTraces(), 0);
}

// Every window shown once, polling running and an encoder detection under way that only ends
// when its tool or the shared object goes.
void TestRobustDestruction::prepare(RobustHost& host, RecordingModule& module)
{
    for (int id : RobustHost::ids())
        show(host, id);
    module.setValue(PositionReached, 0);
    show(host, RobustHost::Encoder);
    auto* start = host.find<QAbstractButton>(RobustHost::Encoder, "btnAutoDetection");
    QVERIFY(start);
    start->click();
    auto* confirm = host.find<QDialogButtonBox>(RobustHost::Encoder, "bbAutoDetection");
    QVERIFY(confirm && confirm->button(QDialogButtonBox::Ok));
    confirm->button(QDialogButtonBox::Ok)->click();
    auto* stack = host.find<QStackedWidget>(RobustHost::Encoder, "stackedWidget");
    QVERIFY(stack);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pageDetection"));
    show(host, RobustHost::StartUp);
    // Polling at a fast pace, so that short waits see several rounds.
    host.poller()->setPeriod(5);
    QTest::qWait(120);
    QVERIFY(host.poller()->activeTraces() > 0);
    QVERIFY(host.poller()->repliesDelivered() > 0);
}

// One step of everything that runs by itself: a polling round and, while the encoder page shows
// a detection, one poll of it (the page does not look at the timer id).
void TestRobustDestruction::tick(RobustHost& host)
{
    if (TracePoller* poller = host.poller())
        poller->pollOnce();
    auto* stack = host.find<QStackedWidget>(RobustHost::Encoder, "stackedWidget");
    if (stack && stack->currentWidget()->objectName() == QLatin1String("pageDetection")) {
        QTimerEvent event(0);
        QCoreApplication::sendEvent(host.page(RobustHost::Encoder), &event);
    }
    QCoreApplication::processEvents();
}

void TestRobustDestruction::show(RobustHost& host, int id)
{
    ToolWindow* window = host.window(id);
    QVERIFY(window);
    window->activateWindow();
    QCoreApplication::processEvents();
    QWidget* page = host.page(id);
    QVERIFY(page);
    QVERIFY2(page->isVisible(), qPrintable(RobustHost::pageName(id)));
}

void TestRobustDestruction::exercise(RobustHost& host, RecordingModule& module, int id)
{
    // The shared object belongs to the Start Up tool: the other pages have it only while it lives.
    const bool wired = host.tool(RobustHost::StartUp) != nullptr;
    if (!wired)
        module.clearLog();

    show(host, id);
    if (QTest::currentTestFailed())
        return;
    if (id == RobustHost::StartUp)
        exerciseStartUp(host, module);
    if (id == RobustHost::Encoder)
        exerciseEncoder(host, module, wired);
    if (QTest::currentTestFailed())
        return;
    if (id != RobustHost::StartUp)
        checkApply(host, module, id, wired);
    if (QTest::currentTestFailed())
        return;
    clickButtonBoxes(host, id);
    if (QTest::currentTestFailed())
        return;

    if (id == RobustHost::Encoder && wired) {
        // Leave a detection running for the next destruction.
        show(host, id);
        module.setValue(PositionReached, 0);
        host.find<QAbstractButton>(id, "btnAutoDetection")->click();
        host.find<QDialogButtonBox>(id, "bbAutoDetection")->button(QDialogButtonBox::Ok)->click();
    }
    tick(host);

    if (!wired) {
        // Neither the show nor any click may reach the module.
        QCOMPARE(module.log(), QStringList());
        QCOMPARE(module.accesses(true).size(), 0);
    }
}

void TestRobustDestruction::exerciseStartUp(RobustHost& host, RecordingModule& module)
{
    module.clearLog();
    for (const char* name : {"btnStart", "btnStop"}) {
        auto* button = host.find<QAbstractButton>(RobustHost::StartUp, name);
        QVERIFY2(button, name);
        button->click();
    }
    QCOMPARE(countKind(module, RecordingModule::Access::Execute, 4), 1);
    QCOMPARE(countKind(module, RecordingModule::Access::Execute, 3), 1);

    // Step buttons reach the windows of tools that may be gone.
    for (const char* name : {"btnMotorSettings", "btnEncoderSettings", "btnClosedLoop"}) {
        auto* button = host.find<QAbstractButton>(RobustHost::StartUp, name);
        QVERIFY2(button, name);
        button->click();
        QCoreApplication::processEvents();
    }

    // A change of axis while visible hides and shows the tool: its traces are renewed.
    show(host, RobustHost::StartUp);
    auto* axis = host.find<QComboBox>(RobustHost::StartUp, "cmbAxisNumber");
    QVERIFY(axis);
    axis->setCurrentIndex(1);
    QCOMPARE(host.currentAxis(), 1);
    tick(host);
    axis->setCurrentIndex(0);
    QCOMPARE(host.currentAxis(), 0);
    QCOMPARE(host.poller()->activeTraces(host.tool(RobustHost::StartUp)), 5);
}

void TestRobustDestruction::exerciseEncoder(RobustHost& host, RecordingModule& module, bool wired)
{
    const int id = RobustHost::Encoder;
    auto* stack = host.find<QStackedWidget>(id, "stackedWidget");
    auto* start = host.find<QAbstractButton>(id, "btnAutoDetection");
    auto* confirm = host.find<QDialogButtonBox>(id, "bbAutoDetection");
    auto* detection = host.find<QDialogButtonBox>(id, "bbDetction");
    QVERIFY(stack && start && confirm && detection);
    QVERIFY(detection->button(QDialogButtonBox::Discard) && detection->button(QDialogButtonBox::Apply));

    // Whatever ran before (also a detection whose shared object is gone) can be left.
    if (stack->currentWidget()->objectName() == QLatin1String("pageDetection"))
        detection->button(QDialogButtonBox::Discard)->click();
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("gbMenu"));

    start->click();
    if (!wired) {
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("gbMenu"));
        return;
    }
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pageAuto"));
    confirm->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("gbMenu"));

    // A complete run: both turns end at their first poll.
    module.setValue(PositionReached, 1);
    start->click();
    confirm->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pageDetection"));
    tick(host);
    tick(host);
    // Both turns are over: the return turn ends with a stop.
    QVERIFY(module.log().contains(exec(3, 0, 0, 0).toString()));
    detection->button(QDialogButtonBox::Apply)->click();
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("gbMenu"));
}

// Apply writes through the shared object and closes the window; without it nothing is written
// and the window stays. The closed-loop Apply keeps its window open in both cases.
void TestRobustDestruction::checkApply(RobustHost& host, RecordingModule& module, int id, bool wired)
{
    show(host, id);
    if (QTest::currentTestFailed())
        return;
    auto* box = host.find<QDialogButtonBox>(id, "buttonBox");
    QVERIFY(box);
    QAbstractButton* apply = box->button(QDialogButtonBox::Apply);
    QVERIFY(apply);
    QVERIFY2(apply->isVisible(), "Apply hidden");
    module.clearLog();
    apply->click();
    QCoreApplication::processEvents();

    const int writes = countKind(module, RecordingModule::Access::Set)
                       + countKind(module, RecordingModule::Access::Execute, 5);
    ToolWindow* window = host.window(id);
    QVERIFY(window);
    if (wired) {
        QVERIFY2(writes > 0, "nothing written");
        QCOMPARE(window->isVisible(), id == RobustHost::ClosedLoop);
    } else {
        QCOMPARE(writes, 0);
        QVERIFY2(window->isVisible(), "the window closed without a module to write to");
    }
}

void TestRobustDestruction::clickButtonBoxes(RobustHost& host, int id)
{
    QWidget* page = host.page(id);
    QVERIFY(page);
    const QList<QDialogButtonBox*> boxes = page->findChildren<QDialogButtonBox*>();
    for (QDialogButtonBox* box : boxes) {
        const QList<QAbstractButton*> buttons = box->buttons();
        for (QAbstractButton* button : buttons) {
            show(host, id);
            if (QTest::currentTestFailed())
                return;
            QPointer<QAbstractButton> guard = button;
            button->click();
            QCoreApplication::processEvents();
            QVERIFY2(guard, "a button went with its click");
        }
    }
    if (id != RobustHost::Encoder)
        return;
    // A detection started by the clicks is left again.
    host.find<QDialogButtonBox>(id, "bbDetction")->button(QDialogButtonBox::Discard)->click();
    QCOMPARE(host.find<QStackedWidget>(id, "stackedWidget")->currentWidget()->objectName(), QStringLiteral("gbMenu"));
}

QTEST_MAIN(TestRobustDestruction)
#include "tst_robust_destruction.moc"
