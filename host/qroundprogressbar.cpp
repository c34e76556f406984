// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qroundprogressbar.h"

#include <QPainter>
#include <QPainterPath>

QRoundProgressBar::QRoundProgressBar(QWidget* parent)
    : QWidget(parent)
{
}

void QRoundProgressBar::setBarStyle(BarStyle style)
{
    m_style = style;
    update();
}

QRoundProgressBar::BarStyle QRoundProgressBar::barStyle() const
{
    return m_style;
}

void QRoundProgressBar::setNullPosition(double degrees)
{
    m_nullPosition = degrees;
    update();
}

double QRoundProgressBar::nullPosition() const
{
    return m_nullPosition;
}

void QRoundProgressBar::setDecimals(int decimals)
{
    m_decimals = qMax(0, decimals);
    update();
}

int QRoundProgressBar::decimals() const
{
    return m_decimals;
}

void QRoundProgressBar::setRange(double minimum, double maximum)
{
    m_min = minimum;
    m_max = qMax(minimum, maximum);
    m_value = qBound(m_min, m_value, m_max);
    update();
}

double QRoundProgressBar::value() const
{
    return m_value;
}

double QRoundProgressBar::minimum() const
{
    return m_min;
}

double QRoundProgressBar::maximum() const
{
    return m_max;
}

QSize QRoundProgressBar::sizeHint() const
{
    return QSize(90, 90);
}

void QRoundProgressBar::setValue(double value)
{
    m_value = qBound(m_min, value, m_max);
    update();
}

QString QRoundProgressBar::valueText() const
{
    const double span = m_max - m_min;
    const double percent = span > 0.0 ? (m_value - m_min) * 100.0 / span : 0.0;
    return QString::number(percent, 'f', m_decimals) + QLatin1Char('%');
}

void QRoundProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = qMin(width(), height()) - 4.0;
    const QRectF outer((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const double span = m_max - m_min;
    const double fraction = span > 0.0 ? (m_value - m_min) / span : 0.0;
    const QPalette& pal = palette();

    painter.setPen(QPen(pal.color(QPalette::Shadow), 1));
    painter.setBrush(pal.color(QPalette::Base));
    painter.drawEllipse(outer);

    const double startAngle = m_nullPosition;
    const double sweep = -360.0 * fraction;
    if (m_style == StyleLine) {
        painter.setPen(QPen(pal.color(QPalette::Highlight), qMax(2.0, side / 15.0), Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        const double inset = side / 20.0;
        painter.drawArc(outer.adjusted(inset, inset, -inset, -inset), int(startAngle * 16), int(sweep * 16));
    } else {
        QPainterPath path;
        path.moveTo(outer.center());
        path.arcTo(outer, startAngle, sweep);
        path.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.color(QPalette::Highlight));
        painter.drawPath(path);
    }
    if (m_style == StyleDonut) {
        const double hole = side * 0.3;
        painter.setBrush(pal.color(QPalette::Window));
        painter.setPen(QPen(pal.color(QPalette::Shadow), 1));
        painter.drawEllipse(outer.adjusted(hole / 2, hole / 2, -hole / 2, -hole / 2).adjusted(hole / 2, hole / 2, -hole / 2, -hole / 2));
    }
    painter.setPen(pal.color(QPalette::Text));
    painter.drawText(outer, Qt::AlignCenter, valueText());
}
