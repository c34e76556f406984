// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include "command.h"
#include "commandhandlerinterface.h"
#include "moduleinterface.h"

// A module that answers from a table and records every access, for exact-sequence tests.
class RecordingModule : public ModuleInterface, public CommandHandlerInterface
{
    Q_OBJECT
public:
    struct Access
    {
        enum Kind { Execute, Get, Set, Circular };
        Kind kind;
        quint8 address;
        quint8 command; // Execute only
        quint8 type;
        quint8 motor;
        int value;      // request value; for Circular 1 or 0
        QString toString() const;
        bool operator==(Access other) const;
    };

    explicit RecordingModule(QWidget* parent = nullptr);

    // ModuleInterface
    quint8 moduleAddress() const override { return m_address; }
    QString nameInFirmware() const override { return m_firmware; }
    int getAxisParameter(quint8 type, quint8 motor, bool* ok = nullptr) override;
    void setAxisParameter(quint8 type, quint8 motor, int value) override;
    CommandHandlerInterface* commandHandlerInterface() override { return m_hasHandler ? this : nullptr; }
    Parameter getParameterAndCheck(QString caller, QString axis, QString name) override;
    Parameter getParameter(QString axis, int number) override;

    // CommandHandlerInterface
    bool isDeviceOpen() const override { return m_open; }
    void executeCommand(Command* request, Command* reply) override;
    void setCircularMode(bool on) override;

    // Set-up
    void setModuleAddress(quint8 address) { m_address = address; }
    void setFirmwareName(const QString& name) { m_firmware = name; }
    void setDeviceOpen(bool open) { m_open = open; }
    void setHasHandler(bool has) { m_hasHandler = has; }
    void setValue(int type, int value, int motor = -1); // motor -1: every motor
    int value(int type, int motor = 0) const;
    void setFailing(int type, bool failing = true);     // GAP/SAP of this type answer status 4

    // Recorded accesses; keep-alive reads (GAP 0 on motor 0 through the module) are left out
    // unless includeKeepAlive.
    QList<Access> accesses(bool includeKeepAlive = false) const;
    QStringList log() const;              // accesses() as readable lines
    void clearLog() { m_log.clear(); }

    static Parameter describe(int number, const QString& name);

private:
    quint8 m_address = 1;
    QString m_firmware = QStringLiteral("7390");
    bool m_open = true;
    bool m_hasHandler = true;
    QHash<int, QHash<int, int>> m_values; // motor -> type -> value
    QSet<int> m_failing;
    QHash<QString, int> m_numbers;
    QHash<QString, double> m_scales;
    QList<Access> m_log;
};

// Builds the expected access of an executeCommand request.
RecordingModule::Access exec(quint8 command, quint8 type, quint8 motor, int value, quint8 address = 1);
RecordingModule::Access gap(quint8 type, quint8 motor = 0, quint8 address = 1);
RecordingModule::Access sap(quint8 type, int value, quint8 motor = 0, quint8 address = 1);
// For QCOMPARE of accesses.
inline char* toString(RecordingModule::Access access) { return qstrdup(qPrintable(access.toString())); }
