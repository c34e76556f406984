#include <QAbstractButton>
#include <QButtonGroup>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMetaMethod>
#include <QPixmap>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <limits>

#include "closedloop.h"
#include "dataexchange.h"
#include "recordingmodule.h"
#include "spinbox.h"

Q_DECLARE_METATYPE(QDialogButtonBox::StandardButton)

namespace {

// Module values chosen so that the program lines exercise every field width.
const QList<QPair<int, int>> ModuleValues = {
    {120, -10000000}, {125, 51}, {113, 50}, {126, 255}, {121, 100000}, {114, 200}, {110, 250},
    {108, 300000}, {109, 1600000}, {116, 20}, {119, 100000}, {115, 3000}, {117, -5},
};

const QList<int> BoxOrder = {120, 125, 113, 126, 121, 114, 110, 108, 109, 116, 119, 115, 117};

// The page inside its tool inside the host window, as the plug-in places it.
struct Rig
{
    explicit Rig(int axis = 0, bool withExchange = true)
    {
        for (const auto& v : ModuleValues)
            module.setValue(v.first, v.second);
        module.setValue(210, 4000);
        module.setValue(202, 200);
        module.setValue(140, 8);
        tool = new QWidget(&window);
        page = new ClosedLoop(tool);
        (new QVBoxLayout(&window))->addWidget(tool);
        (new QVBoxLayout(tool))->addWidget(page);
        exchange.setCurrentAxis(axis);
        if (withExchange)
            page->setDataExchange(&exchange);
        QObject::connect(page, &BaseSettings::executed, page,
                         [this](bool apply, QString text) { reports.append({apply, text}); });
        module.clearLog();
    }

    template <typename T = QWidget>
    T* child(const char* name) const
    {
        T* widget = page->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    SpinBox* box(int type) const
    {
        for (SpinBox* b : page->findChildren<SpinBox*>()) {
            if (b->sapType() == type)
                return b;
        }
        qFatal("no box for %d", type);
        return nullptr;
    }
    void click(QDialogButtonBox::StandardButton which) const
    {
        child<QDialogButtonBox>("buttonBox")->button(which)->click();
    }
    QList<RecordingModule::Access> writes() const
    {
        QList<RecordingModule::Access> result;
        for (const auto& a : module.accesses()) {
            if (a.kind == RecordingModule::Access::Set)
                result.append(a);
        }
        return result;
    }
    QStringList checkedPresets() const
    {
        QStringList names;
        for (QAbstractButton* b : child<QButtonGroup>("bgRegulatorPresets")->buttons()) {
            if (b->isChecked())
                names.append(b->objectName());
        }
        return names;
    }

    RecordingModule module;
    DataExchange exchange{&module, nullptr};
    QWidget window;
    QWidget* tool = nullptr;
    ClosedLoop* page = nullptr;
    QList<QPair<bool, QString>> reports;
};

RecordingModule::Access write(int type, int value, int axis)
{
    return {RecordingModule::Access::Set, 1, 0, quint8(type), quint8(axis), value};
}

} // namespace

class TestClosedLoop : public QObject
{
    Q_OBJECT

private slots:
    void boxCreationOrder();
    void boxPlacement_data();
    void boxPlacement();
    void slotOrder();
    void formTexts_data();
    void formTexts();
    void showReadsEveryBox();
    void accept_data();
    void accept();
    void applyTwiceWritesTwice();
    void cancelWritesNothing();
    void withoutExchange_data();
    void withoutExchange();
    void presets_data();
    void presets();
    void presetAlreadyInBoxesStaysChecked();
    void iClipping_data();
    void iClipping();
    void alternativeTolerance_data();
    void alternativeTolerance();
    void alternativeButtonWithEmptyDescription();
    void restoreDefaultsKeepsMaxTolerance();
    void showCountdownChoosesTab();
    void axisCaption();
    void toolTips();
    void picturesAreShown();
};

void TestClosedLoop::boxCreationOrder()
{
    Rig rig;
    // Per tab: the stacked pages of a tab widget change their sibling order whenever the
    // current tab changes.
    auto* tabs = rig.child<QTabWidget>("twSettings");
    QCOMPARE(tabs->count(), 3);
    QStringList names;
    QList<int> types;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        for (SpinBox* b : tabs->widget(tab)->findChildren<SpinBox*>()) {
            names.append(b->objectName());
            types.append(b->sapType());
            QCOMPARE(b->buttonSymbols(), QAbstractSpinBox::NoButtons);
            QVERIFY(!b->isReadOnly());
        }
    }
    QCOMPARE(names, QStringList({"spUpscaleDelay", "spMaxTolerance", "spCurrentMinimum", "spScalerStartUp",
                                 "spDownscaleDelay", "spCurrentMaximum", "spClMaximumGamma", "spClGammaVmin",
                                 "spClGammaVmax", "spClCorrectionVelocityI", "spClCorrectionDV_Clipping",
                                 "spClCorrectionVelocityP", "spClCorrectionVelocityI_Clipping"}));
    QCOMPARE(types, BoxOrder);

