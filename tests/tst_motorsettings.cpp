#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include "dataexchange.h"
#include "motorsettings.h"
#include "recordingmodule.h"
#include "spinbox.h"

namespace {

// The page inside a tool widget inside a window, as the host holds it, so that finishing
// closes the window.
struct Rig
{
    explicit Rig(const QString& firmware = QStringLiteral("7391"), bool bind = true, int axis = 0)
    {
        module.setFirmwareName(firmware);
        exchange.setCurrentAxis(axis);
        tool = new QWidget(&window);
        page = new MotorSettings(tool);
        if (bind)
            page->setDataExchange(&exchange);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        module.clearLog();
    }

    template<class T>
    T* child(const char* name) const
    {
        T* found = page->findChild<T*>(QLatin1String(name));
        return found;
    }
    QComboBox* fullSteps() const { return child<QComboBox>("cmbFullStepResulotion"); }
    QComboBox* microsteps() const { return child<QComboBox>("cmbMicrosteps"); }
    SpinBox* run() const { return child<SpinBox>("spMaxRunCurrent"); }
    SpinBox* standby() const { return child<SpinBox>("spStanbyCurrent"); }
    QLineEdit* customEdit() const
    {
        auto* view = qobject_cast<QTableView*>(fullSteps()->view());
        return view ? qobject_cast<QLineEdit*>(view->indexWidget(fullSteps()->model()->index(0, 1))) : nullptr;
    }
    QString cell(int row, int column) const { return fullSteps()->model()->index(row, column).data().toString(); }
    void typeCustom(const QString& text) const
    {
        QLineEdit* edit = customEdit();
        edit->setText(QStringLiteral("5"));
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void click(QDialogButtonBox::StandardButton which) const
    {
        child<QDialogButtonBox>("buttonBox")->button(which)->click();
    }

    RecordingModule module;
    DataExchange exchange{&module, nullptr};
    QWidget window;
    QWidget* tool = nullptr;
    MotorSettings* page = nullptr;
};

QString written(int type, int value, int motor = 0)
{
    return RecordingModule::Access{RecordingModule::Access::Set, 1, 0, quint8(type), quint8(motor), value}.toString();
}

QStringList reads(const QList<int>& types, int motor = 0)
{
    QStringList lines;
    for (int type : types)
        lines << gap(quint8(type), quint8(motor)).toString();
    return lines;
}

} // namespace

class TestMotorSettings : public QObject
{
    Q_OBJECT
private slots:
    void form();
    void binding();
    void slotSignatures();
    void microstepTable_data();
    void microstepTable();
    void refreshFullSteps_data();
    void refreshFullSteps();
    void refreshFindsCustomRowFirst();
    void refreshDirectionAndMicrosteps_data();
    void refreshDirectionAndMicrosteps();
    void refreshReadOrder();
    void refreshKeepsBoxOnFailedRead();
    void customAngle_data();
    void customAngle();
    void apply_data();
    void apply();
    void applyTypedCustomCount();
    void cancel();
    void withoutExchange();
    void current_data();
    void current();
    void jumperRemoval_data();
    void jumperRemoval();
};

void TestMotorSettings::form()
{
    Rig rig;
    auto* tabs = rig.child<QTabWidget>("twSettings");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Basic settings"));
    QCOMPARE(rig.child<QComboBox>("cmbJumper")->currentText(), QStringLiteral("none"));
    QVERIFY(rig.child<QWidget>("scrollAreaWidgetContents"));
    // Creation order decides the order of reads, writes and program lines.
    const QList<SpinBox*> boxes = rig.page->findChildren<SpinBox*>();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.at(0), rig.standby());
    QCOMPARE(boxes.at(1), rig.run());
    QCOMPARE(rig.fullSteps()->maxVisibleItems(), 13);
    QCOMPARE(rig.microsteps()->maxVisibleItems(), 9);
    QCOMPARE(rig.customEdit()->placeholderText(), QStringLiteral("Edit"));
    QCOMPARE(rig.cell(0, 1), QStringLiteral("°"));

