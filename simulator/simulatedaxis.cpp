// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "simulatedaxis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "parametercatalogue.h"
#include "saturatinground.h"

namespace {
// How close the planner must be to the braking point or the target to take it as reached;
// far below a microstep, far above rounding errors of positions up to 2^31.
const double PositionTolerance = 1e-3;
// A braking distance this much beyond the target is still taken on the final ramp (a
// slightly harder deceleration) instead of an overshoot and return.
const double OvershootTolerance = 0.5;
const double TimeTolerance = 1e-9; // s
const int MaxPhases = 64;
// A count edge is taken as passed this close before it: a rotor that comes to rest on an edge
// settles there only to within the rest criterion of MotorPhysics (well below this), and must
// not fall one count short.
const double CountTolerance = 1e-3;
const double MaxCurrent = 255.0;

double signOf(double x)
{
    return x < 0 ? -1.0 : 1.0;
}

const double TwoPi = 6.283185307179586;
} // namespace

SimulatedAxis::SimulatedAxis(const ParameterCatalogue& catalogue)
{
    const QList<int> numbers = catalogue.numbers();
    for (int number : numbers)
        m_values.insert(number, catalogue.find(number)->parameter.defaultValue);
    m_target = m_values.value(0);
    m_position = m_target;
    m_physics.reset(m_position);
    m_encoderPhase = m_values.value(209);
    m_foldRotor = m_position;
    resynchronise();
}

int SimulatedAxis::value(int number) const
{
    switch (number) {
    case 0:
        return m_target;
    case 1:
        return SaturatingRound::toInt(m_position);
    case 2:
        return SaturatingRound::toInt(m_velocity);
    case 3:
        return SaturatingRound::toInt(m_measuredVelocity);
    case 8:
        return !isMoving() && m_position == m_target ? 1 : 0;
    case 133:
        return m_closedLoopReady ? 1 : 0;
    case 207:
        return m_deviationError || m_fault != Fault::None ? 1 : 0;
    case 209:
        // The count wraps like a 32-bit hardware counter.
        return static_cast<int>(static_cast<quint32>(encoderCount()));
    default:
        return m_values.value(number);
    }
}

void SimulatedAxis::write(int number, int value)
{
    m_physics.unsettle(); // currents and limits may have changed
    switch (number) {
    case 0:
        moveTo(value);
        return;
    case 1: {
        const qint64 shift = qint64(value) - this->value(1);
        m_position += double(shift);
        m_target = SaturatingRound::toInt(double(m_target) + double(shift));
        m_physics.shiftFrame(double(shift));
        m_controller.shiftFrame(double(shift));
        m_foldRotor += double(shift);
        m_syncPosition += double(shift);
        return;
    }
    case 129:
        m_values.insert(129, value);
        if (value == 0) {
            m_rebaseField = m_closedLoopReady;
            m_closedLoopReady = false;
            m_initRemaining = -1;
            resynchronise();
        } else if (!m_closedLoopReady && m_initRemaining < 0) {
            m_fault = Fault::None;
            m_initRemaining = ClosedLoopInitTime;
        }
        return;
    case 140:
    case 202:
        // The encoder has counted so far in revolutions of the old resolution; the field
        // starts over in the new microsteps with the rotor on it.
        foldEncoder();
        m_values.insert(number, value);
        m_physics.reset(m_position);
        m_foldRotor = m_physics.rotorPosition();
        m_reference = 0.0;
        resynchronise();
        if (m_closedLoopReady)
            startController();
        return;
    case 251:
        // Turns from here on count the other way.
        foldEncoder();
        m_values.insert(number, value);
        resynchronise();
        return;
    case 209: {
        // The counter is set; the encoder's position within a count stays.
        const qint64 before = encoderCount();
        const double phase = encoderPhaseAt(m_physics.rotorPosition());
        m_encoderPhase = value + (phase - std::floor(phase + CountTolerance));
        m_foldRotor = m_physics.rotorPosition();
        const qint64 shift = encoderCount() - before;
        m_syncCount += shift;
        m_lastCount += shift;
        if (m_closedLoopReady)
            startController();
        return;
    }
    case 210:
        m_values.insert(number, value);
        resynchronise();
        return;
    default:
        m_values.insert(number, value);
        return;
    }
}

void SimulatedAxis::setStoredValue(int number, int value)
{
    m_values.insert(number, value);
}

void SimulatedAxis::moveTo(int target)
{
    if (m_mode == Mode::Positioning && target == m_target)
        return;
    m_target = target;
    m_finalDeceleration = 0.0;
    m_deviationError = false;
    m_fault = Fault::None;
    m_mode = (m_velocity == 0.0 && m_position == target) ? Mode::Idle : Mode::Positioning;
}