    auto* group = rig.child<QButtonGroup>("bgRegulatorPresets");
    QVERIFY(!group->exclusive());
    QStringList presets;
    for (QAbstractButton* b : group->buttons()) {
        presets.append(b->objectName());
        QVERIFY(b->isCheckable());
    }
    QCOMPARE(presets, QStringList({"btnAggressive", "btnConservative", "btnBalanced"}));
    QVERIFY(rig.checkedPresets().isEmpty());
}

void TestClosedLoop::boxPlacement_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    QTest::newRow("scaler minimum") << "spCurrentMinimum" << "twPageBasic" << 0 << 1;
    QTest::newRow("scaler maximum") << "spCurrentMaximum" << "twPageBasic" << 1 << 1;
    QTest::newRow("upscale delay") << "spUpscaleDelay" << "twPageBasic" << 2 << 1;
    QTest::newRow("downscale delay") << "spDownscaleDelay" << "twPageBasic" << 3 << 1;
    QTest::newRow("max tolerance") << "spMaxTolerance" << "twPageBasic" << 5 << 1;
    QTest::newRow("scaler start up") << "spScalerStartUp" << "twPageBasic" << 6 << 1;
    QTest::newRow("gamma vmin") << "spClGammaVmin" << "twPageFielWeakening" << 0 << 1;
    QTest::newRow("gamma vmax") << "spClGammaVmax" << "twPageFielWeakening" << 1 << 1;
    QTest::newRow("maximum gamma") << "spClMaximumGamma" << "twPageFielWeakening" << 2 << 1;
    QTest::newRow("P") << "spClCorrectionVelocityP" << "twPageCorrection" << 0 << 1;
    QTest::newRow("I") << "spClCorrectionVelocityI" << "twPageCorrection" << 1 << 1;
    QTest::newRow("conservative") << "btnConservative" << "twPageCorrection" << 2 << 1;
    QTest::newRow("balanced") << "btnBalanced" << "twPageCorrection" << 3 << 1;
    QTest::newRow("aggressive") << "btnAggressive" << "twPageCorrection" << 4 << 1;
    QTest::newRow("DV clipping") << "spClCorrectionDV_Clipping" << "twPageCorrection" << 5 << 1;
    QTest::newRow("I clipping") << "spClCorrectionVelocityI_Clipping" << "twPageCorrection" << 6 << 1;
    QTest::newRow("number label 113") << "lblType113" << "twPageBasic" << 0 << 2;
    QTest::newRow("number label 117") << "lblType117" << "twPageCorrection" << 6 << 2;
}

void TestClosedLoop::boxPlacement()
{
    QFETCH(QString, name);
    QFETCH(QString, tab);
    QFETCH(int, row);
    QFETCH(int, column);

    Rig rig;
    QWidget* widget = rig.child(name.toLatin1().constData());
    QCOMPARE(widget->parentWidget()->objectName(), tab);
    auto* grid = qobject_cast<QGridLayout*>(widget->parentWidget()->layout());
    QVERIFY(grid);
    int r = -1, c = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(widget), &r, &c, &rowSpan, &columnSpan);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
}

