// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "axiscopy.h"

#include <cmath>

#include "simulateddrive.h"

namespace {
// Written by the copy itself or derived: never taken from the configuration.
bool copied(int number)
{
    return number != 0 && number != 1 && number != 129 && number != 209;
}

// Written before everything else: the others are in these units.
const int Resolutions[] = {202, 140, 251, 210};
} // namespace

AxisCopy::Configuration AxisCopy::of(const SimulatedDrive& drive, int motor)
{
    Configuration configuration;
    const SimulatedAxis* axis = drive.axis(motor);
    if (!axis)
        return configuration;
    configuration.motor = axis->physics().motor();
    configuration.encoderCounts = drive.trueEncoderResolution();
    configuration.encoderReversed = drive.encoderReversed();
    for (int number : Resolutions)
        configuration.parameters.append({number, axis->value(number)});
    const QList<int> numbers = drive.catalogue().numbers();
    for (int number : numbers) {
        const ParameterCatalogue::Entry* entry = drive.catalogue().find(number);
        if (entry && !entry->parameter.readOnly && copied(number) && !std::count(std::begin(Resolutions), std::end(Resolutions), number))
            configuration.parameters.append({number, axis->value(number)});
    }
    return configuration;
}

AxisCopy::Configuration AxisCopy::standard(const MotorPhysics::Motor& motor)
{
    Configuration configuration;
    configuration.motor = motor;
    configuration.parameters = {{210, configuration.encoderCounts}};
    return configuration;
}

AxisCopy::Configuration AxisCopy::with(Configuration base, const Parameters& changes)
{
    for (const auto& change : changes) {
        bool found = false;
        for (auto& parameter : base.parameters) {
            if (parameter.first == change.first) {
                parameter.second = change.second;
                found = true;
            }
        }
        if (!found)
            base.parameters.append(change);
    }
    return base;
}

int AxisCopy::value(const Configuration& configuration, int number, int fallback)
{
    for (const auto& parameter : configuration.parameters) {
        if (parameter.first == number)
            return parameter.second;
    }
    return fallback;
}

AxisCopy::AxisCopy(const Configuration& configuration)
    : m_configuration(configuration)
{
}

AxisCopy::~AxisCopy() = default;

SimulatedAxis* AxisCopy::axis()
{
    return m_drive ? m_drive->axis(0) : nullptr;
}

bool AxisCopy::prepare(double phase)
{
    m_drive = std::make_unique<SimulatedDrive>();
    m_drive->setTrueEncoderResolution(m_configuration.encoderCounts);
    m_drive->setEncoderReversed(m_configuration.encoderReversed);
    m_drive->setMotor(m_configuration.motor);
    for (const auto& parameter : qAsConst(m_configuration.parameters))
        m_drive->setAxisParameter(parameter.first, 0, parameter.second);
    const int shift = int(std::lround(phase * fullStep()));
    if (shift != 0) {
        m_drive->move(0, 1, shift);
        for (int ms = 0; ms < 5000 && axis()->isMoving(); ms += 10)
            m_drive->advance(10);
        m_drive->advance(100);
    }
    m_drive->setAxisParameter(129, 0, 1);
    m_drive->advance(SimulatedAxis::ClosedLoopInitTime);
    if (!axis()->isClosedLoopRunning())
        return false;
    m_drive->advance(RestTime);
    markOrigin();
    return true;
}

void AxisCopy::advance(int milliseconds)
{
    m_drive->advance(milliseconds);
}

double AxisCopy::position() const
{
    const SimulatedAxis* a = m_drive->axis(0);
    const int resolution = a->value(210);
    const double count = double(a->value(209));
    return resolution < 0 ? -count * microstepsPerCount() - m_origin : count * microstepsPerCount() - m_origin;
}

void AxisCopy::markOrigin()
{
    m_origin = 0.0;
    m_origin = position();
}

double AxisCopy::microstepsPerCount() const
{
    const SimulatedAxis* a = m_drive->axis(0);
    const int resolution = a->value(210);
    return resolution ? double(a->microstepsPerRevolution()) / std::abs(resolution) : 1.0;
}

double AxisCopy::fullStep() const
{
    return double(1 << AxisCopy::value(m_configuration, 140, 8));
}

void AxisCopy::setLoadStep(double torque)
{
    MotorPhysics::Motor motor = m_configuration.motor;
    motor.activeLoad += torque;
    axis()->setMotor(motor);
}