void SimulatedAxis::stop()
{
    if (m_mode == Mode::Idle)
        return;
    m_finalDeceleration = 0.0;
    if (m_velocity == 0.0)
        rest();
    else
        m_mode = Mode::Stopping;
}

void SimulatedAxis::advance(qint64 milliseconds)
{
    if (milliseconds <= 0)
        return;
    MotorPhysics::Drive drive = driveSettings();
    const ClosedLoopController::Settings settings = controllerSettings();
    const double run = m_values.value(6) / MaxCurrent;
    const double standby = m_values.value(7) / MaxCurrent;
    const double startUp = m_values.value(126) / MaxCurrent;
    for (qint64 step = 0; step < milliseconds * StepsPerMillisecond; ++step) {
        if (m_mode == Mode::Idle && m_physics.isSettled() && m_measuredVelocity == 0.0
            && (!m_closedLoopReady || m_controller.isQuiet()))
            break;
        advanceMotion(StepSeconds);
        if (m_closedLoopReady) {
            const ClosedLoopController::Output out
                = m_controller.update(settings, m_position, m_velocity, encoderCount(), StepSeconds);
            drive.field = out.field;
            drive.current = out.current;
            if (m_controller.runningAway())
                trip(Fault::Runaway);
        } else {
            // The field stands on the microstep the position counter has reached.
            drive.field = std::round(m_position);
            drive.current = isClosedLoopInitialising() ? startUp : (m_mode != Mode::Idle ? run : standby);
        }
        if (m_fault != Fault::None) {
            // The bridge shorts the windings: no current of its own, only the braking one.
            drive.field = std::round(m_position);
            drive.current = 0.0;
        }
        if (m_rebaseField) {
            m_physics.rebaseField(drive.field, drive.microstepsPerPeriod);
            m_rebaseField = false;
        }
        drive.shorted = m_fault != Fault::None;
        drive.holding = !m_closedLoopReady && m_mode == Mode::Idle;
        m_physics.step(drive, StepSeconds);
        checkFault();
        const qint64 count = encoderCount();
        measureVelocity(count, StepSeconds);
        checkDeviation(count);
    }
    if (m_initRemaining >= 0) {
        m_initRemaining -= milliseconds;
        if (m_initRemaining <= 0) {
            m_initRemaining = -1;
            m_closedLoopReady = closedLoopMatches();
            // The controller starts from where the rotor is: the field was aligned with it.
            if (m_closedLoopReady) {
                m_reference = m_position - m_physics.rotorPosition();
                startController();
            }
            m_physics.unsettle();
        }
    }
}

void SimulatedAxis::startController()
{
    // The alignment turns the field until the encoder sees the rotor follow: it knows the
    // rotor's angle to within half a count, the middle of the count it stands in.
    const double phase = encoderPhaseAt(m_physics.rotorPosition());
    const double within = phase - std::floor(phase + CountTolerance) - 0.5;
    const int resolution = m_values.value(210);
    const double perCount = resolution ? double(microstepsPerRevolution()) / std::abs(resolution) : 0.0;
    m_controller.start(controllerSettings(), m_physics.rotorPosition() - within * perCount, m_position, encoderCount());
    m_rebaseField = true;
}

void SimulatedAxis::measureVelocity(qint64 count, double seconds)
{
    const int resolution = m_values.value(210);
    const double raw = resolution ? double(count - m_lastCount) * microstepsPerRevolution() / resolution / seconds : 0.0;
    m_lastCount = count;
    m_measuredVelocity += (raw - m_measuredVelocity) * seconds / (MeasuredVelocityFilter + seconds);
    if (raw == 0.0 && std::abs(m_measuredVelocity) < 0.5)
        m_measuredVelocity = 0.0;
}

void SimulatedAxis::resynchronise()
{
    m_syncPosition = m_position;
    m_syncCount = encoderCount();
    m_lastCount = m_syncCount;
}

double SimulatedAxis::driveDeviation(qint64 count) const
{
    if (m_closedLoopReady)
        return m_controller.followingError();
    const int resolution = m_values.value(210);
    if (!resolution)
        return 0.0;
    return (m_position - m_syncPosition) - double(count - m_syncCount) * microstepsPerRevolution() / resolution;
}

double SimulatedAxis::positionDeviation() const
{
    if (m_closedLoopReady)
        return double(m_controller.followingErrorCounts());
    return double(countAt(m_position - m_reference) - encoderCount());
}

