// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The option texts are made once, at start-up. clazy:excludeall=qstring-allocations
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QIcon>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QPixmap>
#include <QSettings>
#include <QTextStream>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <memory>

#include "commissioningreport.h"
#include "comparisonview.h"
#include "guidedrun.h"
#include "mainwindow.h"
#include "modulesettings.h"
#include "motorvalues.h"
#include "pluginhost.h"
#include "pluginlocation.h"
#include "presetcomparison.h"
#include "programcommands.h"
#include "simulatedmodule.h"
#include "toolsinterface.h"
#include "toolwindow.h"
#include "tuningrun.h"
#include "windowlayout.h"
#include "translations.h"

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
    bool scope = false;
    QString screenshots;
    double loadPercent = -1.0;   // negative: the simulator's own
    double holdingTorque = -1.0; // N m
    double inertia = -1.0;       // kg m^2
    bool compareOpenLoop = false;
    bool comparePresets = false;
    bool tune = false;
    QString comparePicture;
    QList<QPair<QString, double>> motorValues; // key and value, as given
    QString saveProgram;
    QString applyProgram;
    QString checkProgram;
    QString report;
    QList<int> axes; // empty: the axes the program names
};

const char* const PluginCatalogue = "genericv7";

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

// Runs that show no window (the headless ones, help and version) work without a display: unless
// a platform was chosen, they get the offscreen one, which has to be set before the application
// is made. So does any run on a machine without a display, so that its options are still
// checked and it can say why it shows no window; returns false then.
bool chooseHeadlessPlatform(int argc, char* argv[])
{
    static const char* const headless[] = {"--auto", "--apply-program", "--check-program", "--help",
                                           "--help-all", "-h", "-?", "--version", "-v"};
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    bool windowless = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        const QByteArray name = arg.split('=').constFirst();
        if (name == "-platform" || name == "--platform")
            return true;
        for (const char* option : headless)
            windowless = windowless || name == option;
    }
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (windowless || !display)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return windowless || display;
}

// The value of --lang, read before the command line is parsed so that its help is already in
// the chosen language; the parser checks the option again.
QString languageArgument(const QStringList& arguments)
{
    QString language;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--lang") && i + 1 < arguments.size())
            language = arguments.at(++i);
        else if (arg.startsWith(QLatin1String("--lang=")))
            language = arg.mid(7);
    }
    return language;
}

