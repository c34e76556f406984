// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programmenu.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTextEdit>
#include <QTextStream>
#include <QVBoxLayout>

#include "comparisondialog.h"
#include "filedialogdates.h"
#include "mainwindow.h"
#include "pluginhost.h"
#include "programcommands.h"
#include "rerezorinterface.h"
#include "simulatedmodule.h"

namespace {
const int StartUpTool = 50;
// Longer texts go into a scrolling dialog instead of a message box that grows off-screen.
const int MessageBoxLines = 12;
const int StatusMilliseconds = 10000;

QString fileFilter()
{
    return ProgramMenu::tr("Setup programs (*.kora);;All files (*)");
}
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

bool ProgramMenu::programText(QString* text, QString* message) const
{
    ReRezorInterface* startUp = m_window->pluginHost()->tool(StartUpTool);
    auto* history = startUp ? startUp->findChild<QTextEdit*>(QStringLiteral("teHistory")) : nullptr;
    auto* activate = startUp ? startUp->findChild<QCheckBox*>(QStringLiteral("cbActivateClosedLoop")) : nullptr;
    if (!history || history->toPlainText().trimmed().isEmpty()) {
        *message = tr("There is nothing to save yet: the start-up page has no setup program until at least the motor "
                      "settings are applied.");
        return false;
    }
    *text = ProgramCommands::programFromHistory(history->toPlainText(), activate && activate->isChecked());
    return true;
}

bool ProgramMenu::saveFile(const QString& path, QString* message)
{
    QString text;
    if (!programText(&text, message) || !ProgramCommands::save(path, text, message))
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
    // Shown only once a wait lasts; the wait lets its Cancel button be clicked.
    QProgressDialog progress(tr("Waiting for the setup program's loop to end..."), tr("Cancel"), 0, 1, m_window);
    progress.setWindowTitle(tr("Apply setup program"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    commands.setProgress([&progress](int waited, int timeout) {
        progress.setMaximum(timeout);
        progress.setValue(waited);
        return !progress.wasCanceled();
    });
    const bool applied = commands.apply(path, axis == NamedAxes ? QList<int>() : QList<int>{axis}) == ProgramCommands::Done;
    progress.reset();
    return applied;
}

bool ProgramMenu::compareFile(const QString& path, int axis, QList<ProgramComparer::Row>* rows, QStringList* verdicts,
                              QString* message)
{
    message->clear();
    QTextStream stream(message);
    ProgramCommands commands(m_window->module(), &stream, &stream);
    const bool same = commands.check(path, axis == NamedAxes ? QList<int>() : QList<int>{axis}, rows) == ProgramCommands::Done;
    *verdicts = commands.verdicts();
    return same;
}

void ProgramMenu::saveProgram()
{
    const QString title = tr("Save setup program");
    QString text;
    QString message;
    if (!programText(&text, &message)) {
        QMessageBox::information(m_window, title, message);
        return;
    }
    QString path = FileDialogDates::saveFileName(m_window, title, m_directory, fileFilter());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kora");
    m_directory = QFileInfo(path).absolutePath();
    if (saveFile(path, &message))
        m_window->statusBar()->showMessage(message, StatusMilliseconds);
    else
        QMessageBox::warning(m_window, title, message);
}

void ProgramMenu::applyProgram()
{
    const QString title = tr("Apply setup program");
    QString path;
    int axis = 0;
    if (!chooseFileAndAxis(title, &path, &axis))
        return;
    QString message;
    const bool applied = applyFile(path, axis, &message);
    showText(title, message.trimmed(), !applied);
}

void ProgramMenu::compareProgram()
{
    const QString title = tr("Compare axis with setup program");
    QString path;
    int axis = 0;
    if (!chooseFileAndAxis(title, &path, &axis))
        return;
    QList<ProgramComparer::Row> rows;
    QStringList verdicts;
    QString message;
    compareFile(path, axis, &rows, &verdicts, &message);
    if (rows.isEmpty()) {
        showText(title, message.trimmed(), true);
        return;
    }
    // The table shows each difference; above it only the verdict per axis.
    ComparisonDialog dialog(m_window);
    dialog.setResult(verdicts.join(QLatin1Char('\n')), rows);
    dialog.exec();
}

bool ProgramMenu::chooseFileAndAxis(const QString& title, QString* path, int* axis)
{
    *path = FileDialogDates::openFileName(m_window, title, m_directory, fileFilter());
    if (path->isEmpty())
        return false;
    m_directory = QFileInfo(*path).absolutePath();
    QStringList axes{tr("The axes the program names")};
    for (int motor = 0; motor < SimulatedDrive::AxisCount; ++motor)
        axes << tr("Axis %1").arg(motor);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(m_window, title, tr("Axis:"), axes, 0, false, &ok);
    *axis = axes.indexOf(chosen) - 1; // the first choice is NamedAxes
    return ok && *axis >= NamedAxes;
}

void ProgramMenu::showText(const QString& title, const QString& text, bool problem)
{
    if (text.count(QLatin1Char('\n')) < MessageBoxLines) {
        if (problem)
            QMessageBox::warning(m_window, title, text);
        else
            QMessageBox::information(m_window, title, text);
        return;
    }
    QDialog dialog(m_window);
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* view = new QPlainTextEdit(text, &dialog);
    view->setObjectName(QStringLiteral("pteProgramMessages"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(view);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(760, 420);
    dialog.exec();
}
