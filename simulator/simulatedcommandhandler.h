// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "commandhandlerinterface.h"

class SimulatedModule;

// The simulated module's command channel. While the device is closed a request is counted
// but not carried out, and the reply stays as the caller made it.
class SimulatedCommandHandler : public CommandHandlerInterface
{
public:
    explicit SimulatedCommandHandler(SimulatedModule* module);
    Q_DISABLE_COPY(SimulatedCommandHandler)

    bool isDeviceOpen() const override;
    void executeCommand(Command* request, Command* reply) override;
    // The simulated module has no polling of its own to interleave; the mode is only kept.
    void setCircularMode(bool on) override { m_circular = on; }

    bool circularMode() const { return m_circular; }
    int commandCount() const { return m_commandCount; } // executeCommand calls, open or not

private:
    SimulatedModule* m_module;
    bool m_circular = false;
    int m_commandCount = 0;
};
