// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "simulatedmodule.h"

#include <QCoreApplication>
#include <QDebug>

SimulatedModule::SimulatedModule(QWidget* parent)
    : ModuleInterface(parent)
    , m_handler(this)
{
    m_synchronised = m_clock.now();
}

SimulatedModule::~SimulatedModule() = default;

int SimulatedModule::getAxisParameter(quint8 type, quint8 motor, bool* ok)
{
    int value = 0;
    bool success = false;
    if (m_deviceOpen) {
        synchronise();
        success = m_drive.getAxisParameter(type, motor, &value) == SimulatedDrive::StatusOk;
    }
    if (ok)
        *ok = success;
    return success ? value : 0;
}

void SimulatedModule::setAxisParameter(quint8 type, quint8 motor, int value)
{
    if (!m_deviceOpen)
        return;
    synchronise();
    m_drive.setAxisParameter(type, motor, value);
}

namespace {
// The unit as the user reads it, in the interface language (the catalogue marks the units
// that differ between languages).
Parameter localised(Parameter parameter)
{
    parameter.unit = QCoreApplication::translate("ParameterCatalogue", parameter.unit.toUtf8().constData());
    return parameter;
}
} // namespace

// Arguments by value: the host's declarations.
Parameter SimulatedModule::getParameterAndCheck(QString caller, QString axis, QString name) // clazy:exclude=function-args-by-ref
{
    const ParameterCatalogue::Entry* entry = isKnownScope(axis) ? m_drive.catalogue().find(name) : nullptr;
    Parameter parameter;
    if (entry) {
        parameter = entry->parameter;
    } else {
        qWarning().noquote() << caller << "asks for the unknown parameter" << name << "of" << axis;
        parameter.name = name;
    }
    parameter.scope = axis;
    return localised(parameter);
}

Parameter SimulatedModule::getParameter(QString axis, int number) // clazy:exclude=function-args-by-ref
{
    const ParameterCatalogue::Entry* entry = isKnownScope(axis) ? m_drive.catalogue().find(number) : nullptr;
    Parameter parameter = entry ? entry->parameter : Parameter();
    parameter.scope = axis;
    return localised(parameter);
}

void SimulatedModule::synchronise()
{
    const qint64 now = m_clock.now();
    if (now > m_synchronised) {
        m_drive.advance(now - m_synchronised);
        m_synchronised = now;
    }
}

void SimulatedModule::setDeviceOpen(bool open)
{
    if (open == m_deviceOpen)
        return;
    m_deviceOpen = open;
    emit deviceOpenChanged(open);
}

void SimulatedModule::advance(int milliseconds)
{
    m_clock.advance(milliseconds);
    synchronise();
}

bool SimulatedModule::isKnownScope(const QString& axis) const
{
    for (int motor = 0; motor < SimulatedDrive::AxisCount; ++motor) {
        if (axis == QStringLiteral("axis%1").arg(motor))
            return true;
    }
    return false;
}
