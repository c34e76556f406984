#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QMetaMethod>
#include <QPointer>
#include <QStackedWidget>
#include <QtTest>

#include "dataexchange.h"
#include "encodersettings.h"
#include "qroundprogressbar.h"
#include "recordingmodule.h"
#include "spinbox.h"

namespace {
QString circular(bool on)
{
    return RecordingModule::Access{RecordingModule::Access::Circular, 1, 0, 0, 0, on ? 1 : 0}.toString();
}

QString move(int steps)
{
    return exec(Command::Move, 1, 0, steps).toString();
}

QStringList lines(const QList<RecordingModule::Access>& accesses)
{
    QStringList result;
    for (const RecordingModule::Access& a : accesses)
        result.append(a.toString());
    return result;
}

// The page in a tool widget in a host window, wired to a recording module on axis 0. The module
// holds a drive with 200 full steps and 256 microsteps (51200 microsteps per revolution).
struct Fixture
{
    explicit Fixture(bool wired = true)
        : exchange(new DataExchange(&module, nullptr))
    {
        tool = new QWidget(&window);
        page = new EncoderSettings(tool);
        exchange->setCurrentAxis(0);
        if (wired)
            page->setDataExchange(exchange);
        module.setValue(140, 8);
        module.setValue(202, 200);
        module.setValue(1, 1000);
        module.setValue(209, 500);
        module.setValue(4, 7000);
        module.setValue(5, 3000);
        module.setValue(8, 0);
        module.setValue(129, 1);
        module.setValue(210, -4000);
        module.setValue(212, 99);
    }
    ~Fixture() { delete exchange; }

    template <class T>
    T* child(const char* name) const
    {
        T* found = page->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }
    QLabel* label(const char* name) const { return child<QLabel>(name); }
    SpinBox* spin(const char* name) const { return child<SpinBox>(name); }
    QCheckBox* reverse() const { return child<QCheckBox>("cbReverseEncoderDirection"); }
    QWidget* currentView() const { return child<QStackedWidget>("stackedWidget")->currentWidget(); }
    bool buttonBoxShown() const { return !child<QDialogButtonBox>("buttonBox")->isHidden(); }
    void click(const char* box, QDialogButtonBox::StandardButton button) const
    {
        child<QDialogButtonBox>(box)->button(button)->click();
    }

    QList<QAbstractEventDispatcher::TimerInfo> timers() const
    {
        return QAbstractEventDispatcher::instance()->registeredTimers(page);
    }

    void show()
    {
        QShowEvent event;
        QCoreApplication::sendEvent(page, &event);
    }

    void startDetection()
    {
        child<QCommandLinkButton>("btnAutoDetection")->click();
        click("bbAutoDetection", QDialogButtonBox::Ok);
    }

    // One tick of the polling timer, delivered at once instead of after 100 ms.
    void poll()
    {
        const auto running = timers();
        QTimerEvent event(running.isEmpty() ? 4711 : running.first().timerId);
        QCoreApplication::sendEvent(page, &event);
    }

    // Forward turn ends after one revolution with the encoder having counted encoderDelta.
    void finishForwardTurn(int encoderDelta)
    {
        module.setValue(1, 1000 + 51200);
        module.setValue(209, 500 + encoderDelta);
        module.setValue(8, 1);
        poll();
    }

    void finishReturnTurn()
    {
        module.setValue(8, 0);
        poll();
        module.setValue(1, 1000);
        module.setValue(8, 1);
        poll();
    }

    QWidget window;
    QWidget* tool;
    EncoderSettings* page;
    RecordingModule module;
    DataExchange* exchange;
};
}

class TestEncoderSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void menuShownAfterConstruction();
    void slotsInOrder();
    void bindsSpinBoxesToHostParameters();
    void currentAxisCaption();
    void refreshOnShow_data();
    void refreshOnShow();
    void failingReadKeepsValue();
    void unwiredPageLeavesModuleAlone();
    void apply_data();
    void apply();
    void cancelWritesNothing();

    void confirmationSavesAndCancelReturns();
    void detectionCommandSequence();
    void fullStopWanders();
    void leavingProgressView_data();
    void leavingProgressView();
    void vanishedExchangeStopsPolling();
};

