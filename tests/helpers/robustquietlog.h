#pragma once

#include <QtGlobal>

// Keeps the plug-in's debug lines switched on, so that every line is still built (and its
// arguments, such as a sender object, still touched), but drops them instead of printing
// thousands of them. Every other message passes on unchanged.
class RobustQuietLog
{
public:
    RobustQuietLog();
    ~RobustQuietLog();
    RobustQuietLog(const RobustQuietLog&) = delete;
    RobustQuietLog& operator=(const RobustQuietLog&) = delete;

    // Plug-in debug lines dropped so far.
    static int dropped();

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
    QtMessageHandler m_previous;
};
