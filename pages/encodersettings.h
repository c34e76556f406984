// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMap>

#include "basesettings.h"

class QAbstractButton;
class QShowEvent;
class QTimerEvent;
class Command;

namespace Ui {
class EncoderSettings;
}

// The encoder page: resolution, counting direction, deviation limit and position of the
// incremental encoder of the current axis, and the detection of resolution and direction by
// one motor revolution forwards and one back.
class EncoderSettings : public BaseSettings
{
    Q_OBJECT
public:
    explicit EncoderSettings(QWidget* parent);
    ~EncoderSettings() override;

    void setDataExchange(DataExchange* exchange) override;

protected:
    // One poll of the running detection.
    void timerEvent(QTimerEvent* event) override;
    // Re-reads the settings of the current axis.
    void showEvent(QShowEvent* event) override;

private slots:
    void currentAxisChanged() override;
    // Connected by name by the form's setup.
    void on_buttonBox_clicked(QAbstractButton* button); // clazy:exclude=connect-by-name
    void on_btnAutoDetection_clicked(); // clazy:exclude=connect-by-name
    void on_bbAutoDetection_rejected(); // clazy:exclude=connect-by-name
    void on_bbAutoDetection_accepted(); // clazy:exclude=connect-by-name
    void on_bbDetction_clicked(QAbstractButton* button); // clazy:exclude=connect-by-name

private:
    // One synchronous request for the current axis; needs the exchange object.
    Command send(quint8 command, quint8 type, int value = 0);
    int readParameter(quint8 type);
    void writeParameter(quint8 type, int value);
    void setCircularMode(bool on);
    void evaluateForwardTurn();
    void endReturnTurn();

    Ui::EncoderSettings* ui;
    // Parameters the detection changes, written back in ascending order after the return turn.
    QMap<int, int> m_savedParameters;
    bool m_forwardTurn = false;
    int m_timerId = 0;
    // Encoder reading at the start; after the forward turn the detected resolution (0: none).
    int m_encoderStart = 0;
    int m_motorStart = 0;
    bool m_reversed = false;
};
