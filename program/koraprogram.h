// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QString>
#include <QVector>

// A parsed setup program: the instructions in file order, jumps resolved to instruction
// indices. Made by KoraParser; ProgramRunner executes it.
class KoraProgram
{
public:
    enum class Opcode { SetParameter, GetParameter, Jump };
    // Conditions test the value the last GetParameter read.
    enum class Condition { Always, Zero, NotZero };

    struct Instruction
    {
        Opcode opcode = Opcode::SetParameter;
        Condition condition = Condition::Always; // jumps only
        int line = 0;
        int type = 0;   // parameter number
        int motor = 0;
        int value = 0;  // SAP only
        int target = 0; // jumps: index of the instruction after the label (may be size())
        QString label;  // jumps: the label's name
        // 1-based columns of the operands, for messages about them.
        int typeColumn = 0;
        int motorColumn = 0;
        int valueColumn = 0;
        QString comment; // text of a trailing "//" comment, trimmed
        QString heading; // the last comment line above, e.g. "Motor settings"
    };

    const QVector<Instruction>& instructions() const { return m_instructions; }
    int size() const { return m_instructions.size(); }
    bool isEmpty() const { return m_instructions.isEmpty(); }
    const Instruction& at(int index) const { return m_instructions.at(index); }
    Instruction& operator[](int index) { return m_instructions[index]; }

    void append(const Instruction& instruction) { m_instructions.append(instruction); }
    void append(Instruction&& instruction) { m_instructions.append(std::move(instruction)); }
    void clear() { m_instructions.clear(); }
    void reserve(int size) { m_instructions.reserve(size); }

    // The instruction as a line of program text, e.g. "SAP 6, 0, 128".
    static QString describe(const Instruction& instruction);

private:
    QVector<Instruction> m_instructions;
};

// Moved, not copied, when the vector grows.
Q_DECLARE_TYPEINFO(KoraProgram::Instruction, Q_MOVABLE_TYPE);
