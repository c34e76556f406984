// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pages' shared module access, against a module that records every access.

#include <QtTest>

#include "dataexchange.h"
#include "labelled.h"
#include "labelsignal.h"
#include "recordingmodule.h"
#include "spinbox.h"
#include "tracecommand.h"

typedef QList<RecordingModule::Access> Accesses;
Q_DECLARE_METATYPE(RecordingModule::Access)

static const RecordingModule::Access KeepAlive{RecordingModule::Access::Get, 1, 0, 0, 0, 0}; // after each request

static SpinBox* addBox(DataExchange& exchange, int type)
{
    auto* box = new SpinBox(&exchange);
    box->setUnitParameter(RecordingModule::describe(type, QString()), true, 0, 0);
    exchange.registerSpinBox(box);
    return box;
}

static LabelSignal* addLed(DataExchange& exchange, int type)
{
    auto* led = new LabelLed(&exchange);
    exchange.registerLed(led, type);
    return led->labelSignal();
}

class TestDataExchange : public QObject
{
    Q_OBJECT

private slots:
    void traceOrder();
    void sendCommand_data();
    void sendCommand();
    void microsteps();
    void replyValue_data();
    void replyValue();
};

void TestDataExchange::traceOrder()
{
    RecordingModule module;
    module.setModuleAddress(7);
    DataExchange exchange(&module, nullptr);
    addLed(exchange, 133);
    addBox(exchange, 209);
    // Boxes come before LEDs, and a listener of the change already sees the new set.
    QStringList seen;
    connect(&exchange, &DataExchange::currentAxisChanged, this, [&]() {
        const QList<TraceCommand*> traces = exchange.traceCommands();
        for (const TraceCommand* trace : traces)
            seen << trace->toString();
    });
    exchange.setCurrentAxis(1);
    exchange.setCurrentAxis(1);
    addBox(exchange, 3);                // joins with the next change
    exchange.setCurrentAxis(256 + 2);  // the motor bank is the low byte
    const QString line("TraceCommand(address 7, motor bank %1, command 6, type %2, caption \"Default\")");
    QCOMPARE(seen, (QStringList{line.arg(1).arg(209), line.arg(1).arg(133), line.arg(2).arg(209), line.arg(2).arg(3),
                                line.arg(2).arg(133)}));
}

void TestDataExchange::sendCommand_data()
{
    QTest::addColumn<bool>("handler");
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("axis");
    QTest::addColumn<Accesses>("expected");
    QTest::newRow("open, axis 2") << true << true << 2 << Accesses{exec(6, 140, 2, 17), KeepAlive};
    QTest::newRow("no handler") << false << true << 2 << Accesses{};
    QTest::newRow("device closed") << true << false << 2 << Accesses{KeepAlive};
}

void TestDataExchange::sendCommand()
{
    QFETCH(bool, handler);
    QFETCH(bool, open);
    QFETCH(int, axis);
    RecordingModule module;
    module.setHasHandler(handler);
    module.setDeviceOpen(open);
    DataExchange exchange(&module, nullptr);
    exchange.setCurrentAxis(axis);
    Command request(0, Command::GetAxisParameter, 140, 0, 17);
    Command reply;
    exchange.sendCommand(&request, &reply);
    QTEST(module.accesses(true), "expected");
}

void TestDataExchange::microsteps()
{
    RecordingModule module;
    module.setValue(140, 63, 1);
    module.setValue(202, 3, 1);
    DataExchange exchange(&module, nullptr);
    exchange.setCurrentAxis(1);
    QCOMPARE(exchange.microstepsPerRevolution(), INT_MIN); // exponent modulo 32, product wraps as on the module
    QCOMPARE(module.accesses(true), (Accesses{gap(140, 1), KeepAlive, gap(202, 1), KeepAlive}));
}

void TestDataExchange::replyValue_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("after"); // registered: L8, boxes A(3) B(3) C(8), L133, M133
    QTest::newRow("two boxes of one type: the first") << 3 << 42 << "42 0 0 000";
    QTest::newRow("box before LED of the same type") << 8 << 1 << "0 0 1 000";
    QTest::newRow("LED value zero disables") << 133 << 0 << "0 0 0 000";
    QTest::newRow("LED positive enables the first") << 133 << 5 << "0 0 0 010";
    QTest::newRow("LED negative enables") << 133 << -1 << "0 0 0 010";
}

void TestDataExchange::replyValue()
{
    QFETCH(int, type);
    QFETCH(int, value);
    RecordingModule module;
    DataExchange exchange(&module, nullptr);
    LabelSignal* l8 = addLed(exchange, 8);
    const QList<SpinBox*> boxes{addBox(exchange, 3), addBox(exchange, 3), addBox(exchange, 8)};
    const QList<LabelSignal*> leds{l8, addLed(exchange, 133), addLed(exchange, 133)};
    leds[1]->setEnabled(value == 0); // lit where a zero must switch it off
    QSignalSpy changed(boxes[0], qOverload<int>(&SpinBox::valueChanged)); // as for user input: page handlers run
    Command reply(1, Command::GetAxisParameter, quint8(type), 0, value);
    exchange.replyValue(&reply);
    QTEST(QStringLiteral("%1 %2 %3 %4%5%6").arg(boxes[0]->intValue()).arg(boxes[1]->intValue())
              .arg(boxes[2]->intValue()).arg(leds[0]->isEnabled()).arg(leds[1]->isEnabled()).arg(leds[2]->isEnabled()),
          "after");
    QCOMPARE(changed.count(), type == 3 ? 1 : 0);
}

QTEST_MAIN(TestDataExchange)
#include "tst_dataexchange.moc"