void TestClosedLoop::slotOrder()
{
    const QMetaObject& mo = ClosedLoop::staticMetaObject;
    QStringList methods;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
        methods.append(QString::fromLatin1(mo.method(i).methodSignature()));
    QCOMPARE(methods, QStringList({"currentAxisChanged()", "on_buttonBox_clicked(QAbstractButton*)",
                                 "on_bgRegulatorPresets_buttonClicked(QAbstractButton*)",
                                 "on_btnCalculatePIP_I_CLIP_clicked()",
                                 "on_spClCorrectionVelocityI_valueChanged(int)",
                                 "on_spClCorrectionVelocityP_valueChanged(int)",
                                 "on_btnAlternativScalerMaxTolerance_clicked()"}));
}

void TestClosedLoop::formTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("DV clipping caption") << "label_27"
                                         << "<html><head/><body><p>CL  correction velocity DV clipping</p></body></html>";
    QTest::newRow("I clipping caption") << "label_26"
                                        << "<html><head/><body><p>CL  correction velocity I clipping</p></body></html>";
    QTest::newRow("gamma subscript") << "label_22"
                                     << "<html><head/><body><p>CL gamma V<span style=\" vertical-align:sub;\">min</span></p></body></html>";
    QTest::newRow("conservative") << "btnConservative" << "  conservative  ";
    QTest::newRow("I clipping button") << "btnCalculatePIP_I_CLIP" << "Set I clipping";
    QTest::newRow("alternative button") << "btnAlternativScalerMaxTolerance" << "Alternative";
    QTest::newRow("number label") << "lblType119" << "119";
}

void TestClosedLoop::formTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    Rig rig;
    QObject* object = rig.child<QObject>(name.toLatin1().constData());
    QCOMPARE(object->property("text").toString(), text);
    if (name == "btnCalculatePIP_I_CLIP")
        QCOMPARE(object->property("description").toString(), QString("Calculate  PID_I_CLIP = PID_DV_CLIP / PID_I"));
}

void TestClosedLoop::showReadsEveryBox()
{
    Rig rig(1);
    rig.page->findChild<QPushButton*>("btnBalanced")->click();
    rig.module.clearLog();
    rig.window.show();

    QList<int> reads;
    for (const auto& a : rig.module.accesses()) {
        QCOMPARE(a.kind, RecordingModule::Access::Get);
        QCOMPARE(int(a.motor), 1);
        reads.append(a.type);
    }
    QCOMPARE(reads, BoxOrder + QList<int>({210, 202, 140}));
    for (const auto& v : ModuleValues)
        QCOMPARE(rig.box(v.first)->intValue(), v.second);
    QVERIFY(rig.checkedPresets().isEmpty());
}

void TestClosedLoop::accept_data()
{
    QTest::addColumn<QDialogButtonBox::StandardButton>("button");
    QTest::addColumn<int>("axis");

    QTest::newRow("apply on axis 0") << QDialogButtonBox::Apply << 0;
    QTest::newRow("ok on axis 0") << QDialogButtonBox::Ok << 0;
    QTest::newRow("ok on axis 2") << QDialogButtonBox::Ok << 2;
}

