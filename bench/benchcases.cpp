// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchcases.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QLibrary>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPluginLoader>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

#include "basictools.h"
#include "command.h"
#include "guidedcommissioning.h"
#include "pluginhandler.h"
#include "pluginhost.h"
#include "replysource.h"
#include "rerezorinterface.h"
#include "simulatedmodule.h"
#include "spinbox.h"
#include "toolsinterface.h"
#include "toolwindow.h"
#include "tracepoller.h"
#include "ui_closedloop.h"
#include "ui_commissioning.h"
#include "ui_encodersettings.h"
#include "ui_motorsettings.h"

namespace {

const int StartUpId = 50;
const int MotorId = 51;
const int WiringTimeoutMs = 10000;
const int PollPeriodNeverDue = 24 * 3600 * 1000;

void report(const char* name, double value)
{
    std::printf("%s %.6f\n", name, value);
}

void reportPerTool(const char* what, int id, double value)
{
    std::printf("%s_%d %.6f\n", what, id, value);
}

double ms(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

// CPU time of the process; on a shared machine it moves less than the wall clock when other
// work competes for the cores.
qint64 cpuNanoseconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 1;
}

// CPU time and peak memory of this process so far.
void reportUsage()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const double user = double(usage.ru_utime.tv_sec) + double(usage.ru_utime.tv_usec) / 1e6;
    const double system = double(usage.ru_stime.tv_sec) + double(usage.ru_stime.tv_usec) / 1e6;
    report("cpu_user_s", user);
    report("cpu_sys_s", system);
    report("cpu_s", user + system);
    report("maxrss_kb", double(usage.ru_maxrss));
}

// What every start-up case has before its clock starts: a visible window area (so the style,
// the fonts and the platform window exist already) and a module.
struct Stage
{
    Stage()
    {
        area.resize(1400, 900);
        area.show();
        module.setManualClock(true);
        QCoreApplication::processEvents();
    }

    QMdiArea area;
    SimulatedModule module;
};

QLabel* motorAxisLabel(QWidget* motorTool)
{
    return motorTool ? motorTool->findChild<QLabel*>(QStringLiteral("lblCurrentAxis")) : nullptr;
}

// The start-up tool wires its siblings from the event loop; the motor page then names the axis.
Q_NEVER_INLINE bool waitWired(QLabel* axis)
{
    const QDeadlineTimer deadline(WiringTimeoutMs);
    while (!axis->text().startsWith(QLatin1String("Motor / Encoder"))) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
    }
    return true;
}

int startUp()
{
    Stage stage;
    PluginHost host;
    const qint64 cpuStart = cpuNanoseconds();
    QElapsedTimer timer;
    timer.start();
    if (!host.load(QStringLiteral(GV7_PLUGIN_PATH)))
        return fail(QStringLiteral("cannot load the plug-in: ") + host.errorString());
    const qint64 loaded = timer.nsecsElapsed();
    if (host.createTools(&stage.module, &stage.area, QStringLiteral("bench")).size() != 4)
        return fail(QStringLiteral("the plug-in did not make four tools"));
    const qint64 created = timer.nsecsElapsed();
    QLabel* axis = motorAxisLabel(host.tool(MotorId));
    if (!axis || !waitWired(axis))
        return fail(QStringLiteral("the tools were not wired"));
    const qint64 wired = timer.nsecsElapsed();
    const qint64 cpu = cpuNanoseconds() - cpuStart;

    report("load_ms", ms(loaded));
    report("create_ms", ms(created - loaded));
    report("wire_ms", ms(wired - created));
    report("total_ms", ms(wired));
    report("total_cpu_ms", ms(cpu));
    reportUsage();
    return 0;
}

// The steps of startUpParts, kept out of line so that a profiler (valgrind --tool=callgrind)
// shows each step's cost as the inclusive cost of one function.
Q_NEVER_INLINE ReRezorInterface* constructTool(ToolsInterface* factory, int id, ModuleInterface* module)
{
    factory->selectSubWidget(id);
    return factory->createInstance(QStringLiteral("bench"), 0, module);
}

