#pragma once

#include <QDialogButtonBox>
#include <QList>
#include <QMdiArea>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>

#include "framelogcapture.h"
#include "pluginhost.h"
#include "simulatedmodule.h"

class QAbstractSpinBox;
class QGroupBox;
class QStatusBar;
class ReRezorInterface;
class ToolWindow;
class TraceCommand;
class TracePoller;

// The real plug-in, loaded from its file, hosted as the host application does it on a
// simulated module whose clock moves only when the test says so. Live values reach the
// pages only through settle(), never through the poller's timer, so a run is repeatable.
//
// Modal questions are answered from the question's own event loop with the answers queued
// by answerNextQuestion(); a question nobody expected is recorded and dismissed, so a test
// never hangs on it.
class GuidedRunFixture : public QObject
{
    Q_OBJECT
public:
    enum Tool { StartUp = 50, Motor = 51, Encoder = 52, ClosedLoop = 53 };

    static const QString ModuleKey;

    GuidedRunFixture();
    ~GuidedRunFixture() override;

    // Loads the plug-in, makes the four tools and lets the start-up tool wire them. On
    // failure the reason is in *error.
    bool start(const QString& pluginPath, QString* error);

    SimulatedModule& module() { return m_module; }
    PluginHost& host() { return m_host; }
    QMdiArea& area() { return m_area; }
    TracePoller* poller() const;
    ReRezorInterface* tool(int id) const;
    ToolWindow* window(int id) const;
    // The page a tool shows, found by its object name.
    QWidget* page(int id) const;
    QStatusBar* statusBar(int id) const;
    // The start-up tool's shared live-value object, found by its class name.
    QObject* dataExchange() const;

    template <class T>
    T* child(int id, const char* name) const
    {
        QWidget* p = page(id);
        return p ? p->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }

    // Opens a tool's window as the user does and lets it show.
    void open(int id);
    bool isShown(int id) const;
    bool isActive(int id) const;

    // Lets simulated time pass, polls once and delivers what follows from it.
    void settle(int milliseconds = 0);
    static void processEvents();

    // Types text into a spin box as the user does: select all, type, Return.
    static void typeInto(QAbstractSpinBox* box, const QString& text);
    // Clicks the check box in a checkable group box's title.
    static void clickGroupBoxCheck(QGroupBox* group);
    // Clicks a standard button of the page's button box; false when there is none.
    bool clickButtonBox(int id, QDialogButtonBox::StandardButton which);

    void answerNextQuestion(QMessageBox::StandardButton answer);
    QStringList questions() const { return m_questions; }
    QStringList unexpectedQuestions() const { return m_unexpected; }
    int pendingAnswers() const { return m_answers.size(); }

    // Motor banks of the traces the start-up tool handed to the poller, in order.
    QList<int> addedTraceBanks() const { return m_addedBanks; }
    void clearAddedTraces() { m_addedBanks.clear(); }

    const FrameLogCapture& log() const { return m_log; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void recordTrace(TraceCommand* trace);

private:
    void answerModal(int attempt);

    FrameLogCapture m_log{false};
    SimulatedModule m_module;
    QMdiArea m_area;
    PluginHost m_host;
    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_questions;
    QStringList m_unexpected;
    QList<int> m_addedBanks;
};
