// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Ports.h"

namespace ksxsim {

PortFacts DefaultPortFacts(const DeviceProfile& profile, int port) {
    PortFacts facts;
    int firstUplink = profile.ports - 3;
    facts.uplink = port >= firstUplink;
    if (facts.uplink) {
        bool fiber = port >= profile.ports - 1;
        facts.mediaType = fiber ? 4 : 2;
        facts.maxSpeed = 1000000000;
        facts.linkUp = port == firstUplink || port == profile.ports - 1;
        facts.operMode = facts.linkUp ? kOper1000Full : kOperDown;
        return facts;
    }
    facts.mediaType = profile.allGiga ? 2 : 1;
    facts.maxSpeed = profile.allGiga ? 1000000000 : 100000000;
    facts.linkUp = port % 4 != 0 && port % 7 != 0;
    if (!facts.linkUp) {
        facts.operMode = kOperDown;
    } else if (port % 5 == 0) {
        facts.operMode = kOper10Full; // a slow device: shown below top speed
    } else if (port % 11 == 0) {
        facts.operMode = kOper100Half;
    } else {
        facts.operMode = profile.allGiga ? kOper1000Full : kOper100Full;
    }
    return facts;
}

uint32_t OperModeSpeed(int operMode) {
    switch (operMode) {
    case kOper1000Full:
        return 1000000000;
    case kOper100Full:
    case kOper100Half:
        return 100000000;
    case kOper10Full:
    case kOper10Half:
        return 10000000;
    default:
        return 0;
    }
}

std::string BridgeMac() {
    return std::string("\x00\x1b\x2c\x7a\x00\x00", 6);
}

std::string PortMac(int port) {
    std::string mac = BridgeMac();
    mac[4] = static_cast<char>((port >> 8) & 0xff);
    mac[5] = static_cast<char>(port & 0xff);
    return mac;
}

int CpuIfIndex(const DeviceProfile& profile) {
    return profile.ports + 1;
}

int VlanIfIndex(int vlanId) {
    return 1000 + vlanId;
}

} // namespace ksxsim
