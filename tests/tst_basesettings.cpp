// The page base: the shared DataExchange, axis notifications, messages and finishing.

#include <QMetaMethod>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include "basesettings.h"
#include "dataexchange.h"
#include "framelogcapture.h"
#include "recordingmodule.h"

namespace {

// The smallest page: counts how often the axis change reaches it.
class CountingPage : public BaseSettings
{
    Q_OBJECT
public:
    using BaseSettings::BaseSettings;
    int axisChanges = 0;
    int countdown() const { return showCountdown; }

private slots:
    void currentAxisChanged() override { ++axisChanges; }
};

// Window -> tool -> page, as the host and the tool instance build it.
struct PageInWindow
{
    QWidget window;
    QWidget* tool;
    CountingPage* page;

    PageInWindow()
    {
        tool = new QWidget(&window);
        page = new CountingPage(tool);
        window.show();
    }
};

} // namespace

class TestBaseSettings : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void metaObject();
    void axisNotifications_data();
    void axisNotifications();
    void exchangeDestroyed();
    void finish_data();
    void finish();
    void finishWithoutWindow();
    void showMessageDefaultTimeout();
    void destructorLine();
};

void TestBaseSettings::construction()
{
    QWidget tool;
    auto* page = new CountingPage(&tool);
    QCOMPARE(page->parentWidget(), &tool);
    QCOMPARE(page->windowType(), Qt::Widget);
    QCOMPARE(page->dataExchange(), static_cast<DataExchange*>(nullptr));
    QCOMPARE(page->countdown(), 2);
}

void TestBaseSettings::metaObject()
{
    const QMetaObject& meta = BaseSettings::staticMetaObject;
    QCOMPARE(meta.superClass(), &QWidget::staticMetaObject);
    QStringList methods;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        methods << QStringLiteral("%1 %2 %3")
                       .arg(method.methodType() == QMetaMethod::Signal ? "signal" : "slot")
                       .arg(method.access() == QMetaMethod::Public ? "public" : "private")
                       .arg(QString::fromLatin1(method.methodSignature()));
    }
    QCOMPARE(methods, (QStringList{"signal public showMessage(QString,int)", "signal public showMessage(QString)",
                                   "signal public executed(bool,QString)", "slot private currentAxisChanged()"}));
}

void TestBaseSettings::axisNotifications_data()
{
    QTest::addColumn<int>("connections");
    QTest::addColumn<QList<int>>("axes");
    QTest::addColumn<int>("expected");

    QTest::newRow("never given") << 0 << QList<int>{0, 1} << 0;
    QTest::newRow("given once, two changes") << 1 << QList<int>{0, 1} << 2;
    QTest::newRow("given twice, one change") << 2 << QList<int>{0} << 2;
    QTest::newRow("given twice, two changes") << 2 << QList<int>{3, 4} << 4;
    QTest::newRow("same axis again is no change") << 1 << QList<int>{2, 2, 2} << 1;
}

void TestBaseSettings::axisNotifications()
{
    QFETCH(int, connections);
    QFETCH(QList<int>, axes);
    QFETCH(int, expected);

    RecordingModule module;
    DataExchange exchange(&module, nullptr);
    QWidget tool;
    auto* page = new CountingPage(&tool);
    for (int i = 0; i < connections; ++i)
        page->setDataExchange(&exchange);
    QCOMPARE(page->dataExchange(), connections ? &exchange : nullptr);
    for (int axis : axes)
        exchange.setCurrentAxis(axis);
    QCOMPARE(page->axisChanges, expected);
    // Giving the page the object reads nothing from the module.
    QVERIFY(module.accesses(true).isEmpty());
}

void TestBaseSettings::exchangeDestroyed()
{
    RecordingModule module;
    QWidget tool;
    auto* page = new CountingPage(&tool);
    auto* exchange = new DataExchange(&module, nullptr);
    page->setDataExchange(exchange);
    exchange->setCurrentAxis(0);
    QCOMPARE(page->axisChanges, 1);
    delete exchange;
    QCOMPARE(page->dataExchange(), static_cast<DataExchange*>(nullptr));

    // A new one can be given afterwards.
    DataExchange next(&module, nullptr);
    page->setDataExchange(&next);
    next.setCurrentAxis(1);
    QCOMPARE(page->dataExchange(), &next);
    QCOMPARE(page->axisChanges, 2);
}

void TestBaseSettings::finish_data()
{
    QTest::addColumn<bool>("apply");
    QTest::addColumn<QString>("text");

    QTest::newRow("apply with fragment") << true << "  SAP 140, 0, 8  //Comment\n";
    QTest::newRow("apply, empty text") << true << QString();
    QTest::newRow("cancel") << false << QString();
}

void TestBaseSettings::finish()
{
    QFETCH(bool, apply);
    QFETCH(QString, text);

    PageInWindow frame;
    QVERIFY(frame.page->isVisible());
    QSignalSpy executed(frame.page, &BaseSettings::executed);
    bool windowOpenAtReport = true;
    connect(frame.page, &BaseSettings::executed, this,
            [&]() { windowOpenAtReport = frame.window.isVisible(); });

    frame.page->finish(apply, text);

    QVERIFY(frame.window.isHidden());
    QCOMPARE(executed.count(), 1);
    QCOMPARE(executed.first().at(0).toBool(), apply);
    QCOMPARE(executed.first().at(1).toString(), text);
    QVERIFY2(!windowOpenAtReport, "the window must be closed before the report");
    // Only the window is closed; tool and page stay as they were inside it.
    QVERIFY(!frame.tool->isHidden());
    QVERIFY(!frame.page->isHidden());
}

void TestBaseSettings::finishWithoutWindow()
{
    QWidget tool;
    auto* page = new CountingPage(&tool);
    tool.show();
    QSignalSpy executed(page, &BaseSettings::executed);
    page->finish(false, QStringLiteral("x"));
    QCOMPARE(executed.count(), 1);
    QVERIFY(tool.isVisible());
}

void TestBaseSettings::showMessageDefaultTimeout()
{
    QWidget tool;
    auto* page = new CountingPage(&tool);
    // The tool instance connects the two-argument signature to its status bar.
    QSignalSpy spy(page, SIGNAL(showMessage(QString, int)));
    emit page->showMessage(QStringLiteral("plain"));
    QVERIFY(QMetaObject::invokeMethod(page, "showMessage", Q_ARG(QString, QStringLiteral("by name"))));
    emit page->showMessage(QStringLiteral("timed"), 2000);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(0), (QList<QVariant>{QStringLiteral("plain"), 0}));
    QCOMPARE(spy.at(1), (QList<QVariant>{QStringLiteral("by name"), 0}));
    QCOMPARE(spy.at(2), (QList<QVariant>{QStringLiteral("timed"), 2000}));
}

void TestBaseSettings::destructorLine()
{
    FrameLogCapture log;
    {
        QWidget tool;
        new CountingPage(&tool);
        new CountingPage(&tool);
    }
    QCOMPARE(log.debugLines(), (QStringList{"virtual BaseSettings::~BaseSettings()", "virtual BaseSettings::~BaseSettings()"}));
}

QTEST_MAIN(TestBaseSettings)
#include "tst_basesettings.moc"
