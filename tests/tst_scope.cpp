#include <QAction>
#include <QFile>
#include <QLegendMarker>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <QtTest>

#include <iterator>

#include "command.h"
#include "mainwindow.h"
#include "pluginhost.h"
#include "scoperecorder.h"
#include "scopewindow.h"
#include "simulatedmodule.h"
#include "toolwindow.h"
#include "tracepoller.h"

QT_CHARTS_USE_NAMESPACE

namespace {

// The start-up tool's live values in the order it polls them, with their axis parameters.
const struct
{
    const char* name;
    int type;
} LiveValues[] = {{"measured velocity", 3}, {"target velocity", 2}, {"encoder position", 209},
                  {"position reached", 8}, {"closed loop ready", 133}};

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
    ScopeRecorder* recorder() { return window.scope()->recorder(); }
};

// Samples every 100 ms from `from` to `to` ms into "a" (time / 100) and "b" (always 5).
void fill(ScopeRecorder& recorder, qint64 to, qint64 from = 0)
{
    for (qint64 t = from; t <= to; t += 100) {
        recorder.addSample("a", t, double(t / 100));
        recorder.addSample("b", t, 5);
    }
}

QStringList csvRows(ScopeRecorder& recorder)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!recorder.writeCsv(&buffer))
        return {};
    return QString::fromUtf8(buffer.data()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestScope : public QObject
{
    Q_OBJECT

private slots:
    void seriesAppearAsTracesArrive();
    void csvHoldsEverySampleWithItsTime();
    void replyFilter_data();
    void replyFilter();
    void viewWindow_data();
    void viewWindow();
    void pauseKeepsTheData();
    void legendTogglesASeries();
    void memoryBoundDropsTheOldest();
    void exportsReportFailures();
};

void TestScope::seriesAppearAsTracesArrive()
{
    Bench bench;
    QVERIFY(bench.start());
    bench.window.findChild<QAction*>("actScope")->trigger();
    ScopeWindow* scope = bench.window.scope();
    QVERIFY(scope && scope->isVisible());
    QVERIFY(bench.recorder()->seriesNames().isEmpty());

    bench.module->setAxisParameter(0, 0, 200000); // a move, so that the values change
    for (int i = 0; i < 10; ++i)
        bench.round(100);
    QStringList names;
    for (const auto& live : LiveValues) {
        names << live.name;
        QCOMPARE(bench.recorder()->sampleCount(live.name), 10);
        QCOMPARE(bench.recorder()->viewPoints(live.name, 0).last(),
                 QPointF(0, bench.module->getAxisParameter(quint8(live.type), 0)));
        QCOMPARE(bench.recorder()->viewPoints(live.name, 0).first().x(), -0.9);
    }
    names << "position deviation" << "load angle";
    QCOMPARE(bench.recorder()->seriesNames(), names);
    QVERIFY(bench.recorder()->viewPoints("measured velocity", 0).last().y() > 0);
    scope->refresh();
    QCOMPARE(scope->chart()->series().size(), names.size());
    QCOMPARE(scope->series("encoder position")->count(), 10);

    // New tools (another firmware) bring a new poller; the scope follows it.
    bench.window.setFirmwareName("7391");
    processEvents();
    bench.window.pluginHost()->windowOf(50)->activateWindow();
    processEvents();
    bench.round(100);
    QCOMPARE(bench.recorder()->sampleCount("encoder position"), 11);
}

void TestScope::csvHoldsEverySampleWithItsTime()
{
    Bench bench;
    QVERIFY(bench.start());
    bench.window.openScope();
    QStringList expected;
    connect(bench.window.pluginHost()->poller(), &TracePoller::replyDelivered, bench.recorder(),
            [&](QObject*, const Command& reply) {
                expected << QString("%1,%2,%3")
                                .arg(bench.module->now())
                                .arg(ScopeRecorder::seriesName(reply.type(), 0))
                                .arg(reply.value());
            });
    QStringList truthTimes;
    bench.recorder()->setWindowLength(10000);
    bench.module->setAxisParameter(0, 0, 100000);
    for (int step : {50, 100, 333, 7000, 40000, 1, 0, 100}) {
        // Neither pausing nor the window limits the export.
        bench.recorder()->setPaused(step == 100 && !truthTimes.isEmpty());
        bench.round(step);
        truthTimes << QString::number(bench.module->now());
    }

    QStringList rows = csvRows(*bench.recorder());
    QCOMPARE(rows.takeFirst(), QString("time_ms,series,value"));
    QStringList truth;
    QStringList angles;
    for (int i = rows.size() - 1; i >= 0; --i) {
        if (rows.at(i).contains(",position deviation,"))
            truth.prepend(rows.takeAt(i).section(',', 0, 0));
        else if (rows.at(i).contains(",load angle,"))
            angles.prepend(rows.takeAt(i).section(',', 0, 0));
    }
    // In time order; replies of rounds at the same time may interleave.
    for (int i = 1; i < rows.size(); ++i)
        QVERIFY(rows.at(i - 1).section(',', 0, 0).toLongLong() <= rows.at(i).section(',', 0, 0).toLongLong());
    std::sort(rows.begin(), rows.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(rows, expected);
    QCOMPARE(truth, truthTimes);
    QCOMPARE(angles, truthTimes);
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
    recorder.setClock([]() { return 1234; });
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
    QTest::newRow("10 s") << qint64(10000) << 0 << 102 << -10.1;
    QTest::newRow("1 min") << qint64(60000) << 0 << 602 << -60.1;
    QTest::newRow("10 min") << qint64(600000) << 0 << 6002 << -600.1;
    QTest::newRow("shorter than 10 s") << qint64(1000) << 0 << 102 << -10.1;
    QTest::newRow("longer than 10 min") << qint64(3600000) << 0 << 6002 << -600.1;
    QTest::newRow("10 min thinned") << qint64(600000) << 200 << 200 << -600.1;
}

void TestScope::viewWindow()
{
    QFETCH(qint64, window);
    QFETCH(int, maxPoints);
    QFETCH(int, points);
    QFETCH(double, firstX);
    ScopeRecorder recorder;
    fill(recorder, 899900);
    recorder.addSample("a", 900000, 1e6); // a spike on the last sample survives thinning
    recorder.setWindowLength(window);
    const QVector<QPointF> view = recorder.viewPoints("a", maxPoints);
    QCOMPARE(view.size(), points);
    QCOMPARE(view.first().x(), firstX);
    QCOMPARE(view.last(), QPointF(0, 1e6));
    double low = 0, high = 0;
    QVERIFY(recorder.valueRange(false, &low, &high));
    QCOMPARE(high, 1e6);
    QCOMPARE(low, 5.0);
}

void TestScope::pauseKeepsTheData()
{
    ScopeWindow scope;
    scope.show();
    ScopeRecorder* recorder = scope.recorder();
    fill(*recorder, 20000);
    auto* pause = scope.findChild<QPushButton*>("btnPause");
    pause->click();
    QCOMPARE(pause->text(), QString("Resume"));
    fill(*recorder, 90000, 20100);
    scope.refresh();
    QCOMPARE(recorder->sampleCount("a"), 901);
    QCOMPARE(recorder->viewEnd(), 20000);
    QCOMPARE(scope.series("a")->at(scope.series("a")->count() - 1), QPointF(0, 200));
    pause->click();
    scope.refresh();
    QCOMPARE(scope.series("a")->at(scope.series("a")->count() - 1), QPointF(0, 900));
    QCOMPARE(scope.series("a")->count(), 602);

    scope.findChild<QPushButton*>("btnClear")->click();
    QCOMPARE(recorder->sampleCount(), 0);
    QCOMPARE(scope.series("a")->count(), 0);
}

void TestScope::legendTogglesASeries()
{
    ScopeWindow scope;
    scope.show();
    ScopeRecorder* recorder = scope.recorder();
    fill(*recorder, 5000);
    recorder->addSample("flag", 5000, 1, true);
    processEvents(); // the legend places its entries
    scope.refresh();
    QVERIFY(scope.isAutoscaling());
    QVERIFY(scope.chart()->axes(Qt::Vertical).size() == 2);
    auto* values = qobject_cast<QValueAxis*>(scope.chart()->axes(Qt::Vertical, scope.series("a")).first());
    QVERIFY(values->max() >= 50);

    QLegendMarker* marker = scope.chart()->legend()->markers(scope.series("a")).first();
    emit marker->clicked();
    QVERIFY(!scope.series("a")->isVisible());
    QVERIFY(marker->isVisible());
    QVERIFY(!recorder->isSeriesVisible("a"));
    QVERIFY2(values->max() < 50, "autoscale follows the shown series only");
    QVERIFY(values->min() <= 5 && values->max() >= 5);
    QVERIFY(scope.chart()->axes(Qt::Vertical, scope.series("flag")).first() != values);
    emit marker->clicked();
    QVERIFY(scope.series("a")->isVisible() && values->max() >= 50);

    values->setRange(0, 10); // as a zoom does
    QVERIFY(!scope.isAutoscaling());
}

void TestScope::memoryBoundDropsTheOldest()
{
    ScopeRecorder recorder;
    recorder.setCapacity(1000);
    fill(recorder, 74900); // 750 samples each, 1500 in all
    QVERIFY(recorder.sampleCount() <= 1000);
    QCOMPARE(recorder.discardedSamples(), 1500 - recorder.sampleCount());
    QStringList rows = csvRows(recorder);
    QCOMPARE(rows.size(), recorder.sampleCount() + 1);
    // The oldest went first, from both series alike: what is kept is the newest samples.
    const int dropped = 1500 - recorder.sampleCount();
    QCOMPARE(rows.at(1), QString("%1,%2,%3").arg(dropped / 2 * 100).arg(dropped % 2 ? "b" : "a").arg(dropped % 2 ? 5 : dropped / 2));
    QVERIFY(qAbs(recorder.sampleCount("a") - recorder.sampleCount("b")) <= 1);
}

void TestScope::exportsReportFailures()
{
    QTemporaryDir dir;
    ScopeWindow scope;
    scope.show();
    fill(*scope.recorder(), 3000);
    QString error;
    QVERIFY2(scope.savePicture(dir.filePath("scope.png"), &error), qPrintable(error));
    QCOMPARE(QImage(dir.filePath("scope.png")).size(), scope.findChild<QWidget*>("chartView")->size());
    QVERIFY(scope.recorder()->saveCsv(dir.filePath("scope.csv"), &error));
    QFile csv(dir.filePath("scope.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll().count('\n'), 1 + 2 * 31);

    const QString missing = dir.filePath("no/such/dir/scope");
    QVERIFY(!scope.savePicture(missing + ".png", &error));
    QVERIFY(error.contains(missing));
    QVERIFY(!scope.recorder()->saveCsv(missing + ".csv", &error));
    QVERIFY(error.contains(missing));
}

QTEST_MAIN(TestScope)
#include "tst_scope.moc"
