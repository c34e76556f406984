#pragma once

#include <QProcessEnvironment>

// The environment for a program a test starts: the offscreen platform, the C locale (English
// texts), and no leak check in the child. The leak checker's tracer crashes in a child started
// through QProcess from a sanitized test; the child's leaks are covered by the in-process runs
// and by memcheck.
QProcessEnvironment childEnvironment();
