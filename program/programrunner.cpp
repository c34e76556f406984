// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programrunner.h"

#include <QLocale>
#include <QSet>
#include <QStringList>
#include <QThread>

#include <algorithm>

#include "command.h"
#include "commandhandlerinterface.h"
#include "moduleinterface.h"

namespace {

QString parameterName(const Parameter& parameter)
{
    return parameter.caption.isEmpty() ? parameter.name : parameter.caption;
}

} // namespace

QString ProgramRunner::Result::writtenRanges(int* count) const
{
    QList<int> lines = writtenLines;
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    if (count)
        *count = lines.size();
    QStringList ranges;
    for (int i = 0; i < lines.size();) {
        int j = i;
        while (j + 1 < lines.size() && lines.at(j + 1) == lines.at(j) + 1)
            ++j;
        ranges << (j == i ? QString::number(lines.at(i)) : QStringLiteral("%1-%2").arg(lines.at(i)).arg(lines.at(j)));
        i = j + 1;
    }
    return ranges.join(QStringLiteral(", "));
}

QString ProgramRunner::Result::writtenSummary() const
{
    int count = 0;
    const QString ranges = writtenRanges(&count);
    return count == 0 ? tr("no line") : tr("line(s) %1", nullptr, count).arg(ranges);
}

ProgramRunner::ProgramRunner(ModuleInterface* module)
    : m_module(module)
    , m_wait([](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); })
{
}

void ProgramRunner::setPollPeriod(int milliseconds)
{
    m_pollPeriod = qMax(1, milliseconds);
}

void ProgramRunner::setTimeout(int milliseconds)
{
    m_timeout = qMax(0, milliseconds);
}

void ProgramRunner::setWait(std::function<void(int)> wait)
{
    if (wait)
        m_wait = std::move(wait);
}

QString ProgramRunner::scope(int motor)
{
    return QStringLiteral("axis%1").arg(motor);
}

const Parameter& ProgramRunner::describe(int type, int motor)
{
    const int key = motor << 8 | type;
    auto it = m_descriptions.find(key);
    if (it == m_descriptions.end())
        it = m_descriptions.insert(key, m_module->getParameter(scope(motor), type));
    return *it;
}

void ProgramRunner::setProgress(std::function<bool(int, int)> progress)
{
    m_progress = std::move(progress);
}

// An axis the module has is described under its scope; every axis has an actual position (1).
bool ProgramRunner::hasAxis(int motor)
{
    auto it = m_axes.find(motor);
    if (it == m_axes.end())
        it = m_axes.insert(motor, !m_module->getParameter(scope(motor), 1).name.isEmpty());
    return *it;
}

// What the module would refuse of one SAP or GAP; an error without a message when nothing.
ProgramError ProgramRunner::checkLine(const KoraProgram::Instruction& instruction)
{
    const int motor = instruction.motor;
    if (!hasAxis(motor))
        return {instruction.line, instruction.motorColumn, tr("the module has no axis %1").arg(motor)};
    const Parameter& parameter = describe(instruction.type, motor);
    // An unknown number comes back as an empty record (number 0 has a name).
    if (parameter.type != instruction.type || parameter.name.isEmpty())
        return {instruction.line, instruction.typeColumn, tr("axis %1 has no parameter %2").arg(motor).arg(instruction.type)};
    if (instruction.opcode != KoraProgram::Opcode::SetParameter)
        return {};
    if (parameter.readOnly) {
        return {instruction.line, instruction.typeColumn, tr("axis %1: parameter %2 (%3) is read-only")
                                                              .arg(motor)
                                                              .arg(instruction.type)
                                                              .arg(parameterName(parameter))};
    }
    if (instruction.value < parameter.minimum || instruction.value > parameter.maximum) {
        return {instruction.line, instruction.valueColumn,
                tr("axis %1: the value %2 is out of range for parameter %3 (%4): %5 to %6")
                    .arg(motor)
                    .arg(instruction.value)
                    .arg(instruction.type)
                    .arg(parameterName(parameter))
                    .arg(parameter.minimum)
                    .arg(parameter.maximum)};
    }
    return {};
}

QList<ProgramError> ProgramRunner::check(const KoraProgram& program, int* more)
{
    QList<ProgramError> errors;
    int dropped = 0;
    m_descriptions.clear();
    m_axes.clear();
    if (more)
        *more = 0;
    if (!m_module)
        return {{0, 0, tr("no module")}};
    // Instructions are in line order, so the first faults found are the first of the file.
    QSet<int> missingAxes; // each named once, at its first line
    for (const KoraProgram::Instruction& instruction : program.instructions()) {
        if (instruction.opcode == KoraProgram::Opcode::Jump || missingAxes.contains(instruction.motor))
            continue;
        if (!hasAxis(instruction.motor))
            missingAxes.insert(instruction.motor);
        const ProgramError error = checkLine(instruction);
        if (error.message.isEmpty())
            continue;
        if (errors.size() < ProgramError::Kept)
            errors.append(error);
        else
            ++dropped;
    }
    errors += unreadConditions(program);
    ProgramError::keepFirst(&errors, &dropped);
    if (more)
        *more = dropped;
    return errors;
}

