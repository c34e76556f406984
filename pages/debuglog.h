#pragma once

#include <QLoggingCategory>

// The plug-in's one logging category, "plugins.debLevel.low". Debug lines start with the
// writing function's signature (Q_FUNC_INFO).
Q_DECLARE_LOGGING_CATEGORY(debLevelLow)
