// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

#include "commandline.h"
#include "headlessrun.h"
#include "mainwindow.h"
#include "modulesettings.h"
#include "outputfile.h"
#include "platformchoice.h"
#include "pluginhost.h"
#include "pluginlocation.h"
#include "toolwindow.h"
#include "translations.h"

namespace {

int printError(const QString& text, int code)
{
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << text << Qt::endl;
    return code;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCoreApplication::setApplicationName(QStringLiteral("workbench"));
    QCoreApplication::setOrganizationName(QStringLiteral("GenericV7"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GV7_VERSION));
    int qtArgc = 1; // the whole command line is ours, -platform included
    CommandLine line;
    {
        // Help, version and every refusal need no window system; the platform is decided here.
        QCoreApplication core(qtArgc, argv);
        Translations translations;
        if (!translations.setLanguage(CommandLine::languageOf(arguments)))
            return printError(translations.errorString(), 2);
        translations.installApplication();
        const PluginLocation location(QStringLiteral(GV7_BUILD_BINARY_DIR), QStringLiteral(GV7_PLUGIN_PATH),
                                      QStringLiteral(GV7_PLUGIN_RELATIVE_PATH));
        line = CommandLine::parse(arguments, location.defaultPath(QCoreApplication::applicationDirPath()));
        if (line.action() == CommandLine::Action::Refuse)
            return printError(line.text(), 2);
        if (line.action() != CommandLine::Action::Run) {
            QTextStream(stdout) << line.text();
            return 0;
        }
        QString error;
        if (!PlatformChoice::choose(line.needsDisplay(), line.platform, &error))
            return printError(error, 1);
    }
    if (!line.needsDisplay())
        PlatformChoice::silenceHeadlessNoise();
    QApplication app(qtArgc, argv);
    QApplication::setDesktopFileName(QStringLiteral("generic-v7-workbench"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/workbench/icon.svg")));
    Translations translations;
    translations.setLanguage(line.language);
    translations.installApplication();
    // The plug-in's debug lines are for developers; QT_LOGGING_RULES still overrides this.
    if (!line.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));

    MainWindow window;
    if (!window.loadPlugin(line.plugin))
        return printError(QCoreApplication::translate("main", "cannot load the plug-in %1: %2").arg(line.plugin, window.errorString()), 1);
    // The pages take their texts when the tools are made.
    translations.installPlugin(QStringLiteral("genericv7"));
    const QStringList missing = translations.missing();
    for (const QString& note : missing)
        printError(note, 0);
    // Interactive runs remember the layout and the Module menu; a scripted run depends on its
    // command line only and leaves the saved settings alone.
    if (line.needsDisplay())
        ModuleSettings::keep(window);
    window.applyCommandLine(line);
    // The tools size their windows against the visible area; they are opened, and the runs
    // started, from the event loop, once the tools have found each other.
    window.show();
    window.createTools();
    QTimer::singleShot(0, &window, [&window, &line]() {
        for (int id : qAsConst(line.open)) {
            if (ToolWindow* toolWindow = window.pluginHost()->windowOf(id))
                toolWindow->activateWindow();
            else
                printError(QCoreApplication::translate("main", "there is no tool with sub-widget id %1").arg(id), 0);
        }
        if (line.scope)
            window.openScope();
        if (line.isHeadless())
            QCoreApplication::exit(HeadlessRun(window.pluginHost(), window.module(), window.pollPeriod()).run(line));
    });
    if (!line.screenshot.isEmpty()) {
        QTimer::singleShot(500, &window, [&window, &line]() {
            QString error;
            QCoreApplication::exit(OutputFile::writePng(line.screenshot, window.grab().toImage(), &error) ? 0 : printError(error, 1));
        });
    }
    return app.exec();
}
