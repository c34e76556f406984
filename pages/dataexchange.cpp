// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dataexchange.h"

#include "command.h"
#include "commandhandlerinterface.h"
#include "labelled.h"
#include "labelsignal.h"
#include "moduleinterface.h"
#include "spinbox.h"
#include "tracecommand.h"

namespace {
const char* const TypeProperty = "type";
}

DataExchange::DataExchange(ModuleInterface* module, QWidget* parent)
    : QWidget(parent)
    , m_module(module)
{
    // Only a carrier of values: keep it from appearing when its parent tool is shown.
    hide();
}

DataExchange::~DataExchange()
{
    clearTraces();
}

ModuleInterface* DataExchange::module() const
{
    return m_module;
}

int DataExchange::currentAxis() const
{
    return m_currentAxis;
}

void DataExchange::setCurrentAxis(int axis)
{
    if (axis == m_currentAxis)
        return;
    m_currentAxis = axis;
    clearTraces();

    const quint8 address = m_module ? m_module->moduleAddress() : 0;
    const quint8 motorBank = quint8(axis);
    for (SpinBox* box : qAsConst(m_spinBoxes))
        m_traces.append(new TraceCommand(address, motorBank, Command::GetAxisParameter, quint8(box->sapType()), QStringLiteral("Default")));
    for (LabelLed* led : qAsConst(m_leds))
        m_traces.append(new TraceCommand(address, motorBank, Command::GetAxisParameter,
                                         quint8(led->property(TypeProperty).toUInt()), QStringLiteral("Default")));
    emit currentAxisChanged();
}

QString DataExchange::currentAxisName() const
{
    return QStringLiteral("Motor / Encoder ") + QString::number(m_currentAxis);
}

int DataExchange::measuredVelocity() const
{
    return m_measuredVelocity;
}

void DataExchange::setMeasuredVelocity(int value)
{
    m_measuredVelocity = value;
}

int DataExchange::targetVelocity() const
{
    return m_targetVelocity;
}

void DataExchange::setTargetVelocity(int value)
{
    m_targetVelocity = value;
}

int DataExchange::encoderPosition() const
{
    return m_encoderPosition;
}

void DataExchange::setEncoderPosition(int value)
{
    if (value == m_encoderPosition)
        return;
    m_encoderPosition = value;
    emit encoderPositionyChanged();
}

QList<TraceCommand*> DataExchange::traceCommands() const
{
    return m_traces;
}

void DataExchange::registerSpinBox(SpinBox* spinBox)
{
    m_spinBoxes.append(spinBox);
}

void DataExchange::registerLed(LabelLed* led, int type)
{
    led->setProperty(TypeProperty, type);
    m_leds.append(led);
}

void DataExchange::sendCommand(Command* request, Command* reply)
{
    if (!m_module)
        return;
    CommandHandlerInterface* handler = m_module->commandHandlerInterface();
    if (!handler)
        return;
    if (handler->isDeviceOpen() && request && reply) {
        request->setAddress(m_module->moduleAddress());
        request->setMotorBank(quint8(m_currentAxis));
        handler->executeCommand(request, reply);
    }
    // The host's module object keeps its connection alive through this read.
    m_module->getAxisParameter(0, 0, nullptr);
}

int DataExchange::getAxisParameter(quint8 type, bool* ok)
{
    if (!m_module) {
        if (ok)
            *ok = false;
        return 0;
    }
    return m_module->getAxisParameter(type, quint8(m_currentAxis), ok);
}

void DataExchange::setAxisParameter(quint8 type, int value)
{
    if (m_module)
        m_module->setAxisParameter(type, quint8(m_currentAxis), value);
}

int DataExchange::microstepsPerRevolution()
{
    Command request(0, Command::GetAxisParameter, 140, 0, 0);
    Command reply;
    sendCommand(&request, &reply);
    const int exponent = reply.value();
    request.setType(202);
    sendCommand(&request, &reply);
    const int fullSteps = reply.value();
    // 32-bit signed arithmetic, wrapping like the module's own.
    return int(quint32(1u << (quint32(exponent) % 32u)) * quint32(fullSteps));
}

void DataExchange::replyValue(Command* reply)
{
    if (!reply)
        return;
    const int type = reply->type();
    for (SpinBox* box : qAsConst(m_spinBoxes)) {
        if (box->sapType() == type) {
            box->setValue(reply->value());
            return;
        }
    }
    for (LabelLed* led : qAsConst(m_leds)) {
        if (led->property(TypeProperty).toUInt() == uint(type)) {
            led->labelSignal()->setEnabled(reply->value() != 0);
            return;
        }
    }
}

void DataExchange::clearTraces()
{
    while (!m_traces.isEmpty())
        delete m_traces.takeLast();
}
