// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where the workbench finds the plug-in when no --plugin is given. Run from its build folder
// it takes the plug-in built there; anywhere else it is an installed copy and takes the plug-in
// installed with it, at a fixed path relative to its own folder, so the installed tree can sit
// under any prefix.
class PluginLocation
{
public:
    PluginLocation(const QString& buildDirectory, const QString& buildPluginPath, const QString& relativePath);

    QString defaultPath(const QString& applicationDirectory) const;

private:
    QString m_buildDirectory;
    QString m_buildPluginPath;
    QString m_relativePath;
};
