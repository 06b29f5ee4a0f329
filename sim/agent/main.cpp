// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Version.h"
#include "sim/agent/AgentState.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    bool wantsHelp = false;
    auto options = ksxsim::ParseOptions(args, error, wantsHelp);
    if (wantsHelp) {
        std::cout << ksxsim::UsageText();
        return 0;
    }
    if (options && options->showVersion) {
        std::cout << "ksx-sim " << kKsxVersion << "\n";
        return 0;
    }
    if (!options) {
        std::cerr << "ksx-sim: " << error << "\n" << ksxsim::UsageText();
        return 2;
    }
    return ksxsim::RunAgent(*options);
}
