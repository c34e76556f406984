// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "basesettings.h"

#include "dataexchange.h"
#include "debuglog.h"

BaseSettings::BaseSettings(QWidget* parent)
    : QWidget(parent)
    , showCountdown(2)
    , m_dataExchange(nullptr)
{
}

BaseSettings::~BaseSettings()
{
    qCDebug(debLevelLow) << Q_FUNC_INFO;
}

DataExchange* BaseSettings::dataExchange() const
{
    return m_dataExchange;
}

void BaseSettings::setDataExchange(DataExchange* dataExchange)
{
    m_dataExchange = dataExchange;
    if (dataExchange)
        connect(dataExchange, &DataExchange::currentAxisChanged, this, &BaseSettings::currentAxisChanged);
}

void BaseSettings::finish(bool apply, const QString& text)
{
    // The page sits in its tool instance, which sits in the host window.
    QWidget* tool = parentWidget();
    QWidget* window = tool ? tool->parentWidget() : nullptr;
    if (window)
        window->close();
    emit executed(apply, text);
}
