// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Runs a program without a shell in between, so that any argument reaches it unchanged.
#pragma once

#include <string>
#include <vector>

namespace tooltest {

struct ProcessResult {
    int exitCode = -1; // -1 when the program did not end normally
    std::string out;
    std::string err;
};

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {});

// snmpwalk, snmpget and friends with no MIB files loaded; their standard output.
std::string RunNetSnmpCommand(const std::string& program, const std::vector<std::string>& args);

} // namespace tooltest
