// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "closedloopcontroller.h"

#include <algorithm>
#include <cmath>

#include "saturatinground.h"

namespace {
const double HalfPi = 1.5707963267948966;
// Damping of the commutation: the field target less this time times the measured velocity's
// excess over the wanted one; with the field set a step ahead (the velocity times the step) a
// net 0.5 ms, so that one count more or less in a step moves the field by one count.
// About the inverse of the rotor's natural angular frequency.
const double DampingTime = 1e-3; // s
// The gains' scales: 115 in pps per full step (256 microsteps) of error, 116 in 1/16 pps per
// microstep-second.
const double ProportionalScale = 256.0;
const double IntegralScale = 16.0;
} // namespace

ClosedLoopController::Settings ClosedLoopController::fromParameters(int scalerMinimum, int scalerMaximum,
                                                                    int scalerStartUp, int upscaleDelay,
                                                                    int downscaleDelay, int tolerance, int gammaVmin,
                                                                    int gammaVmax, int gammaMaximum, int p, int i,
                                                                    int iClipping, int dvClipping,
                                                                    double microstepsPerCount,
                                                                    double microstepsPerPeriod)
{
    Settings s;
    s.scalerMinimum = scalerMinimum / 255.0;
    s.scalerMaximum = scalerMaximum / 255.0;
    s.scalerStartUp = scalerStartUp / 255.0;
    s.upscaleTime = upscaleDelay * 1e-6;
    s.downscaleTime = downscaleDelay * 1e-6;
    s.tolerance = tolerance;
    s.gammaVelocityMinimum = gammaVmin;
    s.gammaVelocityMaximum = gammaVmax;
    s.gammaMaximum = gammaMaximum / 255.0 * HalfPi;
    s.p = p / ProportionalScale;
    s.i = i / IntegralScale;
    s.iClipping = iClipping;
    s.dvClipping = dvClipping;
    s.microstepsPerCount = microstepsPerCount;
    s.microstepsPerPeriod = microstepsPerPeriod;
    return s;
}

void ClosedLoopController::start(const Settings& settings, double rotor, double target, qint64 count)
{
    m_anchorField = rotor;
    m_targetOffset = target - rotor;
    m_anchorCount = count;
    m_lastCount = count;
    m_offset = 0.0;
    m_integral = 0.0;
    m_velocity = 0.0;
    m_error = 0.0;
    m_errorCounts = 0;
    m_correction = 0.0;
    m_lead = 0.0;
    m_runaway = 0.0;
    m_scaler = settings.scalerStartUp;
    m_quiet = false;
}

double ClosedLoopController::gamma(const Settings& settings, double speed) const
{
    const double low = settings.gammaVelocityMinimum;
    const double high = settings.gammaVelocityMaximum;
    if (speed <= low)
        return 0.0;
    if (speed >= high)
        return settings.gammaMaximum;
    return settings.gammaMaximum * (speed - low) / (high - low);
}

void ClosedLoopController::scale(const Settings& settings, double seconds)
{
    const double low = std::min(settings.scalerMinimum, settings.scalerMaximum);
    if (std::abs(m_error) > settings.tolerance)
        m_scaler += settings.upscaleTime > 0 ? seconds / settings.upscaleTime : 1.0;
    else
        m_scaler -= settings.downscaleTime > 0 ? seconds / settings.downscaleTime : 1.0;
    m_scaler = std::clamp(m_scaler, low, settings.scalerMaximum);
}

ClosedLoopController::Output ClosedLoopController::update(const Settings& settings, double target,
                                                          double rampVelocity, qint64 count, double seconds)
{
    const double q = settings.microstepsPerCount;
    const double measured = m_anchorField + double(count - m_anchorCount) * q;
    // The velocity over the last step, unfiltered: the count is read half a step late and the
    // field ramps to its new place over the next step, 0.75 ms in all, 62 degrees of the
    // rotor's resonance at the full current (230 Hz). A low-pass on top would turn the damping
    // past 90 degrees there, where it feeds the ringing instead of damping it.
    m_velocity = double(count - m_lastCount) * q / seconds;
    m_lastCount = count;

    // Where the rotor should be: the ramp, less what was lost before the start.
    target -= m_targetOffset;
    const qint64 targetCount = m_anchorCount + SaturatingRound::toInt64((target + m_errorOffset - m_anchorField) / q);
    m_errorCounts = targetCount - count;
    m_error = double(m_errorCounts) * q;

    // The correction's bounds: its clipping, and the motor's reach beyond the ramp's velocity.
    double low = -settings.dvClipping;
    double high = settings.dvClipping;
    if (settings.velocityLimit > 0) {
        low = std::max(low, -settings.velocityLimit - rampVelocity);
        high = std::max(low, std::min(high, settings.velocityLimit - rampVelocity));
    }
    const double quarter = settings.microstepsPerPeriod / 4;
    const double proportional = m_gainScale * settings.p * m_error;
    const double before = proportional + settings.i * IntegralScale * m_integral;
    // Anti-windup: no integration further into a clipped output or a field that already leads
    // by all it can in the error's direction.
    const bool clippedHigh = before >= high || m_lead >= quarter;
    const bool clippedLow = before <= low || m_lead <= -quarter;
    // At rest in the target's count no velocity is wanted: the integral would only hunt
    // across the count's edges.
    if (m_errorCounts == 0 && rampVelocity == 0.0)
        m_integral = 0.0;
    else if (!(m_error > 0 && clippedHigh) && !(m_error < 0 && clippedLow))
        m_integral = std::clamp(m_integral + m_error * seconds / IntegralScale, -settings.iClipping, settings.iClipping);
    const double wanted = proportional + settings.i * IntegralScale * m_integral;
    m_correction = std::clamp(wanted, low, high);
    m_offset += m_correction * seconds;

    // The field target never runs away from the rotor by more than the quarter period the
    // commutation can use: what a saturated field cannot deliver is not stored up.
    m_offset = std::clamp(m_offset, measured - target - quarter, measured - target + quarter);
    const double lead = std::clamp(target + m_offset - measured - DampingTime * (m_velocity - rampVelocity - m_correction),
                                   -quarter, quarter);
    m_lead = lead;
    // The rotor running away from the target while the correction pushes with all it may.
    const bool limited = (m_error > 0 && (wanted >= high || lead >= quarter)) || (m_error < 0 && (wanted <= low || lead <= -quarter));
    const bool away = m_velocity * m_error < 0 && std::abs(m_velocity) * RunawayTime > std::abs(q);
    m_runaway = limited && away ? m_runaway + seconds : 0.0;
    const double direction = m_velocity > 0 ? 1.0 : (m_velocity < 0 ? -1.0 : 0.0);
    const double weakening = gamma(settings, std::abs(m_velocity)) / (4 * HalfPi) * settings.microstepsPerPeriod;
    // The field is set for the end of the step, where the rotor will be by then: the motor
    // turns it there during the step.
    const double ahead = m_velocity * seconds;
    scale(settings, seconds);
    m_quiet = m_errorCounts == 0 && m_velocity == 0.0 && m_correction == 0.0
              && m_scaler <= std::min(settings.scalerMinimum, settings.scalerMaximum);
    Output out;
    out.field = measured + ahead + lead + direction * weakening;
    out.current = m_scaler;
    return out;
}
