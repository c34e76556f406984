// The host stand-in: widgets, the HTML helper and the plug-in registry.

#include <QImage>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <limits>

#include "basictools.h"
#include "framelogcapture.h"
#include "labelled.h"
#include "labelsignal.h"
#include "parameter.h"
#include "pluginhandler.h"
#include "plugininterface.h"
#include "progressindicator.h"
#include "qroundprogressbar.h"
#include "rerezorinterface.h"
#include "spinbox.h"

Q_DECLARE_METATYPE(QRoundProgressBar::BarStyle)

namespace {

Parameter parameter(int type, int minimum, int maximum)
{
    Parameter p;
    p.type = type;
    p.minimum = minimum;
    p.maximum = maximum;
    p.name = QStringLiteral("par::Something");
    p.caption = QStringLiteral("Max current");
    p.unit = QStringLiteral("mA");
    p.toolTip = QStringLiteral("tip");
    return p;
}

// A form with a box whose slot is connected by name, as uic does it.
class Form : public QWidget
{
    Q_OBJECT
public:
    Form()
    {
        box = new SpinBox(this);
        box->setObjectName(QStringLiteral("spSpeed"));
        QMetaObject::connectSlotsByName(this);
    }
    SpinBox* box;
    QList<int> received;

private slots:
    void on_spSpeed_valueChanged(int value) { received << value; }
};

int countColour(const QImage& image, const QColor& colour, int tolerance)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 200 && qAbs(pixel.red() - colour.red()) <= tolerance
                && qAbs(pixel.green() - colour.green()) <= tolerance && qAbs(pixel.blue() - colour.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

QString uniqueKey(const QString& name)
{
    static int counter = 0;
    return QStringLiteral("test%1/%2").arg(++counter).arg(name);
}

} // namespace

class TestHostWidgets : public QObject
{
    Q_OBJECT

private slots:
    void spinBoxUnbound();
    void spinBoxBinding_data();
    void spinBoxBinding();
    void spinBoxSignals_data();
    void spinBoxSignals();
    void spinBoxConnectByName();

    void ledSignals();
    void ledPainting();

    void progressIndicator();

    void roundProgressBarRange_data();
    void roundProgressBarRange();
    void roundProgressBarPainting_data();
    void roundProgressBarPainting();

    void pixmapToHtml_data();
    void pixmapToHtml();

    void pluginHandlerKeys();
    void pluginHandlerUnregisters();
    void pluginHandlerTools();
};

void TestHostWidgets::spinBoxUnbound()
{
    SpinBox box;
    QCOMPARE(box.sapType(), 0);
    QCOMPARE(box.decimals(), 0);
    box.setValue(std::numeric_limits<int>::max());
    QCOMPARE(box.intValue(), std::numeric_limits<int>::max());
    box.setValue(std::numeric_limits<int>::min());
    QCOMPARE(box.intValue(), std::numeric_limits<int>::min());
    box.setValue(-12);
    QCOMPARE(box.intValue(), -12);
}

void TestHostWidgets::spinBoxBinding_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<bool>("live");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::addColumn<double>("expectedStep");

    const double intMin = std::numeric_limits<int>::min();
    const double intMax = std::numeric_limits<int>::max();
    QTest::newRow("range from parameter") << 10 << 500 << false << 0.0 << 0 << 10.0 << 500.0 << 1.0;
    QTest::newRow("negative range, step 5") << -200 << -100 << false << 5.0 << 0 << -200.0 << -100.0 << 5.0;
    QTest::newRow("live value takes anything") << 10 << 500 << true << 0.0 << 0 << intMin << intMax << 1.0;
    QTest::newRow("empty range takes anything") << 0 << 0 << false << 0.0 << 0 << intMin << intMax << 1.0;
    QTest::newRow("two decimals") << 0 << 10 << false << 0.1 << 2 << 0.0 << 10.0 << 0.1;
}