// Parses the command line; false (with a message already printed) on a bad value.
bool parseOptions(const QCoreApplication& app, const QStringList& pluginValues, Options& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "Hosts the tools plug-in with a simulated module."));
    parser.addHelpOption();
    parser.addVersionOption();
    const PluginLocation location(QStringLiteral(GV7_BUILD_BINARY_DIR), QStringLiteral(GV7_PLUGIN_PATH),
                                  QStringLiteral(GV7_PLUGIN_RELATIVE_PATH));
    const QCommandLineOption plugin("plugin", QCoreApplication::translate("main", "Plug-in library to load."), "PATH",
                                    location.defaultPath(QCoreApplication::applicationDirPath()));
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
    const QCommandLineOption lang("lang", QCoreApplication::translate("main", "Language of the user interface: de or en "
                                                                              "(default: the system's)."),
                                  "LANG");
    const QCommandLineOption scope("scope", QCoreApplication::translate("main", "Open the scope after start-up."));
    const QCommandLineOption saveProgram(
        "save-program", QCoreApplication::translate("main", "With --auto: save the setup program to FILE."), "FILE");
    const QCommandLineOption report(
        "report", QCoreApplication::translate("main", "With --auto: write a JSON commissioning report to FILE."), "FILE");
    const QCommandLineOption applyProgram(
        "apply-program", QCoreApplication::translate("main", "Apply the setup program in FILE to the axes."), "FILE");
    const QCommandLineOption checkProgram(
        "check-program",
        QCoreApplication::translate("main", "Compare the axes with the setup program in FILE; exit 1 on a difference, "
                                            "2 when the program cannot be used."),
        "FILE");
    const QCommandLineOption axes(
        "axes",
        QCoreApplication::translate("main", "Move a program that addresses one axis to these axes for --apply-program "
                                            "and --check-program (default: the axes the program names)."),
        "LIST");
    parser.addOptions({plugin, pollMs, resolution, reversed, firmware, timeScale, screenshot, open, autoRun, screenshots,
                       verbose, saveProgram, report, applyProgram, checkProgram, axes, scope, lang});

    const QCommandLineOption load(
        "load", QCoreApplication::translate("main", "Friction load on the motor, against the motion, in percent of its holding torque."),
        "PERCENT");
    const QCommandLineOption holdingTorque(
        "holding-torque", QCoreApplication::translate("main", "Holding torque of the motor at the maximum current."), "NM");
    const QCommandLineOption inertia(
        "inertia", QCoreApplication::translate("main", "Inertia of the rotor."), "KGM2");
    const QCommandLineOption compareOpenLoop(
        "compare-open-loop",
        QCoreApplication::translate("main", "With --auto: run the motion test in open loop before the closed loop as well."));
    parser.addOptions({load, holdingTorque, inertia, compareOpenLoop});
    const QCommandLineOption comparePresets(
        "compare-presets", QCoreApplication::translate("main", "After the guided commissioning (implies --auto): compare the "
                                                               "closed-loop presets on axis 0 with a test move and print the table."));
    const QCommandLineOption comparePicture(
        "compare-picture", QCoreApplication::translate("main", "With --compare-presets: save the comparison as shown by the scope."),
        "FILE");
    const QCommandLineOption tune(
        "tune", QCoreApplication::translate("main", "After the guided commissioning (implies --auto): measure axis 0's "
                                                    "closed loop on a copy and print the tuner's proposal."));
    parser.addOptions({comparePresets, comparePicture, tune});
    QList<QCommandLineOption> motorOptions;
    for (int i = 0; i < MotorValues::count(); ++i) {
        const MotorValue& row = MotorValues::rows()[i];
        motorOptions.append(QCommandLineOption(QLatin1String(row.option), QCoreApplication::translate("main", row.description),
                                               QLatin1String(row.valueName)));
    }
    parser.addOptions(motorOptions);
    // An unknown option or a missing value is an unusable command line (exit 2), like a bad value;
    // process() would exit 1. It still answers --help and --version.
    if (!parser.parse(QCoreApplication::arguments())) {
        printError(parser.errorText());
        return false;
    }
    parser.process(app);

    options.pluginPath = pluginValues.isEmpty() ? parser.value(plugin) : pluginValues.last();
    bool ok = true;
    options.pollMs = parser.value(pollMs).toInt(&ok);
    if (!ok || options.pollMs < 1) {
        printError(QCoreApplication::translate("main", "--poll-ms needs a positive number of milliseconds"));
        return false;
    }
    if (parser.isSet(resolution)) {
        options.encoderResolution = parser.value(resolution).toInt(&ok);
        if (!ok || options.encoderResolution < 0) {
            printError(QCoreApplication::translate("main", "--encoder-resolution needs a number of counts (0: no signal)"));
            return false;
        }
    }
    options.encoderReversed = parser.isSet(reversed);
    options.firmware = parser.value(firmware);
    if (parser.isSet(timeScale)) {
        options.timeScale = parser.value(timeScale).toDouble(&ok);
        if (!ok || options.timeScale <= 0) {
            printError(QCoreApplication::translate("main", "--time-scale needs a positive factor"));
            return false;
        }
    }
    // A number within (minimum, maximum], or from minimum on when it may equal it.
    auto number = [&](const QCommandLineOption& option, double minimum, bool minimumAllowed, double maximum,
                      const QString& message, double* value) {
        if (!parser.isSet(option))
            return true;
        bool valid = false;
        *value = parser.value(option).toDouble(&valid);
        valid = valid && std::isfinite(*value) && (minimumAllowed ? *value >= minimum : *value > minimum)
                && *value <= maximum;
        if (!valid)
            printError(message);
        return valid;
    };
    if (!number(load, 0.0, true, 1000.0, QCoreApplication::translate("main", "--load needs a percentage of the holding torque from 0 to 1000"),
                &options.loadPercent)
        || !number(holdingTorque, 0.0, false, 1000.0,
                   QCoreApplication::translate("main", "--holding-torque needs a torque in N m above 0, at most 1000"), &options.holdingTorque)
        || !number(inertia, 0.0, false, 10.0, QCoreApplication::translate("main", "--inertia needs an inertia in kg m^2 above 0, at most 10"),
                   &options.inertia))
        return false;
    for (int i = 0; i < MotorValues::count(); ++i) {
        const MotorValue& row = MotorValues::rows()[i];
        if (!parser.isSet(motorOptions.at(i)))
            continue;
        const double value = parser.value(motorOptions.at(i)).toDouble(&ok);
        if (!ok || !row.accepts(value)) {
            printError(row.optionMessage());
            return false;
        }
        options.motorValues.append({QLatin1String(row.key), value});
    }
    options.compareOpenLoop = parser.isSet(compareOpenLoop);
    options.comparePresets = parser.isSet(comparePresets) || parser.isSet(comparePicture);
    options.comparePicture = parser.value(comparePicture);
    options.screenshot = parser.value(screenshot);
    options.tune = parser.isSet(tune);
    options.autoRun = parser.isSet(autoRun) || options.comparePresets || options.tune;
    options.verbose = parser.isSet(verbose);
    options.scope = parser.isSet(scope);
    options.screenshots = parser.value(screenshots);
    options.saveProgram = parser.value(saveProgram);
    options.report = parser.value(report);
    options.applyProgram = parser.value(applyProgram);
    options.checkProgram = parser.value(checkProgram);
    if ((parser.isSet(saveProgram) || parser.isSet(report)) && !options.autoRun) {
        printError(QCoreApplication::translate("main", "--save-program and --report need --auto"));
        return false;
    }
    if (parser.isSet(axes)) {
        const QStringList axisList = parser.value(axes).split(QLatin1Char(','));
        for (const QString& axis : axisList) {
            options.axes.append(axis.trimmed().toInt(&ok));
            if (!ok || options.axes.last() < 0 || options.axes.last() >= SimulatedDrive::AxisCount) {
                printError(QCoreApplication::translate("main", "--axes needs axis numbers from 0 to %1, separated by "
                                                               "commas: '%2' is not one")
                               .arg(QString::number(SimulatedDrive::AxisCount - 1), axis.left(40)));
                return false;
            }
        }
    }
    const QStringList ids = parser.values(open);
    for (const QString& id : ids) {
        options.open.append(id.toInt(&ok));
        if (!ok) {
            printError(QCoreApplication::translate("main", "--open needs a sub-widget id"));
            return false;
        }
    }
    return true;
}

