// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

#include "hostexport.h"

// Base of everything the host loads. The show and hide events drive polling: a tool polls
// exactly while it is visible.
class HOST_EXPORT PluginInterface : public QWidget
{
    Q_OBJECT
public:
    explicit PluginInterface(QWidget* parent = nullptr);
    ~PluginInterface() override;

    QString key() const;
    void setKey(const QString& key);

    virtual QString versionText();
    virtual void aboutToExit();
    virtual void showPlugin();
    virtual void removeAllTraces();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QString m_key;
};
