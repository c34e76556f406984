// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QJsonObject>

#include "spread.h"

class ResponseProbe;

// The closed loop's frequency response by stepped sine. For each frequency a sine of
// amplitude `amplitude(f)` is added to the setpoint; after the transient (SettlePeriods
// periods, at least SettleTime) input and output are correlated with cos and sin over whole
// periods (at least MeasurePeriods, at least MeasureTime; the frequency is moved slightly so
// that they fill whole milliseconds), giving T = Y / X. Every repetition runs the whole sweep
// from the defined state with another start phase.
//
// A point whose output amplitude stays below one quantum of the encoder is kept but marked
// unresolved, and the figures below leave it out.
//
// From T: the bandwidth where |T| first falls below -3 dB and the resonance peak. Injected at
// the feedback's own input (the target of the following error, not the field's), T is the
// unity-feedback closed loop L / (1 + L), so the open loop is L = T / (1 - T): the phase
// margin at the frequency where |L| falls through 1, the gain margin where the phase of L
// passes -180°. Injected at the position setpoint, which the drive also feeds forward into
// the field, T is not of that form and no margins are derived.
class FrequencyResponse
{
    Q_DECLARE_TR_FUNCTIONS(FrequencyResponse)
public:
    static constexpr int SettlePeriods = 4;
    static constexpr int SettleTime = 100;  // ms
    static constexpr int MeasurePeriods = 4;
    static constexpr int MeasureTime = 200; // ms
    // The amplitude rule, in quanta of the output (encoder counts): large against the
    // quantisation, and at most an eighth of an electrical period (the torque's sine stays
    // within 10 % of linear); see amplitudeFor().
    static constexpr double AmplitudeQuanta = 8.0;

    struct Point
    {
        double frequency = 0.0; // Hz, as measured (whole milliseconds)
        double amplitude = 0.0; // microsteps
        Spread magnitude; // dB
        Spread phase;     // degrees, unwrapped along the frequencies
        std::complex<double> response; // mean over the repetitions
        bool resolved = true; // the output's amplitude reaches one quantum: else only noise
    };
    struct Result
    {
        std::vector<Point> points;
        double bandwidth = -1.0;   // Hz where |T| first falls below -3 dB; -1 not within the range
        double peak = 0.0;         // dB, the largest |T|
        double peakFrequency = 0.0;
        double crossover = -1.0;   // Hz where |L| = 1; -1 not found
        double phaseMargin = std::nan(""); // degrees
        double phaseCrossover = -1.0; // Hz where the phase of L is -180 degrees
        double gainMargin = std::nan("");  // dB
        bool loop = false;         // measured at the feedback's input: margins derived
        bool complete = false;     // false when cancelled or the probe could not start
        QJsonObject toJson() const;
        QString text() const;
    };
    // Asked between frequencies with the share done; false cancels.
    using Progress = std::function<bool(double done)>;

    // `count` frequencies spaced evenly on a log scale.
    static std::vector<double> logSpaced(double from, double to, int count);
    // From a few hertz to twice the highest natural frequency of the motor (full current),
    // at most 450 Hz for the millisecond sampling.
    static std::vector<double> range(double naturalFrequency, int count);
    static double amplitudeFor(double quantum, double microstepsPerPeriod);
    // Lock-in: the complex amplitude of `samples` (one per `dt`) at `frequency`, over all of
    // them (a whole number of periods).
    static std::complex<double> lockIn(const std::vector<double>& samples, double frequency, double dt);

    static Result measure(ResponseProbe& probe, const std::vector<double>& frequencies, double amplitude,
                          int repetitions, bool loop, const Progress& progress = Progress());
    // Fills the figures derived from the points.
    static void analyse(Result* result);
};
