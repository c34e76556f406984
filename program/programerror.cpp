#include "programerror.h"

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
