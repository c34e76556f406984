#pragma once

class ScopeRecorder;
class SimulatedModule;

// Adds to the scope what only the simulated drive knows, for the axis the tools poll (the
// motor of the latest reply): "position deviation", the encoder count minus the count the
// actual position calls for, in encoder counts.
void addSimulatedTruth(ScopeRecorder* recorder, SimulatedModule* module);