DriveSignals SimulatedAxis::driveSignals() const
{
    DriveSignals sample;
    const double microstepsPerCount = m_encoderCounts > 0 ? double(microstepsPerRevolution()) / m_encoderCounts : 0.0;
    sample.followingError
        = m_closedLoopReady ? m_controller.followingError() : positionDeviation() * microstepsPerCount;
    sample.loadAngle = m_physics.loadAngle();
    sample.rotorVelocity = m_physics.rotorVelocity();
    sample.currentAmplitude = 100.0 * m_physics.currentAmplitude();
    if (m_closedLoopReady) {
        sample.currentScaler = 100.0 * m_controller.scaler();
        sample.correctionVelocity = m_controller.correctionVelocity();
    }
    return sample;
}

MotorPhysics::Drive SimulatedAxis::driveSettings() const
{
    MotorPhysics::Drive drive;
    drive.microstepsPerRevolution = std::max(1, microstepsPerRevolution());
    drive.microstepsPerPeriod = 4.0 * (1 << m_values.value(140));
    return drive;
}

ClosedLoopController::Settings SimulatedAxis::controllerSettings() const
{
    const int resolution = m_values.value(210);
    const double perCount = resolution ? double(microstepsPerRevolution()) / resolution : 1.0;
    auto v = [this](int number) { return m_values.value(number); };
    ClosedLoopController::Settings settings = ClosedLoopController::fromParameters(
        v(113), v(114), v(126), v(120), v(121), v(125), v(108), v(109), v(110), v(115), v(116), v(117), v(119), perCount,
        4.0 * (1 << m_values.value(140)));
    settings.velocityLimit = m_physics.noLoadSpeed() * microstepsPerRevolution() / TwoPi;
    return settings;
}

void SimulatedAxis::checkDeviation(qint64 count)
{
    const int limit = m_values.value(212);
    if (limit == 0 || m_mode == Mode::Idle || m_deviationError)
        return;
    if (std::abs(driveDeviation(count)) > limit) {
        stop();
        m_deviationError = true;
    }
}

void SimulatedAxis::checkFault()
{
    if (m_fault != Fault::None)
        return;
    const double speed = std::abs(m_physics.rotorVelocity()) * TwoPi / std::max(1, microstepsPerRevolution());
    const double limit = OverspeedFactor * m_physics.noLoadSpeed();
    if (!m_physics.isFinite())
        trip(Fault::NotFinite);
    else if (limit > 0 && speed > limit)
        trip(Fault::Overspeed);
    else if (std::abs(m_physics.rotorPosition()) > double(std::numeric_limits<int>::max()))
        trip(Fault::PositionRange);
}

void SimulatedAxis::trip(Fault fault)
{
    m_fault = fault;
    if (!m_physics.isFinite())
        m_physics.reset(m_physics.rotorPosition());
    // An emergency stop: the ramp stands where it is.
    if (m_mode != Mode::Idle)
        rest();
    if (m_closedLoopReady || isClosedLoopInitialising()) {
        m_rebaseField = m_closedLoopReady;
        m_closedLoopReady = false;
        m_initRemaining = -1;
        resynchronise();
    }
    m_physics.unsettle();
}

const char* SimulatedAxis::faultText(Fault fault)
{
    switch (fault) {
    case Fault::None:
        return "";
    case Fault::NotFinite:
        return QT_TRANSLATE_NOOP("SimulatedAxis", "the motor's state is not finite");
    case Fault::Overspeed:
        return QT_TRANSLATE_NOOP("SimulatedAxis", "overspeed: the rotor turns faster than the motor can drive it");
    case Fault::PositionRange:
        return QT_TRANSLATE_NOOP("SimulatedAxis", "the rotor is beyond the position counter's range");
    case Fault::Runaway:
        return QT_TRANSLATE_NOOP("SimulatedAxis", "closed-loop runaway: the rotor runs away from the target against the full correction");
    }
    return "";
}

void SimulatedAxis::setEncoder(int countsPerRevolution, bool reversed)
{
    foldEncoder();
    m_encoderCounts = countsPerRevolution;
    m_encoderReversed = reversed;
}

int SimulatedAxis::microstepsPerRevolution() const
{
    return (1 << m_values.value(140)) * m_values.value(202);
}

int SimulatedAxis::matchingEncoderResolution() const
{
    const bool countsDown = m_encoderReversed != (m_values.value(251) != 0);
    return countsDown ? -m_encoderCounts : m_encoderCounts;
}

double SimulatedAxis::acceleration() const
{
    return std::max(1, m_values.value(5));
}

