// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>

// What a scope series measures: it decides the pane the series is drawn in, its unit and the
// resolution its values are written with. Units and names in files stay English; what the
// window shows is translated.
class ScopeKind
{
    Q_DECLARE_TR_FUNCTIONS(ScopeKind)
public:
    enum Kind { Velocity, Position, Angle, Percent, Flag, Other };
    static constexpr int Count = Other + 1;

    // The kind and unit of a series by its (English) name; unknown names are Other, no unit.
    static Kind kindOf(const QString& series);
    static QString unitOf(const QString& series);

    // The pane's title, translated.
    static QString title(Kind kind);
    // A unit as shown, translated ("µsteps" for "microsteps").
    static QString displayUnit(const QString& unit);
    // A series name as shown: translated, "parameter N" and " (motor M)" included.
    static QString displayName(const QString& series);

    // The value written with the resolution that makes sense for the unit: whole counts and
    // flags, tenths of pps, degrees, percent and microsteps; never "-0".
    static QString format(const QString& unit, double value);
    // Decimals of that resolution.
    static int decimals(const QString& unit);
};
