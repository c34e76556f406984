#pragma once

#include "koraprogram.h"

// Moves a setup program to another axis: every SAP and GAP addresses the given motor, so a
// program made on axis 0 sets up axis 1 or 2 the same way.
class ProgramRetargeter
{
public:
    static KoraProgram toMotor(const KoraProgram& program, int motor);
};
