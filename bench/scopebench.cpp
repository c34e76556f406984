// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// CPU cost of the scope: the workbench with the Start Up window open, polling, and the motor
// moving, once with the scope open and recording the drive's signals at 1 kHz and once
// without, each in a fresh process; prints the medians and their ratio, and how far the
// simulation kept up with real time (simulated ms per wall ms, and the lag at the end).
//
//     scopebench [--runs N] [--seconds S] [--poll-ms N] [--window-s W]
//
// The platform is offscreen unless QT_QPA_PLATFORM says otherwise. Each child measures its own
// CPU time (getrusage, user + system) over S seconds of the event loop after a warm-up, and
// prints it as "name value" lines.
// The report is formatted once, at the end. clazy:excludeall=qstring-allocations

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QMap>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <QVector>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

#include "mainwindow.h"
#include "pluginhost.h"
#include "scoperecorder.h"
#include "scopewindow.h"
#include "simulatedmodule.h"
#include "toolwindow.h"
#include "tracepoller.h"

namespace {

const int WarmUpMs = 2000;

struct Settings
{
    int runs = 3;
    int seconds = 5;
    int pollMs = 100;
    int windowSeconds = 10;
};

double cpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](timeval t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void runEventLoop(int milliseconds)
{
    QTimer::singleShot(milliseconds, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

int child(bool withScope, Settings settings)
{
    MainWindow window;
    if (!window.loadPlugin(QStringLiteral(GV7_PLUGIN_PATH))) {
        std::fprintf(stderr, "scopebench: %s\n", qPrintable(window.errorString()));
        return 1;
    }
    window.setPollPeriod(settings.pollMs);
    window.show();
    window.createTools();
    runEventLoop(0); // the tools find each other
    window.pluginHost()->windowOf(50)->activateWindow();
    if (withScope) {
        window.openScope();
        window.scope()->recorder()->setWindowLength(settings.windowSeconds * 1000);
    }
    // A long move, so that every value changes all the time.
    window.module()->setAxisParameter(0, 0, 1 << 30);
    runEventLoop(WarmUpMs);

    TracePoller* poller = window.pluginHost()->poller();
    const int replies = poller->repliesDelivered();
    SimulatedModule* module = window.module();
    module->synchronise();
    const qint64 simulated = module->drive()->time();
    const double cpu = cpuMilliseconds();
    QElapsedTimer wall;
    wall.start();
    runEventLoop(settings.seconds * 1000);
    const double cpuUsed = cpuMilliseconds() - cpu;
    const double wallUsed = double(wall.elapsed());
    // Where the drive got to with the last poll, against the clock it follows.
    const qint64 reached = module->drive()->time();
    const qint64 lag = module->now() - reached;

    QTextStream out(stdout);
    out << "cpu_ms " << cpuUsed << "\nwall_ms " << wallUsed << "\nsim_ms " << reached - simulated << "\nlag_ms " << lag
        << "\nreplies " << poller->repliesDelivered() - replies
        << "\nsamples " << (window.scope() ? window.scope()->recorder()->sampleCount() : 0) << '\n';
    return 0;
}

QMap<QString, double> runChild(const QString& which, const QStringList& arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child"), which} + arguments);
    QMap<QString, double> figures;
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        std::fprintf(stderr, "scopebench: the %s run failed: %s\n", qPrintable(which),
                     process.readAllStandardError().constData());
        return figures;
    }
    const QStringList lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n');
    for (const QString& line : lines) {
        const QStringList parts = line.split(' ');
        if (parts.size() == 2)
            figures.insert(parts[0], parts[1].toDouble());
    }
    return figures;
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    // Offscreen unless a platform is chosen (under Xvfb, say); the children inherit it.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));
    Settings settings;
    QString childCase;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        bool ok = true;
        const QString& name = args[i];
        const QString& value = args[i + 1];
        if (name == QLatin1String("--child"))
            childCase = value;
        else if (name == QLatin1String("--runs"))
            settings.runs = value.toInt(&ok);
        else if (name == QLatin1String("--seconds"))
            settings.seconds = value.toInt(&ok);
        else if (name == QLatin1String("--poll-ms"))
            settings.pollMs = value.toInt(&ok);
        else if (name == QLatin1String("--window-s"))
            settings.windowSeconds = value.toInt(&ok);
        else
            ok = false;
        if (!ok || (name != QLatin1String("--child") && value.toInt() < 1)) {
            std::fprintf(stderr, "usage: scopebench [--runs N] [--seconds S] [--poll-ms N] [--window-s W]\n");
            return 2;
        }
    }
    if (!childCase.isEmpty())
        return child(childCase == QLatin1String("with"), settings);

    const QStringList forward{"--seconds", QString::number(settings.seconds), "--poll-ms",
                              QString::number(settings.pollMs), "--window-s", QString::number(settings.windowSeconds)};
    QMap<QString, QVector<double>> load; // % of one core, by case
    const QStringList cases = {QStringLiteral("without"), QStringLiteral("with")};
    double samples = 0;
    for (int run = 0; run < settings.runs; ++run) {
        for (const QString& which : cases) {
            const QMap<QString, double> figures = runChild(which, forward);
            if (figures.isEmpty())
                return 1;
            load[which].append(100.0 * figures.value("cpu_ms") / figures.value("wall_ms"));
            if (which == QLatin1String("with"))
                samples = figures.value("samples");
            std::printf("run %d %-7s %.2f %% of one core (%.0f ms CPU in %.0f ms, %.0f replies); simulation %.0f ms "
                        "in %.0f ms of wall time, %.0f ms behind its clock at the end\n",
                        run + 1, qPrintable(which), load[which].last(), figures.value("cpu_ms"), figures.value("wall_ms"),
                        figures.value("replies"), figures.value("sim_ms"), figures.value("wall_ms"), figures.value("lag_ms"));
            std::fflush(stdout);
        }
    }
    const double with = median(load["with"]);
    const double without = median(load["without"]);
    std::printf("\npolling every %d ms, %d s per run, scope window %d s, %d runs each (medians):\n", settings.pollMs,
                settings.seconds, settings.windowSeconds, settings.runs);
    std::printf("  without the scope: %.2f %% of one core\n", without);
    std::printf("  with the scope:    %.2f %% of one core (%.0f samples recorded)\n", with, samples);
    std::printf("  ratio:             %.2fx; the scope adds %.2f %% of one core (target: under 3 %% in all)\n",
                without > 0 ? with / without : 0.0, with - without);
    return 0;
}
