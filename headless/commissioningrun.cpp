// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commissioningrun.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonObject>

#include "commandline.h"
#include "commissioningreport.h"
#include "comparisonrun.h"
#include "guidedrun.h"
#include "pluginhost.h"
#include "programcommands.h"
#include "simulatedmodule.h"
#include "toolsinterface.h"
#include "tuningrun.h"

CommissioningRun::CommissioningRun(PluginHost* host, SimulatedModule* module, int pollMilliseconds, QTextStream* out)
    : m_host(host)
    , m_module(module)
    , m_pollMilliseconds(pollMilliseconds)
    , m_out(out)
{
}

int CommissioningRun::fail(int code, const QString& error)
{
    m_error = error;
    return code;
}

int CommissioningRun::run(const CommandLine& line)
{
    CommissioningReport::Context context;
    context.workbenchVersion = QCoreApplication::applicationVersion();
    if (ToolsInterface* factory = m_host->factory())
        context.pluginVersion = factory->versionText();
    context.pollMilliseconds = m_pollMilliseconds;
    context.started = QDateTime::currentDateTime();
    QElapsedTimer wall;
    wall.start();
    GuidedRun run(m_host, m_module, m_out);
    run.setScreenshotDirectory(line.screenshots);
    run.setCompareOpenLoop(line.compareOpenLoop);
    const bool ready = run.run();
    context.wallMilliseconds = wall.elapsed();
    const QString program = ProgramCommands::programFromHistory(run.setupProgram(), run.closedLoopActivated());
    QJsonObject report = CommissioningReport::build(run, m_module, ready, program, context);
    QString error;
    const bool compared = !ready || !line.comparePresets
                          || ComparisonRun::run(m_module, line.comparePicture, m_out, &report, &error);
    // Without a stable proposal the run fails only when no preset holds the bench move either.
    const bool tuned = !ready || !line.tune || TuningRun::commandLine(*m_module->drive(), 0, *m_out, &report);
    QString reportError;
    if (!line.report.isEmpty() && !CommissioningReport::save(line.report, report, &reportError))
        return fail(ProgramCommands::Failed, reportError);
    if (!compared)
        return fail(ProgramCommands::Failed, error);
    if (!tuned)
        return fail(ProgramCommands::Failed, tr("the tuning has no stable proposal, and no preset holds the gentle move"));
    if (!ready)
        return fail(ProgramCommands::Failed, tr("the guided commissioning failed: %1").arg(run.errorString()));
    if (!line.saveProgram.isEmpty()) {
        if (!ProgramCommands::save(line.saveProgram, program, &error))
            return fail(ProgramCommands::Failed, error);
        *m_out << tr("Setup program saved to %1").arg(line.saveProgram) << Qt::endl;
    }
    return ProgramCommands::Done;
}
