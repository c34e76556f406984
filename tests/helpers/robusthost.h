#pragma once

#include <QMdiArea>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "pluginhost.h"

class ModuleInterface;
class ReRezorInterface;
class ToolWindow;
class TracePoller;

// The real plug-in, loaded from its file and hosted as the workbench hosts it: the four tools
// of one module, each in a window of a visible window area, wired by the Start Up tool's
// completeness check. Pages and controls are reached by object name only.
class RobustHost
{
public:
    enum Id { StartUp = 50, Motor = 51, Encoder = 52, ClosedLoop = 53 };

    explicit RobustHost(ModuleInterface* module);
    ~RobustHost();
    RobustHost(const RobustHost&) = delete;
    RobustHost& operator=(const RobustHost&) = delete;

    // Loads the plug-in from its file, makes the tools and waits until the pages are wired
    // (axis 0 selected).
    bool start(const QString& pluginPath);
    QString errorString() const { return m_error; }

    PluginHost& host() { return m_host; }
    QMdiArea& area() { return m_area; }
    TracePoller* poller() const { return m_host.poller(); }
    ReRezorInterface* tool(int id) const { return m_host.tool(id); }
    ToolWindow* window(int id) const { return m_host.windowOf(id); }
    // The page of a tool, found by its object name; null when the tool is gone.
    QWidget* page(int id) const;
    // The Start Up tool's shared object; null when that tool is gone.
    QObject* dataExchange() const;
    // Its "currentAxis" property; -2 without the object.
    int currentAxis() const;

    template <typename T>
    T* find(int id, const QString& name) const
    {
        QWidget* p = page(id);
        return p ? p->findChild<T*>(name) : nullptr;
    }

    static QString pageName(int id);
    static QList<int> ids() { return {StartUp, Motor, Encoder, ClosedLoop}; }

private:
    ModuleInterface* m_module;
    QString m_key;
    QString m_error;
    // Declared before the host: the host's windows live in the area and go first.
    QMdiArea m_area;
    PluginHost m_host;
};
