// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pulloutcurve.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>

#include "fastmath.h"
#include "parametercatalogue.h"

namespace {
using FastMath::Pi;

// True when the motor kept its steps through the move with this extra load.
bool holds(BenchRig rig, double speed, double torque, bool closedLoop)
{
    MotorPhysics::Motor motor = rig.motor();
    motor.loadTorque += torque;
    rig.drive().setMotor(motor);
    const double revolution = rig.microstepsPerRevolution();
    const int pps = int(std::lround(speed * revolution));
    const int acceleration = std::max(1, int(std::lround(speed / PullOutCurve::Ramp * revolution)));
    const double distance = speed * (PullOutCurve::Ramp + PullOutCurve::Cruise * 1e-3) * revolution;
    if (!rig.move(int(std::lround(distance)), pps, acceleration))
        return false;
    const double limit = PullOutCurve::LostSteps * rig.fullStep();
    const double perCount = rig.microstepsPerCount();
    const int duration = int(std::ceil(1000.0 * PullOutCurve::Ramp)) + PullOutCurve::Cruise;
    for (int ms = 0; ms < duration && rig.axis().isMoving(); ++ms) {
        rig.advance(1);
        const double deviation = closedLoop ? rig.axis().driveSignals().followingError
                                            : rig.axis().positionDeviation() * perCount;
        if (std::abs(deviation) > limit)
            return false;
    }
    return true;
}
} // namespace

std::vector<double> PullOutCurve::speeds(const MotorPhysics::Motor& motor, int count)
{
    MotorPhysics physics;
    physics.setMotor(motor);
    // The speed at which no current is left, searched on the model's own curve.
    double top = 1.0;
    while (top < 200.0 && physics.reachableCurrent(2 * Pi * top) > 0.05 * motor.ratedCurrent)
        top += 0.5;
    std::vector<double> list;
    for (int i = 0; i < count; ++i)
        list.push_back(count > 1 ? 0.5 + (1.1 * top - 0.5) * i / (count - 1) : top);
    return list;
}

double PullOutCurve::carried(const BenchRig& prepared, double speed, bool closedLoop)
{
    const double holding = prepared.motor().holdingTorque;
    double low = 0.0;
    double high = holding;
    if (!holds(prepared, speed, 0.0, closedLoop))
        return 0.0;
    for (int i = 0; i < Bisections; ++i) {
        const double middle = 0.5 * (low + high);
        if (holds(prepared, speed, middle, closedLoop))
            low = middle;
        else
            high = middle;
    }
    return low + prepared.motor().loadTorque;
}

PullOutCurve::Result PullOutCurve::measure(const BenchRig& rig, const std::vector<double>& speedList,
                                           const Progress& progress)
{
    Result result;
    BenchRig closed = rig;
    if (!closed.prepare(0.0, 0.0))
        return result;
    BenchRig open = closed;
    open.setParameter(129, 0);
    open.advance(BenchRig::RestTime);
    for (size_t i = 0; i < speedList.size(); ++i) {
        if (progress && !progress(double(i) / speedList.size()))
            return result;
        Point point;
        point.speed = speedList[i];
        point.openLoop = carried(open, point.speed, false);
        point.closedLoop = carried(closed, point.speed, true);
        result.points.push_back(point);
    }
    recommend(&result, rig.motor(), rig.microstepsPerRevolution());
    result.complete = true;
    if (progress)
        progress(1.0);
    return result;
}

void PullOutCurve::recommend(Result* result, const MotorPhysics::Motor& motor, int microstepsPerRevolution)
{
    result->load = motor.loadTorque + std::abs(motor.activeLoad);
    const auto& p = result->points;
    // The closed loop's pull-out torque between the measured speeds, linear.
    auto torqueAt = [&p](double speed) {
        for (size_t i = 1; i < p.size(); ++i) {
            if (speed <= p[i].speed) {
                const double u = (speed - p[i - 1].speed) / (p[i].speed - p[i - 1].speed);
                return p[i - 1].closedLoop + u * (p[i].closedLoop - p[i - 1].closedLoop);
            }
        }
        return p.empty() ? 0.0 : p.back().closedLoop;
    };
    // The stall speed: where the pull-out torque first falls to the load.
    double stall = 0.0;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i].closedLoop <= result->load) {
            if (i > 0) {
                const double before = p[i - 1].closedLoop;
                stall = p[i - 1].speed + (p[i].speed - p[i - 1].speed) * (before - result->load) / (before - p[i].closedLoop);
            }
            break;
        }
        stall = p[i].speed;
    }
    result->maximumVelocity = SpeedMargin * stall;
    double excess = 1e300;
    for (const Point& point : p) {
        if (point.speed <= result->maximumVelocity)
            excess = std::min(excess, point.closedLoop / TorqueMargin - result->load);
    }
    excess = std::min(excess, torqueAt(result->maximumVelocity) / TorqueMargin - result->load);
    const double inertia = motor.inertia + motor.loadInertia;
    result->acceleration = result->maximumVelocity > 0 ? std::max(0.0, excess) / inertia / (2 * Pi) : 0.0;
    // Within what the parameters can hold.
    const ParameterCatalogue catalogue;
    result->velocityParameter = int(std::min<double>(std::lround(result->maximumVelocity * microstepsPerRevolution),
                                                     catalogue.find(4)->parameter.maximum));
    result->accelerationParameter = int(std::min<double>(std::lround(result->acceleration * microstepsPerRevolution),
                                                         catalogue.find(5)->parameter.maximum));
    result->acceleration = std::min(result->acceleration, double(result->accelerationParameter) / microstepsPerRevolution);
}

QJsonObject PullOutCurve::Result::toJson() const
{
    QJsonArray array;
    for (const Point& point : points)
        array.append(QJsonObject{{QStringLiteral("speedRevPerSecond"), point.speed},
                                 {QStringLiteral("openLoopNewtonMetres"), point.openLoop},
                                 {QStringLiteral("closedLoopNewtonMetres"), point.closedLoop}});
    return {{QStringLiteral("points"), array},
            {QStringLiteral("loadNewtonMetres"), load},
            {QStringLiteral("torqueMargin"), TorqueMargin},
            {QStringLiteral("speedMargin"), SpeedMargin},
            {QStringLiteral("maximumVelocityRevPerSecond"), maximumVelocity},
            {QStringLiteral("accelerationRevPerSecondSquared"), acceleration},
            {QStringLiteral("parameter4"), velocityParameter},
            {QStringLiteral("parameter5"), accelerationParameter}};
}

QString PullOutCurve::Result::text() const
{
    QString out = tr("Pull-out torque (N·m) against speed, open and closed loop:") + QLatin1Char('\n');
    for (const Point& point : points)
        out += QStringLiteral("  %1 rev/s  %2  %3\n")
                   .arg(point.speed, 6, 'f', 2)
                   .arg(point.openLoop, 6, 'f', 3)
                   .arg(point.closedLoop, 6, 'f', 3);
    out += tr("  Recommended maximum velocity (4): %1 pps (%2 rev/s); acceleration (5): %3 pps² (%4 rev/s²); "
              "%5 % of the stall speed, the pull-out torque divided by %6, load %7 N·m")
               .arg(velocityParameter)
               .arg(maximumVelocity, 0, 'f', 2)
               .arg(accelerationParameter)
               .arg(acceleration, 0, 'f', 0)
               .arg(100 * SpeedMargin)
               .arg(TorqueMargin)
               .arg(load, 0, 'f', 3)
           + QLatin1Char('\n');
    return out;
}
