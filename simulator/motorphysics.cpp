#include "motorphysics.h"

#include <algorithm>
#include <cmath>

namespace {
const double Pi = 3.14159265358979323846;
const double TwoPi = 2 * Pi;
const double Degrees = 180.0 / Pi;
// Share of the available torque a slipping motor still pulls with: the mean of the torque
// over the half period it pulls.
const double SlipPull = 2 / Pi;

double signOf(double x)
{
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

// An electrical angle folded into (-pi, pi].
double wrapAngle(double angle)
{
    const double folded = angle - TwoPi * std::floor(angle / TwoPi);
    return folded > Pi ? folded - TwoPi : folded;
}
} // namespace

void MotorPhysics::setMotor(const Motor& motor)
{
    m_motor = motor;
    m_settled = false;
}

void MotorPhysics::reset(double position)
{
    m_state = State::InStep;
    m_rotor = position;
    m_speed = 0.0;
    m_slip = 0.0;
    m_angle = 0.0;
    m_reference = 0.0;
    m_loadAngle = 0.0;
    m_settled = false;
}

void MotorPhysics::shiftFrame(double delta)
{
    m_rotor += delta;
}

void MotorPhysics::takeReference(double commandedPosition)
{
    m_reference = commandedPosition - m_rotor;
    m_settled = false;
}

void MotorPhysics::step(const Drive& drive, double seconds)
{
    const double rotor = m_rotor;
    const double speed = m_speed;
    if (drive.closedLoop)
        stepClosedLoop(drive, seconds);
    else
        stepOpenLoop(drive, seconds);
    m_settled = !drive.moving && drive.velocity == 0.0 && m_rotor == rotor && m_speed == speed;
}

double MotorPhysics::available(const Drive& drive, double current, double speed) const
{
    const double maxSpeed = m_motor.maxSpeed * drive.microstepsPerRevolution;
    const double curve = maxSpeed > 0 ? std::max(0.0, 1.0 - std::abs(speed) / maxSpeed) : 0.0;
    return m_motor.holdingTorque * std::max(0.0, current) * curve;
}

double MotorPhysics::demanded(const Drive& drive) const
{
    const double direction = drive.velocity != 0.0 ? signOf(drive.velocity) : signOf(drive.acceleration);
    const double angularAcceleration = drive.acceleration * TwoPi / drive.microstepsPerRevolution;
    return m_motor.inertia * angularAcceleration + m_motor.loadTorque * direction;
}

// The largest load angle at which the load still holds the rotor against the field.
double MotorPhysics::restBand(double availableTorque) const
{
    if (availableTorque <= m_motor.loadTorque)
        return Pi;
    return std::asin(m_motor.loadTorque / availableTorque);
}

void MotorPhysics::stepOpenLoop(const Drive& drive, double seconds)
{
    const double current = drive.moving ? drive.runCurrent : drive.standbyCurrent;
    const double toMicrosteps = drive.microstepsPerPeriod / TwoPi;
    if (m_state == State::InStep) {
        if (drive.moving) {
            const double torque = available(drive, current, drive.velocity);
            const double demand = demanded(drive);
            if (std::abs(demand) <= torque || demand == 0.0) {
                m_angle = demand == 0.0 ? 0.0 : std::asin(demand / torque);
                m_rotor = drive.position - m_slip - m_angle * toMicrosteps;
                m_speed = drive.velocity;
                m_loadAngle = m_angle * Degrees;
                return;
            }
            m_state = State::Free; // out of step, at the speed it had
        } else {
            const double band = restBand(available(drive, current, 0.0));
            m_angle = std::clamp(m_angle, -band, band);
            m_rotor = drive.position - m_slip - m_angle * toMicrosteps;
            m_speed = 0.0;
            m_loadAngle = m_angle * Degrees;
            return;
        }
    }
    const double pull = SlipPull * available(drive, current, m_speed);
    coast(drive, pull * signOf(drive.velocity - m_speed), seconds);
    if (!tryCatch(drive, available(drive, current, drive.velocity)))
        m_loadAngle = wrapAngle((drive.position - m_rotor) / toMicrosteps) * Degrees;
}

// A free rotor falls into step when the spare torque can bring it to the field's speed
// within one electrical period.
bool MotorPhysics::tryCatch(const Drive& drive, double availableTorque)
{
    const double demand = drive.moving ? demanded(drive) : 0.0;
    const double spare = availableTorque - std::abs(demand);
    if (spare <= 0 || m_motor.inertia <= 0)
        return false;
    const double radiansPerMicrostep = TwoPi / drive.microstepsPerRevolution;
    const double slip = (drive.velocity - m_speed) * radiansPerMicrostep;
    const double period = drive.microstepsPerPeriod * radiansPerMicrostep;
    if (slip * slip > 2 * spare / m_motor.inertia * period)
        return false;
    double angle = 0.0;
    if (drive.moving) {
        angle = std::asin(demand / availableTorque);
    } else {
        const double band = restBand(availableTorque);
        angle = std::clamp(wrapAngle((drive.position - m_rotor) * TwoPi / drive.microstepsPerPeriod), -band, band);
    }
    lockOpenLoop(drive, angle);
    return true;
}

void MotorPhysics::lockOpenLoop(const Drive& drive, double angle)
{
    const double toMicrosteps = drive.microstepsPerPeriod / TwoPi;
    const double periods = std::round((drive.position - angle * toMicrosteps - m_rotor) / drive.microstepsPerPeriod);
    m_slip = periods * drive.microstepsPerPeriod;
    m_angle = angle;
    m_rotor = drive.position - m_slip - angle * toMicrosteps;
    m_speed = drive.velocity;
    m_loadAngle = angle * Degrees;
    m_state = State::InStep;
}

void MotorPhysics::stepClosedLoop(const Drive& drive, double seconds)
{
    const double target = expectedPosition(drive.position);
    auto fullTorque = [&](double speed) { return available(drive, 1.0, speed); };
    const double demand = demanded(drive);
    const double reach = drive.scalerMaximum * fullTorque(drive.velocity);
    const bool carries = std::abs(demand) <= reach || demand == 0.0;

    if (m_state == State::InStep && carries) {
        const double full = fullTorque(drive.velocity);
        const double needed = full > 0 ? std::abs(demand) / full : 0.0;
        const double scaler = std::clamp(needed, drive.scalerMinimum, std::max(drive.scalerMinimum, drive.scalerMaximum));
        const double torque = scaler * full;
        const double angle = torque > 0 ? std::asin(std::min(1.0, std::abs(demand) / torque)) : 0.0;
        m_rotor = target;
        m_speed = drive.velocity;
        m_angle = 0.0;
        m_slip = 0.0;
        m_loadAngle = signOf(demand) * angle * Degrees;
        return;
    }
    // Overloaded, or catching up: the controller pushes with all it may towards the target.
    m_state = State::Free;
    const double lag = target - m_rotor;
    const double direction = lag != 0.0 ? signOf(lag) : signOf(drive.velocity - m_speed);
    coast(drive, direction * drive.scalerMaximum * fullTorque(m_speed), seconds);
    m_loadAngle = direction * 90.0;
    const double after = target - m_rotor;
    if (carries && (after == 0.0 || signOf(after) != signOf(lag))) {
        m_state = State::InStep;
        m_rotor = target;
        m_speed = drive.velocity;
        m_loadAngle = 0.0;
    }
}

// The free rotor under the motor's torque and the load, which holds it once it stands
// unless the motor overcomes it.
void MotorPhysics::coast(const Drive& drive, double motorTorque, double seconds)
{
    if (m_motor.inertia <= 0)
        return;
    const double perTorque = drive.microstepsPerRevolution / TwoPi / m_motor.inertia; // (microsteps/s^2) / (N m)
    const double load = m_motor.loadTorque;
    const double before = m_speed;
    if (before == 0.0) {
        if (std::abs(motorTorque) <= load)
            return;
        const double after = (motorTorque - signOf(motorTorque) * load) * perTorque * seconds;
        m_rotor += after / 2 * seconds;
        m_speed = after;
        return;
    }
    const double acceleration = (motorTorque - signOf(before) * load) * perTorque;
    const double after = before + acceleration * seconds;
    if (signOf(after) != signOf(before)) {
        // Comes to rest within the step; the load holds it there.
        const double stopping = -before / acceleration;
        m_rotor += before / 2 * stopping;
        m_speed = 0.0;
        return;
    }
    m_rotor += (before + after) / 2 * seconds;
    m_speed = after;
}