Q_NEVER_INLINE ToolWindow* placeTool(ReRezorInterface* tool, QMdiArea* area)
{
    PluginHandler::instance()->registerPlugin(PluginHandler::ToolsType, QStringLiteral("bench/") + tool->toolsName(),
                                              tool);
    auto* window = new ToolWindow(tool);
    area->addSubWindow(window);
    return window;
}

Q_NEVER_INLINE void showFirstTime(ToolWindow* window)
{
    window->show();
}

// The host's steps one by one: PluginHost::createTools does the same, less the poller.
int startUpParts()
{
    Stage stage;
    stage.module.setKey(QStringLiteral("bench"));
    QPluginLoader loader(QStringLiteral(GV7_PLUGIN_PATH));
    QElapsedTimer timer;
    timer.start();
    if (!loader.load())
        return fail(QStringLiteral("cannot load the plug-in: ") + loader.errorString());
    const qint64 opened = timer.nsecsElapsed();
    auto* factory = qobject_cast<ToolsInterface*>(loader.instance());
    if (!factory)
        return fail(QStringLiteral("not a tools plug-in"));
    const qint64 instantiated = timer.nsecsElapsed();

    qint64 constructors = 0;
    qint64 windows = 0;
    qint64 firstShows = 0;
    QWidget* motorTool = nullptr;
    const QList<int> ids = factory->subWidgetIds();
    for (int id : ids) {
        const qint64 begin = timer.nsecsElapsed();
        ReRezorInterface* tool = constructTool(factory, id, &stage.module);
        if (!tool)
            return fail(QStringLiteral("no tool for %1").arg(id));
        const qint64 constructed = timer.nsecsElapsed();
        ToolWindow* window = placeTool(tool, &stage.area);
        const qint64 placed = timer.nsecsElapsed();
        showFirstTime(window);
        const qint64 shown = timer.nsecsElapsed();
        reportPerTool("ctor_ms", id, ms(constructed - begin));
        reportPerTool("show_ms", id, ms(shown - placed));
        constructors += constructed - begin;
        windows += placed - constructed;
        firstShows += shown - placed;
        if (id == MotorId)
            motorTool = tool;
    }
    const qint64 created = timer.nsecsElapsed();
    QLabel* axis = motorAxisLabel(motorTool);
    if (!axis || !waitWired(axis))
        return fail(QStringLiteral("the tools were not wired"));
    const qint64 wired = timer.nsecsElapsed();

    report("dlopen_ms", ms(opened));
    report("instance_ms", ms(instantiated - opened));
    report("ctor_ms", ms(constructors));
    report("window_ms", ms(windows));
    report("show_ms", ms(firstShows));
    report("wire_ms", ms(wired - created));
    report("total_ms", ms(wired));
    return 0;
}

// The forms connect to slots only the real pages have; on a bare widget that is expected.
void silent(QtMsgType, const QMessageLogContext&, const QString&)
{
}

template<typename Form>
Q_NEVER_INLINE qint64 buildForm(Form& form, QWidget* page)
{
    QElapsedTimer timer;
    timer.start();
    form.setupUi(page);
    return timer.nsecsElapsed();
}

