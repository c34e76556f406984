// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QtCharts/QChartGlobal>

#include "frequencyresponse.h"
#include "pulloutcurve.h"
#include "stepresponse.h"

QT_CHARTS_BEGIN_NAMESPACE
class QChart;
QT_CHARTS_END_NAMESPACE

// The tuning's plots as charts, for the window and for the pictures of the manual: each
// function makes a new chart the caller owns.
class TuningCharts
{
    Q_DECLARE_TR_FUNCTIONS(TuningCharts)
public:
    // Every run's trace overlaid, over the time since the step, with the target and the band.
    static QtCharts::QChart* steps(const StepResponse::Result& result);
    // Magnitude (dB) or phase (degrees) over a log frequency axis; unresolved points left out.
    static QtCharts::QChart* bode(const FrequencyResponse::Result& result, bool phase, const QString& title);
    // Open and closed loop's pull-out torque over speed, the load and the recommended speed marked.
    static QtCharts::QChart* pullOut(const PullOutCurve::Result& result);
};
