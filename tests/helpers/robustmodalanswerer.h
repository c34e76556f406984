#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers every modal dialog that opens while it exists, from inside the dialog's own event
// loop: message boxes alternately with Yes and No (starting with the given answer), any other
// modal widget is closed.
class RobustModalAnswerer : public QObject
{
    Q_OBJECT
public:
    explicit RobustModalAnswerer(QMessageBox::StandardButton first = QMessageBox::Yes, QObject* parent = nullptr);

    int answered() const { return m_texts.size(); }
    // The texts of the answered message boxes, in order.
    QStringList texts() const { return m_texts; }

private slots:
    void answer();

private:
    QTimer m_timer;
    QMessageBox::StandardButton m_next;
    QStringList m_texts;
};
