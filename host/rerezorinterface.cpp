// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rerezorinterface.h"

// Arguments by value: the host's declaration.
ReRezorInterface::ReRezorInterface(QString text, QString name, int type, int subWidgetId, quint8 number, // clazy:exclude=function-args-by-ref
                                   ModuleInterface* module, QString iconPath) // clazy:exclude=function-args-by-ref
    : m_text(text)
    , m_name(name)
    , m_type(type)
    , m_subWidgetId(subWidgetId)
    , m_number(number)
    , m_module(module)
    , m_iconPath(iconPath)
{
}

ReRezorInterface::~ReRezorInterface() = default;

QString ReRezorInterface::toolsName() const
{
    return m_name;
}

void ReRezorInterface::setToolsName(const QString& name)
{
    m_name = name;
}

int ReRezorInterface::toolsType() const
{
    return m_type;
}

int ReRezorInterface::toolsVariant() const
{
    return m_subWidgetId;
}

ModuleInterface* ReRezorInterface::module() const
{
    return m_module;
}

QString ReRezorInterface::text() const
{
    return m_text;
}

quint8 ReRezorInterface::number() const
{
    return m_number;
}

QString ReRezorInterface::iconPath() const
{
    return m_iconPath;
}

void ReRezorInterface::setFreeAxis()
{
    m_freeAxis = true;
}

bool ReRezorInterface::isFreeAxis() const
{
    return m_freeAxis;
}
