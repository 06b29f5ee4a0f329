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

// Starts `telnet ADDRESS` in a terminal. False when nothing was started; the caller reports
// nothing (the program never did).
bool StartTelnet(const QString& address);

using ProcessLauncher = std::function<bool(const ProcessCommand& command)>;
// Replaces QProcess::startDetached (an empty function restores it). Call on the UI thread.
void SetProcessLauncher(ProcessLauncher launcher);

// Starts `command` detached through the launcher (QProcess::startDetached unless replaced).
bool LaunchDetached(const ProcessCommand& command);

} // namespace platform
