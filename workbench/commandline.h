// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The workbench's command line as a value: every option read, its range checked and the
// options' combinations decided, before anything runs. Parsing leaves nothing behind; it asks
// the file system only whether the output paths can be written and are not one and the same
// file. What a combination means:
//   --compare-picture implies --compare-presets, which implies --auto, as does --tune;
//   --save-program, --report, --screenshots and --compare-open-loop need --auto;
//   --axes needs --apply-program or --check-program;
//   --screenshot pictures the window and does not combine with a headless run;
//   no two outputs, and no output and input, name one file.
// An option given twice is refused, except --open, which opens several tools.
//
// Adding an option is one row in commandline.cpp and one field here.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
public:
    enum class Action {
        Run,     // the options are usable
        Help,    // print text() and exit 0
        Version, // likewise
        Refuse   // print text() as the error and exit 2: nothing was run or written
    };

    // arguments[0] is the program. The default plug-in is shown in the help.
    static CommandLine parse(const QStringList& arguments, const QString& defaultPlugin = QString());
    // The value of --lang, read before the rest so that the help and the messages already
    // speak it; parse() checks it.
    static QString languageOf(const QStringList& arguments);

    Action action() const { return m_action; }
    // The help, the version or why the command line was refused.
    QString text() const { return m_text; }
    // The runs that show no window: the guided commissioning and the program commands.
    bool isHeadless() const { return autoRun || !applyProgram.isEmpty() || !checkProgram.isEmpty(); }
    // Whether the run needs a display: not a headless run nor a picture of the window.
    bool needsDisplay() const { return !isHeadless() && screenshot.isEmpty(); }

    QString plugin;
    QString platform; // -platform, as Qt's own programs take it
    QString language; // empty: the system's
    int pollMs = 100;
    int encoderResolution = -1; // negative: the simulator's own; 0: an encoder without signal
    bool encoderReversed = false;
    QString firmware;
    double timeScale = 1.0;
    bool verbose = false;
    bool scope = false;
    QList<int> open;
    QString screenshot;
    bool autoRun = false;
    QString screenshots;
    bool compareOpenLoop = false;
    bool comparePresets = false;
    bool tune = false;
    QString comparePicture;
    QString saveProgram;
    QString report;
    QString applyProgram;
    QString checkProgram;
    QList<int> axes;           // empty: the axes the program names
    double loadPercent = -1.0; // negative: the simulator's own
    double holdingTorque = -1.0; // N m; negative: the simulator's own
    double inertia = -1.0;       // kg m²; likewise
    QList<QPair<QString, double>> motorValues; // MotorValue key and value, as given

private:
    bool refuse(const QString& message);
    // The combinations and the output paths; false (and refused) when unusable.
    bool checkCombinations();
    bool checkPaths();

    Action m_action = Action::Run;
    QString m_text;
};
