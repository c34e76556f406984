// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drivesignalfeed.h"

#include <array>

#include "scoperecorder.h"
#include "signaltap.h"
#include "simulatedmodule.h"

DriveSignalFeed::DriveSignalFeed(ScopeRecorder* recorder, SimulatedModule* module)
    : QObject(recorder)
    , m_recorder(recorder)
    , m_module(module)
{
    if (!module)
        return;
    // The series are made in this order, so the legend lists them so.
    const std::array<int, 7> series = {
        recorder->seriesIndex(QStringLiteral("rotor velocity")),
        recorder->seriesIndex(QStringLiteral("correction velocity")),
        recorder->seriesIndex(QStringLiteral("following error")),
        recorder->seriesIndex(QStringLiteral("load angle")),
        recorder->seriesIndex(QStringLiteral("current amplitude")),
        recorder->seriesIndex(QStringLiteral("current scaler")),
        recorder->seriesIndex(QStringLiteral("moving")),
    };
    m_listener = SignalTap::of(module)->addListener([this, series](qint64 time, int motor, const DriveSignals& sample) {
        if (motor != m_recorder->latestMotor())
            return;
        const SimulatedAxis* axis = m_module->drive()->axis(motor);
        const double values[] = {sample.rotorVelocity,    sample.correctionVelocity, sample.followingError,
                                 sample.loadAngle,        sample.currentAmplitude,   sample.currentScaler,
                                 axis && axis->isMoving() ? 1.0 : 0.0};
        for (size_t i = 0; i < series.size(); ++i)
            m_recorder->addSample(series[i], time, values[i]);
    });
}

DriveSignalFeed::~DriveSignalFeed()
{
    if (m_module && m_listener)
        SignalTap::of(m_module)->removeListener(m_listener);
}
