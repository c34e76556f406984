// Random polling answers delivered to the real Start Up tool: only an answer for the current
// axis and this module, a successful read, may change a monitor widget, and then exactly the
// one registered for its parameter. The expected state is kept here independently.

#include <QComboBox>
#include <QElapsedTimer>
#include <QMetaMethod>
#include <QRandomGenerator>
#include <QtTest>

#include <iterator>
#include <limits>

#include "command.h"
#include "labelled.h"
#include "labelsignal.h"
#include "recordingmodule.h"
#include "rerezorinterface.h"
#include "robusthost.h"
#include "robustquietlog.h"
#include "spinbox.h"

namespace {

// Axis-parameter numbers the recording module gives the monitor's parameter keys.
const int TargetVelocity = 2;
const int MeasuredSpeed = 3;
const int PositionReached = 8;
const int ClInitFlag = 133;
const int EncoderPosition = 209;
// Numbers of the motion-test boxes on the same page; answers for them must not reach them.
const int TargetPosition = 0;
const int MaxVelocity = 4;
const int MaxAcceleration = 5;

const int MonitorTypes[] = {TargetVelocity, MeasuredSpeed, PositionReached, ClInitFlag, EncoderPosition};
const int NeighbourTypes[] = {TargetPosition, MaxVelocity, MaxAcceleration, 1, 6, 7, 132, 134, 208, 210};

// What the page should show: three values and two LED states.
struct Monitor
{
    qint64 measured = 0;
    qint64 target = 0;
    qint64 encoder = 0;
    bool reached = false;
    bool clReady = false;
    int changes = 0;

    bool operator==(const Monitor& o) const
    {
        return measured == o.measured && target == o.target && encoder == o.encoder && reached == o.reached
               && clReady == o.clReady;
    }

    QString toString() const
    {
        return QStringLiteral("measured %1 target %2 encoder %3 reached %4 ready %5")
            .arg(measured)
            .arg(target)
            .arg(encoder)
            .arg(reached)
            .arg(clReady);
    }

    // Applies an answer that passed the tool's tests; true when something changed.
    bool apply(int type, int value)
    {
        auto set = [this](qint64& field, qint64 v) {
            if (field == v)
                return false;
            field = v;
            return true;
        };
        auto setLed = [](bool& led, bool on) {
            if (led == on)
                return false;
            led = on;
            return true;
        };
        switch (type) {
        case MeasuredSpeed:
            return set(measured, value);
        case TargetVelocity:
            return set(target, value);
        case EncoderPosition:
            return set(encoder, value);
        case PositionReached:
            return setLed(reached, value != 0);
        case ClInitFlag:
            return setLed(clReady, value != 0);
        default:
            return false;
        }
    }
};

QString describe(const Command& c, int axis)
{
    return QStringLiteral("status %1 command %2 motor %3 address %4 type %5 value %6 (axis %7)")
        .arg(c.status())
        .arg(c.command())
        .arg(c.motorBank())
        .arg(c.address())
        .arg(c.type())
        .arg(c.value())
        .arg(axis);
}

// Draws answers, most of them close to a passing one so that the accepting path is busy too.
class AnswerSource
{
public:
    AnswerSource(quint32 seed, quint8 address)
        : m_random(seed)
        , m_address(address)
    {
    }

    Command next(int axis)
    {
        Command c;
        c.setStatus(status());
        c.setCommand(chance(0.75) ? quint8(Command::GetAxisParameter) : byte());
        if (chance(0.7))
            c.setMotorBank(quint8(axis));
        else if (chance(0.5))
            c.setMotorBank(quint8((axis + 1 + int(m_random.bounded(2))) % 3)); // another real axis
        else
            c.setMotorBank(byte());
        c.setAddress(chance(0.75) ? m_address : byte());
        c.setType(type());
        c.setValue(value());
        return c;
    }

    quint32 bounded(quint32 n) { return m_random.bounded(n); }

private:
    bool chance(double p) { return m_random.generateDouble() < p; }
    quint8 byte() { return quint8(m_random.bounded(256)); }

