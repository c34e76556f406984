// The plug-in as the host sees it: loaded from its file, reached only through the host
// interfaces, the meta-object and object names.

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QVBoxLayout>
#include <QLibrary>
#include <QLocale>
#include <QPluginLoader>
#include <QPointer>
#include <QRegularExpression>
#include <QResource>
#include <QScopedPointer>
#include <QStatusBar>
#include <QtTest>

#include "framelogcapture.h"
#include "moduleinterface.h"
#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "toolsinterface.h"

namespace {

const QString FixedVersion = QStringLiteral(
    "1.0.24.0003 - rerezor_generic_v7;Plugin-Interface 1.0.24.0003rerezor_generic_v7;Plugin ;Plugin Interface");
const char* const ConstructorSignature = "GenericV7::GenericV7(QString, quint8, ModuleInterface*, int)";
const char* const ShowSignature = "virtual void GenericV7::showPlugin()";

QString debugText(const QRect& rect)
{
    QString text;
    QDebug(&text).nospace() << rect;
    return text;
}

// A host window as the host builds it: the tool inside a window inside a window area.
struct HostFrame
{
    QWidget root;
    QWidget* area;
    QWidget* window;

    explicit HostFrame(const QRect& areaGeometry)
    {
        root.resize(areaGeometry.right() + 100, areaGeometry.bottom() + 100);
        area = new QWidget(&root);
        area->setGeometry(areaGeometry);
        root.show();
        window = new QWidget(area);
    }

    void place(QWidget* tool)
    {
        tool->setParent(window);
        tool->show();
    }
};

} // namespace

class TestPlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void metaData_data();
    void metaData();
    void resources_data();
    void resources();
    void factoryIsOneObject();
    void factoryIds();
    void factoryMetaObject_data();
    void factoryMetaObject();
    void metaCast_data();
    void metaCast();
    void selectSubWidget_data();
    void selectSubWidget();
    void versionText();

    void instance_data();
    void instance();
    void firstShowGeometry_data();
    void firstShowGeometry();
    void firstShowWithoutPage();
    void debugLines_data();
    void debugLines();
    void debugLinesOff();
    void statusBarMessage_data();
    void statusBarMessage();

    void newFactoryAfterDestruction();

private:
    ToolsInterface* factory();
    ReRezorInterface* create(int id, ModuleInterface* module, const QString& text = QStringLiteral("tool"),
                             quint8 number = 3);

    QPluginLoader m_loader;
};

ToolsInterface* TestPlugin::factory()
{
    return qobject_cast<ToolsInterface*>(m_loader.instance());
}

ReRezorInterface* TestPlugin::create(int id, ModuleInterface* module, const QString& text, quint8 number)
{
    factory()->selectSubWidget(id);
    return factory()->createInstance(text, number, module);
}

void TestPlugin::initTestCase()
{
    m_loader.setFileName(QStringLiteral(GV7_PLUGIN_PATH));
    QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
    QVERIFY2(m_loader.instance(), qPrintable(m_loader.errorString()));
    QVERIFY(factory());
    QVERIFY(qobject_cast<ReRezorInterface*>(m_loader.instance()));
}

void TestPlugin::metaData_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("expected");

    QTest::newRow("interface id") << "IID" << QJsonValue(QStringLiteral("com.rerezor.ToolsInterface/2.0"));
    QTest::newRow("class name") << "className" << QJsonValue(QStringLiteral("GenericV7"));
    QTest::newRow("Qt version 5.10.0") << "version" << QJsonValue(330240);
    QTest::newRow("release build") << "debug" << QJsonValue(false);
    QJsonObject name;
    name.insert(QStringLiteral("name"), QStringLiteral("ReRezor"));
    QTest::newRow("user metadata") << "MetaData" << QJsonValue(name);
}

void TestPlugin::metaData()
{
    QFETCH(QString, key);
    QFETCH(QJsonValue, expected);
    const QJsonObject metaData = m_loader.metaData();
    QVERIFY2(metaData.contains(key), qPrintable(key));
    QCOMPARE(metaData.value(key), expected);
}

