// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>
#include <QtWidgets>

#include "closedloop.h"
#include "recordingmodule.h"
#include "spinbox.h"

namespace {

// In the order of the boxes on the tabs.
struct Value { int type, value; };
const Value ModuleValues[] = {{120, -10000000}, {125, 51}, {113, 50}, {126, 255}, {121, 100000}, {114, 200}, {110, 250},
                              {108, 300000}, {109, 1600000}, {116, 20}, {119, 100000}, {115, 3000}, {117, -5}};

// The page inside its tool inside the host window, shown once as the plug-in does.
struct Rig
{
    RecordingModule module;
    DataExchange exchange{&module, nullptr};
    QWidget window;
    ClosedLoop* page = new ClosedLoop(new QWidget(&window));
    QStringList reports;

    explicit Rig(int axis = 0)
    {
        for (const Value& v : ModuleValues)
            module.setValue(v.type, v.value);
        module.setValue(202, 200);
        module.setValue(140, 8);
        module.setValue(210, 4000);
        exchange.setCurrentAxis(axis);
        page->setDataExchange(&exchange);
        QObject::connect(page, &BaseSettings::executed, page, [this](bool ok, const QString& text) {
            // A finished page closes its window before it reports.
            reports << QString::number(ok) + ':' + text + (window.isVisible() ? " while open" : "");
        });
        window.show();
        module.clearLog();
    }
    SpinBox* box(int type) const
    {
        const QList<SpinBox*> boxes = page->findChildren<SpinBox*>();
        return *std::find_if(boxes.begin(), boxes.end(), [type](SpinBox* b) { return b->sapType() == type; });
    }
    void click(const QString& name) const
    {
        const int standard = QMetaEnum::fromType<QDialogButtonBox::StandardButtons>().keyToValue(qPrintable(name));
        auto* button = page->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::StandardButton(standard));
        (standard < 0 ? page->findChild<QAbstractButton*>(name) : button)->click();
    }
};

} // namespace

class TestClosedLoop : public QObject
{
    Q_OBJECT
private slots:
    void buttonBox_data();
    void buttonBox();
    void steps_data();
    void steps();
};

void TestClosedLoop::buttonBox_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("writeRounds");
    QTest::addColumn<QStringList>("reports");
    QString program = "//Closed Loop settings\n";
    for (const Value& v : ModuleValues)
        program += QString::asprintf("  SAP %3d, 2, %8d  //Comment %d\n", v.type, v.value, v.type);
    program += "\nWaitInit:\n  GAP 133, 2            //Wait until CL-init finished\n   JC  ZE, WaitInit\n";
    QTest::newRow("ok writes, then reports the program") << "Ok" << 1 << QStringList{"1:" + program, "1:"};
    QTest::newRow("apply twice writes twice, reports nothing") << "Apply Apply" << 2 << QStringList();
    QTest::newRow("cancel writes nothing") << "Cancel" << 0 << QStringList{"0:"};
}

void TestClosedLoop::buttonBox()
{
    QFETCH(QString, clicks);
    QFETCH(int, writeRounds);
    QFETCH(QStringList, reports);
    Rig rig(2);
    const QStringList names = clicks.split(' ');
    for (const QString& name : names)
        rig.click(name);

    QStringList writes;
    for (int i = 0; i < writeRounds; ++i) {
        for (const Value& v : ModuleValues)
            writes << QString("set adr=1 cmd=0 type=%1 motor=2 value=%2").arg(v.type).arg(v.value);
    }
    QCOMPARE(rig.module.log(), writes);
    QCOMPARE(rig.reports, reports);
    QCOMPARE(rig.window.isVisible(), reports.isEmpty());
    QVERIFY(!rig.page->isHidden() && !rig.page->parentWidget()->isHidden()); // only the window is closed
}

