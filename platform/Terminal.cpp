// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Terminal.h"

#include "platform/Message.h"

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

bool HasTelnetClient() {
    return !QStandardPaths::findExecutable(QStringLiteral("telnet")).isEmpty();
}

TelnetStart StartTelnet(const QString& address) {
    if (address.startsWith(QLatin1Char('-'))) {
        return TelnetStart::OptionAddress;
    }
    const ProcessCommand command = TelnetCommand(address);
    if (command.program.isEmpty()) {
        return TelnetStart::NoTerminal;
    }
    if (!HasTelnetClient()) {
        return TelnetStart::NoTelnetClient;
    }
    return LaunchDetached(command) ? TelnetStart::Started : TelnetStart::Failed;
}

QString TelnetFailureText(TelnetStart outcome, const QString& address) {
    switch (outcome) {
    case TelnetStart::Started:
        break;
    case TelnetStart::NoTerminal:
        return QStringLiteral(
            "Telnet cannot start: no terminal emulator was found. The module looks for the "
            "program named in $TERMINAL, then x-terminal-emulator, gnome-terminal, konsole, "
            "xfce4-terminal and xterm. Install one of them (for example: sudo apt install "
            "xterm).");
    case TelnetStart::NoTelnetClient:
        return QStringLiteral("Telnet cannot start: the telnet client is not installed. Install "
                              "it (for example: sudo apt install telnet).");
    case TelnetStart::OptionAddress:
        return QStringLiteral("Telnet cannot start: the device address \"%1\" would be taken "
                              "for an option of telnet.")
            .arg(address);
    case TelnetStart::Failed:
        return QStringLiteral("Telnet cannot start: the terminal emulator %1 could not be "
                              "started.")
            .arg(FindTerminal());
    }
    return {};
}

void StartTelnetOrSayWhy(const QString& address) {
    const TelnetStart outcome = StartTelnet(address);
    if (outcome != TelnetStart::Started) {
        ShowMessage(TelnetFailureText(outcome, address));
    }
}

bool LaunchDetached(const ProcessCommand& command) {
    return Launcher() ? Launcher()(command) : StartDetached(command);
}

void SetProcessLauncher(ProcessLauncher launcher) {
    Launcher() = std::move(launcher);
}

} // namespace platform
