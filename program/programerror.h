// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// One fault found in a setup program or while running it. Lines and columns count from 1;
// 0 means the fault belongs to no line (a file that cannot be read, a module not connected).
struct ProgramError
{
    int line = 0;
    int column = 0;
    QString message;

    // "file:line:column: message", leaving out what is unknown, as compilers print it.
    QString toString(const QString& file = QString()) const;
    bool operator==(const ProgramError& other) const;

    // Of a program's faults the first this many in line order are kept and the rest only
    // counted, so that a file of a million bad lines costs neither memory nor screens of text.
    static constexpr int Kept = 20;
    // Sorts by line and column, keeps the first Kept and adds the number left out to *more.
    static void keepFirst(QList<ProgramError>* errors, int* more);
};