void TestHostWidgets::spinBoxBinding()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(bool, live);
    QFETCH(double, step);
    QFETCH(int, decimals);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    QFETCH(double, expectedStep);

    SpinBox box;
    const Parameter p = parameter(6, minimum, maximum);
    QCOMPARE(box.setUnitParameter(p, live, step, decimals), QStringLiteral("Max current [mA]"));
    QCOMPARE(box.sapType(), 6);
    QCOMPARE(box.parameter().name, p.name);
    QCOMPARE(box.parameter().toolTip, p.toolTip);
    QCOMPARE(box.minimum(), lowest);
    QCOMPARE(box.maximum(), highest);
    QCOMPARE(box.singleStep(), expectedStep);
    QCOMPARE(box.decimals(), decimals);
    box.setValue(std::numeric_limits<int>::max());
    QCOMPARE(box.value(), highest);
    box.setValue(std::numeric_limits<int>::min());
    QCOMPARE(box.value(), lowest);
}

void TestHostWidgets::spinBoxSignals_data()
{
    QTest::addColumn<int>("call");   // 0 setValue(int), 1 setValue(double, true), 2 setValue(double, false),
                                     // 3 QDoubleSpinBox::setValue, 4 typed by the user
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("emitted");
    QTest::addColumn<int>("intValue");

    QTest::newRow("setValue(int)") << 0 << 0 << 42.0 << 1 << 42;
    QTest::newRow("setValue(double, notify)") << 1 << 0 << 42.0 << 1 << 42;
    QTest::newRow("setValue(double, silent)") << 2 << 0 << 42.0 << 0 << 42;
    QTest::newRow("inherited setValue") << 3 << 0 << -7.0 << 1 << -7;
    QTest::newRow("typed by the user, digit by digit") << 4 << 0 << 315.0 << 3 << 315;
    QTest::newRow("same value again") << 0 << 0 << 5.0 << 0 << 5;
    QTest::newRow("whole value of a decimal box") << 1 << 1 << 2.5 << 1 << 3;
}

void TestHostWidgets::spinBoxSignals()
{
    QFETCH(int, call);
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(int, emitted);
    QFETCH(int, intValue);

    SpinBox box;
    box.setUnitParameter(parameter(3, -1000, 1000), false, 0, decimals);
    box.setValue(5);
    QSignalSpy intSpy(&box, qOverload<int>(&SpinBox::valueChanged));
    QSignalSpy doubleSpy(&box, qOverload<double>(&QDoubleSpinBox::valueChanged));
    QSignalSpy bySignature(&box, SIGNAL(valueChanged(int)));

    switch (call) {
    case 0:
        box.setValue(int(value));
        break;
    case 1:
        box.setValue(value, true);
        break;
    case 2:
        box.setValue(value, false);
        break;
    case 3:
        static_cast<QDoubleSpinBox&>(box).setValue(value);
        break;
    default:
        box.show();
        box.selectAll();
        QTest::keyClicks(&box, QString::number(int(value)));
        break;
    }
    QCOMPARE(box.value(), value);
    QCOMPARE(box.intValue(), intValue);
    QCOMPARE(doubleSpy.count(), emitted);
    QCOMPARE(intSpy.count(), emitted);
    QCOMPARE(bySignature.count(), emitted);
    if (emitted) {
        QCOMPARE(intSpy.last().first().toInt(), intValue);
        QCOMPARE(doubleSpy.last().first().toDouble(), value);
    }
    QVERIFY(!box.signalsBlocked());
}

void TestHostWidgets::spinBoxConnectByName()
{
    FrameLogCapture log;
    Form form;
    form.box->setValue(12);
    form.box->setValue(12.0, false);
    form.box->setValue(13.0, true);
    QCOMPARE(form.received, (QList<int>{12, 13}));
    // Blocking from outside survives a silent set.
    form.box->blockSignals(true);
    form.box->setValue(20.0, false);
    QVERIFY(form.box->signalsBlocked());
    form.box->setValue(21.0, true);
    QCOMPARE(form.received, (QList<int>{12, 13}));
    QCOMPARE(log.lines(QStringLiteral("default"), QtWarningMsg), QStringList());
}

