// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The PortList that the switch's per-feature port sets take (router ports, forwarding ports,
// surveillance uplinks): a length fixed by the model rather than by the port count alone.
#pragma once

#include "snmp/PortEncoding.h"

#include <string>

// The port hex text of `flags`, then on a 52-port switch eleven "0" digits (12 octets), on a
// 28-port switch nine (8 octets), on any other model the usual padding; as octets.
std::string FixedLengthPortList(const PortFlags& flags,
                                int portCount = DeviceValues().DevicePortCount);
