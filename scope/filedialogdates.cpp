// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filedialogdates.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>

namespace {
const int SizeColumn = 1;
const int DateColumn = 3;
} // namespace

FileDialogDates::FileDialogDates(QObject* parent)
    : QIdentityProxyModel(parent)
{
}

QVariant FileDialogDates::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files || role != Qt::DisplayRole || (index.column() != SizeColumn && index.column() != DateColumn))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale locale;
    if (index.column() == DateColumn)
        return locale.toString(files->lastModified(source), QLocale::ShortFormat);
    return files->isDir(source) ? QString() : locale.formattedDataSize(files->size(source));
}

QString FileDialogDates::saveFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    QFileDialog dialog(parent, title, start, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return run(&dialog);
}

QString FileDialogDates::openFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    QFileDialog dialog(parent, title, start, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(&dialog);
}

QString FileDialogDates::run(QFileDialog* dialog)
{
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setProxyModel(new FileDialogDates(dialog));
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}