    const QString grabPath = qEnvironmentVariable("MOTORSETTINGS_GRAB");
    if (!grabPath.isEmpty()) {
        rig.module.setValue(202, 500);
        rig.module.setValue(140, 8);
        rig.module.setValue(6, 128);
        rig.window.show();
        rig.page->resize(rig.child<QWidget>("scrollAreaWidgetContents")->sizeHint() + QSize(8, 8));
        QVERIFY(rig.page->grab().save(grabPath));
    }
}

void TestMotorSettings::binding()
{
    Rig rig(QStringLiteral("7391"), false);
    rig.page->setDataExchange(&rig.exchange);
    const QString caller = QStringLiteral("virtual void MotorSettings::setDataExchange(DataExchange*)|axis0|");
    QCOMPARE(rig.module.parameterQueries(),
             QStringList({caller + "par::MaxCurrent", caller + "par::StandbyCurrent"}));
    QCOMPARE(rig.run()->sapType(), 6);
    QCOMPARE(rig.standby()->sapType(), 7);
    QCOMPARE(rig.child<QLabel>("lblMaxRunCurrent")->toolTip(), QStringLiteral("Tip 6"));
    QCOMPARE(rig.child<QLabel>("lblStandbyCurrent")->toolTip(), QStringLiteral("Tip 7"));

    rig.exchange.setCurrentAxis(3);
    QCOMPARE(rig.child<QLabel>("lblCurrentAxis")->text(), QStringLiteral("Motor / Encoder 3"));
}

void TestMotorSettings::slotSignatures()
{
    // The host and the form reach these by signature.
    const QMetaObject& meta = MotorSettings::staticMetaObject;
    QStringList signatures;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        signatures << QString::fromLatin1(meta.method(i).methodSignature());
    QCOMPARE(signatures, QStringList({"currentAxisChanged()", "angel(QString)", "calcCurrent(int)",
                                      "on_buttonBox_clicked(QAbstractButton*)",
                                      "on_cmbJumper_currentIndexChanged(int)"}));
}

void TestMotorSettings::microstepTable_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("tip");
    const QString weak = QStringLiteral("Closed Loop will not working");
    QTest::newRow("full step") << 0 << "Fullstep" << "gold" << weak;
    QTest::newRow("4 microsteps") << 2 << "4 µsteps" << "gold" << weak;
    QTest::newRow("256 microsteps") << 8 << "256 µsteps" << "lime" << "Recommend for Close Loop";
}

void TestMotorSettings::microstepTable()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QFETCH(QString, tip);
    Rig rig;
    QComboBox* box = rig.microsteps();
    QCOMPARE(box->count(), 9);
    box->setCurrentIndex(row);
    QCOMPARE(box->currentText(), text);
    const QModelIndex shown = box->model()->index(row, 1);
    QCOMPARE(box->model()->index(row, 0).data().toString(), QString::number(row));
    QCOMPARE(shown.data(Qt::DecorationRole).value<QColor>(), QColor(colour));
    QCOMPARE(shown.data(Qt::ToolTipRole).toString(), tip);
}

void TestMotorSettings::refreshFullSteps_data()
{
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QString>("typed");
    QTest::newRow("listed 200") << 200 << 3 << "1.8°" << "";
    QTest::newRow("listed 4") << 4 << 12 << "90°" << "";
    QTest::newRow("unlisted 500") << 500 << 0 << "0.72°" << "500";
    QTest::newRow("unlisted 7") << 7 << 0 << "51.429°" << "7";
    QTest::newRow("unlisted 65535") << 65535 << 0 << "0.005°" << "65535";
    QTest::newRow("zero counts as 200") << 0 << 3 << "1.8°" << "";
    QTest::newRow("negative counts as 200") << -7 << 3 << "1.8°" << "";
}

void TestMotorSettings::refreshFullSteps()
{
    QFETCH(int, reported);
    QFETCH(int, index);
    QFETCH(QString, angle);
    QFETCH(QString, typed);
    Rig rig;
    rig.module.setValue(202, reported);
    rig.window.show();
    QCOMPARE(rig.fullSteps()->currentIndex(), index);
    QCOMPARE(rig.fullSteps()->currentText(), angle);
    QCOMPARE(rig.customEdit()->text(), typed);
}