void TestHostWidgets::ledSignals()
{
    LabelLed led;
    LabelSignal* part = led.labelSignal();
    QVERIFY(part);
    QCOMPARE(part->parent(), &led);
    QVERIFY(!part->isEnabled());
    QSignalSpy enabled(part, &LabelSignal::ledEnabled);
    QSignalSpy disabled(part, &LabelSignal::ledDisabled);

    const QList<bool> sequence{false, true, true, false, false, true};
    const QList<int> enabledCounts{0, 1, 1, 1, 1, 2};
    const QList<int> disabledCounts{0, 0, 0, 1, 1, 1};
    for (int i = 0; i < sequence.size(); ++i) {
        part->setEnabled(sequence.at(i));
        QCOMPARE(part->isEnabled(), sequence.at(i));
        QCOMPARE(enabled.count(), enabledCounts.at(i));
        QCOMPARE(disabled.count(), disabledCounts.at(i));
    }
    // The slot is reachable by signature, as forms connect it.
    QVERIFY(QMetaObject::invokeMethod(part, "setEnabled", Q_ARG(bool, false)));
    QVERIFY(!part->isEnabled());
}

void TestHostWidgets::ledPainting()
{
    LabelLed led;
    led.init(QColor(0, 200, 0), QString(), 20);
    QVERIFY(led.minimumSize().width() >= 20);
    led.resize(led.sizeHint());
    const QPoint centre(led.contentsRect().left() + 2 + 10, led.height() / 2);

    const QImage dark = led.grab().toImage();
    led.labelSignal()->setEnabled(true);
    const QImage lit = led.grab().toImage();
    const QColor darkPixel = dark.pixelColor(centre);
    const QColor litPixel = lit.pixelColor(centre);
    QVERIFY2(litPixel.green() > darkPixel.green() + 60,
             qPrintable(QStringLiteral("lit %1, dark %2").arg(litPixel.name(), darkPixel.name())));
    QVERIFY(litPixel.green() > litPixel.red());
    led.labelSignal()->setEnabled(false);
    QCOMPARE(led.grab().toImage(), dark);

    // A caption does not move the LED.
    LabelLed captioned;
    captioned.init(QColor(0, 200, 0), QStringLiteral("Position reached"), 20);
    captioned.resize(captioned.sizeHint());
    QVERIFY(captioned.sizeHint().width() > led.sizeHint().width());
    const QPoint captionedCentre(centre.x(), captioned.height() / 2);
    const QColor captionedDark = captioned.grab().toImage().pixelColor(captionedCentre);
    captioned.labelSignal()->setEnabled(true);
    QVERIFY(captioned.grab().toImage().pixelColor(captionedCentre).green() > captionedDark.green() + 60);
}

void TestHostWidgets::progressIndicator()
{
    ProgressIndicator indicator;
    const QColor colour(200, 0, 0);
    indicator.setColor(colour);
    QCOMPARE(indicator.color(), colour);
    indicator.resize(48, 48);
    QVERIFY(!indicator.isAnimated());
    QCOMPARE(countColour(indicator.grab().toImage(), colour, 10), 0);

    indicator.startAnimation(true);
    QVERIFY(indicator.isAnimated());
    const QImage first = indicator.grab().toImage();
    QVERIFY(countColour(first, colour, 10) > 0);
    // It turns by itself.
    QTRY_VERIFY_WITH_TIMEOUT(indicator.grab().toImage() != first, 2000);

    indicator.startAnimation(true);
    indicator.startAnimation(false);
    QVERIFY(!indicator.isAnimated());
    QCOMPARE(countColour(indicator.grab().toImage(), colour, 10), 0);

    QVERIFY(QMetaObject::invokeMethod(&indicator, "startAnimation", Q_ARG(bool, true)));
    QVERIFY(indicator.isAnimated());
    QVERIFY(QMetaObject::invokeMethod(&indicator, "stopAnimation"));
    QVERIFY(!indicator.isAnimated());
    const QImage stopped = indicator.grab().toImage();
    QTest::qWait(120);
    QCOMPARE(indicator.grab().toImage(), stopped);
}

