// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "basesettings.h"

class QAbstractButton;
class QShowEvent;
class QTimerEvent;
class SpinBox;

namespace Ui {
class ClosedLoop;
}

// Closed-loop controller of the current axis: current scaling, field weakening and the
// velocity correction regulator, with presets and two derived values.
class ClosedLoop : public BaseSettings
{
    Q_OBJECT
public:
    explicit ClosedLoop(QWidget* parent);
    ~ClosedLoop() override;

    void setDataExchange(DataExchange* dataExchange) override;

protected:
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void currentAxisChanged() override;
    // Connected by name by the form's setup.
    void on_buttonBox_clicked(QAbstractButton* button); // clazy:exclude=connect-by-name
    void on_bgRegulatorPresets_buttonClicked(QAbstractButton* button); // clazy:exclude=connect-by-name
    void on_btnCalculatePIP_I_CLIP_clicked(); // clazy:exclude=connect-by-name
    void on_spClCorrectionVelocityI_valueChanged(int); // clazy:exclude=connect-by-name
    void on_spClCorrectionVelocityP_valueChanged(int); // clazy:exclude=connect-by-name
    void on_btnAlternativScalerMaxTolerance_clicked(); // clazy:exclude=connect-by-name

private:
    // The boxes of every tab, tab by tab, in the order the form creates them.
    QList<SpinBox*> spinBoxes() const;
    // The number behind the last ": " of the alternative button's description; 0 if none.
    int describedTolerance() const;

    Ui::ClosedLoop* ui;
};
