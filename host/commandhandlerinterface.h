// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include "hostexport.h"

class Command;

// The host's synchronous channel to the module.
class HOST_EXPORT CommandHandlerInterface
{
public:
    CommandHandlerInterface() = default;
    Q_DISABLE_COPY(CommandHandlerInterface)
    virtual ~CommandHandlerInterface();
    virtual bool isDeviceOpen() const = 0;
    // Fills the reply before it returns.
    virtual void executeCommand(Command* request, Command* reply) = 0;
    // Circular mode lets the host interleave its own polling between the requests of one
    // burst; a module without such polling may ignore it.
    virtual void setCircularMode(bool on) = 0;
};