void TestEncoderSettings::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=false"));
}

void TestEncoderSettings::menuShownAfterConstruction()
{
    Fixture f;
    QCOMPARE(f.page->objectName(), QStringLiteral("EncoderSettings"));
    QCOMPARE(f.currentView()->objectName(), QStringLiteral("gbMenu"));
    QVERIFY(f.buttonBoxShown());
    for (const char* name : {"lblRelPosEnc", "lblRelPos", "lblInvestigated", "lblEncDirection"})
        QVERIFY2(f.label(name)->text().isEmpty(), name);

    // The boxes' creation order is the order of the reads, the writes and the program lines.
    QStringList boxes;
    for (SpinBox* box : f.page->findChildren<SpinBox*>())
        boxes << box->objectName();
    QCOMPARE(boxes, (QStringList{"spEncoderResolution", "spEncoderPosition", "spMaxEncoderDeviation"}));

    auto* bar = f.child<QRoundProgressBar>("progressBar");
    QCOMPARE(bar->decimals(), 0);
    QCOMPARE(bar->nullPosition(), 90.0);
    QCOMPARE(int(bar->barStyle()), 1);
}

void TestEncoderSettings::slotsInOrder()
{
    const QMetaObject& meta = EncoderSettings::staticMetaObject;
    QStringList own;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        QCOMPARE(meta.method(i).methodType(), QMetaMethod::Slot);
        own << QString::fromLatin1(meta.method(i).methodSignature());
    }
    QCOMPARE(own, (QStringList{"currentAxisChanged()", "on_buttonBox_clicked(QAbstractButton*)",
                               "on_btnAutoDetection_clicked()", "on_bbAutoDetection_rejected()",
                               "on_bbAutoDetection_accepted()", "on_bbDetction_clicked(QAbstractButton*)"}));
}

void TestEncoderSettings::bindsSpinBoxesToHostParameters()
{
    Fixture f;
    QCOMPARE(f.spin("spEncoderResolution")->sapType(), 210);
    QCOMPARE(f.spin("spMaxEncoderDeviation")->sapType(), 212);
    QCOMPARE(f.spin("spEncoderPosition")->sapType(), 209);
    const QString caller = QStringLiteral("virtual void EncoderSettings::setDataExchange(DataExchange*)|axis0|");
    QCOMPARE(f.module.parameterQueries(),
             (QStringList{caller + "par::encoder resolution", caller + "par::max. position encoder deviation",
                          caller + "par::encoder position"}));
}

void TestEncoderSettings::currentAxisCaption()
{
    Fixture f;
    QCOMPARE(f.label("lblCurrentAxis")->text(), QStringLiteral("Axis not yet specified"));
    f.exchange->setCurrentAxis(2);
    QCOMPARE(f.label("lblCurrentAxis")->text(), QStringLiteral("Motor / Encoder 2"));
}

void TestEncoderSettings::refreshOnShow_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<int>("shownResolution");
    QTest::addColumn<bool>("reversed");

    QTest::newRow("negative resolution is a reversed encoder") << -4096 << false << 4096 << true;
    QTest::newRow("positive resolution clears the reversal") << 4096 << true << 4096 << false;
    QTest::newRow("zero is not reversed") << 0 << true << 0 << false;
}

void TestEncoderSettings::refreshOnShow()
{
    QFETCH(int, resolution);
    QFETCH(bool, checkedBefore);
    QFETCH(int, shownResolution);
    QFETCH(bool, reversed);

    Fixture f;
    f.module.setValue(210, resolution);
    f.module.setValue(209, -1234);
    f.module.setValue(212, 300);
    f.reverse()->setChecked(checkedBefore);
    f.module.clearLog();

    f.show();

    QCOMPARE(f.spin("spEncoderResolution")->intValue(), shownResolution);
    QCOMPARE(f.reverse()->isChecked(), reversed);
    QCOMPARE(f.spin("spEncoderPosition")->intValue(), -1234);
    QCOMPARE(f.spin("spMaxEncoderDeviation")->intValue(), 300);
    QCOMPARE(f.module.log(), lines({gap(210), gap(209), gap(212)}));
}

