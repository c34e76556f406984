// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Decides the window system before the application object is made, because Qt aborts the
// program when the platform it is given cannot be used. Runs that show no window get the
// offscreen platform, whatever QT_QPA_PLATFORM says. A run with windows keeps the platform
// chosen (-platform, QT_QPA_PLATFORM, else X11, or Wayland where only Wayland is there), once
// its plug-in is installed and its display answers; otherwise choose() says what to do.
// The plug-ins are found without loading them (only their metadata is read), the display by
// connecting to its socket.
class PlatformChoice
{
    Q_DECLARE_TR_FUNCTIONS(PlatformChoice)
public:
    // Sets QT_QPA_PLATFORM for the application to come; false with the reason when windows
    // cannot be shown. Needs the core application for the plug-in paths.
    static bool choose(bool windows, const QString& requested, QString* error);
    // The platform plug-ins installed, by the names QT_QPA_PLATFORM takes.
    static QStringList available();
    // Keeps the platform's notes (a plug-in that cannot do what the tools ask of a window
    // that nobody sees) out of a headless run's output.
    static void silenceHeadlessNoise();

private:
    static bool reachesX11(const QString& display);
    static bool reachesWayland(const QString& display);
};
