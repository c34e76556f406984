// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QString>
#include <QTextStream>

#include <functional>

#include "motorphysics.h"

class PluginHost;
class QAbstractButton;
class QWidget;
class SimulatedModule;

// The guided commissioning done as a user does it, through the tools' own widgets and
// buttons: motor step, encoder step with the auto-detection, closed-loop step with a preset,
// activating the closed loop, a move and a stop. The simulated module runs on its manual
// clock, which the run advances while it waits, so a run takes seconds, not minutes.
//
// A load set on the module is uncoupled for the commissioning, as on a bench, and coupled
// for the motion test; after each move the run prints the deviation between the actual
// position and the encoder's position once the encoder stands. A closed-loop move that ends
// more than one full step off, or that the drive stopped on its deviation limit (212), fails
// the run with a message naming the deviation.
//
// The open-loop comparison runs the motion test's move in open and in closed loop on a bench
// copy of the axis with the load coupled (LoopComparison), from the defined state, before the
// closed loop is activated; the live axis never runs it in open loop.
class GuidedRun : public QObject
{
    Q_OBJECT
public:
    GuidedRun(PluginHost* host, SimulatedModule* module, QTextStream* out, QObject* parent = nullptr);

    // A PNG of each page is saved there at the moment the user would look at it.
    void setScreenshotDirectory(const QString& directory);
    // How much simulated time any one wait may take before the run gives up.
    void setStepTimeout(int simulatedMilliseconds);
    // Compares the motion test's move in open and closed loop on a copy of the axis as well.
    void setCompareOpenLoop(bool on) { m_compareOpenLoop = on; }

    // Runs the whole sequence; true only when the closed loop ended ready.
    bool run();
    QString errorString() const;
    // The setup program the start-up page collected (its history).
    QString setupProgram() const;
    // Whether "Activate Closed Loop" is ticked on the start-up page.
    bool closedLoopActivated() const;

    // For the commissioning report: each step as the run went through it (a failed run ends
    // with the failed step and its error), what the auto-detection found, the preset chosen,
    // each move of the motion tests and the deviation at the end.
    struct Step
    {
        QString name;
        bool passed = false;
        QString error; // why it failed
        qint64 simulatedMilliseconds = 0;
        qint64 wallMilliseconds = 0;
    };
    // The deviation of actual and encoder position over one move, as the log prints it: the
    // encoder counts the actual position's travel since the start calls for, less the counts
    // the encoder travelled, and that in microsteps.
    struct Deviation
    {
        bool valid = false;
        int startActualPosition = 0;  // parameter 1 when the move started, microsteps
        int startEncoderPosition = 0; // parameter 209 then, counts
        int actualPosition = 0;       // parameter 1, microsteps
        int encoderPosition = 0;      // parameter 209, counts
        int counts = 0;
        int microsteps = 0;
    };
    struct Move
    {
        QString loop;     // "open loop", "closed loop"
        QString kind;     // "relative move", "stopped on the way"
        int distance = 0; // microsteps commanded
        Deviation deviation;
    };
    QList<Step> steps() const { return m_steps; }
    int detectedResolution() const { return m_detectedResolution; } // 0 before the encoder step
    QString detectedDirection() const { return m_detectedDirection; }
    QString preset() const { return m_preset; } // empty before the closed-loop step
    QList<Move> moves() const { return m_moves; }
    Deviation finalDeviation() const { return m_deviation; }
    // The open-loop comparison's figures (LoopComparison::toJson); empty when it did not run.
    QJsonObject loopComparison() const { return m_loopComparison; }

private:
    bool timed(const QString& name, const std::function<bool()>& step);
    bool openStartUp();
    bool motorStep();
    bool encoderStep();
    bool closedLoopStep();
    bool activateClosedLoop();
    bool motionTest(const QString& loop);
    bool compareLoops();
    bool coupleLoad();
    // How far the rotor fell behind the actual position since m_start, as the encoder sees it.
    Deviation deviation() const;
    void markStart();
    // The drive's fault on axis 0 in a few words; empty without one.
    QString driveFault() const;
    QString reportDeviation(Move move);
    static bool hasLoad(const MotorPhysics::Motor& motor);
    static MotorPhysics::Motor withLoadOf(MotorPhysics::Motor motor, const MotorPhysics::Motor& load);
    void settleRotor();
    bool checkMoveEnd(const QString& loop, double microsteps);

    QWidget* page(int subWidgetId, const char* objectName) const;
    template<typename T>
    T* control(int subWidgetId, const char* pageName, const char* name) const;
    bool click(QAbstractButton* button, const QString& what);
    bool clickBoxButton(int subWidgetId, const char* pageName, const char* box, int standardButton);
    // Clicks a button that asks a modal question, answering it with Yes.
    bool clickAndAnswerYes(QAbstractButton* button, const QString& expectedQuestion);
    // Lets simulated time pass, polling the live values, until the condition holds.
    bool waitFor(const std::function<bool()>& condition, const QString& what);
    void settle(int simulatedMilliseconds);
    bool windowVisible(int subWidgetId) const;
    void screenshot(int subWidgetId, const QString& name);
    bool fail(const QString& message);
    void say(const QString& line);

    PluginHost* m_host;
    SimulatedModule* m_module;
    QTextStream* m_out;
    QDir m_screenshots;
    bool m_saveScreenshots = false;
    int m_stepTimeout = 120000;
    QString m_error;
    QString m_lastQuestion;
    bool m_compareOpenLoop = false;
    MotorPhysics::Motor m_load; // the load parts of it are coupled for the motion test
    bool m_loadCoupled = true;
    QJsonObject m_loopComparison;
    QList<Step> m_steps;
    int m_detectedResolution = 0;
    QString m_detectedDirection;
    QString m_preset;
    QList<Move> m_moves;
    Deviation m_deviation;
    Deviation m_start; // the positions the deviation counts from
    bool m_faultFails = true; // a drive fault ends the run (not in the open-loop comparison)
};
