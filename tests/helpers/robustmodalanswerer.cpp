#include "robustmodalanswerer.h"

#include <QAbstractButton>
#include <QApplication>

RobustModalAnswerer::RobustModalAnswerer(QMessageBox::StandardButton first, QObject* parent)
    : QObject(parent)
    , m_next(first)
{
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &RobustModalAnswerer::answer);
    m_timer.start();
}

void RobustModalAnswerer::answer()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
        modal->close();
        return;
    }
    m_texts.append(box->text());
    QAbstractButton* button = box->button(m_next);
    if (!button)
        button = box->buttons().value(0);
    m_next = m_next == QMessageBox::Yes ? QMessageBox::No : QMessageBox::Yes;
    if (button)
        button->click();
    else
        box->close();
}
