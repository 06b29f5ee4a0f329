// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Starting the Telnet client for the device: the user's terminal emulator running
// `telnet ADDRESS`, detached from this program.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

struct ProcessCommand {
    QString program;
    QStringList arguments;
};

// The terminal to use: $TERMINAL when it names an executable, otherwise the first of
// x-terminal-emulator, gnome-terminal, konsole, xfce4-terminal, xterm found on the PATH.
// Empty when none is found.
QString FindTerminal();

// The terminal command that runs `telnet ADDRESS` (plain `telnet` for an empty address).
// Empty program when no terminal exists or the address could be taken for an option.
ProcessCommand TelnetCommand(const QString& address);

// Whether a telnet client is on the PATH (a terminal without one would open and close at once).
bool HasTelnetClient();

enum class TelnetStart { Started, NoTerminal, NoTelnetClient, OptionAddress, Failed };

// Starts `telnet ADDRESS` in a terminal, and says why when nothing was started.
TelnetStart StartTelnet(const QString& address);
// What the user is told when nothing was started: which program is missing and how to get
// it. Empty for Started.
QString TelnetFailureText(TelnetStart outcome, const QString& address);
// StartTelnet, and a message box with TelnetFailureText when nothing was started.
void StartTelnetOrSayWhy(const QString& address);

using ProcessLauncher = std::function<bool(const ProcessCommand& command)>;
// Replaces QProcess::startDetached (an empty function restores it). Call on the UI thread.
void SetProcessLauncher(ProcessLauncher launcher);

// Starts `command` detached through the launcher (QProcess::startDetached unless replaced).
bool LaunchDetached(const ProcessCommand& command);

} // namespace platform
