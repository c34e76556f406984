// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIdentityProxyModel>

class QFileDialog;
class QWidget;

// The file dialogs' dates and sizes in the interface language. Qt's dialog writes them in the
// system's, which the --lang option cannot change once the application runs; this model sits
// between the dialog's file list and its view and writes them anew. The helpers open Qt's own
// dialog with it, which also takes its texts from the installed translations.
class FileDialogDates : public QIdentityProxyModel
{
    Q_OBJECT
public:
    explicit FileDialogDates(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    static QString saveFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter);
    static QString openFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter);

private:
    static QString run(QFileDialog* dialog);
};
