// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comparisonrun.h"

#include <QCoreApplication>

#include "comparisonview.h"
#include "presetcomparison.h"

bool ComparisonRun::run(SimulatedModule* module, const QString& picture, QTextStream* out, QJsonObject* report,
                        QString* error)
{
    PresetComparison comparison(module, 0);
    if (!comparison.run()) {
        *error = comparison.errorString();
        return false;
    }
    *out << comparison.table() << Qt::flush;
    report->insert(QStringLiteral("presetComparison"), comparison.toJson());
    if (picture.isEmpty())
        return true;
    ComparisonView view(comparison);
    view.show();
    QCoreApplication::processEvents();
    return view.savePicture(picture, error);
}
