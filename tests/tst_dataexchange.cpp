// The shared module access of the pages, against a module that records every access.

#include <QMetaProperty>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QtTest>

#include "command.h"
#include "dataexchange.h"
#include "labelled.h"
#include "labelsignal.h"
#include "recordingmodule.h"
#include "spinbox.h"
#include "tracecommand.h"

typedef QList<RecordingModule::Access> Accesses;
Q_DECLARE_METATYPE(RecordingModule::Access)

namespace {

SpinBox* boundBox(QWidget* parent, int type)
{
    auto* box = new SpinBox(parent);
    box->setUnitParameter(RecordingModule::describe(type, QStringLiteral("par::%1").arg(type)), true, 0, 0);
    return box;
}

// The read of parameter 0 on motor 0 that follows every request.
RecordingModule::Access keepAlive(quint8 address = 1)
{
    return {RecordingModule::Access::Get, address, 0, 0, 0, 0};
}

QStringList readable(const Accesses& accesses)
{
    QStringList lines;
    for (const RecordingModule::Access& access : accesses)
        lines << access.toString();
    return lines;
}

QStringList describe(const QList<TraceCommand*>& traces)
{
    QStringList lines;
    for (const TraceCommand* trace : traces)
        lines << QStringLiteral("adr=%1 bank=%2 cmd=%3 type=%4 %5")
                     .arg(trace->address())
                     .arg(trace->motorBank())
                     .arg(trace->command())
                     .arg(trace->type())
                     .arg(trace->caption());
    return lines;
}

QString traceLine(int address, int bank, int type)
{
    return QStringLiteral("adr=%1 bank=%2 cmd=6 type=%3 Default").arg(address).arg(bank).arg(type);
}

} // namespace

class TestDataExchange : public QObject
{
    Q_OBJECT

private slots:
    void initialState();
    void setCurrentAxis_data();
    void setCurrentAxis();
    void traceOrder_data();
    void traceOrder();
    void traceLowBytes();
    void lateRegistration();
    void sendCommand_data();
    void sendCommand();
    void axisParameters_data();
    void axisParameters();
    void microsteps_data();
    void microsteps();
    void replyValue_data();
    void replyValue();
    void currentAxisName();
    void valueProperties_data();
    void valueProperties();
    void metaObject();
};

void TestDataExchange::initialState()
{
    RecordingModule module;
    QWidget parent;
    auto* exchange = new DataExchange(&module, &parent);
    QCOMPARE(exchange->parent(), &parent);
    QCOMPARE(exchange->module(), static_cast<ModuleInterface*>(&module));
    QCOMPARE(exchange->currentAxis(), -1);
    QVERIFY(exchange->traceCommands().isEmpty());
    QCOMPARE(exchange->windowType(), Qt::Widget);
    // It is never shown, not even with its parent.
    parent.show();
    QVERIFY(!exchange->isVisible());
    QVERIFY(module.accesses(true).isEmpty());
}

void TestDataExchange::setCurrentAxis_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("emitted");

    QTest::newRow("from -1 to 0") << -1 << 0 << true;
    QTest::newRow("0 again") << 0 << 0 << false;
    QTest::newRow("0 to 1") << 0 << 1 << true;
    QTest::newRow("3 to 2") << 3 << 2 << true;
    QTest::newRow("-1 again") << -1 << -1 << false;
}

void TestDataExchange::setCurrentAxis()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(bool, emitted);

    RecordingModule module;
    QWidget widgets;
    DataExchange exchange(&module, nullptr);
    exchange.registerSpinBox(boundBox(&widgets, 3));
    exchange.setCurrentAxis(first);
    const QList<TraceCommand*> before = exchange.traceCommands();
    QCOMPARE(before.size(), first == -1 ? 0 : 1);

    QSignalSpy axisChanged(&exchange, &DataExchange::currentAxisChanged);
    QSignalSpy nameChanged(&exchange, &DataExchange::currentAxisNameChanged);
    // The emission must come after the traces are rebuilt: a listener sees the new set.
    QStringList seen;
    connect(&exchange, &DataExchange::currentAxisChanged, this,
            [&]() { seen = describe(exchange.traceCommands()); });
    exchange.setCurrentAxis(second);

    QCOMPARE(exchange.currentAxis(), second);
    QCOMPARE(axisChanged.count(), emitted ? 1 : 0);
    QCOMPARE(nameChanged.count(), 0);
    if (emitted) {
        QCOMPARE(seen, QStringList{traceLine(1, quint8(second), 3)});
        QCOMPARE(describe(exchange.traceCommands()), seen);
    } else {
        QCOMPARE(exchange.traceCommands(), before);
    }
    QVERIFY(module.accesses(true).isEmpty());
}

