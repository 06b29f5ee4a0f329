// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The module's command line: any text gives a set of session parameters, and a value read
// from the text never holds a blank or a slash (both end or separate fields).
#include "app/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

bool ReadCleanly(const std::string& value, const std::string& fallback) {
    return value == fallback || value.find_first_of(" /") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The host hands over arguments; NUL bytes split the input into them.
    std::vector<std::string> arguments{"ksx-module", ""};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back() += static_cast<char>(data[i]);
        }
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    const std::string commandLine = JoinCommandLine(static_cast<int>(argv.size()), argv.data());
    const SessionParametersData parsed = ParseCommandLine(commandLine);
    const SessionParametersData defaults;
    const std::pair<const std::string*, const std::string*> fields[] = {
        {&parsed.FirstField, &defaults.FirstField},
        {&parsed.DeviceAddress, &defaults.DeviceAddress},
        {&parsed.ReadCommunity, &defaults.ReadCommunity},
        {&parsed.WriteCommunity, &defaults.WriteCommunity},
        {&parsed.SnmpVersion, &defaults.SnmpVersion},
        {&parsed.SnmpPort, &defaults.SnmpPort},
        {&parsed.Field10, &defaults.Field10},
        {&parsed.SecurityLevel, &defaults.SecurityLevel},
        {&parsed.UserName, &defaults.UserName},
        {&parsed.AuthPassword, &defaults.AuthPassword},
        {&parsed.PrivPassword, &defaults.PrivPassword},
        {&parsed.AuthProtocol, &defaults.AuthProtocol},
        {&parsed.PrivProtocol, &defaults.PrivProtocol},
    };
    for (const auto& [value, fallback] : fields) {
        if (!ReadCleanly(*value, *fallback) || value->size() > commandLine.size() + 16) {
            __builtin_trap();
        }
    }
    if (parsed.RequestTimeout != defaults.RequestTimeout) {
        __builtin_trap(); // the command line has no timeout field
    }
    return 0;
}
