// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in as the host sees it: loaded from its file, reached only through the host
// interfaces, the meta-object and object names.

#include <QLayout>
#include <QLibrary>
#include <QPluginLoader>
#include <QStatusBar>
#include <QtTest>

#include "framelogcapture.h"
#include "recordingmodule.h"
#include "rerezorinterface.h"

class TestPlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void factory();
    void instance_data();
    void instance();
    void firstShow_data();
    void firstShow();

private:
    QPluginLoader m_loader;
    ReRezorInterface* m_factory = nullptr;
};

void TestPlugin::initTestCase()
{
    m_loader.setFileName(QStringLiteral(GV7_PLUGIN_PATH));
    QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
    m_factory = qobject_cast<ReRezorInterface*>(m_loader.instance());
    QVERIFY2(m_factory, qPrintable(m_loader.errorString()));
    QCOMPARE(m_factory->subWidgetIds(), (QList<int>{53, 52, 51, 50}));
}

void TestPlugin::factory()
{
    // One factory object, however often the library is asked for it, and a new one once it is gone.
    const auto instance = reinterpret_cast<QObject* (*)()>(QLibrary::resolve(GV7_PLUGIN_PATH, "qt_plugin_instance"));
    QVERIFY(instance);
    QCOMPARE(instance(), m_loader.instance());
    QCOMPARE(instance(), m_loader.instance());
    QCOMPARE(m_factory->subWidgetIds(), (QList<int>{53, 52, 51, 50}));
    QPointer<QObject> first = instance();
    delete first.data();
    QVERIFY(!first);
    m_factory = qobject_cast<ReRezorInterface*>(instance());
    QVERIFY(m_factory);
    QCOMPARE(m_factory, m_loader.instance());
    QCOMPARE(m_factory->subWidgetIds(), (QList<int>{53, 52, 51, 50}));
}

void TestPlugin::instance_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("ownId");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("icon");
    QTest::newRow("start up") << 50 << 50 << "Commissioning" << "Start Up" << ":/IconsSVG/Cogs";
    QTest::newRow("motor") << 51 << 51 << "MotorSettings" << "Motor settings" << ":/Icons/control";
    QTest::newRow("encoder") << 52 << 52 << "EncoderSettings" << "Encoder settings" << ":/Icons/control";
    QTest::newRow("closed loop") << 53 << 53 << "ClosedLoop" << "Closed loop settings" << ":/Icons/ClosedLoop";
    QTest::newRow("invalid id below") << 49 << 0 << "" << "Generic V7" << "";
    QTest::newRow("invalid id above") << 54 << 0 << "" << "Generic V7" << "";
}

void TestPlugin::instance()
{
    QFETCH(int, id);
    QFETCH(int, ownId);
    QFETCH(QString, page);
    RecordingModule module;
    FrameLogCapture log;
    // The factory makes instances for the id it has selected, 0 after a refused one.
    QCOMPARE(m_factory->selectSubWidget(id), ownId != 0);
    QScopedPointer<ReRezorInterface> tool(m_factory->createInstance(QStringLiteral("x"), 7, &module));
    QCOMPARE(log.debugLines(),
             QStringList{QString("GenericV7::GenericV7(QString, quint8, ModuleInterface*, int) %1 %1").arg(ownId)});
    QCOMPARE(tool->subWidgetIds(), QList<int>{ownId});
    QCOMPARE(tool->toolsVariant(), ownId);
    QTEST(tool->toolsName(), "name");
    QTEST(tool->property("dpWindowIcon").toString(), "icon");
    QCOMPARE(tool->property("dpWindowFlags"), QVariant(4096u));
    QCOMPARE(tool->iconPath(), QStringLiteral(":/Custom/WindowIcon"));
    QVERIFY(tool->isFreeAxis());

    // The page above its status bar, without margins; only the Start Up tool has the hidden exchange.
    QLayout* layout = tool->layout();
    QCOMPARE(layout->contentsMargins(), QMargins());
    QCOMPARE(layout->count(), page.isEmpty() ? 0 : 2);
    if (!page.isEmpty()) {
        QCOMPARE(layout->itemAt(0)->widget()->objectName(), page);
        QVERIFY(qobject_cast<QStatusBar*>(layout->itemAt(1)->widget()));
    }
    int exchanges = 0;
    for (QObject* child : tool->children())
        exchanges += child->inherits("DataExchange") && static_cast<QWidget*>(child)->isHidden()
                     && child->property("currentAxis") == -1;
    QCOMPARE(exchanges, id == 50 ? 1 : 0);
}

void TestPlugin::firstShow_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QRect>("area");
    QTest::newRow("start up") << 50 << QRect(40, 30, 1500, 1100);
    QTest::newRow("encoder, odd area") << 52 << QRect(25, 60, 1600, 1201);
}

void TestPlugin::firstShow()
{
    QFETCH(int, id);
    QFETCH(QRect, area);
    // The tool inside a window inside a window area, as the host builds it.
    QWidget root;
    root.resize(area.right() + 100, area.bottom() + 100);
    auto* areaWidget = new QWidget(&root);
    areaWidget->setGeometry(area);
    root.show();
    auto* window = new QWidget(areaWidget);
    RecordingModule module;
    m_factory->selectSubWidget(id);
    ReRezorInterface* tool = m_factory->createInstance(QStringLiteral("x"), 7, &module);
    tool->setParent(window);
    tool->show();
    window->setGeometry(3, 4, 50, 60);

    FrameLogCapture log;
    window->show();
    QVERIFY(!window->isVisible());
    const QRect c = tool->findChild<QWidget*>(QStringLiteral("scrollAreaWidgetContents"))->geometry();
    const int w = c.width() + (id == 50 ? 170 : 70), h = c.height() + 100;
    // Centred as aligned rectangles are: half of each size, each rounded down.
    const QRect centred(area.x() + area.width() / 2 - w / 2, area.y() + area.height() / 2 - h / 2, w, h);
    QCOMPARE(window->geometry(), id == 50 ? QRect(15, 15, w, h) : centred);
    QString line;
    QDebug(&line).nospace() << "virtual void GenericV7::showPlugin() " << id << " " << area << " " << c;
    QCOMPARE(log.debugLines(), QStringList{line});

    // Later shows leave the geometry to the user and write nothing.
    const QRect moved(7, 8, 321, 234);
    window->setGeometry(moved);
    window->show();
    QVERIFY(window->isVisible() && tool->isVisible());
    QCOMPARE(window->geometry(), moved);
    QCOMPARE(log.debugLines(), QStringList{line});
}

QTEST_MAIN(TestPlugin)
#include "tst_plugin.moc"