// The preset comparison after the guided commissioning: prints its table, adds it to the report
// under "presetComparison" and saves its picture on request.
bool comparePresets(SimulatedModule* module, const Options& options, QJsonObject* report)
{
    PresetComparison comparison(module, 0);
    if (!comparison.run()) {
        printError(comparison.errorString());
        return false;
    }
    QTextStream(stdout) << comparison.table() << Qt::flush;
    report->insert(QStringLiteral("presetComparison"), comparison.toJson());
    if (options.comparePicture.isEmpty())
        return true;
    ComparisonView view(comparison);
    view.show();
    QCoreApplication::processEvents();
    QString error;
    if (!view.savePicture(options.comparePicture, &error)) {
        printError(error);
        return false;
    }
    return true;
}

// Versions and settings the commissioning report records besides the run itself.
CommissioningReport::Context reportContext(MainWindow& window, const QDateTime& started, qint64 wallMilliseconds)
{
    CommissioningReport::Context context;
    context.workbenchVersion = QStringLiteral(GV7_VERSION);
    if (ToolsInterface* factory = window.pluginHost()->factory())
        context.pluginVersion = factory->versionText();
    context.pollMilliseconds = window.pollPeriod();
    context.started = started;
    context.wallMilliseconds = wallMilliseconds;
    return context;
}

