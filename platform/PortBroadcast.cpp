// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/PortBroadcast.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace platform {

bool BroadcastPortClicked(qint32 portIdentifier) {
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
