// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QTextStream;

// The headless guided commissioning of one axis, in this process: the real plug-in loaded
// from its file, its four tools in a visible window area on a simulated module with the
// manual clock, driven through their own widgets. Succeeds only when the closed loop ends
// ready with the encoder settings the module needs. Everything it makes is gone again when it
// returns, so that a process can measure exactly one whole run.
struct GuidedCommissioning
{
    QString pluginPath;
    int encoderResolution = 4000;
    bool encoderReversed = false;

    // Progress lines go to out (may be null); on failure the reason is in *error.
    bool run(QTextStream* out, QString* error) const;
};