// The guided commissioning with its program and report; the exit code. The output files are
// tried first, so that a bad path costs no run.
int runGuided(MainWindow& window, SimulatedModule* module, const Options& options, QTextStream& out)
{
    QString error;
    for (const QString& path : {options.report, options.saveProgram, options.comparePicture}) {
        if (!path.isEmpty() && !ProgramCommands::isWritable(path, &error)) {
            printError(error);
            return ProgramCommands::Unusable;
        }
    }
    const QDateTime started = QDateTime::currentDateTime();
    QElapsedTimer wall;
    wall.start();
    GuidedRun run(window.pluginHost(), module, &out);
    run.setScreenshotDirectory(options.screenshots);
    run.setCompareOpenLoop(options.compareOpenLoop);
    const bool ready = run.run();
    const QString program = ProgramCommands::programFromHistory(run.setupProgram(), run.closedLoopActivated());
    QJsonObject report =
        CommissioningReport::build(run, module, ready, program, reportContext(window, started, wall.elapsed()));
    const bool compared = (!ready || !options.comparePresets || comparePresets(module, options, &report))
                          && (!ready || !options.tune || TuningRun::commandLine(*module->drive(), 0, out, &report));
    if (!options.report.isEmpty() && !CommissioningReport::save(options.report, report, &error)) {
        printError(error);
        return ProgramCommands::Failed;
    }
    if (!compared)
        return ProgramCommands::Failed;
    if (!ready) {
        printError(QCoreApplication::translate("main", "the guided commissioning failed: %1").arg(run.errorString()));
        return ProgramCommands::Failed;
    }
    if (!options.saveProgram.isEmpty()) {
        if (!ProgramCommands::save(options.saveProgram, program, &error)) {
            printError(error);
            return ProgramCommands::Failed;
        }
        out << QCoreApplication::translate("main", "Setup program saved to %1").arg(options.saveProgram) << Qt::endl;
    }
    return ProgramCommands::Done;
}

