// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// The environment for a program a test starts: the offscreen platform, the C locale (English
// texts), and no leak check in the child. The leak checker's tracer crashes in a child started
// through QProcess from a sanitized test; the child's leaks are covered by the in-process runs
// and by memcheck.
QProcessEnvironment childEnvironment();

struct ChildRun
{
    int code; // -1: crashed or hung
    QString out;
    QString err;
};

// Runs a program to its end (at most two minutes) and collects what it printed.
ChildRun runChild(const QString& program, const QStringList& arguments,
                  const QProcessEnvironment& environment = childEnvironment());
