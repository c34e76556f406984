// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plugininterface.h"

PluginInterface::PluginInterface(QWidget* parent)
    : QWidget(parent)
{
}

PluginInterface::~PluginInterface() = default;

QString PluginInterface::key() const
{
    return m_key;
}

void PluginInterface::setKey(const QString& key)
{
    m_key = key;
}

QString PluginInterface::versionText()
{
    return QString();
}

void PluginInterface::aboutToExit()
{
}

void PluginInterface::showPlugin()
{
}

void PluginInterface::removeAllTraces()
{
}

void PluginInterface::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showPlugin();
}

void PluginInterface::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    removeAllTraces();
}
