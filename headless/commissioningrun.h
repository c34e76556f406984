// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTextStream>

class CommandLine;
class PluginHost;
class SimulatedModule;

// The guided commissioning of --auto: the run, its report (written whether or not the run
// succeeds: a production record of a failed run is kept too), the preset comparison when
// asked for, and the setup program, saved only when the closed loop ended ready.
class CommissioningRun
{
    Q_DECLARE_TR_FUNCTIONS(CommissioningRun)
public:
    CommissioningRun(PluginHost* host, SimulatedModule* module, int pollMilliseconds, QTextStream* out);

    // The exit code; errorString() tells why when it is not 0.
    int run(const CommandLine& line);
    QString errorString() const { return m_error; }

private:
    int fail(int code, const QString& error);

    PluginHost* m_host;
    SimulatedModule* m_module;
    int m_pollMilliseconds;
    QTextStream* m_out;
    QString m_error;
};