void TestClosedLoop::accept()
{
    QFETCH(QDialogButtonBox::StandardButton, button);
    QFETCH(int, axis);

    Rig rig(axis);
    rig.window.show();
    rig.module.clearLog();
    rig.click(button);

    QList<RecordingModule::Access> expectedWrites;
    for (int type : BoxOrder) {
        for (const auto& v : ModuleValues) {
            if (v.first == type)
                expectedWrites.append(write(type, v.second, axis));
        }
    }
    QCOMPARE(rig.writes(), expectedWrites);
    QCOMPARE(rig.writes().size(), rig.module.accesses().size());

    if (button == QDialogButtonBox::Apply) {
        QVERIFY(rig.reports.isEmpty());
        QVERIFY(rig.window.isVisible());
        return;
    }

    QVERIFY(!rig.window.isVisible());
    QCOMPARE(rig.reports.size(), 2);
    QCOMPARE(rig.reports.at(1), qMakePair(true, QString()));
    QVERIFY(rig.reports.at(0).first);
    const QString expected = QStringLiteral(
        "//Closed Loop settings\n"
        "  SAP 120, %1, -10000000  //Comment 120\n"
        "  SAP 125, %1,       51  //Comment 125\n"
        "  SAP 113, %1,       50  //Comment 113\n"
        "  SAP 126, %1,      255  //Comment 126\n"
        "  SAP 121, %1,   100000  //Comment 121\n"
        "  SAP 114, %1,      200  //Comment 114\n"
        "  SAP 110, %1,      250  //Comment 110\n"
        "  SAP 108, %1,   300000  //Comment 108\n"
        "  SAP 109, %1,  1600000  //Comment 109\n"
        "  SAP 116, %1,       20  //Comment 116\n"
        "  SAP 119, %1,   100000  //Comment 119\n"
        "  SAP 115, %1,     3000  //Comment 115\n"
        "  SAP 117, %1,       -5  //Comment 117\n"
        "\n"
        "WaitInit:\n"
        "  GAP 133, %1            //Wait until CL-init finished\n"
        "   JC  ZE, WaitInit\n").arg(axis);
    const QStringList got = rig.reports.at(0).second.split('\n');
    const QStringList want = expected.split('\n');
    for (int i = 0; i < qMin(got.size(), want.size()); ++i)
        QCOMPARE(got.at(i), want.at(i));
    QCOMPARE(got.size(), want.size());
}

void TestClosedLoop::applyTwiceWritesTwice()
{
    Rig rig;
    rig.window.show();
    rig.module.clearLog();
    rig.click(QDialogButtonBox::Apply);
    const QList<RecordingModule::Access> once = rig.writes();
    QCOMPARE(once.size(), 13);
    rig.click(QDialogButtonBox::Apply);
    QCOMPARE(rig.writes(), once + once);
    QVERIFY(rig.reports.isEmpty());
    QVERIFY(rig.window.isVisible());
}

void TestClosedLoop::cancelWritesNothing()
{
    Rig rig;
    rig.window.show();
    rig.module.clearLog();
    rig.click(QDialogButtonBox::Cancel);
    QVERIFY(rig.module.accesses().isEmpty());
    QCOMPARE(rig.reports, (QList<QPair<bool, QString>>{{false, QString()}}));
    QVERIFY(!rig.window.isVisible());
}

void TestClosedLoop::withoutExchange_data()
{
    QTest::addColumn<QDialogButtonBox::StandardButton>("button");
    QTest::newRow("apply") << QDialogButtonBox::Apply;
    QTest::newRow("ok") << QDialogButtonBox::Ok;
}

void TestClosedLoop::withoutExchange()
{
    QFETCH(QDialogButtonBox::StandardButton, button);

    Rig rig(0, false);
    rig.window.show();
    QVERIFY(rig.child<QCommandLinkButton>("btnAlternativScalerMaxTolerance")->description().isEmpty());
    rig.click(button);
    QVERIFY(rig.module.accesses(true).isEmpty());
    QVERIFY(rig.reports.isEmpty());
    QVERIFY(rig.window.isVisible());
}

void TestClosedLoop::presets_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("i");

    QTest::newRow("conservative") << "btnConservative" << 500 << 200;
    QTest::newRow("balanced") << "btnBalanced" << 5000 << 400;
    QTest::newRow("aggressive") << "btnAggressive" << 10000 << 1500;
}

void TestClosedLoop::presets()
{
    QFETCH(QString, preset);
    QFETCH(int, p);
    QFETCH(int, i);

    Rig rig;
    rig.window.show();
    rig.module.clearLog();
    auto* button = rig.child<QPushButton>(preset.toLatin1().constData());
    SpinBox* boxP = rig.box(115);
    SpinBox* boxI = rig.box(116);

    // Another preset first, so that the switch has to uncheck it.
    rig.child<QPushButton>(preset == "btnAggressive" ? "btnBalanced" : "btnAggressive")->click();
    button->click();
    QCOMPARE(boxP->intValue(), p);
    QCOMPARE(boxI->intValue(), i);
    QCOMPARE(rig.checkedPresets(), QStringList(preset));

    boxP->setValue(p + 1);
    QVERIFY(rig.checkedPresets().isEmpty());
    QCOMPARE(boxI->intValue(), i);

    button->click();
    QCOMPARE(boxP->intValue(), p);
    QCOMPARE(rig.checkedPresets(), QStringList(preset));

    // Clicking the checked preset once more keeps it.
    button->click();
    QCOMPARE(rig.checkedPresets(), QStringList(preset));

    boxI->setValue(i - 1);
    QVERIFY(rig.checkedPresets().isEmpty());
    QCOMPARE(boxP->intValue(), p);
    QVERIFY(rig.module.accesses().isEmpty());
}