// The floor: the same four forms, in the order the host makes the tools, on bare widgets.
// The forms name the plug-in's images in their style sheets; the library is loaded (not
// instantiated) before the clock starts, so that those images exist here as well.
int formsFloor()
{
    Stage stage;
    QLibrary library(QStringLiteral(GV7_PLUGIN_PATH));
    if (!library.load())
        return fail(QStringLiteral("cannot load the plug-in's library: ") + library.errorString());
    Ui::ClosedLoop closedLoop;
    Ui::EncoderSettings encoder;
    Ui::MotorSettings motor;
    Ui::Commissioning commissioning;
    QWidget pages[4];
    const QtMessageHandler previous = qInstallMessageHandler(silent);
    const qint64 cpuStart = cpuNanoseconds();
    QElapsedTimer timer;
    timer.start();
    const qint64 closedLoopNs = buildForm(closedLoop, &pages[0]);
    const qint64 encoderNs = buildForm(encoder, &pages[1]);
    const qint64 motorNs = buildForm(motor, &pages[2]);
    const qint64 commissioningNs = buildForm(commissioning, &pages[3]);
    const qint64 total = timer.nsecsElapsed();
    const qint64 cpu = cpuNanoseconds() - cpuStart;
    qInstallMessageHandler(previous);
    if (!motor.lblCurrentAxis)
        return fail(QStringLiteral("the motor form has no axis label"));

    // Measured after the floor: the built forms each put into a window of its own in the area,
    // shown, sized to their contents and closed again, as the host and the tools do at
    // start-up. Start-up cannot do with less than the floor plus this.
    QElapsedTimer showTimer;
    showTimer.start();
    for (QWidget& page : pages) {
        QMdiSubWindow* window = stage.area.addSubWindow(&page);
        window->show();
        page.adjustSize();
        window->close();
    }
    QCoreApplication::processEvents();
    const qint64 shownNs = showTimer.nsecsElapsed();
    const qint64 shownCpu = cpuNanoseconds() - cpuStart;

    // Measured apart from the floor: what the closed-loop page adds to its form, a tool tip
    // with each of its three mode pictures, made the way the page makes them.
    QElapsedTimer pictureTimer;
    pictureTimer.start();
    QStringList pictureTips;
    for (const char* path : {":/Images/rcc/Images/CurrentLevelControl.svg", ":/Images/rcc/Images/FielWeakening.svg",
                             ":/Images/rcc/Images/PositionCatchUp.svg"}) {
        const QPixmap pixmap(QString::fromLatin1(path));
        pictureTips.append(pixmap.isNull() ? QString() : BasicTools::setPixmapToHtml(pixmap, pixmap.size()));
    }
    const qint64 picturesNs = pictureTimer.nsecsElapsed();
    if (pictureTips.contains(QString()))
        return fail(QStringLiteral("the closed-loop page's pictures are missing"));

    reportPerTool("form_ms", 53, ms(closedLoopNs));
    reportPerTool("form_ms", 52, ms(encoderNs));
    reportPerTool("form_ms", 51, ms(motorNs));
    reportPerTool("form_ms", 50, ms(commissioningNs));
    report("total_ms", ms(total));
    report("total_cpu_ms", ms(cpu));
    report("shown_ms", ms(total + shownNs));
    report("shown_cpu_ms", ms(shownCpu));
    report("pictures_ms", ms(picturesNs));
    reportUsage();
    return 0;
}