void SimulatedAxis::integrate(double seconds, double acceleration)
{
    shiftPosition(m_velocity * seconds + 0.5 * acceleration * seconds * seconds);
    m_velocity += acceleration * seconds;
}

void SimulatedAxis::shiftPosition(double delta)
{
    m_position += delta;
}

void SimulatedAxis::arrive()
{
    shiftPosition(m_target - m_position);
    m_velocity = 0.0;
    m_finalDeceleration = 0.0;
    m_mode = Mode::Idle;
}

void SimulatedAxis::rest()
{
    shiftPosition(std::round(m_position) - m_position);
    m_velocity = 0.0;
    m_finalDeceleration = 0.0;
    m_mode = Mode::Idle;
}

// Runs the ramp generator for the given time, phase by phase: each pass either uses up the
// time or ends exactly at the next phase boundary.
void SimulatedAxis::advanceMotion(double seconds)
{
    for (int phase = 0; seconds > 0 && m_mode != Mode::Idle && phase < MaxPhases; ++phase) {
        const double a = acceleration();

        if (m_mode == Mode::Stopping) {
            const double t = std::abs(m_velocity) / a;
            if (seconds + TimeTolerance >= t) {
                integrate(t, -signOf(m_velocity) * a);
                rest();
            } else {
                integrate(seconds, -signOf(m_velocity) * a);
            }
            return;
        }

        if (m_finalDeceleration > 0) {
            const double t = std::abs(m_velocity) / m_finalDeceleration;
            if (seconds + TimeTolerance >= t)
                arrive();
            else
                integrate(seconds, -signOf(m_velocity) * m_finalDeceleration);
            return;
        }

        const double offset = m_target - m_position;
        const double distance = std::abs(offset);
        const double direction = signOf(offset);
        const double v = m_velocity * direction; // towards the target
        const double vmax = m_values.value(4);

        // Runs one phase of constant acceleration that lasts `t`; true when it ended.
        auto phaseOf = [&](double t, double acceleration) {
            if (seconds < t) {
                integrate(seconds, acceleration);
                seconds = 0;
                return false;
            }
            integrate(t, acceleration);
            seconds -= t;
            return true;
        };

        if (v < 0) {
            // Heading away from the target: brake to standstill first.
            if (phaseOf(-v / a, direction * a))
                m_velocity = 0.0;
            continue;
        }
        if (v == 0 && distance <= PositionTolerance) {
            arrive();
            return;
        }
        const double brakingDistance = v * v / (2 * a);
        if (brakingDistance >= distance - PositionTolerance) {
            if (brakingDistance > distance + OvershootTolerance) {
                // Too fast to stop on the target: rest beyond it, then come back.
                if (phaseOf(v / a, -direction * a))
                    m_velocity = 0.0;
                continue;
            }
            if (distance <= TimeTolerance) {
                arrive();
                return;
            }
            m_finalDeceleration = v * v / (2 * distance);
            continue;
        }
        if (v > vmax) {
            if (phaseOf((v - vmax) / a, -direction * a))
                m_velocity = direction * vmax;
            continue;
        }
        if (v < vmax) {
            // Accelerate up to the limit or, if the distance is too short, to the peak of
            // the triangle whose braking half ends on the target.
            const double peak = std::sqrt(v * v / 2 + a * distance);
            const double reach = std::min(peak, vmax);
            if (phaseOf((reach - v) / a, direction * a))
                m_velocity = direction * reach;
            continue;
        }
        if (vmax <= 0)
            return; // the limit holds the motor where it is
        phaseOf((distance - brakingDistance) / vmax, 0.0);
    }
}

void SimulatedAxis::foldEncoder()
{
    m_encoderPhase = encoderPhaseAt(m_physics.rotorPosition());
    m_foldRotor = m_physics.rotorPosition();
}

double SimulatedAxis::encoderPhaseAt(double rotorPosition) const
{
    const bool countsDown = m_encoderReversed != (m_values.value(251) != 0);
    const double turned = (rotorPosition - m_foldRotor) * m_encoderCounts / std::max(1, microstepsPerRevolution());
    return m_encoderPhase + (countsDown ? -turned : turned);
}

qint64 SimulatedAxis::countAt(double rotorPosition) const
{
    return qint64(std::floor(encoderPhaseAt(rotorPosition) + CountTolerance));
}

qint64 SimulatedAxis::encoderCount() const
{
    return countAt(m_physics.rotorPosition());
}

bool SimulatedAxis::closedLoopMatches() const
{
    return m_encoderCounts > 0 && m_values.value(140) == 8 && m_values.value(210) == matchingEncoderResolution();
}
