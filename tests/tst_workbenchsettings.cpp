// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the workbench remembers between runs and how it opens: the Module menu's settings, the
// window layout, "Reset layout", and the Start Up tool shown and active at start.

#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "commissioningreport.h"
#include "mainwindow.h"
#include "pluginhost.h"
#include "rerezorinterface.h"
#include "simulatedmodule.h"
#include "scopewindow.h"
#include "toolwindow.h"
#include "tuningwindow.h"
#include "windowlayout.h"
#include "modulesettings.h"

namespace {

const int StartUp = 50, Motor = 51, Encoder = 52, ClosedLoop = 53;

QVariant moduleValue(const MainWindow& window, const QString& key)
{
    const SimulatedModule* m = window.module();
    const QMap<QString, QVariant> values{{"firmware", m->nameInFirmware()}, {"encoderResolution", m->trueEncoderResolution()},
                                         {"encoderReversed", m->encoderReversed()}, {"reducedRange", m->reducedRange()},
                                         {"connected", m->isDeviceOpen()}, {"inertia", m->motor().inertia},
                                         {"loadInertia", m->motor().loadInertia}};
    return values.value(key);
}

// The tools find each other, then the layout is applied: both from the event loop.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// A workbench with its tools, as main() sets it up; settings are loaded first when given.
std::unique_ptr<MainWindow> start(QSettings* settings = nullptr)
{
    auto window = std::make_unique<MainWindow>();
    if (!window->loadPlugin(GV7_PLUGIN_PATH))
        qFatal("%s", qPrintable(window->errorString()));
    if (settings) {
        ModuleSettings::restore(*window, *settings);
        window->windowLayout()->load(*settings);
    }
    window->show();
    window->createTools();
    settle();
    return window;
}

bool startUpActive(const MainWindow& window)
{
    return window.area()->activeSubWindow() == window.pluginHost()->windowOf(StartUp);
}

} // namespace

class TestWorkbenchSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensWithStartUpAndResets_data();
    void opensWithStartUpAndResets();
    void numbersInTheLanguagesFormat_data();
    void numbersInTheLanguagesFormat();
    void motorSettings();
    void moduleSettings_data();
    void moduleSettings();
    void layoutKept();
    void fitted_data();
    void fitted();
    void appliedProposalShownOnTheClosedLoopPage();

private:
    QString settingsFile() const { return m_dir.filePath("workbench.conf"); }
    QTemporaryDir m_dir;
};

