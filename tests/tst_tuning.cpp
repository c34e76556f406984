// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>
#include <complex>

#include <QTabWidget>
#include <QTableWidget>
#include <QtCharts/QChartView>
#include <QtTest>

#include "autotuner.h"
#include "benchmovecase.h"
#include "frequencyresponse.h"
#include "responseprobe.h"
#include "simulateddrive.h"
#include "simulatedmodule.h"
#include "tuningwindow.h"

using Parameters = QList<QPair<int, int>>;

namespace {
const double Pi = 3.14159265358979323846;

// A mass on a spring whose anchor is the input: x'' = wn^2 (u - x) - 2 zeta wn x'. Integrated
// in fine steps (RK4), the output unquantised.
class MassSpring : public ResponseProbe
{
public:
    MassSpring(double naturalFrequency, double damping)
        : m_w(2 * Pi * naturalFrequency)
        , m_zeta(damping)
    {
    }
    bool begin(double phase) override
    {
        m_x = 0.01 * phase; // a start off rest, which the transient must forget
        m_v = 0.0;
        m_signal = Signal();
        return true;
    }
    void setInput(Signal signal) override
    {
        m_signal = std::move(signal);
        m_t = 0.0;
    }
    void advance(int milliseconds) override
    {
        const double h = 1e-5;
        for (int k = 0; k < milliseconds * 100; ++k) {
            auto accel = [this](double t, double x, double v) { return m_w * m_w * (input(t) - x) - 2 * m_zeta * m_w * v; };
            const double a1 = accel(m_t, m_x, m_v);
            const double a2 = accel(m_t + h / 2, m_x + h / 2 * m_v, m_v + h / 2 * a1);
            const double a3 = accel(m_t + h / 2, m_x + h / 2 * (m_v + h / 2 * a1), m_v + h / 2 * a2);
            const double a4 = accel(m_t + h, m_x + h * (m_v + h / 2 * a2), m_v + h * a3);
            m_x += h * (m_v + h / 6 * (a1 + a2 + a3));
            m_v += h / 6 * (a1 + 2 * a2 + 2 * a3 + a4);
            m_t += h;
        }
    }
    double output() const override { return m_x; }
    double quantum() const override { return 1e-9; }
    std::complex<double> exact(double f) const
    {
        const double w = 2 * Pi * f;
        return m_w * m_w / std::complex<double>(m_w * m_w - w * w, 2 * m_zeta * m_w * w);
    }

private:
    double input(double t) const
    {
        double offset = 0.0;
        double rate = 0.0;
        if (m_signal)
            m_signal(t, &offset, &rate);
        return offset;
    }
    double m_w;
    double m_zeta;
    double m_x = 0.0;
    double m_v = 0.0;
    double m_t = 0.0;
    Signal m_signal;
};

BenchRig defaultRig(const Parameters& parameters = {})
{
    return BenchRig(MotorPhysics::Motor(), parameters);
}
} // namespace

class TestTuning : public QObject
{
    Q_OBJECT
private slots:
    void frequencyResponseRecoversKnownSystem_data();
    void frequencyResponseRecoversKnownSystem();
    void standstillCheck_data();
    void standstillCheck();
    void tunerIsStableAndReproducible();
    void windowRunsAndCancelsOnACopy();
};

void TestTuning::frequencyResponseRecoversKnownSystem_data()
{
    QTest::addColumn<double>("naturalFrequency");
    QTest::addColumn<double>("damping");
    QTest::newRow("lightly damped, 60 Hz: resonance peak") << 60.0 << 0.1;
    QTest::newRow("well damped, 150 Hz") << 150.0 << 0.7;
}

void TestTuning::frequencyResponseRecoversKnownSystem()
{
    QFETCH(double, naturalFrequency);
    QFETCH(double, damping);
    MassSpring system(naturalFrequency, damping);
    const FrequencyResponse::Result result
        = FrequencyResponse::measure(system, FrequencyResponse::logSpaced(2.0, 400.0, 12), 1.0, 2, true);
    QVERIFY(result.complete);
    for (const FrequencyResponse::Point& point : result.points) {
        const std::complex<double> exact = system.exact(point.frequency);
        const double magnitude = std::pow(10.0, point.magnitude.mean() / 20.0);
        QVERIFY2(std::abs(magnitude / std::abs(exact) - 1.0) < 0.05, qPrintable(QString::number(point.frequency)));
        QVERIFY2(std::abs(point.phase.mean() - std::arg(exact) * 180 / Pi) < 5.0,
                 qPrintable(QString::number(point.frequency)));
    }
    // The resonance and the bandwidth of a second-order system, where they are within the range.
    const double peak = damping < 0.7 ? -20 * std::log10(2 * damping * std::sqrt(1 - damping * damping)) : 0.0;
    QVERIFY(std::abs(result.peak - peak) < 1.0);
    QVERIFY(result.bandwidth > naturalFrequency);
}

