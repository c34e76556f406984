// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// The plug-in's one logging category, "plugins.debLevel.low". Debug lines start with the
// writing function's signature (Q_FUNC_INFO).
Q_DECLARE_LOGGING_CATEGORY(debLevelLow)
