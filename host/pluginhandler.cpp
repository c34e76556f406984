// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pluginhandler.h"

#include "plugininterface.h"
#include "rerezorinterface.h"

PluginHandler::PluginHandler() = default;

PluginHandler* PluginHandler::instance()
{
    static PluginHandler handler;
    return &handler;
}

void PluginHandler::registerPlugin(int type, const QString& key, PluginInterface* plugin)
{
    if (!plugin)
        return;
    unregisterPlugin(key);
    plugin->setKey(key);
    m_entries.append({type, key, plugin});
    // A key has one entry, and registering or unregistering it drops this connection, so the
    // key alone finds the entry. The guarded pointer must not be touched here: a widget sends
    // destroyed() before the pointer is cleared, when it is no longer a PluginInterface.
    connect(plugin, &QObject::destroyed, this, [this, key]() {
        for (int i = 0; i < m_entries.size(); ++i) {
            if (m_entries.at(i).key == key) {
                m_entries.removeAt(i);
                return;
            }
        }
    });
}

void PluginHandler::unregisterPlugin(const QString& key)
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).key == key) {
            if (PluginInterface* plugin = m_entries.at(i).plugin)
                disconnect(plugin, &QObject::destroyed, this, nullptr);
            m_entries.removeAt(i);
            return;
        }
    }
}

QStringList PluginHandler::getPluginKeysByType(int type) const
{
    QStringList keys;
    for (const Entry& entry : m_entries) {
        if (entry.type == type && entry.plugin)
            keys.append(entry.key);
    }
    return keys;
}

ReRezorInterface* PluginHandler::getReRezorPlugin(const QString& key) const
{
    for (const Entry& entry : m_entries) {
        if (entry.key == key)
            return qobject_cast<ReRezorInterface*>(entry.plugin.data());
    }
    return nullptr;
}
