// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up cost, reply relay and the headless guided run of the plug-in, measured side by side
// against their floors in one run; prints a table of medians and ratios.
//
//     gv7bench [--runs N] [--guided-runs N] [--relay-batches N] [--relay-answers N]
//
// Start-up is measured in fresh processes (a plug-in is loaded once per process): gv7bench
// starts itself with --child CASE for every sample and reads the child's figures from its
// standard output.

// The report is formatted once, at the end. clazy:excludeall=qstring-allocations
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QSysInfo>
#include <QThread>
#include <QVector>

#include <algorithm>
#include <cstdio>

#include "benchcases.h"

namespace {

const char ChildOption[] = "--child";
const int ChildTimeoutMs = 120000;

using Figures = QMap<QString, double>;

struct Settings
{
    int runs = 21;
    int guidedRuns = 7;
    int relayBatches = 41;
    int relayAnswers = 3000;
};

// All samples of one case, by figure name.
using Samples = QMap<QString, QVector<double>>;

void add(Samples& samples, const Figures& figures)
{
    for (auto it = figures.begin(); it != figures.end(); ++it)
        samples[it.key()].append(it.value());
}

double median(const Samples& samples, const QString& name)
{
    return BenchCases::median(samples.value(name));
}

double lowest(const Samples& samples, const QString& name)
{
    const QVector<double> values = samples.value(name);
    return values.isEmpty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double highest(const Samples& samples, const QString& name)
{
    const QVector<double> values = samples.value(name);
    return values.isEmpty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

bool runChild(const QString& name, const QStringList& arguments, Figures* figures)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), QStringList{QString::fromLatin1(ChildOption), name} + arguments);
    const bool finished = child.waitForFinished(ChildTimeoutMs);
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        if (!finished)
            child.kill();
        std::fprintf(stderr, "gv7bench: the %s case failed:\n%s%s\n", qPrintable(name), qPrintable(output),
                     child.readAllStandardError().constData());
        return false;
    }
    figures->clear();
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char(' '));
        bool ok = false;
        const double value = parts.value(1).toDouble(&ok);
        if (parts.size() == 2 && ok)
            figures->insert(parts.at(0), value);
    }
    return true;
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

QString machine()
{
    QString model;
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = cpuinfo.readAll().split('\n');
        for (const QByteArray& line : lines) {
            if (line.startsWith("model name")) {
                model = QString::fromLatin1(line.mid(line.indexOf(':') + 1)).trimmed();
                break;
            }
        }
    }
    return QStringLiteral("%1 cores%2, %3")
        .arg(QString::number(QThread::idealThreadCount()),
             model.isEmpty() ? QString() : QStringLiteral(" (") + model + QLatin1Char(')'), QSysInfo::prettyProductName());
}

void row(const char* what, const QString& measured, const QString& reference, double ratio, double target)
{
    const QString ratioText = ratio > 0 ? QStringLiteral("%1x").arg(ratio, 0, 'f', 2) : QString();
    const QString targetText = target > 0 ? QStringLiteral("<= %1x %2").arg(target, 0, 'f', 1)
                                                .arg(ratio <= target ? QStringLiteral("met") : QStringLiteral("MISSED"))
                                          : QString();
    std::printf("%-38s %-14s %-34s %-7s %s\n", what, qPrintable(measured), qPrintable(reference), qPrintable(ratioText),
                qPrintable(targetText));
}

QString fixed(double value, int decimals, const char* unit)
{
    return QString::number(value, 'f', decimals) + QLatin1Char(' ') + QLatin1String(unit);
}

bool parseSettings(const QStringList& arguments, Settings* settings)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments.at(i);
        int* target = nullptr;
        if (option == QLatin1String("--runs"))
            target = &settings->runs;
        else if (option == QLatin1String("--guided-runs"))
            target = &settings->guidedRuns;
        else if (option == QLatin1String("--relay-batches"))
            target = &settings->relayBatches;
        else if (option == QLatin1String("--relay-answers"))
            target = &settings->relayAnswers;
        bool ok = false;
        const int value = arguments.value(i + 1).toInt(&ok);
        if (!target || !ok || value < 1) {
            std::fprintf(stderr, "usage: gv7bench [--runs N] [--guided-runs N] [--relay-batches N] [--relay-answers N]\n");
            return false;
        }
        *target = value;
        ++i;
    }
    return true;
}

