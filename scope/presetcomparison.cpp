// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "presetcomparison.h"

#include <QJsonArray>

#include "benchrig.h"
#include "simulatedmodule.h"

std::vector<PresetComparison::Preset> PresetComparison::presets()
{
    return {{"conservative", 500, 200}, {"balanced", 5000, 400}, {"aggressive", 10000, 1500}};
}

QVector<ComparisonProtocol::Variant> PresetComparison::variants()
{
    QVector<ComparisonProtocol::Variant> result;
    const std::vector<Preset> all = presets();
    for (const Preset& preset : all) {
        const QString name = QLatin1String(preset.name) == QLatin1String("conservative") ? tr("conservative")
                             : QLatin1String(preset.name) == QLatin1String("balanced") ? tr("balanced")
                                                                                         : tr("aggressive");
        result.append({name, {{115, preset.p}, {116, preset.i}}});
    }
    return result;
}

PresetComparison::PresetComparison(SimulatedModule* module, int motor)
    : m_module(module)
    , m_motor(motor)
{
}

bool PresetComparison::run()
{
    m_protocol.reset();
    m_error.clear();
    if (!m_module || !m_module->isDeviceOpen()) {
        m_error = tr("The module is not connected.");
        return false;
    }
    if (!m_module->drive()->axis(m_motor)) {
        m_error = tr("There is no axis %1.").arg(m_motor);
        return false;
    }
    const MotorPhysics::Motor& motor = m_module->motor();
    m_loadPercent = motor.holdingTorque > 0 ? 100.0 * motor.loadTorque / motor.holdingTorque : 0.0;
    const BenchRig rig(*m_module->drive(), m_motor);
    auto protocol = std::make_shared<ComparisonProtocol>(rig, variants(), ComparisonProtocol::standardCases(motor));
    protocol->setRepetitions(Repetitions);
    if (!protocol->run()) {
        m_error = tr("Axis %1: %2").arg(m_motor).arg(protocol->errorString());
        return false;
    }
    m_protocol = std::move(protocol);
    return true;
}

QString PresetComparison::title() const
{
    return tr("Preset comparison on axis %1, load %2 %").arg(m_motor).arg(m_loadPercent, 0, 'g', 3);
}

QString PresetComparison::caseDescriptions() const
{
    QStringList lines;
    if (m_protocol) {
        for (const BenchCase& benchCase : m_protocol->cases())
            lines.append(benchCase.description());
    }
    return lines.join(QLatin1Char('\n'));
}

QString PresetComparison::table() const
{
    if (!m_protocol)
        return QString();
    return title() + QLatin1Char('\n') + caseDescriptions() + QLatin1Char('\n') + m_protocol->table();
}

QJsonObject PresetComparison::toJson() const
{
    QJsonObject result = m_protocol ? m_protocol->toJson() : QJsonObject();
    result.insert(QStringLiteral("axis"), m_motor);
    result.insert(QStringLiteral("loadPercent"), m_loadPercent);
    return result;
}
