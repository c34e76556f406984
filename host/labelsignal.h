// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include "hostexport.h"

// The switching part of a LabelLed. ledEnabled()/ledDisabled() are emitted when the state
// actually changes, so a repeated reading of the same value does not repeat the signal.
class HOST_EXPORT LabelSignal : public QObject
{
    Q_OBJECT
public:
    explicit LabelSignal(QObject* parent = nullptr);
    bool isEnabled() const;

public slots:
    void setEnabled(bool enabled);

signals:
    void ledEnabled();
    void ledDisabled();

private:
    bool m_enabled = false;
};
