// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "moduleinterface.h"

#include <QDebug>

ModuleInterface::ModuleInterface(QWidget* parent)
    : PluginInterface(parent)
{
}

ModuleInterface::~ModuleInterface() = default;

quint8 ModuleInterface::moduleAddress() const
{
    return 1;
}

QString ModuleInterface::nameInFirmware() const
{
    return QString();
}

int ModuleInterface::getAxisParameter(quint8, quint8, bool* ok)
{
    if (ok)
        *ok = false;
    return 0;
}

void ModuleInterface::setAxisParameter(quint8, quint8, int)
{
}

CommandHandlerInterface* ModuleInterface::commandHandlerInterface()
{
    return nullptr;
}

// Arguments by value: the host's declaration.
Parameter ModuleInterface::getParameterAndCheck(QString caller, QString axis, QString name) // clazy:exclude=function-args-by-ref
{
    qWarning().noquote() << caller << ": unknown parameter" << name << "of" << axis;
    return Parameter();
}

Parameter ModuleInterface::getParameter(QString, int) // clazy:exclude=function-args-by-ref
{
    return Parameter();
}
