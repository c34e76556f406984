// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>
#include <limits>

#include <QtTest>

#include "comparisonprotocol.h"
#include "spread.h"

namespace {

const double Nan = std::numeric_limits<double>::quiet_NaN();

} // namespace

Q_DECLARE_METATYPE(Spread::Verdict)

class TestMeasurement : public QObject
{
    Q_OBJECT

private slots:
    void spreads_data();
    void spreads();
    void figures_data();
    void figures();
    void protocol_data();
    void protocol();
    void countPhaseShiftsTheEncoder();
};

void TestMeasurement::spreads_data()
{
    QTest::addColumn<QVector<double>>("first");
    QTest::addColumn<QVector<double>>("second");
    QTest::addColumn<QVector<double>>("firstFigures"); // mean, standard deviation, lower, upper end
    QTest::addColumn<Spread::Verdict>("verdict");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("apart: lower") << QVector<double>{1, 2, 3} << QVector<double>{3.5, 4}
                                  << QVector<double>{2, 1, 1, 3} << Spread::Verdict::Lower;
    QTest::newRow("ends touch: no difference") << QVector<double>{1, 3} << QVector<double>{3, 4}
                                               << QVector<double>{2, std::sqrt(2.0), 1, 3}
                                               << Spread::Verdict::NoMeasurableDifference;
    QTest::newRow("a missing run reaches to infinity") << QVector<double>{1, Nan} << QVector<double>{50, 60}
                                                       << QVector<double>{1, 0, 1, inf}
                                                       << Spread::Verdict::NoMeasurableDifference;
    QTest::newRow("all missing is beyond every value") << QVector<double>{Nan, Nan} << QVector<double>{50, 60}
                                                       << QVector<double>{0, 0, inf, inf} << Spread::Verdict::Higher;
}

void TestMeasurement::spreads()
{
    QFETCH(QVector<double>, first);
    QFETCH(QVector<double>, second);
    QFETCH(QVector<double>, firstFigures);
    QFETCH(Spread::Verdict, verdict);
    const Spread a(std::vector<double>(first.begin(), first.end()));
    const Spread b(std::vector<double>(second.begin(), second.end()));
    QCOMPARE((QVector<double>{a.mean(), a.standardDeviation(), a.lower(), a.upper()}), firstFigures);
    QCOMPARE(a.count() + a.missing(), first.size());
    QCOMPARE(a.compare(b), verdict);
    QCOMPARE(b.compare(a), Spread::Verdict(2 - int(verdict))); // mirrored
    QCOMPARE(a.overlaps(b), verdict == Spread::Verdict::NoMeasurableDifference);
}

void TestMeasurement::figures_data()
{
    QTest::addColumn<int>("direction"); // 0: a load step
    QTest::addColumn<QVector<double>>("moving"); // following error while the ramp runs, 1 ms apart
    QTest::addColumn<QVector<double>>("after");  // and after it (or after the step)
    QTest::addColumn<QVector<double>>("figures"); // peak, overshoot, settling or recovery time; band 50
    QTest::newRow("lag settling after arrival") << 1 << QVector<double>{100, 300} << QVector<double>{300, 51, 50, 10}
                                                << QVector<double>{300, 0, 2};
    QTest::newRow("past the target forwards") << 1 << QVector<double>{200} << QVector<double>{-300, -40, 0}
                                              << QVector<double>{300, 300, 1};
    QTest::newRow("past the target backwards") << -1 << QVector<double>{-200} << QVector<double>{300, 40, 0}
                                               << QVector<double>{300, 300, 1};
    QTest::newRow("never settles") << 1 << QVector<double>{0} << QVector<double>{0, 500} << QVector<double>{500, 0, Nan};
    QTest::newRow("ramp never ends") << 1 << QVector<double>{10, 20} << QVector<double>{} << QVector<double>{20, Nan, Nan};
    QTest::newRow("load step recovers") << 0 << QVector<double>{} << QVector<double>{10, 90, -120, 30, 0}
                                        << QVector<double>{120, Nan, 4};
    QTest::newRow("load step held in the band") << 0 << QVector<double>{} << QVector<double>{10, -50, 0}
                                                << QVector<double>{50, Nan, 0};
    QTest::newRow("load step not recovered") << 0 << QVector<double>{} << QVector<double>{10, 90}
                                             << QVector<double>{90, Nan, Nan};
}

