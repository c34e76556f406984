// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QRect>
#include <QSize>

class PluginHost;
class QMdiArea;
class QSettings;
class QWidget;
class ToolWindow;

// The arrangement of the workbench: the main window's geometry and, for each tool (by its
// sub-widget id), where its window sits in the window area and whether it is open. It is
// remembered between runs under the groups "window" and "tools", the scope's under "scope".
//
// The tools choose their windows' places themselves on their first show; those are the
// defaults "Reset layout" goes back to, with only the Start Up tool open, the scope closed at
// its first place and the main window within its screen. Whatever else was
// open, the Start Up tool, the plug-in's main view, is opened last and is the active window.
class WindowLayout : public QObject
{
    Q_OBJECT
public:
    static constexpr int StartUpId = 50;

    // Arranges the tools of host in area, the window area inside window; takes the window's
    // present size as its default. Owned by the window.
    WindowLayout(QWidget* window, QMdiArea* area, PluginHost* host);

    // Reads a saved arrangement: the main window's geometry at once, the tools' when they exist.
    void load(QSettings& settings);
    void save(QSettings& settings) const;

    // Called once the tools exist (again): notes the places they chose and, from the event
    // loop, after they have found each other, puts the windows where they were and opens the
    // Start Up tool.
    void toolsCreated();
    // Called before the tools are made again: their arrangement carries over to the new ones.
    void keepCurrent();
    // How to reach the scope: its window in the area (null while it was never opened), and
    // how to open it.
    void setScope(std::function<QWidget*()> window, std::function<void()> open);

    // A saved place for a window in an area of the given size, moved so that its title bar
    // can be reached; an empty rectangle when nothing usable was saved.
    static QRect fitted(QRect saved, QSize area);
    // The scope's first place in an area of the given size: at the top right, at most 960 by 760.
    static QRect scopePlace(QSize area);

public slots:
    void reset();
    void openStartUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Tool
    {
        QRect geometry;
        bool open = false;
        bool maximized = false;
    };
    QMap<int, Tool> current() const;
    void arrange();
    void growToFit(ToolWindow* window);
    void arrangeScope();
    QWidget* scopeWindow() const;

    QWidget* m_window;
    QMdiArea* m_area;
    PluginHost* m_host;
    QSize m_defaultSize;
    QMap<int, QRect> m_defaults; // per sub-widget id, as the tool placed its window, grown to fit
    QMap<int, Tool> m_pending;   // to be applied when the tools exist
    Tool m_scope;                // the scope's, saved apart from the tools'
    std::function<QWidget*()> m_scopeWindow;
    std::function<void()> m_openScope;
};
