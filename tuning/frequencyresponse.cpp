// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frequencyresponse.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>

#include "fastmath.h"
#include "responseprobe.h"
#include "spreadformat.h"

namespace {
using FastMath::Pi;
const double Dt = 0.001; // s, the sampling of the output
const double LowestFrequency = 2.0; // Hz
const double HighestFrequency = 450.0;

double decibels(double gain)
{
    return 20.0 * std::log10(std::max(gain, 1e-12));
}

// Where a quantity, given at two frequencies, reaches `level`; on a log frequency scale.
double crossing(double f0, double v0, double f1, double v1, double level)
{
    const double t = v1 != v0 ? (level - v0) / (v1 - v0) : 0.0;
    return std::exp(std::log(f0) + t * (std::log(f1) - std::log(f0)));
}
} // namespace

std::vector<double> FrequencyResponse::logSpaced(double from, double to, int count)
{
    std::vector<double> frequencies;
    for (int i = 0; i < count; ++i)
        frequencies.push_back(count > 1 ? from * std::pow(to / from, double(i) / (count - 1)) : from);
    return frequencies;
}

std::vector<double> FrequencyResponse::range(double naturalFrequency, int count)
{
    return logSpaced(LowestFrequency, std::clamp(2.0 * naturalFrequency, 50.0, HighestFrequency), count);
}

double FrequencyResponse::amplitudeFor(double quantum, double microstepsPerPeriod)
{
    return std::min(AmplitudeQuanta * quantum, microstepsPerPeriod / 8.0);
}

std::complex<double> FrequencyResponse::lockIn(const std::vector<double>& samples, double frequency, double dt)
{
    if (samples.empty())
        return {};
    double c = 0.0;
    double s = 0.0;
    for (size_t k = 0; k < samples.size(); ++k) {
        const double angle = 2.0 * Pi * frequency * dt * double(k);
        c += samples[k] * std::cos(angle);
        s += samples[k] * std::sin(angle);
    }
    // x = a sin(wt + p) gives c = a sin p N/2, s = a cos p N/2: the phasor a e^(jp).
    const double n = double(samples.size()) / 2.0;
    return {s / n, c / n};
}

FrequencyResponse::Result FrequencyResponse::measure(ResponseProbe& probe, const std::vector<double>& frequencies,
                                                     double amplitude, int repetitions, bool loop,
                                                     const Progress& progress)
{
    Result result;
    result.loop = loop;
    repetitions = std::max(1, repetitions);
    std::vector<std::vector<std::complex<double>>> responses(frequencies.size());
    std::vector<double> measured(frequencies.size(), 0.0);
    const double steps = double(repetitions * frequencies.size());
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        if (!probe.begin(double(repetition) / repetitions))
            return result;
        for (size_t i = 0; i < frequencies.size(); ++i) {
            if (progress && !progress(double(repetition * frequencies.size() + i) / steps))
                return result;
            const double wanted = frequencies[i];
            const int periods = std::max(MeasurePeriods, int(std::ceil(MeasureTime * 1e-3 * wanted)));
            const int window = std::max(1, int(std::lround(periods * 1000.0 / wanted)));
            const double f = periods * 1000.0 / window;
            const int settle = std::max(SettleTime, int(std::ceil(SettlePeriods * 1000.0 / f)));
            const double w = 2.0 * Pi * f;
            probe.setInput([amplitude, w](double t, double* offset, double* rate) {
                *offset = amplitude * std::sin(w * t);
                *rate = amplitude * w * std::cos(w * t);
            });
            // Settle over whole periods, so that the window starts at the sine's zero.
            const int settlePeriods = int(std::ceil(settle * 1e-3 * f));
            const int settleSamples = int(std::lround(settlePeriods * 1000.0 / f));
            probe.advance(settleSamples);
            std::vector<double> input;
            std::vector<double> output;
            input.reserve(size_t(window));
            output.reserve(size_t(window));
            for (int k = 0; k < window; ++k) {
                const double t = double(settleSamples + k) * Dt;
                input.push_back(amplitude * std::sin(w * t));
                output.push_back(probe.output());
                probe.advance(1);
            }
            // Each output sample is taken before the millisecond that follows it: in step
            // with the input at the same instant.
            const std::complex<double> x = lockIn(input, f, Dt);
            const std::complex<double> y = lockIn(output, f, Dt);
            responses[i].push_back(y / x);
            measured[i] = f;
            probe.setInput(ResponseProbe::Signal());
        }
    }
    double previous = 0.0;
    for (size_t i = 0; i < frequencies.size(); ++i) {
        Point point;
        point.frequency = measured[i];
        point.amplitude = amplitude;
        std::vector<double> magnitudes;
        std::vector<double> phases;
        std::complex<double> sum;
        for (const auto& r : responses[i]) {
            magnitudes.push_back(decibels(std::abs(r)));
            double phase = std::arg(r) * 180.0 / Pi;
            // Unwrapped: the nearest turn to the previous frequency's phase.
            phase -= 360.0 * std::round((phase - previous) / 360.0);
            phases.push_back(phase);
            sum += r;
        }
        point.magnitude = Spread(magnitudes);
        point.phase = Spread(phases);
        point.response = sum / double(responses[i].size());
        point.resolved = std::abs(point.response) * amplitude >= probe.quantum();
        previous = point.phase.mean();
        result.points.push_back(point);
    }
    result.complete = true;
    analyse(&result);
    if (progress)
        progress(1.0);
    return result;
}