void TestClosedLoop::presetAlreadyInBoxesStaysChecked()
{
    Rig rig;
    rig.box(115)->setValue(5000);
    rig.box(116)->setValue(400);
    rig.child<QPushButton>("btnBalanced")->click();
    QCOMPARE(rig.checkedPresets(), QStringList("btnBalanced"));
}

void TestClosedLoop::iClipping_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("dv");
    QTest::addColumn<int>("expected");

    QTest::newRow("I zero taken as one") << 0 << 100000 << 100000;
    QTest::newRow("I negative taken as one") << -7 << 100000 << 100000;
    QTest::newRow("default values") << 20 << 100000 << 5000;
    QTest::newRow("rounds down below half") << 3 << 100 << 33;
    QTest::newRow("rounds half up") << 2 << 5 << 3;
    QTest::newRow("negative half toward plus") << 2 << -5 << -2;
}

void TestClosedLoop::iClipping()
{
    QFETCH(int, i);
    QFETCH(int, dv);
    QFETCH(int, expected);

    Rig rig;
    rig.box(116)->setValue(i);
    rig.box(119)->setValue(dv);
    rig.child<QCommandLinkButton>("btnCalculatePIP_I_CLIP")->click();
    QCOMPARE(rig.box(117)->intValue(), expected);
    QVERIFY(rig.module.accesses().isEmpty());
}

void TestClosedLoop::alternativeTolerance_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("fullSteps");
    QTest::addColumn<int>("exponent");
    QTest::addColumn<int>("expected");

    QTest::newRow("200 steps, 256 microsteps, 4000 counts") << 4000 << 200 << 8 << 51;
    QTest::newRow("half rounds up") << 320 << 200 << 0 << 3;
    QTest::newRow("negative half toward plus") << -320 << 200 << 0 << -2;
    QTest::newRow("no encoder resolution") << 0 << 200 << 8 << 0;
    QTest::newRow("negative exponent") << 4000 << 200 << -1 << 0;
    QTest::newRow("beyond int") << 1 << 200 << 40 << std::numeric_limits<int>::max();
    QTest::newRow("beyond int, negative") << -1 << 200 << 40 << std::numeric_limits<int>::min();
    QTest::newRow("huge exponent") << 4000 << 200 << std::numeric_limits<int>::max()
                                   << std::numeric_limits<int>::max();
}

void TestClosedLoop::alternativeTolerance()
{
    QFETCH(int, resolution);
    QFETCH(int, fullSteps);
    QFETCH(int, exponent);
    QFETCH(int, expected);

    Rig rig;
    rig.module.setValue(210, resolution);
    rig.module.setValue(202, fullSteps);
    rig.module.setValue(140, exponent);
    rig.window.show();

    auto* button = rig.child<QCommandLinkButton>("btnAlternativScalerMaxTolerance");
    const QString description = button->description();
    QVERIFY2(description.endsWith(QStringLiteral(": %1").arg(expected)), qPrintable(description));
    QVERIFY(description.contains("126"));
    QVERIFY(description.contains("125"));

    rig.module.clearLog();
    button->click();
    QCOMPARE(rig.box(126)->intValue(), expected);
    QCOMPARE(rig.box(125)->intValue(), expected);
    QVERIFY(rig.module.accesses().isEmpty());
}

void TestClosedLoop::alternativeButtonWithEmptyDescription()
{
    Rig rig(0, false);
    rig.page->setDataExchange(&rig.exchange); // bound, but never shown
    rig.box(126)->setValue(7);
    rig.box(125)->setValue(7);
    rig.child<QCommandLinkButton>("btnAlternativScalerMaxTolerance")->click();
    QCOMPARE(rig.box(126)->intValue(), 0);
    QCOMPARE(rig.box(125)->intValue(), 0);
}

