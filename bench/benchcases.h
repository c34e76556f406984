// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The measurements. Each runs in a fresh process of its own (gv7bench starts itself with
// --child NAME), needs a QApplication on the offscreen platform, prints its results as
// "name value" lines on stdout and returns the process's exit code.
namespace BenchCases {

// startup        loading the plug-in to four tools created, first-shown and wired, hosted
//                by the workbench's PluginHost
// startup-parts  the same steps done one by one, each timed
// floor          the four pages' Designer forms built on bare widgets; then, apart, the same
//                forms shown once in windows, and the closed-loop page's picture tool tips
// relay          replies through the start-up tool's reply slot against direct setValue;
//                arguments: batches, answers per batch
// guided         the whole headless guided commissioning; CPU time and peak memory
int run(const QString& name, const QStringList& arguments);

double median(QVector<double> values);

} // namespace BenchCases
