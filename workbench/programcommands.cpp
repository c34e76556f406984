// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programcommands.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include "koraparser.h"
#include "outputfile.h"
#include "programretargeter.h"
#include "simulatedmodule.h"

namespace {

const int ClosedLoopInitFlag = 133;

} // namespace

ProgramCommands::ProgramCommands(ModuleInterface* module, QTextStream* out, QTextStream* err)
    : m_module(module)
    , m_out(out)
    , m_err(err)
{
}

void ProgramCommands::setWait(std::function<void(int)> wait)
{
    m_wait = std::move(wait);
}

void ProgramCommands::setProgress(std::function<bool(int, int)> progress)
{
    m_progress = std::move(progress);
}

std::function<void(int)> ProgramCommands::waitFor(SimulatedModule* module)
{
    return [module](int milliseconds) {
        if (module->isManualClock()) {
            module->advance(milliseconds);
            return;
        }
        QElapsedTimer timer;
        timer.start();
        const qint64 real = qint64(milliseconds / module->timeScale());
        while (timer.elapsed() < real) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            QThread::msleep(1);
        }
    };
}

QString ProgramCommands::axesText(const QList<int>& axes)
{
    QStringList numbers;
    for (int axis : axes)
        numbers << QString::number(axis);
    return axes.size() == 1 ? tr("axis %1").arg(numbers.first()) : tr("axes %1").arg(numbers.join(QStringLiteral(", ")));
}

void ProgramCommands::printErrors(const QString& path, QList<ProgramError> errors, int more)
{
    ProgramError::keepFirst(&errors, &more);
    for (const ProgramError& error : qAsConst(errors))
        *m_err << error.toString(path) << Qt::endl;
    if (more > 0)
        *m_err << tr("%1: and %n more fault(s)", nullptr, more).arg(path) << Qt::endl;
}

bool ProgramCommands::load(const QString& path, KoraProgram* program)
{
    QList<ProgramError> errors;
    int more = 0;
    *program = KoraParser::parseFile(path, &errors, &more);
    printErrors(path, errors, more);
    return errors.isEmpty();
}

bool ProgramCommands::prepare(const QString& path, const QList<int>& axes, Use use, QList<Target>* targets)
{
    KoraProgram program;
    if (!load(path, &program))
        return false;
    const QList<int> named = ProgramRetargeter::motors(program);
    if (named.isEmpty()) {
        *m_err << tr("%1: the program addresses no axis (it has no SAP or GAP)").arg(path) << Qt::endl;
        return false;
    }
    if (axes.isEmpty()) {
        targets->append({named, program});
    } else if (named.size() > 1) {
        *m_err << tr("%1: the program addresses %2; only a program that addresses one axis can be moved to other "
                     "axes (without a choice of axes each line goes to the axis it names)")
                      .arg(path, axesText(named))
               << Qt::endl;
        return false;
    } else {
        for (int axis : axes)
            targets->append({{axis}, ProgramRetargeter::toMotor(program, axis)});
    }
    ProgramRunner runner(m_module);
    QList<ProgramError> errors;
    int more = 0;
    for (const Target& target : qAsConst(*targets)) {
        int dropped = 0;
        errors += runner.check(target.program, &dropped);
        more += dropped;
    }
    printErrors(path, errors, more);
    return errors.isEmpty() && (use == Apply || hasComparable(path, *targets));
}

bool ProgramCommands::hasComparable(const QString& path, const QList<Target>& targets)
{
    bool usable = true;
    for (const Target& target : targets) {
        for (int axis : target.axes) {
            const auto sets = [axis](const KoraProgram::Instruction& instruction) {
                return instruction.opcode == KoraProgram::Opcode::SetParameter && instruction.motor == axis
                       && ProgramComparer::isComparable(instruction.type);
            };
            const QVector<KoraProgram::Instruction>& instructions = target.program.instructions();
            if (std::none_of(instructions.begin(), instructions.end(), sets)) {
                *m_err << tr("axis %1: nothing compared with %2: it sets no parameter of this axis that keeps its value")
                              .arg(QString::number(axis), path)
                       << Qt::endl;
                usable = false;
            }
        }
    }
    return usable;
}

bool ProgramCommands::isUsable(const QString& path, const QList<int>& axes, Use use)
{
    QList<Target> targets;
    if (prepare(path, axes, use, &targets))
        return true;
    *m_err << tr("%1: nothing run").arg(path) << Qt::endl;
    return false;
}

