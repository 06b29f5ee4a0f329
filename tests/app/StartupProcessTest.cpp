// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The start-up of real ksx-module processes: messages, User.ini and one module per device.
#include "tests/support/ModuleProcess.h"
#include "tests/support/SimFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using testsupport::ModuleProcess;

const QString kAddress = QString("10.0.0.5");
const QString k52 = QString("KSX-7700-52");

class StartupProcessTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_dir.path().size() < 60) << "socket paths would get too long";
    }

    // A User.ini naming the device, and the environment that uses it: offscreen, traces and
    // messages printed, the window closed after `exitAfterMs`.
    QProcessEnvironment Environment(const QString& deviceName,
                                    const QString& exitAfterMs = QString("60000")) {
        const QString iniPath = m_dir.filePath(deviceName + QString(".ini"));
        EXPECT_TRUE(testsupport::WriteFile(
            iniPath.toStdString(),
            "[DeviceInfo]\r\nDeviceName=" + deviceName.toStdString() + "\r\n"));
        QProcessEnvironment environment = ModuleProcess::Environment(iniPath, m_dir.path());
        environment.insert(QString("KSX_TEST_EXIT_AFTER_MS"), exitAfterMs);
        return environment;
    }

    static QStringList Arguments(const QString& address) {
        return {QString("/Nhost"), QString("/I") + address, QString("/Rpublic"),
                QString("/Wprivate")};
    }

    static QString Serving(const QString& deviceName, const QString& address) {
        return QString("Single instance: serving Module:") + deviceName + address;
    }
    static QString Forwarded(const QString& deviceName, const QString& address) {
        return QString("Single instance: Module:") + deviceName + address +
               QString(" runs already, asked it to come forward");
    }

    QTemporaryDir m_dir;
};

TEST_F(StartupProcessTest, ModulesThatCloseEndWithTheirExitCodeAndFreeTheDevice) {
    const struct {
        QStringList arguments;
        int exitCode;
        QString line;
    } cases[] = {
        // An empty command line is refused with a message, before any single-instance work.
        {{}, 1, QString("No parameter input !")},
        // Closing the window ends the process and frees the device for the next start.
        {Arguments(kAddress), 0, Serving(k52, kAddress)},
        {Arguments(kAddress), 0, Serving(k52, kAddress)},
        // Odd command lines still start the module (how they parse is checked on its own).
        {{QString("/Nhost"), QString("/I")}, 0, Serving(k52, QString())},
        {{QString("/N\u00e4"), QString("/I10.0.0.8/")}, 0, Serving(k52, QString("10.0.0.8"))}};
    for (const auto& c : cases) {
        ModuleProcess module(c.arguments, Environment(k52, QString("100")));
        SCOPED_TRACE(c.arguments.join(u' ').left(80).toStdString());
        EXPECT_EQ(module.WaitForExit(), c.exitCode);
        EXPECT_TRUE(module.HasLine(c.line)) << module.Output();
        EXPECT_EQ(module.Output().find("Single instance") != std::string::npos, c.exitCode == 0)
            << module.Output();
    }
}

TEST_F(StartupProcessTest, OneModuleServesEachDeviceAndLaterStartsBringItForward) {
    const auto environment = Environment(k52);
    ModuleProcess crashed(Arguments(kAddress), environment);
    ASSERT_TRUE(crashed.WaitForLine(Serving(k52, kAddress))) << crashed.Output();
    crashed.Kill(); // leaves its lock and socket files behind

    // Simultaneous starts take the device over: one serves, the others bring it forward.
    std::vector<std::unique_ptr<ModuleProcess>> modules;
    for (int n = 0; n < 3; ++n) {
        modules.push_back(std::make_unique<ModuleProcess>(Arguments(kAddress), environment));
    }
    ModuleProcess* server = nullptr;
    for (const auto& module : modules) {
        if (module->WaitForLine(Serving(k52, kAddress))) {
            EXPECT_EQ(server, nullptr) << "two modules serve the same device";
            server = module.get();
        } else {
            EXPECT_EQ(module->WaitForExit(), 0) << module->Output();
            EXPECT_TRUE(module->HasLine(Forwarded(k52, kAddress))) << module->Output();
        }
    }
    ASSERT_NE(server, nullptr);
    EXPECT_TRUE(server->WaitForLine(QString("activate"), 2)) << server->Output();

    // Another address or another device name runs a module of its own.
    ModuleProcess otherAddress(Arguments(QString("10.0.0.6")), environment);
    EXPECT_TRUE(otherAddress.WaitForLine(Serving(k52, "10.0.0.6"))) << otherAddress.Output();
    const QString k28P = QString("KSX-7700-28P");
    ModuleProcess otherName(Arguments(kAddress), Environment(k28P));
    EXPECT_TRUE(otherName.WaitForLine(Serving(k28P, kAddress))) << otherName.Output();
    EXPECT_TRUE(server->Running());
    EXPECT_TRUE(otherAddress.Running());
    EXPECT_TRUE(otherName.Running());
    EXPECT_EQ(server->Count(QString("activate")), 2) << server->Output();
}

// Every secret holds "Secret"; a value may span arguments; the passwords go by position too.
TEST_F(StartupProcessTest, SecretsLeaveTheProcessListAndStillReachTheSwitch) {
    testsupport::SimFixture sim;
    ASSERT_TRUE(sim.Start(
        {"KSX-7700-52", {"--ro-community", "Secretr3ad", "--rw-community", "wr1teSecret"}, true}));
    const QString line = "/Nhost /I127.0.0.1 /RSecret r3ad /W wr1teSecret /E /V1 /P" +
                         QString::number(sim.Port()) + " /x /y /z /L3 /Uops /AaSecret /BpSecret";
    auto environment = Environment(k52);
    environment.insert("KSX_TEST_COMMANDS", "32817,32815"); // a dialog reads, then a set
    ModuleProcess module(line.split(u' '), environment);
    ASSERT_TRUE(module.WaitForLine(QString("Test commands: done"))) << module.Output();
    const std::string shown =
        testsupport::ReadFile("/proc/" + std::to_string(module.Pid()) + "/cmdline");
    EXPECT_EQ(shown.find("Secret"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("r3ad"), std::string::npos) << shown;
    EXPECT_NE(shown.find("/Nhost"), std::string::npos) << shown;
    const auto sets = sim.SetLog();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].security + " " + sets[0].result, "wr1teSecret noError");
    const auto reads = sim.RequestLog();
    EXPECT_TRUE(std::any_of(reads.begin(), reads.end(), [](const auto& request) {
        return request.pdu == "get" && request.security == "Secretr3ad" && request.answered;
    }));
}

} // namespace