void TestDataExchange::traceOrder_data()
{
    QTest::addColumn<bool>("ledFirst");
    QTest::addColumn<int>("address");

    QTest::newRow("boxes registered first") << false << 1;
    QTest::newRow("LED registered first") << true << 7;
}

void TestDataExchange::traceOrder()
{
    QFETCH(bool, ledFirst);
    QFETCH(int, address);

    RecordingModule module;
    module.setModuleAddress(quint8(address));
    QWidget widgets;
    DataExchange exchange(&module, nullptr);
    auto* led = new LabelLed(&widgets);
    if (ledFirst)
        exchange.registerLed(led, 133);
    exchange.registerSpinBox(boundBox(&widgets, 209));
    exchange.registerSpinBox(boundBox(&widgets, 3));
    if (!ledFirst)
        exchange.registerLed(led, 133);
    QCOMPARE(led->property("type"), QVariant(133));
    QVERIFY(exchange.traceCommands().isEmpty());

    exchange.setCurrentAxis(1);
    QCOMPARE(describe(exchange.traceCommands()),
             (QStringList{traceLine(address, 1, 209), traceLine(address, 1, 3), traceLine(address, 1, 133)}));

    // A new axis replaces the set; the module is not asked for anything.
    exchange.setCurrentAxis(0);
    QCOMPARE(describe(exchange.traceCommands()),
             (QStringList{traceLine(address, 0, 209), traceLine(address, 0, 3), traceLine(address, 0, 133)}));
    QVERIFY(module.accesses(true).isEmpty());
}

void TestDataExchange::traceLowBytes()
{
    RecordingModule module;
    QWidget widgets;
    DataExchange exchange(&module, nullptr);
    exchange.registerLed(new LabelLed(&widgets), 256 + 8);
    exchange.setCurrentAxis(256 + 2);
    QCOMPARE(describe(exchange.traceCommands()), QStringList{traceLine(1, 2, 8)});
}

void TestDataExchange::lateRegistration()
{
    RecordingModule module;
    QWidget widgets;
    DataExchange exchange(&module, nullptr);
    exchange.registerSpinBox(boundBox(&widgets, 3));
    exchange.setCurrentAxis(0);
    exchange.registerSpinBox(boundBox(&widgets, 2));
    exchange.registerLed(new LabelLed(&widgets), 8);
    QCOMPARE(describe(exchange.traceCommands()), QStringList{traceLine(1, 0, 3)});
    exchange.setCurrentAxis(0);
    QCOMPARE(exchange.traceCommands().size(), 1);
    exchange.setCurrentAxis(2);
    QCOMPARE(describe(exchange.traceCommands()),
             (QStringList{traceLine(1, 2, 3), traceLine(1, 2, 2), traceLine(1, 2, 8)}));
}

void TestDataExchange::sendCommand_data()
{
    QTest::addColumn<bool>("handler");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("withRequest");
    QTest::addColumn<bool>("withReply");
    QTest::addColumn<int>("axis");
    QTest::addColumn<Accesses>("expected");
    QTest::addColumn<int>("replyValue");

    // The module answers 4711 for parameter 140 on every motor; the reply starts with -3.
    QTest::newRow("open, axis 2") << true << true << true << true << 2
                                  << Accesses{exec(6, 140, 2, 17, 5), keepAlive(5)} << 4711;
    QTest::newRow("open, no axis yet") << true << true << true << true << -1
                                       << Accesses{exec(6, 140, 255, 17, 5), keepAlive(5)} << 4711;
    QTest::newRow("no handler") << false << true << true << true << 2 << Accesses{} << -3;
    QTest::newRow("device closed") << true << false << true << true << 2 << Accesses{keepAlive(5)} << -3;
    QTest::newRow("no request") << true << true << false << true << 2 << Accesses{keepAlive(5)} << -3;
    QTest::newRow("no reply") << true << true << true << false << 2 << Accesses{keepAlive(5)} << -3;
}

void TestDataExchange::sendCommand()
{
    QFETCH(bool, handler);
    QFETCH(bool, open);
    QFETCH(bool, withRequest);
    QFETCH(bool, withReply);
    QFETCH(int, axis);
    QFETCH(Accesses, expected);
    QFETCH(int, replyValue);

    RecordingModule module;
    module.setModuleAddress(5);
    module.setValue(140, 4711);
    module.setHasHandler(handler);
    module.setDeviceOpen(open);
    DataExchange exchange(&module, nullptr);
    exchange.setCurrentAxis(axis);

    Command request(0, Command::GetAxisParameter, 140, 0, 17);
    Command reply(9, 9, 9, 9, -3);
    exchange.sendCommand(withRequest ? &request : nullptr, withReply ? &reply : nullptr);

    QCOMPARE(readable(module.accesses(true)), readable(expected));
    QCOMPARE(reply.value(), replyValue);
    const bool sent = !expected.isEmpty() && expected.first().kind == RecordingModule::Access::Execute;
    QCOMPARE(int(request.address()), sent ? 5 : 0);
    QCOMPARE(int(request.motorBank()), sent ? int(quint8(axis)) : 0);
    QCOMPARE(reply.status(), sent ? Command::StatusOk : 0);
}

