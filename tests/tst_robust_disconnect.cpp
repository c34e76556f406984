// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The connection lost in the middle of each action that talks to the module: run once connected to
// count its accesses, then once for every access before which the connection drops. Nothing may
// crash, nothing the user entered be lost, and the encoder detection can still be left.

#include <QtTest>
#include <QtWidgets>

#include "robusthost.h"
#include "simulatedmodule.h"
#include "spinbox.h"

// Drops the connection just before the access after the next cutAfter ones (reads, writes,
// commands), as when a cable is pulled between two requests of one action.
class FlakyModule : public SimulatedModule, public CommandHandlerInterface
{
    Q_OBJECT
    using Base = SimulatedModule;
    void touch() { ++accesses; if (cutAfter >= 0 && cutAfter-- == 0) setDeviceOpen(false); }

public:
    int accesses = 0;
    int cutAfter = -1; // never

    int getAxisParameter(quint8 t, quint8 m, bool* ok) override { touch(); return Base::getAxisParameter(t, m, ok); }
    void setAxisParameter(quint8 t, quint8 m, int v) override { touch(); Base::setAxisParameter(t, m, v); }
    CommandHandlerInterface* commandHandlerInterface() override { return this; }
    bool isDeviceOpen() const override { return Base::isDeviceOpen(); }
    void executeCommand(Command* q, Command* r) override { touch(); commandHandler()->executeCommand(q, r); }
    void setCircularMode(bool on) override { commandHandler()->setCircularMode(on); }
};

class TestRobustDisconnect : public QObject
{
    Q_OBJECT

private slots:
    void cut_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("widget"); // none: the refresh when the page is shown
        const QList<int> ids = RobustHost::ids();
        for (int id : ids)
            QTest::addRow("refresh %d", id) << id << QString();
        for (int id : {RobustHost::Motor, RobustHost::Encoder, RobustHost::ClosedLoop})
            QTest::addRow("apply %d", id) << id << "buttonBox";
        for (const char* name : {"btnStart", "btnStop", "cmbRampType", "cbActivateClosedLoop", "cmbAxisNumber"})
            QTest::newRow(name) << int(RobustHost::StartUp) << name;
        QTest::newRow("detection") << int(RobustHost::Encoder) << "bbAutoDetection";
    }
    void cut()
    {
        QFETCH(int, id);
        QFETCH(QString, widget);
        FlakyModule module;
        module.setManualClock(true);
        RobustHost host(&module);
        QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
        // Both steps chosen, which makes the closed-loop switch usable.
        const auto steps = host.page(id)->findChildren<QGroupBox*>(QRegularExpression("^gb(Encoder|ClosedLoop)$"));
        for (QGroupBox* step : steps)
            step->setChecked(true);
        // The values the user enters: the motion test's, the encoder menu's, all of another page.
        QWidget* entries = id == RobustHost::StartUp  ? host.child<QWidget>(id, "gbMotionTest")
                           : id == RobustHost::Encoder ? host.child<QWidget>(id, "gbMenu")
                                                       : host.page(id);
        const QList<SpinBox*> boxes = entries->findChildren<SpinBox*>();
        QWidget* target = widget.isEmpty() ? nullptr : host.child<QWidget>(id, qPrintable(widget));
        auto* axis = host.child<QComboBox>(RobustHost::StartUp, "cmbAxisNumber");
        auto* reverse = host.child<QCheckBox>(id, "cbReverseEncoderDirection");
        const bool detection = widget == QLatin1String("bbAutoDetection");
        int total = 0;
        for (int k = -1; k <= total; ++k) {
            module.setDeviceOpen(true);
            host.answerQuestions(QMessageBox::No);
            host.window(RobustHost::StartUp)->hide(); // so that each report refreshes it alike
            host.show(id);
            if (!target)
                host.window(id)->hide();
            // The user's values, typed with the device closed: in range, neither 0 nor what the module
            // holds (unsigned, as the resolution shows; for the axis shown after), so no reading passes.
            const int axisAfter = (axis->currentIndex() + (target == axis ? 1 : 0)) % axis->count();
            QList<int> typed, held;
            for (SpinBox* box : boxes) {
                const int holds = module.getAxisParameter(quint8(box->sapType()), quint8(axisAfter), nullptr);
                held.append(box->sapType() == 210 ? qAbs(holds) : holds);
                const qint64 low = qint64(box->minimum()), span = qint64(box->maximum()) - low + 1;
                qint64 value = 0;
                for (int step = 0; step < 16 && (value == 0 || qAbs(value) == qAbs(qint64(held.last()))); ++step)
                    value = low + (20 + 7 * (k + typed.size()) + step) % span;
                typed.append(int(value));
            }
            module.setDeviceOpen(false);
            for (int i = 0; i < boxes.size(); ++i)
                boxes[i]->setValue(typed[i]);
            if (reverse)
                reverse->setChecked(detection && k % 2);
            module.setDeviceOpen(true);

            const int before = module.accesses;
            module.cutAfter = k;
            if (detection)
                host.child<QAbstractButton>(id, "btnAutoDetection")->click();
            if (!target)
                host.window(id)->activateWindow();
            else if (auto* box = qobject_cast<QDialogButtonBox*>(target))
                box->button(detection ? QDialogButtonBox::Ok : QDialogButtonBox::Apply)->click();
            else if (auto* combo = qobject_cast<QComboBox*>(target))
                combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
            else
                static_cast<QAbstractButton*>(target)->click();
            // The detection polled from here with simulated time in between (any timer id will do).
            for (int poll = 0; detection && poll < 120; ++poll) {
                module.advance(100);
                QTimerEvent event(0);
                QCoreApplication::sendEvent(host.page(id), &event);
            }
            QCoreApplication::processEvents();
            module.cutAfter = -1;
            total = k < 0 ? module.accesses - before : total;
            const QByteArray where = "cut after " + QByteArray::number(k) + " of " + QByteArray::number(total);
            QVERIFY2(total > 0, where);
            if (detection) { // connected it measures; however far it got, it can be left for the menu
                QVERIFY2(k >= 0 || host.child<QLabel>(id, "lblInvestigated")->text() == QLatin1String("4000"), where);
                host.child<QDialogButtonBox>(id, "bbDetction")->button(QDialogButtonBox::Discard)->click();
                QVERIFY2(host.child<QStackedWidget>(id, "stackedWidget")->currentWidget() == entries, where);
            }
            QVERIFY2(!reverse || reverse->isChecked() == (detection && k % 2), where);
            // Each box shows what was typed or, where the page reads again, what the module holds.
            const bool reads = (!target || target == axis) && k != 0;
            for (int i = 0; i < boxes.size(); ++i) {
                const int shown = boxes[i]->intValue();
                QVERIFY2(shown == typed[i] || (reads && shown == held[i]),
                         where + QStringLiteral(": parameter %1 shows %2, typed %3, module %4")
                                     .arg(boxes[i]->sapType()).arg(shown).arg(typed[i]).arg(held[i]).toUtf8());
            }
        }
    }
};

QTEST_MAIN(TestRobustDisconnect)
#include "tst_robust_disconnect.moc"
