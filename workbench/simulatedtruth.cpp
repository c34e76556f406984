#include "simulatedtruth.h"

#include <limits>

#include <QPointer>

#include "scoperecorder.h"
#include "simulatedmodule.h"

namespace {

const double NoValue = std::numeric_limits<double>::quiet_NaN();

// A value of the axis the latest reply came from, read at the module's present time.
void addAxisSource(ScopeRecorder* recorder, SimulatedModule* module, const QString& name,
                   double (SimulatedAxis::*read)() const)
{
    QPointer<SimulatedModule> guarded(module);
    recorder->addSource(name, [recorder, guarded, read]() {
        if (!guarded || !guarded->isDeviceOpen())
            return NoValue;
        guarded->synchronise();
        const SimulatedAxis* axis = guarded->drive()->axis(recorder->latestMotor());
        return axis ? (axis->*read)() : NoValue;
    });
}

} // namespace

void addSimulatedTruth(ScopeRecorder* recorder, SimulatedModule* module)
{
    if (!recorder || !module)
        return;
    addAxisSource(recorder, module, QStringLiteral("position deviation"), &SimulatedAxis::positionDeviation);
    addAxisSource(recorder, module, QStringLiteral("load angle"), &SimulatedAxis::loadAngle);
}