ProgramCommands::Outcome ProgramCommands::apply(const QString& path, const QList<int>& axes)
{
    QList<Target> targets;
    if (!prepare(path, axes, Apply, &targets)) {
        *m_err << tr("%1: nothing written").arg(path) << Qt::endl;
        return Unusable;
    }
    ProgramRunner runner(m_module);
    if (m_wait)
        runner.setWait(m_wait);
    runner.setProgress(m_progress);
    QList<int> done;
    for (const Target& target : qAsConst(targets)) {
        const ProgramRunner::Result result = runner.run(target.program);
        if (!result.ok) {
            reportStop(path, target, result, done);
            return Failed;
        }
        *m_out << tr("%1: applied %2, %3 written (%n command(s), waited %4 s)", nullptr, result.commands)
                      .arg(axesText(target.axes), path, result.writtenSummary(),
                           QString::number(result.waitedMilliseconds / 1000.0))
               << Qt::endl;
        done += target.axes;
    }
    return Done;
}

void ProgramCommands::reportStop(const QString& path, const Target& target, const ProgramRunner::Result& result,
                                 const QList<int>& done)
{
    *m_err << result.error.toString(path) << Qt::endl;
    // The program's wait for the closed-loop initialisation ends only with a matching encoder.
    if (result.timedOut && result.lastRead == ClosedLoopInitFlag) {
        *m_err << tr("%1: closed-loop initialisation did not finish: check the encoder resolution and direction")
                      .arg(axesText(target.axes))
               << Qt::endl;
    }
    QString stopped = tr("%1: stopped on %2; written there: %3").arg(path, axesText(target.axes), result.writtenSummary());
    if (!done.isEmpty())
        stopped += tr("; set up before: %1").arg(axesText(done));
    *m_err << stopped << Qt::endl;
}

ProgramCommands::Outcome ProgramCommands::check(const QString& path, const QList<int>& axes,
                                                QList<ProgramComparer::Row>* rows)
{
    m_verdicts.clear();
    QList<Target> targets;
    if (!prepare(path, axes, Check, &targets)) {
        *m_err << tr("%1: nothing compared").arg(path) << Qt::endl;
        return Unusable;
    }
    const ProgramComparer comparer(m_module);
    Outcome outcome = Done;
    for (const Target& target : qAsConst(targets)) {
        const QList<ProgramComparer::Row> compared = comparer.compare(target.program);
        if (rows)
            *rows += compared;
        for (int axis : target.axes)
            outcome = qMax(outcome, verdict(path, axis, compared));
    }
    return outcome;
}

ProgramCommands::Outcome ProgramCommands::verdict(const QString& path, int axis, const QList<ProgramComparer::Row>& compared)
{
    int count = 0;
    int skipped = 0;
    int differing = 0;
    for (const ProgramComparer::Row& row : compared) {
        if (row.motor != axis)
            continue;
        ++count;
        skipped += row.state == ProgramComparer::State::NotCompared ? 1 : 0;
        if (row.isDifference()) {
            ++differing;
            *m_out << path << ':' << row.line << ": " << row.toString() << Qt::endl;
        }
    }
    QString line;
    Outcome outcome = Done;
    if (differing == 0) {
        QString counts = tr("%n parameter(s) compared", nullptr, count - skipped);
        if (skipped > 0)
            counts += tr(", %n position(s) not", nullptr, skipped);
        line = tr("axis %1: matches %2 (%3)").arg(QString::number(axis), path, counts);
    } else {
        line = tr("axis %1: %2 of %n parameter(s) differ from %3", nullptr, count)
                   .arg(QString::number(axis), QString::number(differing), path);
        outcome = Failed;
    }
    m_verdicts << line;
    *m_out << line << Qt::endl;
    return outcome;
}

QString ProgramCommands::programFromHistory(const QString& history, bool closedLoopActive)
{
    QString text = history;
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    if (!closedLoopActive)
        return text;
    static const QRegularExpression wait(QStringLiteral("\\n(\\s*\\n)*WaitInit:\\s*\\n\\s*GAP\\s+133\\s*,\\s*(\\d+)"));
    const QRegularExpressionMatch match = wait.match(text);
    if (!match.hasMatch())
        return text;
    const QString line = QStringLiteral("\n  SAP %1, %2, %3  //Closed loop on")
                             .arg(129, 3)
                             .arg(match.captured(2))
                             .arg(1, 8);
    return text.insert(match.capturedStart(), line);
}

bool ProgramCommands::save(const QString& path, const QString& text, QString* error)
{
    QList<ProgramError> errors;
    KoraParser::parse(text, &errors);
    if (!errors.isEmpty()) {
        *error = tr("the setup program is not valid: %1").arg(errors.first().toString());
        return false;
    }
    return OutputFile::write(path, text.toUtf8(), error);
}