void TestMotorSettings::refreshFindsCustomRowFirst()
{
    Rig rig;
    // A cleared custom row stands for 200 full steps itself.
    rig.typeCustom(QString());
    QCOMPARE(rig.cell(0, 1), QStringLiteral("200"));
    rig.module.setValue(202, 200);
    rig.window.show();
    QCOMPARE(rig.fullSteps()->currentIndex(), 0);
    QCOMPARE(rig.fullSteps()->currentText(), QStringLiteral("1.8°"));
}

void TestMotorSettings::refreshDirectionAndMicrosteps_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("microsteps");
    QTest::addColumn<int>("index");
    QTest::newRow("normal, full step") << 0 << false << 0 << 0;
    QTest::newRow("reversed, 256") << 1 << true << 8 << 8;
    QTest::newRow("negative direction is reversed") << -1 << true << 4 << 4;
    QTest::newRow("microsteps above range") << 0 << false << 9 << -1;
    QTest::newRow("microsteps below range") << 0 << false << -1 << -1;
}

void TestMotorSettings::refreshDirectionAndMicrosteps()
{
    QFETCH(int, direction);
    QFETCH(bool, reversed);
    QFETCH(int, microsteps);
    QFETCH(int, index);
    Rig rig;
    rig.child<QCheckBox>("cbReverseMotorDirection")->setChecked(!reversed);
    rig.microsteps()->setCurrentIndex(3);
    rig.module.setValue(251, direction);
    rig.module.setValue(140, microsteps);
    rig.window.show();
    QCOMPARE(rig.child<QCheckBox>("cbReverseMotorDirection")->isChecked(), reversed);
    QCOMPARE(rig.microsteps()->currentIndex(), index);
}

void TestMotorSettings::refreshReadOrder()
{
    Rig rig(QStringLiteral("7391"), true, 2);
    rig.module.setValue(7, 20);
    rig.module.setValue(6, 200);
    rig.window.show();
    // Each changed current box recomputes the labels, which reads the range flag.
    QCOMPARE(rig.module.log(), reads({251, 202, 140, 7, 179, 6, 179}, 2));
    QCOMPARE(rig.standby()->intValue(), 20);
    QCOMPARE(rig.run()->intValue(), 200);

    rig.module.clearLog();
    rig.window.hide();
    rig.window.show();
    QCOMPARE(rig.module.log(), reads({251, 202, 140, 7, 6}, 2));
}

void TestMotorSettings::refreshKeepsBoxOnFailedRead()
{
    Rig rig;
    rig.standby()->setValue(33);
    rig.module.setValue(7, 20);
    rig.module.setValue(6, 200);
    rig.module.setFailing(7);
    rig.window.show();
    QCOMPARE(rig.standby()->intValue(), 33);
    QCOMPARE(rig.run()->intValue(), 200);
}

void TestMotorSettings::customAngle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QString>("count");
    QTest::newRow("7") << "7" << true << "51.429°" << "7";
    QTest::newRow("360") << "360" << true << "1°" << "360";
    QTest::newRow("720") << "720" << true << "0.5°" << "720";
    QTest::newRow("65535") << "65535" << true << "0.005°" << "65535";
    QTest::newRow("3, zeros before the point stay") << "3" << true << "120°" << "3";
    QTest::newRow("cleared") << "" << true << "1.8°" << "200";
    QTest::newRow("0 while typing") << "0" << true << "" << "0";
    QTest::newRow("not a number") << "x12" << false << "" << "x12";
}

void TestMotorSettings::customAngle()
{
    QFETCH(QString, text);
    QFETCH(bool, typed);
    QFETCH(QString, angle);
    QFETCH(QString, count);
    Rig rig;
    if (typed) {
        rig.typeCustom(text);
        QCOMPARE(rig.customEdit()->text(), text);
    } else {
        rig.customEdit()->setText(text);
    }
    QCOMPARE(rig.cell(0, 0), angle);
    QCOMPARE(rig.cell(0, 1), count);
}