void TestMeasurement::figures()
{
    QFETCH(int, direction);
    QFETCH(QVector<double>, moving);
    QFETCH(QVector<double>, after);
    QFETCH(QVector<double>, figures);
    std::vector<BenchRig::Sample> samples;
    double squares = 0;
    const QVector<double> errors = moving + after;
    for (double error : errors) {
        BenchRig::Sample sample{qint64(samples.size() + 1), DriveSignals(), samples.size() < size_t(moving.size())};
        sample.values.followingError = error;
        samples.push_back(sample);
        squares += error * error;
    }
    using P = ComparisonProtocol;
    const P::Figures f = direction ? P::measureMove(samples, direction, 50) : P::measureLoadStep(samples, 50);
    const QVector<double> measured = direction ? QVector<double>{f[P::PeakError], f[P::Overshoot], f[P::SettlingTime]}
                                               : QVector<double>{f[P::PeakDeviation], f[P::Overshoot], f[P::RecoveryTime]};
    for (int i = 0; i < figures.size(); ++i)
        QVERIFY2(std::isnan(figures[i]) ? std::isnan(measured[i]) : measured[i] == figures[i], qPrintable(QString::number(i)));
    if (direction)
        QCOMPARE(f[P::RmsError], std::sqrt(squares / double(samples.size())));
}

// Identical variants cannot be told apart and a far gentler P is measurably worse; the same
// protocol gives the same table every time; a variant the drive refuses or a configuration
// whose closed loop cannot start is an error, not a table.
void TestMeasurement::protocol_data()
{
    QTest::addColumn<int>("encoderResolution"); // parameter 210
    QTest::addColumn<int>("secondP");
    QTest::addColumn<int>("deviationLimit"); // parameter 212 of the second variant
    QTest::addColumn<QString>("error");
    QTest::newRow("identical variants tie") << 4000 << 5000 << 0 << QString();
    QTest::newRow("a gentle P is worse") << 4000 << 200 << 0 << QString();
    QTest::newRow("the deviation limit stops every run") << 4000 << 200 << 30 << QString();
    QTest::newRow("refused value") << 4000 << 70000 << 0 << QString("the drive refuses 70000 for parameter 115");
    QTest::newRow("closed loop cannot start") << 1000 << 5000 << 0 << QString("The closed loop does not start");
}

void TestMeasurement::protocol()
{
    QFETCH(int, encoderResolution);
    QFETCH(int, secondP);
    QFETCH(int, deviationLimit);
    QFETCH(QString, error);
    MotorPhysics::Motor motor;
    motor.loadTorque = 0.3 * motor.holdingTorque;
    BenchRig rig(motor, {});
    rig.setParameter(210, encoderResolution);
    const QVector<ComparisonProtocol::Variant> variants{{"balanced", {{115, 5000}, {116, 400}}},
                                                        {"second", {{115, secondP}, {116, 400}, {212, deviationLimit}}}};
    ComparisonProtocol protocol(rig, variants, {BenchCase::fastMove(rig.motor())});
    protocol.setRepetitions(3);
    QCOMPARE(protocol.run(), error.isEmpty());
    QVERIFY2(protocol.errorString().contains(error), qPrintable(protocol.errorString()));
    if (!error.isEmpty()) {
        QVERIFY(!protocol.hasResults() && protocol.table().isEmpty());
        return;
    }
    QCOMPARE(protocol.trace(0, 0).size(), size_t(protocol.trace(0, 0).back().time));
    const QString table = protocol.table();
    QVERIFY(protocol.run());
    QCOMPARE(protocol.table(), table);
    const bool tie = secondP == 5000;
    QCOMPARE(QVector<int>({protocol.stoppedRuns(0, 0), protocol.stoppedRuns(1, 0)}), QVector<int>({0, deviationLimit ? 3 : 0}));
    // The start phase varies from run to run.
    QVERIFY(protocol.spread(0, 0, ComparisonProtocol::RmsError).standardDeviation() > 0);
    QCOMPARE(protocol.spread(1, 0, ComparisonProtocol::RmsError).mean() == protocol.spread(0, 0, ComparisonProtocol::RmsError).mean(), tie);
    QCOMPARE(protocol.mark(0, 0, ComparisonProtocol::RmsError),
             tie ? ComparisonProtocol::Mark::NoMeasurableDifference : ComparisonProtocol::Mark::Best);
    QCOMPARE(protocol.mark(1, 0, ComparisonProtocol::RmsError),
             tie ? ComparisonProtocol::Mark::NoMeasurableDifference : ComparisonProtocol::Mark::Worse);
    QVERIFY2(protocol.verdicts().constFirst().contains(tie ? "no measurable difference" : "balanced is best"), qPrintable(table));
}

QTEST_GUILESS_MAIN(TestMeasurement)
// The count phase is part of the start state: half a count turns the encoder's disc against
// the rotor, so the same rotor reads other counts.
void TestMeasurement::countPhaseShiftsTheEncoder()
{
    auto offset = [](double countPhase) {
        BenchRig rig(MotorPhysics::Motor(), {});
        rig.setParameter(210, 4000);
        if (!rig.prepare(0.0, countPhase))
            return Nan;
        const double counts = rig.axis().physics().rotorPosition() / rig.microstepsPerCount();
        return rig.axis().value(209) - counts;
    };
    const double shift = offset(0.5) - offset(0.0);
    // Not a whole number of counts: the rotor rests where the shifted disc's counts put it.
    QVERIFY2(std::abs(shift - std::round(shift)) > 0.1, qPrintable(QString::number(shift)));
}

#include "tst_measurement.moc"
