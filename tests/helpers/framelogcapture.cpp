// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framelogcapture.h"

#include <QLoggingCategory>

static FrameLogCapture* s_current = nullptr;

FrameLogCapture::FrameLogCapture(bool debugEnabled)
{
    QLoggingCategory::setFilterRules(QStringLiteral("plugins.debLevel.low.debug=") + (debugEnabled ? "true" : "false"));
    s_current = this;
    m_previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        s_current->m_lines[key(context.category, type)] << text;
        // Warnings and worse stay visible in the test output.
        if (type != QtDebugMsg && type != QtInfoMsg && s_current->m_previous)
            s_current->m_previous(type, context, text);
    });
}

FrameLogCapture::~FrameLogCapture()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
    QLoggingCategory::setFilterRules(QString());
}
