// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "headlessrun.h"

#include <cstdio>

#include "commandline.h"
#include "commissioningrun.h"
#include "programcommands.h"
#include "simulatedmodule.h"

HeadlessRun::HeadlessRun(PluginHost* host, SimulatedModule* module, int pollMilliseconds)
    : m_host(host)
    , m_module(module)
    , m_pollMilliseconds(pollMilliseconds)
    , m_out(stdout)
    , m_err(stderr)
{
}

void HeadlessRun::printError(const QString& text)
{
    m_err << QCoreApplication::applicationName() << ": " << text << Qt::endl;
}

int HeadlessRun::run(const CommandLine& line)
{
    ProgramCommands commands(m_module, &m_out, &m_err);
    // A program that runs alone is checked by its own command; one that waits for another
    // run is checked before that starts.
    if (line.autoRun || (!line.applyProgram.isEmpty() && !line.checkProgram.isEmpty())) {
        const bool apply = line.applyProgram.isEmpty()
                           || commands.isUsable(line.applyProgram, line.axes, ProgramCommands::Apply);
        const bool check = line.checkProgram.isEmpty()
                           || commands.isUsable(line.checkProgram, line.axes, ProgramCommands::Check);
        if (!apply || !check)
            return ProgramCommands::Unusable;
    }
    if (line.autoRun) {
        CommissioningRun commissioning(m_host, m_module, m_pollMilliseconds, &m_out);
        const int code = commissioning.run(line);
        if (code != ProgramCommands::Done) {
            printError(commissioning.errorString());
            return code;
        }
    }
    // Loops in a program wait on the module's clock, which then runs only as they wait.
    m_module->setManualClock(true);
    commands.setWait(ProgramCommands::waitFor(m_module));
    if (!line.applyProgram.isEmpty()) {
        const ProgramCommands::Outcome applied = commands.apply(line.applyProgram, line.axes);
        if (applied != ProgramCommands::Done)
            return applied;
    }
    if (!line.checkProgram.isEmpty()) {
        const ProgramCommands::Outcome checked = commands.check(line.checkProgram, line.axes);
        if (checked == ProgramCommands::Failed)
            printError(tr("the module does not match %1").arg(line.checkProgram));
        return checked;
    }
    return ProgramCommands::Done;
}
