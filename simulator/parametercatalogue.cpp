// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "parametercatalogue.h"

#include <algorithm>
#include <limits>

#include <QtGlobal>

namespace {
const int IntMin = std::numeric_limits<int>::min();
const int IntMax = std::numeric_limits<int>::max();
const int VelocityLimit = 7999774;     // pps, the fastest the step generator runs
const int AccelerationLimit = 7629278; // pps^2
const int Limit24 = (1 << 24) - 1;
} // namespace

ParameterCatalogue::ParameterCatalogue()
{
    add(0, "par::TargetPosition", "Target position", "Target position", QT_TRANSLATE_NOOP("ParameterCatalogue", "µsteps"), IntMin, IntMax, 0,
        "Target of the current or last positioning move. Writing it starts an absolute move.");
    add(1, "par::ActualPosition", "Actual position", "Actual position", QT_TRANSLATE_NOOP("ParameterCatalogue", "µsteps"), IntMin, IntMax, 0,
        "Position counter of the motor. Writing it moves the counter, not the motor; the target "
        "moves with it, so a running move keeps its remaining distance.");
    add(2, "par::TargetVelocity", "Target velocity", "Target velocity", "pps", -VelocityLimit, VelocityLimit, 0,
        "Velocity the ramp generator commands at this moment.", true);
    add(3, "par::MeasuredSpeed", "Measured speed", "Measured speed", "pps", -VelocityLimit, VelocityLimit, 0,
        "Velocity of the motor as the encoder measures it, filtered over 10 ms.", true);
    add(4, "par::MaxVelocity", "Max. velocity", "Max. positioning velocity", "pps", 0, VelocityLimit, 51200,
        "Velocity a positioning move cruises at.");
    add(5, "par::MaxAcceleration", "Max. acceleration", "Max. acceleration", "pps²", 1, AccelerationLimit, 51200,
        "Acceleration and deceleration of positioning moves and of a stop.");
    add(6, "par::MaxCurrent", "Max. current", "Max. run current", "", 0, 255, 128,
        "Motor current while the motor runs, in 1/256 of the module's peak current.", false, 1.0 / 256.0);
    add(7, "par::StandbyCurrent", "Standby current", "Standby current", "", 0, 255, 8,
        "Motor current while the motor stands still, in 1/256 of the module's peak current.", false,
        1.0 / 256.0);
    add(8, "par::PositionReachedFlag", "Position reached", "Position reached", "", 0, 1, 1,
        "1 while the motor stands on its target position, 0 otherwise.", true);
    add(14, "par::RampType", "Ramp type", "Ramp type (0 trapezoid, 1 S-shape)", "", 0, 1, 0,
        "Shape of the velocity ramp: 0 trapezoid, 1 S-shape.");
    add(17, "par::MaxDeceleration", "Max. deceleration", "Max. deceleration", "pps²", 1, AccelerationLimit, 51200,
        "Deceleration used by the S-shaped ramp.");
    add(22, "par::Bow1", "Bow 1", "Bow 1", "pps³", 0, Limit24, 51200, "First bow of the S-shaped ramp.");
    add(23, "par::Bow2", "Bow 2", "Bow 2", "pps³", 0, Limit24, 51200, "Second bow of the S-shaped ramp.");
    add(24, "par::Bow3", "Bow 3", "Bow 3", "pps³", 0, Limit24, 51200, "Third bow of the S-shaped ramp.");
    add(25, "par::Bow4", "Bow 4", "Bow 4", "pps³", 0, Limit24, 51200, "Fourth bow of the S-shaped ramp.");
    add(108, "par::CL gamma Vmin", "CL gamma Vmin", "CL gamma velocity minimum", "pps", 0, VelocityLimit, 300000,
        "Measured velocity at which field weakening starts.");
    add(109, "par::CL gamma Vmax", "CL gamma Vmax", "CL gamma velocity maximum", "pps", 0, VelocityLimit, 1600000,
        "Measured velocity at which field weakening reaches the maximum gamma.");
    add(110, "par::CL maximum gamma", "CL maximum gamma", "CL maximum gamma", "", 0, 255, 255,
        "Largest lead the field weakening adds to the quarter period, 255 = 90 electrical degrees.");
    add(113, "par::CL current minimum", "Scaler minimum", "CL current scaler minimum", "", 0, 255, 50,
        "Lowest current the closed-loop controller uses at no load, in 1/255 of the maximum current.");
    add(114, "par::CL current maximum", "Scaler maximum", "CL current scaler maximum", "", 0, 255, 255,
        "Highest current the closed-loop controller uses at full load, in 1/255 of the maximum current.");
    add(115, "par::CL correction velocity P", "CL correction velocity P", "CL correction velocity P", "", 0, 65535,
        3000, "Proportional gain of the velocity correction: pps per 256 microsteps of following error.");
    add(116, "par::CL correction velocity I", "CL correction velocity I", "CL correction velocity I", "", 0, 65535,
        20, "Integral gain of the velocity correction: 1/16 pps per microstep-second of following error.");
    add(117, "par::CL correction velocity I clipping", "CL correction velocity I clipping",
        "CL correction velocity I clipping", "", 0, Limit24, 2000,
        "Limit of the integral of the velocity correction: at most I times this many pps come from it.");
    add(119, "par::CL correction velocity DV clipping", "CL correction velocity DV clipping",
        "CL correction velocity DV clipping", "pps", 0, Limit24, 100000, "Limit of the velocity correction.");
    add(120, "par::CL upscale delay", "Upscale delay", "CL current upscale delay", "", 0, Limit24, 10000,
        "Time in microseconds in which the controller raises the current over the whole range while the error is outside the tolerance.");
    add(121, "par::CL downscale delay", "Downscale delay", "CL current downscale delay", "", 0, Limit24, 100000,
        "Time in microseconds in which the controller lowers the current over the whole range while the error is inside the tolerance.");
    add(125, "par::CL scaler tolerance", "max. tolerance", "CL current scaler tolerance", QT_TRANSLATE_NOOP("ParameterCatalogue", "µsteps"), 0, 65535, 51,
        "Following error within which the controller does not raise the current.");
    add(126, "par::CL scaler start up", "Scaler start up", "CL current scaler start up", "", 0, 255, 255,
        "Current used during the closed-loop initialisation, in 1/255 of the maximum current.");
    add(129, "par::ClosedLoop", "Closed loop", "Closed loop on/off", "", 0, 1, 0,
        "1 switches the closed loop on and starts its initialisation, 0 switches it off.");
    add(133, "par::CL init flag", "CL init flag", "Closed loop initialised", "", 0, 1, 0,
        "1 once the closed-loop initialisation has finished successfully.", true);
    add(140, "par::MicrostepResolution", "Microstep resolution", "Microstep resolution", "", 0, 8, 8,
        "Microsteps per full step as a power of two: 0 full step to 8 for 256 microsteps.");
    add(179, "par::ReducedRange", "Reduced current range", "Reduced current range", "", 0, 1, 0,
        "1 when the module's current range is reduced in hardware.", true);
    add(202, "par::FullStepResolution", "Full step resolution", "Full steps per revolution", "full steps", 1,
        65535, 200, "Full steps per motor revolution (200 for a 1.8° motor).");
    add(207, "par::DeviationError", "Deviation error", "Deviation error", "", 0, 1, 0,
        "1 after the drive stopped a move because the position deviation exceeded parameter 212; "
        "the next move clears it.",
        true);
    add(209, "par::encoder position", "Encoder position", "Encoder position", QT_TRANSLATE_NOOP("ParameterCatalogue", "counts"), IntMin, IntMax, 0,
        "Count of the encoder. Writing it sets the count.");
    add(210, "par::encoder resolution", "Encoder resolution", "Encoder resolution", QT_TRANSLATE_NOOP("ParameterCatalogue", "counts"), -65536, 65536, 4000,
        "Encoder counts per motor revolution; negative when the encoder counts against the motor's direction.");
    add(212, "par::max. position encoder deviation", "Max. encoder deviation", "Max. encoder deviation",
        QT_TRANSLATE_NOOP("ParameterCatalogue", "µsteps"), 0, 8388607, 0,
        "Largest deviation between motor and encoder position before the drive stops; 0 off.");
    add(251, "par::ReverseShaft", "Reverse shaft", "Reverse shaft", "", 0, 1, 0,
        "1 reverses the direction in which the motor turns.");
}

