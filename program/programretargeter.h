// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

#include "koraprogram.h"

// Moves a setup program to another axis: every SAP and GAP addresses the given motor, so a
// program made on axis 0 sets up axis 1 or 2 the same way. That is only meaningful for a
// program that addresses one axis; callers refuse to move one that addresses several.
class ProgramRetargeter
{
public:
    static KoraProgram toMotor(const KoraProgram& program, int motor);
    // The axes the program's SAPs and GAPs address, ascending.
    static QList<int> motors(const KoraProgram& program);
};