void TestEncoderSettings::failingReadKeepsValue()
{
    Fixture f;
    f.spin("spMaxEncoderDeviation")->setValue(77);
    f.spin("spEncoderResolution")->setValue(1000);
    f.reverse()->setChecked(true);
    f.module.setValue(210, 8192);
    f.module.setValue(209, 5);
    f.module.setFailing(212);

    f.show();
    QCOMPARE(f.spin("spMaxEncoderDeviation")->intValue(), 77);
    QCOMPARE(f.spin("spEncoderResolution")->intValue(), 8192);
    QCOMPARE(f.spin("spEncoderPosition")->intValue(), 5);

    f.module.setFailing(212, false);
    f.module.setFailing(210);
    f.module.setValue(210, 4000);
    f.reverse()->setChecked(true);
    f.show();
    QCOMPARE(f.spin("spEncoderResolution")->intValue(), 8192);
    QVERIFY(f.reverse()->isChecked());
    QCOMPARE(f.spin("spMaxEncoderDeviation")->intValue(), 99);
}

void TestEncoderSettings::unwiredPageLeavesModuleAlone()
{
    Fixture f(false);
    f.window.show();
    f.spin("spEncoderResolution")->setValue(1000);
    f.module.clearLog();
    QSignalSpy executed(f.page, &BaseSettings::executed);

    f.show();
    f.child<QCommandLinkButton>("btnAutoDetection")->click();
    QCOMPARE(f.currentView()->objectName(), QStringLiteral("gbMenu"));
    QVERIFY(f.buttonBoxShown());

    f.click("buttonBox", QDialogButtonBox::Apply);
    QCOMPARE(executed.count(), 0);
    QVERIFY(f.window.isVisible());

    QCOMPARE(f.spin("spEncoderResolution")->intValue(), 1000);
    QCOMPARE(f.module.accesses(true).size(), 0);
}

void TestEncoderSettings::apply_data()
{
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("written");
    QTest::addColumn<QString>("line");

    QTest::newRow("reversed encoder is a negative resolution")
        << true << -4000 << QStringLiteral("  SAP 210, 0,    -4000  //Comment 210\n");
    QTest::newRow("forward encoder") << false << 4000 << QStringLiteral("  SAP 210, 0,     4000  //Comment 210\n");
}

void TestEncoderSettings::apply()
{
    QFETCH(bool, reversed);
    QFETCH(int, written);
    QFETCH(QString, line);

    Fixture f;
    f.window.show();
    f.spin("spEncoderResolution")->setValue(4000);
    f.spin("spEncoderPosition")->setValue(-17);
    f.spin("spMaxEncoderDeviation")->setValue(12345678);
    f.reverse()->setChecked(reversed);
    f.module.clearLog();
    QSignalSpy executed(f.page, &BaseSettings::executed);

    f.click("buttonBox", QDialogButtonBox::Apply);

    // Each value goes to the module before its line is written.
    QCOMPARE(f.module.accesses(),
             (QList<RecordingModule::Access>{{RecordingModule::Access::Set, 1, 0, 210, 0, written},
                                             {RecordingModule::Access::Set, 1, 0, 209, 0, -17},
                                             {RecordingModule::Access::Set, 1, 0, 212, 0, 12345678}}));
    QCOMPARE(executed.count(), 2);
    QCOMPARE(executed.at(0).at(0).toBool(), true);
    QCOMPARE(executed.at(0).at(1).toString(), QStringLiteral("//Encoder settings\n") + line
                                                  + QStringLiteral("  SAP 209, 0,      -17  //Comment 209\n")
                                                  + QStringLiteral("  SAP 212, 0, 12345678  //Comment 212\n"));
    QCOMPARE(executed.at(1), (QVariantList{true, QString()}));
    QVERIFY(!f.window.isVisible());
}

