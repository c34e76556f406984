// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "parameter.h"
#include "plugininterface.h"

class CommandHandlerInterface;

// The connected module. Every operation has a harmless default so that a test can override
// only what it needs: reads give 0, writes are dropped, descriptions are empty.
class HOST_EXPORT ModuleInterface : public PluginInterface
{
    Q_OBJECT
public:
    explicit ModuleInterface(QWidget* parent = nullptr);
    ~ModuleInterface() override;

    virtual quint8 moduleAddress() const;
    virtual QString nameInFirmware() const;
    virtual int getAxisParameter(quint8 type, quint8 motor, bool* ok = nullptr);
    virtual void setAxisParameter(quint8 type, quint8 motor, int value);
    virtual CommandHandlerInterface* commandHandlerInterface();
    // An unknown name gives a record with number 0 and a warning naming the caller.
    virtual Parameter getParameterAndCheck(QString caller, QString axis, QString name);
    virtual Parameter getParameter(QString axis, int number);
};
