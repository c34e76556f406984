// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowlayout.h"

#include <QEvent>
#include <QLayout>
#include <QMdiArea>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>

#include "pluginhost.h"
#include "scopewindow.h"
#include "toolwindow.h"

namespace {

// How much of a window's top edge must lie inside the area to grab it by its title bar.
const int GripWidth = 60;
const int GripHeight = 20;

// The window size at which its page shows without scrolling, wherever the window stands and
// however large it is: the frame around the page's view (without the scroll bars, which go
// away) plus the least size the page can be laid out in. Invalid for a page that does not scroll.
QSize needed(ToolWindow* window)
{
    QWidget* tool = window->tool();
    auto* scroll = tool ? tool->findChild<QScrollArea*>() : nullptr;
    QWidget* page = scroll ? scroll->widget() : nullptr;
    if (!page)
        return QSize();
    const QSize content = scroll->widgetResizable() ? page->minimumSizeHint().expandedTo(page->minimumSize()) : page->size();
    const QScrollBar* across = scroll->horizontalScrollBar();
    const QScrollBar* down = scroll->verticalScrollBar();
    const QSize bars(down->isVisible() ? down->width() : 0, across->isVisible() ? across->height() : 0);
    return window->size() - scroll->viewport()->size() - bars + content;
}

} // namespace

WindowLayout::WindowLayout(QWidget* window, QMdiArea* area, PluginHost* host)
    : QObject(window)
    , m_window(window)
    , m_area(area)
    , m_host(host)
    , m_defaultSize(window->size())
{
}

void WindowLayout::load(QSettings& settings)
{
    const QByteArray geometry = settings.value(QStringLiteral("window/geometry")).toByteArray();
    if (!geometry.isEmpty() && !m_window->restoreGeometry(geometry))
        qWarning("Ignoring the saved window geometry in %s", qPrintable(settings.fileName()));

    m_pending.clear();
    settings.beginGroup(QStringLiteral("tools"));
    const QStringList groups = settings.childGroups();
    for (const QString& group : groups) {
        bool ok = false;
        const int id = group.toInt(&ok);
        if (!ok)
            continue;
        Tool tool;
        tool.geometry = settings.value(group + QStringLiteral("/geometry")).toRect();
        tool.open = settings.value(group + QStringLiteral("/open")).toBool();
        tool.maximized = settings.value(group + QStringLiteral("/maximized")).toBool();
        m_pending.insert(id, tool);
    }
    settings.endGroup();
    m_scope.geometry = settings.value(QStringLiteral("scope/geometry")).toRect();
    m_scope.open = settings.value(QStringLiteral("scope/open")).toBool();
}

void WindowLayout::save(QSettings& settings) const
{
    settings.setValue(QStringLiteral("window/geometry"), m_window->saveGeometry());
    settings.remove(QStringLiteral("tools"));
    settings.beginGroup(QStringLiteral("tools"));
    const QMap<int, Tool> tools = current();
    for (auto it = tools.cbegin(); it != tools.cend(); ++it) {
        const QString group = QString::number(it.key());
        settings.setValue(group + QStringLiteral("/geometry"), it->geometry);
        settings.setValue(group + QStringLiteral("/open"), it->open);
        settings.setValue(group + QStringLiteral("/maximized"), it->maximized);
    }
    settings.endGroup();
    // A scope never opened keeps what was saved.
    if (QWidget* scope = scopeWindow()) {
        settings.setValue(QStringLiteral("scope/geometry"), scope->geometry());
        settings.setValue(QStringLiteral("scope/open"), !scope->isHidden());
    }
}

QMap<int, WindowLayout::Tool> WindowLayout::current() const
{
    QMap<int, Tool> tools;
    const QList<int> ids = m_host->subWidgetIds();
    for (int id : ids) {
        ToolWindow* window = m_host->windowOf(id);
        if (!window)
            continue;
        Tool tool;
        tool.geometry = window->geometry();
        // A closed main window hides its children without marking them hidden.
        tool.open = !window->isHidden();
        tool.maximized = window->isMaximized();
        tools.insert(id, tool);
    }
    return tools;
}

void WindowLayout::toolsCreated()
{
    m_defaults.clear();
    const QList<int> ids = m_host->subWidgetIds();
    for (int id : ids) {
        if (ToolWindow* window = m_host->windowOf(id)) {
            m_defaults.insert(id, window->geometry());
            window->installEventFilter(this);
        }
    }
    QTimer::singleShot(0, this, &WindowLayout::arrange);
}

bool WindowLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        watched->removeEventFilter(this);
        // Once the page is laid out in its window.
        QTimer::singleShot(0, this, [this, window = QPointer<ToolWindow>(qobject_cast<ToolWindow*>(watched))]() {
            if (window)
                growToFit(window);
        });
    }
    return QObject::eventFilter(watched, event);
}