void TestDataExchange::axisParameters_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("motor");

    QTest::newRow("axis 0") << 0 << 0;
    QTest::newRow("axis 3") << 3 << 3;
    QTest::newRow("no axis yet") << -1 << 255;
}

void TestDataExchange::axisParameters()
{
    QFETCH(int, axis);
    QFETCH(int, motor);

    RecordingModule module;
    module.setValue(210, 4000, motor);
    DataExchange exchange(&module, nullptr);
    exchange.setCurrentAxis(axis);

    QCOMPARE(exchange.getAxisParameter(210), 4000);
    exchange.setAxisParameter(212, -9);
    QCOMPARE(module.value(212, motor), -9);
    const Accesses expected{{RecordingModule::Access::Get, 1, 0, 210, quint8(motor), 0},
                            {RecordingModule::Access::Set, 1, 0, 212, quint8(motor), -9}};
    // Neither goes through the command handler, and neither needs the keep-alive read.
    QCOMPARE(readable(module.accesses(true)), readable(expected));
}

void TestDataExchange::microsteps_data()
{
    QTest::addColumn<int>("exponent");
    QTest::addColumn<int>("fullSteps");
    QTest::addColumn<int>("expected");

    QTest::newRow("256 microsteps, 200 full steps") << 8 << 200 << 51200;
    QTest::newRow("full steps only") << 0 << 200 << 200;
    QTest::newRow("16 microsteps, 400 full steps") << 4 << 400 << 6400;
    QTest::newRow("exponent taken modulo 32") << 33 << 200 << 400;
    QTest::newRow("wraps in 32 bits") << 31 << 3 << int(0x80000000u);
}

void TestDataExchange::microsteps()
{
    QFETCH(int, exponent);
    QFETCH(int, fullSteps);
    QFETCH(int, expected);

    RecordingModule module;
    module.setValue(140, exponent, 1);
    module.setValue(202, fullSteps, 1);
    DataExchange exchange(&module, nullptr);
    exchange.setCurrentAxis(1);

    QCOMPARE(exchange.microstepsPerRevolution(), expected);
    QCOMPARE(readable(module.accesses(true)),
             readable(Accesses{gap(140, 1), keepAlive(), gap(202, 1), keepAlive()}));
}

void TestDataExchange::replyValue_data()
{
    QTest::addColumn<bool>("lit");        // L133 before the answer
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("value");
    QTest::addColumn<QList<int>>("boxes");  // values of the boxes A(3), B(3), C(8) afterwards
    QTest::addColumn<QList<bool>>("leds");  // states of the LEDs L8, L133, M133 afterwards

    // Registered: LED L8 (8), box A (3), box B (3), box C (8), LED L133 (133), LED M133 (133).
    // Every box starts at -5.
    QTest::newRow("two boxes of one type: the first") << false << 3 << 42 << QList<int>{42, -5, -5}
                                                      << QList<bool>{false, false, false};
    QTest::newRow("box before LED of the same type") << false << 8 << 1 << QList<int>{-5, -5, 1}
                                                     << QList<bool>{false, false, false};
    QTest::newRow("LED value zero disables") << true << 133 << 0 << QList<int>{-5, -5, -5}
                                             << QList<bool>{false, false, false};
    QTest::newRow("LED positive enables the first") << false << 133 << 5 << QList<int>{-5, -5, -5}
                                                    << QList<bool>{false, true, false};
    QTest::newRow("LED negative enables") << false << 133 << -1 << QList<int>{-5, -5, -5}
                                          << QList<bool>{false, true, false};
    QTest::newRow("LED lit stays lit") << true << 133 << 1 << QList<int>{-5, -5, -5} << QList<bool>{false, true, false};
    QTest::newRow("unknown type ignored") << true << 99 << 0 << QList<int>{-5, -5, -5}
                                          << QList<bool>{false, true, false};
}

