// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Terminal.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

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
};

} // namespace

TEST_F(TerminalTest, CommandRunsTelnetWithTheAddressInTheTerminal) {
    const QString terminal = MakeTerminal(QStringLiteral("myterm"));
    platform::ProcessCommand command = platform::TelnetCommand(QStringLiteral("10.1.2.3"));
    EXPECT_EQ(command.program, terminal);
    EXPECT_EQ(command.arguments, (QStringList{"-e", "telnet", "10.1.2.3"}));

    command = platform::TelnetCommand(QString());
    EXPECT_EQ(command.arguments, (QStringList{"-e", "telnet"})) << "nothing appended";

    EXPECT_TRUE(platform::TelnetCommand(QStringLiteral("-l root")).program.isEmpty())
        << "an address that telnet would read as an option starts nothing";

    const QString gnome = MakeTerminal(QStringLiteral("gnome-terminal"));
    EXPECT_EQ(platform::TelnetCommand(QStringLiteral("h")).arguments,
              (QStringList{"--", "telnet", "h"}));
}

TEST_F(TerminalTest, StartsTheTerminalDetached) {
    MakeTerminal(QStringLiteral("myterm"));
    ASSERT_TRUE(platform::StartTelnet(QStringLiteral("192.0.2.9")));
    QFile args(folder.filePath(QStringLiteral("args")));
    for (int i = 0; i < 500 && !args.exists(); ++i) {
        QThread::msleep(10);
    }
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(args.readAll().trimmed(), QByteArray("-e telnet 192.0.2.9"));
}

TEST_F(TerminalTest, NoTerminalStartsNothing) {
    qputenv("TERMINAL", folder.filePath(QStringLiteral("missing")).toLocal8Bit());
    qputenv("PATH_SAVED", qgetenv("PATH"));
    qputenv("PATH", folder.path().toLocal8Bit());
    bool launched = false;
    platform::SetProcessLauncher([&](const platform::ProcessCommand&) { return launched = true; });
    EXPECT_FALSE(platform::StartTelnet(QStringLiteral("192.0.2.9")));
    qputenv("PATH", qgetenv("PATH_SAVED"));
    qunsetenv("PATH_SAVED");
    EXPECT_FALSE(launched);
}