void TestWorkbenchSettings::initTestCase()
{
    // Nothing here may touch the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestWorkbenchSettings::opensWithStartUpAndResets_data()
{
    QTest::addColumn<bool>("fromSavedLayout");
    QTest::newRow("fresh run") << false;
    QTest::newRow("run from a saved layout") << true;
}

// "Reset layout" brings back the places the tools chose, grown to fit their pages, also in a
// run whose windows started elsewhere.
void TestWorkbenchSettings::opensWithStartUpAndResets()
{
    QFETCH(bool, fromSavedLayout);
    auto window = start();
    PluginHost* host = window->pluginHost();
    const QList<int> ids = host->subWidgetIds();
    QVERIFY(startUpActive(*window) && host->tool(StartUp)->isVisible());
    for (int id : {Motor, Encoder, ClosedLoop})
        QVERIFY2(host->windowOf(id)->isHidden(), qPrintable(QString::number(id)));
    // Each page fits its window, which the workbench grows where the tool chose too small.
    QMap<int, QRect> defaults;
    for (int id : qAsConst(ids)) {
        host->windowOf(id)->activateWindow();
        settle(); // grown from the event loop, and laid out again
        auto* scroll = host->tool(id)->findChild<QScrollArea*>();
        QCOMPARE(QSize(scroll->horizontalScrollBar()->maximum(), scroll->verticalScrollBar()->maximum()), QSize(0, 0));
        defaults.insert(id, host->windowOf(id)->geometry());
    }
    const QSize defaultSize = window->size();
    if (fromSavedLayout) {
        host->windowOf(StartUp)->setGeometry(40, 30, defaults.value(StartUp).width() + 200, 700);
        host->windowOf(Motor)->setGeometry(300, 200, 300, 200);
        QFile::remove(settingsFile());
        QSettings settings(settingsFile(), QSettings::IniFormat);
        window->windowLayout()->save(settings);
        window.reset();
        window = start(&settings);
        host = window->pluginHost();
    }

    window->resize(900, 600);
    host->windowOf(StartUp)->setGeometry(200, 200, 300, 250);
    host->windowOf(ClosedLoop)->showMaximized();
    window->openScope();
    window->scope()->parentWidget()->move(5000, 4000); // off the area
    window->move(-3000, 5000);
    window->findChild<QAction*>("actResetLayout")->trigger();
    // The default size and every window within the screen, smaller where the screen is.
    const QRect room = window->screen()->availableGeometry();
    QVERIFY(room.contains(window->frameGeometry()));
    QCOMPARE(window->size(), defaultSize.boundedTo(room.size() - (window->frameGeometry().size() - window->size())));
    QVERIFY(window->scope()->parentWidget()->isHidden());
    QCOMPARE(window->scope()->parentWidget()->geometry(), WindowLayout::scopePlace(window->area()->size()));
    for (int id : qAsConst(ids)) {
        QCOMPARE(host->windowOf(id)->geometry(), defaults.value(id));
        QCOMPARE(host->windowOf(id)->isVisible(), id == StartUp);
    }
    QVERIFY(startUpActive(*window));

    // Without the module every tool says that what it shows is no reading, until it is back.
    window->setModuleConnected(false);
    QVERIFY(host->windowOf(StartUp)->notice().contains("disconnected") && !host->windowOf(Encoder)->notice().isEmpty());
    window->setModuleConnected(true);
    QVERIFY(host->windowOf(Encoder)->notice().isEmpty());
    // An encoder of 0 counts has no signal, as with its plug pulled: the status bar says so.
    const int resolution = window->module()->trueEncoderResolution();
    window->setEncoderResolution(0);
    QCOMPARE(window->findChild<QLabel*>("lblConnection")->text(), QString("Simulated module connected, encoder without signal"));
    window->setEncoderResolution(resolution);

    QStringList tools; // in the order of the steps
    const QList<QAction*> actions = window->findChild<QMenu*>("menuTools")->actions();
    for (const QAction* action : actions)
        if (action->objectName().startsWith("actTool"))
            tools << action->objectName();
    QCOMPARE(tools, QStringList({"actTool50", "actTool51", "actTool52", "actTool53"}));
    auto* quit = window->findChild<QAction*>("actQuit");
    QCOMPARE(quit->shortcut(), QKeySequence(QKeySequence::Quit));
    quit->trigger();
    QVERIFY(!window->isVisible());
}

void TestWorkbenchSettings::numbersInTheLanguagesFormat_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("motor");      // the status bar
    QTest::addColumn<QString>("resolution"); // the Module menu's own resolution
    QTest::addColumn<QString>("built");      // the About box's date of the plug-in's build
    QTest::newRow("en") << QLocale(QLocale::English, QLocale::UnitedStates)
                        << "Load 12.5 % of 1.5 N·m, inertia 2.5·10⁻⁴ kg·m²" << "Custom (12,345)..." << "June 6, 2019";
    QTest::newRow("de") << QLocale(QLocale::German, QLocale::Germany) << "Load 12,5 % of 1,5 N·m, inertia 2,5·10⁻⁴ kg·m²"
                        << "Custom (12.345)..." << "6. Juni 2019";
}

void TestWorkbenchSettings::numbersInTheLanguagesFormat()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, motor);
    QFETCH(QString, resolution);
    const QLocale before;
    QLocale::setDefault(locale);
    MainWindow window;
    window.setLoadPercent(12.5);
    window.setHoldingTorque(1.5);
    window.setInertia(0.00025);
    window.setEncoderResolution(12345);
    const QString about = MainWindow::aboutText("1.0 - plug-in from: Thu Jun  6 17:03:02 2019");
    QLocale::setDefault(before);
    QFETCH(QString, built);
    QVERIFY2(about.startsWith("1.0 - plug-in\n") && about.contains(built), qPrintable(about));
    QCOMPARE(window.findChild<QLabel*>("lblMotor")->text(), motor);
    QCOMPARE(window.findChild<QMenu*>("menuEncoderResolution")->actions().constLast()->text(), resolution);
}

