// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/DeviceTools.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "features/common/SnmpRequests.h"
#include "features/maintenance/TransferDialog.h"
#include "features/maintenance/TransferObjects.h"
#include "platform/Terminal.h"
#include "tests/support/DialogFixture.h"

#include <QByteArray>

#include <optional>

using platform::MessageKind;
using platform::MessageResult;
using platform::ProcessCommand;

namespace {

const std::string kQuestionSave = kSaveQuestion;
const std::string kQuestionReboot = kRebootQuestion;

// An environment variable set for one test and put back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<QByteArray>& value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name)) {
            m_old = qgetenv(name);
        }
        Set(value);
    }
    ~ScopedEnvironment() { Set(m_old); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Set(const std::optional<QByteArray>& value) {
        if (value) {
            qputenv(m_name, *value);
        } else {
            qunsetenv(m_name);
        }
    }
    const char* m_name;
    std::optional<QByteArray> m_old;
};

class DeviceToolsTest : public testsupport::DialogFixture {
protected:
    virtual std::vector<std::string> Arguments() {
        return {"--save-seconds", "0.3", "--reboot-seconds", "0.5"};
    }
    testsupport::SimFixture::Options SimulatorOptions() override {
        testsupport::SimFixture::Options options;
        options.model = "KSX-7700-28";
        options.arguments = Arguments();
        return options;
    }
    void SetUp() override {
        DialogFixture::SetUp();
        platform::SetProcessLauncher([this](const ProcessCommand& command) {
            launched.push_back(command);
            return true;
        });
    }
    void TearDown() override { platform::SetProcessLauncher({}); }

    std::vector<std::string> SetBindings() {
        std::vector<std::string> bindings;
        for (const auto& record : TakeSets()) {
            for (const std::string& binding : Bindings(record)) {
                bindings.push_back(binding);
            }
        }
        return bindings;
    }

    std::vector<ProcessCommand> launched;
};

const std::string kSaveSet = SaveConfigurationOid() + " = INTEGER: 1";
const std::string kRebootSet = RebootOid() + " = INTEGER: 1";

} // namespace

TEST_F(DeviceToolsTest, SaveConfigurationReportsSuccessAndCancelSendsNothing) {
    CCommonSNMP session;
    messages.Answer({MessageResult::Cancel});
    SaveConfiguration(session);
    EXPECT_EQ(messages.Kinds(), std::vector<MessageKind>{MessageKind::OkCancelQuestion});
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kQuestionSave});
    EXPECT_TRUE(TakeSets().empty());

    SaveConfiguration(session);
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{kQuestionSave, "           Success!           "}));
    EXPECT_EQ(SetBindings(), std::vector<std::string>{kSaveSet});
}

class UnansweredSaveTest : public DeviceToolsTest {
protected:
    std::vector<std::string> Arguments() override { return {"--drop", SaveConfigurationOid()}; }
};

TEST_F(UnansweredSaveTest, SaveWithoutAnAnswerReportsFailure) {
    CCommonSNMP session;
    SaveConfiguration(session);
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{kQuestionSave, "           Failed!            "}));
}

TEST_F(DeviceToolsTest, RebootSendsItsSetWhenTheSwitchIsFreeAndNothingOnCancel) {
    messages.Answer({MessageResult::Cancel});
    RebootDevice();
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kQuestionReboot});
    EXPECT_TRUE(TakeSets().empty());

    RebootDevice();
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kQuestionReboot}); // nothing follows
    EXPECT_EQ(SetBindings(), std::vector<std::string>{kRebootSet});
    EXPECT_TRUE(trace.Contains("==================m_cCommonSNMP.Close==============="));
}

TEST_F(DeviceToolsTest, RebootIsRefusedWhileASaveOrATransferRuns) {
    const std::string firmwareState = TransferObjectsOf(TransferKind::Firmware).state;
    const std::string configState = TransferObjectsOf(TransferKind::Configuration).state;
    for (const std::string& busy :
         {firmwareState + "|2|3", firmwareState + "|2|4", configState + "|2|4",
          configState + "|2|3", SaveConfigurationOid() + "|2|1"}) {
        testsupport::SimFixture::Options options = SimulatorOptions();
        options.arguments = DataArguments({busy});
        ASSERT_TRUE(StartSimulator(options));
        RebootDevice();
        EXPECT_EQ(messages.TakeTexts(),
                  (std::vector<std::string>{
                      kQuestionReboot,
                      "FW upgrade/backup or config backup/restore is already progressing. "}))
            << busy;
        EXPECT_TRUE(TakeSets().empty()) << busy;
    }
}

