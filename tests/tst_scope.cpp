// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>
#include <iterator>

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include "axisticks.h"
#include "command.h"
#include "filedialogdates.h"
#include "mainwindow.h"
#include "pluginhost.h"
#include "presetcomparison.h"
#include "scopepane.h"
#include "scoperecorder.h"
#include "scopewindow.h"
#include "signaltap.h"
#include "simulatedmodule.h"
#include "toolwindow.h"
#include "tracepoller.h"
#include "translations.h"
#include "windowlayout.h"

QT_CHARTS_USE_NAMESPACE

namespace {

// The start-up tool's live values in the order it polls them.
const char* const LiveValues[] = {"measured velocity", "target velocity", "encoder position", "position reached",
                                  "closed loop ready"};
// The drive's fast signals, in the order the feed makes them.
const char* const FastSignals[] = {"rotor velocity", "correction velocity", "following error", "load angle",
                                   "current amplitude", "current scaler", "moving"};

void processEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The real workbench on the simulated module's manual clock: the Start Up window open, its
// live values polled only by round().
struct Bench
{
    MainWindow window;
    SimulatedModule* module = window.module();

    bool start()
    {
        module->setManualClock(true);
        window.setPollPeriod(24 * 3600 * 1000);
        if (!window.loadPlugin(GV7_PLUGIN_PATH))
            return false;
        window.show();
        window.createTools();
        return activateStartUp();
    }
    bool activateStartUp()
    {
        processEvents();
        window.pluginHost()->windowOf(50)->activateWindow();
        processEvents();
        return window.pluginHost()->poller()->activeTraces() == int(std::size(LiveValues));
    }
    void round(int milliseconds)
    {
        module->advance(milliseconds);
        window.pluginHost()->poller()->pollOnce();
    }
};

// Samples every 100 ms from `from` to `to` ms into "a" (time / 100) and "b" (always 5).
void fill(ScopeRecorder& recorder, qint64 to, qint64 from = 0)
{
    for (qint64 t = from; t <= to; t += 100) {
        recorder.addSample("a", t, double(t / 100));
        recorder.addSample("b", t, 5);
    }
}

QString csvText(ScopeRecorder& recorder, qint64 from = std::numeric_limits<qint64>::min(),
                qint64 to = std::numeric_limits<qint64>::max())
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return recorder.writeCsv(&buffer, from, to) ? QString::fromUtf8(buffer.data()) : QString();
}

// The rows after the comment on the origin.
QStringList csvRows(ScopeRecorder& recorder)
{
    return csvText(recorder).section('\n', 1).split('\n', Qt::SkipEmptyParts);
}

// Axis 0 in closed loop, ready, standing.
bool closeLoop(SimulatedModule& module)
{
    module.setManualClock(true);
    module.setAxisParameter(140, 0, 8);
    module.setAxisParameter(210, 0, module.trueEncoderResolution());
    module.setAxisParameter(129, 0, 1);
    module.advance(int(SimulatedAxis::ClosedLoopInitTime) + 100);
    return module.getAxisParameter(133, 0) == 1;
}

} // namespace

class TestScope : public QObject
{
    Q_OBJECT

private slots:
    void recordsWhatThePollerDelivers();
    void replyFilter_data();
    void replyFilter();
    void viewWindow_data();
    void viewWindow();
    void window();
    void memoryBoundDropsToNineTenths();
    void scales_data();
    void scales();
    void csvUnitsAndRounding_data();
    void csvUnitsAndRounding();
    void singleCaptureOfAMove();
    void cursorReadout_data();
    void cursorReadout();
    void comparisonFigures_data();
    void comparisonFigures();
    void comparisonRestoresSettings_data();
    void comparisonRestoresSettings();
    void germanLegend();
};

