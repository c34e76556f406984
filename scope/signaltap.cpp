// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "signaltap.h"

#include "simulatedmodule.h"

SignalTap* SignalTap::of(SimulatedModule* module)
{
    if (!module)
        return nullptr;
    if (auto* tap = module->findChild<SignalTap*>(QString(), Qt::FindDirectChildrenOnly))
        return tap;
    return new SignalTap(module);
}

SignalTap::SignalTap(SimulatedModule* module)
    : QObject(module)
    , m_module(module)
{
}

int SignalTap::addListener(Listener listener)
{
    if (!listener)
        return 0;
    const int id = m_nextId++;
    m_listeners.emplace(id, std::move(listener));
    updateSink();
    return id;
}

void SignalTap::removeListener(int id)
{
    m_listeners.erase(id);
    updateSink();
}

void SignalTap::updateSink()
{
    if (m_listeners.empty()) {
        m_module->drive()->setSignalSink(nullptr);
        return;
    }
    m_module->drive()->setSignalSink([this](qint64 time, int motor, const DriveSignals& sample) {
        for (const auto& [id, listener] : m_listeners)
            listener(time, motor, sample);
    });
}
