// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QLabel>

#include "hostexport.h"

class LabelSignal;

// A round LED: lit in its colour while its LabelSignal part is enabled, dark otherwise.
class HOST_EXPORT LabelLed : public QLabel
{
    Q_OBJECT
public:
    explicit LabelLed(QWidget* parent = nullptr);

    void init(const QColor& colour, const QString& text, int size);
    LabelSignal* labelSignal() const;
    QColor colour() const;
    int ledSize() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LabelSignal* m_signal;
    QColor m_colour = Qt::green;
    int m_size = 16;
};
