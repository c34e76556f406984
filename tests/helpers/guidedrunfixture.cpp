#include "guidedrunfixture.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QTimer>

#include <climits>

#include "rerezorinterface.h"
#include "tracepoller.h"

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
    m_area.show(); // the tools size their windows against a visible area
    processEvents();
    m_host.createTools(&m_module, &m_area, QStringLiteral("GuidedRun"));
    m_host.poller()->setPeriod(24 * 3600 * 1000);
    processEvents(); // the start-up tool wires the pages from the event loop
    *error = m_log.criticalLines().join(QLatin1Char('\n'));
    for (int id : {StartUp, Motor, Encoder, ClosedLoop}) {
        if (!page(id) || isShown(id))
            *error += QStringLiteral("\ntool %1 has no page or stays open after its first show").arg(id);
    }
    return error->isEmpty();
}

QWidget* GuidedRunFixture::page(int id) const
{
    static const char* const names[] = {"Commissioning", "MotorSettings", "EncoderSettings", "ClosedLoop"};
    ReRezorInterface* tool = m_host.tool(id);
    return tool ? tool->findChild<QWidget*>(QLatin1String(names[id - StartUp])) : nullptr;
}

int GuidedRunFixture::drive(int type, int motor)
{
    bool ok = false;
    const int value = m_module.getAxisParameter(quint8(type), quint8(motor), &ok);
    return ok ? value : INT_MIN;
}

void GuidedRunFixture::settle(int milliseconds)
{
    m_module.advance(milliseconds);
    m_host.poller()->pollOnce();
    processEvents();
}

void GuidedRunFixture::processEvents()
{
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

bool GuidedRunFixture::eventFilter(QObject* watched, QEvent* event)
{
    auto* shown = qobject_cast<QMessageBox*>(watched);
    if (shown && event->type() == QEvent::Show) {
        // Runs in the box's own event loop, and not at all once the box is gone.
        QTimer::singleShot(0, shown, [this, box = shown]() {
            m_questions.append(box->text());
            if (m_answers.isEmpty())
                m_unexpected.append(box->text());
            const auto answer = m_answers.isEmpty() ? QMessageBox::Cancel : m_answers.takeFirst();
            if (QAbstractButton* button = box->button(answer))
                button->click();
            else
                box->done(answer);
        });
    }
    return QObject::eventFilter(watched, event);
}