void FrequencyResponse::analyse(Result* result)
{
    std::vector<Point> p;
    for (const Point& point : result->points) {
        if (point.resolved)
            p.push_back(point);
    }
    result->peak = -1e9;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i].magnitude.mean() > result->peak) {
            result->peak = p[i].magnitude.mean();
            result->peakFrequency = p[i].frequency;
        }
        if (i > 0 && result->bandwidth < 0 && p[i].magnitude.mean() < -3.0 && p[i - 1].magnitude.mean() >= -3.0)
            result->bandwidth = crossing(p[i - 1].frequency, p[i - 1].magnitude.mean(), p[i].frequency,
                                         p[i].magnitude.mean(), -3.0);
    }
    if (!result->loop)
        return;
    // The open loop, unwrapped along the frequencies like the closed loop.
    std::vector<double> gain;
    std::vector<double> phase;
    double previous = 0.0;
    for (const Point& point : p) {
        const std::complex<double> l = point.response / (1.0 - point.response);
        gain.push_back(decibels(std::abs(l)));
        double angle = std::arg(l) * 180.0 / Pi;
        angle -= 360.0 * std::round((angle - previous) / 360.0);
        phase.push_back(angle);
        previous = angle;
    }
    for (size_t i = 1; i < p.size(); ++i) {
        if (result->crossover < 0 && gain[i - 1] >= 0.0 && gain[i] < 0.0) {
            result->crossover = crossing(p[i - 1].frequency, gain[i - 1], p[i].frequency, gain[i], 0.0);
            const double t = (gain[i - 1]) / (gain[i - 1] - gain[i]);
            const double angle = phase[i - 1] + t * (phase[i] - phase[i - 1]);
            // The distance of the phase from -180 degrees (modulo whole turns).
            const double fromMinus180 = angle + 180.0 - 360.0 * std::floor((angle + 180.0) / 360.0);
            result->phaseMargin = std::min(fromMinus180, 360.0 - fromMinus180);
        }
        const double a = phase[i - 1] + 180.0;
        const double b = phase[i] + 180.0;
        const double turnA = std::floor(a / 360.0 + 0.5);
        const double turnB = std::floor(b / 360.0 + 0.5);
        // Crossing an odd multiple of 180 degrees: a - 360 k changes sign.
        if (result->phaseCrossover < 0 && turnA == turnB && (a - 360.0 * turnA) * (b - 360.0 * turnB) < 0.0) {
            const double t = (a - 360.0 * turnA) / ((a - 360.0 * turnA) - (b - 360.0 * turnB));
            result->phaseCrossover = std::exp(std::log(p[i - 1].frequency)
                                              + t * (std::log(p[i].frequency) - std::log(p[i - 1].frequency)));
            result->gainMargin = -(gain[i - 1] + t * (gain[i] - gain[i - 1]));
        }
    }
}

QJsonObject FrequencyResponse::Result::toJson() const
{
    QJsonArray array;
    for (const Point& point : points) {
        array.append(QJsonObject{{QStringLiteral("frequencyHz"), point.frequency},
                                 {QStringLiteral("resolved"), point.resolved},
                                 {QStringLiteral("amplitudeMicrosteps"), point.amplitude},
                                 {QStringLiteral("magnitudeDb"), SpreadFormat::json(point.magnitude)},
                                 {QStringLiteral("phaseDegrees"), SpreadFormat::json(point.phase)}});
    }
    QJsonObject json{{QStringLiteral("points"), array}, {QStringLiteral("peakDb"), peak},
                     {QStringLiteral("peakFrequencyHz"), peakFrequency}};
    auto optional = [&json](const QString& key, double value, bool valid) {
        json.insert(key, valid ? QJsonValue(value) : QJsonValue());
    };
    optional(QStringLiteral("bandwidthHz"), bandwidth, bandwidth > 0);
    optional(QStringLiteral("crossoverHz"), crossover, crossover > 0);
    optional(QStringLiteral("phaseMarginDegrees"), phaseMargin, std::isfinite(phaseMargin));
    optional(QStringLiteral("phaseCrossoverHz"), phaseCrossover, phaseCrossover > 0);
    optional(QStringLiteral("gainMarginDb"), gainMargin, std::isfinite(gainMargin));
    return json;
}

QString FrequencyResponse::Result::text() const
{
    auto figure = [](double value, bool valid, const QString& unit) {
        return valid ? QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(unit) : tr("not within the range");
    };
    QString out = tr("frequency response of the closed loop (to the encoder's position):") + QLatin1Char('\n');
    for (const Point& point : points) {
        out += QStringLiteral("  %1 Hz  %2 dB  %3°").arg(point.frequency, 7, 'f', 1)
                   .arg(SpreadFormat::text(point.magnitude, 2), 14)
                   .arg(SpreadFormat::text(point.phase), 14);
        out += (point.resolved ? QString() : QLatin1Char(' ') + tr("(below the encoder's resolution)")) + QLatin1Char('\n');
    }
    out += tr("  Bandwidth (-3 dB): %1").arg(figure(bandwidth, bandwidth > 0, QStringLiteral("Hz"))) + QLatin1Char('\n');
    out += tr("  Resonance peak: %1 dB at %2 Hz").arg(peak, 0, 'f', 1).arg(peakFrequency, 0, 'f', 1) + QLatin1Char('\n');
    out += tr("  Phase margin: %1").arg(figure(phaseMargin, std::isfinite(phaseMargin), QStringLiteral("°")))
           + QLatin1Char('\n');
    out += tr("  Gain margin: %1").arg(figure(gainMargin, std::isfinite(gainMargin), QStringLiteral("dB")))
           + QLatin1Char('\n');
    return out;
}
