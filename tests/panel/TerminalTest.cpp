// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Terminal.h"
#include "panel/PanelElements.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogTesting.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

using testsupport::SetEnvironment;

// A terminal of our own, named `name`, that writes the command line it was given into the
// file "args" beside it; TERMINAL names it.
QByteArray MakeTerminal(const QTemporaryDir& folder, const QString& name) {
    QFile script(folder.filePath(name));
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QString("#!/bin/sh\necho \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'\n")
                     .arg(folder.filePath(QString("args")))
                     .toLocal8Bit());
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script.fileName().toLocal8Bit();
}

// (The command for a plain address is checked by the Telnet tool's own tests.)
TEST(Terminal, TelnetTakesNoOptionAndTheConsoleClickStartsItOnTheDevice) {
    QTemporaryDir folder;
    const auto terminal = SetEnvironment("TERMINAL", MakeTerminal(folder, "myterm"));
    MakeTerminal(folder, "telnet"); // a client on the PATH
    const auto path = SetEnvironment("PATH", folder.path().toLocal8Bit() + ":" + qgetenv("PATH"));
    EXPECT_EQ(platform::TelnetCommand(QString()).arguments, (QStringList{"-e", "telnet"}))
        << "nothing appended";
    EXPECT_TRUE(platform::TelnetCommand(QString("-l root")).program.isEmpty())
        << "an address that telnet would read as an option starts nothing";

    // A click on the console, inside its hit rectangle, starts telnet to the device.
    std::vector<platform::ProcessCommand> started;
    platform::SetProcessLauncher([&](const platform::ProcessCommand& command) {
        started.push_back(command);
        return true;
    });
    const std::string savedAddress = std::exchange(SessionParameters().DeviceAddress, "192.0.2.17");
    CDevModule tree;
    auto console = std::make_unique<CCom>();
    console->SetRect(0, 0, 20, 20);
    tree.AddChild(std::move(console));
    tree.OnLButtonDown({2, 10}); // on the inset edge: nothing
    tree.OnLButtonDown({10, 10});
    SessionParameters().DeviceAddress = savedAddress;
    platform::SetProcessLauncher({});
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, folder.filePath(QString("myterm")));
    EXPECT_EQ(started[0].arguments, (QStringList{"-e", "telnet", "192.0.2.17"}));

    const auto gnome = SetEnvironment("TERMINAL", MakeTerminal(folder, "gnome-terminal"));
    EXPECT_EQ(platform::TelnetCommand(QString("h")).arguments, (QStringList{"--", "telnet", "h"}));
}

TEST(Terminal, StartsTheTerminalDetachedOrSaysWhatIsMissing) {
    QTemporaryDir folder;
    {
        const auto terminal = SetEnvironment("TERMINAL", folder.filePath("missing").toLocal8Bit());
        const auto path = SetEnvironment("PATH", folder.path().toLocal8Bit());
        bool launched = false;
        platform::SetProcessLauncher(
            [&](const platform::ProcessCommand&) { return launched = true; });
        EXPECT_EQ(platform::StartTelnet(QString("192.0.2.9")), platform::TelnetStart::NoTerminal);
        const auto myterm = SetEnvironment("TERMINAL", MakeTerminal(folder, "myterm"));
        EXPECT_EQ(platform::StartTelnet(QString("192.0.2.9")),
                  platform::TelnetStart::NoTelnetClient);
        platform::SetProcessLauncher({});
        EXPECT_FALSE(launched);
    }
    MakeTerminal(folder, "telnet"); // a client on the PATH (never run: the terminal only echoes)
    const auto path = SetEnvironment("PATH", folder.path().toLocal8Bit() + ":" + qgetenv("PATH"));
    const auto terminal = SetEnvironment("TERMINAL", MakeTerminal(folder, "myterm"));
    ASSERT_EQ(platform::StartTelnet(QString("192.0.2.9")), platform::TelnetStart::Started);
    QFile args(folder.filePath(QString("args")));
    ASSERT_TRUE(testsupport::WaitUntil([&args] { return args.exists(); }));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(args.readAll().trimmed(), QByteArray("-e telnet 192.0.2.9"));
}

} // namespace
