// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPluginLoader>
#include <QPointer>
#include <QString>

class ModuleInterface;
class QMdiArea;
class ReRezorInterface;
class ToolWindow;
class ToolsInterface;
class TracePoller;

// Hosts a tools plug-in the way the host application does: loads it, makes one tool per
// sub-widget id for a module, registers the tools, puts each into a window of its own in
// the window area, feeds their polling requests through a TracePoller and shows each window
// once so that the tool can size it.
//
// Destroying the host destroys its windows and tools first. The library itself stays
// loaded until the process ends: the plug-in's factory is shared by every loader of the
// same file, and code of an unloaded library must never run again.
class PluginHost : public QObject
{
    Q_OBJECT
public:
    explicit PluginHost(QObject* parent = nullptr);
    ~PluginHost() override;

    bool load(const QString& path);
    bool isLoaded() const;
    QString errorString() const;
    ToolsInterface* factory() const;

    // Makes the tools for a module; a second call replaces the tools of the first. The
    // module gets moduleKey as its key and the tools keys beginning with it.
    QList<ReRezorInterface*> createTools(ModuleInterface* module, QMdiArea* area, const QString& moduleKey);
    // Destroys the windows and the tools in them.
    void destroyTools();

    QList<int> subWidgetIds() const;
    ToolWindow* windowOf(int subWidgetId) const;
    ReRezorInterface* tool(int subWidgetId) const;
    QList<ReRezorInterface*> tools() const;
    TracePoller* poller() const;

private:
    QPluginLoader m_loader;
    QPointer<ToolsInterface> m_factory;
    QString m_error;
    QPointer<TracePoller> m_poller;
    QList<int> m_ids;                            // in creation order
    QMap<int, QPointer<ToolWindow>> m_windows;
    QMap<int, QPointer<ReRezorInterface>> m_tools;
};
