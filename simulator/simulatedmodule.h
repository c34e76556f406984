// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QString>

#include "moduleinterface.h"
#include "simulatedcommandhandler.h"
#include "simulateddrive.h"
#include "simulationclock.h"

// A module that needs no hardware: three simulated axes (SimulatedDrive) behind the host's
// module interface and a command handler of its own. Both access paths act on the same
// drive; the statuses are SimulatedDrive's.
//
// Time: in real-time mode (the default) the drive catches up with the scaled wall clock
// whenever the module is used, so no timer runs; in manual mode time moves only through
// advance(), which makes motion tests instant and repeatable.
//
// Parameter descriptions come from the drive's catalogue for the scopes "axis0" to
// "axis2"; an unknown key or scope gives a record with number 0 and a warning naming the
// caller, an unknown number a record with number 0.
class SimulatedModule : public ModuleInterface
{
    Q_OBJECT
public:
    explicit SimulatedModule(QWidget* parent = nullptr);
    ~SimulatedModule() override;

    quint8 moduleAddress() const override { return m_address; }
    void setModuleAddress(quint8 address) { m_address = address; }
    QString nameInFirmware() const override { return m_firmwareName; }
    void setFirmwareName(const QString& name) { m_firmwareName = name; }

    // While the device is closed a read gives 0 with *ok false and a write does nothing.
    int getAxisParameter(quint8 type, quint8 motor, bool* ok = nullptr) override;
    void setAxisParameter(quint8 type, quint8 motor, int value) override;
    CommandHandlerInterface* commandHandlerInterface() override { return &m_handler; }
    SimulatedCommandHandler* commandHandler() { return &m_handler; }
    Parameter getParameterAndCheck(QString caller, QString axis, QString name) override;
    Parameter getParameter(QString axis, int number) override;

    // The drive as of the last access; call synchronise() first to see it at now().
    SimulatedDrive* drive() { return &m_drive; }
    // Advances the drive to the clock's present time.
    void synchronise();

    void setDeviceOpen(bool open);
    bool isDeviceOpen() const { return m_deviceOpen; }

    // The built-in encoder of every axis (see SimulatedDrive): 0 counts is an encoder
    // without signal; negative values are ignored.
    void setTrueEncoderResolution(int countsPerRevolution) { m_drive.setTrueEncoderResolution(countsPerRevolution); }
    int trueEncoderResolution() const { return m_drive.trueEncoderResolution(); }
    void setEncoderReversed(bool reversed) { m_drive.setEncoderReversed(reversed); }
    bool encoderReversed() const { return m_drive.encoderReversed(); }
    void setReducedRange(bool on) { m_drive.setReducedRange(on); }
    bool reducedRange() const { return m_drive.reducedRange(); }
    // The motor and its load on every axis; takes effect from the present time on.
    void setMotor(const MotorPhysics::Motor& motor)
    {
        synchronise();
        m_drive.setMotor(motor);
    }
    const MotorPhysics::Motor& motor() const { return m_drive.motor(); }

    void setManualClock(bool manual) { m_clock.setManual(manual); }
    bool isManualClock() const { return m_clock.isManual(); }
    void advance(int milliseconds);
    void setTimeScale(double factor) { m_clock.setTimeScale(factor); }
    double timeScale() const { return m_clock.timeScale(); }
    qint64 now() const { return m_clock.now(); }

    int commandCount() const { return m_handler.commandCount(); }

signals:
    void deviceOpenChanged(bool open);

private:
    bool isKnownScope(const QString& axis) const;

    SimulatedDrive m_drive;
    SimulationClock m_clock;
    qint64 m_synchronised = 0; // clock time the drive has been advanced to
    SimulatedCommandHandler m_handler;
    quint8 m_address = 1;
    QString m_firmwareName = QStringLiteral("7390");
    bool m_deviceOpen = true;
};
