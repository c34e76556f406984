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
    void angel(QString text);
    void calcCurrent(int value);
    void on_buttonBox_clicked(QAbstractButton* button);
    void on_cmbJumper_currentIndexChanged(int index);

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
