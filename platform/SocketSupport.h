// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

namespace platform {

// Whether the process can open the UDP sockets that SNMP needs (it may not, for instance, when
// it has run out of file descriptors or a sandbox denies network access).
bool SocketSupportAvailable();

} // namespace platform
