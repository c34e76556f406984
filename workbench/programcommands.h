#pragma once

#include <QList>
#include <QString>
#include <QTextStream>

#include <functional>

#include "koraprogram.h"
#include "programcomparer.h"
#include "programerror.h"

class ModuleInterface;
class SimulatedModule;

// What the workbench does with setup-program files, for the File menu and the command line
// alike: save the start-up page's history, apply a file to axes, compare axes with a file.
// Results go to `out`, faults to `err`, each naming the file and line.
class ProgramCommands
{
public:
    ProgramCommands(ModuleInterface* module, QTextStream* out, QTextStream* err);

    // How a loop in the program waits; see ProgramRunner.
    void setWait(std::function<void(int milliseconds)> wait);
    // The wait that suits the simulated module: advancing its clock while it is manual,
    // otherwise real time (scaled), keeping the window responsive.
    static std::function<void(int)> waitFor(SimulatedModule* module);

    // Parses the file; prints every fault and gives false on any.
    bool load(const QString& path, KoraProgram* program);
    // Applies the file to each axis in turn. Every axis is checked before the first is
    // written, so a bad line writes nothing anywhere.
    bool apply(const QString& path, const QList<int>& axes);
    // Compares each axis with the file; false when any differs. The rows of all axes are
    // handed back for display.
    bool check(const QString& path, const QList<int>& axes, QList<ProgramComparer::Row>* rows = nullptr);

    // The history as a program file. The history lacks the closed-loop switch, which the
    // user ticks on the start-up page; without it the program's wait for the closed-loop
    // initialisation could never end on another axis, so it goes in before that wait.
    static QString programFromHistory(const QString& history, bool closedLoopActive);
    // Writes the text; refuses a text that is not a valid program (nothing is written).
    static bool save(const QString& path, const QString& text, QString* error);

private:
    void printErrors(const QString& path, const QList<ProgramError>& errors);

    ModuleInterface* m_module;
    QTextStream* m_out;
    QTextStream* m_err;
    std::function<void(int)> m_wait;
};