void TestScope::recordsWhatThePollerDelivers()
{
    Bench bench;
    QVERIFY(bench.start());
    bench.window.findChild<QAction*>("actScope")->trigger();
    ScopeRecorder* recorder = bench.window.scope()->recorder();
    QVERIFY(bench.window.scope()->isVisible());
    QList<QPair<qint64, QString>> delivered; // every reply delivered: when, and the rest of its CSV row
    connect(bench.window.pluginHost()->poller(), &TracePoller::replyDelivered, recorder, [&](QObject*, Command reply) {
        const QString name = ScopeRecorder::seriesName(reply.type(), 0);
        delivered.append({bench.module->now(), QString(",%1,%2,%3").arg(name, recorder->unit(name),
                                                                        ScopeKind::format(recorder->unit(name), reply.value()))});
    });
    recorder->setWindowLength(10000);
    const qint64 start = bench.module->now();
    bench.module->setAxisParameter(0, 0, 100000); // a move, so that the values change
    for (int step : {50, 100, 333, 7000, 40000, 1, 0, 100})
        bench.round(step);
    QStringList names(std::begin(FastSignals), std::end(FastSignals));
    QCOMPARE(recorder->seriesNames(), names << QStringList(std::begin(LiveValues), std::end(LiveValues)));
    // The fast signals: one sample per simulated millisecond.
    QCOMPARE(qint64(recorder->sampleCount("following error")), bench.module->now() - start);

    // Times count from the latest sample, whose time the comment gives.
    QCOMPARE(csvText(*recorder).section('\n', 0, 0),
             QString("# time 0: the latest sample shown, at %1 ms of the module's clock").arg(bench.module->now()));
    QStringList expected;
    for (const auto& [time, rest] : qAsConst(delivered))
        expected << QString::number(time - bench.module->now()) + rest;
    QStringList rows = csvRows(*recorder);
    QCOMPARE(rows.takeFirst(), QString("time_ms,series,unit,value"));
    static const QRegularExpression fast(QStringLiteral(",(rotor velocity|correction velocity|following error|load angle|"
                                                        "current amplitude|current scaler|moving),"));
    rows.erase(std::remove_if(rows.begin(), rows.end(), [](const QString& row) { return row.contains(fast); }), rows.end());
    // Replies of rounds at the same time may interleave.
    std::sort(rows.begin(), rows.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(rows, expected);

    // New tools (another firmware) bring a new poller; the scope follows it.
    const int before = recorder->sampleCount("encoder position");
    bench.window.setFirmwareName("7391");
    QVERIFY(bench.activateStartUp());
    bench.round(100);
    QCOMPARE(recorder->sampleCount("encoder position"), before + 1);

    // The scope is a tool window like the others: a window opened after it comes to the front.
    bench.window.openScope();
    processEvents();
    bench.window.pluginHost()->windowOf(51)->activateWindow();
    processEvents();
    QCOMPARE(bench.window.area()->subWindowList(QMdiArea::StackingOrder).last(), bench.window.pluginHost()->windowOf(51));
}

void TestScope::replyFilter_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("motor");
    QTest::addColumn<QString>("series"); // empty: no sample
    QTest::newRow("measured velocity") << 6 << 100 << 3 << 0 << "measured velocity";
    QTest::newRow("closed loop ready, a flag") << 6 << 100 << 133 << 0 << "closed loop ready";
    QTest::newRow("another motor") << 6 << 100 << 209 << 2 << "encoder position (motor 2)";
    QTest::newRow("unnamed parameter") << 6 << 100 << 4 << 0 << "parameter 4";
    QTest::newRow("failed read") << 6 << 3 << 3 << 0 << "";
    QTest::newRow("not a read") << 5 << 100 << 3 << 0 << "";
}

void TestScope::replyFilter()
{
    QFETCH(int, command);
    QFETCH(int, status);
    QFETCH(int, type);
    QFETCH(int, motor);
    QFETCH(QString, series);
    ScopeRecorder recorder;
    Command reply(1, quint8(command), quint8(type), quint8(motor), 77);
    reply.setStatus(status);
    recorder.recordReply(reply);
    QCOMPARE(recorder.seriesNames(), series.isEmpty() ? QStringList() : QStringList(series));
    if (!series.isEmpty()) {
        QCOMPARE(recorder.viewPoints(series, 0), QVector<QPointF>({QPointF(0, 77)}));
        QCOMPARE(recorder.isFlag(series), type == 133);
        QCOMPARE(recorder.latestMotor(), motor);
    }
}

