// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "dataexchange.h"

// Common base of the four pages: the shared DataExchange, status-bar messages and finishing.
class BaseSettings : public QWidget
{
    Q_OBJECT
public:
    explicit BaseSettings(QWidget* parent);
    ~BaseSettings() override;

    DataExchange* dataExchange() const;
    virtual void setDataExchange(DataExchange* dataExchange);

    // Closes the host window that holds the tool, then reports the result.
    void finish(bool apply, const QString& text);

signals:
    // Also available as showMessage(QString): the same signal with timeout 0.
    void showMessage(QString text, int timeout = 0);
    void executed(bool apply, QString text);

private slots:
    virtual void currentAxisChanged() = 0;

protected:
    int showCountdown;

private:
    // Owned by the Start Up tool; a page outliving it behaves as one that never had it.
    QPointer<DataExchange> m_dataExchange;
};
