// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/InstanceName.h"

std::string BuildInstanceName(std::string_view deviceName, std::string_view deviceAddress) {
    std::string name = "Module:";
    name += deviceName;
    name += deviceAddress;
    return name;
}