    int status()
    {
        const double r = m_random.generateDouble();
        if (r < 0.6)
            return Command::StatusOk;
        if (r < 0.7) // the low byte is 100, the rest is not
            return int(quint32(Command::StatusOk) + (m_random.generate() & 0xffffff00u));
        if (r < 0.8)
            return Command::StatusOk + 1 - 2 * int(m_random.bounded(2)); // 101 or 99
        return int(m_random.generate());
    }

    quint8 type()
    {
        const double r = m_random.generateDouble();
        if (r < 0.7)
            return quint8(MonitorTypes[m_random.bounded(int(std::size(MonitorTypes)))]);
        if (r < 0.85)
            return quint8(NeighbourTypes[m_random.bounded(int(std::size(NeighbourTypes)))]);
        return byte();
    }

    int value()
    {
        const double r = m_random.generateDouble();
        if (r < 0.3)
            return int(m_random.bounded(7)) - 3; // LED edges: 0 and small values of both signs
        if (r < 0.4)
            return m_random.bounded(2) ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
        if (r < 0.6)
            return int(m_random.bounded(2000001)) - 1000000;
        return int(m_random.generate());
    }

    QRandomGenerator m_random;
    quint8 m_address;
};

} // namespace

class TestRobustFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomAnswers_data();
    void randomAnswers();
    void nullAnswer();

private:
    QScopedPointer<RobustQuietLog> m_log;
};

void TestRobustFuzz::initTestCase()
{
    m_log.reset(new RobustQuietLog);
}

void TestRobustFuzz::cleanupTestCase()
{
    m_log.reset();
}

void TestRobustFuzz::randomAnswers_data()
{
    QTest::addColumn<quint8>("address");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("count");

    QTest::newRow("module address 1") << quint8(1) << quint32(0x5eed0001) << 1000000;
    QTest::newRow("module address 255") << quint8(255) << quint32(0x5eed00ff) << 200000;
    QTest::newRow("module address 0") << quint8(0) << quint32(0x5eed0000) << 200000;
}

