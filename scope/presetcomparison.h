// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QVector>

#include "comparisonprotocol.h"

class SimulatedModule;

// The closed-loop presets (P and I of the velocity correction, axis parameters 115 and 116)
// compared by the comparison protocol on a bench copy of one axis of a simulated module: its
// parameter values, motor, load and encoder. The axis itself, its position and settings and
// the module's clock are left as they were, so the same settings give the same table every
// time, in the scope's window as on the command line.
class PresetComparison
{
    Q_DECLARE_TR_FUNCTIONS(PresetComparison)
public:
    // Chosen so that the comparison takes well under 5 s (bench/comparisonbench).
    static constexpr int Repetitions = ComparisonProtocol::DefaultRepetitions;

    struct Preset
    {
        const char* name; // English, as the closed-loop page's buttons
        int p;
        int i;
    };
    static std::vector<Preset> presets();
    // The presets as protocol variants, named in the user's language.
    static QVector<ComparisonProtocol::Variant> variants();

    PresetComparison(SimulatedModule* module, int motor);

    // False, with errorString(), when there is no such axis, the module is closed or the closed
    // loop cannot start with the axis's configuration.
    bool run();
    QString errorString() const { return m_error; }
    // Null until run() succeeded; shared by copies, which keep it.
    const ComparisonProtocol* protocol() const { return m_protocol.get(); }
    int motor() const { return m_motor; }
    double loadPercent() const { return m_loadPercent; }
    // "Preset comparison on axis 0, load 30 %", with the cases' descriptions below.
    QString title() const;
    QString caseDescriptions() const;

    // The title and the protocol's table as plain text, numbers in the C locale; and as JSON.
    QString table() const;
    QJsonObject toJson() const;

private:
    SimulatedModule* m_module;
    int m_motor;
    double m_loadPercent = 0.0;
    std::shared_ptr<const ComparisonProtocol> m_protocol;
    QString m_error;
};
