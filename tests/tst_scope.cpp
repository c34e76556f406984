#include <iterator>

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

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

// The start-up tool's live values in the order it polls them.
const char* const LiveValues[] = {"measured velocity", "target velocity", "encoder position", "position reached",
                                  "closed loop ready"};

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
    void recordsWhatThePollerDelivers();
    void replyFilter_data();
    void replyFilter();
    void viewWindow_data();
    void viewWindow();
    void window();
    void memoryBoundDropsTheOldest();
};

void TestScope::recordsWhatThePollerDelivers()
{
    Bench bench;
    QVERIFY(bench.start());
    bench.window.findChild<QAction*>("actScope")->trigger();
    ScopeRecorder* recorder = bench.window.scope()->recorder();
    QVERIFY(bench.window.scope()->isVisible() && recorder->seriesNames().isEmpty());
    QStringList expected; // every reply delivered, as its CSV row
    connect(bench.window.pluginHost()->poller(), &TracePoller::replyDelivered, recorder,
            [&](QObject*, Command reply) {
                expected << QString("%1,%2,%3").arg(bench.module->now()).arg(ScopeRecorder::seriesName(reply.type(), 0)).arg(reply.value());
            });
    recorder->setWindowLength(10000);
    bench.module->setAxisParameter(0, 0, 100000); // a move, so that the values change
    for (int step : {50, 100, 333, 7000, 40000, 1, 0, 100}) {
        // Neither pausing nor the window limits the export.
        recorder->setPaused(step == 100 && !expected.isEmpty());
        bench.round(step);
        expected << QString("%1,position deviation").arg(bench.module->now()) << QString("%1,load angle").arg(bench.module->now());
    }
    QStringList names(std::begin(LiveValues), std::end(LiveValues));
    QCOMPARE(recorder->seriesNames(), names << "position deviation" << "load angle");

    QStringList rows = csvRows(*recorder);
    QCOMPARE(rows.takeFirst(), QString("time_ms,series,value"));
    static const QRegularExpression truth(QStringLiteral(",(position deviation|load angle),"));
    for (int i = 0; i < rows.size(); ++i) {
        QVERIFY(i == 0 || rows.at(i - 1).section(',', 0, 0).toLongLong() <= rows.at(i).section(',', 0, 0).toLongLong());
        if (rows.at(i).contains(truth))
            rows[i] = rows.at(i).section(',', 0, 1); // the simulated truth: its times only
    }
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
    QTest::newRow("shorter than 10 s") << qint64(1000) << 0 << 102 << -10.1;
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
    QVERIFY(recorder.valueRange(false, &low, &high));
    QCOMPARE(QPointF(low, high), QPointF(5, 1e6));
}

void TestScope::window()
{
    ScopeWindow scope;
    scope.show();
    ScopeRecorder* recorder = scope.recorder();
    fill(*recorder, 20000);
    recorder->addSample("flag", 20000, 1, true);
    processEvents(); // the legend places its entries
    scope.refresh();
    QLineSeries* a = scope.series("a");
    auto* values = qobject_cast<QValueAxis*>(scope.chart()->axes(Qt::Vertical, a).first());
    QVERIFY(values->max() >= 200);
    QVERIFY(scope.chart()->axes(Qt::Vertical, scope.series("flag")).first() != values);
    QTemporaryDir dir;
    QString error;
    QVERIFY2(scope.savePicture(dir.filePath("scope.png"), &error), qPrintable(error));
    QCOMPARE(QImage(dir.filePath("scope.png")).size(), scope.findChild<QWidget*>("chartView")->size());
    QVERIFY(recorder->saveCsv(dir.filePath("scope.csv"), &error));
    QCOMPARE(QFileInfo(dir.filePath("scope.csv")).size(), csvRows(*recorder).join('\n').size() + 1);
    const QString missing = dir.filePath("no/such/dir/scope");
    QVERIFY(!scope.savePicture(missing + ".png", &error) && error.contains(missing));
    QVERIFY(!recorder->saveCsv(missing + ".csv", &error) && error.contains(missing));

    // A click on the legend hides the series, and the autoscale follows the shown ones only.
    QLegendMarker* marker = scope.chart()->legend()->markers(a).first();
    emit marker->clicked();
    QVERIFY(!a->isVisible() && marker->isVisible() && !recorder->isSeriesVisible("a"));
    QVERIFY(values->min() <= 5 && values->max() >= 5 && values->max() < 50);
    emit marker->clicked();
    QVERIFY(a->isVisible() && values->max() >= 200);

    auto* pause = scope.findChild<QPushButton*>("btnPause");
    pause->click();
    fill(*recorder, 90000, 20100);
    scope.refresh();
    QCOMPARE(recorder->sampleCount("a"), 901);
    QCOMPARE(a->at(a->count() - 1), QPointF(0, 200));
    pause->click();
    scope.refresh();
    QCOMPARE(a->at(a->count() - 1), QPointF(0, 900));
    QCOMPARE(a->count(), 602);

    scope.findChild<QPushButton*>("btnClear")->click();
    QCOMPARE(recorder->sampleCount(), 0);
    QCOMPARE(a->count(), 0);
    QVERIFY(scope.isAutoscaling());
    values->setRange(0, 10); // as a zoom does
    QVERIFY(!scope.isAutoscaling());
}

void TestScope::memoryBoundDropsTheOldest()
{
    ScopeRecorder recorder;
    recorder.setCapacity(1000);
    fill(recorder, 74900); // 750 samples each, 1500 in all
    const int dropped = 1500 - recorder.sampleCount();
    QVERIFY(recorder.sampleCount() <= 1000);
    QCOMPARE(recorder.discardedSamples(), dropped);
    // The oldest went first, from both series alike: what is kept is the newest samples.
    const QStringList rows = csvRows(recorder);
    QCOMPARE(rows.size(), recorder.sampleCount() + 1);
    QCOMPARE(rows.at(1), QString("%1,%2,%3").arg(dropped / 2 * 100).arg(dropped % 2 ? "b" : "a").arg(dropped % 2 ? 5 : dropped / 2));
}

QTEST_MAIN(TestScope)
#include "tst_scope.moc"
