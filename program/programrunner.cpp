#include "programrunner.h"

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

QString ProgramRunner::Result::writtenSummary() const
{
    QList<int> lines = writtenLines;
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    if (lines.isEmpty())
        return QStringLiteral("no line");
    QStringList ranges;
    for (int i = 0; i < lines.size();) {
        int j = i;
        while (j + 1 < lines.size() && lines.at(j + 1) == lines.at(j) + 1)
            ++j;
        ranges << (j == i ? QString::number(lines.at(i)) : QStringLiteral("%1-%2").arg(lines.at(i)).arg(lines.at(j)));
        i = j + 1;
    }
    return (lines.size() == 1 ? QStringLiteral("line ") : QStringLiteral("lines ")) + ranges.join(QStringLiteral(", "));
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

QList<ProgramError> ProgramRunner::check(const KoraProgram& program)
{
    QList<ProgramError> errors;
    m_descriptions.clear();
    if (!m_module)
        return {{0, 0, QStringLiteral("no module")}};
    for (const KoraProgram::Instruction& instruction : program.instructions()) {
        if (instruction.opcode == KoraProgram::Opcode::Jump)
            continue;
        const Parameter& parameter = describe(instruction.type, instruction.motor);
        // An unknown number comes back as an empty record (number 0 has a name).
        if (parameter.type != instruction.type || parameter.name.isEmpty()) {
            errors.append({instruction.line, instruction.typeColumn,
                           QStringLiteral("axis %1 has no parameter %2").arg(instruction.motor).arg(instruction.type)});
            continue;
        }
        if (instruction.opcode != KoraProgram::Opcode::SetParameter)
            continue;
        if (parameter.readOnly) {
            errors.append({instruction.line, instruction.typeColumn,
                           QStringLiteral("parameter %1 (%2) is read-only").arg(instruction.type).arg(parameterName(parameter))});
        } else if (instruction.value < parameter.minimum || instruction.value > parameter.maximum) {
            errors.append({instruction.line, instruction.valueColumn,
                           QStringLiteral("the value %1 is out of range for parameter %2 (%3): %4 to %5")
                               .arg(instruction.value)
                               .arg(instruction.type)
                               .arg(parameterName(parameter))
                               .arg(parameter.minimum)
                               .arg(parameter.maximum)});
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
        result.error = {0, 0, QStringLiteral("the module is not connected")};
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
            ++pc;
            continue;
        case KoraProgram::Opcode::Jump:
            break;
        }
        bool jump = instruction.condition == KoraProgram::Condition::Always;
        if (!jump) {
            if (!haveValue) {
                result.error = {instruction.line, 0, QStringLiteral("JC has no value to test: no GAP has run before it")};
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
                result.error = {instruction.line, 0,
                                QStringLiteral("the loop back to '%1' did not end within %2 s%3")
                                    .arg(instruction.label)
                                    .arg(m_timeout / 1000.0)
                                    .arg(haveValue ? QStringLiteral(" (the last value read was %1)").arg(lastValue)
                                                   : QString())};
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
        result->error = {instruction.line, 0, QStringLiteral("the module is no longer connected (%1 not sent)")
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
                         QStringLiteral("the module did not answer %1").arg(KoraProgram::describe(instruction))};
        return false;
    }
    if (reply.status() != Command::StatusOk) {
        result->error = {instruction.line, 0, QStringLiteral("the module refused %1 with status %2")
                                                  .arg(KoraProgram::describe(instruction))
                                                  .arg(reply.status())};
        return false;
    }
    if (value)
        *value = reply.value();
    return true;
}