void TestHostWidgets::roundProgressBarRange_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("inside") << 0.0 << 100.0 << 37.5 << 37.5;
    QTest::newRow("above") << 0.0 << 100.0 << 150.0 << 100.0;
    QTest::newRow("below") << 0.0 << 100.0 << -5.0 << 0.0;
    QTest::newRow("shifted range") << 10.0 << 20.0 << 5.0 << 10.0;
    QTest::newRow("negative range") << -50.0 << -10.0 << 0.0 << -10.0;
    QTest::newRow("empty range") << 3.0 << 3.0 << 9.0 << 3.0;
}

void TestHostWidgets::roundProgressBarRange()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, value);
    QFETCH(double, expected);

    QRoundProgressBar bar;
    bar.setRange(minimum, maximum);
    QCOMPARE(bar.minimum(), minimum);
    QCOMPARE(bar.maximum(), maximum);
    QVERIFY(QMetaObject::invokeMethod(&bar, "setValue", Q_ARG(double, value)));
    QCOMPARE(bar.value(), expected);

    // A later range change pulls the value into the new range.
    bar.setRange(minimum + 1000, maximum + 1000);
    QCOMPARE(bar.value(), minimum + 1000);
}

void TestHostWidgets::roundProgressBarPainting_data()
{
    QTest::addColumn<QRoundProgressBar::BarStyle>("style");
    QTest::newRow("donut") << QRoundProgressBar::StyleDonut;
    QTest::newRow("pie") << QRoundProgressBar::StylePie;
    QTest::newRow("line") << QRoundProgressBar::StyleLine;
}

void TestHostWidgets::roundProgressBarPainting()
{
    QFETCH(QRoundProgressBar::BarStyle, style);

    QRoundProgressBar bar;
    bar.setBarStyle(style);
    QCOMPARE(bar.barStyle(), style);
    bar.setNullPosition(90);
    bar.setDecimals(0);
    bar.setRange(0, 200);
    bar.resize(120, 120);

    QList<QImage> images;
    for (double value : {0.0, 50.0, 200.0}) {
        bar.setValue(value);
        images << bar.grab().toImage();
    }
    QVERIFY(images.at(0) != images.at(1));
    QVERIFY(images.at(1) != images.at(2));

    // Degenerate sizes and ranges still paint.
    for (const QSize& size : {QSize(0, 0), QSize(1, 1), QSize(300, 20)}) {
        bar.resize(size);
        bar.grab();
    }
    bar.setRange(5, 5);
    bar.resize(60, 60);
    QVERIFY(!bar.grab().isNull());
}

void TestHostWidgets::pixmapToHtml_data()
{
    QTest::addColumn<QSize>("pixmapSize");
    QTest::addColumn<QSize>("shownSize");

    QTest::newRow("same size") << QSize(30, 20) << QSize(30, 20);
    QTest::newRow("shown larger") << QSize(30, 20) << QSize(300, 200);
    QTest::newRow("one pixel") << QSize(1, 1) << QSize(16, 16);
}

void TestHostWidgets::pixmapToHtml()
{
    QFETCH(QSize, pixmapSize);
    QFETCH(QSize, shownSize);

    QImage source(pixmapSize, QImage::Format_ARGB32);
    source.fill(QColor(10, 120, 230));
    source.setPixelColor(0, 0, QColor(250, 0, 0));
    const QString html = BasicTools::setPixmapToHtml(QPixmap::fromImage(source), shownSize);

    const QRegularExpression img(QStringLiteral("<img\\s[^>]*src=\"data:image/png;base64,([A-Za-z0-9+/=]+)\"[^>]*>"));
    const QRegularExpressionMatch match = img.match(html);
    QVERIFY2(match.hasMatch(), qPrintable(html));
    const QImage decoded = QImage::fromData(QByteArray::fromBase64(match.captured(1).toLatin1()), "PNG");
    QVERIFY(!decoded.isNull());
    QCOMPARE(decoded.size(), pixmapSize);
    QCOMPARE(decoded.pixelColor(0, 0), QColor(250, 0, 0));
    QCOMPARE(decoded.pixelColor(pixmapSize.width() - 1, pixmapSize.height() - 1),
             pixmapSize == QSize(1, 1) ? QColor(250, 0, 0) : QColor(10, 120, 230));
}

