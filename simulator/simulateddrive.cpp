// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "simulateddrive.h"

#include <limits>

#include "command.h"

SimulatedDrive::SimulatedDrive()
{
    m_axes.reserve(AxisCount);
    for (int motor = 0; motor < AxisCount; ++motor)
        m_axes.emplace_back(m_catalogue);
    applyEncoder();
}

int SimulatedDrive::execute(Command request, Command* reply)
{
    reply->setAddress(request.address());
    reply->setCommand(request.command());
    reply->setType(request.type());
    reply->setMotorBank(request.motorBank());
    reply->setValue(request.value());

    int status = StatusInvalidCommand;
    switch (request.command()) {
    case Command::Stop:
        status = stop(request.motorBank());
        break;
    case Command::Move:
        status = move(request.motorBank(), request.type(), request.value());
        break;
    case Command::SetAxisParameter:
        status = setAxisParameter(request.type(), request.motorBank(), request.value());
        break;
    case Command::GetAxisParameter: {
        int value = 0;
        status = getAxisParameter(request.type(), request.motorBank(), &value);
        if (status == StatusOk)
            reply->setValue(value);
        break;
    }
    default:
        break;
    }
    reply->setStatus(status);
    return status;
}

int SimulatedDrive::getAxisParameter(int type, int motor, int* value) const
{
    const SimulatedAxis* a = axis(motor);
    if (!a)
        return StatusInvalidMotor;
    if (!m_catalogue.contains(type))
        return StatusWrongType;
    *value = a->value(type);
    return StatusOk;
}

int SimulatedDrive::setAxisParameter(int type, int motor, int value)
{
    SimulatedAxis* a = axis(motor);
    if (!a)
        return StatusInvalidMotor;
    const ParameterCatalogue::Entry* entry = m_catalogue.find(type);
    if (!entry)
        return StatusWrongType;
    if (entry->parameter.readOnly)
        return StatusReadOnly;
    if (!m_catalogue.isInRange(type, value))
        return StatusInvalidValue;
    a->write(type, value);
    return StatusOk;
}

int SimulatedDrive::move(int motor, int type, int value)
{
    SimulatedAxis* a = axis(motor);
    if (!a)
        return StatusInvalidMotor;
    if (type != 0 && type != 1)
        return StatusWrongType;
    const qint64 target = type == 0 ? qint64(value) : qint64(a->value(1)) + value;
    if (target < std::numeric_limits<int>::min() || target > std::numeric_limits<int>::max())
        return StatusInvalidValue;
    a->moveTo(static_cast<int>(target));
    return StatusOk;
}

int SimulatedDrive::stop(int motor)
{
    SimulatedAxis* a = axis(motor);
    if (!a)
        return StatusInvalidMotor;
    a->stop();
    return StatusOk;
}

void SimulatedDrive::advance(qint64 milliseconds)
{
    if (milliseconds <= 0)
        return;
    if (!m_signalSink) {
        for (SimulatedAxis& a : m_axes)
            a.advance(milliseconds);
        m_time += milliseconds;
        return;
    }
    for (qint64 ms = 0; ms < milliseconds; ++ms) {
        for (SimulatedAxis& a : m_axes)
            a.advance(1);
        ++m_time;
        for (int motor = 0; motor < AxisCount; ++motor)
            m_signalSink(m_time, motor, m_axes[std::size_t(motor)].driveSignals());
    }
}

SimulatedAxis* SimulatedDrive::axis(int motor)
{
    return motor >= 0 && motor < AxisCount ? &m_axes[std::size_t(motor)] : nullptr;
}

const SimulatedAxis* SimulatedDrive::axis(int motor) const
{
    return motor >= 0 && motor < AxisCount ? &m_axes[std::size_t(motor)] : nullptr;
}

void SimulatedDrive::setTrueEncoderResolution(int countsPerRevolution)
{
    if (countsPerRevolution < 0)
        return;
    m_encoderCounts = countsPerRevolution;
    applyEncoder();
}

void SimulatedDrive::setEncoderReversed(bool reversed)
{
    m_encoderReversed = reversed;
    applyEncoder();
}

void SimulatedDrive::setReducedRange(bool on)
{
    m_reducedRange = on;
    for (SimulatedAxis& a : m_axes)
        a.setStoredValue(179, on ? 1 : 0);
}

void SimulatedDrive::setMotor(const MotorPhysics::Motor& motor)
{
    m_motor = motor;
    for (SimulatedAxis& a : m_axes)
        a.setMotor(motor);
}

void SimulatedDrive::applyEncoder()
{
    for (SimulatedAxis& a : m_axes)
        a.setEncoder(m_encoderCounts, m_encoderReversed);
}
