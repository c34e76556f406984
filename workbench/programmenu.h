#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "programcomparer.h"

class MainWindow;
class QMenu;

// The File menu's setup-program commands. Each asks for a file (and an axis) and then calls
// the matching ...File function, which tests reach without dialogs.
class ProgramMenu : public QObject
{
    Q_OBJECT
public:
    ProgramMenu(MainWindow* window, QMenu* menu);

    // The start-up page's history as the program file; false with a message when there is
    // nothing to save or the file cannot be written.
    bool saveFile(const QString& path, QString* message);
    bool applyFile(const QString& path, int axis, QString* message);
    // Compares; rows for the table. False when the file is bad or the axis differs.
    bool compareFile(const QString& path, int axis, QList<ProgramComparer::Row>* rows, QString* message);

public slots:
    void saveProgram();
    void applyProgram();
    void compareProgram();

private:
    // Asks for a program file, then for an axis; false when the user cancels either.
    bool chooseFileAndAxis(const QString& title, QString* path, int* axis);

    MainWindow* m_window;
    QString m_directory;
};
