// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QImage;

// Writes every file the workbench and its tools produce, so that no output destroys what is
// already at its path. A new path, or a regular file, is saved atomically: written beside it
// and renamed over it, so that a failed write leaves the old file. Anything else that exists
// (a device such as /dev/null, a FIFO, a terminal) is written through in place and never
// renamed over, as is a path under /dev or /proc (/dev/stdout on a file appends to it,
// after what was printed). A folder is refused.
class OutputFile
{
    Q_DECLARE_TR_FUNCTIONS(OutputFile)
public:
    // Whether output could go to path, found without writing anything there: before a long
    // run that ends in writing it.
    static bool check(const QString& path, QString* error);
    // Whether a folder exists or could be made at path, with pictures written into it; it
    // is left as it was found.
    static bool checkFolder(const QString& path, QString* error);
    static bool write(const QString& path, const QByteArray& data, QString* error);
    // The image as PNG.
    static bool writePng(const QString& path, const QImage& image, QString* error);

private:
    // Written through rather than saved atomically.
    static bool isWrittenThrough(const QString& path);
};
