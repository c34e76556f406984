// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programcomparer.h"

#include <QHash>

#include "moduleinterface.h"
#include "programrunner.h"

QString ProgramComparer::Row::toString() const
{
    const QString where = tr("axis %1, parameter %2 (%3)").arg(QString::number(motor), QString::number(type), name);
    switch (state) {
    case State::Match:
        return tr("%1: %2 as expected").arg(where, QString::number(found));
    case State::Differs:
        return tr("%1: expected %2, found %3").arg(where, QString::number(expected), QString::number(found));
    case State::Unreadable:
        return tr("%1: expected %2, the module did not answer").arg(where, QString::number(expected));
    case State::NotCompared:
        break;
    }
    return tr("%1: not compared, a position that moves in operation").arg(where);
}

ProgramComparer::ProgramComparer(ModuleInterface* module)
    : m_module(module)
{
}

bool ProgramComparer::isComparable(int type)
{
    return type != 0 && type != 1 && type != 209;
}

QList<ProgramComparer::Row> ProgramComparer::compare(const KoraProgram& program) const
{
    QList<Row> rows;
    QHash<int, int> rowOf; // motor << 8 | type -> index in rows
    for (const KoraProgram::Instruction& instruction : program.instructions()) {
        if (instruction.opcode != KoraProgram::Opcode::SetParameter)
            continue;
        const int key = instruction.motor << 8 | instruction.type;
        int index = rowOf.value(key, -1);
        if (index < 0) {
            index = rows.size();
            rowOf.insert(key, index);
            rows.append(Row());
        }
        Row& row = rows[index];
        row.line = instruction.line;
        row.motor = instruction.motor;
        row.type = instruction.type;
        row.expected = instruction.value;
    }
    for (Row& row : rows) {
        if (m_module) {
            const Parameter parameter = m_module->getParameter(ProgramRunner::scope(row.motor), row.type);
            row.name = parameter.caption.isEmpty() ? parameter.name : parameter.caption;
        }
        if (!isComparable(row.type)) {
            row.state = State::NotCompared;
            continue;
        }
        bool ok = false;
        row.found = m_module ? m_module->getAxisParameter(quint8(row.type), quint8(row.motor), &ok) : 0;
        row.state = !ok ? State::Unreadable : row.found == row.expected ? State::Match : State::Differs;
    }
    return rows;
}

QList<ProgramComparer::Row> ProgramComparer::differences(const QList<Row>& rows)
{
    QList<Row> result;
    for (const Row& row : rows) {
        if (row.isDifference())
            result.append(row);
    }
    return result;
}
