// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulated drive bench: cost of one axis per simulated millisecond (ramp generator,
// closed-loop controller, rotor dynamics and encoder) in the states the axis can be in, and
// the closed-loop settings measured on the bench move (BenchMove).
//
//     physicsbench [--samples N] [--milliseconds N]   time per simulated millisecond
//     physicsbench --presets                          the three presets, and a P far beyond
//     physicsbench --effects                          each closed-loop parameter halved and doubled

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "benchmove.h"
#include "parametercatalogue.h"
#include "simulatedaxis.h"

namespace {

struct Case
{
    const char* name;
    double load; // Coulomb friction, share of the holding torque
    bool closedLoop;
    bool moving;
    double viscousFriction = 0.0; // N m s/rad
    double inertia = 3.0e-5;      // kg m^2, the rotor's
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// An axis in a long move at 1 rev/s (or at rest after one), advanced in the 10 ms pieces the
// guided run uses.
double axisSample(const ParameterCatalogue& catalogue, const Case& c, int milliseconds)
{
    SimulatedAxis axis(catalogue);
    axis.write(210, 4000);
    if (c.closedLoop) {
        axis.write(129, 1);
        axis.advance(SimulatedAxis::ClosedLoopInitTime);
    }
    MotorPhysics::Motor motor;
    motor.loadTorque = c.load * motor.holdingTorque;
    motor.viscousFriction = c.viscousFriction;
    motor.inertia = c.inertia;
    axis.setMotor(motor);
    axis.moveTo(c.moving ? 1 << 30 : 51200);
    axis.advance(2000); // past the ramp; a stalled rotor has stalled by now
    QElapsedTimer timer;
    timer.start();
    for (int ms = 0; ms < milliseconds; ms += 10)
        axis.advance(10);
    const double nanoseconds = double(timer.nsecsElapsed());
    if (axis.value(1) == 0) // keeps the work observable
        std::puts("");
    return nanoseconds / milliseconds;
}

void timing(int samples, int milliseconds)
{
    const Case cases[] = {
        {"open loop, no load", 0.0, false, true},
        {"open loop, 30 % load", 0.3, false, true},
        {"open loop, 80 % load (stalled)", 0.8, false, true},
        {"closed loop, no load", 0.0, true, true},
        {"closed loop, 80 % load", 0.8, true, true},
        {"closed loop, 120 % load (stalled)", 1.2, true, true},
        {"closed loop, at rest", 0.0, true, false},
        // Stiff damping and the lightest rotor the options allow: damping and, for a rotor this
        // light, the field's stiffness are implicit, so neither shortens the sub-step.
        {"open loop, viscous friction 100", 0.0, false, true, 100.0},
        {"closed loop, viscous friction 100", 0.0, true, true, 100.0},
        {"open loop, inertia 1e-7", 0.0, false, true, 0.0, 1e-7},
        {"closed loop, inertia 1e-7", 0.0, true, true, 0.0, 1e-7},
        {"closed loop, inertia 1e-7, viscous 100", 0.0, true, true, 100.0, 1e-7},
    };
    const ParameterCatalogue catalogue;
    // The fastest sample is the cost; the median shows how much a busy machine adds.
    std::printf("Time per simulated millisecond of one axis; %d samples of %d ms\n", samples, milliseconds);
    std::printf("%-36s %14s %14s %s\n", "case", "fastest (ns)", "median (ns)", "target (fastest)");
    for (const Case& c : cases) {
        std::vector<double> times;
        for (int s = 0; s < samples; ++s)
            times.push_back(axisSample(catalogue, c, milliseconds));
        const double fastest = *std::min_element(times.begin(), times.end());
        std::printf("%-36s %14.1f %14.1f %s\n", c.name, fastest, median(times),
                    fastest < 1000.0 ? "< 1000: met" : "< 1000: missed");
    }
}

void printResult(const char* name, const BenchMove::Result& r)
{
    std::printf("| %s | %.1f | %.1f | %.1f | %s | %.1f | %.0f |\n", name, r.rms, r.peak, r.overshoot,
                r.settling < 0 ? "not within 2 counts" : qPrintable(QString::number(r.settling) + " ms"), r.finalError,
                r.meanCurrent);
}

void presets()
{
    std::printf("| setting | RMS error (µsteps) | peak (µsteps) | overshoot (µsteps) | settling | final error (µsteps) | "
                "mean current (%%) |\n|---|---|---|---|---|---|---|\n");
    printResult("aggressive (P 10000, I 1500)", BenchMove::run({{115, 10000}, {116, 1500}}));
    printResult("balanced (P 5000, I 400)", BenchMove::run({{115, 5000}, {116, 400}}));
    printResult("conservative (P 500, I 200)", BenchMove::run({{115, 500}, {116, 200}}));
    printResult("P 65535 (the largest 115 holds), I 1500", BenchMove::run({{115, 65535}, {116, 1500}}));
    printResult("P ten times aggressive (100000), I 1500",
                BenchMove::run({{115, 10000}, {116, 1500}}, BenchMove::loadedMotor(), 10.0));
}

// Each closed-loop parameter halved and doubled from the balanced preset and the catalogue's
// defaults; a value beyond the parameter's range is not run.
void effects()
{
    const ParameterCatalogue catalogue;
    const QList<QPair<int, int>> balanced = {{115, 5000}, {116, 400}};
    const int numbers[] = {108, 109, 110, 113, 114, 115, 116, 117, 119, 120, 121, 125, 126};
    auto value = [&](int number) {
        for (const auto& p : balanced)
            if (p.first == number)
                return p.second;
        return catalogue.find(number)->parameter.defaultValue;
    };
    auto cell = [&](int number, int v) {
        if (!catalogue.isInRange(number, v))
            return QStringLiteral("beyond the range");
        QList<QPair<int, int>> parameters = balanced;
        parameters.append({number, v});
        const BenchMove::Result r = BenchMove::run(parameters);
        return QStringLiteral("%1 / %2 / %3 %").arg(r.rms, 0, 'f', 1).arg(r.peak, 0, 'f', 1).arg(r.meanCurrent, 0, 'f', 0);
    };
    const BenchMove::Result base = BenchMove::run(balanced);
    std::printf("Balanced preset, defaults otherwise: RMS / peak error (µsteps) / mean current %.1f / %.1f / %.0f %%\n\n",
                base.rms, base.peak, base.meanCurrent);
    std::printf("| parameter | value | halved | doubled |\n|---|---|---|---|\n");
    for (int number : numbers) {
        const int v = value(number);
        std::printf("| %d | %d | %s | %s |\n", number, v, qPrintable(cell(number, v / 2)), qPrintable(cell(number, v * 2)));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int samples = 7;
    int milliseconds = 5000;
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--presets")) {
            presets();
            return 0;
        }
        if (arguments.at(i) == QLatin1String("--effects")) {
            effects();
            return 0;
        }
        bool ok = false;
        const int value = i + 1 < arguments.size() ? arguments.at(i + 1).toInt(&ok) : 0;
        if ((arguments.at(i) == QLatin1String("--samples") || arguments.at(i) == QLatin1String("--milliseconds")) && ok
            && value > 0) {
            (arguments.at(i) == QLatin1String("--samples") ? samples : milliseconds) = value;
            ++i;
            continue;
        }
        std::fprintf(stderr, "usage: physicsbench [--samples N] [--milliseconds N] | --presets | --effects\n");
        return 2;
    }
    timing(samples, milliseconds);
    return 0;
}
