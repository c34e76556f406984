// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QtGlobal>

// Maps a measured encoder count per motor revolution to the resolution of a standard encoder.
class ResolutionSnapper
{
public:
    // The resolutions of the encoders in use, in the order they are tried.
    static const QList<int>& standardResolutions();

    // The first standard resolution R with 0.997 R < measured < 1.003 R, or 0 when none fits
    // (a measured count of 0, an encoder that did not move, never fits).
    static int snap(qint64 measured);
};