void TestClosedLoop::steps_data()
{
    // Steps: "116=5" types into the box of parameter 116, "tab=1" picks a tab, "@" shows the page again, "@210=0"
    // after changing the module; else a click on the button of that name ("Ok": of the button box).
    // Expected: the same keys, and "btnBalanced=1" for a checked button. No row writes to the module.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("conservative") << "btnAggressive btnConservative"
                                  << "115=500 116=200 btnAggressive=0 btnConservative=1";
    QTest::newRow("balanced, clicked twice") << "btnBalanced btnBalanced" << "115=5000 116=400 btnBalanced=1";
    QTest::newRow("aggressive") << "btnBalanced btnAggressive" << "115=10000 116=1500 btnAggressive=1 btnBalanced=0";
    QTest::newRow("P clears the preset") << "btnBalanced 115=4999" << "116=400 btnBalanced=0";
    QTest::newRow("I clears the preset") << "btnBalanced 116=401" << "115=5000 btnBalanced=0";
    QTest::newRow("I clipping, I = 0 taken as 1") << "116=0 119=100000 btnCalculatePIP_I_CLIP" << "117=100000";
    QTest::newRow("I clipping, I = 20") << "116=20 119=100000 btnCalculatePIP_I_CLIP" << "117=5000";
    QTest::newRow("I clipping, I = 3 rounds") << "116=3 119=100 btnCalculatePIP_I_CLIP" << "117=33";
    QTest::newRow("I clipping, 2.5 rounds up") << "116=40 119=100 btnCalculatePIP_I_CLIP" << "117=3";
    QTest::newRow("alternative tolerance, 200 full steps, exponent 8, 4000 counts")
        << "btnAlternativScalerMaxTolerance" << "126=51 125=51";
    QTest::newRow("alternative tolerance 12.5 rounds up") << "@210=16384 btnAlternativScalerMaxTolerance"
                                                          << "126=13 125=13";
    QTest::newRow("alternative tolerance without encoder resolution") << "@210=0 btnAlternativScalerMaxTolerance"
                                                                      << "126=0 125=0";
    QTest::newRow("restore defaults leaves 125 alone")
        << "btnConservative RestoreDefaults"
        << "113=50 114=255 120=10000 121=100000 126=255 108=300000 109=1600000 110=255 115=3000 116=20 119=100000 "
           "117=2000 125=51 btnConservative=0";
    QTest::newRow("first show stays on the regulator") << "" << "tab=2";
    QTest::newRow("second show starts on the first tab") << "@" << "tab=0";
    QTest::newRow("later shows keep the tab") << "@ tab=1 @" << "tab=1";
}

void TestClosedLoop::steps()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    Rig rig;
    auto* tabs = rig.page->findChild<QTabWidget*>("twSettings");
    const QStringList stepList = steps.split(' ', Qt::SkipEmptyParts);
    for (const QString& step : stepList) {
        const QStringList pair = step.mid(step.startsWith('@') ? 1 : 0).split('=');
        if (step.startsWith('@')) {
            if (pair.size() == 2)
                rig.module.setValue(pair.at(0).toInt(), pair.at(1).toInt());
            rig.window.hide();
            rig.window.show();
            rig.module.clearLog();
        } else if (pair.at(0) == "tab") {
            tabs->setCurrentIndex(pair.at(1).toInt());
        } else if (pair.size() == 2) {
            rig.box(pair.at(0).toInt())->setValue(pair.at(1).toInt());
        } else {
            rig.click(step);
        }
    }
    const QStringList checks = expected.split(' ');
    for (const QString& check : checks) {
        const QString key = check.section('=', 0, 0);
        auto* button = rig.page->findChild<QAbstractButton*>(key);
        const int value = key == "tab" ? tabs->currentIndex()
                          : button     ? button->isChecked()
                                       : rig.box(key.toInt())->intValue();
        QCOMPARE(key + '=' + QString::number(value), check);
    }
    QVERIFY(rig.module.accesses().isEmpty());
    QVERIFY(rig.window.isVisible()); // nothing finished the page
}

QTEST_MAIN(TestClosedLoop)
#include "tst_closedloop.moc"
