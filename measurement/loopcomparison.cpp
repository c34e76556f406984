// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "loopcomparison.h"

#include <cmath>
#include <vector>

#include "comparisonprotocol.h"

LoopComparison::LoopComparison(const BenchRig& rig, int distance)
    : m_rig(rig)
    , m_distance(distance)
    , m_repetitions(ComparisonProtocol::DefaultRepetitions)
{
}

bool LoopComparison::run()
{
    m_error.clear();
    std::vector<double> open;
    std::vector<double> closed;
    m_openStops = m_closedStops = 0;
    for (int k = 0; k < m_repetitions; ++k) {
        const double phase = double(k) / m_repetitions;
        open.push_back(runOnce(BenchRig::Loop::Open, phase, &m_openStops));
        closed.push_back(runOnce(BenchRig::Loop::Closed, phase, &m_closedStops));
        if (!m_error.isEmpty())
            return false;
    }
    m_open = Spread(open);
    m_closed = Spread(closed);
    return true;
}

double LoopComparison::runOnce(BenchRig::Loop loop, double phase, int* stops)
{
    BenchRig rig = m_rig;
    if (!rig.prepare(phase, phase, loop)) {
        m_error = rig.errorString();
        return 0.0;
    }
    const double before = rig.axis().positionDeviation();
    const int speed = rig.parameter(4);
    const int acceleration = rig.parameter(5);
    rig.move(m_distance, speed, acceleration);
    // Time enough for the ramp at a tenth of the acceleration.
    const double rampTime = std::abs(m_distance) / double(std::max(1, speed)) + 10.0 * speed / std::max(1, acceleration);
    rig.finishMove(qint64(1000 * rampTime) + 2000);
    rig.advance(SettleTime);
    *stops += rig.parameter(207) == 1 ? 1 : 0;
    return (rig.axis().positionDeviation() - before) * rig.microstepsPerCount();
}

bool LoopComparison::held(BenchRig::Loop loop) const
{
    const Spread& s = deviation(loop);
    const double fullStep = m_rig.fullStep();
    return s.count() > 0 && s.missing() == 0 && std::abs(s.minimum()) <= fullStep && std::abs(s.maximum()) <= fullStep;
}

QString LoopComparison::deviations() const
{
    auto text = [](const Spread& s) {
        return tr("%1 ± %2 microsteps").arg(s.mean(), 0, 'f', 1).arg(s.standardDeviation(), 0, 'f', 1);
    };
    QString result = tr("open loop %1, closed loop %2").arg(text(m_open), text(m_closed));
    if (m_openStops || m_closedStops)
        result += tr("; the drive stopped %1 of %2 runs in open loop and %3 in closed loop itself (deviation limit or "
                     "fault, 207 = 1)")
                      .arg(m_openStops)
                      .arg(m_repetitions)
                      .arg(m_closedStops);
    return result;
}

QString LoopComparison::verdict() const
{
    const bool open = held(BenchRig::Loop::Open);
    const bool closed = held(BenchRig::Loop::Closed);
    if (open && closed)
        return tr("Both loops held the position.");
    if (!open && !closed)
        return tr("Neither loop held the position.");
    return closed ? tr("The closed loop held the position, the open loop lost steps.")
                  : tr("The open loop held the position, the closed loop did not.");
}

QJsonObject LoopComparison::toJson() const
{
    auto figures = [this](BenchRig::Loop loop) {
        const Spread& s = deviation(loop);
        return QJsonObject{{QStringLiteral("meanMicrosteps"), std::round(s.mean() * 10) / 10},
                           {QStringLiteral("standardDeviationMicrosteps"), std::round(s.standardDeviation() * 10) / 10},
                           {QStringLiteral("minimumMicrosteps"), std::round(s.minimum() * 10) / 10},
                           {QStringLiteral("maximumMicrosteps"), std::round(s.maximum() * 10) / 10},
                           {QStringLiteral("held"), held(loop)},
                           {QStringLiteral("stoppedRuns"), stoppedRuns(loop)}};
    };
    return QJsonObject{{QStringLiteral("distanceMicrosteps"), m_distance},
                       {QStringLiteral("repetitions"), m_repetitions},
                       {QStringLiteral("restMs"), BenchRig::RestTime},
                       {QStringLiteral("settleMs"), SettleTime},
                       {QStringLiteral("openLoop"), figures(BenchRig::Loop::Open)},
                       {QStringLiteral("closedLoop"), figures(BenchRig::Loop::Closed)}};
}
