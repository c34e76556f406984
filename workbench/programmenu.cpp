#include "programmenu.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTextStream>

#include "comparisondialog.h"
#include "mainwindow.h"
#include "pluginhost.h"
#include "programcommands.h"
#include "rerezorinterface.h"
#include "simulatedmodule.h"

namespace {
const int StartUpTool = 50;
const QString FileFilter = QStringLiteral("Setup programs (*.kora);;All files (*)");
} // namespace

ProgramMenu::ProgramMenu(MainWindow* window, QMenu* menu)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("programMenu"));
    menu->addAction(tr("&Save setup program..."), this, &ProgramMenu::saveProgram)
        ->setObjectName(QStringLiteral("actSaveProgram"));
    menu->addAction(tr("&Apply setup program to axis..."), this, &ProgramMenu::applyProgram)
        ->setObjectName(QStringLiteral("actApplyProgram"));
    menu->addAction(tr("&Compare axis with setup program..."), this, &ProgramMenu::compareProgram)
        ->setObjectName(QStringLiteral("actCompareProgram"));
}

bool ProgramMenu::saveFile(const QString& path, QString* message)
{
    ReRezorInterface* startUp = m_window->pluginHost()->tool(StartUpTool);
    auto* history = startUp ? startUp->findChild<QTextEdit*>(QStringLiteral("teHistory")) : nullptr;
    auto* activate = startUp ? startUp->findChild<QCheckBox*>(QStringLiteral("cbActivateClosedLoop")) : nullptr;
    if (!history || history->toPlainText().trimmed().isEmpty()) {
        *message = tr("The start-up page has no setup program yet: apply at least the motor settings first.");
        return false;
    }
    const QString text =
        ProgramCommands::programFromHistory(history->toPlainText(), activate && activate->isChecked());
    if (!ProgramCommands::save(path, text, message))
        return false;
    *message = tr("Setup program saved to %1.").arg(path);
    return true;
}

bool ProgramMenu::applyFile(const QString& path, int axis, QString* message)
{
    message->clear();
    QTextStream stream(message);
    ProgramCommands commands(m_window->module(), &stream, &stream);
    commands.setWait(ProgramCommands::waitFor(m_window->module()));
    return commands.apply(path, {axis});
}

bool ProgramMenu::compareFile(const QString& path, int axis, QList<ProgramComparer::Row>* rows, QString* message)
{
    message->clear();
    QTextStream stream(message);
    ProgramCommands commands(m_window->module(), &stream, &stream);
    return commands.check(path, {axis}, rows);
}

void ProgramMenu::saveProgram()
{
    QString path = QFileDialog::getSaveFileName(m_window, tr("Save setup program"), m_directory, FileFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kora");
    m_directory = QFileInfo(path).absolutePath();
    QString message;
    if (!saveFile(path, &message))
        QMessageBox::warning(m_window, tr("Save setup program"), message);
}

void ProgramMenu::applyProgram()
{
    const QString title = tr("Apply setup program");
    QString path;
    int axis = 0;
    if (!chooseFileAndAxis(title, &path, &axis))
        return;
    QString message;
    if (applyFile(path, axis, &message))
        QMessageBox::information(m_window, title, message);
    else
        QMessageBox::warning(m_window, title, message);
}

void ProgramMenu::compareProgram()
{
    QString path;
    int axis = 0;
    if (!chooseFileAndAxis(tr("Compare axis with setup program"), &path, &axis))
        return;
    QList<ProgramComparer::Row> rows;
    QString message;
    compareFile(path, axis, &rows, &message);
    if (rows.isEmpty()) {
        QMessageBox::warning(m_window, tr("Compare axis with setup program"), message);
        return;
    }
    // The table shows each difference; above it only the verdict per axis.
    const QStringList verdict = message.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^axis \\d+: ")));
    ComparisonDialog dialog(m_window);
    dialog.setResult(verdict.join(QLatin1Char('\n')), rows);
    dialog.exec();
}

bool ProgramMenu::chooseFileAndAxis(const QString& title, QString* path, int* axis)
{
    *path = QFileDialog::getOpenFileName(m_window, title, m_directory, FileFilter);
    if (path->isEmpty())
        return false;
    m_directory = QFileInfo(*path).absolutePath();
    QStringList axes;
    for (int motor = 0; motor < SimulatedDrive::AxisCount; ++motor)
        axes << tr("Axis %1").arg(motor);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(m_window, title, tr("Axis:"), axes, 0, false, &ok);
    *axis = axes.indexOf(chosen);
    return ok && *axis >= 0;
}
