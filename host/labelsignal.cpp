// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "labelsignal.h"

LabelSignal::LabelSignal(QObject* parent)
    : QObject(parent)
{
}

bool LabelSignal::isEnabled() const
{
    return m_enabled;
}

void LabelSignal::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        emit ledEnabled();
    else
        emit ledDisabled();
}
