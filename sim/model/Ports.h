// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "sim/model/Model.h"

namespace ksxsim {

// Operating modes as the port table reports them.
enum OperMode : int {
    kOperDown = 1,
    kOper1000Full = 2,
    kOper100Full = 3,
    kOper100Half = 4,
    kOper10Full = 5,
    kOper10Half = 6,
};

// Media types of the port table: 1 copper limited to 100M, 2 gigabit copper,
// 3 fiber with a 100Base-X module, 4 fiber with a 1000Base-X module.
struct PortFacts {
    bool uplink = false;
    int mediaType = 1;
    uint32_t maxSpeed = 100000000;
    bool linkUp = false;
    int operMode = kOperDown;
};

// How a new switch of the profile's model is cabled: the last four ports are gigabit
// uplinks (two copper, two fiber), the others copper ports at 100M unless the model is
// all-gigabit; a fixed pattern of ports has a link, a few of them at a lower speed.
PortFacts DefaultPortFacts(const DeviceProfile& profile, int port);

// Link speed in bit/s of an operating mode (0 when down).
uint32_t OperModeSpeed(int operMode);

// MAC addresses: the switch's own and one per port.
std::string BridgeMac();
std::string PortMac(int port);

// The interface numbers of the interfaces that are not ports.
int CpuIfIndex(const DeviceProfile& profile);
int VlanIfIndex(int vlanId);

} // namespace ksxsim
