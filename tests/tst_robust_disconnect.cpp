// The module connection lost in the middle of every action that talks to the module: the
// refresh of each page on show, Apply, the motion test and both turns of the encoder
// detection. Each action is first run connected to count its module accesses; then it is run
// once for every point at which the connection can drop. Nothing may crash, nothing the user
// entered may be lost, and the detection can still be left.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimerEvent>
#include <QtTest>

#include "command.h"
#include "rerezorinterface.h"
#include "robusthost.h"
#include "robustmodalanswerer.h"
#include "robustquietlog.h"
#include "simulatedmodule.h"
#include "spinbox.h"
#include "toolwindow.h"
#include "tracepoller.h"

namespace {

const int EncoderResolution = 210;
const int NeverPoll = 3600 * 1000;

// A simulated module whose connection drops at a chosen access: after the given number of
// further accesses (reads, writes, requests through the command handler) the device closes just
// before the next one, as when a cable is pulled between two requests of one action.
class FlakyModule : public SimulatedModule
{
public:
    FlakyModule()
        : m_tap(this)
    {
        setManualClock(true);
    }

    void disconnectAfter(int accesses) { m_left = accesses; }
    void disarm() { m_left = -1; }
    int accesses() const { return m_accesses; }

    int getAxisParameter(quint8 type, quint8 motor, bool* ok = nullptr) override
    {
        touch();
        return SimulatedModule::getAxisParameter(type, motor, ok);
    }
    void setAxisParameter(quint8 type, quint8 motor, int value) override
    {
        touch();
        SimulatedModule::setAxisParameter(type, motor, value);
    }
    CommandHandlerInterface* commandHandlerInterface() override { return &m_tap; }

    // The module's own view, without counting.
    int read(int type, int motor = 0)
    {
        int value = 0;
        synchronise();
        drive()->getAxisParameter(type, motor, &value);
        return value;
    }
    void write(int type, int value, int motor = 0)
    {
        synchronise();
        drive()->setAxisParameter(type, motor, value);
    }

private:
    class Tap : public CommandHandlerInterface
    {
    public:
        explicit Tap(FlakyModule* module)
            : m_module(module)
        {
        }
        bool isDeviceOpen() const override { return m_module->commandHandler()->isDeviceOpen(); }
        void executeCommand(Command* request, Command* reply) override
        {
            m_module->touch();
            m_module->commandHandler()->executeCommand(request, reply);
        }
        void setCircularMode(bool on) override { m_module->commandHandler()->setCircularMode(on); }

    private:
        FlakyModule* m_module;
    };

    void touch()
    {
        ++m_accesses;
        if (m_left == 0) {
            setDeviceOpen(false);
            m_left = -1;
        } else if (m_left > 0) {
            --m_left;
        }
    }

    Tap m_tap;
    int m_accesses = 0;
    int m_left = -1;
};

// A value typed by the user: in the box's range, neither the module's value (nor its
// magnitude) nor 0, so that neither a reading nor an empty reply can pass for it.
int typedValue(const SpinBox* box, int moduleValue, int salt)
{
    const qint64 low = qint64(box->minimum());
    const qint64 span = qint64(box->maximum()) - low + 1;
    for (qint64 step = 0; step < 16; ++step) {
        const qint64 candidate = low + (13 + 7 * salt + step) % span;
        if (candidate != moduleValue && candidate != -qint64(moduleValue) && candidate != 0)
            return int(candidate);
    }
    return int(low);
}

struct Entry
{
    QPointer<SpinBox> box;
    int typed;
    int module; // what a successful read shows
};

} // namespace

class TestRobustDisconnect : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void refreshOnShow_data();
    void refreshOnShow();
    void apply_data();
    void apply();
    void motionTest_data();
    void motionTest();
    void detection_data();
    void detection();

private:
    bool setUp(RobustHost& host);
    QList<SpinBox*> boxes(RobustHost& host, int id) const;
    // Types a value into every box while the device is closed, so that nothing reaches the module.
    QList<Entry> type(FlakyModule& module, const QList<SpinBox*>& boxes, int salt);
    // Empty when every box holds what the user typed, or (readAllowed) what the module holds.
    QString lost(const QList<Entry>& entries, bool readAllowed) const;

    QScopedPointer<RobustQuietLog> m_log;
};

void TestRobustDisconnect::initTestCase()
{
    m_log.reset(new RobustQuietLog);
}

void TestRobustDisconnect::cleanupTestCase()
{
    m_log.reset();
}

bool TestRobustDisconnect::setUp(RobustHost& host)
{
    if (!host.start(GV7_PLUGIN_PATH)) {
        qWarning("%s", qPrintable(host.errorString()));
        return false;
    }
    // The host's polling would take accesses of its own from inside the actions' event loops.
    host.poller()->setPeriod(NeverPoll);
    return true;
}

