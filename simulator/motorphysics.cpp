// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "motorphysics.h"

#include <algorithm>
#include <cmath>

#include "fastmath.h"

namespace {
const double Pi = FastMath::Pi;
const double TwoPi = FastMath::TwoPi;
const double Degrees = 180.0 / Pi;
// Sub-steps per period of the natural frequency: semi-implicit Euler then errs by well under
// 1 % in frequency and stays far from its stability limit.
const double SubStepsPerPeriod = 16.0;
// The shortest sub-step. A rotor so light that its natural period is shorter than 16 of these
// rings faster than the drive's control step resolves: its field stiffness is then taken
// implicitly as well, which keeps it stable and damps the ringing the steps cannot show.
const double ShortestSubStep = 1e-4; // s
// A rotor this slow, this close to its equilibrium, is taken as at rest.
const double RestSpeed = 1e-3;   // microsteps/s
const double RestTorque = 1e-8;  // N m

double signOf(double x)
{
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

double wrapAngle(double angle)
{
    const double folded = angle - TwoPi * std::floor(angle / TwoPi);
    return folded > Pi ? folded - TwoPi : folded;
}

// sin(x) / x, for the mean of a sine over an interval.
double sinc(double x)
{
    return std::abs(x) < 1e-4 ? 1.0 - x * x / 6 : FastMath::sin(x) / x;
}
} // namespace

void MotorPhysics::setMotor(const Motor& motor)
{
    m_motor = motor;
    updateSubSteps();
    m_settled = false;
}

void MotorPhysics::updateSubSteps()
{
    // The stiffest the rotor gets: the rated current, with the detent's own stiffness. The
    // damping sets no limit: it is integrated implicitly.
    const double inertia = m_motor.inertia + m_motor.loadInertia;
    const double teeth = m_teeth;
    const double stiffness = teeth * (m_motor.holdingTorque + 4 * m_motor.detentTorque);
    double step = 1e-3;
    if (inertia > 0 && stiffness > 0)
        step = std::min(step, TwoPi / std::sqrt(stiffness / inertia) / SubStepsPerPeriod);
    m_stiffImplicit = step < ShortestSubStep;
    m_subStep = std::max(step, ShortestSubStep);
}

void MotorPhysics::reset(double position)
{
    m_rotor = position;
    m_speed = 0.0;
    m_hasField = false;
    m_loadAngle = 0.0;
    m_settled = false;
    m_finite = true;
}

void MotorPhysics::shiftFrame(double delta)
{
    m_rotor += delta;
    m_lastField += delta;
}

void MotorPhysics::rebaseField(double field, double microstepsPerPeriod)
{
    if (m_hasField && microstepsPerPeriod > 0)
        m_lastField += microstepsPerPeriod * std::round((field - m_lastField) / microstepsPerPeriod);
}

double MotorPhysics::torqueConstant() const
{
    return m_motor.ratedCurrent > 0 ? m_motor.holdingTorque / m_motor.ratedCurrent : 0.0;
}

double MotorPhysics::reachableCurrent(double radiansPerSecond) const
{
    // Teeth from the standard 200 full steps; the drive passes its own in step().
    return reachable(std::abs(radiansPerSecond), 50.0);
}

double MotorPhysics::noLoadSpeed() const
{
    const double kT = torqueConstant();
    return kT > 0 ? m_motor.supplyVoltage / kT : 0.0;
}

double MotorPhysics::reachable(double omega, double teeth, bool braking) const
{
    const double r = m_motor.resistance;
    const double x = teeth * omega * m_motor.inductance;
    const double emf = torqueConstant() * omega;
    const double u = m_motor.supplyVoltage;
    const double z2 = r * r + x * x;
    if (z2 <= 0)
        return m_motor.ratedCurrent * 1e6; // no impedance: no limit worth the name
    if (!braking) {
        if (emf >= u)
            return 0.0;
        return (-r * emf + std::sqrt(r * r * emf * emf - z2 * (emf * emf - u * u))) / z2;
    }
    // Braking, the back-EMF drives the current along with the supply. Where even the whole
    // supply against it cannot hold the current down, it is the least the EMF forces.
    const double discriminant = r * r * emf * emf - z2 * (emf * emf - u * u);
    return (r * emf + std::sqrt(std::max(0.0, discriminant))) / z2;
}

double MotorPhysics::pullOutTorque(double radiansPerSecond, double setCurrent) const
{
    return torqueConstant() * std::min(setCurrent, reachableCurrent(radiansPerSecond));
}

double MotorPhysics::naturalFrequency(double current) const
{
    const double inertia = m_motor.inertia + m_motor.loadInertia;
    const double stiffness = 50.0 * torqueConstant() * current;
    return inertia > 0 && stiffness > 0 ? std::sqrt(stiffness / inertia) / TwoPi : 0.0;
}

void MotorPhysics::applyCurrent(const Drive& drive, double omega)
{
    const double teeth = drive.microstepsPerRevolution / drive.microstepsPerPeriod;
    const double set = drive.shorted ? 0.0 : std::max(0.0, drive.current) * m_motor.ratedCurrent;
    const double x = teeth * std::abs(omega) * m_motor.inductance;
    const double fullLag = m_motor.resistance > 0 ? signOf(omega) * std::atan(x / m_motor.resistance) : 0.0;
    auto reach = [&](bool braking, double* amplitude, double* lag) {
        const double limit = reachable(std::abs(omega), teeth, braking);
        *amplitude = m_motor.ratedCurrent > 0 ? std::min(set, limit) / m_motor.ratedCurrent : 0.0;
        *lag = set > limit && set > 0 ? (1.0 - limit / set) * fullLag : 0.0;
    };
    reach(false, &m_current, &m_lag);
    reach(true, &m_brakingCurrent, &m_brakingLag);
    applyRegeneration(drive, omega);
}

void MotorPhysics::applyRegeneration(const Drive& drive, double omega)
{
    const double teeth = drive.microstepsPerRevolution / drive.microstepsPerPeriod;
    const double kT = torqueConstant();
    const double supply = drive.shorted || drive.holding ? 0.0 : m_motor.supplyVoltage;
    const double r = m_motor.resistance;
    const double x = teeth * omega * m_motor.inductance;
    const double z2 = r * r + x * x;
    m_regenDamping = 0.0;
    m_regenOffset = 0.0;
    if (kT * std::abs(omega) > supply && z2 > 0) {
        m_regenDamping = kT * kT * r / z2;
        m_regenOffset = kT * supply * r / z2;
    }
}

void MotorPhysics::step(const Drive& drive, double seconds)
{
    if (seconds <= 0 || drive.microstepsPerRevolution <= 0 || drive.microstepsPerPeriod <= 0)
        return;
    if (!m_hasField) {
        m_lastField = drive.field;
        m_hasField = true;
    }
    const double fieldChange = drive.field - m_lastField;
    if (m_settled && fieldChange == 0.0 && drive.current == m_lastSet && drive.shorted == m_lastShorted
        && drive.holding == m_lastHolding)
        return;
    m_lastSet = drive.current;
    m_lastShorted = drive.shorted;
    m_lastHolding = drive.holding;
    const double inertia = m_motor.inertia + m_motor.loadInertia;
    if (inertia <= 0)
        return;

    const double teeth = drive.microstepsPerRevolution / drive.microstepsPerPeriod;
    if (teeth != m_teeth) {
        m_teeth = teeth;
        updateSubSteps();
    }
    const double mechanical = TwoPi / drive.microstepsPerRevolution; // rad per microstep
    const double electrical = TwoPi / drive.microstepsPerPeriod;      // electrical rad per microstep
    applyCurrent(drive, m_speed * mechanical);
    const double peak = torqueConstant() * m_current * m_motor.ratedCurrent;
    const double brakingPeak = torqueConstant() * m_brakingCurrent * m_motor.ratedCurrent;
    const double fieldSpeed = fieldChange / seconds * mechanical; // rad/s
    const double perTorque = 1.0 / (inertia * mechanical);         // (microsteps/s^2) per N m
    const int count = std::max(1, int(std::ceil(seconds / m_subStep - 1e-9)));
    const double h = seconds / count;
    const double friction = m_motor.loadTorque;
    const double period = drive.microstepsPerPeriod;
    // The damping terms' share of the acceleration, per microstep/s of velocity, taken
    // implicitly: v' = (v + h a) / (1 + h c).
    const double damping = (m_motor.viscousFriction + m_motor.damping + m_regenDamping) * mechanical * perTorque;
    const double implicit = 1.0 / (1.0 + h * damping);
    const double startRotor = m_rotor;
    // The rotor within its electrical period, for the detent, which repeats every full step.
    double folded = std::fmod(m_rotor, period);

    // The detent torque's mean over a sub-step: its sine at the middle, times sinc of half the
    // angle swept, taken at the speed the step starts with.
    const double swept = 2.0 * m_speed * h * electrical;
    const double detentMean = m_motor.detentTorque * sinc(swept);
    // The torques other than the damping ones: the field's, with the current of the quadrant
    // it works in (driving or braking the rotor), the detent, the active load, the field's
    // share of the motor's damping and the supply's share of the regenerative braking.
    double stiffness = 0.0;
    auto torque = [&](double field, double speed) {
        const double angle = (field - m_rotor) * electrical;
        const bool pushes = angle - TwoPi * std::floor(angle / TwoPi) < Pi; // sin(angle) > 0
        const bool braking = speed != 0.0 && pushes != (speed > 0);
        const double em = braking ? brakingPeak * FastMath::sin(angle - m_brakingLag) : peak * FastMath::sin(angle - m_lag);
        const double detent = -detentMean * FastMath::sin(4.0 * folded * electrical + swept);
        if (m_stiffImplicit) // the field's stiffness where it holds the rotor, per microstep
            stiffness = std::max(0.0, (braking ? brakingPeak : peak) * FastMath::cos(angle) * electrical);
        return em + detent - m_motor.activeLoad + m_motor.damping * fieldSpeed + signOf(speed) * m_regenOffset;
    };

    for (int i = 1; i <= count; ++i) {
        const double field = m_lastField + fieldChange * (double(i - 1) / count);
        const double driving = torque(field, m_speed);
        // v' = (v + h a) / (1 + h c + h^2 k / J): the stiffness taken at the sub-step's end.
        const double factor = m_stiffImplicit ? 1.0 / (1.0 + h * damping + h * h * perTorque * stiffness) : implicit;
        double speed = m_speed;
        if (speed == 0.0) {
            if (std::abs(driving) > friction)
                speed = (driving - signOf(driving) * friction) * perTorque * h * factor;
        } else {
            speed = (speed + (driving - signOf(speed) * friction) * perTorque * h) * factor;
            if (friction > 0 && signOf(speed) != signOf(m_speed))
                speed = 0.0; // friction stops it within the sub-step and holds it
        }
        m_speed = speed;
        const double moved = speed * h;
        m_rotor += moved;
        folded += moved;
    }
    m_lastField = drive.field;
    if (!std::isfinite(m_rotor) || !std::isfinite(m_speed)) {
        m_rotor = startRotor;
        m_speed = 0.0;
        m_finite = false;
    }
    m_loadAngle = wrapAngle((drive.field - m_rotor) * electrical - m_lag) * Degrees;
    m_settled = fieldChange == 0.0 && restingInEquilibrium(drive);
}

bool MotorPhysics::restingInEquilibrium(const Drive& drive) const
{
    if (std::abs(m_speed) > RestSpeed)
        return false;
    const double electrical = TwoPi / drive.microstepsPerPeriod;
    const double angle = (drive.field - m_rotor) * electrical - m_lag;
    const double folded = std::fmod(m_rotor, drive.microstepsPerPeriod);
    const double net = torqueConstant() * m_current * m_motor.ratedCurrent * std::sin(angle)
                       - m_motor.detentTorque * std::sin(4.0 * folded * electrical) - m_motor.activeLoad;
    return m_speed == 0.0 ? std::abs(net) <= m_motor.loadTorque : std::abs(net) < RestTorque;
}