void TestScope::viewWindow_data()
{
    QTest::addColumn<qint64>("window");
    QTest::addColumn<int>("maxPoints");
    QTest::addColumn<int>("points");    // of "a"
    QTest::addColumn<double>("firstX"); // s before the latest
    // 15 min of samples, 100 ms apart; the sample before the window comes along.
    QTest::newRow("1 min") << qint64(60000) << 0 << 602 << -60.1;
    QTest::newRow("shorter than 100 ms") << qint64(10) << 0 << 3 << -0.2;
    QTest::newRow("longer than 10 min") << qint64(3600000) << 0 << 6002 << -600.1;
    QTest::newRow("10 min thinned") << qint64(600000) << 200 << 200 << -600.1;
}

void TestScope::viewWindow()
{
    QFETCH(qint64, window);
    QFETCH(int, maxPoints);
    ScopeRecorder recorder;
    fill(recorder, 899900);
    recorder.addSample("a", 900000, 1e6); // a spike on the last sample survives thinning
    recorder.setWindowLength(window);
    const QVector<QPointF> view = recorder.viewPoints("a", maxPoints);
    QTEST(int(view.size()), "points");
    QTEST(view.first().x(), "firstX");
    QCOMPARE(view.last(), QPointF(0, 1e6));
    double low = 0, high = 0;
    QVERIFY(recorder.valueRange(ScopeKind::Other, &low, &high));
    QCOMPARE(QPointF(low, high), QPointF(5, 1e6));
}

void TestScope::window()
{
    ScopeWindow scope;
    scope.show();
    ScopeRecorder* recorder = scope.recorder();
    recorder->setWindowLength(60000);
    fill(*recorder, 20000);
    recorder->addSample("position reached", 20000, 1);
    processEvents(); // the legend places its entries
    scope.refresh();
    QLineSeries* a = scope.series("a");
    ScopePane* other = scope.pane(ScopeKind::Other);
    QVERIFY(other->isVisible() && scope.pane(ScopeKind::Flag)->isVisible() && !scope.pane(ScopeKind::Velocity)->isVisible());
    QCOMPARE(scope.pane(ScopeKind::Flag)->line("position reached"), scope.series("position reached"));
    auto* values = qobject_cast<QValueAxis*>(other->chart()->axes(Qt::Vertical).first());
    QVERIFY(values->max() >= 200);
    QTemporaryDir dir;
    QString error;
    QVERIFY2(scope.savePicture(dir.filePath("scope.png"), &error), qPrintable(error));
    QCOMPARE(QImage(dir.filePath("scope.png")).size(), scope.findChild<QSplitter*>("panes")->size());
    QVERIFY(recorder->saveCsv(dir.filePath("scope.csv"), &error));
    QCOMPARE(QFileInfo(dir.filePath("scope.csv")).size(), csvText(*recorder).toUtf8().size());
    const QString missing = dir.filePath("no/such/dir/scope");
    QVERIFY(!scope.savePicture(missing + ".png", &error) && error.contains(missing));
    QVERIFY(!recorder->saveCsv(missing + ".csv", &error) && error.contains(missing));

    // The panes' plot areas line up, so that one time is one x in all of them.
    const QRectF flagPlot = scope.pane(ScopeKind::Flag)->chart()->plotArea();
    QCOMPARE(other->chart()->plotArea().left(), flagPlot.left());
    QCOMPARE(other->chart()->plotArea().right(), flagPlot.right());

    // A click on the legend hides the series, and the autoscale follows the shown ones only;
    // a flat series is not scaled up to its rounding noise.
    QToolButton* entry = other->legendEntry("a");
    entry->click();
    QVERIFY(!a->isVisible() && entry->isVisible() && !recorder->isSeriesVisible("a"));
    QCOMPARE(other->valueLabels(), QStringList({"4.995", "5.000", "5.005"}));
    entry->click();
    QVERIFY(a->isVisible() && values->max() >= 200);

    // A Shift-click places cursor 2 at the time under the mouse, here the middle of the minute shown.
    ScopePane* flags = scope.pane(ScopeKind::Flag);
    const QPoint middle = flags->view()->mapFromScene(flags->chart()->plotArea().center());
    QTest::mouseClick(flags->view()->viewport(), Qt::LeftButton, Qt::ShiftModifier, middle);
    QVERIFY(scope.cursorsShown() && qAbs(scope.cursor(1) + 30000) < 500);

    // Moved to another pane, a series is drawn there and scales it; a collapsed pane keeps its place.
    scope.moveSeries("a", ScopeKind::Angle);
    QVERIFY(!other->line("a") && scope.pane(ScopeKind::Angle)->line("a") && scope.pane(ScopeKind::Angle)->isVisible());
    QVERIFY(values->max() < 50);
    other->setCollapsed(true);
    QVERIFY(other->isVisible() && !other->view()->isVisible());

    auto* pause = scope.findChild<QPushButton*>("btnPause");
    pause->click();
    fill(*recorder, 90000, 20100);
    scope.refresh();
    a = scope.series("a");
    QCOMPARE(recorder->sampleCount("a"), 901);
    QCOMPARE(a->at(a->count() - 1), QPointF(0, 200));
    pause->click();
    scope.refresh();
    QCOMPARE(a->at(a->count() - 1), QPointF(0, 900));

    scope.findChild<QPushButton*>("btnClear")->click();
    QCOMPARE(recorder->sampleCount(), 0);
    QCOMPARE(a->count(), 0);
    QVERIFY(scope.isAutoscaling());
    auto* angles = qobject_cast<QValueAxis*>(scope.pane(ScopeKind::Angle)->chart()->axes(Qt::Vertical).first());
    angles->setRange(0, 10); // as a zoom does
    QVERIFY(!scope.isAutoscaling());
}