void TestEncoderSettings::cancelWritesNothing()
{
    Fixture f;
    f.window.show();
    f.module.clearLog();
    QSignalSpy executed(f.page, &BaseSettings::executed);

    f.click("buttonBox", QDialogButtonBox::Cancel);

    QCOMPARE(executed.count(), 1);
    QCOMPARE(executed.at(0), (QVariantList{false, QString()}));
    QCOMPARE(f.module.accesses().size(), 0);
    QVERIFY(!f.window.isVisible());
}

void TestEncoderSettings::confirmationSavesAndCancelReturns()
{
    Fixture f;
    f.module.clearLog();

    f.child<QCommandLinkButton>("btnAutoDetection")->click();
    QCOMPARE(f.currentView()->objectName(), QStringLiteral("pageAuto"));
    QVERIFY(!f.buttonBoxShown());
    // Everything but the encoder position, then the two ramp limits.
    QCOMPARE(f.module.log(), lines({gap(210), gap(212), gap(4), gap(5)}));

    f.module.clearLog();
    f.click("bbAutoDetection", QDialogButtonBox::Cancel);
    QCOMPARE(f.currentView()->objectName(), QStringLiteral("gbMenu"));
    QVERIFY(f.buttonBoxShown());
    QCOMPARE(f.module.accesses().size(), 0);
    QVERIFY(f.timers().isEmpty());
}

void TestEncoderSettings::detectionCommandSequence()
{
    Fixture f;
    f.child<QCommandLinkButton>("btnAutoDetection")->click();
    f.module.clearLog();

    f.click("bbAutoDetection", QDialogButtonBox::Ok);

    QCOMPARE(f.module.log(),
             lines({gap(140), gap(202), gap(209), gap(1), sap(129, 0), sap(210, 51200), sap(4, 12800), sap(5, 6400),
                    exec(Command::Move, 1, 0, 51200)}));
    QCOMPARE(f.currentView()->objectName(), QStringLiteral("pageDetection"));
    QVERIFY(!f.buttonBoxShown());
    QCOMPARE(f.label("lblRelPos")->text(), QStringLiteral("0"));
    QCOMPARE(f.label("lblRelPosEnc")->text(), QStringLiteral("0"));
    QCOMPARE(f.label("lblInvestigated")->text(), QStringLiteral("running"));
    QCOMPARE(f.label("lblEncDirection")->text(), QStringLiteral(".       "));
    QCOMPARE(f.child<QRoundProgressBar>("progressBar")->maximum(), 51200.0);
    QCOMPARE(f.timers().size(), 1);
    QCOMPARE(f.timers().first().interval, 100);
    QCOMPARE(f.timers().first().timerType, Qt::PreciseTimer);

    // A poll halfway through the forward turn: only reads, in circular mode.
    f.module.clearLog();
    f.module.setValue(1, 1000 + 25600);
    f.module.setValue(209, 500 - 2048);
    f.poll();
    QCOMPARE(f.module.log(), QStringList({circular(true), gap(1).toString(), gap(209).toString(), gap(8).toString(),
                                          circular(false)}));
    QCOMPARE(f.label("lblRelPos")->text(), QStringLiteral("25600"));
    QCOMPARE(f.label("lblRelPosEnc")->text(), QStringLiteral("-2048"));
    QCOMPARE(f.child<QRoundProgressBar>("progressBar")->value(), 25600.0);

    // End of the forward turn: evaluation and the return turn, outside circular mode.
    f.module.clearLog();
    f.finishForwardTurn(-4096);
    QCOMPARE(f.module.log(),
             QStringList({circular(true), gap(1).toString(), gap(209).toString(), gap(8).toString(), circular(false),
                          gap(140).toString(), gap(202).toString(), gap(209).toString(), sap(4, 102400).toString(),
                          sap(5, 102400).toString(), move(-51200), circular(false)}));
    QCOMPARE(f.label("lblInvestigated")->text(), QStringLiteral("4096"));
    QCOMPARE(f.label("lblEncDirection")->text(), QStringLiteral("reversed"));

    // The return turn no longer reads the encoder.
    f.module.clearLog();
    f.module.setValue(8, 0);
    f.module.setValue(1, 1000 + 100);
    f.poll();
    QCOMPARE(f.module.log(), QStringList({circular(true), gap(1).toString(), gap(8).toString(), circular(false)}));
    QCOMPARE(f.label("lblRelPos")->text(), QStringLiteral("100"));
    QCOMPARE(f.label("lblEncDirection")->text(), QStringLiteral("reversed"));

    // End of the return turn: stop and restore in ascending order; 129 stays off.
    f.module.clearLog();
    f.module.setValue(8, 1);
    f.module.setValue(1, 1000);
    f.poll();
    QCOMPARE(f.module.log(),
             QStringList({circular(true), gap(1).toString(), gap(8).toString(), circular(false),
                          exec(Command::Stop, 0, 0, 0).toString(), sap(4, 7000).toString(), sap(5, 3000).toString(),
                          sap(210, -4000).toString(), sap(212, 99).toString(), circular(false)}));
    QCOMPARE(f.module.value(129), 0);
    QVERIFY(f.timers().isEmpty());

    // A late tick after the run changes nothing.
    f.module.clearLog();
    f.poll();
    QCOMPARE(f.module.accesses(true).size(), 0);
}

