// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "presetcomparison.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>
#include <QTextStream>

#include "signaltap.h"
#include "simulatedmodule.h"

namespace {

// The settings a comparison changes, restored afterwards.
const int ChangedParameters[] = {115, 116, 4, 5};
const int StepInterval = 10; // ms of simulated time between looks at the axis

} // namespace

std::vector<PresetComparison::Preset> PresetComparison::presets()
{
    return {{"conservative", 500, 200}, {"balanced", 5000, 400}, {"aggressive", 10000, 1500}};
}

PresetComparison::PresetComparison(SimulatedModule* module, int motor)
    : m_module(module)
    , m_motor(motor)
{
}

double PresetComparison::loadPercent() const
{
    const MotorPhysics::Motor& motor = m_module->motor();
    return motor.holdingTorque > 0 ? 100.0 * motor.loadTorque / motor.holdingTorque : 0.0;
}

bool PresetComparison::check()
{
    if (!m_module || !m_module->isDeviceOpen()) {
        m_error = tr("The module is not connected.");
        return false;
    }
    const SimulatedAxis* axis = m_module->drive()->axis(m_motor);
    if (!axis) {
        m_error = tr("There is no axis %1.").arg(m_motor);
        return false;
    }
    if (m_module->getAxisParameter(133, quint8(m_motor)) != 1) {
        m_error = tr("The closed loop of axis %1 is not ready: commission it and activate it first.").arg(m_motor);
        return false;
    }
    if (axis->isMoving()) {
        m_error = tr("Axis %1 is moving: stop it first.").arg(m_motor);
        return false;
    }
    return true;
}

bool PresetComparison::run()
{
    m_results.clear();
    m_error.clear();
    if (!check())
        return false;
    const auto motor = quint8(m_motor);
    const int perRevolution = (1 << m_module->getAxisParameter(140, motor)) * m_module->getAxisParameter(202, motor);
    m_fullStep = 1 << m_module->getAxisParameter(140, motor);
    m_distance = int(std::lround(TestRevolutions * perRevolution));
    m_speed = int(std::lround(TestSpeed * perRevolution));
    m_acceleration = int(std::lround(TestAcceleration * perRevolution));

    int saved[std::size(ChangedParameters)];
    for (size_t i = 0; i < std::size(ChangedParameters); ++i)
        saved[i] = m_module->getAxisParameter(quint8(ChangedParameters[i]), motor);
    const bool manual = m_module->isManualClock();
    m_module->setManualClock(true);
    m_module->setAxisParameter(4, motor, m_speed);
    m_module->setAxisParameter(5, motor, m_acceleration);
    const std::vector<Preset> all = presets();
    for (const Preset& preset : all) {
        Result result;
        if (!runMove(preset, &result))
            break;
        m_results.append(result);
    }
    for (size_t i = 0; i < std::size(ChangedParameters); ++i)
        m_module->setAxisParameter(quint8(ChangedParameters[i]), motor, saved[i]);
    m_module->setManualClock(manual);
    return m_error.isEmpty();
}

bool PresetComparison::runMove(Preset preset, Result* result)
{
    const auto motor = quint8(m_motor);
    m_module->setAxisParameter(115, motor, preset.p);
    m_module->setAxisParameter(116, motor, preset.i);
    result->preset = QString::fromLatin1(preset.name);
    const qint64 start = m_module->drive()->time();
    SignalTap* tap = SignalTap::of(m_module);
    SimulatedDrive* drive = m_module->drive();
    const int listener = tap->addListener([&](qint64 time, int sampleMotor, const DriveSignals& sample) {
        if (sampleMotor == m_motor)
            result->samples.push_back({time - start, sample.followingError, sample.currentAmplitude,
                                       drive->axis(m_motor)->isMoving()});
    });
    // Time enough for the ramps at a tenth of the acceleration.
    const qint64 limit = qint64(1000.0 * (TestRevolutions / TestSpeed + 10 * TestSpeed / TestAcceleration)) + 2000;
    drive->move(m_motor, 1, m_distance);
    const bool arrived = waitUntilIdle(limit);
    m_module->advance(SettleTime);
    tap->removeListener(listener);
    if (arrived) {
        drive->move(m_motor, 1, -m_distance);
        waitUntilIdle(limit);
        m_module->advance(SettleTime);
    }
    if (!arrived || drive->axis(m_motor)->isMoving()) {
        drive->stop(m_motor);
        m_module->advance(SettleTime);
        m_error = tr("The test move with the preset \"%1\" did not end within %2 s.").arg(result->preset).arg(limit / 1000);
        return false;
    }
    measure(result, m_distance >= 0 ? 1 : -1, m_fullStep);
    return true;
}

