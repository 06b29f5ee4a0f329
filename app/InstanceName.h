// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <string>
#include <string_view>

// The name under which one module serves one device: "Module:" + device name + address, with
// no separators ("Module:KSX-7700-5210.0.0.5").
std::string BuildInstanceName(std::string_view deviceName, std::string_view deviceAddress);
