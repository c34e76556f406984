// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "labelled.h"

#include <QPainter>
#include <QRadialGradient>

#include "labelsignal.h"

LabelLed::LabelLed(QWidget* parent)
    : QLabel(parent)
    , m_signal(new LabelSignal(this))
{
    connect(m_signal, &LabelSignal::ledEnabled, this, qOverload<>(&QWidget::update));
    connect(m_signal, &LabelSignal::ledDisabled, this, qOverload<>(&QWidget::update));
}

void LabelLed::init(const QColor& colour, const QString& text, int size)
{
    m_colour = colour;
    m_size = qMax(4, size);
    setText(text);
    setMinimumSize(m_size + 4, m_size + 4);
    updateGeometry();
    update();
}

LabelSignal* LabelLed::labelSignal() const
{
    return m_signal;
}

QColor LabelLed::colour() const
{
    return m_colour;
}

int LabelLed::ledSize() const
{
    return m_size;
}

QSize LabelLed::sizeHint() const
{
    const QSize textSize = QLabel::sizeHint();
    return QSize(m_size + 8 + (text().isEmpty() ? 0 : textSize.width()), qMax(m_size + 4, textSize.height()));
}

QSize LabelLed::minimumSizeHint() const
{
    return QSize(m_size + 4, m_size + 4);
}

void LabelLed::paintEvent(QPaintEvent* event)
{
    // The frame only: the LED is drawn in place of the label's text.
    QFrame::paintEvent(event); // clazy:exclude=skipped-base-method
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF led(contentsRect().left() + 2, (height() - m_size) / 2.0, m_size, m_size);
    const QColor base = m_signal->isEnabled() ? m_colour : m_colour.darker(350);
    QRadialGradient gradient(led.center() - QPointF(m_size / 6.0, m_size / 6.0), m_size / 1.6);
    gradient.setColorAt(0.0, m_signal->isEnabled() ? base.lighter(170) : base.lighter(130));
    gradient.setColorAt(1.0, base);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.setBrush(gradient);
    painter.drawEllipse(led);
    if (!text().isEmpty()) {
        const QRect textRect = contentsRect().adjusted(m_size + 8, 0, 0, 0);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text());
    }
}
