// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mytools.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTextStream>

#include "labelled.h"
#include "moduleinterface.h"
#include "rerezorinterface.h"

namespace {
const int ToolId = 1;
}

ConsumerPlugin::ConsumerPlugin()
{
    m_subWidgetIds = {ToolId};
}

bool ConsumerPlugin::selectSubWidget(int id)
{
    return id == ToolId;
}

ReRezorInterface* ConsumerPlugin::createInstance(QString text, quint8 number, ModuleInterface* module)
{
    auto* tool = new ReRezorInterface(text, QStringLiteral("Consumer tool"), 1, ToolId, number, module, QString());
    auto* layout = new QHBoxLayout(tool);
    auto* led = new LabelLed(tool);
    led->init(Qt::green, QString(), 16);
    layout->addWidget(led);
    const QString firmware = module ? module->nameInFirmware() : QString();
    layout->addWidget(new QLabel(QStringLiteral("Firmware %1").arg(firmware), tool));
    QTextStream(stdout) << "consumer tool made for " << text << ", firmware " << firmware << Qt::endl;
    return tool;
}