QList<SpinBox*> TestRobustDisconnect::boxes(RobustHost& host, int id) const
{
    switch (id) {
    case RobustHost::StartUp:
        return host.find<QGroupBox>(id, "gbMotionTest")->findChildren<SpinBox*>();
    case RobustHost::Encoder:
        return host.find<QWidget>(id, "gbMenu")->findChildren<SpinBox*>();
    default:
        return host.page(id)->findChildren<SpinBox*>();
    }
}

QList<Entry> TestRobustDisconnect::type(FlakyModule& module, const QList<SpinBox*>& boxes, int salt)
{
    QList<Entry> entries;
    module.disarm();
    module.setDeviceOpen(true);
    for (SpinBox* box : boxes) {
        int value = module.read(box->sapType());
        if (box->sapType() == EncoderResolution)
            value = qAbs(value);
        entries.append({box, typedValue(box, value, salt + entries.size()), value});
    }
    module.setDeviceOpen(false);
    for (const Entry& e : qAsConst(entries))
        e.box->setValue(e.typed);
    module.setDeviceOpen(true);
    return entries;
}

QString TestRobustDisconnect::lost(const QList<Entry>& entries, bool readAllowed) const
{
    QStringList problems;
    for (const Entry& e : entries) {
        if (!e.box) {
            problems.append(QStringLiteral("a box is gone"));
            continue;
        }
        const int shown = e.box->intValue();
        if (shown != e.typed && !(readAllowed && shown == e.module))
            problems.append(QStringLiteral("%1 (parameter %2) shows %3, typed %4, module %5")
                                .arg(e.box->objectName())
                                .arg(e.box->sapType())
                                .arg(shown)
                                .arg(e.typed)
                                .arg(e.module));
    }
    return problems.join(QStringLiteral("; "));
}

// ---------------------------------------------------------------------------------------------

void TestRobustDisconnect::refreshOnShow_data()
{
    QTest::addColumn<int>("id");
    for (int id : RobustHost::ids())
        QTest::newRow(qPrintable(RobustHost::pageName(id))) << id;
}

void TestRobustDisconnect::refreshOnShow()
{
    QFETCH(int, id);
    FlakyModule module;
    RobustHost host(&module);
    QVERIFY(setUp(host));
    ToolWindow* window = host.window(id);
    const QList<SpinBox*> pageBoxes = boxes(host, id);
    QVERIFY(window && !pageBoxes.isEmpty());

    // Connected: the show reads every box from the module.
    window->hide();
    QList<Entry> entries = type(module, pageBoxes, 0);
    const int before = module.accesses();
    window->activateWindow();
    const int total = module.accesses() - before;
    QVERIFY(total > 0);
    qInfo("%d module accesses when connected", total);
    for (const Entry& e : qAsConst(entries)) {
        if (e.box->sapType() != 0)
            QCOMPARE(e.box->intValue(), e.module);
    }

    for (int k = 0; k <= total; ++k) {
        window->hide();
        entries = type(module, pageBoxes, k);
        module.disconnectAfter(k);
        window->activateWindow();
        module.disarm();
        QVERIFY2(host.page(id)->isVisible(), qPrintable(QString::number(k)));
        // Before the first read nothing may change; later, a box shows either reading.
        const QString problems = lost(entries, k > 0);
        if (!problems.isEmpty())
            QFAIL(qPrintable(QStringLiteral("disconnected after %1 of %2 accesses: %3").arg(k).arg(total).arg(problems)));
    }
}

// ---------------------------------------------------------------------------------------------

void TestRobustDisconnect::apply_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("button");

    QTest::newRow("MotorSettings Apply") << int(RobustHost::Motor) << int(QDialogButtonBox::Apply);
    QTest::newRow("EncoderSettings Apply") << int(RobustHost::Encoder) << int(QDialogButtonBox::Apply);
    QTest::newRow("ClosedLoop Apply") << int(RobustHost::ClosedLoop) << int(QDialogButtonBox::Apply);
    QTest::newRow("ClosedLoop Ok") << int(RobustHost::ClosedLoop) << int(QDialogButtonBox::Ok);
}