int orchestrate(Settings settings)
{
    Samples startUp;
    Samples parts;
    Samples floor;
    Samples relay;
    Samples guided;
    Figures figures;
    const QString loadBefore = loadAverage();

    std::fprintf(stderr, "gv7bench: start-up, %d fresh processes per case ", settings.runs);
    // Interleaved, so that load from elsewhere on the machine falls on every case alike.
    for (int run = 0; run < settings.runs; ++run) {
        const QStringList order = run % 2 ? QStringList{"floor", "startup", "startup-parts"}
                                          : QStringList{"startup", "startup-parts", "floor"};
        for (const QString& name : order) {
            if (!runChild(name, {}, &figures))
                return 1;
            add(name == QLatin1String("startup") ? startUp : name == QLatin1String("floor") ? floor : parts, figures);
        }
        std::fputc('.', stderr);
    }
    std::fprintf(stderr, "\ngv7bench: reply relay, %d batches of %d answers\n", settings.relayBatches,
                 settings.relayAnswers);
    if (!runChild(QStringLiteral("relay"),
                  {QString::number(settings.relayBatches), QString::number(settings.relayAnswers)}, &figures))
        return 1;
    add(relay, figures);
    std::fprintf(stderr, "gv7bench: guided run, %d runs ", settings.guidedRuns);
    for (int run = 0; run < settings.guidedRuns; ++run) {
        if (!runChild(QStringLiteral("guided"), {}, &figures))
            return 1;
        add(guided, figures);
        std::fputc('.', stderr);
    }
    std::fputc('\n', stderr);

    std::printf("Generic V7 benchmarks: medians; %s\n", qPrintable(machine()));
    std::printf("Start-up: %d fresh processes per case; relay: %d batches of %d answers; guided run: %d runs\n",
                settings.runs, settings.relayBatches, settings.relayAnswers, settings.guidedRuns);
    // Wall-clock figures are only as good as the machine was quiet; CPU times move less.
    std::printf("Load average (1, 5, 15 min) before: %s, after: %s\n\n", qPrintable(loadBefore),
                qPrintable(loadAverage()));
    std::printf("%-38s %-14s %-34s %-7s %s\n", "case", "median", "floor (median)", "ratio", "target");
    const double startUpMs = median(startUp, "total_ms");
    const double floorMs = median(floor, "total_ms");
    row("Start-up: load to four tools wired", fixed(startUpMs, 2, "ms"),
        QStringLiteral("four forms on bare widgets ") + fixed(floorMs, 2, "ms"), startUpMs / floorMs, 1.5);
    const double startUpCpu = median(startUp, "total_cpu_ms");
    const double floorCpu = median(floor, "total_cpu_ms");
    row("  the same in CPU time", fixed(startUpCpu, 2, "ms"),
        QStringLiteral("four forms on bare widgets ") + fixed(floorCpu, 2, "ms"), startUpCpu / floorCpu, 0);
    const double shownMs = median(floor, "shown_ms");
    const double shownCpu = median(floor, "shown_cpu_ms");
    row("  against the forms also shown once", fixed(startUpMs, 2, "ms"),
        QStringLiteral("forms in windows, shown ") + fixed(shownMs, 2, "ms"), startUpMs / shownMs, 0);
    row("  the same in CPU time", fixed(startUpCpu, 2, "ms"),
        QStringLiteral("forms in windows, shown ") + fixed(shownCpu, 2, "ms"), startUpCpu / shownCpu, 0);
    const double relayUs = median(relay, "relay_ns") / 1000.0;
    const double directUs = median(relay, "direct_ns") / 1000.0;
    row("Reply relay: one answer to its widget", fixed(relayUs, 3, "us"),
        QStringLiteral("SpinBox::setValue ") + fixed(directUs, 3, "us"), relayUs / directUs, 1.2);
    std::printf("%-38s %-14s %-34s %.2fx\n", "  median of per-batch ratios", "", "", median(relay, "paired_ratio"));
    row("Guided run: CPU time (user+sys)", fixed(median(guided, "cpu_s"), 2, "s"),
        QStringLiteral("wired start-up process ") + fixed(median(startUp, "cpu_s"), 2, "s"), 0, 0);
    row("Guided run: peak memory (max RSS)", fixed(median(guided, "maxrss_kb") / 1024.0, 1, "MiB"),
        QStringLiteral("wired start-up process ") + fixed(median(startUp, "maxrss_kb") / 1024.0, 1, "MiB"), 0, 0);
    row("Guided run: wall time", fixed(median(guided, "wall_s"), 2, "s"), QString(), 0, 0);

    std::printf("\nStart-up spread: %.2f..%.2f ms; floor spread: %.2f..%.2f ms\n", lowest(startUp, "total_ms"),
                highest(startUp, "total_ms"), lowest(floor, "total_ms"), highest(floor, "total_ms"));
    std::printf("Start-up with PluginHost: load %.2f ms, createTools %.2f ms, to wired %.2f ms\n",
                median(startUp, "load_ms"), median(startUp, "create_ms"), median(startUp, "wire_ms"));
    std::printf("\nStart-up step by step (medians, ms)       plug-in   its form (floor)\n");
    std::printf("  dlopen (QPluginLoader::load)          %8.2f\n", median(parts, "dlopen_ms"));
    std::printf("  factory (instance())                  %8.2f\n", median(parts, "instance_ms"));
    const struct
    {
        int id;
        const char* name;
    } tools[] = {{53, "ClosedLoop"}, {52, "EncoderSettings"}, {51, "MotorSettings"}, {50, "Commissioning"}};
    for (const auto& tool : tools) {
        const QString suffix = QStringLiteral("_%1").arg(tool.id);
        std::printf("  tool %d constructor (%-15s) %8.2f   %8.2f\n", tool.id, tool.name,
                    median(parts, QStringLiteral("ctor_ms") + suffix), median(floor, QStringLiteral("form_ms") + suffix));
        if (tool.id == 53)
            std::printf("    of which its picture tool tips (timed alone) %5.2f\n", median(floor, "pictures_ms"));
    }
    std::printf("  host windows (ToolWindow, area)       %8.2f\n", median(parts, "window_ms"));
    for (const auto& tool : tools)
        std::printf("  tool %d first show (showPlugin)       %8.2f\n", tool.id,
                    median(parts, QStringLiteral("show_ms_%1").arg(tool.id)));
    std::printf("  completeness check (event loop)       %8.2f\n", median(parts, "wire_ms"));
    std::printf("  total                                 %8.2f   %8.2f\n", median(parts, "total_ms"), floorMs);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], ChildOption) == 0) {
        QApplication app(argc, argv);
        // As in the workbench: the plug-in's debug lines are for developers (QT_LOGGING_RULES
        // still overrides this).
        QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));
        const QStringList arguments = QCoreApplication::arguments();
        return BenchCases::run(arguments.at(2), arguments.mid(3));
    }
    QCoreApplication app(argc, argv);
    Settings settings;
    if (!parseSettings(QCoreApplication::arguments().mid(1), &settings))
        return 2;
    return orchestrate(settings);
}
