#include "windowlayout.h"

#include <QEvent>
#include <QMdiArea>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>

#include "mainwindow.h"
#include "pluginhost.h"
#include "scopewindow.h"
#include "toolwindow.h"

namespace {

// How much of a window's top edge must lie inside the area to grab it by its title bar.
const int GripWidth = 60;
const int GripHeight = 20;

// What a window lacks for its page to show without scrolling: what the page scrolls, plus the
// scroll bar of the other direction, which goes away with it.
QSize lacking(ToolWindow* window)
{
    QWidget* tool = window->tool();
    auto* scroll = tool ? tool->findChild<QScrollArea*>() : nullptr;
    if (!scroll)
        return QSize(0, 0);
    const QScrollBar* across = scroll->horizontalScrollBar();
    const QScrollBar* down = scroll->verticalScrollBar();
    const int width = across->maximum() > 0 ? across->maximum() + (down->isVisible() ? down->width() : 0) : 0;
    const int height = down->maximum() > 0 ? down->maximum() + (across->isVisible() ? across->height() : 0) : 0;
    return QSize(width, height);
}

} // namespace

WindowLayout::WindowLayout(MainWindow* window)
    : QObject(window)
    , m_window(window)
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
    if (QWidget* scope = m_window->scope() ? m_window->scope()->parentWidget() : nullptr) {
        settings.setValue(QStringLiteral("scope/geometry"), scope->geometry());
        settings.setValue(QStringLiteral("scope/open"), !scope->isHidden());
    }
}

QMap<int, WindowLayout::Tool> WindowLayout::current() const
{
    QMap<int, Tool> tools;
    PluginHost* host = m_window->pluginHost();
    const QList<int> ids = host->subWidgetIds();
    for (int id : ids) {
        ToolWindow* window = host->windowOf(id);
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
    PluginHost* host = m_window->pluginHost();
    const QList<int> ids = host->subWidgetIds();
    for (int id : ids) {
        if (ToolWindow* window = host->windowOf(id)) {
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
// a page with wider fonts. A window still where its tool put it grows, on its first showing,
// until the page needs no scrolling, as far as the area allows; "Reset layout" keeps the size.
void WindowLayout::growToFit(ToolWindow* window)
{
    const int id = m_defaults.key(window->geometry(), -1);
    if (id < 0 || m_window->pluginHost()->windowOf(id) != window || !window->isVisible() || window->isMaximized())
        return;
    const QSize more = lacking(window);
    if (more.isNull())
        return;
    const QSize area = m_window->area()->size();
    QRect geometry = window->geometry();
    geometry.setWidth(qMin(geometry.width() + more.width(), area.width() - qMax(0, geometry.left())));
    geometry.setHeight(qMin(geometry.height() + more.height(), area.height() - qMax(0, geometry.top())));
    window->setGeometry(geometry);
    m_defaults.insert(id, geometry);
}

void WindowLayout::keepCurrent()
{
    const QMap<int, Tool> tools = current();
    if (!tools.isEmpty())
        m_pending = tools;
}

void WindowLayout::arrange()
{
    PluginHost* host = m_window->pluginHost();
    const QSize area = m_window->area()->size();
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        ToolWindow* window = host->windowOf(it.key());
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
        if (ToolWindow* window = host->windowOf(StartUpId))
            window->showMaximized();
}

void WindowLayout::arrangeScope()
{
    if (!m_scope.open || m_window->scope())
        return;
    m_window->openScope();
    const QRect geometry = fitted(m_scope.geometry, m_window->area()->size());
    if (!geometry.isEmpty() && m_window->scope())
        m_window->scope()->parentWidget()->setGeometry(geometry);
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
    PluginHost* host = m_window->pluginHost();
    for (auto it = m_defaults.cbegin(); it != m_defaults.cend(); ++it) {
        ToolWindow* window = host->windowOf(it.key());
        if (!window)
            continue;
        if (window->isMaximized() || window->isMinimized())
            window->showNormal();
        window->setGeometry(it.value());
        if (it.key() != StartUpId)
            window->hide();
    }
    if (m_window->scope())
        m_window->scope()->parentWidget()->hide();
    openStartUp();
}

void WindowLayout::openStartUp()
{
    if (ToolWindow* window = m_window->pluginHost()->windowOf(StartUpId))
        window->activateWindow();
}
