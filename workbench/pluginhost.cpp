// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pluginhost.h"

#include <QFileInfo>
#include <QMdiArea>

#include "moduleinterface.h"
#include "pluginhandler.h"
#include "rerezorinterface.h"
#include "toolsinterface.h"
#include "toolwindow.h"
#include "tracepoller.h"

namespace {

void unregister(ReRezorInterface* tool)
{
    PluginHandler* handler = PluginHandler::instance();
    if (tool && handler->getReRezorPlugin(tool->key()) == tool)
        handler->unregisterPlugin(tool->key());
}

} // namespace

PluginHost::PluginHost(QObject* parent)
    : QObject(parent)
{
}

PluginHost::~PluginHost()
{
    destroyTools();
}

bool PluginHost::load(const QString& path)
{
    m_error.clear();
    m_factory = nullptr;
    m_loader.setFileName(path);
    if (!m_loader.load()) {
        m_error = m_loader.errorString();
        return false;
    }
    QObject* instance = m_loader.instance();
    auto* factory = qobject_cast<ToolsInterface*>(instance);
    if (!factory) {
        m_error = tr("not a tools plug-in: %1 (%2)")
                      .arg(QFileInfo(path).absoluteFilePath(),
                           instance ? QString::fromLatin1(instance->metaObject()->className())
                                    : m_loader.errorString());
        return false;
    }
    m_factory = factory;
    return true;
}

bool PluginHost::isLoaded() const
{
    return !m_factory.isNull();
}

QString PluginHost::errorString() const
{
    return m_error;
}

ToolsInterface* PluginHost::factory() const
{
    return m_factory;
}

QList<ReRezorInterface*> PluginHost::createTools(ModuleInterface* module, QMdiArea* area, const QString& moduleKey)
{
    destroyTools();
    QList<ReRezorInterface*> created;
    if (!m_factory || !module)
        return created;

    module->setKey(moduleKey);
    m_poller = new TracePoller(module, this);
    const QString text = module->nameInFirmware().isEmpty() ? moduleKey : module->nameInFirmware();
    const QList<int> ids = m_factory->subWidgetIds();
    for (int id : ids) {
        if (!m_factory->selectSubWidget(id))
            continue;
        ReRezorInterface* tool = m_factory->createInstance(text, 0, module);
        if (!tool)
            continue;
        const QString name = tool->toolsName();
        QString key = moduleKey + QLatin1Char('/') + (name.isEmpty() ? QString::number(id) : name);
        if (PluginHandler::instance()->getPluginKeysByType(PluginHandler::ToolsType).contains(key))
            key += QLatin1Char('#') + QString::number(id);
        PluginHandler::instance()->registerPlugin(PluginHandler::ToolsType, key, tool);

        auto* window = new ToolWindow(tool);
        // A window goes before its tool (also when the area takes it along): the tool leaves
        // the registry while it is still whole.
        connect(window, &QObject::destroyed, this, [tool = QPointer<ReRezorInterface>(tool)]() { unregister(tool); });
        if (area)
            area->addSubWindow(window);
        m_poller->attach(tool);
        m_ids.append(id);
        m_windows.insert(id, window);
        m_tools.insert(id, tool);
        created.append(tool);
        // The tool sizes its window and closes it again in its first show; the Start Up tool
        // looks for its siblings only later, from the event loop. In an area that is not
        // visible yet the first show happens when the area is shown.
        window->show();
    }
    return created;
}

void PluginHost::destroyTools()
{
    // Windows first: each takes its tool with it, and the poller forgets the tool's traces.
    for (const QPointer<ToolWindow>& window : qAsConst(m_windows))
        delete window.data();
    for (const QPointer<ReRezorInterface>& tool : qAsConst(m_tools)) {
        unregister(tool);
        delete tool.data();
    }
    m_windows.clear();
    m_tools.clear();
    m_ids.clear();
    delete m_poller.data();
}

QList<int> PluginHost::subWidgetIds() const
{
    return m_ids;
}

ToolWindow* PluginHost::windowOf(int subWidgetId) const
{
    return m_windows.value(subWidgetId);
}

ReRezorInterface* PluginHost::tool(int subWidgetId) const
{
    return m_tools.value(subWidgetId);
}

QList<ReRezorInterface*> PluginHost::tools() const
{
    QList<ReRezorInterface*> list;
    for (int id : m_ids) {
        if (ReRezorInterface* t = m_tools.value(id))
            list.append(t);
    }
    return list;
}

TracePoller* PluginHost::poller() const
{
    return m_poller;
}