void TestRobustFuzz::randomAnswers()
{
    QFETCH(quint8, address);
    QFETCH(quint32, seed);
    QFETCH(int, count);

    RecordingModule module;
    module.setModuleAddress(address);
    RobustHost host(&module);
    QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));

    ReRezorInterface* tool = host.tool(RobustHost::StartUp);
    QVERIFY(tool);
    const int slotIndex = tool->metaObject()->indexOfSlot("IN_replyValue(Command*)");
    QVERIFY(slotIndex >= 0);
    const QMetaMethod replySlot = tool->metaObject()->method(slotIndex);

    auto* measured = host.find<SpinBox>(RobustHost::StartUp, "spMeasuredVelocity");
    auto* target = host.find<SpinBox>(RobustHost::StartUp, "spTargetVelocity");
    auto* encoder = host.find<SpinBox>(RobustHost::StartUp, "spEncoderPosition");
    auto* reached = host.find<LabelLed>(RobustHost::StartUp, "ledPositionReached");
    auto* clReady = host.find<LabelLed>(RobustHost::StartUp, "ledClInitFlag");
    auto* axisBox = host.find<QComboBox>(RobustHost::StartUp, "cmbAxisNumber");
    const QList<SpinBox*> motionBoxes = {host.find<SpinBox>(RobustHost::StartUp, "sbTargetPosition"),
                                         host.find<SpinBox>(RobustHost::StartUp, "sbMaximumPositionSpeed"),
                                         host.find<SpinBox>(RobustHost::StartUp, "sbMaximumAcceleration")};
    QVERIFY(measured && target && encoder && reached && clReady && axisBox);
    QVERIFY(!motionBoxes.contains(nullptr));
    QCOMPARE(measured->sapType(), MeasuredSpeed);
    QCOMPARE(target->sapType(), TargetVelocity);
    QCOMPARE(encoder->sapType(), EncoderPosition);
    QCOMPARE(axisBox->count(), 3);
    QCOMPARE(host.currentAxis(), 0);

    QList<double> motionValues;
    for (SpinBox* box : motionBoxes)
        motionValues.append(box->value());

    auto shown = [&]() {
        Monitor m;
        m.measured = qint64(measured->value());
        m.target = qint64(target->value());
        m.encoder = qint64(encoder->value());
        m.reached = reached->labelSignal()->isEnabled();
        m.clReady = clReady->labelSignal()->isEnabled();
        return m;
    };
    Monitor expected = shown();

    // Every change a widget reports, so that a change to the same value is not missed either.
    int reportedChanges = 0;
    QObject counting; // ends the connections before the counter goes
    for (SpinBox* box : {measured, target, encoder})
        connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), &counting, [&]() { ++reportedChanges; });
    for (LabelLed* led : {reached, clReady}) {
        connect(led->labelSignal(), &LabelSignal::ledEnabled, &counting, [&]() { ++reportedChanges; });
        connect(led->labelSignal(), &LabelSignal::ledDisabled, &counting, [&]() { ++reportedChanges; });
    }

    module.clearLog();
    AnswerSource source(seed, address);
    int axis = 0;
    int perAxis[3] = {0, 0, 0};
    int passed = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        // Runs of answers on each axis; the axis is chosen as the user does, in the combo box.
        if (i > 0 && i % 2500 == 0) {
            axis = (axis + 1 + int(source.bounded(2))) % 3;
            axisBox->setCurrentIndex(axis);
            if (host.currentAxis() != axis)
                QFAIL(qPrintable(QStringLiteral("answer %1: current axis %2 after choosing %3")
                                     .arg(i)
                                     .arg(host.currentAxis())
                                     .arg(axis)));
        }
        ++perAxis[axis];

        Command answer = source.next(axis);
        const bool passes = quint8(answer.status()) == Command::StatusOk
                            && answer.command() == Command::GetAxisParameter && answer.motorBank() == axis
                            && answer.address() == address;
        if (passes)
            ++passed;
        const int changesBefore = reportedChanges;
        const bool changes = passes && expected.apply(answer.type(), answer.value());

        if (!replySlot.invoke(tool, Qt::DirectConnection, Q_ARG(Command*, &answer)))
            QFAIL("IN_replyValue(Command*) could not be called");

        const Monitor now = shown();
        if (!(now == expected) || reportedChanges - changesBefore != (changes ? 1 : 0)) {
            QFAIL(qPrintable(QStringLiteral("answer %1 (seed %2): %3\n   shown:    %4, %5 change(s) reported\n"
                                            "   expected: %6, %7 change(s)")
                                 .arg(i)
                                 .arg(seed)
                                 .arg(describe(answer, axis))
                                 .arg(now.toString())
                                 .arg(reportedChanges - changesBefore)
                                 .arg(expected.toString())
                                 .arg(changes ? 1 : 0)));
        }
    }
    qInfo("%d answers (%d passing) in %lld ms", count, passed, qint64(clock.elapsed()));

    // The draw itself must have covered what it is meant to cover.
    QVERIFY2(passed > count / 5, qPrintable(QString::number(passed)));
    for (int a = 0; a < 3; ++a)
        QVERIFY2(perAxis[a] >= count / 10, qPrintable(QStringLiteral("axis %1: %2").arg(a).arg(perAxis[a])));

    for (int b = 0; b < motionBoxes.size(); ++b)
        QCOMPARE(motionBoxes.at(b)->value(), motionValues.at(b));
    // An answer is shown, never sent anywhere.
    QCOMPARE(module.log(), QStringList());
}

void TestRobustFuzz::nullAnswer()
{
    RecordingModule module;
    RobustHost host(&module);
    QVERIFY2(host.start(GV7_PLUGIN_PATH), qPrintable(host.errorString()));
    ReRezorInterface* tool = host.tool(RobustHost::StartUp);
    auto* encoder = host.find<SpinBox>(RobustHost::StartUp, "spEncoderPosition");
    QVERIFY(tool && encoder);

    Command* none = nullptr;
    QVERIFY(QMetaObject::invokeMethod(tool, "IN_replyValue", Qt::DirectConnection, Q_ARG(Command*, none)));
    // Still answering afterwards.
    Command answer(1, Command::GetAxisParameter, EncoderPosition, 0, 4242);
    answer.setStatus(Command::StatusOk);
    QVERIFY(QMetaObject::invokeMethod(tool, "IN_replyValue", Qt::DirectConnection, Q_ARG(Command*, &answer)));
    QCOMPARE(encoder->value(), 4242.0);
}

QTEST_MAIN(TestRobustFuzz)
#include "tst_robust_fuzz.moc"
