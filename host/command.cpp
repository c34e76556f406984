// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command.h"

Command::Command(quint8 address, quint8 command, quint8 type, quint8 motorBank, int value)
    : m_address(address)
    , m_command(command)
    , m_type(type)
    , m_motorBank(motorBank)
    , m_value(value)
{
}
