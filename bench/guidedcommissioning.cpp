// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "guidedcommissioning.h"

#include <QMdiArea>
#include <QTextStream>

#include "guidedrun.h"
#include "pluginhost.h"
#include "simulatedmodule.h"

bool GuidedCommissioning::run(QTextStream* out, QString* error) const
{
    QMdiArea area;
    area.resize(1400, 900);
    // The tools size their windows against a visible area.
    area.show();
    SimulatedModule module;
    module.setManualClock(true);
    module.setTrueEncoderResolution(encoderResolution);
    module.setEncoderReversed(encoderReversed);
    PluginHost host;
    if (!host.load(pluginPath)) {
        *error = QStringLiteral("cannot load the plug-in %1: %2").arg(pluginPath, host.errorString());
        return false;
    }
    if (host.createTools(&module, &area, QStringLiteral("module1")).size() != 4) {
        *error = QStringLiteral("the plug-in did not make its four tools");
        return false;
    }

    GuidedRun guided(&host, &module, out);
    if (!guided.run()) {
        *error = guided.errorString();
        return false;
    }

    // What the run must leave on the module: the closed loop on and initialised with the
    // resolution the detection found.
    const int expectedResolution = encoderReversed ? -encoderResolution : encoderResolution;
    const int closedLoop = module.getAxisParameter(129, 0);
    const int initialised = module.getAxisParameter(133, 0);
    const int resolution = module.getAxisParameter(210, 0);
    if (closedLoop != 1 || initialised != 1 || resolution != expectedResolution) {
        *error = QStringLiteral("the run ended with 129 = %1, 133 = %2, 210 = %3 instead of 1, 1, %4")
                     .arg(closedLoop)
                     .arg(initialised)
                     .arg(resolution)
                     .arg(expectedResolution);
        return false;
    }
    const QString resolutionLine = QStringLiteral("  SAP 210, 0, %1  //").arg(expectedResolution, 8);
    if (!guided.setupProgram().contains(resolutionLine)) {
        *error = QStringLiteral("the setup program lacks \"%1\":\n%2").arg(resolutionLine, guided.setupProgram());
        return false;
    }
    return true;
}
