// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <map>

#include <QObject>

#include "drivesignals.h"

class SimulatedModule;

// Shares the simulated drive's one signal sink among listeners (the scope, a preset
// comparison). The sink is set only while someone listens, so the drive runs in whole
// steps otherwise. One tap per module, found or made by of().
class SignalTap : public QObject
{
    Q_OBJECT
public:
    using Listener = std::function<void(qint64 time, int motor, const DriveSignals& sample)>;

    static SignalTap* of(SimulatedModule* module);

    // Returns an id for removeListener().
    int addListener(Listener listener);
    void removeListener(int id);
    int listenerCount() const { return int(m_listeners.size()); }

private:
    explicit SignalTap(SimulatedModule* module);
    void updateSink();

    SimulatedModule* m_module;
    std::map<int, Listener> m_listeners;
    int m_nextId = 1;
};
