// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "outputfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QTemporaryFile>

bool OutputFile::isWrittenThrough(const QString& path)
{
    const QFileInfo info(path);
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    const bool alias = absolute.startsWith(QLatin1String("/dev/")) || absolute.startsWith(QLatin1String("/proc/"));
    return info.exists() && (alias || !info.isFile());
}

bool OutputFile::check(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = tr("cannot write %1: it is a folder").arg(path);
        return false;
    }
    // Opening a FIFO would wait for its reader: its permission is all that can be asked.
    if (isWrittenThrough(path)) {
        if (info.isWritable())
            return true;
        *error = tr("cannot write %1: permission denied").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = tr("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    file.cancelWriting();
    return true;
}

bool OutputFile::checkFolder(const QString& path, QString* error)
{
    // Tried for real, permissions alone do not tell (/proc, a read-only mount, root): the
    // missing folders are made, a file is made in the last, and all of it is removed again.
    QStringList made;
    QFileInfo info(QDir::cleanPath(QDir(path).absolutePath()));
    while (!info.exists() && !info.isRoot()) {
        made.prepend(info.filePath());
        info.setFile(info.absolutePath());
    }
    bool usable = info.isDir();
    for (const QString& folder : qAsConst(made))
        usable = usable && QDir().mkdir(folder);
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral("probe-XXXXXX")));
    if (usable && probe.open())
        probe.remove();
    else
        usable = false;
    for (auto folder = made.crbegin(); folder != made.crend(); ++folder)
        QDir().rmdir(*folder);
    if (!usable)
        *error = tr("cannot make the folder %1 or write into it").arg(path);
    return usable;
}

bool OutputFile::write(const QString& path, const QByteArray& data, QString* error)
{
    if (QFileInfo(path).isDir()) {
        *error = tr("cannot write %1: it is a folder").arg(path);
        return false;
    }
    if (isWrittenThrough(path)) {
        // A file behind /dev/stdout keeps what was printed before.
        QFile file(path);
        const QIODevice::OpenMode mode = QFileInfo(path).isFile() ? QIODevice::Append : QIODevice::WriteOnly;
        if (!file.open(mode) || file.write(data) != data.size() || !file.flush()) {
            *error = tr("cannot write %1: %2").arg(path, file.errorString());
            return false;
        }
        return true;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *error = tr("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool OutputFile::writePng(const QString& path, const QImage& image, QString* error)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        *error = tr("cannot write the picture %1: it could not be made").arg(path);
        return false;
    }
    return write(path, data, error);
}