void TestPlugin::resources_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");

    QTest::newRow("step response png") << ":/Images/rcc/Images/stepresppaint.png" << QByteArray("png");
    QTest::newRow("current level svg") << ":/Images/rcc/Images/CurrentLevelControl.svg" << QByteArray("svg");
    QTest::newRow("position catch-up svg") << ":/Images/rcc/Images/PositionCatchUp.svg" << QByteArray("svg");
    QTest::newRow("field weakening svg") << ":/Images/rcc/Images/FielWeakening.svg" << QByteArray("svg");
    QTest::newRow("load angle svg") << ":/Images/rcc/Images/LoadAngleControl.svg" << QByteArray("svg");
    QTest::newRow("motor photograph") << ":/Images/rcc/Images/pvn_motor_example.jpg" << QByteArray("jpg");
    QTest::newRow("loop closed") << ":/Images/LoopClosed" << QByteArray("svg");
    QTest::newRow("loop opened") << ":/Images/LoopOpened" << QByteArray("svg");
    QTest::newRow("progress error") << ":/Images/SettingsProgessError" << QByteArray("png");
    QTest::newRow("progress ready") << ":/Images/SettingsProgessReady" << QByteArray("png");
    QTest::newRow("encoder") << ":/Images/Encoder" << QByteArray("png");
    QTest::newRow("progress not ready") << ":/Images/SettingsProgessNotReady" << QByteArray("png");
}

void TestPlugin::resources()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);

    // This test does not link the plug-in, so the resources can only come from the library.
    QResource resource(path);
    QVERIFY2(resource.isValid(), qPrintable(path));
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(!content.isEmpty());
    if (format == "svg")
        QVERIFY(content.contains("<svg"));
    else
        QVERIFY2(!QImage::fromData(content, format.constData()).isNull(), format.constData());
}

void TestPlugin::factoryIsOneObject()
{
    typedef QObject* (*InstanceFunction)();
    const auto instanceFunction = reinterpret_cast<InstanceFunction>(
        QLibrary(QStringLiteral(GV7_PLUGIN_PATH)).resolve("qt_plugin_instance"));
    QVERIFY(instanceFunction);
    QObject* first = instanceFunction();
    QVERIFY(first);
    QCOMPARE(instanceFunction(), first);
    QCOMPARE(m_loader.instance(), first);
    QCOMPARE(first->metaObject()->className(), "GenericV7");
}

void TestPlugin::factoryIds()
{
    QCOMPARE(factory()->subWidgetIds(), (QList<int>{53, 52, 51, 50}));
    auto* tool = qobject_cast<ReRezorInterface*>(factory());
    QCOMPARE(tool->toolsType(), 1);
    QCOMPARE(tool->text(), QStringLiteral("undefined"));
    QCOMPARE(tool->iconPath(), QStringLiteral(":/Misc2/Question"));
    QCOMPARE(tool->module(), static_cast<ModuleInterface*>(nullptr));
}

void TestPlugin::factoryMetaObject_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<int>("methodType");
    QTest::addColumn<int>("access");

    QTest::newRow("add trace") << 0 << QByteArray("OUT_addTraceCommand(TraceCommand*)") << int(QMetaMethod::Signal)
                               << int(QMetaMethod::Public);
    QTest::newRow("remove trace") << 1 << QByteArray("OUT_removeTraceCommand(TraceCommand*)")
                                  << int(QMetaMethod::Signal) << int(QMetaMethod::Public);
    QTest::newRow("reply") << 2 << QByteArray("IN_replyValue(Command*)") << int(QMetaMethod::Slot)
                           << int(QMetaMethod::Public);
    QTest::newRow("completeness") << 3 << QByteArray("checkCompleteness()") << int(QMetaMethod::Slot)
                                  << int(QMetaMethod::Private);
}

