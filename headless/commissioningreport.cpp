// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commissioningreport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>

#include "guidedrun.h"
#include "koraparser.h"
#include "outputfile.h"
#include "simulatedmodule.h"

const char* const CommissioningReport::Format = "gv7-commissioning-report/2";

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

QJsonArray stepsOf(const GuidedRun& run, qint64* simulated)
{
    // The settings each step accepted, from the history it wrote them to.
    const KoraProgram parsed = KoraParser::parse(run.setupProgram(), nullptr);
    QJsonArray steps;
    const QList<GuidedRun::Step> runSteps = run.steps();
    for (const GuidedRun::Step& step : runSteps) {
        *simulated += step.simulatedMilliseconds;
        QJsonObject object{{"name", step.name},
                           {"result", step.passed ? "passed" : "failed"},
                           {"settings", step.name == QLatin1String("activate closed loop") && step.passed
                                            ? QJsonArray{QJsonObject{{"parameter", 129}, {"motor", 0}, {"value", 1},
                                                                     {"comment", "Closed loop on"}}}
                                            : settingsOf(parsed, sectionOf(step.name))},
                           {"simulatedMs", step.simulatedMilliseconds},
                           {"wallMs", step.wallMilliseconds}};
        if (!step.passed)
            object.insert(QStringLiteral("error"), step.error);
        steps.append(object);
    }
    return steps;
}

QJsonObject deviationOf(const GuidedRun::Deviation& deviation)
{
    if (!deviation.valid)
        return QJsonObject();
    return QJsonObject{{"axis", 0},
                       {"startActualPosition", deviation.startActualPosition},
                       {"startEncoderPosition", deviation.startEncoderPosition},
                       {"actualPosition", deviation.actualPosition},
                       {"encoderPosition", deviation.encoderPosition},
                       {"deviationCounts", deviation.counts},
                       {"deviationMicrosteps", deviation.microsteps}};
}

QJsonArray movesOf(const GuidedRun& run)
{
    QJsonArray moves;
    const QList<GuidedRun::Move> runMoves = run.moves();
    for (const GuidedRun::Move& move : runMoves) {
        moves.append(QJsonObject{{"loop", move.loop},
                                 {"move", move.kind},
                                 {"distanceMicrosteps", move.distance},
                                 {"deviation", deviationOf(move.deviation)}});
    }
    return moves;
}

} // namespace

QJsonObject CommissioningReport::hardware(SimulatedModule* module, const Context& context)
{
    const MotorPhysics::Motor& motor = module->motor();
    return QJsonObject{
        {"encoder", QJsonObject{{"resolution", module->trueEncoderResolution()}, {"reversed", module->encoderReversed()}}},
        {"motor", QJsonObject{{"loadTorqueNm", motor.loadTorque},
                              {"loadPercent", motor.holdingTorque > 0 ? 100.0 * motor.loadTorque / motor.holdingTorque : 0.0},
                              {"holdingTorqueNm", motor.holdingTorque},
                              {"inertiaKgm2", motor.inertia},
                              {"ratedCurrentA", motor.ratedCurrent},
                              {"phaseResistanceOhm", motor.resistance},
                              {"phaseInductanceH", motor.inductance},
                              {"supplyVoltageV", motor.supplyVoltage},
                              {"detentTorqueNm", motor.detentTorque},
                              {"motorDampingNmsPerRad", motor.damping},
                              {"viscousFrictionNmsPerRad", motor.viscousFriction},
                              {"activeLoadNm", motor.activeLoad},
                              {"loadInertiaKgm2", motor.loadInertia}}},
        {"reducedRange", module->reducedRange()},
        {"timeScale", module->timeScale()},
        {"pollMs", context.pollMilliseconds},
    };
}

QJsonObject CommissioningReport::build(const GuidedRun& run, SimulatedModule* module, bool succeeded,
                                       const QString& program, const Context& context)
{
    qint64 simulated = 0;
    const QJsonArray steps = stepsOf(run, &simulated);
    QJsonObject encoder;
    if (run.detectedResolution() > 0)
        encoder = QJsonObject{{"resolution", run.detectedResolution()}, {"direction", run.detectedDirection()}};

    QJsonObject report{
        {"format", Format},
        {"versions", QJsonObject{{"workbench", context.workbenchVersion},
                                 {"plugin", context.pluginVersion},
                                 {"qt", QString::fromLatin1(qVersion())}}},
        {"module", QJsonObject{{"address", int(module->moduleAddress())}, {"firmware", module->nameInFirmware()}}},
        {"hardware", hardware(module, context)},
        {"result", succeeded ? "closed loop ready" : "failed"},
        {"steps", steps},
        {"encoderDetection", encoder},
        {"preset", run.preset()},
        {"motionTest", movesOf(run)},
        {"finalDeviation", deviationOf(run.finalDeviation())},
        {"timing", QJsonObject{{"started", context.started.toUTC().toString(Qt::ISODateWithMs)},
                               {"wallMs", context.wallMilliseconds},
                               {"simulatedMs", simulated}}},
        {"setupProgram", program},
        {"setupProgramSha256",
         QString::fromLatin1(QCryptographicHash::hash(program.toUtf8(), QCryptographicHash::Sha256).toHex())},
    };
    if (!run.loopComparison().isEmpty())
        report.insert(QStringLiteral("loopComparison"), run.loopComparison());
    if (!succeeded)
        report.insert(QStringLiteral("error"), run.errorString());
    return report;
}

bool CommissioningReport::save(const QString& path, const QJsonObject& report, QString* error)
{
    return OutputFile::write(path, QJsonDocument(report).toJson(), error);
}
