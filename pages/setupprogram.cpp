// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "setupprogram.h"

QString SetupProgram::motorHeader()
{
    return QStringLiteral("//Motor settings\n");
}

QString SetupProgram::encoderHeader()
{
    return QStringLiteral("//Encoder settings\n");
}

QString SetupProgram::closedLoopHeader()
{
    return QStringLiteral("//Closed Loop settings\n");
}

QString SetupProgram::parameterLine(int type, int axis, int value, const QString& comment)
{
    return QStringLiteral("  SAP %1, %2, %3  //%4")
               .arg(type, 3)
               .arg(axis)
               .arg(value, 8)
               .arg(comment)
           + QLatin1Char('\n');
}

QString SetupProgram::waitLoop(int axis)
{
    return QStringLiteral("\nWaitInit:\n")
           + QStringLiteral("  GAP 133, %1            //Wait until CL-init finished").arg(axis)
           + QStringLiteral("\n   JC  ZE, WaitInit\n");
}
