// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "plugininterface.h"

class ModuleInterface;
class ReRezorInterface;

// The factory side of a tools plug-in. The base implementations do nothing.
class HOST_EXPORT ToolsInterface : public PluginInterface
{
    Q_OBJECT
public:
    explicit ToolsInterface(QWidget* parent = nullptr);
    ~ToolsInterface() override;

    virtual bool selectSubWidget(int id);
    virtual QStringList compatibleVariants();
    virtual QWidget* subWidget(int id);
    virtual void updateSubWidgetValues(int id);
    virtual void registerSubWidgetTraces(int id);
    virtual void unRegisterSubWidgetTraces(int id);
    virtual ReRezorInterface* createInstance(QString text, quint8 number, ModuleInterface* module);
    virtual void handleMessageFromToolsPlugin(int id, QString message);
    virtual void handleChangedParameterList();

    QList<int> subWidgetIds() const;

protected:
    QList<int> m_subWidgetIds;
};

#define ToolsInterface_iid "com.rerezor.ToolsInterface/2.0"
Q_DECLARE_INTERFACE(ToolsInterface, ToolsInterface_iid)
