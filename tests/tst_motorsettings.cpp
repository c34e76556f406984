// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "dataexchange.h"
#include "motorsettings.h"
#include "recordingmodule.h"
#include "spinbox.h"

namespace {
using Access = RecordingModule::Access;
using Log = QList<Access>;

// The page in a tool widget in a window, as the host holds it, so that finishing closes the window.
struct Rig
{
    explicit Rig(const QString& firmware = QStringLiteral("7391"), int axis = 0)
    {
        module.setFirmwareName(firmware);
        exchange.setCurrentAxis(axis);
        page->setDataExchange(&exchange);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the removed jumper widgets
        module.clearLog();
    }
    template<class T> T* child(const char* name) const { return page->findChild<T*>(name); }
    QComboBox* fullSteps() const { return child<QComboBox>("cmbFullStepResulotion"); }
    QLineEdit* customEdit() const { return fullSteps()->findChild<QLineEdit*>(); } // in the custom row
    void click(QDialogButtonBox::StandardButton b) const { child<QDialogButtonBox>("buttonBox")->button(b)->click(); }

    RecordingModule module;
    DataExchange exchange{&module, nullptr};
    QWidget window;
    MotorSettings* page = new MotorSettings(new QWidget(&window));
};
} // namespace

class TestMotorSettings : public QObject
{
    Q_OBJECT
private slots:
    void refreshOnShowAndCancel_data();
    void refreshOnShowAndCancel();
    void customAngleWhileTyping();
    void apply();
    void current_data();
    void current();
};

void TestMotorSettings::refreshOnShowAndCancel_data()
{
    QTest::addColumn<int>("fullSteps");
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QString>("typed");
    QTest::newRow("listed 4") << 4 << "90°" << "";
    QTest::newRow("unlisted 7 in the custom row") << 7 << "51.429°" << "7";
    QTest::newRow("zero counts as 200") << 0 << "1.8°" << "";
    QTest::newRow("negative counts as 200") << -7 << "1.8°" << "";
}

void TestMotorSettings::refreshOnShowAndCancel()
{
    QFETCH(int, fullSteps);
    QFETCH(QString, angle);
    QFETCH(QString, typed);
    Rig rig(QStringLiteral("7391"), 2);
    rig.module.setValue(202, fullSteps);
    rig.window.show();
    // The current boxes follow in the order of their creation.
    QCOMPARE(rig.module.accesses(), Log({gap(251, 2), gap(202, 2), gap(140, 2), gap(7, 2), gap(6, 2)}));
    QCOMPARE(rig.fullSteps()->currentText(), angle);
    QCOMPARE(rig.customEdit()->text(), typed);

    rig.module.clearLog();
    QSignalSpy executed(rig.page, &BaseSettings::executed);
    rig.click(QDialogButtonBox::Cancel);
    QCOMPARE(executed, (QList<QVariantList>{{false, QString()}}));
    QVERIFY(rig.module.log().isEmpty());
    QVERIFY(!rig.window.isVisible());
}

void TestMotorSettings::customAngleWhileTyping()
{
    Rig rig;
    auto cell = [&rig](int column) { return rig.fullSteps()->model()->index(0, column).data().toString(); };
    rig.customEdit()->setText(QStringLiteral("0"));
    QCOMPARE(cell(0), QString()); // no angle yet, and no division by zero
    QCOMPARE(cell(1), QStringLiteral("0"));
    rig.customEdit()->clear();
    QCOMPARE(cell(0), QStringLiteral("1.8°")); // an empty field means the default 200
    QCOMPARE(cell(1), QStringLiteral("200"));
}

void TestMotorSettings::apply()
{
    Rig rig(QStringLiteral("7391"), 1);
    auto set = [](quint8 type, int value) { return Access{Access::Set, 1, 0, type, 1, value}; };
    const int values[][2] = {{251, -1}, {202, 500}, {140, 8}, {7, -5}, {6, 255}};
    for (const auto& value : values)
        rig.module.setValue(value[0], value[1]);
    rig.window.show();
    rig.customEdit()->setText(QStringLiteral("3"));
    rig.module.clearLog();
    QSignalSpy executed(rig.page, &BaseSettings::executed);
    rig.click(QDialogButtonBox::Apply);
    QCOMPARE(rig.module.accesses(), Log({set(251, 1), set(202, 3), set(140, 8), set(7, -5), set(6, 255)}));
    const QString program = QStringLiteral("//Motor settings\n"
                                           "  SAP 251, 1,        1  //Reverse shaft\n"
                                           "  SAP 202, 1,        3  //120°\n"
                                           "  SAP 140, 1,        8  //256 µsteps\n"
                                           "  SAP   7, 1,       -5  //Comment 7\n"
                                           "  SAP   6, 1,      255  //Comment 6\n");
    QCOMPARE(executed, (QList<QVariantList>{{true, program}, {true, QString()}}));
    QVERIFY(!rig.window.isVisible());
}

void TestMotorSettings::current_data()
{
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<int>("jumper");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("flagFails");
    QTest::addColumn<QString>("run");
    QTest::addColumn<QString>("standby");
    QTest::newRow("pin 1-2") << "7391" << 1 << 0 << false << "2.19 [A RMS]" << "0.07 [A RMS]";
    QTest::newRow("pin 1-2, reduced range") << "7391" << 1 << 1 << false << "1.16 [A RMS]" << "0.04 [A RMS]";
    QTest::newRow("pin 1-2, flag unreadable") << "7391" << 1 << 1 << true << "2.19 [A RMS]" << "0.07 [A RMS]";
    QTest::newRow("no jumper set") << "7391" << 0 << 0 << false << "0.70 [A RMS]" << "0.02 [A RMS]";
    QTest::newRow("both jumpers") << "7391" << 2 << 0 << false << "3.66 [A RMS]" << "0.11 [A RMS]";
    QTest::newRow("other module") << "7390" << -1 << 0 << false << "0.73 [A RMS]" << "0.02 [A RMS]";
    QTest::newRow("longer firmware name") << "73911" << -1 << 0 << false << "0.73 [A RMS]" << "0.02 [A RMS]";
}

void TestMotorSettings::current()
{
    QFETCH(QString, firmware);
    QFETCH(int, jumper);
    QFETCH(int, flag);
    QFETCH(bool, flagFails);
    QFETCH(QString, run);
    QFETCH(QString, standby);
    Rig rig(firmware);
    QCOMPARE(rig.child<QComboBox>("cmbJumper") != nullptr, jumper >= 0);
    QCOMPARE(rig.child<QLabel>("lblJumper") != nullptr, jumper >= 0);
    rig.page->setDataExchange(&rig.exchange); // binding again must not reach for a removed jumper box
    rig.module.setValue(179, flag);
    rig.module.setFailing(179, flagFails);
    rig.child<SpinBox>("spMaxRunCurrent")->setValue(255); // scale 1/256 from the module's description
    if (jumper >= 0)
        rig.child<QComboBox>("cmbJumper")->setCurrentIndex(jumper);
    QCOMPARE(rig.child<QLabel>("lblMaxRunCurrent")->text(), run);
    QCOMPARE(rig.child<QLabel>("lblStandbyCurrent")->text(), standby);
}

QTEST_MAIN(TestMotorSettings)
#include "tst_motorsettings.moc"
