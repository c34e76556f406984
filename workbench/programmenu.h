// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include "programcomparer.h"

class MainWindow;
class QMenu;

// The File menu's setup-program commands. Each asks for a file (and an axis) and then calls
// the matching ...File function, which tests reach without dialogs.
class ProgramMenu : public QObject
{
    Q_OBJECT
public:
    // The axis choice that leaves each line on the axis it names.
    static constexpr int NamedAxes = -1;

    ProgramMenu(MainWindow* window, QMenu* menu);

    // The start-up page's history as a program file; false with a message when there is
    // nothing to save yet.
    bool programText(QString* text, QString* message) const;
    // Saves that text; false with a message when there is nothing to save or the file cannot
    // be written.
    bool saveFile(const QString& path, QString* message);
    // Applies the file to the axis (NamedAxes: the axes it names); a loop's wait shows its
    // progress and can be cancelled.
    bool applyFile(const QString& path, int axis, QString* message);
    // Compares; rows for the table and the verdict per axis. False when the file is bad or
    // the axis differs.
    bool compareFile(const QString& path, int axis, QList<ProgramComparer::Row>* rows, QStringList* verdicts,
                     QString* message);

public slots:
    void saveProgram();
    void applyProgram();
    void compareProgram();

private:
    // Asks for a program file, then for an axis; false when the user cancels either.
    bool chooseFileAndAxis(const QString& title, QString* path, int* axis);
    // A message box, or for a long text a dialog that scrolls it.
    void showText(const QString& title, const QString& text, bool problem);

    MainWindow* m_window;
    QString m_directory;
};