bool PresetComparison::waitUntilIdle(qint64 limit)
{
    for (qint64 waited = 0; waited < limit; waited += StepInterval) {
        m_module->advance(StepInterval);
        if (!m_module->drive()->axis(m_motor)->isMoving())
            return true;
    }
    return false;
}

void PresetComparison::measure(Result* result, int direction, double fullStep)
{
    const std::vector<Sample>& samples = result->samples;
    double squares = 0;
    result->peakError = result->overshoot = result->peakCurrent = 0;
    result->settlingTime = -1;
    qint64 arrival = -1;       // the first sample after the command arrived
    qint64 lastOutside = -1;   // the last sample after it with the error beyond a full step
    for (const Sample& sample : samples) {
        squares += sample.followingError * sample.followingError;
        result->peakError = std::max(result->peakError, std::abs(sample.followingError));
        result->peakCurrent = std::max(result->peakCurrent, sample.current);
        if (sample.moving)
            continue;
        if (arrival < 0)
            arrival = sample.time;
        // Past the target: the rotor ahead of the command, against the move's direction of lag.
        result->overshoot = std::max(result->overshoot, -direction * sample.followingError);
        if (std::abs(sample.followingError) > fullStep)
            lastOutside = sample.time;
    }
    result->rmsError = samples.empty() ? 0 : std::sqrt(squares / double(samples.size()));
    if (arrival >= 0 && lastOutside < samples.back().time)
        result->settlingTime = lastOutside < 0 ? 0 : double(lastOutside + 1 - arrival);
}

QString PresetComparison::table() const
{
    QString text;
    QTextStream out(&text);
    out << QStringLiteral("Preset comparison on axis %1: %2 microsteps at %3 pps, %4 pps/s, load %5 %\n")
               .arg(m_motor).arg(m_distance).arg(m_speed).arg(m_acceleration).arg(loadPercent(), 0, 'g', 3);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("preset"), -13)
               .arg(QStringLiteral("RMS error"), 10)
               .arg(QStringLiteral("peak error"), 11)
               .arg(QStringLiteral("overshoot"), 10)
               .arg(QStringLiteral("settling"), 9)
               .arg(QStringLiteral("peak current"), 13);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QString(), -13)
               .arg(QStringLiteral("µsteps"), 10)
               .arg(QStringLiteral("µsteps"), 11)
               .arg(QStringLiteral("µsteps"), 10)
               .arg(QStringLiteral("ms"), 9)
               .arg(QStringLiteral("%"), 13);
    for (const Result& r : m_results) {
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(r.preset, -13)
                   .arg(r.rmsError, 10, 'f', 1)
                   .arg(r.peakError, 11, 'f', 1)
                   .arg(r.overshoot, 10, 'f', 1)
                   .arg(r.settlingTime < 0 ? QStringLiteral("no") : QString::number(r.settlingTime, 'f', 0), 9)
                   .arg(r.peakCurrent, 13, 'f', 1);
    }
    return text;
}

QJsonObject PresetComparison::toJson() const
{
    QJsonArray presetList;
    const std::vector<Preset> all = presets();
    for (int i = 0; i < m_results.size(); ++i) {
        const Result& r = m_results.at(i);
        presetList.append(QJsonObject{
            {QStringLiteral("preset"), r.preset},
            {QStringLiteral("p"), all.at(size_t(i)).p},
            {QStringLiteral("i"), all.at(size_t(i)).i},
            {QStringLiteral("rmsFollowingErrorMicrosteps"), std::round(r.rmsError * 10) / 10},
            {QStringLiteral("peakFollowingErrorMicrosteps"), std::round(r.peakError * 10) / 10},
            {QStringLiteral("overshootMicrosteps"), std::round(r.overshoot * 10) / 10},
            {QStringLiteral("settlingTimeMs"), r.settlingTime < 0 ? QJsonValue() : QJsonValue(r.settlingTime)},
            {QStringLiteral("peakCurrentPercent"), std::round(r.peakCurrent * 10) / 10},
        });
    }
    return QJsonObject{
        {QStringLiteral("axis"), m_motor},
        {QStringLiteral("distanceMicrosteps"), m_distance},
        {QStringLiteral("speedPps"), m_speed},
        {QStringLiteral("accelerationPps2"), m_acceleration},
        {QStringLiteral("settleMs"), SettleTime},
        {QStringLiteral("loadPercent"), loadPercent()},
        {QStringLiteral("presets"), presetList},
    };
}
