// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QMetaMethod>
#include <QObject>
#include <QPointer>
#include <QTimer>

class Command;
class ModuleInterface;
class ReRezorInterface;
class TraceCommand;

// The host's polling service. Tools hand it polling requests (OUT_addTraceCommand); it
// repeats each one through the module's command handler and delivers every reply to the
// IN_replyValue slot of the tool that added the request. A request handed back
// (OUT_removeTraceCommand) is deleted here. Requests a tool still holds stay the tool's:
// when the tool is destroyed they are forgotten, not deleted.
class TracePoller : public QObject
{
    Q_OBJECT
public:
    explicit TracePoller(ModuleInterface* module, QObject* parent = nullptr);
    ~TracePoller() override;

    // Connects the tool's trace signals by signature. False when the tool lacks one of the
    // two signals or the reply slot.
    bool attach(ReRezorInterface* tool);

    int period() const;
    void setPeriod(int milliseconds);

    // One round over all requests, in the order they were added. Does nothing without a
    // command handler or with the device closed.
    void pollOnce();

    int activeTraces() const;
    int activeTraces(const QObject* tool) const;
    int tracesAdded() const { return m_added; }
    int tracesDeleted() const { return m_deleted; }
    int repliesDelivered() const { return m_replies; }
    bool isPolling() const { return m_timer.isActive(); }

signals:
    // After each reply the tool's slot took; tool is the adding tool (identity only: the
    // reply may have made it go).
    void replyDelivered(QObject* tool, const Command& reply);
    void roundFinished();

private slots:
    void addTrace(TraceCommand* trace);
    void removeTrace(TraceCommand* trace);

private:
    struct Entry
    {
        quint64 serial;
        TraceCommand* trace;
        QObject* tool;          // identity only; may be gone
        QPointer<QObject> live; // null once the tool is gone
        QMetaMethod replySlot;
    };

    int indexOf(quint64 serial) const;
    void forgetTool(QObject* tool);
    void updateTimer();

    QPointer<ModuleInterface> m_module;
    QList<Entry> m_entries;
    QTimer m_timer;
    quint64 m_nextSerial = 1;
    bool m_polling = false;
    int m_added = 0;
    int m_deleted = 0;
    int m_replies = 0;
};
