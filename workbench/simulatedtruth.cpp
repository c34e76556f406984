#include "simulatedtruth.h"

#include <limits>

#include <QPointer>

#include "scoperecorder.h"
#include "simulatedmodule.h"

namespace {

const double NoValue = std::numeric_limits<double>::quiet_NaN();

double positionDeviation(const SimulatedAxis& axis)
{
    const int microsteps = axis.microstepsPerRevolution();
    if (microsteps <= 0)
        return NoValue;
    // matchingEncoderResolution() carries the sign of the encoder against the position counter.
    return double(axis.value(209)) - axis.exactPosition() * axis.matchingEncoderResolution() / microsteps;
}

} // namespace

void addSimulatedTruth(ScopeRecorder* recorder, SimulatedModule* module)
{
    if (!recorder || !module)
        return;
    QPointer<SimulatedModule> guarded(module);
    recorder->addSource(QStringLiteral("position deviation"), [recorder, guarded]() {
        if (!guarded || !guarded->isDeviceOpen())
            return NoValue;
        guarded->synchronise();
        const SimulatedAxis* axis = guarded->drive()->axis(recorder->latestMotor());
        return axis ? positionDeviation(*axis) : NoValue;
    });
}
