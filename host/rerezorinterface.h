// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "toolsinterface.h"

class ModuleInterface;

// A tool as the host sees it: name, type, variant (the sub-widget id) and the module it serves.
// The host makes its tools without a parent and puts them into windows itself.
class HOST_EXPORT ReRezorInterface : public ToolsInterface // clazy:exclude=ctor-missing-parent-argument
{
    Q_OBJECT
public:
    ReRezorInterface(QString text, QString name, int type, int subWidgetId, quint8 number,
                     ModuleInterface* module, QString iconPath);
    ~ReRezorInterface() override;

    QString toolsName() const;
    void setToolsName(const QString& name);
    int toolsType() const;
    int toolsVariant() const;
    ModuleInterface* module() const;
    QString text() const;
    quint8 number() const;
    QString iconPath() const;

    // Marks the tool as not bound to one axis.
    void setFreeAxis();
    bool isFreeAxis() const;

private:
    QString m_text;
    QString m_name;
    int m_type;
    int m_subWidgetId;
    quint8 m_number;
    ModuleInterface* m_module;
    QString m_iconPath;
    bool m_freeAxis = false;
};
