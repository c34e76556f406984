#include "debuglog.h"

Q_LOGGING_CATEGORY(debLevelLow, "plugins.debLevel.low")
