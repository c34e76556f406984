#include "robustquietlog.h"

#include <QLoggingCategory>

namespace {
const char Category[] = "plugins.debLevel.low";
QtMessageHandler s_previous = nullptr;
int s_dropped = 0;
}

RobustQuietLog::RobustQuietLog()
{
    QLoggingCategory::setFilterRules(QStringLiteral("%1.debug=true").arg(QLatin1String(Category)));
    m_previous = qInstallMessageHandler(&RobustQuietLog::handle);
    s_previous = m_previous;
}

RobustQuietLog::~RobustQuietLog()
{
    qInstallMessageHandler(m_previous);
    s_previous = nullptr;
    QLoggingCategory::setFilterRules(QString());
}

int RobustQuietLog::dropped()
{
    return s_dropped;
}

void RobustQuietLog::handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtDebugMsg && context.category && qstrcmp(context.category, Category) == 0) {
        ++s_dropped;
        return;
    }
    if (s_previous)
        s_previous(type, context, text);
}
