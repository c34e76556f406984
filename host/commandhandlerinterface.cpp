// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandhandlerinterface.h"

CommandHandlerInterface::~CommandHandlerInterface() = default;
