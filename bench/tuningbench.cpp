// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The tuning's cost and the manual's pictures. Without arguments: the wall time of a
// frequency response of 30 points (three runs each) and of the tuner's whole run on one axis,
// best of three. With --pictures DIR: the whole tuning run on the three documented
// configurations, its text on standard output and its plots as PNG files in DIR, and the
// Tuning window after a whole run.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTabWidget>
#include <QTextStream>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include "autotuner.h"
#include "axisprobe.h"
#include "tuningcharts.h"
#include "simulatedmodule.h"
#include "tuningrun.h"
#include "tuningwindow.h"

namespace {
struct Configuration
{
    const char* name;
    const char* title;
    MotorPhysics::Motor motor;
};

std::vector<Configuration> configurations()
{
    MotorPhysics::Motor unloaded;
    MotorPhysics::Motor inertia;
    inertia.loadInertia = 5 * inertia.inertia;
    MotorPhysics::Motor friction;
    friction.loadTorque = 0.6 * friction.holdingTorque;
    return {{"unloaded", "default motor, unloaded", unloaded},
            {"inertia5", "load inertia 5 x the rotor's", inertia},
            {"friction60", "60 % friction load", friction}};
}

template<typename F>
double bestOf(int runs, F f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        best = std::min(best, timer.nsecsElapsed() * 1e-9);
    }
    return best;
}

void save(QtCharts::QChart* chart, const QString& path)
{
    QtCharts::QChartView view(chart);
    view.setRenderHint(QPainter::Antialiasing);
    view.resize(720, 440);
    view.grab().save(path, "PNG");
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList arguments = app.arguments();
    const int pictures = arguments.indexOf(QStringLiteral("--pictures"));
    if (pictures < 0) {
        const BenchRig rig{MotorPhysics::Motor(), {}};
        const double amplitude = FrequencyResponse::amplitudeFor(rig.microstepsPerCount(), 4 * rig.fullStep());
        const double frequency = bestOf(3, [&]() {
            AxisProbe probe(rig, SimulatedAxis::SignalPoint::Setpoint);
            FrequencyResponse::measure(probe, TuningRun::setpointFrequencies(rig.motor()), amplitude,
                                       TuningRun::FrequencyRepetitions, false);
        });
        const double tuner = bestOf(3, [&]() { AutoTuner::run(rig); });
        const double whole = bestOf(3, [&]() { TuningRun::run(rig, TuningRun::All); });
        out << QStringLiteral("frequency response, %1 points x %2 runs: %3 s\n")
                   .arg(TuningRun::FrequencyPoints)
                   .arg(TuningRun::FrequencyRepetitions)
                   .arg(frequency, 0, 'f', 2);
        out << QStringLiteral("tuner, whole run: %1 s\n").arg(tuner, 0, 'f', 2);
        out << QStringLiteral("all measurements and the tuner: %1 s\n").arg(whole, 0, 'f', 2);
        return 0;
    }
    const QDir dir(arguments.value(pictures + 1, QStringLiteral(".")));
    dir.mkpath(QStringLiteral("."));
    for (const Configuration& c : configurations()) {
        const TuningRun::Result result = TuningRun::run(BenchRig(c.motor, {}), TuningRun::All);
        out << QStringLiteral("## %1\n\n").arg(QLatin1String(c.title)) << result.text() << "\n" << Qt::flush;
        const QString base = dir.filePath(QLatin1String(c.name));
        save(TuningCharts::steps(result.setpointStep), base + QStringLiteral("-setpoint-step.png"));
        save(TuningCharts::steps(result.loadStep), base + QStringLiteral("-load-step.png"));
        const QString setpoint = QStringLiteral("At the position setpoint");
        const QString loop = QStringLiteral("At the feedback's input");
        save(TuningCharts::bode(result.setpointResponse, false, setpoint + QStringLiteral(": magnitude")),
             base + QStringLiteral("-bode-setpoint-magnitude.png"));
        save(TuningCharts::bode(result.setpointResponse, true, setpoint + QStringLiteral(": phase")),
             base + QStringLiteral("-bode-setpoint-phase.png"));
        save(TuningCharts::bode(result.loopResponse, false, loop + QStringLiteral(": magnitude")),
             base + QStringLiteral("-bode-loop-magnitude.png"));
        save(TuningCharts::bode(result.loopResponse, true, loop + QStringLiteral(": phase")),
             base + QStringLiteral("-bode-loop-phase.png"));
        save(TuningCharts::pullOut(result.pullOut), base + QStringLiteral("-pull-out.png"));
    }
    // The window after a whole run on the default motor, showing the proposal.
    SimulatedModule module;
    module.setManualClock(true);
    module.setAxisParameter(210, 0, module.trueEncoderResolution());
    module.setAxisParameter(129, 0, 1);
    module.advance(2 * SimulatedAxis::ClosedLoopInitTime);
    TuningWindow window(&module, 0);
    window.show();
    QEventLoop loop;
    QObject::connect(&window, &TuningWindow::finished, &loop, &QEventLoop::quit);
    if (window.start())
        loop.exec();
    window.tabs()->setCurrentIndex(3);
    QCoreApplication::processEvents();
    window.grab().save(dir.filePath(QStringLiteral("window.png")), "PNG");
    return 0;
}