void TestPlugin::factoryMetaObject()
{
    QFETCH(int, index);
    QFETCH(QByteArray, signature);
    QFETCH(int, methodType);
    QFETCH(int, access);

    const QMetaObject* meta = factory()->metaObject();
    QCOMPARE(meta->methodCount() - meta->methodOffset(), 4);
    const QMetaMethod method = meta->method(meta->methodOffset() + index);
    QCOMPARE(method.methodSignature(), signature);
    QCOMPARE(int(method.methodType()), methodType);
    QCOMPARE(int(method.access()), access);

    QStringList bases;
    for (const QMetaObject* base = meta->superClass(); base; base = base->superClass())
        bases << QString::fromLatin1(base->className());
    QCOMPARE(bases.mid(0, 5), (QStringList{"ReRezorInterface", "ToolsInterface", "PluginInterface", "QWidget", "QObject"}));
}

void TestPlugin::metaCast_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("self");

    QTest::newRow("interface id") << QByteArray("com.rerezor.ToolsInterface/2.0") << true;
    QTest::newRow("class name") << QByteArray("GenericV7") << true;
    QTest::newRow("host base") << QByteArray("ReRezorInterface") << true;
    QTest::newRow("unknown") << QByteArray("SomethingElse") << false;
}

void TestPlugin::metaCast()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, self);
    QObject* object = m_loader.instance();
    void* cast = object->qt_metacast(name.constData());
    QCOMPARE(cast, self ? static_cast<void*>(object) : nullptr);
}

void TestPlugin::selectSubWidget_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("selected");

    // Before each row the closed-loop page is selected; a refused id leaves its name and icon.
    QTest::newRow("below range") << 49 << false << "Closed loop settings" << ":/Icons/ClosedLoop" << 0;
    QTest::newRow("above range") << 54 << false << "Closed loop settings" << ":/Icons/ClosedLoop" << 0;
    QTest::newRow("zero") << 0 << false << "Closed loop settings" << ":/Icons/ClosedLoop" << 0;
    QTest::newRow("negative") << -50 << false << "Closed loop settings" << ":/Icons/ClosedLoop" << 0;
    QTest::newRow("start up") << 50 << true << "Start Up" << ":/IconsSVG/Cogs" << 50;
    QTest::newRow("motor") << 51 << true << "Motor settings" << ":/Icons/control" << 51;
    QTest::newRow("encoder") << 52 << true << "Encoder settings" << ":/Icons/control" << 52;
    QTest::newRow("closed loop") << 53 << true << "Closed loop settings" << ":/Icons/ClosedLoop" << 53;
}

void TestPlugin::selectSubWidget()
{
    QFETCH(int, id);
    QFETCH(bool, accepted);
    QFETCH(QString, name);
    QFETCH(QString, icon);
    QFETCH(int, selected);

    auto* tool = qobject_cast<ReRezorInterface*>(factory());
    QVERIFY(factory()->selectSubWidget(53));
    QCOMPARE(factory()->selectSubWidget(id), accepted);
    QCOMPARE(tool->toolsName(), name);
    const QVariant iconProperty = factory()->property("dpWindowIcon");
    QCOMPARE(iconProperty.userType(), int(QMetaType::QString));
    QCOMPARE(iconProperty.toString(), icon);
    // The selection never changes the factory's own offer.
    QCOMPARE(factory()->subWidgetIds(), (QList<int>{53, 52, 51, 50}));

    // The selected id is what the next instance is made for.
    RecordingModule module;
    QScopedPointer<ReRezorInterface> instance(factory()->createInstance(QStringLiteral("x"), 1, &module));
    QVERIFY(instance);
    QCOMPARE(instance->toolsVariant(), selected);
    QCOMPARE(instance->subWidgetIds(), QList<int>{selected});
}

void TestPlugin::versionText()
{
    const QString text = factory()->versionText();
    const QString prefix = FixedVersion + QStringLiteral(" from: ");
    QVERIFY2(text.startsWith(prefix), qPrintable(text));
    const QString stamp = text.mid(prefix.size());
    const QRegularExpression format(QStringLiteral(
        "^(Mon|Tue|Wed|Thu|Fri|Sat|Sun) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) ( ?\\d|\\d\\d) "
        "\\d\\d:\\d\\d:\\d\\d \\d{4}$"));
    QVERIFY2(format.match(stamp).hasMatch(), qPrintable(stamp));
    // The weekday must belong to the date.
    const QDateTime parsed = QLocale::c().toDateTime(stamp.simplified(), QStringLiteral("ddd MMM d hh:mm:ss yyyy"));
    QVERIFY2(parsed.isValid(), qPrintable(stamp));
    QVERIFY(parsed <= QDateTime::currentDateTime().addDays(1));
    // The instances answer with the same text.
    RecordingModule module;
    QScopedPointer<ReRezorInterface> instance(create(51, &module));
    QCOMPARE(instance->versionText(), text);
}

