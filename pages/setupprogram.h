// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Lines of the KORA setup program that the settings pages produce. Every blank counts: the
// module's tools read these texts column by column.
class SetupProgram
{
public:
    static QString motorHeader();
    static QString encoderHeader();
    static QString closedLoopHeader();

    // "  SAP ttt, a, vvvvvvvv  //comment\n": type in a field of 3, value in a field of 8,
    // neither ever cut.
    static QString parameterLine(int type, int axis, int value, const QString& comment);

    // Blank line, label, GAP 133 and the jump back while the closed-loop init has not finished.
    static QString waitLoop(int axis);
};
