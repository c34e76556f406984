// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include <QCoreApplication>
#include <QJsonObject>
#include <QPointF>
#include <QString>
#include <QVector>

class SimulatedModule;

// Runs the same test move once with each of the closed-loop presets (P and I of the
// velocity correction, axis parameters 115 and 116) on one axis of a simulated module, on
// the module's manual clock, and measures each from the drive's signals sampled every
// millisecond. Afterwards every setting it changed is as it was: P, I, the maximum velocity
// (4) and acceleration (5), the clock's mode; each move is followed by one back to the start.
//
// The test move: TestRevolutions forwards at TestSpeed, accelerating at TestAcceleration
// (revolutions, per second, per second squared, turned into microsteps with the axis's own
// step angle and microsteps), measured from its start until SettleTime after the command
// arrived, on whatever load the module's motor has.
class PresetComparison
{
    Q_DECLARE_TR_FUNCTIONS(PresetComparison)
public:
    static constexpr double TestRevolutions = 2.0;
    static constexpr double TestSpeed = 2.0;         // rev/s
    static constexpr double TestAcceleration = 20.0; // rev/s^2
    static constexpr int SettleTime = 500;           // ms

    struct Preset
    {
        const char* name; // English, as the closed-loop page's buttons
        int p;
        int i;
    };
    static std::vector<Preset> presets();

    // One signal sample of the move, time in ms from its start.
    struct Sample
    {
        qint64 time;
        double followingError; // microsteps
        double current;        // % of the maximum
        bool moving;
    };
    struct Result
    {
        QString preset;
        std::vector<Sample> samples;
        double rmsError = 0;      // microsteps
        double peakError = 0;     // microsteps, absolute
        double overshoot = 0;     // microsteps the rotor went past the target, 0 if never
        double settlingTime = -1; // ms from the command's arrival until the error stays within a full step; -1: not settled
        double peakCurrent = 0;   // %
    };
    // The figures of a move in direction +1 or -1, with a full step of that many microsteps.
    static void measure(Result* result, int direction, double fullStep);

    PresetComparison(SimulatedModule* module, int motor);

    // False, with errorString(), when the axis cannot run the comparison (closed loop not
    // ready, moving, no such axis, module closed); nothing is changed then.
    bool run();
    QString errorString() const { return m_error; }
    const QVector<Result>& results() const { return m_results; }
    int motor() const { return m_motor; }
    int distance() const { return m_distance; }         // microsteps
    int speed() const { return m_speed; }               // pps
    int acceleration() const { return m_acceleration; } // pps^2
    double loadPercent() const;

    // The results as a plain English table, one line per preset, and as JSON.
    QString table() const;
    QJsonObject toJson() const;

private:
    bool check();
    bool runMove(Preset preset, Result* result);
    bool waitUntilIdle(qint64 limit);

    SimulatedModule* m_module;
    int m_motor;
    int m_distance = 0;
    int m_speed = 0;
    int m_acceleration = 0;
    double m_fullStep = 1;
    QVector<Result> m_results;
    QString m_error;
};
