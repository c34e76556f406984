// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

#include "koraprogram.h"
#include "programcomparer.h"
#include "programerror.h"
#include "programrunner.h"

class ModuleInterface;
class SimulatedModule;

// What the workbench does with setup-program files, for the File menu and the command line
// alike: save the start-up page's history, apply a file to axes, compare axes with a file.
// Results go to `out`, faults to `err`, each naming the file and line; of a long list of
// faults the first ProgramError::Kept are shown and the rest counted.
//
// Axes: without a list of axes each line goes to the axis it names. With one, the program is
// moved to each axis of the list, which is defined only for a program that addresses one
// axis; one that addresses several is refused.
class ProgramCommands
{
    Q_DECLARE_TR_FUNCTIONS(ProgramCommands)
public:
    // What a command came to; the values are the workbench's exit codes.
    enum Outcome {
        Done = 0,    // applied; every axis matches
        Failed = 1,  // the module stopped the run; an axis differs
        Unusable = 2 // the file, the program or the axes cannot be used: nothing written or compared
    };

    ProgramCommands(ModuleInterface* module, QTextStream* out, QTextStream* err);

    // How a loop in the program waits; see ProgramRunner.
    void setWait(std::function<void(int milliseconds)> wait);
    // Asked before each wait of a loop; false cancels the run. See ProgramRunner.
    void setProgress(std::function<bool(int waitedMilliseconds, int timeoutMilliseconds)> progress);
    // The wait that suits the simulated module: advancing its clock while it is manual,
    // otherwise real time (scaled), keeping the window responsive.
    static std::function<void(int)> waitFor(SimulatedModule* module);

    // Parses the file; prints the faults and gives false on any.
    bool load(const QString& path, KoraProgram* program);
    // Applies the file. Every axis is checked against the module's parameter descriptions
    // before the first is written, so a bad line writes nothing anywhere.
    Outcome apply(const QString& path, const QList<int>& axes = {});
    // Checks the file as apply does, then compares each axis with it. The rows of all axes
    // are handed back for display, the verdict of each axis in verdicts(). An axis the
    // program sets nothing comparable on makes the program unusable for a check.
    Outcome check(const QString& path, const QList<int>& axes = {}, QList<ProgramComparer::Row>* rows = nullptr);
    enum Use { Apply, Check };
    // Whether apply or check could start with the file: read, placed on the axes and checked
    // on the module; prints the faults and "nothing run" when not. For a run that does more
    // first, so that a bad program costs nothing.
    bool isUsable(const QString& path, const QList<int>& axes, Use use);
    // One line per axis of the last check: "axis 1: matches ..." or what differs.
    QStringList verdicts() const { return m_verdicts; }

    // The history as a program file. The history lacks the closed-loop switch, which the
    // user ticks on the start-up page; without it the program's wait for the closed-loop
    // initialisation could never end on another axis, so it goes in before that wait.
    static QString programFromHistory(const QString& history, bool closedLoopActive);
    // Writes the text as OutputFile does; refuses a text that is not a valid program (nothing
    // is written).
    static bool save(const QString& path, const QString& text, QString* error);
    // "axis 1", "axes 0, 2".
    static QString axesText(const QList<int>& axes);

private:
    struct Target
    {
        QList<int> axes; // the axes the program addresses
        KoraProgram program;
    };
    // Reads the file, places it on the axes and checks it on the module; false when unusable.
    bool prepare(const QString& path, const QList<int>& axes, Use use, QList<Target>* targets);
    // Whether the program sets a parameter that keeps its value on every axis it goes to.
    bool hasComparable(const QString& path, const QList<Target>& targets);
    void printErrors(const QString& path, QList<ProgramError> errors, int more);
    void reportStop(const QString& path, const Target& target, const ProgramRunner::Result& result,
                    const QList<int>& done);
    Outcome verdict(const QString& path, int axis, const QList<ProgramComparer::Row>& compared);

    ModuleInterface* m_module;
    QTextStream* m_out;
    QTextStream* m_err;
    std::function<void(int)> m_wait;
    std::function<bool(int, int)> m_progress;
    QStringList m_verdicts;
};
