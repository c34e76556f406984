#include "programcommands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>

#include "koraparser.h"
#include "programretargeter.h"
#include "programrunner.h"
#include "simulatedmodule.h"

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

void ProgramCommands::printErrors(const QString& path, const QList<ProgramError>& errors)
{
    for (const ProgramError& error : errors)
        *m_err << error.toString(path) << Qt::endl;
}

bool ProgramCommands::load(const QString& path, KoraProgram* program)
{
    QList<ProgramError> errors;
    *program = KoraParser::parseFile(path, &errors);
    printErrors(path, errors);
    return errors.isEmpty();
}

bool ProgramCommands::apply(const QString& path, const QList<int>& axes)
{
    KoraProgram program;
    if (!load(path, &program))
        return false;
    ProgramRunner runner(m_module);
    if (m_wait)
        runner.setWait(m_wait);
    QList<KoraProgram> targeted;
    bool valid = true;
    for (int axis : axes) {
        targeted.append(ProgramRetargeter::toMotor(program, axis));
        const QList<ProgramError> errors = runner.check(targeted.last());
        printErrors(path, errors);
        valid = valid && errors.isEmpty();
    }
    if (!valid) {
        *m_err << path << ": nothing written" << Qt::endl;
        return false;
    }
    for (int i = 0; i < axes.size(); ++i) {
        const ProgramRunner::Result result = runner.run(targeted.at(i));
        if (!result.ok) {
            *m_err << result.error.toString(path) << Qt::endl;
            *m_err << path << ": stopped on axis " << axes.at(i) << "; written there: " << result.writtenSummary();
            if (i > 0) {
                QStringList done;
                for (int j = 0; j < i; ++j)
                    done << QString::number(axes.at(j));
                *m_err << "; axes set up before: " << done.join(QStringLiteral(", "));
            }
            *m_err << Qt::endl;
            return false;
        }
        *m_out << "axis " << axes.at(i) << ": applied " << path << ", " << result.writtenSummary() << " written ("
               << result.commands << " commands, waited " << result.waitedMilliseconds / 1000.0 << " s)" << Qt::endl;
    }
    return true;
}

bool ProgramCommands::check(const QString& path, const QList<int>& axes, QList<ProgramComparer::Row>* rows)
{
    KoraProgram program;
    if (!load(path, &program))
        return false;
    const ProgramComparer comparer(m_module);
    bool same = true;
    for (int axis : axes) {
        const QList<ProgramComparer::Row> compared = comparer.compare(ProgramRetargeter::toMotor(program, axis));
        const QList<ProgramComparer::Row> differences = ProgramComparer::differences(compared);
        if (rows)
            *rows += compared;
        for (const ProgramComparer::Row& row : differences)
            *m_out << path << ':' << row.line << ": " << row.toString() << Qt::endl;
        int skipped = 0;
        for (const ProgramComparer::Row& row : compared)
            skipped += row.state == ProgramComparer::State::NotCompared ? 1 : 0;
        if (differences.isEmpty()) {
            *m_out << "axis " << axis << ": matches " << path << " (" << compared.size() - skipped
                   << " parameters compared";
            if (skipped > 0)
                *m_out << ", " << skipped << " position" << (skipped > 1 ? "s" : "") << " not";
            *m_out << ")" << Qt::endl;
        } else {
            *m_out << "axis " << axis << ": " << differences.size() << " of " << compared.size()
                   << " parameters differ from " << path << Qt::endl;
            same = false;
        }
    }
    return same;
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
        *error = QStringLiteral("the setup program is not valid: %1").arg(errors.first().toString());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
