// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

class ScopeRecorder;
class SimulatedModule;

// Records the simulated drive's fast signals of the axis the tools poll (the recorder's
// latest motor) on the simulation clock, every millisecond (1 kHz): "following error"
// (microsteps), "load angle" (electrical degrees), "rotor velocity" and "correction velocity"
// (pps), "current amplitude" and "current scaler" (%), and "moving", the flag of a motion
// under way. The samples arrive whenever the module catches up with its clock, that is with
// every poll; their times are the drive's. Lives as long as the recorder.
class DriveSignalFeed : public QObject
{
    Q_OBJECT
public:
    static constexpr int SampleRate = 1000; // Hz

    DriveSignalFeed(ScopeRecorder* recorder, SimulatedModule* module);
    ~DriveSignalFeed() override;

private:
    ScopeRecorder* m_recorder;
    QPointer<SimulatedModule> m_module;
    int m_listener = 0;
};
