// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "hostexport.h"

class PluginInterface;
class ReRezorInterface;

// The host's registry of loaded plug-ins. A plug-in leaves it when it is destroyed.
// One per process, reached through instance().
class HOST_EXPORT PluginHandler : public QObject // clazy:exclude=ctor-missing-parent-argument
{
    Q_OBJECT
public:
    static PluginHandler* instance();

    static const int ToolsType = 9;

    void registerPlugin(int type, const QString& key, PluginInterface* plugin);
    void unregisterPlugin(const QString& key);
    QStringList getPluginKeysByType(int type) const;
    ReRezorInterface* getReRezorPlugin(const QString& key) const;

private:
    PluginHandler();
    struct Entry
    {
        int type;
        QString key;
        QPointer<PluginInterface> plugin;
    };
    QList<Entry> m_entries;
};
