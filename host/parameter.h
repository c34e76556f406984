// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The host's description of one module parameter.
struct Parameter
{
    double scale = 1.0;
    int type = 0; // axis-parameter number
    int minimum = 0;
    int maximum = 0;
    int defaultValue = 0;
    QString name;        // key, e.g. "par::MaxCurrent"
    QString caption;
    QString comment;     // comment of a setup-program line
    QString unit;
    QString scope;
    QString description;
    QString toolTip;
    bool readOnly = false; // the module refuses to set it (a measured value or a hardware setting)
};
