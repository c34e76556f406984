// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class Command;
class LabelLed;
class ModuleInterface;
class SpinBox;
class TraceCommand;

// The one object through which the pages of a module reach it: the current axis, single
// requests, axis-parameter access, and the live values polled through the host.
class DataExchange : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int currentAxis READ currentAxis WRITE setCurrentAxis NOTIFY currentAxisChanged)
    Q_PROPERTY(int measuredVelocity READ measuredVelocity WRITE setMeasuredVelocity NOTIFY measuredVelocityChanged)
    Q_PROPERTY(int targetVelocity READ targetVelocity WRITE setTargetVelocity NOTIFY targetVelocityChanged)
    Q_PROPERTY(int encoderPosition READ encoderPosition WRITE setEncoderPosition NOTIFY encoderPositionyChanged)
public:
    DataExchange(ModuleInterface* module, QWidget* parent);
    ~DataExchange() override;

    ModuleInterface* module() const;

    int currentAxis() const;
    void setCurrentAxis(int axis);
    QString currentAxisName() const;

    int measuredVelocity() const;
    void setMeasuredVelocity(int value);
    int targetVelocity() const;
    void setTargetVelocity(int value);
    int encoderPosition() const;
    void setEncoderPosition(int value);

    QList<TraceCommand*> traceCommands() const;
    void registerSpinBox(SpinBox* spinBox);
    void registerLed(LabelLed* led, int type);

    void sendCommand(Command* request, Command* reply);
    // ok, when given, tells whether the module answered.
    int getAxisParameter(quint8 type, bool* ok = nullptr);
    void setAxisParameter(quint8 type, int value);
    int microstepsPerRevolution();

    void replyValue(Command* reply);

signals:
    void currentAxisChanged();
    void currentAxisNameChanged();
    void measuredVelocityChanged();
    void targetVelocityChanged();
    void encoderPositionyChanged();

private:
    void clearTraces();

    ModuleInterface* m_module;
    QList<TraceCommand*> m_traces;
    QList<SpinBox*> m_spinBoxes;
    QList<LabelLed*> m_leds;
    int m_currentAxis = -1;
    int m_measuredVelocity = 0;
    int m_targetVelocity = 0;
    int m_encoderPosition = 0;
};
