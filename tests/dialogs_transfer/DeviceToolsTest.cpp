// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/DeviceTools.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "features/common/SnmpRequests.h"
#include "features/maintenance/TransferObjects.h"
#include "platform/Terminal.h"
#include "tests/support/DialogFixture.h"

using platform::MessageKind;
using platform::MessageResult;
using platform::ProcessCommand;
using testsupport::SetEnvironment;
using Texts = std::vector<std::string>;

namespace {

const std::string kSaveSet = SaveConfigurationOid() + " = INTEGER: 1";
const std::string kRebootSet = RebootOid() + " = INTEGER: 1";

class DeviceToolsTest : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-28", {"--save-seconds", "0.3", "--reboot-seconds", "0.5"}};
    }
    void SetUp() override {
        DialogFixture::SetUp();
        platform::SetProcessLauncher([this](const ProcessCommand& command) {
            launched.push_back(command);
            return true;
        });
    }
    void TearDown() override { platform::SetProcessLauncher({}); }

    std::vector<ProcessCommand> launched;
};

} // namespace

TEST_F(DeviceToolsTest, SaveReportsFailureAndRebootGoesAheadWhenTheBusyCheckFails) {
    // The switch answers neither a save nor a read of the firmware state.
    ASSERT_TRUE(StartSimulator(
        {"KSX-7700-28",
         {"--drop", SaveConfigurationOid(), "--drop",
          TransferObjectsOf(TransferKind::Firmware).state, "--reboot-seconds", "0.5"}}));
    CCommonSNMP session;
    SaveConfiguration(session);
    EXPECT_EQ(messages.TakeTexts(), (Texts{kSaveQuestion, "           Failed!            "}));
    TakeSets();
    RebootDevice();
    EXPECT_EQ(messages.TakeTexts(), Texts{kRebootQuestion});
    EXPECT_EQ(TakeBindings(), Texts{kRebootSet});
}

TEST_F(DeviceToolsTest, RebootSendsItsSetWhenTheSwitchIsFreeOnlyAndNothingOnCancel) {
    messages.Answer({MessageResult::Cancel});
    RebootDevice();
    EXPECT_EQ(messages.TakeTexts(), Texts{kRebootQuestion});
    EXPECT_TRUE(TakeSets().empty());

    RebootDevice();
    EXPECT_EQ(messages.TakeTexts(), Texts{kRebootQuestion}); // nothing follows
    EXPECT_EQ(TakeBindings(), Texts{kRebootSet});
    EXPECT_TRUE(trace.Contains("==================m_cCommonSNMP.Close==============="));

    // A save or a transfer running or applying its file refuses the reboot.
    const std::string firmwareState = TransferObjectsOf(TransferKind::Firmware).state;
    const std::string configState = TransferObjectsOf(TransferKind::Configuration).state;
    for (const std::string& busy :
         {firmwareState + "|2|3", firmwareState + "|2|4", configState + "|2|4",
          configState + "|2|3", SaveConfigurationOid() + "|2|1"}) {
        SCOPED_TRACE(busy);
        ASSERT_TRUE(StartSimulator({"KSX-7700-28", DataArguments({busy})}));
        RebootDevice();
        EXPECT_EQ(messages.TakeTexts(),
                  (Texts{kRebootQuestion,
                         "FW upgrade/backup or config backup/restore is already progressing. "}));
        EXPECT_TRUE(TakeSets().empty());
    }
}

TEST_F(DeviceToolsTest, TelnetAndWebStartTheirProgramOnTheDeviceOrSayThatThereIsNone) {
    {
        const auto terminal = SetEnvironment("TERMINAL", QByteArray("/bin/sh"));
        const auto browser = SetEnvironment("BROWSER", QByteArray("/no/such/browser:/bin/true"));
        messages.Answer({MessageResult::Cancel, MessageResult::Cancel});
        TelnetToDevice(QStringLiteral("10.0.0.5"));
        BrowseDevice(QStringLiteral("10.0.0.5"));
        EXPECT_EQ(messages.TakeTexts(), (Texts{kTelnetQuestion, kWebQuestion}));
        EXPECT_TRUE(launched.empty());

        TelnetToDevice(QStringLiteral("10.0.0.5"));
        BrowseDevice(QStringLiteral("10.0.0.5"));
        EXPECT_EQ(messages.TakeTexts(), (Texts{kTelnetQuestion, kWebQuestion}));
        ASSERT_EQ(launched.size(), 2u);
        EXPECT_EQ(launched[0].program, QStringLiteral("/bin/sh"));
        EXPECT_EQ(launched[0].arguments, (QStringList{"-e", "telnet", "10.0.0.5"}));
        EXPECT_EQ(launched[1].program, QStringLiteral("/bin/true"));
        EXPECT_EQ(launched[1].arguments, QStringList{"http://10.0.0.5"});
    }
    launched.clear();
    const auto browser = SetEnvironment("BROWSER", std::nullopt);
    const auto path = SetEnvironment("PATH", QByteArray::fromStdString(sim.Dir()));
    BrowseDevice(QStringLiteral("10.0.0.5"));
    EXPECT_EQ(messages.TakeTexts(), (Texts{kWebQuestion, "Failed to get IE path !"}));
    EXPECT_TRUE(launched.empty());
}

// The Tools menu of the module window runs the same commands on the window's own sessions.
TEST_F(DeviceToolsTest, ToolsMenuRunsTheCommandsAndCancelSendsNothing) {
    const std::string ini = sim.Dir() + "/User.ini";
    ASSERT_TRUE(testsupport::WriteFile(ini, "[DeviceInfo]\r\nDeviceName=KSX-7700-28\r\n"));
    const auto userIni = SetEnvironment("KSX_USER_INI", QByteArray::fromStdString(ini));
    const auto browser = SetEnvironment("BROWSER", QByteArray("/bin/true"));
    RegisterModuleCommands();
    for (int id : {kCmdFirmwareTransfer, kCmdSaveConfiguration, kCmdReboot, kCmdTelnet, kCmdWeb}) {
        EXPECT_TRUE(IsCommandAvailable(id)) << id;
    }
    CModuleWindow window;
    messages.TakeTexts(); // the User.ini without a panel file is reported
    messages.Answer({MessageResult::Cancel});
    window.OnCommand(kCmdSaveConfiguration);
    EXPECT_EQ(messages.Kinds(), std::vector<MessageKind>{MessageKind::OkCancelQuestion});
    EXPECT_EQ(messages.TakeTexts(), Texts{kSaveQuestion});
    EXPECT_TRUE(TakeSets().empty());

    window.OnCommand(kCmdSaveConfiguration);
    EXPECT_EQ(messages.TakeTexts(), (Texts{kSaveQuestion, "           Success!           "}));
    EXPECT_EQ(TakeBindings(), Texts{kSaveSet});
    window.OnCommand(kCmdWeb);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].arguments,
              QStringList{"http://" + QString::fromStdString(sim.Address())});
}
