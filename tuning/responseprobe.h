// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// A system whose response FrequencyResponse measures: an input signal added to its setpoint,
// an output sampled once per millisecond.
class ResponseProbe
{
public:
    // Offset and rate of the input at a time (s) since it was set.
    using Signal = std::function<void(double seconds, double* offset, double* rate)>;

    virtual ~ResponseProbe() = default;
    // Starts afresh from the defined state; `phase` (0 to 1) varies the start between
    // repetitions. False when the system cannot be measured.
    virtual bool begin(double phase) = 0;
    virtual void setInput(Signal signal) = 0;
    virtual void advance(int milliseconds) = 0;
    virtual double output() const = 0;
    // The output's quantisation step, for the amplitude rule.
    virtual double quantum() const = 0;
};