void TestScope::memoryBoundDropsToNineTenths()
{
    ScopeRecorder recorder;
    recorder.setCapacity(1000);
    fill(recorder, 50000); // 501 samples each, 1002 in all: full at the 1001st
    QCOMPARE(recorder.sampleCount(), 901);
    QCOMPARE(recorder.discardedSamples(), qint64(101));
    // The oldest went first, from both series alike: what is kept is the newest samples.
    QCOMPARE(csvRows(recorder).at(1), QString("-45000,b,,5"));
    recorder.addSample("a", 60000, 1); // no new drop until full again
    QCOMPARE(recorder.sampleCount(), 902);
}

void TestScope::scales_data()
{
    QTest::addColumn<QVector<double>>("range"); // lowest, highest value, least span, most intervals
    QTest::addColumn<QString>("labels");         // the ticks as German labels
    QTest::newRow("flat at zero: one microstep, not the noise") << QVector<double>{-2e-11, 1e-11, 1, 4} << "-0,5 0,0 0,5";
    QTest::newRow("across zero, room for one interval") << QVector<double>{-7317.6, 74358.8, 10, 1} << "-100000 0 100000";
    QTest::newRow("round limits, no group separator") << QVector<double>{0, 33747, 10, 4} << "0 10000 20000 30000 40000";
    QTest::newRow("flat away from zero") << QVector<double>{5, 5, 0.01, 4} << "4,995 5,000 5,005";
}

void TestScope::scales()
{
    QFETCH(QVector<double>, range);
    const AxisTicks::Scale scale = AxisTicks::fitted(range[0], range[1], range[2], int(range[3]));
    QStringList labels;
    const QVector<double> ticks = AxisTicks::ticks(scale.low, scale.high, scale.step);
    for (double tick : ticks)
        labels << AxisTicks::label(tick, scale.step, QLocale(QLocale::German));
    QTEST(labels.join(' '), "labels");
}