void TestMotorSettings::apply_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("fullSteps");
    QTest::addColumn<int>("microsteps");
    QTest::addColumn<int>("standby");
    QTest::addColumn<int>("run");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("program");

    QTest::newRow("axis 0, listed count")
        << 0 << 0 << 200 << 8 << 10 << 255
        << QStringList({written(251, 0), written(202, 200), written(140, 8), written(7, 10), written(6, 255)})
        << QStringLiteral("//Motor settings\n"
                          "  SAP 251, 0,        0  //Reverse shaft\n"
                          "  SAP 202, 0,      200  //1.8°\n"
                          "  SAP 140, 0,        8  //256 µsteps\n"
                          "  SAP   7, 0,       10  //Comment 7\n"
                          "  SAP   6, 0,      255  //Comment 6\n");
    QTest::newRow("axis 1, reversed, custom count")
        << 1 << 1 << 500 << 0 << 0 << 1000
        << QStringList({written(251, 1, 1), written(202, 500, 1), written(140, 0, 1), written(7, 0, 1),
                        written(6, 1000, 1)})
        << QStringLiteral("//Motor settings\n"
                          "  SAP 251, 1,        1  //Reverse shaft\n"
                          "  SAP 202, 1,      500  //0.72°\n"
                          "  SAP 140, 1,        0  //Fullstep\n"
                          "  SAP   7, 1,        0  //Comment 7\n"
                          "  SAP   6, 1,     1000  //Comment 6\n");
    QTest::newRow("negative current")
        << 0 << 0 << 4 << 1 << -5 << 3
        << QStringList({written(251, 0), written(202, 4), written(140, 1), written(7, -5), written(6, 3)})
        << QStringLiteral("//Motor settings\n"
                          "  SAP 251, 0,        0  //Reverse shaft\n"
                          "  SAP 202, 0,        4  //90°\n"
                          "  SAP 140, 0,        1  //Halfstep\n"
                          "  SAP   7, 0,       -5  //Comment 7\n"
                          "  SAP   6, 0,        3  //Comment 6\n");
}

void TestMotorSettings::apply()
{
    QFETCH(int, axis);
    QFETCH(int, direction);
    QFETCH(int, fullSteps);
    QFETCH(int, microsteps);
    QFETCH(int, standby);
    QFETCH(int, run);
    QFETCH(QStringList, writes);
    QFETCH(QString, program);
    Rig rig(QStringLiteral("7391"), true, axis);
    rig.module.setValue(251, direction);
    rig.module.setValue(202, fullSteps);
    rig.module.setValue(140, microsteps);
    rig.module.setValue(7, standby);
    rig.module.setValue(6, run);
    rig.window.show();
    rig.module.clearLog();
    QSignalSpy executed(rig.page, &BaseSettings::executed);

    rig.click(QDialogButtonBox::Apply);

    QCOMPARE(rig.module.log(), writes);
    QCOMPARE(executed.size(), 2);
    QCOMPARE(executed.at(0), QVariantList({true, program}));
    QCOMPARE(executed.at(1), QVariantList({true, QString()}));
    QVERIFY(!rig.window.isVisible());
}

void TestMotorSettings::applyTypedCustomCount()
{
    Rig rig;
    rig.module.setValue(202, 500);
    rig.window.show();
    rig.typeCustom(QStringLiteral("7"));
    rig.module.clearLog();
    QSignalSpy executed(rig.page, &BaseSettings::executed);

    rig.click(QDialogButtonBox::Apply);

    QVERIFY(rig.module.log().contains(written(202, 7)));
    QCOMPARE(executed.size(), 2);
    QVERIFY(executed.at(0).at(1).toString().contains(QStringLiteral("  SAP 202, 0,        7  //51.429°\n")));
}

void TestMotorSettings::cancel()
{
    Rig rig;
    rig.window.show();
    rig.module.clearLog();
    QSignalSpy executed(rig.page, &BaseSettings::executed);

    rig.click(QDialogButtonBox::Cancel);

    QCOMPARE(executed.size(), 1);
    QCOMPARE(executed.at(0), QVariantList({false, QString()}));
    QVERIFY(rig.module.log().isEmpty());
    QVERIFY(!rig.window.isVisible());
}

