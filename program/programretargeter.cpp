// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programretargeter.h"

#include <QSet>

#include <algorithm>

KoraProgram ProgramRetargeter::toMotor(const KoraProgram& program, int motor)
{
    KoraProgram result = program;
    for (int i = 0; i < result.size(); ++i) {
        if (result.at(i).opcode != KoraProgram::Opcode::Jump)
            result[i].motor = motor;
    }
    return result;
}

QList<int> ProgramRetargeter::motors(const KoraProgram& program)
{
    QSet<int> found;
    for (const KoraProgram::Instruction& instruction : program.instructions()) {
        if (instruction.opcode != KoraProgram::Opcode::Jump)
            found.insert(instruction.motor);
    }
    QList<int> result = found.values();
    std::sort(result.begin(), result.end());
    return result;
}