void TestScope::csvUnitsAndRounding_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("row");
    QTest::newRow("velocity to 0.1 pps") << "measured velocity" << 161.999999999372 << "0,measured velocity,pps,162.0";
    QTest::newRow("tiny negative error, no -0") << "following error" << -1.42e-11 << "0,following error,microsteps,0.0";
    QTest::newRow("whole counts") << "encoder position" << 1234.4 << "0,encoder position,counts,1234";
    QTest::newRow("load angle to 0.1 degree") << "load angle" << -12.345 << "0,load angle,deg el,-12.3";
    QTest::newRow("percent") << "current scaler" << 99.96 << "0,current scaler,%,100.0";
    QTest::newRow("flag") << "closed loop ready" << 1.0 << "0,closed loop ready,0/1,1";
    QTest::newRow("unknown, no unit") << "parameter 4" << 2.5 << "0,parameter 4,,2.5";
    QTest::newRow("another motor") << "load angle (motor 2)" << 0.04 << "0,load angle (motor 2),deg el,0.0";
}

void TestScope::csvUnitsAndRounding()
{
    QFETCH(QString, series);
    QFETCH(double, value);
    ScopeRecorder recorder;
    recorder.addSample(series, 7, value);
    QTEST(csvRows(recorder).value(1), "row");
}

void TestScope::singleCaptureOfAMove()
{
    Bench bench;
    QVERIFY(bench.start());
    bench.window.openScope();
    ScopeWindow* scope = bench.window.scope();
    ScopeRecorder* recorder = scope->recorder();
    scope->findChild<QComboBox*>("cbWindow")->setCurrentIndex(ScopeRecorder::windowChoices().indexOf(500));
    scope->findChild<QSpinBox*>("sbPreTrigger")->setValue(100);
    scope->findChild<QComboBox*>("cbTriggerMode")->setCurrentIndex(3); // single, on the start of a motion
    bench.round(300);
    QCOMPARE(recorder->trigger().state(recorder->latestTime()), ScopeTrigger::State::Waiting);
    const qint64 start = bench.module->now();
    bench.module->setAxisParameter(0, 0, 1000); // over in less than 300 ms
    for (int i = 0; i < 5; ++i)
        bench.round(100);
    // A second move does not trigger again: the capture is frozen.
    bench.module->setAxisParameter(0, 0, 0);
    for (int i = 0; i < 10; ++i)
        bench.round(100);
    const ScopeTrigger& trigger = recorder->trigger();
    QCOMPARE(trigger.state(recorder->latestTime()), ScopeTrigger::State::Stopped);
    QCOMPARE(trigger.triggerTime(), start + 1);
    QCOMPARE(recorder->viewStart(), start + 1 - 100);
    QCOMPARE(recorder->viewEnd(), start + 1 + 400);
    // Every millisecond of the capture, 100 of them before the trigger, in full resolution.
    const QVector<QPointF> points = recorder->viewPoints("moving", 0);
    QCOMPARE(points.size(), 502); // with the sample before the window
    for (int i = 1; i < points.size(); ++i)
        QCOMPARE(qRound((points[i].x() - points[i - 1].x()) * 1000), 1);
    QCOMPARE(points[101], QPointF(0, 1));
    QCOMPARE(points[100], QPointF(-0.001, 0));
    // Exported, the capture counts from the trigger, whose time the comment gives.
    const QStringList capture = csvText(*recorder, trigger.captureStart(), trigger.captureEnd()).split('\n');
    QCOMPARE(capture.at(0), QString("# time 0: the trigger, at %1 ms of the module's clock").arg(start + 1));
    QVERIFY(capture.at(2).startsWith("-100,"));
    QVERIFY(capture.contains("0,moving,0/1,1") && capture.contains("-1,moving,0/1,0"));
    // A flag is drawn as steps, never as a ramp between two samples.
    const QVector<QPointF> drawn = scope->series("moving")->pointsVector();
    QVERIFY(drawn.size() > 2);
    for (int i = 1; i < drawn.size(); ++i)
        QVERIFY(drawn[i].y() == drawn[i - 1].y() || drawn[i].x() == drawn[i - 1].x());
    // A falling slope triggers on the fall only.
    ScopeTrigger falling;
    falling.setSettings({ScopeTrigger::Mode::Normal, "moving", 0.5, ScopeTrigger::Slope::Falling, 0});
    QVERIFY(!falling.offer("moving", 0, 1, 1) && falling.offer("moving", 1, 0, 2));
}

