// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tuningcsv.h"

QString TuningCsv::steps(const StepResponse::Result& result)
{
    QString out = QStringLiteral("time_ms");
    for (size_t run = 0; run < result.traces.size(); ++run)
        out += QStringLiteral(",run%1_position_microsteps").arg(run + 1);
    out += QLatin1Char('\n');
    const size_t length = result.traces.empty() ? 0 : result.traces.front().size();
    for (size_t k = 0; k < length; ++k) {
        out += QString::number(k + 1);
        for (const auto& trace : result.traces)
            out += QLatin1Char(',') + QString::number(k < trace.size() ? trace[k] : 0.0, 'f', 1);
        out += QLatin1Char('\n');
    }
    return out;
}

QString TuningCsv::frequency(const FrequencyResponse::Result& result)
{
    QString out = QStringLiteral("frequency_Hz,amplitude_microsteps,magnitude_dB,magnitude_sd_dB,phase_deg,phase_sd_deg,"
                                 "resolved\n");
    for (const auto& p : result.points)
        out += QStringLiteral("%1,%2,%3,%4,%5,%6,%7\n")
                   .arg(p.frequency, 0, 'f', 3)
                   .arg(p.amplitude, 0, 'f', 1)
                   .arg(p.magnitude.mean(), 0, 'f', 3)
                   .arg(p.magnitude.standardDeviation(), 0, 'f', 3)
                   .arg(p.phase.mean(), 0, 'f', 2)
                   .arg(p.phase.standardDeviation(), 0, 'f', 2)
                   .arg(p.resolved ? 1 : 0);
    return out;
}

QString TuningCsv::pullOut(const PullOutCurve::Result& result)
{
    QString out = QStringLiteral("speed_rev_per_s,open_loop_Nm,closed_loop_Nm\n");
    for (const auto& p : result.points)
        out += QStringLiteral("%1,%2,%3\n").arg(p.speed, 0, 'f', 3).arg(p.openLoop, 0, 'f', 4).arg(p.closedLoop, 0, 'f', 4);
    return out;
}

QString TuningCsv::proposal(const AutoTuner::Result& result)
{
    QString out = QStringLiteral("variant,gentle_move_rms_mean_microsteps,gentle_move_rms_sd_microsteps,"
                                 "gentle_move_rms_min_microsteps,gentle_move_rms_max_microsteps,holds");
    for (int number : AutoTuner::Tuned)
        out += QStringLiteral(",p%1").arg(number);
    out += QLatin1Char('\n');
    for (size_t v = 0; v < result.moves.size(); ++v) {
        const Spread rms = result.rms(int(v));
        out += QStringLiteral("\"%1\",%2,%3,%4,%5,%6")
                   .arg(result.variantName(int(v)))
                   .arg(rms.mean(), 0, 'f', 3)
                   .arg(rms.standardDeviation(), 0, 'f', 3)
                   .arg(rms.minimum(), 0, 'f', 3)
                   .arg(rms.maximum(), 0, 'f', 3)
                   .arg(result.moves[v].holds() ? 1 : 0);
        const AutoTuner::Parameters parameters
            = v == 0 ? result.current : result.comparison->variants().at(int(v)).parameters;
        for (int number : AutoTuner::Tuned) {
            bool found = false;
            for (const auto& p : parameters)
                found = found || p.first == number;
            out += QLatin1Char(',')
                   + (found ? QString::number(AutoTuner::value(parameters, number))
                            : QString::number(AutoTuner::value(result.current, number)));
        }
        out += QLatin1Char('\n');
    }
    return out;
}
