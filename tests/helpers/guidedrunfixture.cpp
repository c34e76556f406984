#include "guidedrunfixture.h"

#include <QPushButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QtTest>

#include "rerezorinterface.h"
#include "toolwindow.h"
#include "tracecommand.h"
#include "tracepoller.h"

namespace {

const char* pageName(int id)
{
    switch (id) {
    case GuidedRunFixture::StartUp:
        return "Commissioning";
    case GuidedRunFixture::Motor:
        return "MotorSettings";
    case GuidedRunFixture::Encoder:
        return "EncoderSettings";
    case GuidedRunFixture::ClosedLoop:
        return "ClosedLoop";
    default:
        return "";
    }
}

// The poller's own timer would deliver values at moments the test does not choose.
const int PollPeriodNeverDue = 24 * 3600 * 1000;
// A question shows before its event loop runs; give the loop a few turns to make it modal.
const int AnswerAttempts = 20;

} // namespace

const QString GuidedRunFixture::ModuleKey = QStringLiteral("GuidedRun");

GuidedRunFixture::GuidedRunFixture()
{
    m_module.setManualClock(true);
    m_area.resize(1600, 1200);
    qApp->installEventFilter(this);
}

GuidedRunFixture::~GuidedRunFixture()
{
    qApp->removeEventFilter(this);
    m_host.destroyTools();
}

bool GuidedRunFixture::start(const QString& pluginPath, QString* error)
{
    if (!m_host.load(pluginPath)) {
        *error = QStringLiteral("cannot load the plug-in: ") + m_host.errorString();
        return false;
    }
    // The tools size their windows against a visible area.
    m_area.show();
    processEvents();
    if (m_host.createTools(&m_module, &m_area, ModuleKey).size() != 4) {
        *error = QStringLiteral("the plug-in made %1 tools instead of 4").arg(m_host.tools().size());
        return false;
    }
    m_host.poller()->setPeriod(PollPeriodNeverDue);
    connect(tool(StartUp), SIGNAL(OUT_addTraceCommand(TraceCommand*)), this, SLOT(recordTrace(TraceCommand*)));
    // The start-up tool wires the pages from the event loop.
    processEvents();

    if (!m_log.criticalLines().isEmpty()) {
        *error = m_log.criticalLines().join(QLatin1Char('\n'));
        return false;
    }
    for (int id : {StartUp, Motor, Encoder, ClosedLoop}) {
        if (!page(id)) {
            *error = QStringLiteral("tool %1 shows no page %2").arg(id).arg(QLatin1String(pageName(id)));
            return false;
        }
        if (isShown(id)) {
            *error = QStringLiteral("the window of tool %1 is still open after its first show").arg(id);
            return false;
        }
    }
    QObject* exchange = dataExchange();
    if (!exchange || exchange->property("currentAxis").toInt() != 0) {
        *error = QStringLiteral("the completeness check has not selected axis 0");
        return false;
    }
    return true;
}

TracePoller* GuidedRunFixture::poller() const
{
    return m_host.poller();
}

ReRezorInterface* GuidedRunFixture::tool(int id) const
{
    return m_host.tool(id);
}

ToolWindow* GuidedRunFixture::window(int id) const
{
    return m_host.windowOf(id);
}

QWidget* GuidedRunFixture::page(int id) const
{
    ReRezorInterface* t = tool(id);
    return t ? t->findChild<QWidget*>(QLatin1String(pageName(id))) : nullptr;
}

QStatusBar* GuidedRunFixture::statusBar(int id) const
{
    ReRezorInterface* t = tool(id);
    return t ? t->findChild<QStatusBar*>() : nullptr;
}

QObject* GuidedRunFixture::dataExchange() const
{
    ReRezorInterface* t = tool(StartUp);
    if (!t)
        return nullptr;
    const QList<QObject*> children = t->findChildren<QObject*>();
    for (QObject* object : children) {
        if (qstrcmp(object->metaObject()->className(), "DataExchange") == 0)
            return object;
    }
    return nullptr;
}

void GuidedRunFixture::open(int id)
{
    if (ToolWindow* w = window(id))
        w->activateWindow();
    processEvents();
}

bool GuidedRunFixture::isShown(int id) const
{
    ToolWindow* w = window(id);
    return w && w->isVisible();
}

bool GuidedRunFixture::isActive(int id) const
{
    ToolWindow* w = window(id);
    return w && m_area.activeSubWindow() == w;
}

void GuidedRunFixture::settle(int milliseconds)
{
    if (milliseconds > 0)
        m_module.advance(milliseconds);
    if (TracePoller* p = poller())
        p->pollOnce();
    processEvents();
}

void GuidedRunFixture::processEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void GuidedRunFixture::typeInto(QAbstractSpinBox* box, const QString& text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
    processEvents();
}

void GuidedRunFixture::clickGroupBoxCheck(QGroupBox* group)
{
    // The group box keeps its own style option to itself; this one describes the same title.
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxCheckBox;
    if (!group->title().isEmpty())
        option.subControls |= QStyle::SC_GroupBoxLabel;
    option.features = group->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    option.state |= group->isChecked() ? QStyle::State_On : QStyle::State_Off;
    const QRect check = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxCheckBox, group);
    QTest::mouseClick(group, Qt::LeftButton, Qt::NoModifier, check.center());
    processEvents();
}

bool GuidedRunFixture::clickButtonBox(int id, QDialogButtonBox::StandardButton which)
{
    auto* box = child<QDialogButtonBox>(id, "buttonBox");
    QAbstractButton* button = box ? box->button(which) : nullptr;
    if (!button)
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    processEvents();
    return true;
}

void GuidedRunFixture::answerNextQuestion(QMessageBox::StandardButton answer)
{
    m_answers.append(answer);
}

bool GuidedRunFixture::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched))
        QTimer::singleShot(0, this, [this]() { answerModal(0); });
    return QObject::eventFilter(watched, event);
}

void GuidedRunFixture::answerModal(int attempt)
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
        if (attempt < AnswerAttempts)
            QTimer::singleShot(0, this, [this, attempt]() { answerModal(attempt + 1); });
        return;
    }
    m_questions.append(box->text());
    if (m_answers.isEmpty()) {
        m_unexpected.append(box->text());
        box->done(QMessageBox::Cancel);
        return;
    }
    const QMessageBox::StandardButton answer = m_answers.takeFirst();
    if (QAbstractButton* button = box->button(answer))
        button->click();
    else
        box->done(answer);
}

void GuidedRunFixture::recordTrace(TraceCommand* trace)
{
    if (trace)
        m_addedBanks.append(trace->motorBank());
}
