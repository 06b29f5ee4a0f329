// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/CommandLine.h"
#include "app/EnvironmentHooks.h"
#include "app/ModuleApp.h"
#include "app/TerminationSignals.h"
#include "platform/Version.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    // The host's command line has no options; "--version" alone is the one exception.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("ksx-module %s\n", kKsxVersion);
        return 0;
    }
    // Taken before QApplication removes the arguments it understands itself.
    const std::string commandLine = JoinCommandLine(argc, argv);
    HideSecretArguments(argc, argv);
    QApplication application(argc, argv);
    RouteMessagesToStderrIfAsked();
    ArmSelfExitTimerIfAsked();
    CloseOnTerminationSignals();
    CModuleApp moduleApp(commandLine);
    moduleApp.InitInstance();
    return moduleApp.ExitCode();
}
