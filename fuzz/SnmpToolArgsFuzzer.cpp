// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The arguments of ksx-snmp (NUL bytes separate them): any of them are accepted with the
// request built, or refused with the usage hint; nothing is sent either way.
#include "snmp/Snmp.h"
#include "tools/SnmpTool.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool initialised = [] {
        SnmpInit();
        return true;
    }();
    (void)initialised;
    std::vector<std::string> args;
    if (size > 0) {
        args.emplace_back();
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = CheckSnmpToolArguments(args, out, err);
    const bool refused = exitCode == kToolBadArguments && err.str().rfind("ksx-snmp: ", 0) == 0 &&
                         err.str().find("Try 'ksx-snmp --help'.") != std::string::npos;
    if (!(exitCode == kToolOk || refused) || (refused && !out.str().empty())) {
        __builtin_trap();
    }
    return 0;
}
