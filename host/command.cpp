#include "command.h"

Command::Command(quint8 address, quint8 command, quint8 type, quint8 motorBank, int value)
    : m_address(address)
    , m_command(command)
    , m_type(type)
    , m_motorBank(motorBank)
    , m_value(value)
{
}
