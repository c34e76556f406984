// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include "hostexport.h"

// One request to or reply from the module. Status 100 means success.
class HOST_EXPORT Command
{
public:
    Command() = default;
    Command(quint8 address, quint8 command, quint8 type, quint8 motorBank, int value);

    void setAddress(quint8 address) { m_address = address; }
    void setCommand(quint8 command) { m_command = command; }
    void setType(quint8 type) { m_type = type; }
    void setMotorBank(quint8 motorBank) { m_motorBank = motorBank; }
    void setValue(int value) { m_value = value; }
    void setStatus(int status) { m_status = status; }

    quint8 address() const { return m_address; }
    quint8 command() const { return m_command; }
    quint8 type() const { return m_type; }
    quint8 motorBank() const { return m_motorBank; }
    int value() const { return m_value; }
    int status() const { return m_status; }

    static const int StatusOk = 100;
    enum Number : quint8 { Stop = 3, Move = 4, SetAxisParameter = 5, GetAxisParameter = 6 };

private:
    quint8 m_address = 0;
    quint8 m_command = 0;
    quint8 m_type = 0;
    quint8 m_motorBank = 0;
    int m_value = 0;
    int m_status = 0;
};