void TestTuning::standstillCheck_data()
{
    QTest::addColumn<Parameters>("parameters");
    QTest::addColumn<bool>("hunts");
    QTest::newRow("catalogue defaults hold still") << Parameters() << false;
    // At the full current the rotor rings at about 230 Hz, where a lagging velocity damping
    // would feed it: the aggressive preset must hold still in every start phase.
    QTest::newRow("aggressive preset holds still") << Parameters{{115, 10000}, {116, 1500}} << false;
    QTest::newRow("gains at their maximum, no tolerance: limit cycle")
        << Parameters{{115, 65535}, {116, 65535}, {125, 0}} << true;
}

void TestTuning::standstillCheck()
{
    QFETCH(Parameters, parameters);
    QFETCH(bool, hunts);
    const BenchMoveCase::Result result = BenchMoveCase::run(defaultRig(parameters), 5);
    QCOMPARE(result.limitCycle, hunts);
    QCOMPARE(result.holds(), !hunts);
}

void TestTuning::tunerIsStableAndReproducible()
{
    const AutoTuner::Result first = AutoTuner::run(defaultRig());
    QVERIFY(first.complete);
    QVERIFY(!first.proposal.isEmpty());
    QVERIFY(first.stable);
    QVERIFY(first.proposalLoop.phaseMargin >= AutoTuner::RequiredPhaseMargin);
    QVERIFY(first.moves.back().holds());
    QVERIFY(first.bestPresetHolds());
    // Offered only where the proposal's whole range lies below the best preset's.
    QCOMPARE(first.offered, first.rms(AutoTuner::Proposal).upper() < first.rms(first.best).lower());
    const AutoTuner::Result second = AutoTuner::run(defaultRig());
    QCOMPARE(second.proposal, first.proposal);
    QCOMPARE(second.offered, first.offered);
    QCOMPARE(second.rms(AutoTuner::Proposal).mean(), first.rms(AutoTuner::Proposal).mean());
}

// The window measures a copy: a whole run fills the proposal table; a cancelled one leaves
// the live axis at rest with its settings as they were.
void TestTuning::windowRunsAndCancelsOnACopy()
{
    SimulatedModule module;
    module.setManualClock(true);
    SimulatedDrive* drive = module.drive();
    drive->setAxisParameter(210, 0, drive->trueEncoderResolution());
    drive->setAxisParameter(129, 0, 1);
    module.advance(2 * SimulatedAxis::ClosedLoopInitTime);
    QCOMPARE(drive->axis(0)->value(133), 1);
    const QList<int> numbers = drive->catalogue().numbers();
    QList<int> before;
    for (int number : numbers)
        before.append(drive->axis(0)->value(number));
    const double rotor = drive->axis(0)->physics().rotorPosition();

    TuningWindow window(&module, 0);
    QSignalSpy finished(&window, &TuningWindow::finished);
    QVERIFY(window.start());
    QVERIFY(finished.wait(60000));
    QVERIFY(!window.result().cancelled);
    QCOMPARE(window.proposalTable()->columnCount(), 5);
    QVERIFY(window.tabs()->widget(1)->findChildren<QtCharts::QChartView*>().size() == 4);

    QVERIFY(window.start());
    window.cancel();
    QVERIFY(finished.wait(60000));
    QVERIFY(!window.isRunning());
    // The whole run's results stay shown; the live axis was never touched.
    QCOMPARE(window.proposalTable()->columnCount(), 5);
    QVERIFY(!drive->axis(0)->isMoving());
    QCOMPARE(drive->axis(0)->physics().rotorPosition(), rotor);
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(drive->axis(0)->value(numbers[i]), before[i]);
}

QTEST_MAIN(TestTuning)
#include "tst_tuning.moc"