void TestScope::cursorReadout_data()
{
    QTest::addColumn<double>("cursor1"); // ms from the latest sample
    QTest::addColumn<double>("cursor2");
    QTest::addColumn<QStringList>("cells"); // at C1, at C2, difference
    // "following error" is t / 100 + 0.04 every 100 ms up to 20 s.
    QTest::newRow("on samples") << -5000.0 << 0.0 << QStringList{"150.0", "200.0", "50.0"};
    QTest::newRow("between samples: the one before") << -5050.0 << -1.0 << QStringList{"149.0", "199.0", "50.0"};
    QTest::newRow("before the first sample") << -30000.0 << -19900.0 << QStringList{"", "1.0", ""};
}

void TestScope::cursorReadout()
{
    QFETCH(double, cursor1);
    QFETCH(double, cursor2);
    QFETCH(QStringList, cells);
    ScopeWindow scope;
    scope.show();
    ScopeRecorder* recorder = scope.recorder();
    recorder->setWindowLength(10000);
    for (qint64 t = 0; t <= 20000; t += 100)
        recorder->addSample("following error", t, t / 100.0 + 0.04);
    scope.setCursorsShown(true);
    scope.setCursor(0, cursor1);
    scope.setCursor(1, cursor2);
    auto* readout = scope.findChild<QTableWidget*>("twReadout");
    QCOMPARE(readout->rowCount(), 1);
    const auto text = [readout](int column) { return readout->item(0, column) ? readout->item(0, column)->text() : QString(); };
    QCOMPARE((QStringList{text(ScopeWindow::Cursor1Column), text(ScopeWindow::Cursor2Column), text(ScopeWindow::DeltaColumn)}),
             cells);
    QCOMPARE(scope.findChild<QLabel*>("lblDelta")->text(), QString("Δt = %1 ms").arg(cursor2 - cursor1));
    // The visible part: the last 10 s, from 100.0 to 200.0.
    double squares = 0;
    for (int i = 100; i <= 200; ++i)
        squares += (i + 0.04) * (i + 0.04);
    QCOMPARE((QStringList{text(ScopeWindow::MinimumColumn), text(ScopeWindow::MaximumColumn), text(ScopeWindow::RmsColumn)}),
             (QStringList{"100.0", "200.0", QString::number(std::sqrt(squares / 101), 'f', 1)}));
}

void TestScope::comparisonFigures_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QVector<double>>("moving"); // following error while the command moves, 1 ms apart
    QTest::addColumn<QVector<double>>("after");  // and after it arrived
    QTest::addColumn<QVector<double>>("figures"); // peak, overshoot, settling time; a full step is 256
    QTest::newRow("lag settling after arrival") << 1 << QVector<double>{100, 300} << QVector<double>{300, 257, 256, 10}
                                                << QVector<double>{300, 0, 2};
    QTest::newRow("within a step on arrival") << 1 << QVector<double>{-400, 50} << QVector<double>{20, 0}
                                              << QVector<double>{400, 0, 0};
    QTest::newRow("past the target forwards") << 1 << QVector<double>{200} << QVector<double>{-300, -40, 0}
                                              << QVector<double>{300, 300, 1};
    QTest::newRow("past the target backwards") << -1 << QVector<double>{-200} << QVector<double>{300, 40, 0}
                                               << QVector<double>{300, 300, 1};
    QTest::newRow("never settles") << 1 << QVector<double>{0} << QVector<double>{0, 500} << QVector<double>{500, 0, -1};
}

