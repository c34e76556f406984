// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pluginlocation.h"

#include <QDir>
#include <QFileInfo>

PluginLocation::PluginLocation(const QString& buildDirectory, const QString& buildPluginPath,
                               const QString& relativePath)
    : m_buildDirectory(buildDirectory)
    , m_buildPluginPath(buildPluginPath)
    , m_relativePath(relativePath)
{
}

QString PluginLocation::defaultPath(const QString& applicationDirectory) const
{
    // Compared through the file system: the build folder may be reached through a link.
    const QString here = QFileInfo(applicationDirectory).canonicalFilePath();
    if (!here.isEmpty() && here == QFileInfo(m_buildDirectory).canonicalFilePath())
        return m_buildPluginPath;
    return QDir::cleanPath(QDir(applicationDirectory).absoluteFilePath(m_relativePath));
}