class UnansweredBusyCheckTest : public DeviceToolsTest {
protected:
    std::vector<std::string> Arguments() override {
        return {"--drop", TransferObjectsOf(TransferKind::Firmware).state, "--reboot-seconds",
                "0.5"};
    }
};

TEST_F(UnansweredBusyCheckTest, RebootGoesAheadWhenTheBusyCheckFails) {
    RebootDevice();
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kQuestionReboot});
    EXPECT_EQ(SetBindings(), std::vector<std::string>{kRebootSet});
}

TEST_F(DeviceToolsTest, TelnetStartsTheTerminalOnTheDevice) {
    ScopedEnvironment terminal("TERMINAL", QByteArray("/bin/sh"));
    messages.Answer({MessageResult::Cancel});
    TelnetToDevice(QStringLiteral("10.0.0.5"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kTelnetQuestion});
    EXPECT_TRUE(launched.empty());

    TelnetToDevice(QStringLiteral("10.0.0.5"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kTelnetQuestion});
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].program, QStringLiteral("/bin/sh"));
    EXPECT_EQ(launched[0].arguments, (QStringList{"-e", "telnet", "10.0.0.5"}));
}

TEST_F(DeviceToolsTest, WebStartsTheBrowserOrSaysThatThereIsNone) {
    {
        ScopedEnvironment browser("BROWSER", QByteArray("/no/such/browser:/bin/true"));
        messages.Answer({MessageResult::Cancel});
        BrowseDevice(QStringLiteral("10.0.0.5"));
        EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kWebQuestion});
        EXPECT_TRUE(launched.empty());

        BrowseDevice(QStringLiteral("10.0.0.5"));
        EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kWebQuestion});
        ASSERT_EQ(launched.size(), 1u);
        EXPECT_EQ(launched[0].program, QStringLiteral("/bin/true"));
        EXPECT_EQ(launched[0].arguments, QStringList{"http://10.0.0.5"});
    }
    launched.clear();
    ScopedEnvironment browser("BROWSER", std::nullopt);
    ScopedEnvironment path("PATH", QByteArray::fromStdString(sim.Dir()));
    BrowseDevice(QStringLiteral("10.0.0.5"));
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{kWebQuestion, "Failed to get IE path !"}));
    EXPECT_TRUE(launched.empty());
}

// The Tools menu of the module window runs the same commands on the window's own sessions.
TEST_F(DeviceToolsTest, ToolsMenuRunsTheCommands) {
    const std::string ini = sim.Dir() + "/User.ini";
    ASSERT_TRUE(testsupport::WriteFile(ini, "[DeviceInfo]\r\nDeviceName=KSX-7700-28\r\n"));
    ScopedEnvironment userIni("KSX_USER_INI", QByteArray::fromStdString(ini));
    ScopedEnvironment browser("BROWSER", QByteArray("/bin/true"));
    RegisterModuleCommands();
    for (int id : {kCmdFirmwareTransfer, kCmdSaveConfiguration, kCmdReboot, kCmdTelnet, kCmdWeb}) {
        EXPECT_TRUE(IsCommandAvailable(id)) << id;
    }
    {
        const std::unique_ptr<QDialog> dialog = CommandDialogFor(kCmdFirmwareTransfer)();
        EXPECT_NE(dynamic_cast<CTransferDialog*>(dialog.get()), nullptr);
    }
    CModuleWindow window;
    messages.TakeTexts(); // the User.ini without a panel file is reported
    window.OnCommand(kCmdSaveConfiguration);
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{kQuestionSave, "           Success!           "}));
    EXPECT_EQ(SetBindings(), std::vector<std::string>{kSaveSet});
    window.OnCommand(kCmdWeb);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].arguments,
              QStringList{"http://" + QString::fromStdString(sim.Address())});
}
