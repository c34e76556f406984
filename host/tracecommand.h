// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "hostexport.h"

// A polling request the host repeats until it is handed back.
class HOST_EXPORT TraceCommand
{
public:
    TraceCommand(quint8 address, quint8 motorBank, quint8 command, quint8 type, QString caption);

    quint8 address() const { return m_address; }
    quint8 motorBank() const { return m_motorBank; }
    quint8 command() const { return m_command; }
    quint8 type() const { return m_type; }
    QString caption() const { return m_caption; }

    QString toString() const;

private:
    quint8 m_address;
    quint8 m_motorBank;
    quint8 m_command;
    quint8 m_type;
    QString m_caption;
};
