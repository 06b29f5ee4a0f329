// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/Snmp.h"
#include "tools/SnmpTool.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    SnmpInit();
    SetSnmpTimeout(5000);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int exitCode = RunSnmpTool(args, std::cout, std::cerr);
    std::cout.flush();
    return exitCode;
}
