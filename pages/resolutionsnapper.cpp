// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resolutionsnapper.h"

#include "debuglog.h"

const QList<int>& ResolutionSnapper::standardResolutions()
{
    static const QList<int> resolutions = {65536, 40000, 32768, 32000, 20000, 16384, 10000, 8192, 8000,
                                           5000,  4096,  4000,  2500,  2048,  2000,  1024,  1000};
    return resolutions;
}

int ResolutionSnapper::snap(qint64 measured)
{
    // The band of +-0.3 % is narrow enough that no two standard resolutions share a count.
    const double count = double(measured);
    for (int resolution : standardResolutions()) {
        qCDebug(debLevelLow) << Q_FUNC_INFO << measured << resolution << resolution * 1.001 << resolution * 0.999;
        if (count > resolution * 0.997 && count < resolution * 1.003)
            return resolution;
    }
    return 0;
}