void TestPlugin::instance_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("ownId");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("icon");
    QTest::addColumn<bool>("dataExchange");

    QTest::newRow("start up") << 50 << 50 << "Commissioning" << "Start Up" << QVariant(QStringLiteral(":/IconsSVG/Cogs")) << true;
    QTest::newRow("motor") << 51 << 51 << "MotorSettings" << "Motor settings" << QVariant(QStringLiteral(":/Icons/control"))
                           << false;
    QTest::newRow("encoder") << 52 << 52 << "EncoderSettings" << "Encoder settings"
                             << QVariant(QStringLiteral(":/Icons/control")) << false;
    QTest::newRow("closed loop") << 53 << 53 << "ClosedLoop" << "Closed loop settings"
                                 << QVariant(QStringLiteral(":/Icons/ClosedLoop")) << false;
    QTest::newRow("invalid id 0") << 0 << 0 << QString() << "Generic V7" << QVariant() << false;
    QTest::newRow("invalid id 54") << 54 << 0 << QString() << "Generic V7" << QVariant() << false;
}

void TestPlugin::instance()
{
    QFETCH(int, id);
    QFETCH(int, ownId);
    QFETCH(QString, page);
    QFETCH(QString, name);
    QFETCH(QVariant, icon);
    QFETCH(bool, dataExchange);

    RecordingModule module;
    // The factory's selection does not decide the instance's id: the constructor selects its own.
    QScopedPointer<ReRezorInterface> tool(create(id, &module, QStringLiteral("Tool text"), 7));
    QVERIFY(tool);
    QVERIFY(tool.data() != qobject_cast<ReRezorInterface*>(factory()));
    QCOMPARE(tool->metaObject()->className(), "GenericV7");

    QCOMPARE(tool->toolsVariant(), ownId);
    QCOMPARE(tool->subWidgetIds(), QList<int>{ownId});
    QCOMPARE(tool->toolsName(), name);
    QCOMPARE(tool->property("dpWindowIcon"), icon);
    const QVariant flags = tool->property("dpWindowFlags");
    QCOMPARE(flags.userType(), int(QMetaType::UInt));
    QCOMPARE(flags.toUInt(), 4096u);
    QCOMPARE(tool->toolsType(), 1);
    QCOMPARE(tool->text(), QStringLiteral("Tool text"));
    QCOMPARE(int(tool->number()), 7);
    QCOMPARE(tool->module(), static_cast<ModuleInterface*>(&module));
    QCOMPARE(tool->iconPath(), QStringLiteral(":/Custom/WindowIcon"));
    QVERIFY(tool->isFreeAxis());
    QVERIFY(!tool->isVisible());

    auto* layout = qobject_cast<QVBoxLayout*>(tool->layout());
    QVERIFY(layout);
    QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(layout->spacing(), 0);

    QList<QWidget*> pages;
    for (QWidget* child : tool->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->inherits("BaseSettings"))
            pages << child;
    }
    QList<QStatusBar*> statusBars = tool->findChildren<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    QList<QWidget*> exchanges;
    for (QWidget* child : tool->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->inherits("DataExchange"))
            exchanges << child;
    }
    QCOMPARE(exchanges.size(), dataExchange ? 1 : 0);
    if (dataExchange) {
        QVERIFY(exchanges.first()->isHidden());
        QCOMPARE(exchanges.first()->property("currentAxis").toInt(), -1);
    }

    if (page.isEmpty()) {
        QVERIFY(pages.isEmpty());
        QVERIFY(statusBars.isEmpty());
        QCOMPARE(layout->count(), 0);
        return;
    }
    QCOMPARE(pages.size(), 1);
    QWidget* pageWidget = pages.first();
    QCOMPARE(pageWidget->objectName(), page);
    QCOMPARE(pageWidget->metaObject()->className(), page.toLatin1().constData());
    QCOMPARE(tool->findChild<QWidget*>(page), pageWidget);
    QVERIFY(!pageWidget->isHidden());
    QVERIFY(pageWidget->findChild<QWidget*>(QStringLiteral("scrollAreaWidgetContents")));

    QCOMPARE(statusBars.size(), 1);
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->itemAt(0)->widget(), pageWidget);
    QCOMPARE(layout->itemAt(1)->widget(), static_cast<QWidget*>(statusBars.first()));
    QCOMPARE(layout->stretch(0), 0);
    QCOMPARE(layout->stretch(1), 0);
}

