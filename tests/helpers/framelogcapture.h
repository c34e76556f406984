#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects every message written while it exists. The plug-in's debug category is switched on
// or off for that time, so tests can check both that lines are written and that they are not.
class FrameLogCapture
{
public:
    struct Message
    {
        QtMsgType type;
        QString category;
        QString text;
    };

    explicit FrameLogCapture(bool debugEnabled = true);
    ~FrameLogCapture();
    FrameLogCapture(const FrameLogCapture&) = delete;
    FrameLogCapture& operator=(const FrameLogCapture&) = delete;

    QList<Message> messages() const { return m_messages; }
    // Texts of the messages of one category and type, in the order written.
    QStringList lines(const QString& category, QtMsgType type) const;
    // Debug lines of "plugins.debLevel.low".
    QStringList debugLines() const;
    QStringList criticalLines() const;
    void clear() { m_messages.clear(); }

    static const char* const Category;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    static FrameLogCapture* s_current;
    QtMessageHandler m_previous;
    QList<Message> m_messages;
};
