// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class Command;

// Hands replies to a tool the way a host does: through a signal connected to the tool's
// reply slot by signature.
class ReplySource : public QObject
{
    Q_OBJECT
public:
    explicit ReplySource(QObject* parent = nullptr)
        : QObject(parent)
    {
    }

signals:
    void reply(Command* command);
};
