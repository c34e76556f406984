// Cost of the simulated motor: time per simulated millisecond of one moving axis, for the
// whole axis (ramp generator, physics and encoder) and for the physics step alone, in the
// states the rotor can be in. Prints medians over repeated samples.
//
//     physicsbench [--samples N] [--milliseconds N]

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
    double load; // share of the holding torque
    bool closedLoop;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// An axis in a long move at 1 rev/s, advanced in the 10 ms pieces the guided run uses.
double axisSample(const ParameterCatalogue& catalogue, const Case& c, int milliseconds)
{
    SimulatedAxis axis(catalogue);
    MotorPhysics::Motor motor;
    motor.loadTorque = c.load * motor.holdingTorque;
    axis.setMotor(motor);
    axis.write(210, 4000);
    if (c.closedLoop) {
        axis.write(129, 1);
        axis.advance(SimulatedAxis::ClosedLoopInitTime);
    }
    axis.moveTo(1 << 30);
    axis.advance(2000); // past the ramp: a loaded open-loop rotor has fallen out of step by now
    QElapsedTimer timer;
    timer.start();
    for (int ms = 0; ms < milliseconds; ms += 10)
        axis.advance(10);
    const double nanoseconds = double(timer.nsecsElapsed());
    if (axis.value(1) == 0) // keeps the work observable
        std::puts("");
    return nanoseconds / milliseconds;
}

// The physics step alone, fed a ramp that accelerates, cruises and brakes over and over.
double physicsSample(const Case& c, int milliseconds)
{
    MotorPhysics physics;
    MotorPhysics::Motor motor;
    motor.loadTorque = c.load * motor.holdingTorque;
    physics.setMotor(motor);
    MotorPhysics::Drive drive;
    drive.moving = true;
    drive.closedLoop = c.closedLoop;
    const double dt = SimulatedAxis::StepSeconds;
    const int steps = milliseconds * SimulatedAxis::StepsPerMillisecond;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < steps; ++i) {
        const int phase = (i / 4000) % 3; // 2 s each
        drive.acceleration = phase == 0 ? 25600.0 : (phase == 1 ? 0.0 : -25600.0);
        drive.velocity = std::max(0.0, drive.velocity + drive.acceleration * dt);
        drive.position += drive.velocity * dt;
        physics.step(drive, dt);
    }
    const double nanoseconds = double(timer.nsecsElapsed());
    if (physics.rotorPosition() < -1e300)
        std::puts("");
    return nanoseconds / milliseconds;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int samples = 21;
    int milliseconds = 20000;
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

    const Case cases[] = {
        {"open loop, no load (in step)", 0.0, false},
        {"open loop, 30 % load (lagging)", 0.3, false},
        {"open loop, 80 % load (out of step)", 0.8, false},
        {"closed loop, 80 % load", 0.8, true},
        {"closed loop, 120 % load (overloaded)", 1.2, true},
    };
    const ParameterCatalogue catalogue;
    std::printf("Time per simulated millisecond of one moving axis; medians of %d samples of %d ms\n", samples,
                milliseconds);
    std::printf("%-40s %14s %14s %s\n", "case", "axis (ns/ms)", "physics (ns/ms)", "target");
    for (const Case& c : cases) {
        std::vector<double> axis, physics;
        for (int s = 0; s < samples; ++s) {
            axis.push_back(axisSample(catalogue, c, milliseconds));
            physics.push_back(physicsSample(c, milliseconds));
        }
        const double physicsMedian = median(physics);
        std::printf("%-40s %14.1f %14.1f %s\n", c.name, median(axis), physicsMedian,
                    physicsMedian < 1000.0 ? "< 1000: met" : "< 1000: missed");
    }
    return 0;
}
