// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/CommandLine.h"
#include "app/EnvironmentHooks.h"
#include "app/ModuleApp.h"
#include "app/TerminationSignals.h"

#include <QApplication>

int main(int argc, char* argv[]) {
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
