// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

#include "hostexport.h"

// A spinning busy indicator.
class HOST_EXPORT ProgressIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressIndicator(QWidget* parent = nullptr);

    void setColor(const QColor& colour);
    QColor color() const;
    bool isAnimated() const;

    QSize sizeHint() const override;

public slots:
    void startAnimation(bool start);
    void stopAnimation();

protected:
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_angle = 0;
    int m_timerId = 0;
    QColor m_colour = Qt::black;
};
