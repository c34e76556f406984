// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programerror.h"

#include <algorithm>

QString ProgramError::toString(const QString& file) const
{
    QString where = file;
    if (line > 0) {
        if (!where.isEmpty())
            where += QLatin1Char(':');
        where += QString::number(line);
        if (column > 0)
            where += QLatin1Char(':') + QString::number(column);
    }
    return where.isEmpty() ? message : where + QStringLiteral(": ") + message;
}

bool ProgramError::operator==(const ProgramError& other) const
{
    return line == other.line && column == other.column && message == other.message;
}

void ProgramError::keepFirst(QList<ProgramError>* errors, int* more)
{
    std::stable_sort(errors->begin(), errors->end(), [](const ProgramError& a, const ProgramError& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    if (errors->size() <= Kept)
        return;
    *more += errors->size() - Kept;
    errors->erase(errors->begin() + Kept, errors->end());
}
