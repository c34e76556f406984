// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tracepoller.h"

#include <QDebug>

#include "command.h"
#include "commandhandlerinterface.h"
#include "moduleinterface.h"
#include "rerezorinterface.h"
#include "tracecommand.h"

namespace {

const char ReplySlot[] = "IN_replyValue(Command*)";

QMetaMethod replySlotOf(const QObject* tool)
{
    const QMetaObject* meta = tool->metaObject();
    const int index = meta->indexOfSlot(ReplySlot);
    return index < 0 ? QMetaMethod() : meta->method(index);
}

} // namespace

TracePoller::TracePoller(ModuleInterface* module, QObject* parent)
    : QObject(parent)
    , m_module(module)
{
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &TracePoller::pollOnce);
}

// Requests still listed belong to their tools, which delete them.
TracePoller::~TracePoller() = default;

bool TracePoller::attach(ReRezorInterface* tool)
{
    if (!tool || !replySlotOf(tool).isValid())
        return false;
    // By signature: the host knows a tool's signals only by their names.
    if (!connect(tool, SIGNAL(OUT_addTraceCommand(TraceCommand*)), this, SLOT(addTrace(TraceCommand*)), // clazy:exclude=old-style-connect
                 Qt::UniqueConnection))
        return false;
    if (!connect(tool, SIGNAL(OUT_removeTraceCommand(TraceCommand*)), this, SLOT(removeTrace(TraceCommand*)), // clazy:exclude=old-style-connect
                 Qt::UniqueConnection)) {
        disconnect(tool, SIGNAL(OUT_addTraceCommand(TraceCommand*)), this, SLOT(addTrace(TraceCommand*))); // clazy:exclude=old-style-connect
        return false;
    }
    connect(tool, &QObject::destroyed, this, &TracePoller::forgetTool, Qt::UniqueConnection);
    return true;
}

int TracePoller::period() const
{
    return m_timer.interval();
}

void TracePoller::setPeriod(int milliseconds)
{
    m_timer.setInterval(qMax(0, milliseconds));
}

void TracePoller::pollOnce()
{
    // A reply may open an event loop (a message box) in which the timer fires again.
    if (m_polling)
        return;
    CommandHandlerInterface* handler = m_module ? m_module->commandHandlerInterface() : nullptr;
    if (!handler || !handler->isDeviceOpen())
        return;
    m_polling = true;
    // A reply may make its tool hand back or add requests, so walk a snapshot of serials and
    // look each one up again.
    QList<quint64> round;
    round.reserve(m_entries.size());
    for (const Entry& entry : qAsConst(m_entries))
        round.append(entry.serial);
    for (quint64 serial : qAsConst(round)) {
        const int index = indexOf(serial);
        if (index < 0)
            continue;
        const Entry entry = m_entries.at(index);
        if (!entry.live)
            continue;
        Command request(entry.trace->address(), entry.trace->command(), entry.trace->type(),
                        entry.trace->motorBank(), 0);
        Command reply;
        handler->executeCommand(&request, &reply);
        if (entry.replySlot.invoke(entry.live.data(), Qt::DirectConnection, Q_ARG(Command*, &reply))) {
            ++m_replies;
            emit replyDelivered(entry.tool, reply);
        }
    }
    m_polling = false;
    emit roundFinished();
}

int TracePoller::activeTraces() const
{
    return m_entries.size();
}

int TracePoller::activeTraces(const QObject* tool) const
{
    int count = 0;
    for (const Entry& entry : m_entries) {
        if (entry.tool == tool)
            ++count;
    }
    return count;
}

void TracePoller::addTrace(TraceCommand* trace)
{
    QObject* tool = sender();
    if (!trace || !tool)
        return;
    m_entries.append({m_nextSerial++, trace, tool, tool, replySlotOf(tool)});
    ++m_added;
    updateTimer();
}

void TracePoller::removeTrace(TraceCommand* trace)
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).trace == trace) {
            m_entries.removeAt(i);
            delete trace;
            ++m_deleted;
            updateTimer();
            return;
        }
    }
    // Unknown or already handed back: deleting it could delete it twice.
    qWarning() << "TracePoller: a trace that is not being polled was handed back";
}

int TracePoller::indexOf(quint64 serial) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).serial == serial)
            return i;
    }
    return -1;
}

void TracePoller::forgetTool(QObject* tool)
{
    for (int i = m_entries.size() - 1; i >= 0; --i) {
        if (m_entries.at(i).tool == tool)
            m_entries.removeAt(i);
    }
    updateTimer();
}

void TracePoller::updateTimer()
{
    if (m_entries.isEmpty())
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start();
}