void TestEncoderSettings::fullStopWanders()
{
    Fixture f;
    f.startDetection();
    QCOMPARE(f.label("lblEncDirection")->text().indexOf('.'), 0);
    for (int tick = 1; tick <= 9; ++tick) {
        f.poll();
        const QString text = f.label("lblEncDirection")->text();
        QCOMPARE(text.size(), 8);
        QCOMPARE(text.count('.'), 1);
        QCOMPARE(text.indexOf('.'), tick % 8);
    }
}

void TestEncoderSettings::leavingProgressView_data()
{
    QTest::addColumn<int>("finishedTurns");
    QTest::addColumn<bool>("apply");
    QTest::addColumn<bool>("takesResults");

    QTest::newRow("apply during the forward turn takes nothing") << 0 << true << false;
    QTest::newRow("discard during the forward turn") << 0 << false << false;
    QTest::newRow("apply during the return turn") << 1 << true << true;
    QTest::newRow("discard during the return turn") << 1 << false << false;
    QTest::newRow("apply after the run") << 2 << true << true;
    QTest::newRow("discard after the run") << 2 << false << false;
}

void TestEncoderSettings::leavingProgressView()
{
    QFETCH(int, finishedTurns);
    QFETCH(bool, apply);
    QFETCH(bool, takesResults);

    Fixture f;
    f.spin("spEncoderResolution")->setValue(777);
    f.spin("spEncoderPosition")->setValue(555);
    f.startDetection();
    f.module.setValue(209, 500 - 8192);
    f.poll();
    if (finishedTurns >= 1)
        f.finishForwardTurn(-8192);
    if (finishedTurns >= 2)
        f.finishReturnTurn();
    f.module.clearLog();

    f.click("bbDetction", apply ? QDialogButtonBox::Apply : QDialogButtonBox::Discard);

    QCOMPARE(f.currentView()->objectName(), QStringLiteral("gbMenu"));
    QVERIFY(f.buttonBoxShown());
    QVERIFY(f.timers().isEmpty());
    // The motor is left to end its move; nothing is stopped or restored.
    QCOMPARE(f.module.accesses().size(), 0);
    QCOMPARE(f.spin("spEncoderResolution")->intValue(), takesResults ? 8192 : 777);
    QCOMPARE(f.spin("spEncoderPosition")->intValue(), takesResults ? 0 : 555);
    QCOMPARE(f.reverse()->isChecked(), takesResults);
}

void TestEncoderSettings::vanishedExchangeStopsPolling()
{
    Fixture f;
    f.startDetection();
    QCOMPARE(f.timers().size(), 1);
    delete f.exchange;
    f.exchange = nullptr;
    f.module.clearLog();

    f.poll();
    QVERIFY(f.timers().isEmpty());
    QCOMPARE(f.module.accesses(true).size(), 0);

    f.click("bbDetction", QDialogButtonBox::Apply);
    QCOMPARE(f.currentView()->objectName(), QStringLiteral("gbMenu"));
}

QTEST_MAIN(TestEncoderSettings)
#include "tst_encodersettings.moc"
