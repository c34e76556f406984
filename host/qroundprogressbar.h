// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include "hostexport.h"

// A round progress display drawn with QPainter.
class HOST_EXPORT QRoundProgressBar : public QWidget
{
    Q_OBJECT
public:
    enum BarStyle { StyleDonut, StylePie, StyleLine };

    explicit QRoundProgressBar(QWidget* parent = nullptr);

    void setBarStyle(BarStyle style);
    BarStyle barStyle() const;
    void setNullPosition(double degrees);
    double nullPosition() const;
    void setDecimals(int decimals);
    int decimals() const;
    void setRange(double minimum, double maximum);
    double value() const;
    double minimum() const;
    double maximum() const;

    QSize sizeHint() const override;

public slots:
    void setValue(double value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString valueText() const;

    BarStyle m_style = StyleDonut;
    double m_nullPosition = 0.0;
    int m_decimals = 1;
    double m_min = 0.0;
    double m_max = 100.0;
    double m_value = 0.0;
};