void TestRobustDisconnect::apply()
{
    QFETCH(int, id);
    QFETCH(int, button);
    FlakyModule module;
    RobustHost host(&module);
    QVERIFY(setUp(host));
    ToolWindow* window = host.window(id);
    const QList<SpinBox*> pageBoxes = boxes(host, id);
    auto* box = host.find<QDialogButtonBox>(id, "buttonBox");
    QVERIFY(window && box && box->button(QDialogButtonBox::StandardButton(button)));
    if (auto* reverse = host.find<QCheckBox>(id, "cbReverseEncoderDirection"))
        reverse->setChecked(false);

    // One run: the page shown, the user's values typed, the button pressed. The Start Up
    // window is hidden first, so that each report refreshes it the same way.
    auto run = [&](int k, QList<Entry>& entries) {
        RobustModalAnswerer answerer(QMessageBox::No);
        module.disarm();
        host.window(RobustHost::StartUp)->hide();
        window->activateWindow();
        entries = type(module, pageBoxes, k);
        const int before = module.accesses();
        module.disconnectAfter(k);
        box->button(QDialogButtonBox::StandardButton(button))->click();
        QCoreApplication::processEvents();
        module.disarm();
        return module.accesses() - before;
    };

    QList<Entry> entries;
    const int total = run(-1, entries);
    QVERIFY(total > 0);
    qInfo("%d module accesses when connected", total);
    // Connected, the module got what the user typed.
    for (const Entry& e : qAsConst(entries))
        QCOMPARE(module.read(e.box->sapType()), e.typed);

    for (int k = 0; k <= total; ++k) {
        run(k, entries);
        const QString problems = lost(entries, false);
        if (!problems.isEmpty())
            QFAIL(qPrintable(QStringLiteral("disconnected after %1 of %2 accesses: %3").arg(k).arg(total).arg(problems)));
        module.setDeviceOpen(true);
    }
}

// ---------------------------------------------------------------------------------------------

void TestRobustDisconnect::motionTest_data()
{
    QTest::addColumn<QString>("action");
    for (const char* action :
         {"start", "stop", "ramp type", "max velocity", "max acceleration", "activate closed loop", "change axis"})
        QTest::newRow(action) << QString::fromLatin1(action);
}

void TestRobustDisconnect::motionTest()
{
    QFETCH(QString, action);
    FlakyModule module;
    RobustHost host(&module);
    QVERIFY(setUp(host));
    const int id = RobustHost::StartUp;
    ToolWindow* window = host.window(id);
    auto* start = host.find<QAbstractButton>(id, "btnStart");
    auto* stop = host.find<QAbstractButton>(id, "btnStop");
    auto* ramp = host.find<QComboBox>(id, "cmbRampType");
    auto* axis = host.find<QComboBox>(id, "cmbAxisNumber");
    auto* velocity = host.find<SpinBox>(id, "sbMaximumPositionSpeed");
    auto* acceleration = host.find<SpinBox>(id, "sbMaximumAcceleration");
    auto* closedLoop = host.find<QAbstractButton>(id, "cbActivateClosedLoop");
    auto* encoderStep = host.find<QGroupBox>(id, "gbEncoder");
    auto* closedLoopStep = host.find<QGroupBox>(id, "gbClosedLoop");
    QVERIFY(window && start && stop && ramp && axis && velocity && acceleration && closedLoop);
    QVERIFY(encoderStep && closedLoopStep);
    // The user chose both steps, which makes the closed-loop switch usable.
    encoderStep->setChecked(true);
    closedLoopStep->setChecked(true);
    QVERIFY(closedLoop->isEnabled());
    window->activateWindow();
    const QList<SpinBox*> pageBoxes = boxes(host, id);

    auto act = [&](int k) {
        module.disconnectAfter(k);
        const int before = module.accesses();
        if (action == QLatin1String("start"))
            start->click();
        else if (action == QLatin1String("stop"))
            stop->click();
        else if (action == QLatin1String("ramp type"))
            ramp->setCurrentIndex(1 - ramp->currentIndex());
        else if (action == QLatin1String("max velocity"))
            velocity->setValue(velocity->intValue() + 1000);
        else if (action == QLatin1String("max acceleration"))
            acceleration->setValue(acceleration->intValue() + 1000);
        else if (action == QLatin1String("activate closed loop"))
            closedLoop->click();
        else
            axis->setCurrentIndex((axis->currentIndex() + 1) % axis->count());
        module.disarm();
        return module.accesses() - before;
    };

    QList<Entry> entries = type(module, pageBoxes, 0);
    const int total = act(-1);
    qInfo("%d module accesses when connected", total);
    QVERIFY(total > 0);
    for (int k = 0; k <= total; ++k) {
        entries = type(module, pageBoxes, k);
        // What the action itself changes is the user's doing too.
        act(k);
        for (Entry& e : entries) {
            if ((e.box == velocity && action == QLatin1String("max velocity"))
                || (e.box == acceleration && action == QLatin1String("max acceleration")))
                e.typed += 1000;
        }
        // An axis change re-reads the motion test for the new axis (values of that axis).
        if (action == QLatin1String("change axis")) {
            for (Entry& e : entries)
                e.module = module.read(e.box->sapType(), axis->currentIndex());
        }
        const QString problems = lost(entries, action == QLatin1String("change axis"));
        if (!problems.isEmpty())
            QFAIL(qPrintable(QStringLiteral("disconnected after %1 of %2 accesses: %3").arg(k).arg(total).arg(problems)));
        QVERIFY(host.page(id)->isVisible());
        module.setDeviceOpen(true);
    }
}