void TestHostWidgets::pluginHandlerKeys()
{
    PluginHandler* handler = PluginHandler::instance();
    QCOMPARE(PluginHandler::instance(), handler);
    PluginInterface a, b, c, d;
    const QString ka = uniqueKey("a"), kb = uniqueKey("b"), kc = uniqueKey("c"), kd = uniqueKey("d");
    handler->registerPlugin(9, kc, &c);
    handler->registerPlugin(3, kb, &b);
    handler->registerPlugin(9, ka, &a);
    handler->registerPlugin(9, kd, &d);
    QCOMPARE(a.key(), ka);
    QCOMPARE(b.key(), kb);
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{kc, ka, kd}));
    QCOMPARE(handler->getPluginKeysByType(3), QStringList{kb});
    QCOMPARE(handler->getPluginKeysByType(4), QStringList());

    handler->unregisterPlugin(ka);
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{kc, kd}));
    handler->unregisterPlugin(QStringLiteral("never registered"));
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{kc, kd}));

    // Registering again moves the plug-in to the end.
    handler->registerPlugin(9, kc, &c);
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{kd, kc}));
    for (const QString& key : {kb, kc, kd})
        handler->unregisterPlugin(key);
    QCOMPARE(handler->getPluginKeysByType(9), QStringList());
}

void TestHostWidgets::pluginHandlerUnregisters()
{
    PluginHandler* handler = PluginHandler::instance();
    auto* first = new PluginInterface;
    auto* second = new PluginInterface;
    auto* third = new PluginInterface;
    const QString k1 = uniqueKey("1"), k2 = uniqueKey("2"), k3 = uniqueKey("3");
    handler->registerPlugin(9, k1, first);
    handler->registerPlugin(9, k2, second);
    handler->registerPlugin(9, k3, third);

    delete second;
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{k1, k3}));

    // An explicitly unregistered plug-in leaves no trace when it is destroyed later; a key
    // taken over by another plug-in stays with the new one.
    handler->unregisterPlugin(k1);
    auto* successor = new PluginInterface;
    handler->registerPlugin(9, k1, successor);
    delete first;
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{k3, k1}));
    handler->registerPlugin(9, k3, successor);
    delete third;
    QCOMPARE(handler->getPluginKeysByType(9), (QStringList{k1, k3}));
    delete successor;
    QCOMPARE(handler->getPluginKeysByType(9), QStringList());
}

void TestHostWidgets::pluginHandlerTools()
{
    PluginHandler* handler = PluginHandler::instance();
    ReRezorInterface tool(QStringLiteral("t"), QStringLiteral("Tool"), 1, 51, 2, nullptr, QStringLiteral(":/x"));
    PluginInterface plain;
    const QString kt = uniqueKey("tool"), kp = uniqueKey("plain");
    handler->registerPlugin(9, kt, &tool);
    handler->registerPlugin(9, kp, &plain);

    QCOMPARE(handler->getReRezorPlugin(kt), &tool);
    QCOMPARE(handler->getReRezorPlugin(kp), static_cast<ReRezorInterface*>(nullptr));
    QCOMPARE(handler->getReRezorPlugin(uniqueKey("unknown")), static_cast<ReRezorInterface*>(nullptr));
    QCOMPARE(handler->getReRezorPlugin(QString()), static_cast<ReRezorInterface*>(nullptr));
    handler->unregisterPlugin(kt);
    QCOMPARE(handler->getReRezorPlugin(kt), static_cast<ReRezorInterface*>(nullptr));
    handler->unregisterPlugin(kp);
}

QTEST_MAIN(TestHostWidgets)
#include "tst_hostwidgets.moc"
