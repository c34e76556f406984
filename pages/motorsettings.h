// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "basesettings.h"

class QAbstractButton;
class QLineEdit;
class QShowEvent;
class QStandardItemModel;
class QTableView;

namespace Ui {
class MotorSettings;
}

// Motor direction, step angle, microsteps and the two currents of the current axis.
class MotorSettings : public BaseSettings
{
    Q_OBJECT
public:
    explicit MotorSettings(QWidget* parent);
    ~MotorSettings() override;

protected:
    void showEvent(QShowEvent* event) override;

public:
    void setDataExchange(DataExchange* exchange) override;

private slots:
    void currentAxisChanged() override;
    void angel(const QString& text);
    void calcCurrent(int value);
    // Connected by name by the form's setup.
    void on_buttonBox_clicked(QAbstractButton* button); // clazy:exclude=connect-by-name
    void on_cmbJumper_currentIndexChanged(int index); // clazy:exclude=connect-by-name

private:
    void buildFullStepTable();
    void buildMicrostepTable();
    void refreshFromModule(DataExchange* exchange);
    void selectFullSteps(int fullSteps);
    // The full-step count of the current row of the step-angle choice; 0 without a row.
    int currentFullSteps() const;
    QString applySettings(DataExchange* exchange);

    // The combo box's own table, view and custom-row editor; null when something else
    // has been put in their place.
    QStandardItemModel* fullStepTable() const;
    QTableView* fullStepView() const;
    QLineEdit* customFullStepEdit() const;

    Ui::MotorSettings* ui;
    double m_currentScale;
    QStandardItemModel* m_fullSteps;
    QStandardItemModel* m_microsteps;
};