void TestPlugin::firstShowGeometry_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QRect>("area");

    QTest::newRow("start up") << 50 << QRect(40, 30, 1500, 1100);
    QTest::newRow("motor") << 51 << QRect(40, 30, 1500, 1100);
    QTest::newRow("encoder") << 52 << QRect(25, 60, 1600, 1201);
    QTest::newRow("closed loop") << 53 << QRect(0, 0, 1401, 999);
}

void TestPlugin::firstShowGeometry()
{
    QFETCH(int, id);
    QFETCH(QRect, area);

    RecordingModule module;
    HostFrame frame(area);
    QPointer<ReRezorInterface> tool = create(id, &module);
    frame.place(tool);
    frame.window->setGeometry(3, 4, 50, 60);

    FrameLogCapture log;
    frame.window->show();
    QVERIFY(!frame.window->isVisible());

    QWidget* contents = tool->findChild<QWidget*>(QStringLiteral("scrollAreaWidgetContents"));
    QVERIFY(contents);
    const QRect c = contents->geometry();
    QRect expected;
    if (id == 50) {
        expected = QRect(15, 15, c.width() + 170, c.height() + 100);
    } else {
        const QSize size(c.width() + 70, c.height() + 100);
        // Centred as Qt's aligned rectangles are: half of each size, each rounded down.
        expected = QRect(area.x() + area.width() / 2 - size.width() / 2, area.y() + area.height() / 2 - size.height() / 2,
                         size.width(), size.height());
    }
    QCOMPARE(frame.window->geometry(), expected);

    const QString line = QStringLiteral("%1 %2 %3 %4").arg(ShowSignature).arg(id).arg(debugText(area), debugText(c));
    QCOMPARE(log.debugLines(), QStringList{line});

    // Later shows leave the geometry to the user.
    const QRect moved(7, 8, 321, 234);
    frame.window->setGeometry(moved);
    log.clear();
    frame.window->show();
    QVERIFY(frame.window->isVisible());
    QVERIFY(tool->isVisible());
    QCOMPARE(frame.window->geometry(), moved);
    frame.window->close();
    frame.window->show();
    QCOMPARE(frame.window->geometry(), moved);
    QVERIFY(!log.debugLines().contains(line));
    delete tool;
}

void TestPlugin::firstShowWithoutPage()
{
    RecordingModule module;
    HostFrame frame(QRect(10, 10, 800, 600));
    QPointer<ReRezorInterface> tool = create(54, &module);
    frame.place(tool);
    frame.window->show();
    QVERIFY(!frame.window->isVisible());
    frame.window->show();
    QVERIFY(frame.window->isVisible());
    delete tool;
}

void TestPlugin::debugLines_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("ownId");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("pages");

    // The factory makes instances only for the id it has selected, 0 after a refused one.
    QTest::newRow("start up") << 50 << 50 << 50 << 1;
    QTest::newRow("motor") << 51 << 51 << 51 << 1;
    QTest::newRow("encoder") << 52 << 52 << 52 << 1;
    QTest::newRow("closed loop") << 53 << 53 << 53 << 1;
    QTest::newRow("invalid") << 77 << 0 << 0 << 0;
}

