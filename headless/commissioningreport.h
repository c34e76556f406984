// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

class GuidedRun;
class SimulatedModule;

// The production record of one headless commissioning, as JSON (the format is documented by
// docs/commissioning-report.schema.json): the versions, the module and the hardware it was
// run with, each step with its settings, result and error, what the encoder detection found,
// the preset, each move of the motion test with its deviation, the timings and the setup
// program as saved with its SHA-256.
class CommissioningReport
{
public:
    static const char* const Format;

    // What the report records besides the run and the module.
    struct Context
    {
        QString workbenchVersion;
        QString pluginVersion;
        int pollMilliseconds = 0;
        QDateTime started;
        qint64 wallMilliseconds = 0;
    };

    static QJsonObject build(const GuidedRun& run, SimulatedModule* module, bool succeeded, const QString& program,
                             const Context& context);
    // The simulated hardware and the run's settings; one key per option, so a new option of
    // the drive is one line here and one in the schema.
    static QJsonObject hardware(SimulatedModule* module, const Context& context);
    // Writes the report as OutputFile does; false with a message when it cannot be written.
    static bool save(const QString& path, const QJsonObject& report, QString* error);
};
