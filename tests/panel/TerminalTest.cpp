// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Terminal.h"
#include "panel/PanelElements.h"
#include "snmp/SessionParameters.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A terminal of our own that writes the command line it was given into a file.
class TerminalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        saved = qgetenv("TERMINAL");
    }
    void TearDown() override {
        qputenv("TERMINAL", saved);
        platform::SetProcessLauncher({});
        SessionParameters().DeviceAddress = savedAddress;
    }

    QString MakeTerminal(const QString& name) {
        const QString path = folder.filePath(name);
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'\n")
                         .arg(folder.filePath(QStringLiteral("args")))
                         .toLocal8Bit());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TERMINAL", path.toLocal8Bit());
        return path;
    }

    QTemporaryDir folder;
    QByteArray saved;
    std::string savedAddress = SessionParameters().DeviceAddress;
};

} // namespace

// (The command for a plain address is checked by the Telnet tool's own tests.)
TEST_F(TerminalTest, TelnetTakesNoOptionAndTheConsoleClickStartsItOnTheDevice) {
    const QString terminal = MakeTerminal(QStringLiteral("myterm"));
    EXPECT_EQ(platform::TelnetCommand(QString()).arguments, (QStringList{"-e", "telnet"}))
        << "nothing appended";
    EXPECT_TRUE(platform::TelnetCommand(QStringLiteral("-l root")).program.isEmpty())
        << "an address that telnet would read as an option starts nothing";

    // A click on the console, inside its hit rectangle, starts telnet to the device.
    std::vector<platform::ProcessCommand> started;
    platform::SetProcessLauncher([&](const platform::ProcessCommand& command) {
        started.push_back(command);
        return true;
    });
    SessionParameters().DeviceAddress = "192.0.2.17";
    CDevModule tree;
    auto console = std::make_unique<CCom>();
    console->SetRect(0, 0, 20, 20);
    tree.AddChild(std::move(console));
    tree.OnLButtonDown({2, 10}); // on the inset edge: nothing
    tree.OnLButtonDown({10, 10});
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, terminal);
    EXPECT_EQ(started[0].arguments, (QStringList{"-e", "telnet", "192.0.2.17"}));

    MakeTerminal(QStringLiteral("gnome-terminal"));
    EXPECT_EQ(platform::TelnetCommand(QStringLiteral("h")).arguments,
              (QStringList{"--", "telnet", "h"}));
}

TEST_F(TerminalTest, StartsTheTerminalDetachedAndNothingWithoutOne) {
    qputenv("TERMINAL", folder.filePath(QStringLiteral("missing")).toLocal8Bit());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.path().toLocal8Bit());
    bool launched = false;
    platform::SetProcessLauncher([&](const platform::ProcessCommand&) { return launched = true; });
    EXPECT_FALSE(platform::StartTelnet(QStringLiteral("192.0.2.9")));
    qputenv("PATH", path);
    EXPECT_FALSE(launched);

    platform::SetProcessLauncher({});
    MakeTerminal(QStringLiteral("myterm"));
    ASSERT_TRUE(platform::StartTelnet(QStringLiteral("192.0.2.9")));
    QFile args(folder.filePath(QStringLiteral("args")));
    for (int i = 0; i < 500 && !args.exists(); ++i) {
        QThread::msleep(10);
    }
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(args.readAll().trimmed(), QByteArray("-e telnet 192.0.2.9"));
}
