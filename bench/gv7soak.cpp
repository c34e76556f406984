// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Soak run: a day of polling with the Start Up window open, on the simulated module's manual
// clock. Every 100 ms of simulated time the module advances and the host polls once (10 Hz);
// every simulated minute the axis is switched through the page's axis box, every ten seconds
// the motion test starts a move (alternately forwards and back).
//
//     gv7soak [--hours H]      (default 24)
//
// Prints the trace counts and the resident memory after the first simulated hour, at every
// further hour and at the end, then the growth since hour 1. Exits 1 when the traces grew or
// the resident memory grew by 1 MiB or more.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QMdiArea>
#include <cstdio>
#include <unistd.h>

#include "pluginhost.h"
#include "rerezorinterface.h"
#include "simulatedmodule.h"
#include "toolwindow.h"
#include "tracepoller.h"

namespace {

const int StartUpId = 50;
const int StepMs = 100;
const int StepsPerSecond = 1000 / StepMs;
const int StepsPerMinute = 60 * StepsPerSecond;
const int StepsPerHour = 60 * StepsPerMinute;
const int MoveEverySteps = 10 * StepsPerSecond;
// Painting and deferred deletions run once per simulated second, not at every poll.
const int EventsEverySteps = StepsPerSecond;

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

struct Sample
{
    int active = 0;
    int added = 0;
    int deleted = 0;
    qint64 resident = 0;
};

Sample sample(const TracePoller* poller)
{
    return {poller->activeTraces(), poller->tracesAdded(), poller->tracesDeleted(), residentBytes()};
}

void print(int hour, const Sample& s, double wallSeconds)
{
    std::printf("hour %2d: traces active %d, added %d, deleted %d, outstanding %d; resident %.2f MiB; wall %.0f s\n",
                hour, s.active, s.added, s.deleted, s.added - s.deleted - s.active, s.resident / 1048576.0,
                wallSeconds);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));
    int hours = 24;
    const QStringList arguments = app.arguments();
    const int hoursAt = arguments.indexOf(QStringLiteral("--hours"));
    if (hoursAt > 0 && hoursAt + 1 < arguments.size())
        hours = arguments.at(hoursAt + 1).toInt();
    if (hours < 1) {
        std::fprintf(stderr, "usage: gv7soak [--hours H], H at least 1\n");
        return 2;
    }

    QMdiArea area;
    area.resize(1400, 900);
    area.show();
    SimulatedModule module;
    module.setManualClock(true);
    PluginHost host;
    if (!host.load(QStringLiteral(GV7_PLUGIN_PATH))) {
        std::fprintf(stderr, "cannot load the plug-in: %s\n", qPrintable(host.errorString()));
        return 2;
    }
    if (host.createTools(&module, &area, QStringLiteral("module1")).size() != 4) {
        std::fprintf(stderr, "the plug-in did not make its four tools\n");
        return 2;
    }
    // The polls are driven here, one per simulated step; the poller's own timer stays out of it.
    TracePoller* poller = host.poller();
    poller->setPeriod(24 * 3600 * 1000);
    ToolWindow* window = host.windowOf(StartUpId);
    ReRezorInterface* startUp = host.tool(StartUpId);
    window->activateWindow();
    app.processEvents();
    auto* axis = startUp->findChild<QComboBox*>(QStringLiteral("cmbAxisNumber"));
    auto* start = startUp->findChild<QAbstractButton*>(QStringLiteral("btnStart"));
    auto* changeSign = startUp->findChild<QAbstractButton*>(QStringLiteral("btnChangeSign"));
    if (!axis || axis->count() < 2 || !start || !changeSign || poller->activeTraces() == 0) {
        std::fprintf(stderr, "the Start Up window is not polling or lacks its controls\n");
        return 2;
    }

    QElapsedTimer wall;
    wall.start();
    Sample first;
    qint64 movingPolls = 0; // polls that found the selected axis turning: the moves really run
    const qint64 steps = qint64(hours) * StepsPerHour;
    for (qint64 step = 1; step <= steps; ++step) {
        module.advance(StepMs);
        poller->pollOnce();
        movingPolls += module.getAxisParameter(3, quint8(axis->currentIndex())) != 0;
        if (step % StepsPerMinute == 0)
            axis->setCurrentIndex((axis->currentIndex() + 1) % axis->count());
        if (step % MoveEverySteps == 0) {
            changeSign->click();
            start->click();
        }
        if (step % EventsEverySteps == 0)
            app.processEvents();
        if (step % StepsPerHour == 0) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const Sample now = sample(poller);
            if (step == StepsPerHour)
                first = now;
            print(int(step / StepsPerHour), now, wall.elapsed() / 1000.0);
        }
    }

    const Sample last = sample(poller);
    // Traces the poller holds, and traces it was given but neither holds nor deleted.
    const int traceGrowth = (last.active - first.active)
                            + ((last.added - last.deleted - last.active) - (first.added - first.deleted - first.active));
    const double residentGrowth = (last.resident - first.resident) / 1048576.0;
    std::printf("\n%d simulated hours, %lld polls (%d replies delivered, %lld with the axis turning), %d axis switches, "
                "%lld moves, %.0f s wall time\n",
                hours, static_cast<long long>(steps), poller->repliesDelivered(), static_cast<long long>(movingPolls),
                int(steps / StepsPerMinute), static_cast<long long>(steps / MoveEverySteps), wall.elapsed() / 1000.0);
    std::printf("growth after hour 1: trace objects %+d (active %d -> %d, not handed back %d -> %d), "
                "resident memory %+.3f MiB\n",
                traceGrowth, first.active, last.active, first.added - first.deleted - first.active,
                last.added - last.deleted - last.active, residentGrowth);
    const bool ok = traceGrowth == 0 && residentGrowth < 1.0;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