// The load is a share of the holding torque and stays one when that changes; bad values are
// ignored.
void TestWorkbenchSettings::motorSettings()
{
    MainWindow window;
    window.setLoadPercent(80);
    window.setHoldingTorque(2.5);
    window.setInertia(2e-4);
    window.setMotorValue("activeLoadPercent", 40);
    window.setMotorValue("supplyVoltage", 24);
    for (double bad : {-1.0, 1001.0, qQNaN()})
        window.setLoadPercent(bad);
    window.setHoldingTorque(0);
    window.setInertia(-1);
    window.setMotorValue("supplyVoltage", 0);
    window.setMotorValue("loadInertia", -1e-3);
    window.setMotorValue("activeLoadPercent", qQNaN());
    const MotorPhysics::Motor& motor = window.module()->motor();
    QCOMPARE((QList<double>{motor.loadTorque, motor.activeLoad, motor.holdingTorque, motor.inertia, motor.supplyVoltage,
                            motor.loadInertia}),
             (QList<double>{2.0, 1.0, 2.5, 2e-4, 24.0, 0.0}));
    QCOMPARE(window.findChild<QLabel*>("lblMotor")->text(), QString::fromUtf8("Load 80 % of 2.5 N·m, inertia 2·10⁻⁴ kg·m²"));
    const QJsonObject reported = CommissioningReport::hardware(window.module(), {}).value("motor").toObject();
    QCOMPARE(reported.value("loadPercent").toDouble(), 80.0);
}

void TestWorkbenchSettings::moduleSettings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");      // as it stands in the file
    QTest::addColumn<QVariant>("expected"); // the module afterwards; the default for unusable text

    QTest::newRow("firmware 7391") << "firmware" << "7391" << QVariant("7391");
    QTest::newRow("resolution 8192") << "encoderResolution" << "8192" << QVariant(8192);
    QTest::newRow("encoder without signal") << "encoderResolution" << "0" << QVariant(0);
    QTest::newRow("reversed") << "encoderReversed" << "true" << QVariant(true);
    QTest::newRow("reduced range") << "reducedRange" << "true" << QVariant(true);
    QTest::newRow("disconnected") << "connected" << "false" << QVariant(false);
    QTest::newRow("bad: resolution a word") << "encoderResolution" << "many" << QVariant(4000);
    QTest::newRow("bad: negative resolution") << "encoderResolution" << "-5" << QVariant(4000);
    QTest::newRow("bad: blank firmware") << "firmware" << "  " << QVariant("7390");
    QTest::newRow("bad: reversed yes") << "encoderReversed" << "yes" << QVariant(false);
    QTest::newRow("load inertia") << "loadInertia" << "0.0002" << QVariant(2e-4);
    QTest::newRow("bad: inertia 0") << "inertia" << "0" << QVariant(3e-5);
    QTest::newRow("bad: load inertia negative") << "loadInertia" << "-1" << QVariant(0.0);
}

