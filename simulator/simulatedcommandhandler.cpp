// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "simulatedcommandhandler.h"

#include "command.h"
#include "simulateddrive.h"
#include "simulatedmodule.h"

SimulatedCommandHandler::SimulatedCommandHandler(SimulatedModule* module)
    : m_module(module)
{
}

bool SimulatedCommandHandler::isDeviceOpen() const
{
    return m_module->isDeviceOpen();
}

void SimulatedCommandHandler::executeCommand(Command* request, Command* reply)
{
    ++m_commandCount;
    if (!m_module->isDeviceOpen() || !request || !reply)
        return;
    m_module->synchronise();
    m_module->drive()->execute(*request, reply);
}
