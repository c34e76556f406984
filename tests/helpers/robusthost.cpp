// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "robusthost.h"

#include <QAbstractButton>
#include <QApplication>

#include "rerezorinterface.h"
#include "tracepoller.h"

RobustHost::RobustHost(ModuleInterface* module)
    : m_module(module)
{
    static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type != QtDebugMsg || qstrcmp(context.category, "plugins.debLevel.low") != 0)
                previous(type, context, text);
        });
    QObject::connect(&m_answerer, &QTimer::timeout, &m_answerer, [this]() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(m_next)->click();
            m_next = m_next == QMessageBox::Yes ? QMessageBox::No : QMessageBox::Yes;
        }
    });
}

bool RobustHost::start(const QString& pluginPath)
{
    static int hosts = 0;
    m_area.show(); // a window sizes itself at its first show, only inside a visible area
    if (!m_host.load(pluginPath))
        return false;
    m_host.createTools(m_module, &m_area, QStringLiteral("robust%1.").arg(++hosts)); // no key begins another
    m_host.poller()->setPeriod(24 * 3600 * 1000);
    QCoreApplication::processEvents(); // the Start Up tool wires the pages from the event loop
    return page(StartUp) && page(Motor) && page(Encoder) && page(ClosedLoop);
}

QWidget* RobustHost::page(int id) const
{
    static const char* const names[] = {"Commissioning", "MotorSettings", "EncoderSettings", "ClosedLoop"};
    return tool(id) ? tool(id)->findChild<QWidget*>(QLatin1String(names[id - StartUp])) : nullptr;
}