// A saved setting comes back as the module's state; an unusable one is left out with a
// warning, and saving writes back what the module has.
void TestWorkbenchSettings::moduleSettings()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.clear();
    settings.setValue("module/" + key, text);

    MainWindow window;
    QVERIFY(window.loadPlugin(GV7_PLUGIN_PATH));
    if (QString(QTest::currentDataTag()).startsWith("bad:"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Ignoring the saved module setting " + key));
    ModuleSettings::restore(window, settings);
    QCOMPARE(moduleValue(window, key), expected);

    ModuleSettings::save(window, settings);
    QCOMPARE(settings.value("module/" + key).toString(), expected.toString());
}

// The places and open windows, the scope's too, are kept when the tools are made again for
// another firmware, and from one run to the next.
void TestWorkbenchSettings::layoutKept()
{
    QFile::remove(settingsFile());
    const QRect motorPlace(300, 120, 520, 410), scopePlace(40, 30, 700, 500);
    const auto check = [&](MainWindow& window) {
        PluginHost* host = window.pluginHost();
        QCOMPARE(window.size(), QSize(1100, 760));
        QCOMPARE(host->windowOf(Motor)->geometry(), motorPlace);
        QVERIFY(host->windowOf(Motor)->isVisible());
        QVERIFY(host->windowOf(ClosedLoop)->isHidden() && host->windowOf(Encoder)->isHidden());
        QVERIFY(window.scope() && window.scope()->isVisible());
        QCOMPARE(window.scope()->parentWidget()->geometry(), scopePlace);
        QVERIFY(startUpActive(window));
    };
    {
        auto window = start();
        window->resize(1100, 760);
        PluginHost* host = window->pluginHost();
        host->windowOf(Motor)->activateWindow();
        host->windowOf(Motor)->setGeometry(motorPlace);
        host->windowOf(ClosedLoop)->activateWindow();
        host->windowOf(ClosedLoop)->hide();
        window->openScope();
        window->scope()->parentWidget()->setGeometry(scopePlace);
        ToolWindow* before = host->windowOf(Motor);
        window->setFirmwareName("7391");
        settle();
        QVERIFY(host->windowOf(Motor) != before);
        check(*window);
        window->close(); // as at the end of a run: the windows inside stay "open"
        QSettings settings(settingsFile(), QSettings::IniFormat);
        window->windowLayout()->save(settings);
    }
    QSettings settings(settingsFile(), QSettings::IniFormat);
    check(*start(&settings));
}

void TestWorkbenchSettings::fitted_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("expected"); // in an area of 1000 x 800
    QTest::newRow("inside") << QRect(100, 50, 400, 300) << QRect(100, 50, 400, 300);
    QTest::newRow("title bar above the area") << QRect(100, -40, 400, 300) << QRect(100, 0, 400, 300);
    QTest::newRow("below the area") << QRect(100, 900, 400, 300) << QRect(100, 780, 400, 300);
    QTest::newRow("right of the area") << QRect(1500, 50, 400, 300) << QRect(940, 50, 400, 300);
    QTest::newRow("left of the area") << QRect(-600, 50, 400, 300) << QRect(-340, 50, 400, 300);
    QTest::newRow("nothing saved") << QRect() << QRect();
    QTest::newRow("no size") << QRect(10, 10, 0, 300) << QRect();
}

void TestWorkbenchSettings::fitted()
{
    QFETCH(QRect, saved);
    QFETCH(QRect, expected);
    QCOMPARE(WindowLayout::fitted(saved, QSize(1000, 800)), expected);
}

QTEST_MAIN(TestWorkbenchSettings)
// An open closed-loop page shows what the module holds once the tuning's proposal is applied,
// not the values it read when it was opened.
void TestWorkbenchSettings::appliedProposalShownOnTheClosedLoopPage()
{
    auto window = start();
    ToolWindow* closedLoop = window->pluginHost()->windowOf(ClosedLoop);
    QVERIFY(closedLoop);
    closedLoop->show();
    settle();
    auto* p = closedLoop->findChild<QDoubleSpinBox*>("spClCorrectionVelocityP");
    QVERIFY(p);
    window->openTuning();
    TuningWindow* tuning = window->tuning();
    QSignalSpy finished(tuning, &TuningWindow::finished);
    QVERIFY(tuning->start());
    QVERIFY(finished.wait(120000));
    const AutoTuner::Parameters proposal = tuning->result().tuner.proposal;
    const auto pEntry = std::find_if(proposal.begin(), proposal.end(), [](const auto& e) { return e.first == 115; });
    QVERIFY(pEntry != proposal.end());
    QVERIFY(pEntry->second != int(p->value()));
    QVERIFY(tuning->applyProposal());
    QCOMPARE(int(p->value()), pEntry->second);
}

#include "tst_workbenchsettings.moc"
