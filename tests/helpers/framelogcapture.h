// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QStringList>

// Collects every message written while it exists. The plug-in's debug category is switched on
// or off for that time, so tests can check both that lines are written and that they are not.
class FrameLogCapture
{
public:
    explicit FrameLogCapture(bool debugEnabled = true);
    ~FrameLogCapture();
    Q_DISABLE_COPY(FrameLogCapture)

    QStringList lines(const char* category, QtMsgType type) const { return m_lines.value(key(category, type)); }
    QStringList debugLines() const { return lines("plugins.debLevel.low", QtDebugMsg); }
    QStringList criticalLines() const { return lines("default", QtCriticalMsg); }
    void clear() { m_lines.clear(); }

private:
    static QString key(const char* category, QtMsgType type) { return category + QString::number(type); }
    QtMessageHandler m_previous;
    QHash<QString, QStringList> m_lines; // by category and type, in the order written
};
