// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The host stand-in: the bound spin box and the plug-in registry.

#include <QSignalSpy>
#include <QtTest>

#include "pluginhandler.h"
#include "plugininterface.h"
#include "recordingmodule.h"
#include "spinbox.h"

class TestHostWidgets : public QObject
{
    Q_OBJECT

private slots:
    void spinBoxBinding_data();
    void spinBoxBinding();
    void spinBoxSignals();
    void pluginHandler();
};

void TestHostWidgets::spinBoxBinding_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<bool>("live");
    QTest::addColumn<bool>("clamped");
    QTest::newRow("range from parameter") << -200 << 500 << false << true;
    QTest::newRow("live value takes any int") << 10 << 500 << true << false;
    QTest::newRow("empty range takes any int") << 7 << 7 << false << false;
}

void TestHostWidgets::spinBoxBinding()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(bool, live);
    QFETCH(bool, clamped);
    SpinBox box;
    Parameter p = RecordingModule::describe(6, QStringLiteral("par::MaxCurrent"));
    p.minimum = minimum;
    p.maximum = maximum;
    QCOMPARE(box.setUnitParameter(p, live, 0, 0), QStringLiteral("Caption 6 [unit6]"));
    QCOMPARE(box.sapType(), 6);
    box.setValue(INT_MAX);
    QCOMPARE(box.intValue(), clamped ? maximum : INT_MAX);
    box.setValue(INT_MIN);
    QCOMPARE(box.intValue(), clamped ? minimum : INT_MIN);
}

void TestHostWidgets::spinBoxSignals()
{
    SpinBox box;
    QSignalSpy spy(&box, SIGNAL(valueChanged(int))); // forms connect it by signature clazy:exclude=old-style-connect
    box.setValue(42);
    box.setValue(42);
    box.setValue(7.0, false);
    QCOMPARE(box.intValue(), 7);
    box.setValue(-9.0, true);
    QCOMPARE(spy, (QList<QList<QVariant>>{{42}, {-9}}));
}

void TestHostWidgets::pluginHandler()
{
    PluginHandler* handler = PluginHandler::instance();
    PluginInterface kept, other;
    auto* a = new PluginInterface;
    handler->registerPlugin(9, "hw/k", &kept);
    handler->registerPlugin(3, "hw/b", &other);
    handler->registerPlugin(9, "hw/a", a);
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{"hw/k", "hw/a"}));
    QCOMPARE(handler->getPluginKeysByType(3), QStringList{"hw/b"});
    handler->registerPlugin(9, "hw/k", &kept);
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{"hw/a", "hw/k"}));
    delete a;
    QCOMPARE(handler->getPluginKeysByType(9), QStringList{"hw/k"});
    // A key taken over stays with its new owner when the old one goes.
    auto* old = new PluginInterface;
    handler->registerPlugin(9, "hw/k", old);
    handler->registerPlugin(9, "hw/k", &kept);
    delete old;
    QCOMPARE(handler->getPluginKeysByType(9), QStringList{"hw/k"});
}

QTEST_MAIN(TestHostWidgets)
#include "tst_hostwidgets.moc"
