// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random polling answers into the wired Start Up tool: an answer changes a monitor widget exactly
// when it is a successful read of this module for the current axis and of that widget's type.

#include <QRandomGenerator>
#include <QtTest>
#include <QtWidgets>

#include "command.h"
#include "labelled.h"
#include "labelsignal.h"
#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "robusthost.h"
#include "spinbox.h"

class TestRobustFuzz : public QObject
{
    Q_OBJECT

private slots:
    void randomAnswers_data()
    {
        QTest::addColumn<int>("address");
        QTest::newRow("module address 0") << 0;
        QTest::newRow("module address 255") << 255;
    }
    void randomAnswers()
    {
        QFETCH(int, address);
        RecordingModule module;
        module.setModuleAddress(quint8(address));
        RobustHost host(&module);
        QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
        ReRezorInterface* tool = host.tool(RobustHost::StartUp);
        auto* axisBox = host.child<QComboBox>(RobustHost::StartUp, "cmbAxisNumber");
        // The monitor (two LEDs on for any value but 0), then the motion test, which no answer reaches.
        QList<QWidget*> widgets;
        for (const char* name :
             {"spMeasuredVelocity", "spTargetVelocity", "spEncoderPosition", "ledPositionReached", "ledClInitFlag"})
            widgets.append(host.child<QWidget>(RobustHost::StartUp, name));
        const QList<SpinBox*> boxes = host.child<QGroupBox>(RobustHost::StartUp, "gbMotionTest")->findChildren<SpinBox*>();
        for (SpinBox* box : boxes)
            widgets.append(box);
        QVERIFY(axisBox && !widgets.contains(nullptr) && widgets.size() == 8);
        auto shown = [&]() {
            QList<double> state;
            for (QWidget* w : qAsConst(widgets))
                state.append(w->inherits("LabelLed") ? static_cast<LabelLed*>(w)->labelSignal()->isEnabled()
                                                     : static_cast<SpinBox*>(w)->value());
            return state;
        };
        QList<double> expected = shown();

        QRandomGenerator random(0x5eed0000u + quint32(address));
        auto pick = [&](const auto& choices) { return choices[random.bounded(int(std::size(choices)))]; };
        auto byte = [&]() { return int(random.bounded(256)); };
        int axis = 0;
        for (int i = 1; i <= 200000; ++i) {
            if (i % 2500 == 0) // runs of answers per axis, chosen as the user does
                axisBox->setCurrentIndex(axis = (axis + 1 + int(random.bounded(2))) % 3);
            // Mostly close to a passing answer, so that the accepting path is busy too.
            const int any = int(random.generate());
            const int statuses[] = {100, 100, 100, 100 | (any & ~0xff), 99, 101, any};
            const int commands[] = {Command::GetAxisParameter, Command::GetAxisParameter, byte()};
            const int motors[] = {axis, axis, axis, (axis + 1) % 3, (axis + 2) % 3, byte()};
            const int addresses[] = {address, address, address, byte()};
            const int types[] = {3, 2, 209, 8, 133, 0, 4, 5, 132, 210, byte()}; // the monitor's first
            const int values[] = {-1, 0, 1, 2, INT_MAX, INT_MIN, any % 1000000, any};
            Command answer{quint8(pick(addresses)), quint8(pick(commands)), quint8(pick(types)), quint8(pick(motors)),
                           pick(values)};
            answer.setStatus(pick(statuses));
            const int widget = int(std::find(types, types + 5, answer.type()) - types);
            if (quint8(answer.status()) == Command::StatusOk && answer.command() == Command::GetAxisParameter
                && answer.motorBank() == axis && answer.address() == address && widget < 5)
                expected[widget] = widget < 3 ? answer.value() : answer.value() != 0;
            QMetaObject::invokeMethod(tool, "IN_replyValue", Qt::DirectConnection, Q_ARG(Command*, &answer));
            if (shown() != expected)
                QFAIL(qPrintable(QString::asprintf("answer %d on axis %d: status %d command %d motor %d address %d "
                                                   "type %d value %d", i, axis, answer.status(), answer.command(),
                                                   answer.motorBank(), answer.address(), answer.type(),
                                                   answer.value())));
        }
        QCOMPARE(module.log(), QStringList()); // shown, never sent anywhere
    }
};

QTEST_MAIN(TestRobustFuzz)
#include "tst_robust_fuzz.moc"
