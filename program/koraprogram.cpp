// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "koraprogram.h"

QString KoraProgram::describe(const Instruction& instruction)
{
    switch (instruction.opcode) {
    case Opcode::SetParameter:
        return QStringLiteral("SAP %1, %2, %3").arg(instruction.type).arg(instruction.motor).arg(instruction.value);
    case Opcode::GetParameter:
        return QStringLiteral("GAP %1, %2").arg(instruction.type).arg(instruction.motor);
    case Opcode::Jump:
        break;
    }
    switch (instruction.condition) {
    case Condition::Zero:
        return QStringLiteral("JC ZE, ") + instruction.label;
    case Condition::NotZero:
        return QStringLiteral("JC NZ, ") + instruction.label;
    case Condition::Always:
        break;
    }
    return QStringLiteral("JA ") + instruction.label;
}