void TestPlugin::debugLines()
{
    QFETCH(int, id);
    QFETCH(int, ownId);
    QFETCH(int, selected);
    QFETCH(int, pages);

    RecordingModule module;
    FrameLogCapture log;
    factory()->selectSubWidget(id);
    ReRezorInterface* tool = factory()->createInstance(QStringLiteral("x"), 2, &module);
    QVERIFY(tool);
    const QStringList constructed = log.debugLines().filter(QLatin1String(ConstructorSignature));
    QCOMPARE(constructed, QStringList{QStringLiteral("%1 %2 %3").arg(ConstructorSignature).arg(ownId).arg(selected)});

    log.clear();
    delete tool;
    QCOMPARE(log.debugLines().filter(QStringLiteral("BaseSettings::~BaseSettings()")),
             QVector<QString>(pages, QStringLiteral("virtual BaseSettings::~BaseSettings()")).toList());
}

void TestPlugin::debugLinesOff()
{
    RecordingModule module;
    HostFrame frame(QRect(0, 0, 800, 600));
    FrameLogCapture log(false);
    QPointer<ReRezorInterface> tool = create(51, &module);
    frame.place(tool);
    frame.window->show();
    frame.window->show();
    delete tool;
    QCOMPARE(log.debugLines(), QStringList());
}

void TestPlugin::statusBarMessage_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("timeout");

    QTest::newRow("start up, 2000 ms") << 50 << 2000;
    QTest::newRow("motor, until replaced") << 51 << -1;
    QTest::newRow("encoder, 300 ms") << 52 << 300;
    QTest::newRow("closed loop, 300 ms") << 53 << 300;
}

void TestPlugin::statusBarMessage()
{
    QFETCH(int, id);
    QFETCH(int, timeout);

    RecordingModule module;
    HostFrame frame(QRect(0, 0, 1400, 1000));
    QScopedPointer<ReRezorInterface> tool(create(id, &module));
    QScopedPointer<ReRezorInterface> other(create(id == 51 ? 52 : 51, &module));
    frame.place(tool.data());
    frame.window->show();
    frame.window->show();

    QWidget* page = tool->layout()->itemAt(0)->widget();
    QVERIFY(page);
    auto* statusBar = tool->findChild<QStatusBar*>();
    QVERIFY(statusBar);
    const QString text = QStringLiteral("Message for %1").arg(id);
    if (timeout < 0)
        QVERIFY(QMetaObject::invokeMethod(page, "showMessage", Q_ARG(QString, text)));
    else
        QVERIFY(QMetaObject::invokeMethod(page, "showMessage", Q_ARG(QString, text), Q_ARG(int, timeout)));
    QCOMPARE(statusBar->currentMessage(), text);
    QCOMPARE(other->findChild<QStatusBar*>()->currentMessage(), QString());

    if (timeout < 0) {
        QTest::qWait(600);
        QCOMPARE(statusBar->currentMessage(), text);
        QVERIFY(QMetaObject::invokeMethod(page, "showMessage", Q_ARG(QString, QStringLiteral("next")), Q_ARG(int, 0)));
        QCOMPARE(statusBar->currentMessage(), QStringLiteral("next"));
        return;
    }
    QTest::qWait(timeout / 2);
    QCOMPARE(statusBar->currentMessage(), text);
    QTRY_COMPARE_WITH_TIMEOUT(statusBar->currentMessage(), QString(), timeout + 5000);
}

void TestPlugin::newFactoryAfterDestruction()
{
    typedef QObject* (*InstanceFunction)();
    const auto instanceFunction = reinterpret_cast<InstanceFunction>(
        QLibrary(QStringLiteral(GV7_PLUGIN_PATH)).resolve("qt_plugin_instance"));
    QVERIFY(instanceFunction);
    QPointer<QObject> old = instanceFunction();
    delete old.data();
    QVERIFY(old.isNull());
    QObject* fresh = instanceFunction();
    QVERIFY(fresh);
    QCOMPARE(instanceFunction(), fresh);
    QCOMPARE(m_loader.instance(), fresh);
    QCOMPARE(qobject_cast<ToolsInterface*>(fresh)->subWidgetIds(), (QList<int>{53, 52, 51, 50}));
}

QTEST_MAIN(TestPlugin)
#include "tst_plugin.moc"
