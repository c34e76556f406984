// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tracecommand.h"

// Arguments by value: the host's declaration.
TraceCommand::TraceCommand(quint8 address, quint8 motorBank, quint8 command, quint8 type, QString caption) // clazy:exclude=function-args-by-ref
    : m_address(address)
    , m_motorBank(motorBank)
    , m_command(command)
    , m_type(type)
    , m_caption(caption)
{
}

QString TraceCommand::toString() const
{
    return QStringLiteral("TraceCommand(address %1, motor bank %2, command %3, type %4, caption \"%5\")")
        .arg(m_address)
        .arg(m_motorBank)
        .arg(m_command)
        .arg(m_type)
        .arg(m_caption);
}
