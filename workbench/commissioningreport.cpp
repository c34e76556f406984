#include "commissioningreport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include "guidedrun.h"
#include "koraparser.h"
#include "moduleinterface.h"

namespace {

// The program section each step writes: the comment line the settings pages head it with.
QString sectionOf(const QString& step)
{
    if (step == QLatin1String("motor"))
        return QStringLiteral("Motor settings");
    if (step == QLatin1String("encoder"))
        return QStringLiteral("Encoder settings");
    if (step == QLatin1String("closed loop"))
        return QStringLiteral("Closed Loop settings");
    return QString();
}

QJsonArray settingsOf(const KoraProgram& program, const QString& section)
{
    QJsonArray settings;
    if (section.isEmpty())
        return settings;
    for (const KoraProgram::Instruction& instruction : program.instructions()) {
        if (instruction.opcode != KoraProgram::Opcode::SetParameter || instruction.heading != section)
            continue;
        settings.append(QJsonObject{{"parameter", instruction.type},
                                    {"motor", instruction.motor},
                                    {"value", instruction.value},
                                    {"comment", instruction.comment}});
    }
    return settings;
}

} // namespace

QJsonObject CommissioningReport::build(const GuidedRun& run, ModuleInterface* module, bool succeeded,
                                       const QString& program, const QDateTime& started, qint64 wallMilliseconds)
{
    // The settings each step accepted, from the history it wrote them to.
    QList<ProgramError> errors;
    const KoraProgram parsed = KoraParser::parse(run.setupProgram(), &errors);

    QJsonArray steps;
    qint64 simulated = 0;
    const QList<GuidedRun::Step> runSteps = run.steps();
    for (const GuidedRun::Step& step : runSteps) {
        simulated += step.simulatedMilliseconds;
        steps.append(QJsonObject{{"name", step.name},
                                 {"result", step.passed ? "passed" : "failed"},
                                 {"settings", step.name == QLatin1String("activate closed loop") && step.passed
                                                  ? QJsonArray{QJsonObject{{"parameter", 129}, {"motor", 0}, {"value", 1},
                                                                           {"comment", "Closed loop on"}}}
                                                  : settingsOf(parsed, sectionOf(step.name))},
                                 {"simulatedMs", step.simulatedMilliseconds},
                                 {"wallMs", step.wallMilliseconds}});
    }

    QJsonObject encoder;
    if (run.detectedResolution() > 0) {
        encoder = QJsonObject{{"resolution", run.detectedResolution()}, {"direction", run.detectedDirection()}};
    }
    const GuidedRun::Deviation deviation = run.finalDeviation();
    QJsonObject finalDeviation;
    if (deviation.valid) {
        finalDeviation = QJsonObject{{"axis", 0},
                                     {"actualPosition", deviation.actualPosition},
                                     {"encoderPosition", deviation.encoderPosition},
                                     {"encoderPositionMicrosteps", deviation.encoderMicrosteps},
                                     {"deviationMicrosteps", deviation.deviation}};
    }

    QJsonObject report{
        {"format", "gv7-commissioning-report/1"},
        {"module", QJsonObject{{"address", module ? int(module->moduleAddress()) : 0},
                               {"firmware", module ? module->nameInFirmware() : QString()}}},
        {"result", succeeded ? "closed loop ready" : "failed"},
        {"steps", steps},
        {"encoderDetection", encoder},
        {"finalDeviation", finalDeviation},
        {"timing", QJsonObject{{"started", started.toUTC().toString(Qt::ISODateWithMs)},
                               {"wallMs", wallMilliseconds},
                               {"simulatedMs", simulated}}},
        {"setupProgram", program},
    };
    if (!succeeded)
        report.insert(QStringLiteral("error"), run.errorString());
    return report;
}

bool CommissioningReport::save(const QString& path, const QJsonObject& report, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(report).toJson()) < 0 || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
