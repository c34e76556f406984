#pragma once

#include <QMdiArea>
#include <QMessageBox>
#include <QStringList>
#include <QtTest>

#include "framelogcapture.h"
#include "pluginhost.h"
#include "simulatedmodule.h"
#include "toolwindow.h"

class QAbstractSpinBox;

// The real plug-in on a simulated module with a manual clock. Live values reach the pages only
// through settle(), never through the poller's timer, so a run is repeatable. Message boxes take
// the queued answers; one nobody expected is recorded and cancelled, so a test never hangs on it.
class GuidedRunFixture : public QObject
{
    Q_OBJECT
public:
    enum Tool { StartUp = 50, Motor = 51, Encoder = 52, ClosedLoop = 53 };

    GuidedRunFixture();
    ~GuidedRunFixture() override;
    // Loads the plug-in and lets the start-up tool wire the four tools; false says why in *error.
    bool start(const QString& pluginPath, QString* error);

    SimulatedModule& module() { return m_module; }
    PluginHost& host() { return m_host; }
    QWidget* page(int id) const;
    template <class T>
    T* child(int id, const char* name) const
    {
        QWidget* p = page(id);
        return p ? p->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    // An axis parameter as the module holds it; INT_MIN when it cannot be read.
    int drive(int type, int motor = 0);
    bool isShown(int id) const { return m_host.windowOf(id) && m_host.windowOf(id)->isVisible(); }
    bool isActive(int id) const { return m_host.windowOf(id) && m_area.activeSubWindow() == m_host.windowOf(id); }
    void open(int id) { m_host.windowOf(id)->activateWindow(); processEvents(); }

    // Lets simulated time pass, polls once and delivers what follows from it.
    void settle(int milliseconds = 0);
    static void processEvents();
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); processEvents(); }
    // Select all, type, Return: as the user enters a value.
    static void typeInto(QAbstractSpinBox* box, const QString& text);

    void answerNextQuestion(QMessageBox::StandardButton answer) { m_answers.append(answer); }
    QStringList questions() const { return m_questions; }
    QStringList unexpectedQuestions() const { return m_unexpected; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FrameLogCapture m_log{false};
    SimulatedModule m_module;
    QMdiArea m_area;
    PluginHost m_host;
    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_questions;
    QStringList m_unexpected;
};
