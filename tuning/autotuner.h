// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

#include <QList>
#include <QPair>

#include <optional>

#include "benchmovecase.h"
#include "benchrig.h"
#include "comparisonprotocol.h"
#include "frequencyresponse.h"

// Proposes the velocity correction (115, 116, 117, 119) and the current scaler (113, 114,
// 125) of an axis by identification and loop shaping, on copies of its configuration:
// 1. The bench move with the present settings measures the current the load needs while
//    cruising: the scaler minimum (113) is that plus ScalerMargin, so that a move does not
//    first wait for the current to rise; 114 is the whole range; the tolerance (125) is
//    the error seen at rest plus one count, at least ToleranceCounts counts, so that the
//    encoder's quantisation does not raise the current.
// 2. The feedback loop's frequency response (at the following error's target) is measured
//    with an identification gain; dividing by the known PI gives the loop's plant (motor,
//    field, commutation damping) point by point.
// 3. Placement: a PI C = Kp / s + Ki / s^2 with its zero a factor ZeroRatio below the
//    crossover; the highest crossover on the identified plant with a phase margin of at
//    least TargetPhaseMargin (where none has, FallbackPhaseMargin) and a gain margin of at
//    least TargetGainMargin gives Kp (115) and Ki (116). The DV clipping (119) lets P act linearly up to a quarter electrical period
//    of error; the I clipping (117) lets the integral use all of it.
// 4. Check: the proposal's own loop is measured (phase margin at least 45 degrees and a
//    gain margin of at least 6 dB where the phase crosses -180 degrees) and the gentle move
//    must end without a limit cycle at standstill; else the crossover is lowered and tried
//    again. Then the comparison protocol runs the present settings, the presets and the
//    proposal. The proposal is offered only if it is stable and its RMS following error on
//    the gentle move is below the best preset's with ranges that do not overlap.
class AutoTuner
{
    Q_DECLARE_TR_FUNCTIONS(AutoTuner)
public:
    static constexpr int IdentificationGain = 16384; // 115 during the identification
    static constexpr double ZeroRatio = 10.0;
    static constexpr double TargetPhaseMargin = 60.0; // degrees
    static constexpr double FallbackPhaseMargin = 50.0;
    static constexpr double TargetGainMargin = 10.0;  // dB
    static constexpr double RequiredPhaseMargin = 45.0;
    static constexpr double RequiredGainMargin = 6.0;
    static constexpr double ScalerMargin = 1.25;
    static constexpr int ToleranceCounts = 4;
    static constexpr int Repetitions = 5;
    static constexpr int Tuned[] = {113, 114, 125, 115, 116, 117, 119};

    using Parameters = QList<QPair<int, int>>;
    enum Variant { Present, Conservative, Balanced, Aggressive, Proposal };

    struct Result
    {
        Parameters current;  // the tuned parameters as configured
        Parameters proposal; // empty when no crossover met the targets
        FrequencyResponse::Result identification;
        FrequencyResponse::Result proposalLoop;
        // The gentle move's standstill check, by Variant.
        std::vector<BenchMoveCase::Result> moves;
        std::optional<ComparisonProtocol> comparison; // variants by Variant
        int best = -1;        // Variant of the best preset by the gentle move's RMS error
        bool stable = false;  // the proposal passed the stability checks
        bool offered = false; // stable and measurably better than the best preset
        bool complete = false;
        QString reason;
        bool bestPresetHolds() const { return best >= 0 && moves[size_t(best)].holds(); }
        Spread rms(int variant) const; // the gentle move's RMS following error
        QString variantName(int variant) const;
        QJsonObject toJson() const;
        QString text() const;
    };
    using Progress = std::function<bool(double done)>;

    static Result run(const BenchRig& rig, const Progress& progress = Progress());
    // Kp (1/s) and Ki (1/s^2) for a crossover at `crossover` Hz on the plant given by the
    // identification `loop` measured with the PI (kp, ki), and the margins they are predicted
    // to give; false when they miss the phase margin `target` or TargetGainMargin.
    static bool place(const FrequencyResponse::Result& loop, double kp, double ki, double crossover, double target,
                      double* newKp, double* newKi, double* phaseMargin, double* gainMargin);
    static int value(const Parameters& parameters, int number);
    // The tuned parameters as a setup program's lines would set them, for one motor.
    static QString program(const Parameters& parameters, int motor);
};
