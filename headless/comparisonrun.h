// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QJsonObject>
#include <QString>
#include <QTextStream>

class SimulatedModule;

// The preset comparison after the guided commissioning: compares the closed-loop presets on
// axis 0 with a test move, prints the table, adds it to the report under "presetComparison"
// and saves its picture, as the scope shows it, when a path is given.
class ComparisonRun
{
public:
    static bool run(SimulatedModule* module, const QString& picture, QTextStream* out, QJsonObject* report,
                    QString* error);
};