void TestDataExchange::replyValue()
{
    QFETCH(bool, lit);
    QFETCH(int, type);
    QFETCH(int, value);
    QFETCH(QList<int>, boxes);
    QFETCH(QList<bool>, leds);

    RecordingModule module;
    QWidget widgets;
    DataExchange exchange(&module, nullptr);
    auto* l8 = new LabelLed(&widgets);
    auto* a = boundBox(&widgets, 3);
    auto* b = boundBox(&widgets, 3);
    auto* c = boundBox(&widgets, 8);
    auto* l133 = new LabelLed(&widgets);
    auto* m133 = new LabelLed(&widgets);
    exchange.registerLed(l8, 8);
    exchange.registerSpinBox(a);
    exchange.registerSpinBox(b);
    exchange.registerSpinBox(c);
    exchange.registerLed(l133, 133);
    exchange.registerLed(m133, 133);
    for (SpinBox* box : {a, b, c})
        box->setValue(-5);
    l133->labelSignal()->setEnabled(lit);

    QSignalSpy aChanged(a, qOverload<int>(&SpinBox::valueChanged));
    Command reply(1, Command::GetAxisParameter, quint8(type), 0, value);
    reply.setStatus(Command::StatusOk);
    exchange.replyValue(&reply);

    QCOMPARE((QList<int>{a->intValue(), b->intValue(), c->intValue()}), boxes);
    QCOMPARE((QList<bool>{l8->labelSignal()->isEnabled(), l133->labelSignal()->isEnabled(),
                          m133->labelSignal()->isEnabled()}),
             leds);
    // The value reaches the box like a user's input, so the page's handlers run.
    QCOMPARE(aChanged.count(), boxes.first() != -5 ? 1 : 0);
    QVERIFY(module.accesses(true).isEmpty());
}

void TestDataExchange::currentAxisName()
{
    RecordingModule module;
    DataExchange exchange(&module, nullptr);
    QCOMPARE(exchange.currentAxisName(), QStringLiteral("Motor / Encoder -1"));
    exchange.setCurrentAxis(0);
    QCOMPARE(exchange.currentAxisName(), QStringLiteral("Motor / Encoder 0"));
    exchange.setCurrentAxis(12);
    QCOMPARE(exchange.currentAxisName(), QStringLiteral("Motor / Encoder 12"));
}

void TestDataExchange::valueProperties_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QByteArray>("notify");
    QTest::addColumn<bool>("emitsOnChange");

    QTest::newRow("measured velocity") << QByteArray("measuredVelocity") << QByteArray("measuredVelocityChanged()") << false;
    QTest::newRow("target velocity") << QByteArray("targetVelocity") << QByteArray("targetVelocityChanged()") << false;
    QTest::newRow("encoder position") << QByteArray("encoderPosition") << QByteArray("encoderPositionyChanged()") << true;
    QTest::newRow("current axis") << QByteArray("currentAxis") << QByteArray("currentAxisChanged()") << true;
}

void TestDataExchange::valueProperties()
{
    QFETCH(QByteArray, property);
    QFETCH(QByteArray, notify);
    QFETCH(bool, emitsOnChange);

    RecordingModule module;
    DataExchange exchange(&module, nullptr);
    const QMetaObject* meta = exchange.metaObject();
    const QMetaProperty metaProperty = meta->property(meta->indexOfProperty(property.constData()));
    QVERIFY(metaProperty.isValid());
    QCOMPARE(metaProperty.userType(), int(QMetaType::Int));
    QVERIFY(metaProperty.isWritable());
    QVERIFY(metaProperty.isStored());
    QVERIFY(metaProperty.isScriptable());
    QVERIFY(metaProperty.isDesignable());
    QCOMPARE(metaProperty.notifySignal().methodSignature(), notify);

    QSignalSpy spy(&exchange, metaProperty.notifySignal());
    QVERIFY(exchange.setProperty(property.constData(), 5));
    QCOMPARE(exchange.property(property.constData()), QVariant(5));
    QCOMPARE(spy.count(), emitsOnChange ? 1 : 0);
    QVERIFY(exchange.setProperty(property.constData(), 5));
    QCOMPARE(spy.count(), emitsOnChange ? 1 : 0);
    QVERIFY(exchange.setProperty(property.constData(), -6));
    QCOMPARE(exchange.property(property.constData()), QVariant(-6));
    QCOMPARE(spy.count(), emitsOnChange ? 2 : 0);
}

void TestDataExchange::metaObject()
{
    const QMetaObject& meta = DataExchange::staticMetaObject;
    QCOMPARE(meta.superClass(), &QWidget::staticMetaObject);
    QStringList signatures;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        signatures << QString::fromLatin1(meta.method(i).methodSignature());
    QCOMPARE(signatures, (QStringList{"currentAxisChanged()", "currentAxisNameChanged()", "measuredVelocityChanged()",
                                      "targetVelocityChanged()", "encoderPositionyChanged()"}));
    QStringList properties;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        properties << QString::fromLatin1(meta.property(i).name());
    QCOMPARE(properties, (QStringList{"currentAxis", "measuredVelocity", "targetVelocity", "encoderPosition"}));
}

QTEST_MAIN(TestDataExchange)
#include "tst_dataexchange.moc"