QList<ProgramError> ProgramRunner::unreadConditions(const KoraProgram& program)
{
    // Every instruction reachable from the start along a path without a GAP; a JC among them
    // would test a value that was never read.
    QList<ProgramError> errors;
    QVector<bool> seen(program.size() + 1, false);
    QVector<int> pending{0};
    while (!pending.isEmpty()) {
        const int pc = pending.takeLast();
        if (pc >= program.size() || seen.at(pc))
            continue;
        seen[pc] = true;
        const KoraProgram::Instruction& instruction = program.at(pc);
        if (instruction.opcode == KoraProgram::Opcode::GetParameter)
            continue;
        if (instruction.opcode == KoraProgram::Opcode::SetParameter) {
            pending.append(pc + 1);
        } else if (instruction.condition == KoraProgram::Condition::Always) {
            pending.append(instruction.target);
        } else {
            errors.append({instruction.line, 0, QStringLiteral("JC has no value to test: no GAP has run before it")});
        }
    }
    return errors;
}

ProgramRunner::Result ProgramRunner::run(const KoraProgram& program)
{
    Result result;
    const QList<ProgramError> errors = check(program);
    if (!errors.isEmpty()) {
        result.error = errors.first();
        return result;
    }
    CommandHandlerInterface* handler = m_module->commandHandlerInterface();
    if (!handler || !handler->isDeviceOpen()) {
        result.error = {0, 0, tr("the module is not connected")};
        return result;
    }

    bool haveValue = false;
    int lastValue = 0;
    for (int pc = 0; pc < program.size();) {
        const KoraProgram::Instruction& instruction = program.at(pc);
        switch (instruction.opcode) {
        case KoraProgram::Opcode::SetParameter:
            if (!send(Command::SetAxisParameter, instruction, nullptr, &result))
                return result;
            result.writtenLines.append(instruction.line);
            ++pc;
            continue;
        case KoraProgram::Opcode::GetParameter:
            if (!send(Command::GetAxisParameter, instruction, &lastValue, &result))
                return result;
            haveValue = true;
            result.lastRead = instruction.type;
            ++pc;
            continue;
        case KoraProgram::Opcode::Jump:
            break;
        }
        bool jump = instruction.condition == KoraProgram::Condition::Always;
        if (!jump) {
            if (!haveValue) {
                result.error = {instruction.line, 0, tr("JC has no value to test: no GAP has run before it")};
                return result;
            }
            jump = (lastValue == 0) == (instruction.condition == KoraProgram::Condition::Zero);
        }
        if (!jump) {
            ++pc;
            continue;
        }
        if (instruction.target <= pc) {
            if (result.waitedMilliseconds + m_pollPeriod > m_timeout) {
                result.timedOut = true;
                result.error = {instruction.line, 0,
                                (haveValue ? tr("the loop back to '%1' did not end within %2 s (the last value read was %3)")
                                                 .arg(instruction.label, QLocale().toString(m_timeout / 1000.0))
                                                 .arg(lastValue)
                                           : tr("the loop back to '%1' did not end within %2 s")
                                                 .arg(instruction.label, QLocale().toString(m_timeout / 1000.0)))};
                return result;
            }
            if (m_progress && !m_progress(result.waitedMilliseconds, m_timeout)) {
                result.error = {instruction.line, 0,
                                tr("cancelled in the loop back to '%1' after %2 s")
                                    .arg(instruction.label, QLocale().toString(result.waitedMilliseconds / 1000.0))};
                return result;
            }
            m_wait(m_pollPeriod);
            result.waitedMilliseconds += m_pollPeriod;
        }
        pc = instruction.target;
    }
    result.ok = true;
    return result;
}

bool ProgramRunner::send(quint8 command, const KoraProgram::Instruction& instruction, int* value, Result* result)
{
    CommandHandlerInterface* handler = m_module->commandHandlerInterface();
    if (!handler || !handler->isDeviceOpen()) {
        result->error = {instruction.line, 0, tr("the module is no longer connected (%1 not sent)")
                                                  .arg(KoraProgram::describe(instruction))};
        return false;
    }
    Command request(m_module->moduleAddress(), command, quint8(instruction.type), quint8(instruction.motor),
                    command == Command::SetAxisParameter ? instruction.value : 0);
    Command reply; // status 0 until the module answers
    handler->executeCommand(&request, &reply);
    ++result->commands;
    if (reply.status() == 0) {
        result->error = {instruction.line, 0,
                         tr("the module did not answer %1").arg(KoraProgram::describe(instruction))};
        return false;
    }
    if (reply.status() != Command::StatusOk) {
        result->error = {instruction.line, 0, tr("the module refused %1 with status %2")
                                                  .arg(KoraProgram::describe(instruction))
                                                  .arg(reply.status())};
        return false;
    }
    if (value)
        *value = reply.value();
    return true;
}
