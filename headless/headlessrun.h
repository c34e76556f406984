// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QTextStream>

class CommandLine;
class PluginHost;
class SimulatedModule;

// The runs without a window, in this order: the guided commissioning (--auto) with its report
// and program, applying a setup program, checking the axes against one. Every program is read
// and checked on the module before the first of them starts, so that exit code 2 always means
// that nothing was run or written. The exit code is that of the first that does not succeed:
// 0 done, 1 a difference or a failed run, 2 unusable.
class HeadlessRun
{
    Q_DECLARE_TR_FUNCTIONS(HeadlessRun)
public:
    HeadlessRun(PluginHost* host, SimulatedModule* module, int pollMilliseconds);
    int run(const CommandLine& line);

private:
    void printError(const QString& text);

    PluginHost* m_host;
    SimulatedModule* m_module;
    int m_pollMilliseconds;
    QTextStream m_out;
    QTextStream m_err;
};
