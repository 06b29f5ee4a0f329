// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/PortBroadcast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>

namespace platform {

namespace {

// The places the D-Bus library looks for the session bus. Checked first so that a desktop
// without a session bus does not start Qt's bus thread for nothing.
bool SessionBusAdvertised() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

} // namespace

bool BroadcastPortClicked(qint32 portIdentifier) {
    if (!SessionBusAdvertised()) {
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusMessage message = QDBusMessage::createSignal(QLatin1String(kPortClickedPath),
                                                      QLatin1String(kPortClickedInterface),
                                                      QLatin1String(kPortClickedSignal));
    message << QString::fromLatin1(kPortClickedMessageName) << portIdentifier;
    return bus.send(message);
}

} // namespace platform
