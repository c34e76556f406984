#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

class GuidedRun;
class ModuleInterface;

// The production record of one headless commissioning, as JSON: the module, each step with
// its settings and result, what the encoder detection found, the deviation at the end, the
// timings and the setup program as saved.
class CommissioningReport
{
public:
    static QJsonObject build(const GuidedRun& run, ModuleInterface* module, bool succeeded, const QString& program,
                             const QDateTime& started, qint64 wallMilliseconds);
    // Writes the report; false with a message when the file cannot be written.
    static bool save(const QString& path, const QJsonObject& report, QString* error);
};
