// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QtTest>

#include "dataexchange.h"
#include "encodersettings.h"
#include "recordingmodule.h"
#include "spinbox.h"

namespace {
using Access = RecordingModule::Access;
using Log = QList<Access>;
using Box = QDialogButtonBox;
const Access On{Access::Circular, 1, 0, 0, 0, 1};
const Access Off{Access::Circular, 1, 0, 0, 0, 0};

// The page in a window, on axis 0 of a drive with 200 full steps * 256 microsteps = 51200 per turn.
struct Fixture
{
    Fixture()
    {
        exchange.setCurrentAxis(0);
        page->setDataExchange(&exchange);
        const int values[][2] = {{140, 8}, {202, 200}, {1, 1000}, {209, 500}, {4, 7000}, {5, 3000}, {210, -4000}, {212, 99}};
        for (const auto& value : values)
            module.setValue(value[0], value[1]);
        module.clearLog();
    }
    SpinBox* spin(const char* name) const { return page->findChild<SpinBox*>(name); }
    QCheckBox* reverse() const { return page->findChild<QCheckBox*>("cbReverseEncoderDirection"); }
    void click(const char* box, Box::StandardButton which) const { page->findChild<Box*>(box)->button(which)->click(); }
    auto timers() const { return QAbstractEventDispatcher::instance()->registeredTimers(page); }
    // One tick of the polling timer, delivered at once; answers what the tick sent.
    Log poll(int motor, int encoder, int reached)
    {
        module.setValue(1, motor);
        module.setValue(209, encoder);
        module.setValue(8, reached);
        module.clearLog();
        QTimerEvent tick(timers().isEmpty() ? 1 : timers().constFirst().timerId);
        QCoreApplication::sendEvent(page, &tick);
        return module.accesses();
    }

    RecordingModule module;
    DataExchange exchange{&module, nullptr};
    QWidget window;
    EncoderSettings* page = new EncoderSettings(new QWidget(&window));
};
}

class TestEncoderSettings : public QObject
{
    Q_OBJECT
private slots:
    void showAndApplyReversed();
    void detectionSequence();
    void leavingProgressView_data();
    void leavingProgressView();
};

void TestEncoderSettings::showAndApplyReversed()
{
    Fixture f;
    f.window.show();
    QCOMPARE(f.module.accesses(), Log({gap(210), gap(209), gap(212)}));
    QCOMPARE(f.spin("spEncoderResolution")->intValue(), 4000);
    QVERIFY(f.reverse()->isChecked());

    f.module.clearLog();
    QSignalSpy executed(f.page, &BaseSettings::executed);
    f.click("buttonBox", Box::Apply);
    QCOMPARE(f.module.accesses(), Log({{Access::Set, 1, 0, 210, 0, -4000}, {Access::Set, 1, 0, 209, 0, 500},
                                       {Access::Set, 1, 0, 212, 0, 99}}));
    const QString program = "//Encoder settings\n  SAP 210, 0,    -4000  //Comment 210\n"
                            "  SAP 209, 0,      500  //Comment 209\n  SAP 212, 0,       99  //Comment 212\n";
    QCOMPARE(executed, (QList<QVariantList>{{true, program}, {true, QString()}}));
    QVERIFY(!f.window.isVisible());
}

void TestEncoderSettings::detectionSequence()
{
    Fixture f;
    f.page->findChild<QCommandLinkButton*>("btnAutoDetection")->click();
    f.module.clearLog();
    f.click("bbAutoDetection", Box::Ok);
    QCOMPARE(f.module.accesses(), Log({gap(140), gap(202), gap(209), gap(1), sap(129, 0), sap(210, 51200), sap(4, 12800),
                                    sap(5, 6400), exec(Command::Move, 1, 0, 51200)}));
    // Halfway through the forward turn only reads, in circular mode.
    QCOMPARE(f.poll(1000 + 25600, 500 - 2048, 0), Log({On, gap(1), gap(209), gap(8), Off}));
    // The end of the forward turn is evaluated and the motor turned back, outside circular mode.
    QCOMPARE(f.poll(1000 + 51200, 500 - 4096, 1),
             Log({On, gap(1), gap(209), gap(8), Off, gap(140), gap(202), gap(209), sap(4, 102400), sap(5, 102400),
                    exec(Command::Move, 1, 0, -51200), Off}));
    // The return turn no longer reads the encoder; at its end: stop, then restore in ascending order.
    QCOMPARE(f.poll(1000 + 100, 0, 0), Log({On, gap(1), gap(8), Off}));
    QCOMPARE(f.poll(1000, 0, 1), Log({On, gap(1), gap(8), Off, exec(Command::Stop, 0, 0, 0), sap(4, 7000),
                                        sap(5, 3000), sap(210, -4000), sap(212, 99), Off}));
    QVERIFY(f.timers().isEmpty());
    QVERIFY(f.poll(1000, 0, 1).isEmpty()); // a late tick repeats nothing
}

void TestEncoderSettings::leavingProgressView_data()
{
    QTest::addColumn<bool>("evaluated");
    QTest::addColumn<bool>("apply");
    QTest::newRow("apply during the forward turn takes nothing") << false << true;
    QTest::newRow("apply during the return turn takes the results") << true << true;
    QTest::newRow("discard during the return turn") << true << false;
}

void TestEncoderSettings::leavingProgressView()
{
    QFETCH(bool, evaluated);
    QFETCH(bool, apply);
    Fixture f;
    f.spin("spEncoderResolution")->setValue(777);
    f.spin("spEncoderPosition")->setValue(555);
    f.page->findChild<QCommandLinkButton*>("btnAutoDetection")->click();
    f.click("bbAutoDetection", Box::Ok);
    f.poll(1000 + 51200, 500 - 8192, evaluated ? 1 : 0);
    f.module.clearLog();
    f.click("bbDetction", apply ? Box::Apply : Box::Discard);
    QVERIFY(f.timers().isEmpty());
    QVERIFY(f.module.log().isEmpty()); // the motor ends its move; nothing is stopped or restored
    const bool taken = evaluated && apply;
    QCOMPARE(f.spin("spEncoderResolution")->intValue(), taken ? 8192 : 777);
    QCOMPARE(f.spin("spEncoderPosition")->intValue(), taken ? 0 : 555);
    QCOMPARE(f.reverse()->isChecked(), taken);
}

QTEST_MAIN(TestEncoderSettings)
#include "tst_encodersettings.moc"