void ParameterCatalogue::add(int number, const char* name, const char* caption, const char* comment,
                             const char* unit, int minimum, int maximum, int defaultValue, const char* toolTip,
                             bool readOnly, double scale)
{
    Entry entry;
    entry.parameter.scale = scale;
    entry.parameter.type = number;
    entry.parameter.minimum = minimum;
    entry.parameter.maximum = maximum;
    entry.parameter.defaultValue = defaultValue;
    entry.parameter.name = QString::fromUtf8(name);
    entry.parameter.caption = QString::fromUtf8(caption);
    entry.parameter.comment = QString::fromUtf8(comment);
    entry.parameter.unit = QString::fromUtf8(unit);
    entry.parameter.scope = QStringLiteral("axis");
    entry.parameter.description = QString::fromUtf8(toolTip);
    entry.parameter.toolTip = QString::fromUtf8(toolTip);
    entry.parameter.readOnly = readOnly;
    m_byNumber.insert(number, m_entries.size());
    m_byName.insert(entry.parameter.name, m_entries.size());
    m_entries.append(entry);
}

const ParameterCatalogue::Entry* ParameterCatalogue::find(int number) const
{
    const auto it = m_byNumber.constFind(number);
    return it == m_byNumber.constEnd() ? nullptr : &m_entries.at(*it);
}

const ParameterCatalogue::Entry* ParameterCatalogue::find(const QString& name) const
{
    const auto it = m_byName.constFind(name);
    return it == m_byName.constEnd() ? nullptr : &m_entries.at(*it);
}

bool ParameterCatalogue::isInRange(int number, int value) const
{
    const Entry* entry = find(number);
    return entry && value >= entry->parameter.minimum && value <= entry->parameter.maximum;
}

QList<int> ParameterCatalogue::numbers() const
{
    QList<int> result = m_byNumber.keys();
    std::sort(result.begin(), result.end());
    return result;
}