// The tools size their windows from their pages' first layout, which comes out too small for
// a page with wider fonts. On a window's first showing its default grows until the page needs
// no scrolling, as far as the area allows, wherever the window stands then (a saved layout
// may have put it elsewhere); "Reset layout" goes back to the grown size. A window still at
// its default place grows at once.
void WindowLayout::growToFit(ToolWindow* window)
{
    int id = -1;
    const QList<int> ids = m_host->subWidgetIds();
    for (int candidate : ids)
        if (m_host->windowOf(candidate) == window)
            id = candidate;
    if (!m_defaults.contains(id))
        return;
    if (!window->isVisible()) { // closed again at once: measured when it stays
        window->installEventFilter(this);
        return;
    }
    const QSize need = needed(window);
    if (!need.isValid())
        return;
    const QRect chosen = m_defaults.value(id);
    const QSize room = m_area->size() - QSize(qMax(0, chosen.left()), qMax(0, chosen.top()));
    QRect grown = chosen;
    grown.setWidth(qMax(chosen.width(), qMin(need.width(), room.width())));
    grown.setHeight(qMax(chosen.height(), qMin(need.height(), room.height())));
    m_defaults.insert(id, grown);
    if (window->geometry() == chosen && !window->isMaximized())
        window->setGeometry(grown);
}

void WindowLayout::keepCurrent()
{
    const QMap<int, Tool> tools = current();
    if (!tools.isEmpty())
        m_pending = tools;
}

void WindowLayout::arrange()
{
    const QSize area = m_area->size();
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        ToolWindow* window = m_host->windowOf(it.key());
        if (!window)
            continue;
        const QRect geometry = fitted(it->geometry, area);
        if (!geometry.isEmpty())
            window->setGeometry(geometry);
        if (it->open && it.key() != StartUpId) {
            window->activateWindow();
            if (it->maximized)
                window->showMaximized();
        }
    }
    const Tool startUp = m_pending.value(StartUpId);
    m_pending.clear();
    arrangeScope();
    openStartUp();
    if (startUp.maximized)
        if (ToolWindow* window = m_host->windowOf(StartUpId))
            window->showMaximized();
}

void WindowLayout::setScope(std::function<QWidget*()> window, std::function<void()> open)
{
    m_scopeWindow = std::move(window);
    m_openScope = std::move(open);
}

QWidget* WindowLayout::scopeWindow() const
{
    return m_scopeWindow ? m_scopeWindow() : nullptr;
}

void WindowLayout::arrangeScope()
{
    if (!m_scope.open || scopeWindow() || !m_openScope)
        return;
    m_openScope();
    const QRect geometry = fitted(m_scope.geometry, m_area->size());
    if (QWidget* scope = scopeWindow(); scope && !geometry.isEmpty())
        scope->setGeometry(geometry);
}

QRect WindowLayout::fitted(QRect saved, QSize area)
{
    if (!saved.isValid() || saved.isEmpty() || area.isEmpty())
        return QRect();
    QRect rect = saved;
    // Keep a grip on the title bar: not above the area, and some of it inside horizontally
    // and vertically.
    if (rect.top() < 0)
        rect.moveTop(0);
    if (rect.top() > area.height() - GripHeight)
        rect.moveTop(qMax(0, area.height() - GripHeight));
    if (rect.left() + rect.width() < GripWidth)
        rect.moveLeft(GripWidth - rect.width());
    if (rect.left() > area.width() - GripWidth)
        rect.moveLeft(qMax(0, area.width() - GripWidth));
    return rect;
}

void WindowLayout::reset()
{
    if (m_window->isMaximized() || m_window->isMinimized() || m_window->isFullScreen())
        m_window->showNormal();
    m_window->resize(m_defaultSize);
    for (auto it = m_defaults.cbegin(); it != m_defaults.cend(); ++it) {
        ToolWindow* window = m_host->windowOf(it.key());
        if (!window)
            continue;
        if (window->isMaximized() || window->isMinimized())
            window->showNormal();
        window->setGeometry(it.value());
        if (it.key() != StartUpId)
            window->hide();
    }
    if (const QScreen* screen = m_window->screen()) {
        const QRect room = screen->availableGeometry();
        QRect frame = m_window->frameGeometry();
        frame.setSize(frame.size().boundedTo(room.size()));
        frame.moveLeft(qBound(room.left(), frame.left(), room.right() - frame.width() + 1));
        frame.moveTop(qBound(room.top(), frame.top(), room.bottom() - frame.height() + 1));
        if (frame != m_window->frameGeometry()) {
            m_window->resize(m_window->size().boundedTo(room.size() - (m_window->frameGeometry().size() - m_window->size())));
            m_window->move(frame.topLeft());
        }
    }
    // Placed in the area as the window's new size leaves it.
    if (QLayout* layout = m_window->layout())
        layout->activate();
    if (QWidget* scope = scopeWindow()) {
        if (scope->isMaximized() || scope->isMinimized())
            scope->showNormal();
        scope->hide();
        scope->setGeometry(scopePlace(m_area->size()));
    }
    openStartUp();
}

QRect WindowLayout::scopePlace(QSize area)
{
    const QSize size(qMin(960, area.width()), qMin(760, area.height()));
    return QRect(QPoint(qMax(0, area.width() - size.width() - 15), qMin(15, qMax(0, area.height() - size.height()))), size);
}

void WindowLayout::openStartUp()
{
    if (ToolWindow* window = m_host->windowOf(StartUpId))
        window->activateWindow();
}
