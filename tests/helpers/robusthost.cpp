#include "robusthost.h"

#include <QTest>
#include <QVariant>

#include "rerezorinterface.h"
#include "toolwindow.h"

namespace {
int s_hosts = 0;
}

RobustHost::RobustHost(ModuleInterface* module)
    : m_module(module)
    // Zero-padded, so that no module key is the beginning of another one.
    , m_key(QStringLiteral("robust%1").arg(++s_hosts, 5, 10, QLatin1Char('0')))
{
    m_area.resize(1600, 1200);
}

RobustHost::~RobustHost()
{
    m_host.destroyTools();
}

bool RobustHost::start(const QString& pluginPath)
{
    if (!m_host.load(pluginPath)) {
        m_error = m_host.errorString();
        return false;
    }
    // A window first shows, and so sizes itself, only inside a visible area.
    m_area.show();
    if (m_host.createTools(m_module, &m_area, m_key).size() != 4) {
        m_error = QStringLiteral("the factory did not make four tools");
        return false;
    }
    // The completeness check runs from the event loop and selects axis 0.
    if (!QTest::qWaitFor([this]() { return currentAxis() == 0; }, 5000)) {
        m_error = QStringLiteral("the pages were not wired: current axis %1").arg(currentAxis());
        return false;
    }
    return true;
}

QWidget* RobustHost::page(int id) const
{
    ReRezorInterface* t = tool(id);
    return t ? t->findChild<QWidget*>(pageName(id)) : nullptr;
}

QObject* RobustHost::dataExchange() const
{
    ReRezorInterface* t = tool(StartUp);
    if (!t)
        return nullptr;
    const QList<QObject*> children = t->findChildren<QObject*>();
    for (QObject* child : children) {
        if (qstrcmp(child->metaObject()->className(), "DataExchange") == 0)
            return child;
    }
    return nullptr;
}

int RobustHost::currentAxis() const
{
    QObject* exchange = dataExchange();
    return exchange ? exchange->property("currentAxis").toInt() : -2;
}

QString RobustHost::pageName(int id)
{
    switch (id) {
    case StartUp:
        return QStringLiteral("Commissioning");
    case Motor:
        return QStringLiteral("MotorSettings");
    case Encoder:
        return QStringLiteral("EncoderSettings");
    case ClosedLoop:
        return QStringLiteral("ClosedLoop");
    default:
        return QString();
    }
}
