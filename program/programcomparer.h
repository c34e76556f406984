// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

#include "koraprogram.h"

class ModuleInterface;

// Compares a module with a setup program: reads back every parameter the program sets and
// tells which hold another value. Where a program sets a parameter more than once, the last
// value counts. Only the instructions count: comments, which the pages write in the interface
// language, and blank lines do not, so a program saved in German checks like one saved in
// English. Positions and counts (0 target, 1 actual, 209 encoder position) are listed
// but not compared: the program gives them a starting value that any move changes.
class ProgramComparer
{
    Q_DECLARE_TR_FUNCTIONS(ProgramComparer)
public:
    enum class State { Match, Differs, Unreadable, NotCompared };

    struct Row
    {
        int line = 0; // of the SAP that sets the value expected
        int motor = 0;
        int type = 0;
        QString name; // the module's caption for the parameter
        int expected = 0;
        int found = 0;
        State state = State::Match;
        bool isDifference() const { return state == State::Differs || state == State::Unreadable; }
        // "axis 1, parameter 6 (Max. current): expected 128, found 100", in the interface language
        QString toString() const;
    };

    explicit ProgramComparer(ModuleInterface* module);

    // One row per parameter the program sets, in the order of first setting.
    QList<Row> compare(const KoraProgram& program) const;
    static QList<Row> differences(const QList<Row>& rows);
    static bool isComparable(int type);

private:
    ModuleInterface* m_module;
};
