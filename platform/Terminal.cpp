// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Terminal.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {
namespace {

ProcessLauncher& Launcher() {
    static ProcessLauncher launcher;
    return launcher;
}

bool StartDetached(const ProcessCommand& command) {
    return QProcess::startDetached(command.program, command.arguments);
}

QString ExecutableFromEnvironment() {
    const QString named = qEnvironmentVariable("TERMINAL");
    if (named.isEmpty()) {
        return {};
    }
    const QFileInfo direct(named);
    if (direct.isAbsolute()) {
        return direct.isExecutable() ? named : QString();
    }
    return QStandardPaths::findExecutable(named);
}

// How each terminal is told which program to run after its own options.
QStringList RunOption(const QString& terminal) {
    const QString base = QFileInfo(terminal).fileName();
    if (base == QLatin1String("gnome-terminal")) {
        return {QStringLiteral("--")};
    }
    if (base == QLatin1String("xfce4-terminal")) {
        return {QStringLiteral("-x")};
    }
    return {QStringLiteral("-e")};
}

} // namespace

QString FindTerminal() {
    if (QString named = ExecutableFromEnvironment(); !named.isEmpty()) {
        return named;
    }
    for (const char* candidate :
         {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm"}) {
        if (QString found = QStandardPaths::findExecutable(QLatin1String(candidate));
            !found.isEmpty()) {
            return found;
        }
    }
    return {};
}

ProcessCommand TelnetCommand(const QString& address) {
    // An address beginning with '-' would reach telnet as an option.
    if (address.startsWith(QLatin1Char('-'))) {
        return {};
    }
    const QString terminal = FindTerminal();
    if (terminal.isEmpty()) {
        return {};
    }
    QStringList arguments = RunOption(terminal);
    arguments << QStringLiteral("telnet");
    if (!address.isEmpty()) {
        arguments << address;
    }
    return {terminal, arguments};
}

bool StartTelnet(const QString& address) {
    const ProcessCommand command = TelnetCommand(address);
    if (command.program.isEmpty()) {
        return false;
    }
    return LaunchDetached(command);
}

bool LaunchDetached(const ProcessCommand& command) {
    return Launcher() ? Launcher()(command) : StartDetached(command);
}

void SetProcessLauncher(ProcessLauncher launcher) {
    Launcher() = std::move(launcher);
}

} // namespace platform
