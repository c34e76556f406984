// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>

#include "koraprogram.h"
#include "parameter.h"
#include "programerror.h"

class ModuleInterface;

// Runs a setup program on a module through its command handler (SAP is command 5, GAP
// command 6), in file order. Before anything is written every SAP and GAP is checked against
// the module's parameter descriptions (the parameter exists; a SAP's parameter is writable
// and its value in range), so that a bad line never leaves an axis half set up.
//
// A jump back to an earlier line is a loop round: the runner first waits one poll period,
// and gives up with an error naming the jump's line once the loop has waited the time-out.
// The wait is injectable so that a module with a simulated clock can advance that clock
// instead; by default it sleeps. A progress function, asked before each wait, may cancel.
//
// Each instruction goes to the axis it names; an axis the module does not describe is
// refused by the check at the motor's column.
class ProgramRunner
{
    Q_DECLARE_TR_FUNCTIONS(ProgramRunner)
public:
    struct Result
    {
        bool ok = false;
        ProgramError error;        // when !ok; line 0 when the run never started
        QList<int> writtenLines;   // lines of the SAPs the module accepted, in the order written
        int commands = 0;          // requests sent
        int waitedMilliseconds = 0;
        bool timedOut = false;     // a loop did not end within the time-out
        int lastRead = -1;         // parameter number of the last GAP run, -1 before any
        // "lines 3-7, 12", or "no line", in the interface language.
        QString writtenSummary() const;
        // "3-7, 12", and the number of distinct lines written.
        QString writtenRanges(int* count = nullptr) const;
    };

    static constexpr int DefaultPollPeriod = 50;   // ms
    static constexpr int DefaultTimeout = 10000;   // ms

    explicit ProgramRunner(ModuleInterface* module);

    void setPollPeriod(int milliseconds);
    int pollPeriod() const { return m_pollPeriod; }
    void setTimeout(int milliseconds);
    int timeout() const { return m_timeout; }
    void setWait(std::function<void(int milliseconds)> wait);
    // Asked before each wait with the time waited so far; false cancels the run there.
    void setProgress(std::function<bool(int waitedMilliseconds, int timeoutMilliseconds)> progress);

    // Every line the module would refuse, and every JC that could run before any GAP (the
    // first ProgramError::Kept in line order, the rest counted in *more); empty when the
    // program may run.
    QList<ProgramError> check(const KoraProgram& program, int* more = nullptr);
    // Checks, then runs; writes nothing when the check finds anything.
    Result run(const KoraProgram& program);

    // "axis<motor>", the scope the module describes an axis's parameters under.
    static QString scope(int motor);

private:
    const Parameter& describe(int type, int motor);
    bool hasAxis(int motor);
    // The conditional jumps that some path from the start reaches before any GAP.
    static QList<ProgramError> unreadConditions(const KoraProgram& program);
    ProgramError checkLine(const KoraProgram::Instruction& instruction);
    bool send(quint8 command, const KoraProgram::Instruction& instruction, int* value, Result* result);

    ModuleInterface* m_module;
    int m_pollPeriod = DefaultPollPeriod;
    int m_timeout = DefaultTimeout;
    std::function<void(int)> m_wait;
    std::function<bool(int, int)> m_progress;
    QHash<int, Parameter> m_descriptions; // motor << 8 | type
    QHash<int, bool> m_axes;              // motor -> described by the module
};
