// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>

// Sine and cosine for the rotor's inner loop: range reduction to [-pi/2, pi/2] and an odd
// polynomial, absolute error below 3e-7, a fraction of the cost of the library's.
namespace FastMath {

constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2 * Pi;

inline double sin(double x)
{
    // Fold into (-pi, pi], then into [-pi/2, pi/2] by sin(pi - x) = sin(x).
    x -= TwoPi * std::nearbyint(x * (1.0 / TwoPi));
    if (x > Pi / 2)
        x = Pi - x;
    else if (x < -Pi / 2)
        x = -Pi - x;
    const double x2 = x * x;
    return x * (1.0 + x2 * (-1.6666666666666666e-1 + x2 * (8.3333333333333332e-3 + x2 * (-1.9841269841269841e-4 + x2 * (2.7557319223985893e-6 + x2 * -2.5052108385441720e-8)))));
}

inline double cos(double x)
{
    return sin(x + Pi / 2);
}

} // namespace FastMath
