// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include "hostexport.h"

class HOST_EXPORT BasicTools
{
public:
    // An HTML fragment showing the picture inline (PNG as data URI), e.g. for tool tips.
    static QString setPixmapToHtml(const QPixmap& pixmap, const QSize& size);
};
