// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platformchoice.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QRegularExpression>

#include <cstddef>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Connects to a local socket, by path or (a leading '@') in the abstract namespace.
bool connectsLocal(const QByteArray& path)
{
    sockaddr_un address{};
    if (path.size() >= int(sizeof(address.sun_path)))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(path.size()));
    if (path.startsWith('@'))
        address.sun_path[0] = '\0';
    else
        length += 1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return connected;
}

// Connects to a TCP port, waiting at most two seconds for an answer.
bool connectsTcp(const QByteArray& host, int port)
{
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &found) != 0)
        return false;
    bool connected = false;
    for (addrinfo* entry = found; entry && !connected; entry = entry->ai_next) {
        const int fd = ::socket(entry->ai_family, entry->ai_socktype | SOCK_CLOEXEC, entry->ai_protocol);
        if (fd < 0)
            continue;
        // A connect gives up after the send time-out.
        const timeval limit{2, 0};
        connected = ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit)) == 0
                    && ::connect(fd, entry->ai_addr, entry->ai_addrlen) == 0;
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return connected;
}

QtMessageHandler previousHandler = nullptr;

void headlessHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool platformNote = (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0)
                              || message.startsWith(QLatin1String("This plugin does not support"))
                              || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
    if (platformNote && type != QtFatalMsg && type != QtCriticalMsg)
        return;
    previousHandler(type, context, message);
}

} // namespace

QStringList PlatformChoice::available()
{
    QStringList folders = QCoreApplication::libraryPaths();
    const QString extra = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!extra.isEmpty())
        folders.prepend(extra);
    QStringList names;
    for (const QString& folder : qAsConst(folders)) {
        QDir platforms(folder);
        if (folder != extra && !platforms.cd(QStringLiteral("platforms")))
            continue;
        const QStringList files = platforms.entryList(QDir::Files);
        for (const QString& file : files) {
            const QJsonObject meta = QPluginLoader(platforms.filePath(file)).metaData();
            const QJsonArray keys = meta.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
            for (const QJsonValue& key : keys)
                names.append(key.toString());
        }
    }
    names.removeDuplicates();
    names.sort();
    return names;
}

bool PlatformChoice::reachesX11(const QString& display)
{
    // [host]:number[.screen]
    static const QRegularExpression form(QStringLiteral("^(.*):(\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch match = form.match(display);
    if (!match.hasMatch())
        return false;
    const QString host = match.captured(1);
    const int number = match.captured(2).toInt();
    if (host.isEmpty() || host == QLatin1String("unix")) {
        const QByteArray socket = "/tmp/.X11-unix/X" + QByteArray::number(number);
        return connectsLocal(socket) || connectsLocal('@' + socket);
    }
    return connectsTcp(host.toLocal8Bit(), 6000 + number);
}

bool PlatformChoice::reachesWayland(const QString& display)
{
    const QString name = display.isEmpty() ? QStringLiteral("wayland-0") : display;
    if (QDir::isAbsolutePath(name))
        return connectsLocal(name.toLocal8Bit());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && connectsLocal(QDir(runtime).filePath(name).toLocal8Bit());
}

bool PlatformChoice::choose(bool windows, const QString& requested, QString* error)
{
    if (!windows) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    QString chosen = requested.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : requested;
    const QString display = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QStringList installed = available();
    if (chosen.isEmpty())
        chosen = display.isEmpty() && !wayland.isEmpty() && installed.contains(QLatin1String("wayland"))
                     ? QStringLiteral("wayland")
                     : QStringLiteral("xcb");
    // Options after a colon belong to the plug-in.
    const QString name = chosen.section(QLatin1Char(':'), 0, 0);
    if (!installed.contains(name)) {
        *error = tr("the platform plug-in \"%1\" is not installed (installed: %2): choose one of them with "
                    "QT_QPA_PLATFORM, or run headless with --auto")
                     .arg(name, installed.join(QStringLiteral(", ")));
        return false;
    }
    if (name == QLatin1String("xcb") && display.isEmpty()) {
        *error = wayland.isEmpty() ? tr("no display to show the workbench on (DISPLAY is not set): start it under "
                                        "xvfb-run, or run it headless with --auto")
                                   : tr("only a Wayland display is set (WAYLAND_DISPLAY) and the Wayland platform plug-in "
                                        "is not installed: install it, or start the workbench with DISPLAY set to the "
                                        "desktop's X display, or run it headless with --auto");
        return false;
    }
    if (name == QLatin1String("xcb") && !reachesX11(display)) {
        *error = tr("the X display \"%1\" (DISPLAY) does not answer: start the workbench in the desktop session, or "
                    "under xvfb-run, or run it headless with --auto")
                     .arg(display);
        return false;
    }
    if (name == QLatin1String("wayland") && !reachesWayland(wayland)) {
        *error = tr("the Wayland display \"%1\" (WAYLAND_DISPLAY) does not answer: start the workbench in the desktop "
                    "session, or run it headless with --auto")
                     .arg(wayland);
        return false;
    }
    qputenv("QT_QPA_PLATFORM", chosen.toLocal8Bit());
    return true;
}

void PlatformChoice::silenceHeadlessNoise()
{
    previousHandler = qInstallMessageHandler(headlessHandler);
}
