// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulated drive bench: cost of one axis per simulated millisecond (ramp generator,
// closed-loop controller, rotor dynamics and encoder) in the states the axis can be in. The
// closed-loop settings are measured by comparisonbench.
//
//     physicsbench [--samples N] [--milliseconds N]   time per simulated millisecond

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int samples = 7;
    int milliseconds = 5000;
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        bool ok = false;
        const int value = i + 1 < arguments.size() ? arguments.at(i + 1).toInt(&ok) : 0;
        if ((arguments.at(i) == QLatin1String("--samples") || arguments.at(i) == QLatin1String("--milliseconds")) && ok
            && value > 0) {
            (arguments.at(i) == QLatin1String("--samples") ? samples : milliseconds) = value;
            ++i;
            continue;
        }
        std::fprintf(stderr, "usage: physicsbench [--samples N] [--milliseconds N]\n");
        return 2;
    }
    timing(samples, milliseconds);
    return 0;
}
