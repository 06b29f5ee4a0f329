// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/FixedPortList.h"

std::string FixedLengthPortList(const PortFlags& flags, int portCount) {
    std::string hex = PortFlagsToHex(flags, portCount);
    if (portCount == 52) {
        hex.append(11, '0');
    } else if (portCount == 28) {
        hex.append(9, '0');
    } else {
        hex = PadPortHex(hex, portCount);
    }
    return HexToBytes(hex).value_or(std::string());
}
