// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolsinterface.h"

// One tool that shows the module's firmware name beside a host LED, and says on standard
// output that the host made it, so the install check sees the whole way through the host.
class ConsumerPlugin : public ToolsInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ToolsInterface_iid)
    Q_INTERFACES(ToolsInterface)

public:
    ConsumerPlugin();

    bool selectSubWidget(int id) override;
    ReRezorInterface* createInstance(QString text, quint8 number, ModuleInterface* module) override;
};
