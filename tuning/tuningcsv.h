// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "autotuner.h"
#include "frequencyresponse.h"
#include "pulloutcurve.h"
#include "stepresponse.h"

// The tuning's data as CSV, comma-separated with a header naming each column's unit, numbers
// in the C locale so that any spreadsheet reads them.
class TuningCsv
{
public:
    static QString steps(const StepResponse::Result& result);
    static QString frequency(const FrequencyResponse::Result& result);
    static QString pullOut(const PullOutCurve::Result& result);
    static QString proposal(const AutoTuner::Result& result);
};
