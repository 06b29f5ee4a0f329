// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The message that tells other programs of the desktop which port the user clicked on the
// panel: a D-Bus signal on the session bus, when there is one.
#pragma once

#include <QString>

namespace platform {

// The name the message is known by; the first argument of the signal.
inline constexpr const char* kPortClickedMessageName = "{6FD9BA9B-9875-4c53-A57D-5E76258D10BE}";

inline constexpr const char* kPortClickedPath = "/org/ksxmodule/Panel";
inline constexpr const char* kPortClickedInterface = "org.ksxmodule.Panel";
inline constexpr const char* kPortClickedSignal = "PortClicked";

// Emits PortClicked(message name, port identifier) on the session bus. False when no session
// bus is advertised (DBUS_SESSION_BUS_ADDRESS, $XDG_RUNTIME_DIR/bus) or reachable; then
// nothing is sent, as the program has nobody to tell.
bool BroadcastPortClicked(qint32 portIdentifier);

} // namespace platform
