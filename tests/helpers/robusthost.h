// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QMdiArea>
#include <QMessageBox>
#include <QTimer>

#include "pluginhost.h"
#include "toolwindow.h"

// The real plug-in's four tools of one module, each in a window of a visible area as the workbench
// hosts them, polled only when a test says so; pages are reached by object name. The plug-in's
// debug lines are still built, so that their arguments are touched, but not printed.
class RobustHost
{
public:
    enum Id { StartUp = 50, Motor, Encoder, ClosedLoop };
    static QList<int> ids() { return {StartUp, Motor, Encoder, ClosedLoop}; }

    explicit RobustHost(ModuleInterface* module);
    ~RobustHost() { m_host.destroyTools(); }
    bool start(const QString& pluginPath);
    QString errorString() const { return m_host.errorString(); }

    TracePoller* poller() const { return m_host.poller(); }
    ReRezorInterface* tool(int id) const { return m_host.tool(id); }
    ToolWindow* window(int id) const { return m_host.windowOf(id); }
    QWidget* page(int id) const;
    template <class T> T* child(int id, const char* name) const
    {
        return page(id) ? page(id)->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    // Raises the tool's window; true when its page shows.
    bool show(int id) { window(id)->activateWindow(); QCoreApplication::processEvents(); return page(id)->isVisible(); }
    // From now on every question is answered from inside its own loop, alternately Yes and No.
    void answerQuestions(QMessageBox::StandardButton first) { m_next = first; m_answerer.start(1); }

private:
    ModuleInterface* m_module;
    QMdiArea m_area; // before the host, whose windows live in it
    PluginHost m_host;
    QTimer m_answerer;
    QMessageBox::StandardButton m_next = QMessageBox::Yes;
};