// The guided commissioning with its program and report, then applying and checking setup
// programs, in that order; the exit code of the first that does not succeed.
int runHeadless(MainWindow& window, SimulatedModule* module, const Options& options)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    ProgramCommands commands(module, &out, &err);
    if (options.autoRun) {
        // The programs to apply and check afterwards are read first, so a bad one costs no run.
        for (const QString& path : {options.applyProgram, options.checkProgram}) {
            if (!path.isEmpty() && !commands.isUsable(path, options.axes))
                return ProgramCommands::Unusable;
        }
        const int code = runGuided(window, module, options, out);
        if (code != ProgramCommands::Done)
            return code;
    }
    // Loops in a program wait on the module's clock, which then runs only as they wait.
    module->setManualClock(true);
    commands.setWait(ProgramCommands::waitFor(module));
    if (!options.applyProgram.isEmpty()) {
        const ProgramCommands::Outcome applied = commands.apply(options.applyProgram, options.axes);
        if (applied != ProgramCommands::Done)
            return applied;
    }
    if (!options.checkProgram.isEmpty()) {
        const ProgramCommands::Outcome checked = commands.check(options.checkProgram, options.axes);
        if (checked == ProgramCommands::Failed)
            printError(QCoreApplication::translate("main", "the module does not match %1").arg(options.checkProgram));
        return checked;
    }
    return ProgramCommands::Done;
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList pluginValues = takePluginOption(argc, argv);
    const bool canShowWindows = chooseHeadlessPlatform(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("workbench"));
    QApplication::setOrganizationName(QStringLiteral("GenericV7"));
    QApplication::setApplicationVersion(QStringLiteral(GV7_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("generic-v7-workbench"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/workbench/icon.svg")));

    Translations translations;
    if (!translations.setLanguage(languageArgument(QCoreApplication::arguments()))) {
        printError(translations.errorString());
        return 2;
    }
    translations.installApplication();

    Options options;
    if (!parseOptions(app, pluginValues, options))
        return 2;
    const bool headless = options.autoRun || !options.applyProgram.isEmpty() || !options.checkProgram.isEmpty();
    if (!headless && options.screenshot.isEmpty() && !canShowWindows) {
        printError(QCoreApplication::translate("main", "no display to show the workbench on (DISPLAY is not set): "
                                                       "start it under xvfb-run, or run it headless with --auto"));
        return 1;
    }
    // The plug-in's debug lines are for developers; QT_LOGGING_RULES still overrides this.
    if (!options.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));

    MainWindow window;
    if (!window.loadPlugin(options.pluginPath)) {
        printError(QCoreApplication::translate("main", "cannot load the plug-in %1: %2")
                       .arg(options.pluginPath, window.errorString()));
        return 1;
    }
    // The pages take their texts when the tools are made.
    translations.installPlugin(QString::fromLatin1(PluginCatalogue));
    const QStringList missing = translations.missing();
    for (const QString& note : missing)
        printError(note);
    // Interactive runs remember the layout and the Module menu; a scripted run (--auto,
    // --screenshot, --apply-program, --check-program) depends on its command line only and
    // leaves the saved settings alone.
    std::unique_ptr<QSettings> settings;
    if (!headless && options.screenshot.isEmpty()) {
        settings = std::make_unique<QSettings>();
        ModuleSettings::restore(window, *settings);
        window.windowLayout()->load(*settings);
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window, &settings]() {
            ModuleSettings::save(window, *settings);
            window.windowLayout()->save(*settings);
        });
    }
    // What the command line says wins over what was saved.
    SimulatedModule* module = window.module();
    module->setTimeScale(options.timeScale);
    if (options.encoderResolution >= 0)
        window.setEncoderResolution(options.encoderResolution);
    if (options.encoderReversed)
        window.setEncoderReversed(true);
    if (!options.firmware.isEmpty())
        window.setFirmwareName(options.firmware);
    window.setPollPeriod(options.pollMs);
    if (options.holdingTorque > 0)
        window.setHoldingTorque(options.holdingTorque);
    if (options.inertia > 0)
        window.setInertia(options.inertia);
    if (options.loadPercent >= 0)
        window.setLoadPercent(options.loadPercent);
    for (const auto& value : qAsConst(options.motorValues))
        window.setMotorValue(value.first, value.second);

    // The tools size their windows against the visible area.
    window.show();
    window.createTools();
    // Opened from the event loop, after the tools have found each other.
    QTimer::singleShot(0, &window, [&window, ids = options.open, scope = options.scope]() {
        for (int id : ids) {
            if (ToolWindow* toolWindow = window.pluginHost()->windowOf(id))
                toolWindow->activateWindow();
            else
                printError(QCoreApplication::translate("main", "there is no tool with sub-widget id %1").arg(id));
        }
        if (scope)
            window.openScope();
    });

    if (headless) {
        // From the event loop, once the tools have found each other.
        QTimer::singleShot(0, &window, [&window, module, &options]() {
            QCoreApplication::exit(runHeadless(window, module, options));
        });
        return app.exec();
    }

    if (!options.screenshot.isEmpty()) {
        const QString file = options.screenshot;
        QTimer::singleShot(500, &window, [&window, file]() {
            if (!window.grab().save(file)) {
                printError(QCoreApplication::translate("main", "cannot write %1").arg(file));
                QCoreApplication::exit(1);
                return;
            }
            QCoreApplication::quit();
        });
    }
    return app.exec();
}