void TestClosedLoop::restoreDefaultsKeepsMaxTolerance()
{
    Rig rig;
    rig.window.show();
    rig.box(125)->setValue(77);
    rig.child<QPushButton>("btnConservative")->click();
    rig.module.clearLog();

    rig.click(QDialogButtonBox::RestoreDefaults);
    const QList<QPair<int, int>> defaults = {
        {113, 50}, {114, 255}, {120, 10000}, {121, 100000}, {126, 255}, {108, 300000},
        {109, 1600000}, {110, 255}, {115, 3000}, {116, 20}, {119, 100000}, {117, 2000},
    };
    for (const auto& d : defaults)
        QCOMPARE(rig.box(d.first)->intValue(), d.second);
    QCOMPARE(rig.box(125)->intValue(), 77);
    QVERIFY(rig.checkedPresets().isEmpty());
    QVERIFY(rig.module.accesses().isEmpty());
    QVERIFY(rig.reports.isEmpty());
    QVERIFY(rig.window.isVisible());
}

void TestClosedLoop::showCountdownChoosesTab()
{
    Rig rig;
    auto* tabs = rig.child<QTabWidget>("twSettings");
    QCOMPARE(tabs->currentWidget()->objectName(), QString("twPageCorrection"));

    rig.window.show();
    QCOMPARE(tabs->currentWidget()->objectName(), QString("twPageCorrection"));
    rig.window.hide();
    rig.window.show();
    QCOMPARE(tabs->currentWidget()->objectName(), QString("twPageBasic"));

    tabs->setCurrentIndex(1);
    rig.window.hide();
    rig.window.show();
    QCOMPARE(tabs->currentIndex(), 1);
}

void TestClosedLoop::axisCaption()
{
    Rig rig;
    auto* caption = rig.child<QLabel>("lblCurrentAxis");
    QCOMPARE(caption->text(), QString("Axis not yet specified"));
    rig.exchange.setCurrentAxis(3);
    QCOMPARE(caption->text(), QString("Motor / Encoder 3"));
}

void TestClosedLoop::toolTips()
{
    Rig rig;
    for (int type : {113, 114, 120, 121, 125, 126, 108, 109, 110})
        QCOMPARE(rig.child<QLabel>(qPrintable(QString("lblType%1").arg(type)))->toolTip(), QString("Tip %1").arg(type));
    for (int type : {115, 116, 117, 119})
        QVERIFY(rig.child<QLabel>(qPrintable(QString("lblType%1").arg(type)))->toolTip().isEmpty());
}

void TestClosedLoop::picturesAreShown()
{
    Rig rig;
    // As the tool sizes its window: from the contents of the scroll area.
    rig.window.show();
    rig.window.resize(rig.child("scrollAreaWidgetContents")->sizeHint() + QSize(60, 60));
    auto* tabs = rig.child<QTabWidget>("twSettings");

    const QList<QPair<QString, QString>> pictures = {
        {"lblPmCurrentScaling", ":/Images/rcc/Images/CurrentLevelControl.svg"},
        {"lblPmFieldWeaking", ":/Images/rcc/Images/FielWeakening.svg"},
        {"lblPmCorrection", ":/Images/rcc/Images/PositionCatchUp.svg"},
    };
    for (const auto& picture : pictures) {
        auto* label = rig.child<QLabel>(qPrintable(picture.first));
        QVERIFY(!QPixmap(picture.second).isNull());
        QCOMPARE(label->styleSheet(), QString("image: url(%1)").arg(picture.second));
        QCOMPARE(label->frameShape(), QFrame::Box);
        QVERIFY(label->toolTip().startsWith("<img src=\"data:image/png;base64,"));

        // The drawing must really reach the screen: more than frame and background colours.
        tabs->setCurrentWidget(label->parentWidget());
        const QImage image = label->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        }
        QVERIFY2(colours.size() > 4, qPrintable(picture.first));
    }

    tabs->setCurrentWidget(rig.child("twPageCorrection"));
    QVERIFY(rig.page->grab().save("/tmp/closedloop.png"));
}

QTEST_MAIN(TestClosedLoop)
#include "tst_closedloop.moc"
