#include "framelogcapture.h"

#include <QLoggingCategory>

const char* const FrameLogCapture::Category = "plugins.debLevel.low";
FrameLogCapture* FrameLogCapture::s_current = nullptr;

FrameLogCapture::FrameLogCapture(bool debugEnabled)
{
    QLoggingCategory::setFilterRules(QStringLiteral("%1.debug=%2").arg(QLatin1String(Category),
                                                                      debugEnabled ? "true" : "false"));
    s_current = this;
    m_previous = qInstallMessageHandler(&FrameLogCapture::handle);
}

FrameLogCapture::~FrameLogCapture()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
    QLoggingCategory::setFilterRules(QString());
}

QStringList FrameLogCapture::lines(const QString& category, QtMsgType type) const
{
    QStringList result;
    for (const Message& message : m_messages) {
        if (message.type == type && message.category == category)
            result.append(message.text);
    }
    return result;
}

QStringList FrameLogCapture::debugLines() const
{
    return lines(QLatin1String(Category), QtDebugMsg);
}

QStringList FrameLogCapture::criticalLines() const
{
    return lines(QStringLiteral("default"), QtCriticalMsg);
}

void FrameLogCapture::handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!s_current)
        return;
    s_current->m_messages.append({type, QString::fromLatin1(context.category ? context.category : ""), text});
    // Warnings and worse stay visible in the test output.
    if (type != QtDebugMsg && type != QtInfoMsg && s_current->m_previous)
        s_current->m_previous(type, context, text);
}
