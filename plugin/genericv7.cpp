// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "genericv7.h"

#include <QDate>
#include <QDebug>
#include <QLocale>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "closedloop.h"
#include "command.h"
#include "commissioning.h"
#include "dataexchange.h"
#include "debuglog.h"
#include "encodersettings.h"
#include "moduleinterface.h"
#include "motorsettings.h"
#include "pluginhandler.h"
#include "tracecommand.h"

namespace {

struct SubWidgetInfo
{
    int id;
    const char* name;
    const char* icon;
};

// The host shows the names in its menus and window titles, so they are translated.
const SubWidgetInfo SubWidgets[] = {
    {GenericV7::StartUp, QT_TRANSLATE_NOOP("GenericV7", "Start Up"), ":/IconsSVG/Cogs"},
    {GenericV7::Motor, QT_TRANSLATE_NOOP("GenericV7", "Motor settings"), ":/Icons/control"},
    {GenericV7::Encoder, QT_TRANSLATE_NOOP("GenericV7", "Encoder settings"), ":/Icons/control"},
    {GenericV7::ClosedLoopId, QT_TRANSLATE_NOOP("GenericV7", "Closed loop settings"), ":/Icons/ClosedLoop"},
};

const SubWidgetInfo* findSubWidget(int id)
{
    for (const SubWidgetInfo& info : SubWidgets) {
        if (info.id == id)
            return &info;
    }
    return nullptr;
}

// The compiler's build date and time as "Wed Jun 26 17:03:02 2019".
QString buildTimeStamp()
{
    const QLocale c = QLocale::c();
    const QDate date = c.toDate(QStringLiteral(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
    return c.toString(date, QStringLiteral("ddd MMM d ")) + QStringLiteral(__TIME__) + QLatin1Char(' ')
           + QString::number(date.year());
}

const uint WindowTitleHint = 0x1000;

} // namespace

GenericV7::GenericV7()
    : ReRezorInterface(QStringLiteral("undefined"), QStringLiteral("Generic V7"), 1, 0, 0, nullptr,
                       QStringLiteral(":/Misc2/Question"))
{
    m_subWidgetIds.clear();
    m_subWidgetIds << ClosedLoopId << Encoder << Motor << StartUp;
}

// The text by value: the signature is part of the constructor's debug line.
GenericV7::GenericV7(QString text, quint8 number, ModuleInterface* module, int subWidgetId) // clazy:exclude=function-args-by-ref
    : ReRezorInterface(text, QStringLiteral("Generic V7"), 1, subWidgetId, number, module,
                       QStringLiteral(":/Custom/WindowIcon"))
{
    setProperty("dpWindowFlags", WindowTitleHint);
    setFreeAxis();
    m_subWidgetId = subWidgetId;
    m_subWidgetIds.clear();
    m_subWidgetIds << subWidgetId;
    m_dataExchange = nullptr;
    selectSubWidget(subWidgetId);
    qCDebug(debLevelLow) << Q_FUNC_INFO << m_subWidgetId << m_selectedSubWidget;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    BaseSettings* page = nullptr;
    switch (subWidgetId) {
    case StartUp:
        m_dataExchange = new DataExchange(module, this);
        page = new Commissioning(this);
        break;
    case Motor:
        page = new MotorSettings(this);
        break;
    case Encoder:
        page = new EncoderSettings(this);
        break;
    case ClosedLoopId:
        page = new ClosedLoop(this);
        break;
    default:
        break;
    }
    if (page) {
        page->show();
        layout->addWidget(page);
        auto* statusBar = new QStatusBar(this);
        connect(page, &BaseSettings::showMessage, statusBar, &QStatusBar::showMessage);
        layout->addWidget(statusBar);
    }
    m_firstShow = true;
}

GenericV7::~GenericV7()
{
    while (!m_traceCommands.isEmpty())
        delete m_traceCommands.takeLast();
}

QString GenericV7::versionText()
{
    return QStringLiteral("1.0.24.0003 - rerezor_generic_v7;Plugin-Interface 1.0.24.0003rerezor_generic_v7;Plugin ;Plugin Interface")
           + QStringLiteral(" from: ") + buildTimeStamp();
}

bool GenericV7::selectSubWidget(int id)
{
    const SubWidgetInfo* info = findSubWidget(id);
    if (!info) {
        m_selectedSubWidget = 0;
        return false;
    }
    m_selectedSubWidget = id;
    setToolsName(tr(info->name));
    setProperty("dpWindowIcon", QVariant(QString::fromLatin1(info->icon)));
    return true;
}

// The host's declaration.
ReRezorInterface* GenericV7::createInstance(QString text, quint8 number, ModuleInterface* module) // clazy:exclude=function-args-by-ref
{
    return new GenericV7(text, number, module, m_selectedSubWidget);
}

// Both branches write their debug lines here, so that they carry this function's signature.
void GenericV7::showPlugin()
{
    if (!m_firstShow) {
        // Every later show hands a fresh copy of the current traces to the host.
        if (!m_dataExchange)
            return;
        const QList<TraceCommand*> templates = m_dataExchange->traceCommands();
        for (TraceCommand* trace : templates) {
            auto* copy = new TraceCommand(trace->address(), trace->motorBank(), trace->command(), trace->type(),
                                          trace->caption());
            qCDebug(debLevelLow) << Q_FUNC_INFO << copy->toString();
            emit OUT_addTraceCommand(copy);
            m_traceCommands.append(copy);
        }
        return;
    }

    QWidget* window = parentWidget();
    QWidget* area = window ? window->parentWidget() : nullptr;
    const QRect available = area ? area->geometry() : QRect();

    QWidget* contents = nullptr;
    if (QLayoutItem* item = layout() ? layout()->itemAt(0) : nullptr) {
        if (QWidget* page = item->widget())
            contents = page->findChild<QWidget*>(QStringLiteral("scrollAreaWidgetContents"));
    }
    adjustSize();
    const QRect contentsRect = contents ? contents->geometry() : QRect();
    qCDebug(debLevelLow) << Q_FUNC_INFO << m_subWidgetId << available << contentsRect;

    if (m_subWidgetId == StartUp) {
        QTimer::singleShot(0, this, &GenericV7::checkCompleteness);
        if (window)
            window->setGeometry(15, 15, contentsRect.width() + 170, contentsRect.height() + 100);
    } else if (window) {
        const QSize size(contentsRect.width() + 70, contentsRect.height() + 100);
        window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
    }
    if (window)
        window->close();
    m_firstShow = false;
}

void GenericV7::removeAllTraces()
{
    while (!m_traceCommands.isEmpty())
        emit OUT_removeTraceCommand(m_traceCommands.takeFirst());
}

void GenericV7::IN_replyValue(Command* reply)
{
    if (!m_dataExchange || !reply)
        return;
    if (quint8(reply->status()) != Command::StatusOk)
        return;
    if (quint8(reply->command()) != Command::GetAxisParameter)
        return;
    if (int(quint8(reply->motorBank())) != m_dataExchange->currentAxis())
        return;
    if (!module() || quint8(reply->address()) != quint8(module()->moduleAddress()))
        return;
    m_dataExchange->replyValue(reply);
}

void GenericV7::checkCompleteness()
{
    PluginHandler* handler = PluginHandler::instance();
    const QString moduleKey = module() ? module()->key() : QString();
    QStringList keys;
    const QStringList registered = handler->getPluginKeysByType(PluginHandler::ToolsType);
    for (const QString& key : registered) {
        if (key.startsWith(moduleKey, Qt::CaseSensitive))
            keys.append(key);
    }
    if (keys.size() != 4) {
        qCritical() << Q_FUNC_INFO << "Missing" << 4 - keys.size() << "Plugin(s)";
        return;
    }

    Commissioning* commissioning = nullptr;
    MotorSettings* motorSettings = nullptr;
    EncoderSettings* encoderSettings = nullptr;
    ClosedLoop* closedLoop = nullptr;
    for (const QString& key : qAsConst(keys)) {
        ReRezorInterface* tool = handler->getReRezorPlugin(key);
        if (!tool)
            continue;
        qCDebug(debLevelLow) << tool->toolsVariant() << tool->toolsName() << tool->toolsType();
        if (auto* page = tool->findChild<ClosedLoop*>())
            closedLoop = page;
        else if (auto* page = tool->findChild<EncoderSettings*>())
            encoderSettings = page;
        else if (auto* page = tool->findChild<MotorSettings*>())
            motorSettings = page;
        else if (auto* page = tool->findChild<Commissioning*>())
            commissioning = page;
    }

    for (const QString& key : qAsConst(keys)) {
        ReRezorInterface* tool = handler->getReRezorPlugin(key);
        if (!tool)
            continue;
        QWidget* window = tool->parentWidget();
        // A connection without both ends would make nothing; skip it without the warning. The
        // window is the host's: its slots are known by signature only.
        if (!commissioning || !window)
            continue;
        switch (tool->toolsVariant()) {
        case StartUp:
            connect(commissioning, SIGNAL(showCommissioning()), window, SLOT(activateWindow())); // clazy:exclude=old-style-connect
            connect(commissioning, SIGNAL(hideCommissioning()), window, SLOT(hide())); // clazy:exclude=old-style-connect
            break;
        case ClosedLoopId:
            connect(commissioning, SIGNAL(showClosedLoop()), window, SLOT(activateWindow())); // clazy:exclude=old-style-connect
            break;
        case Encoder:
            connect(commissioning, SIGNAL(showEncoderSettings()), window, SLOT(activateWindow())); // clazy:exclude=old-style-connect
            break;
        case Motor:
            connect(commissioning, SIGNAL(showMotorSettings()), window, SLOT(activateWindow())); // clazy:exclude=old-style-connect
            break;
        default:
            break;
        }
    }

    if (!commissioning || !m_dataExchange)
        return;
    commissioning->setDataExchange(m_dataExchange);
    // A page missing from a tool is left out; the others are still wired.
    const QList<BaseSettings*> steps = {motorSettings, encoderSettings, closedLoop};
    for (BaseSettings* step : steps) {
        if (!step)
            continue;
        step->setDataExchange(m_dataExchange);
        connect(step, &BaseSettings::executed, commissioning, &Commissioning::done);
    }
    commissioning->on_cmbAxisNumber_currentIndexChanged(0);
}
