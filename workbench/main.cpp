// The option texts are made once, at start-up. clazy:excludeall=qstring-allocations
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

#include "guidedrun.h"
#include "mainwindow.h"
#include "pluginhost.h"
#include "simulatedmodule.h"
#include "toolwindow.h"

namespace {

struct Options
{
    QString pluginPath;
    int pollMs = 100;
    int encoderResolution = -1; // negative: the simulator's own; 0: an encoder without signal
    bool encoderReversed = false;
    QString firmware;
    double timeScale = 1.0;
    QString screenshot;
    QList<int> open;
    bool autoRun = false;
    bool verbose = false;
    QString screenshots;
};

void printError(const QString& text)
{
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << text << Qt::endl;
}

// QGuiApplication takes "-plugin"/"--plugin" as its own option (a generic input plug-in), so
// ours is taken out of the arguments before the application sees them.
QStringList takePluginOption(int& argc, char* argv[])
{
    QStringList values;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if ((arg == "--plugin" || arg == "-plugin") && i + 1 < argc) {
            values.append(QString::fromLocal8Bit(argv[++i]));
            continue;
        }
        if (arg.startsWith("--plugin=") || arg.startsWith("-plugin=")) {
            values.append(QString::fromLocal8Bit(arg.mid(arg.indexOf('=') + 1)));
            continue;
        }
        argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return values;
}

// Parses the command line; false (with a message already printed) on a bad value.
bool parseOptions(const QCoreApplication& app, const QStringList& pluginValues, Options& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "Hosts the tools plug-in with a simulated module."));
    parser.addHelpOption();
    const QCommandLineOption plugin("plugin", QCoreApplication::translate("main", "Plug-in library to load."), "PATH",
                                    QStringLiteral(GV7_PLUGIN_PATH));
    const QCommandLineOption pollMs("poll-ms", QCoreApplication::translate("main", "Polling period in milliseconds."),
                                    "N", "100");
    const QCommandLineOption resolution("encoder-resolution",
                                        QCoreApplication::translate("main", "True encoder counts per revolution."), "N");
    const QCommandLineOption reversed("encoder-reversed",
                                      QCoreApplication::translate("main", "The encoder counts against the shaft."));
    const QCommandLineOption firmware("firmware", QCoreApplication::translate("main", "Module type the firmware reports."),
                                      "NAME");
    const QCommandLineOption timeScale("time-scale",
                                       QCoreApplication::translate("main", "Simulated time runs F times as fast."), "F");
    QCommandLineOption screenshot("screenshot", "Save a picture of the window after start-up and quit.", "FILE");
    screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption open("open", "Open the tool with this sub-widget id after start-up.", "ID");
    open.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption autoRun(
        "auto", QCoreApplication::translate("main", "Run the guided commissioning headless and print each step; "
                                                    "exit 0 only when the closed loop ends ready."));
    const QCommandLineOption screenshots(
        "screenshots", QCoreApplication::translate("main", "With --auto: save a picture of each page into DIR."), "DIR");
    const QCommandLineOption verbose("verbose", QCoreApplication::translate("main", "Show the plug-in's debug lines."));
    parser.addOptions({plugin, pollMs, resolution, reversed, firmware, timeScale, screenshot, open, autoRun, screenshots,
                       verbose});
    parser.process(app);

    options.pluginPath = pluginValues.isEmpty() ? parser.value(plugin) : pluginValues.last();
    bool ok = true;
    options.pollMs = parser.value(pollMs).toInt(&ok);
    if (!ok || options.pollMs < 1) {
        printError(QStringLiteral("--poll-ms needs a positive number of milliseconds"));
        return false;
    }
    if (parser.isSet(resolution)) {
        options.encoderResolution = parser.value(resolution).toInt(&ok);
        if (!ok || options.encoderResolution < 0) {
            printError(QStringLiteral("--encoder-resolution needs a number of counts (0: no signal)"));
            return false;
        }
    }
    options.encoderReversed = parser.isSet(reversed);
    options.firmware = parser.value(firmware);
    if (parser.isSet(timeScale)) {
        options.timeScale = parser.value(timeScale).toDouble(&ok);
        if (!ok || options.timeScale <= 0) {
            printError(QStringLiteral("--time-scale needs a positive factor"));
            return false;
        }
    }
    options.screenshot = parser.value(screenshot);
    options.autoRun = parser.isSet(autoRun);
    options.verbose = parser.isSet(verbose);
    options.screenshots = parser.value(screenshots);
    const QStringList ids = parser.values(open);
    for (const QString& id : ids) {
        options.open.append(id.toInt(&ok));
        if (!ok) {
            printError(QStringLiteral("--open needs a sub-widget id"));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList pluginValues = takePluginOption(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("workbench"));

    Options options;
    if (!parseOptions(app, pluginValues, options))
        return 2;
    // The plug-in's debug lines are for developers; QT_LOGGING_RULES still overrides this.
    if (!options.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));

    MainWindow window;
    if (!window.loadPlugin(options.pluginPath)) {
        printError(QStringLiteral("cannot load the plug-in %1: %2").arg(options.pluginPath, window.errorString()));
        return 1;
    }
    SimulatedModule* module = window.module();
    module->setTimeScale(options.timeScale);
    if (options.encoderResolution >= 0)
        window.setEncoderResolution(options.encoderResolution);
    window.setEncoderReversed(options.encoderReversed);
    if (!options.firmware.isEmpty())
        window.setFirmwareName(options.firmware);
    window.setPollPeriod(options.pollMs);

    // The tools size their windows against the visible area.
    window.show();
    window.createTools();
    // Opened from the event loop, after the tools have found each other.
    QTimer::singleShot(0, &window, [&window, ids = options.open]() {
        for (int id : ids) {
            if (ToolWindow* toolWindow = window.pluginHost()->windowOf(id))
                toolWindow->activateWindow();
            else
                printError(QStringLiteral("there is no tool with sub-widget id %1").arg(id));
        }
    });

    if (options.autoRun) {
        // From the event loop, once the tools have found each other.
        QTimer::singleShot(0, &window, [&window, module, dir = options.screenshots]() {
            QTextStream out(stdout);
            GuidedRun run(window.pluginHost(), module, &out);
            run.setScreenshotDirectory(dir);
            if (run.run()) {
                QCoreApplication::exit(0);
                return;
            }
            printError(QStringLiteral("the guided commissioning failed: %1").arg(run.errorString()));
            QCoreApplication::exit(1);
        });
        return app.exec();
    }

    if (!options.screenshot.isEmpty()) {
        const QString file = options.screenshot;
        QTimer::singleShot(500, &window, [&window, file]() {
            if (!window.grab().save(file)) {
                printError(QStringLiteral("cannot write %1").arg(file));
                QCoreApplication::exit(1);
                return;
            }
            QCoreApplication::quit();
        });
    }
    return app.exec();
}
