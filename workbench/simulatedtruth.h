#pragma once

class ScopeRecorder;
class SimulatedModule;

// Adds to the scope what only the simulated drive knows, for the axis the tools poll (the
// motor of the latest reply): "position deviation", the count the actual position calls for
// minus the encoder count, and "load angle", how far the rotor lags the field in electrical
// degrees.
void addSimulatedTruth(ScopeRecorder* recorder, SimulatedModule* module);
