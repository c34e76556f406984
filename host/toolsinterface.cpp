// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolsinterface.h"

ToolsInterface::ToolsInterface(QWidget* parent)
    : PluginInterface(parent)
{
}

ToolsInterface::~ToolsInterface() = default;

bool ToolsInterface::selectSubWidget(int)
{
    return false;
}

QStringList ToolsInterface::compatibleVariants()
{
    return QStringList();
}

QWidget* ToolsInterface::subWidget(int)
{
    return nullptr;
}

void ToolsInterface::updateSubWidgetValues(int)
{
}

void ToolsInterface::registerSubWidgetTraces(int)
{
}

void ToolsInterface::unRegisterSubWidgetTraces(int)
{
}

// Arguments by value: the host's declarations.
ReRezorInterface* ToolsInterface::createInstance(QString, quint8, ModuleInterface*) // clazy:exclude=function-args-by-ref
{
    return nullptr;
}

void ToolsInterface::handleMessageFromToolsPlugin(int, QString) // clazy:exclude=function-args-by-ref
{
}

void ToolsInterface::handleChangedParameterList()
{
}

QList<int> ToolsInterface::subWidgetIds() const
{
    return m_subWidgetIds;
}