// ---------------------------------------------------------------------------------------------

void TestRobustDisconnect::detection_data()
{
    QTest::addColumn<int>("reconnectAfter"); // polls; -1: stays disconnected
    QTest::newRow("stays disconnected") << -1;
    QTest::newRow("reconnects after 3 polls") << 3;
}

void TestRobustDisconnect::detection()
{
    QFETCH(int, reconnectAfter);
    FlakyModule module;
    RobustHost host(&module);
    QVERIFY(setUp(host));
    const int id = RobustHost::Encoder;
    ToolWindow* window = host.window(id);
    QWidget* page = host.page(id);
    auto* stack = host.find<QStackedWidget>(id, "stackedWidget");
    auto* start = host.find<QAbstractButton>(id, "btnAutoDetection");
    auto* confirm = host.find<QDialogButtonBox>(id, "bbAutoDetection");
    auto* leave = host.find<QDialogButtonBox>(id, "bbDetction");
    auto* buttonBox = host.find<QDialogButtonBox>(id, "buttonBox");
    auto* reverse = host.find<QCheckBox>(id, "cbReverseEncoderDirection");
    auto* investigated = host.find<QLabel>(id, "lblInvestigated");
    QVERIFY(window && page && stack && start && confirm && leave && buttonBox && reverse && investigated);
    QVERIFY(confirm->button(QDialogButtonBox::Ok) && leave->button(QDialogButtonBox::Discard));
    window->activateWindow();
    const QList<SpinBox*> pageBoxes = boxes(host, id);

    // Drives one detection: the polls come from here, with the simulated time between them.
    // Returns the accesses made and the poll after which the detection had nothing left to do.
    const int maxPolls = 120;
    auto run = [&](int k, int* polls) {
        const int before = module.accesses();
        module.disconnectAfter(k);
        start->click();
        confirm->button(QDialogButtonBox::Ok)->click();
        int sinceDrop = 0;
        int lastBusy = 0;
        for (int poll = 1; poll <= maxPolls; ++poll) {
            if (!module.isDeviceOpen() && reconnectAfter >= 0 && ++sinceDrop > reconnectAfter) {
                module.disarm();
                module.setDeviceOpen(true);
            }
            module.advance(100);
            const int accessesBefore = module.accesses();
            QTimerEvent event(0);
            QCoreApplication::sendEvent(page, &event);
            if (module.accesses() != accessesBefore)
                lastBusy = poll;
        }
        module.disarm();
        if (polls)
            *polls = lastBusy;
        return module.accesses() - before;
    };
    // Puts the module back as it was: standing, on its default speeds and resolution.
    auto reset = [&]() {
        module.disarm();
        module.setDeviceOpen(true);
        module.write(4, 51200);
        module.write(5, 51200);
        module.write(210, 4000);
        module.write(129, 0);
        module.drive()->stop(0);
        module.advance(60000);
    };

    QList<Entry> entries = type(module, pageBoxes, 0);
    reverse->setChecked(true);
    int polls = 0;
    const int total = run(-1, &polls);
    qInfo("%d module accesses when connected", total);
    QVERIFY2(polls > 10 && polls < maxPolls, qPrintable(QString::number(polls)));
    QCOMPARE(investigated->text(), QStringLiteral("4000"));
    leave->button(QDialogButtonBox::Discard)->click();
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("gbMenu"));
    QCOMPARE(lost(entries, false), QString());
    QVERIFY(reverse->isChecked());
    reset();

    for (int k = 0; k <= total; ++k) {
        entries = type(module, pageBoxes, k);
        reverse->setChecked(k % 2);
        run(k, nullptr);
        // However far it got, the detection can be left, and leaving it discards nothing typed.
        leave->button(QDialogButtonBox::Discard)->click();
        if (stack->currentWidget()->objectName() != QLatin1String("gbMenu") || !buttonBox->isVisible())
            QFAIL(qPrintable(QStringLiteral("disconnected after %1 of %2 accesses: not back in the menu").arg(k).arg(total)));
        QString problems = lost(entries, false);
        if (reverse->isChecked() != bool(k % 2))
            problems += QStringLiteral(" direction changed");
        if (!problems.isEmpty())
            QFAIL(qPrintable(QStringLiteral("disconnected after %1 of %2 accesses: %3").arg(k).arg(total).arg(problems)));
        reset();
    }
}

QTEST_MAIN(TestRobustDisconnect)
#include "tst_robust_disconnect.moc"
