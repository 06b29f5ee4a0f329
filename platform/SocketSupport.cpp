// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/SocketSupport.h"

#include <sys/socket.h>
#include <unistd.h>

#include <netinet/in.h>

namespace platform {

bool SocketSupportAvailable() {
    const int descriptor = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (descriptor < 0) {
        return false;
    }
    ::close(descriptor);
    return true;
}

} // namespace platform
