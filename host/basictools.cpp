// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "basictools.h"

#include <QBuffer>
#include <QByteArray>

// The host's declaration, kept as it is.
QString BasicTools::setPixmapToHtml(const QPixmap& pixmap, const QSize& size) // clazy:exclude=function-args-by-value
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // Stored, not deflated: tool tips are built at start-up, and size does not matter here.
    pixmap.save(&buffer, "PNG", 100);
    return QStringLiteral("<img src=\"data:image/png;base64,%1\" width=\"%2\" height=\"%3\"/>")
        .arg(QString::fromLatin1(png.toBase64()))
        .arg(size.width())
        .arg(size.height());
}