// One answer through the start-up tool's reply slot into its monitor widget, against setting
// the same widget to the same value directly. Both run alternately in each batch, on the
// visible start-up window, over the three live-value spin boxes in turn.
int relay(const QStringList& arguments)
{
    const int batches = arguments.value(0, QStringLiteral("41")).toInt();
    const int answers = arguments.value(1, QStringLiteral("3000")).toInt();
    if (batches < 1 || answers < 3)
        return fail(QStringLiteral("relay needs batches >= 1 and answers >= 3"));

    Stage stage;
    PluginHost host;
    if (!host.load(QStringLiteral(GV7_PLUGIN_PATH)))
        return fail(QStringLiteral("cannot load the plug-in: ") + host.errorString());
    if (host.createTools(&stage.module, &stage.area, QStringLiteral("bench")).size() != 4)
        return fail(QStringLiteral("the plug-in did not make four tools"));
    QLabel* axis = motorAxisLabel(host.tool(MotorId));
    if (!axis || !waitWired(axis))
        return fail(QStringLiteral("the tools were not wired"));
    // Only this benchmark hands out replies.
    host.poller()->setPeriod(PollPeriodNeverDue);
    ReRezorInterface* startUp = host.tool(StartUpId);
    host.windowOf(StartUpId)->activateWindow();
    QCoreApplication::processEvents();

    QVector<SpinBox*> boxes;
    for (const char* name : {"spMeasuredVelocity", "spTargetVelocity", "spEncoderPosition"}) {
        auto* box = startUp->findChild<SpinBox*>(QLatin1String(name));
        if (!box || box->sapType() <= 0)
            return fail(QStringLiteral("the start-up page has no live-value box %1").arg(QLatin1String(name)));
        boxes.append(box);
    }
    ReplySource source;
    // By signature, as the host connects it.
    if (!QObject::connect(&source, SIGNAL(reply(Command*)), startUp, SLOT(IN_replyValue(Command*)))) // clazy:exclude=old-style-connect
        return fail(QStringLiteral("the start-up tool has no reply slot"));

    std::vector<Command> replies;
    QVector<int> values;
    QVector<SpinBox*> targets;
    const quint8 address = quint8(stage.module.moduleAddress());

    QVector<double> viaRelay;
    QVector<double> direct;
    QVector<double> ratios; // per batch: both halves ran back to back under the same load
    for (int batch = 0; batch < batches; ++batch) {
        // New values each batch, so that every answer changes its box.
        replies.clear();
        values.clear();
        targets.clear();
        for (int i = 0; i < answers; ++i) {
            SpinBox* box = boxes.at(i % boxes.size());
            const int value = batch * answers + i + 1;
            Command reply(address, Command::GetAxisParameter, quint8(box->sapType()), 0, value);
            reply.setStatus(Command::StatusOk);
            replies.push_back(reply);
            values.append(value);
            targets.append(box);
        }
        for (int turn = 0; turn < 2; ++turn) {
            const bool relayTurn = (turn == 0) == (batch % 2 == 0);
            QCoreApplication::processEvents();
            QElapsedTimer timer;
            timer.start();
            if (relayTurn) {
                for (Command& reply : replies)
                    emit source.reply(&reply);
            } else {
                for (int i = 0; i < answers; ++i)
                    targets.at(i)->setValue(values.at(i));
            }
            const double perAnswer = double(timer.nsecsElapsed()) / answers;
            (relayTurn ? viaRelay : direct).append(perAnswer);
            // A relay that dropped its answers would look fast.
            for (int i = answers - boxes.size(); i < answers; ++i) {
                if (targets.at(i)->intValue() != values.at(i))
                    return fail(QStringLiteral("the answer %1 did not reach its box").arg(values.at(i)));
            }
        }
        ratios.append(viaRelay.last() / direct.last());
    }
    report("relay_ns", BenchCases::median(viaRelay));
    report("paired_ratio", BenchCases::median(ratios));
    report("direct_ns", BenchCases::median(direct));
    report("batches", batches);
    report("answers", answers);
    return 0;
}

int guided()
{
    GuidedCommissioning commissioning;
    commissioning.pluginPath = QStringLiteral(GV7_PLUGIN_PATH);
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!commissioning.run(nullptr, &error))
        return fail(QStringLiteral("the guided run failed: ") + error);
    report("wall_s", double(timer.nsecsElapsed()) / 1e9);
    reportUsage();
    return 0;
}

} // namespace

namespace BenchCases {

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    if (n == 0)
        return 0.0;
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2.0;
}

int run(const QString& name, const QStringList& arguments)
{
    if (name == QLatin1String("startup"))
        return startUp();
    if (name == QLatin1String("startup-parts"))
        return startUpParts();
    if (name == QLatin1String("floor"))
        return formsFloor();
    if (name == QLatin1String("relay"))
        return relay(arguments);
    if (name == QLatin1String("guided"))
        return guided();
    return fail(QStringLiteral("unknown case ") + name);
}

} // namespace BenchCases