void TestMotorSettings::withoutExchange()
{
    Rig rig(QStringLiteral("7391"), false);
    rig.module.setValue(202, 500);
    rig.window.show();
    QSignalSpy executed(rig.page, &BaseSettings::executed);

    QCOMPARE(rig.customEdit()->text(), QString());
    rig.click(QDialogButtonBox::Apply);
    QCOMPARE(executed.size(), 0);
    QVERIFY(rig.window.isVisible());

    // Unbound: scale 1, flag taken as clear, jumper "none"; both labels follow either box.
    rig.standby()->setValue(1);
    QCOMPARE(rig.child<QLabel>("lblStandbyCurrent")->text(), QStringLiteral("6.17 [A RMS]"));
    QCOMPARE(rig.child<QLabel>("lblMaxRunCurrent")->text(), QStringLiteral("5.49 [A RMS]"));
    QVERIFY(rig.module.accesses(true).isEmpty());

    rig.click(QDialogButtonBox::Cancel);
    QCOMPARE(executed.size(), 1);
    QCOMPARE(executed.at(0), QVariantList({false, QString()}));
}

void TestMotorSettings::current_data()
{
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<int>("jumper");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("flagFails");
    QTest::addColumn<QString>("runText");
    QTest::addColumn<QString>("standbyText");
    QTest::newRow("pin 1-2") << "7391" << 1 << 0 << false << "2.19 [A RMS]" << "0.07 [A RMS]";
    QTest::newRow("pin 1-2, reduced range") << "7391" << 1 << 1 << false << "1.16 [A RMS]" << "0.04 [A RMS]";
    QTest::newRow("pin 1-2, negative flag") << "7391" << 1 << -1 << false << "1.16 [A RMS]" << "0.04 [A RMS]";
    QTest::newRow("pin 1-2, flag read fails") << "7391" << 1 << 1 << true << "2.19 [A RMS]" << "0.07 [A RMS]";
    QTest::newRow("no jumper set") << "7391" << 0 << 0 << false << "0.70 [A RMS]" << "0.02 [A RMS]";
    QTest::newRow("both jumpers") << "7391" << 2 << 0 << false << "3.66 [A RMS]" << "0.11 [A RMS]";
    QTest::newRow("other module") << "7390" << -1 << 0 << false << "0.73 [A RMS]" << "0.02 [A RMS]";
    QTest::newRow("other module, reduced range") << "7390" << -1 << 1 << false << "0.39 [A RMS]" << "0.01 [A RMS]";
}

void TestMotorSettings::current()
{
    QFETCH(QString, firmware);
    QFETCH(int, jumper);
    QFETCH(int, flag);
    QFETCH(bool, flagFails);
    QFETCH(QString, runText);
    QFETCH(QString, standbyText);
    Rig rig(firmware);
    rig.module.setValue(179, flag);
    rig.module.setFailing(179, flagFails);
    // Scale 1/256 comes from the module's description of the run current.
    rig.run()->setValue(255);
    if (jumper >= 0)
        rig.child<QComboBox>("cmbJumper")->setCurrentIndex(jumper);
    QCOMPARE(rig.child<QLabel>("lblMaxRunCurrent")->text(), runText);
    QCOMPARE(rig.child<QLabel>("lblStandbyCurrent")->text(), standbyText);
    QCOMPARE(rig.module.log().first(), gap(179).toString());
}

void TestMotorSettings::jumperRemoval_data()
{
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<bool>("kept");
    QTest::newRow("7391 keeps it") << "7391" << true;
    QTest::newRow("7390") << "7390" << false;
    QTest::newRow("longer name") << "73911" << false;
    QTest::newRow("no name") << "" << false;
}

void TestMotorSettings::jumperRemoval()
{
    QFETCH(QString, firmware);
    QFETCH(bool, kept);
    Rig rig(firmware);
    QCOMPARE(rig.child<QComboBox>("cmbJumper") != nullptr, kept);
    QCOMPARE(rig.child<QLabel>("lblJumper") != nullptr, kept);
    auto* grid = rig.child<QGridLayout>("gridLayout");
    QCOMPARE(grid->itemAtPosition(0, 0) != nullptr, kept);
    QCOMPARE(grid->itemAtPosition(0, 1) != nullptr, kept);
    // Binding again must not reach for the removed combo box.
    rig.page->setDataExchange(&rig.exchange);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    rig.run()->setValue(1);
    QVERIFY(rig.child<QLabel>("lblMaxRunCurrent")->text().endsWith(QStringLiteral(" [A RMS]")));
}

QTEST_MAIN(TestMotorSettings)
#include "tst_motorsettings.moc"
