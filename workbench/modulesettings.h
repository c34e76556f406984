// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class MainWindow;
class QSettings;

// The Module menu's settings of the simulated hardware as they are remembered between runs,
// under the group "module". Each setting is one row of the table in modulesettings.cpp: its
// key, how it is read from the workbench and how it is applied.
class ModuleSettings
{
public:
    static void save(const MainWindow& window, QSettings& settings);
    // Applies what was saved. A value that cannot be used (a word where a number belongs, a
    // negative resolution, an empty firmware name) is left out with a warning.
    static void restore(MainWindow& window, QSettings& settings);
    // For an interactive run: restores the module's settings and the window layout from the
    // application's settings now, and saves both when the application quits.
    static void keep(MainWindow& window);
};
