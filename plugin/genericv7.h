// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include "rerezorinterface.h"

class Command;
class DataExchange;
class ModuleInterface;
class TraceCommand;

// The plug-in class in its two roles: the factory object the host gets from the library, and
// the tool instances it makes, each showing one page. moc writes the library's entry points;
// the factory is one object per load, made again when it has been deleted.
class GenericV7 : public ReRezorInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.rerezor.ToolsInterface/2.0" FILE "genericv7.json")
    Q_INTERFACES(ToolsInterface)

public:
    enum SubWidget { StartUp = 50, Motor = 51, Encoder = 52, ClosedLoopId = 53 };

    // The factory object.
    GenericV7();
    // A tool instance for one sub-widget id.
    GenericV7(QString text, quint8 number, ModuleInterface* module, int subWidgetId);
    ~GenericV7() override;

    QString versionText() override;
    void showPlugin() override;
    void removeAllTraces() override;
    bool selectSubWidget(int id) override;
    ReRezorInterface* createInstance(QString text, quint8 number, ModuleInterface* module) override;

    int selectedSubWidget() const { return m_selectedSubWidget; }
    int ownSubWidget() const { return m_subWidgetId; }

signals:
    void OUT_addTraceCommand(TraceCommand* traceCommand);
    void OUT_removeTraceCommand(TraceCommand* traceCommand);

public slots:
    void IN_replyValue(Command* reply);

private slots:
    void checkCompleteness();

private:
    int m_selectedSubWidget = 0;
    int m_subWidgetId = 0;
    bool m_firstShow = false;
    DataExchange* m_dataExchange = nullptr;
    QList<TraceCommand*> m_traceCommands;
};
