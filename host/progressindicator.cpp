// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "progressindicator.h"

#include <QPainter>
#include <QTimerEvent>

ProgressIndicator::ProgressIndicator(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ProgressIndicator::setColor(const QColor& colour)
{
    m_colour = colour;
    update();
}

QColor ProgressIndicator::color() const
{
    return m_colour;
}

bool ProgressIndicator::isAnimated() const
{
    return m_timerId != 0;
}

QSize ProgressIndicator::sizeHint() const
{
    return QSize(24, 24);
}

void ProgressIndicator::startAnimation(bool start)
{
    if (!start) {
        stopAnimation();
        return;
    }
    if (m_timerId == 0)
        m_timerId = startTimer(40);
    update();
}

void ProgressIndicator::stopAnimation()
{
    if (m_timerId != 0)
        killTimer(m_timerId);
    m_timerId = 0;
    update();
}

void ProgressIndicator::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timerId) {
        QWidget::timerEvent(event);
        return;
    }
    m_angle = (m_angle + 30) % 360;
    update();
}

void ProgressIndicator::paintEvent(QPaintEvent*)
{
    if (!isAnimated())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height());
    const double outer = side / 2.0;
    const double inner = outer * 0.4;
    const double capsuleWidth = qMax(1.5, side / 10.0);
    painter.translate(width() / 2.0, height() / 2.0);
    for (int i = 0; i < 12; ++i) {
        QColor colour = m_colour;
        colour.setAlphaF(1.0 - i / 12.0);
        painter.save();
        painter.rotate(m_angle - i * 30.0);
        painter.setPen(QPen(colour, capsuleWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -inner), QPointF(0, -outer + capsuleWidth));
        painter.restore();
    }
}
