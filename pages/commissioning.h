// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <QMessageBox>

class QGroupBox;

#include "basesettings.h"

class QAbstractButton;
class QHideEvent;
class QShowEvent;

namespace Ui {
class Commissioning;
}

// The start-up page: leads through the motor, encoder and closed-loop steps, keeps the
// program text each step produced, and offers a motion test and a monitor of live values.
class Commissioning : public BaseSettings
{
    Q_OBJECT
public:
    explicit Commissioning(QWidget* parent);
    ~Commissioning() override;

    void setDataExchange(DataExchange* dataExchange) override;

signals:
    void showCommissioning();
    void hideCommissioning();
    void showMotorSettings();
    void showEncoderSettings();
    void showClosedLoop();

public slots:
    // Reached through the executed() signal of the three step pages.
    void done(bool apply, QString kora); // clazy:exclude=function-args-by-ref
    // Also called directly by the plug-in once the pages are wired.
    // Connected by name by the form's setup.
    void on_cmbAxisNumber_currentIndexChanged(int index); // clazy:exclude=connect-by-name

private slots:
    void currentAxisChanged() override;
    void player(QAbstractButton* button);
    void spValueChanged(int value);
    void on_cmbRampType_currentIndexChanged(int index); // clazy:exclude=connect-by-name
    void on_cbActivateClosedLoop_clicked(bool checked); // clazy:exclude=connect-by-name
    void on_btnChangeSign_clicked(); // clazy:exclude=connect-by-name

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void sendAxisParameter(quint8 type, int value);
    void refreshReadiness();
    // Unless the next step is chosen already, asks whether to take it, checks its group on Yes
    // and opens its page. False when the page went away while the question was open.
    bool chooseNextStep(QGroupBox* step, const QString& question, void (Commissioning::*open)());
    QMessageBox::StandardButton ask(const QString& question);

    Ui::Commissioning* ui;
    QString m_readyStyle;
    QString m_notReadyStyle;
    QString m_motorText;
    QString m_encoderText;
    QString m_closedLoopText;
};
