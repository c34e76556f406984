// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordingmodule.h"

#include <QStringList>

#include <algorithm>
#include <limits>

QString RecordingModule::Access::toString() const
{
    static const char* const kinds[] = {"exec", "get", "set", "circular"};
    return QStringLiteral("%1 adr=%2 cmd=%3 type=%4 motor=%5 value=%6")
        .arg(kinds[kind]).arg(address).arg(command).arg(type).arg(motor).arg(value);
}

bool RecordingModule::Access::operator==(Access other) const
{
    return toString() == other.toString();
}

RecordingModule::RecordingModule(QWidget* parent)
    : ModuleInterface(parent)
{
    m_numbers = {{"par::TargetPosition", 0}, {"par::ActualPosition", 1}, {"par::TargetVelocity", 2},
                 {"par::MeasuredSpeed", 3}, {"par::MaxVelocity", 4}, {"par::MaxAcceleration", 5},
                 {"par::MaxCurrent", 6}, {"par::StandbyCurrent", 7}, {"par::PositionReachedFlag", 8},
                 {"par::CL init flag", 133}, {"par::encoder position", 209}, {"par::encoder resolution", 210},
                 {"par::max. position encoder deviation", 212}};
    m_scales.insert("par::MaxCurrent", 1.0 / 256.0);
}

int RecordingModule::getAxisParameter(quint8 type, quint8 motor, bool* ok)
{
    m_log.append({Access::Get, m_address, 0, type, motor, 0});
    if (ok)
        *ok = m_open;
    return m_open ? value(type, motor) : 0;
}

void RecordingModule::setAxisParameter(quint8 type, quint8 motor, int value)
{
    m_log.append({Access::Set, m_address, 0, type, motor, value});
    if (m_open)
        m_values[motor][type] = value;
}

void RecordingModule::executeCommand(Command* request, Command* reply)
{
    m_log.append({Access::Execute, request->address(), request->command(), request->type(), request->motorBank(),
                  request->value()});
    *reply = *request;
    reply->setStatus(m_failing.contains(request->type()) ? 4 : Command::StatusOk);
    if (reply->status() != Command::StatusOk)
        return;
    if (request->command() == Command::GetAxisParameter)
        reply->setValue(value(request->type(), request->motorBank()));
    else if (request->command() == Command::SetAxisParameter)
        m_values[request->motorBank()][request->type()] = request->value();
}

void RecordingModule::setCircularMode(bool on)
{
    m_log.append({Access::Circular, m_address, 0, 0, 0, on ? 1 : 0});
}

void RecordingModule::setValue(int type, int value, int motor)
{
    for (int m = qMax(motor, 0); m <= (motor < 0 ? 255 : motor); ++m)
        m_values[m][type] = value;
}

int RecordingModule::value(int type, int motor) const
{
    return m_values.value(motor).value(type, 0);
}

void RecordingModule::setFailing(int type, bool failing)
{
    failing ? void(m_failing.insert(type)) : void(m_failing.remove(type));
}

Parameter RecordingModule::describe(int number, const QString& name)
{
    Parameter p;
    p.type = number;
    p.minimum = std::numeric_limits<int>::min();
    p.maximum = std::numeric_limits<int>::max();
    p.name = name;
    p.caption = QStringLiteral("Caption %1").arg(number);
    p.comment = QStringLiteral("Comment %1").arg(number);
    p.unit = QStringLiteral("unit%1").arg(number);
    p.scope = QStringLiteral("axis0");
    p.description = QStringLiteral("Description %1").arg(number);
    p.toolTip = QStringLiteral("Tip %1").arg(number);
    return p;
}

// Arguments by value: the host's declarations.
Parameter RecordingModule::getParameterAndCheck(QString, QString, QString name) // clazy:exclude=function-args-by-ref
{
    if (!m_numbers.contains(name))
        return Parameter();
    Parameter p = describe(m_numbers.value(name), name);
    p.scale = m_scales.value(name, 1.0);
    return p;
}

Parameter RecordingModule::getParameter(QString, int number) // clazy:exclude=function-args-by-ref
{
    return describe(number, m_numbers.key(number));
}

QList<RecordingModule::Access> RecordingModule::accesses(bool includeKeepAlive) const
{
    QList<Access> result;
    std::copy_if(m_log.begin(), m_log.end(), std::back_inserter(result), [=](Access a) {
        return includeKeepAlive || a.kind != Access::Get || a.type != 0 || a.motor != 0;
    });
    return result;
}

QStringList RecordingModule::log() const
{
    QStringList lines;
    const QList<Access> listed = accesses();
    for (const Access& a : listed)
        lines.append(a.toString());
    return lines;
}

RecordingModule::Access exec(quint8 command, quint8 type, quint8 motor, int value, quint8 address)
{
    return {RecordingModule::Access::Execute, address, command, type, motor, value};
}

RecordingModule::Access gap(quint8 type, quint8 motor, quint8 address)
{
    return exec(Command::GetAxisParameter, type, motor, 0, address);
}

RecordingModule::Access sap(quint8 type, int value, quint8 motor, quint8 address)
{
    return exec(Command::SetAxisParameter, type, motor, value, address);
}