void TestScope::comparisonFigures()
{
    QFETCH(int, direction);
    QFETCH(QVector<double>, moving);
    QFETCH(QVector<double>, after);
    QFETCH(QVector<double>, figures);
    PresetComparison::Result result;
    double squares = 0;
    const QVector<double> errors = moving + after;
    for (double error : errors) {
        const bool stillMoving = result.samples.size() < size_t(moving.size());
        result.samples.push_back({qint64(result.samples.size() + 1), error, stillMoving ? 60.0 : 20.0, stillMoving});
        squares += error * error;
    }
    PresetComparison::measure(&result, direction, 256);
    QCOMPARE((QVector<double>{result.peakError, result.overshoot, result.settlingTime}), figures);
    QCOMPARE(result.rmsError, std::sqrt(squares / double(result.samples.size())));
    QCOMPARE(result.peakCurrent, 60.0);
}

void TestScope::comparisonRestoresSettings_data()
{
    QTest::addColumn<bool>("ready");
    QTest::newRow("closed loop ready") << true;
    QTest::newRow("open loop: refused, nothing changed") << false;
}

void TestScope::comparisonRestoresSettings()
{
    QFETCH(bool, ready);
    SimulatedModule module;
    QCOMPARE(closeLoop(module), true);
    if (!ready)
        module.setAxisParameter(129, 0, 0);
    const int changed[] = {115, 116, 4, 5};
    const int settings[] = {1234, 56, 40000, 300000};
    for (size_t i = 0; i < std::size(changed); ++i)
        module.setAxisParameter(quint8(changed[i]), 0, settings[i]);
    module.setManualClock(false);
    const int position = module.getAxisParameter(1, 0);

    PresetComparison comparison(&module, 0);
    QCOMPARE(comparison.run(), ready);
    QCOMPARE(comparison.errorString().isEmpty(), ready);
    for (size_t i = 0; i < std::size(changed); ++i)
        QCOMPARE(module.getAxisParameter(quint8(changed[i]), 0), settings[i]);
    QVERIFY(!module.isManualClock());
    QCOMPARE(module.getAxisParameter(1, 0), position);
    QCOMPARE(SignalTap::of(&module)->listenerCount(), 0);
    QCOMPARE(comparison.results().size(), ready ? 3 : 0);
    for (const PresetComparison::Result& result : comparison.results()) {
        // From the start of the move, every millisecond, until the settling time after it.
        QVERIFY(result.samples.size() > 1000);
        QCOMPARE(result.samples.back().time, qint64(result.samples.size()));
        QVERIFY(!result.samples.back().moving && result.peakCurrent > 0);
    }
    static const QRegularExpression row("\\naggressive +[0-9.]+ +[0-9.]+ +[0-9.]+ +([0-9]+|no) +[0-9.]+\\n");
    if (ready)
        QVERIFY(comparison.table().contains(row));
}

// Needs the German texts of the scope in the workbench's catalogue.
void TestScope::germanLegend()
{
    Translations translations;
    QVERIFY(translations.setLanguage("de"));
    translations.installApplication();
    ScopeWindow scope;
    scope.recorder()->addSample("measured velocity", 0, 1);
    const QString legend = scope.series("measured velocity")->name();
    QCOMPARE(legend, QString("gemessene Geschwindigkeit [pps]"));
    // Axis numbers with the German decimal comma; a following error that reads 0.0 spans one microstep.
    scope.show();
    scope.recorder()->addSample("following error", 0, 1e-11);
    scope.recorder()->addSample("following error", 10, -2e-11);
    processEvents(); // the panes take their heights
    scope.refresh();
    QCOMPARE(scope.pane(ScopeKind::Position)->valueLabels(), QStringList({"-0,5", "0,0", "0,5"}));
    // The file dialogs' dates too, though the system's language is another.
    QTemporaryDir dir;
    QFileSystemModel files;
    const QModelIndex root = files.setRootPath(dir.path());
    QFile(dir.filePath("a.csv")).open(QIODevice::WriteOnly);
    QTRY_COMPARE(files.rowCount(root), 1);
    FileDialogDates dates;
    dates.setSourceModel(&files);
    const QDateTime modified = files.lastModified(files.index(0, 0, root));
    QCOMPARE(dates.data(dates.mapFromSource(files.index(0, 3, root))).toString(),
             modified.toString("dd.MM.yy HH:mm"));
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestScope)
#include "tst_scope.moc"
