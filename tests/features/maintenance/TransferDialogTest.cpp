// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The transfer dialog and the device tools commands against ksx-sim: a 28-port switch whose
// transfers take half a second and whose restart after a new firmware lasts one, with its
// request log on.
#include "features/maintenance/TransferDialog.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/SnmpRequests.h"
#include "features/maintenance/DeviceToolsDialog.h"
#include "features/maintenance/TransferObjects.h"
#include "platform/Terminal.h"
#include "tests/support/DialogFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include <algorithm>

using namespace testsupport;
using platform::MessageKind;
using platform::MessageResult;
using platform::ProcessCommand;

namespace {

const TransferObjects& kFirmware = TransferObjectsOf(TransferKind::Firmware);
const TransferObjects& kConfiguration = TransferObjectsOf(TransferKind::Configuration);

const char kUpgradeWarning[] =
    "The connection will be disconnected.\nPlease do not apply other changes when "
    "uploading.\nReconnect to the device later when uploading completes.";
const char kSuccess[] = "Success !";
const char kFirmwareStatusTimeOut[] = "Get Firmware BackUp/Upgrade status Time Out !";
const char kFileNameTimeOut[] = "Setting file name TimeOut !";
const char kOperationTimeOut[] = "Setting operation TimeOut !";
const char kTooLong[] = "The maximum length of file name is 64!";

const QStringList kInputs{"serverAddress", "fileName",    "operationType",
                          "fileType",      "applyButton", "closeButton"};

std::string Bound(const std::string& oid, const std::string& type, const std::string& value) {
    return oid + " = " + type + ": " + value;
}

class TransferTest : public testsupport::DialogFixture {
protected:
    void SetUp() override {} // each test starts the switch it needs

    // A switch with its request log on, whose transfers take half a second and whose restart
    // after a new firmware lasts one, unless `arguments` say otherwise.
    static SimFixture::Options Switch(const Texts& arguments = {"--transfer-seconds", "0.5",
                                                                "--reboot-seconds", "1"}) {
        return {"KSX-7700-28", arguments, true};
    }

    // The dialog with its timers ten times faster than the program's (request time-outs as
    // they are), changed further by `change`.
    std::unique_ptr<CTransferDialog>
    OpenFast(const std::function<void(TransferTimings&)>& change = {}) {
        auto dialog = Open<CTransferDialog>();
        TransferTimings timings = TransferTimings().TimersDividedBy(10);
        if (change) {
            change(timings);
        }
        dialog->SetTimings(timings);
        return dialog;
    }

    static bool EnterServer(const QWidget* dialog, const QString& dotted) {
        auto* server = Find<CIpAddressEdit>(dialog, "serverAddress");
        return server != nullptr && (server->SetAddress(dotted), true);
    }

    static bool Fill(const QWidget* dialog, const QString& file, const QString& operation,
                     const QString& fileType) {
        return EnterServer(dialog, "10.0.0.5") && Type(dialog, "fileName", file) &&
               Choose(dialog, "operationType", operation) && Choose(dialog, "fileType", fileType);
    }

    static bool InputsEnabled(const QWidget* dialog, bool enabled = true) {
        return std::all_of(kInputs.begin(), kInputs.end(), [&](const QString& name) {
            const QWidget* widget = FindAny(dialog, name);
            return widget != nullptr && widget->isEnabled() == enabled;
        });
    }

    static bool Visible(const QWidget* dialog, const char* name) {
        return FindAny(dialog, QString::fromLatin1(name))->isVisible();
    }

    // Apply, then until the transfer has ended and the controls are back: the messages shown.
    Texts ApplyAndWait(const CTransferDialog* dialog) {
        EXPECT_TRUE(Click(dialog, "applyButton") && WaitForReady(dialog));
        return messages.TakeTexts();
    }
    // The form filled in, then ApplyAndWait.
    Texts Transfer(const CTransferDialog* dialog, const QString& file, const QString& operation,
                   const QString& fileType) {
        EXPECT_TRUE(Fill(dialog, file, operation, fileType));
        return ApplyAndWait(dialog);
    }
    static bool WaitForReady(const CTransferDialog* dialog) {
        return WaitUntil(
            [dialog] { return !dialog->IsTransferRunning() && InputsEnabled(dialog); });
    }

    int TraceCount(const std::string& line) const {
        const auto lines = trace.Lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }

    // Gets of `oid` the simulator answered, or did not.
    int StateReads(const std::string& oid, bool answered = true) const {
        const auto requests = sim.RequestLog();
        return static_cast<int>(std::count_if(requests.begin(), requests.end(), [&](const auto& r) {
            return r.pdu == "get" && r.answered == answered &&
                   std::find(r.oids.begin(), r.oids.end(), oid) != r.oids.end();
        }));
    }

    static int Progress(const QWidget* dialog) {
        return Find<QProgressBar>(dialog, "progressBar")->value();
    }
};

const std::string kSaveSet = SaveConfigurationOid() + " = INTEGER: 1";
const std::string kRebootSet = RebootOid() + " = INTEGER: 1";

class DeviceToolsTest : public testsupport::DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
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

// The program's own timers: the first poll of a configuration comes after three seconds.
TEST_F(TransferTest, OpensIdleAndBacksUpTheConfigurationAgainAndAgain) {
    ASSERT_TRUE(StartSimulator(Switch()));
    auto dialog = Open<CTransferDialog>();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Firmware and Configuration Upgrade/Backup"));
    QStringList captions;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        captions << label->text();
    }
    for (const char* caption :
         {"TFTP Server IP:", "File Name:", "Operation Type:", "FileType:", "Upgrade/BackUp:"}) {
        EXPECT_TRUE(captions.contains(QLatin1String(caption))) << caption;
    }
    // The first choice of each is taken (the others are chosen by their text below).
    EXPECT_EQ((QStringList{Find<QComboBox>(dialog.get(), "operationType")->currentText(),
                           Find<QComboBox>(dialog.get(), "fileType")->currentText()}),
              (QStringList{"Upgrade", "Configuration"}));
    EXPECT_FALSE(Visible(dialog.get(), "progressBar") || Visible(dialog.get(), "progressLabel"));
    EXPECT_TRUE(InputsEnabled(dialog.get()));

    ASSERT_TRUE(Fill(dialog.get(), "switch.cfg", "Backup", "Configuration"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_TRUE(InputsEnabled(dialog.get(), false));
    EXPECT_TRUE(Visible(dialog.get(), "progressBar") && Visible(dialog.get(), "progressLabel"));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), Texts{kSuccess}); // no question for a backup
    EXPECT_EQ(Progress(dialog.get()), 99);
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{Bound(kConfiguration.server, "IpAddress", "10.0.0.5"),
                                   Bound(kConfiguration.file, "OCTET STRING", "switch.cfg")},
                                  {Bound(kConfiguration.operation, "INTEGER", "2")}}));

    EXPECT_EQ(ApplyAndWait(dialog.get()), Texts{kSuccess});
    EXPECT_EQ(TakeSets().size(), 2u);
}

TEST_F(TransferTest, RefusedInputsACancelledUpgradeAndARefusedOrUnansweredFileNameSendNothing) {
    ASSERT_TRUE(StartSimulator(Switch()));
    auto dialog = OpenFast([](TransferTimings& timings) { timings.addressSetTimeoutMs = 1000; });
    // A name of 65 is cut to 64 with a message.
    auto* edit = Find<QLineEdit>(dialog.get(), "fileName");
    const QString name = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(3).left(65);
    ASSERT_TRUE(Type(dialog.get(), "fileName", name));
    EXPECT_EQ(messages.TakeTexts(), Texts{kTooLong});
    EXPECT_EQ(edit->text(), name.left(64));
    // A character typed into a full name: the end is cut, the caret stays after it.
    edit->setFocus();
    edit->setCursorPosition(10);
    ASSERT_TRUE(TypeKeys("X"));
    EXPECT_EQ(messages.TakeTexts(), Texts{kTooLong});
    EXPECT_EQ(edit->text(), name.left(10) + QLatin1Char('X') + name.mid(10, 53));
    EXPECT_EQ(edit->cursorPosition(), 11);

    ASSERT_TRUE(Fill(dialog.get(), "ksx.bin", "Upgrade", "Firmware"));
    messages.Answer({MessageResult::Cancel});
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.Kinds(), std::vector<MessageKind>{MessageKind::OkCancelQuestion});
    EXPECT_EQ(messages.TakeTexts(), Texts{kUpgradeWarning});
    EXPECT_TRUE(InputsEnabled(dialog.get()) && !dialog->IsTransferRunning());
    EXPECT_FALSE(Visible(dialog.get(), "progressBar"));
    EXPECT_EQ(StateReads(kFirmware.state, true) + StateReads(kFirmware.state, false), 0);

    // A refused server address leaves the inputs usable.
    ASSERT_TRUE(Fill(dialog.get(), "a.cfg", "Backup", "Configuration") &&
                EnterServer(dialog.get(), "10.0.0.255"));
    EXPECT_TRUE(Refuses(dialog.get(), {"Invalid TFTP server IP."}));
    EXPECT_TRUE(InputsEnabled(dialog.get()) && !dialog->IsTransferRunning());

    // A file name refused or an address set unanswered ends the attempt.
    ASSERT_TRUE(Fill(dialog.get(), "x", "Backup", "Configuration"));
    // 64 characters, but 128 bytes on the wire: more than the switch keeps.
    Find<QLineEdit>(dialog.get(), "fileName")->setText(QString(64, QChar(0xE9)));
    EXPECT_EQ(ApplyAndWait(dialog.get()), Texts{kFileNameTimeOut});
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u); // no operation followed
    EXPECT_NE(sets[0].result, "noError");
    EXPECT_EQ(StateReads(kConfiguration.state), 0);

    ASSERT_TRUE(Type(dialog.get(), "fileName", "switch.cfg"));
    sim.Pause();
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    const bool ready = WaitForReady(dialog.get());
    sim.Resume();
    ASSERT_TRUE(ready);
    EXPECT_EQ(messages.TakeTexts(), Texts{kFileNameTimeOut});

    // ready for another attempt, which now goes through
    EXPECT_EQ(ApplyAndWait(dialog.get()), Texts{kSuccess});
}

TEST_F(TransferTest, FirmwareUpgradeSurvivesTheRestartAndSucceeds) {
    // A new firmware: the state goes 4, then 3 while the switch writes it, then the switch
    // restarts and answers nothing for three seconds, then it reports 1.
    ASSERT_TRUE(StartSimulator(Switch({"--transfer-seconds", "2", "--reboot-seconds", "3"})));
    auto dialog = OpenFast();
    EXPECT_EQ(Transfer(dialog.get(), "ksx7700.bin", "Upgrade", "Firmware"),
              (Texts{kUpgradeWarning, kSuccess}));
    EXPECT_EQ(Progress(dialog.get()), 99);
    // More polls went unanswered than a transfer outside the restart would survive.
    EXPECT_GT(TraceCount("iStatus = -1"), CTransferData::kFailedPollsTolerated);
    EXPECT_GE(TraceCount("iStatus = 0"), 3);
    const auto requests = sim.RequestLog();
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(),
                            [](const auto& request) { return request.reason == "restarting"; }));
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Bindings(sets[1]), Texts{Bound(kFirmware.operation, "INTEGER", "1")});
}

TEST_F(TransferTest, StateTwoEndsWithTheFailureTextOfTheKind) {
    ASSERT_TRUE(StartSimulator(Switch({"--transfer-seconds", "0.5", "--transfer-fail"})));
    auto dialog = Open<CTransferDialog>(); // the program's timers for the configuration
    EXPECT_EQ(Transfer(dialog.get(), "switch.cfg", "Upgrade", "Configuration"),
              (Texts{kUpgradeWarning, "Config Restore Fail !"}));

    dialog->SetTimings(TransferTimings().TimersDividedBy(10));
    ASSERT_TRUE(Choose(dialog.get(), "fileType", "Firmware") &&
                Choose(dialog.get(), "operationType", "Backup"));
    EXPECT_EQ(ApplyAndWait(dialog.get()), Texts{"Firmware Upgrade Fail !"});
    EXPECT_LT(Progress(dialog.get()), 99);
}

TEST_F(TransferTest, SwitchThatStopsAnsweringEndsWithTheStatusTimeOut) {
    ASSERT_TRUE(StartSimulator(Switch({"--transfer-seconds", "60"}))); // transfers of a minute
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "ksx7700.bin", "Backup", "Firmware") &&
                Click(dialog.get(), "applyButton") &&
                WaitUntil([&] { return StateReads(kFirmware.state) >= 1; }));
    sim.Pause();
    const bool ready = WaitForReady(dialog.get());
    sim.Resume();
    ASSERT_TRUE(ready);
    EXPECT_EQ(messages.TakeTexts(), Texts{kFirmwareStatusTimeOut});
    EXPECT_EQ(TraceCount("iStatus = -1"), CTransferData::kFailedPollsTolerated + 1);
}

TEST_F(TransferTest, AnotherTransferRunningRefusesTheOperationAndClosingEndsBothSessions) {
    ASSERT_TRUE(StartSimulator(Switch({"--transfer-seconds", "60"})));
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "switch.cfg", "Backup", "Configuration") &&
                Click(dialog.get(), "applyButton") &&
                WaitUntil([&] { return StateReads(kConfiguration.state) >= 1; }));
    dialog.reset(); // the configuration transfer goes on in the switch

    dialog = OpenFast();
    EXPECT_EQ(Transfer(dialog.get(), "ksx7700.bin", "Backup", "Firmware"),
              Texts{kOperationTimeOut});
    EXPECT_EQ(StateReads(kFirmware.state), 0); // the other transfer's state is not taken

    // Closed while the address set is under way.
    sim.Pause();
    ASSERT_TRUE(Click(dialog.get(), "applyButton") && dialog->IsTransferRunning());
    trace.Clear();
    dialog.reset();
    sim.Resume();
    ProcessEvents();
    EXPECT_EQ(trace.LinesFrom("==================DestroyWindow==============="),
              (Texts{"==================DestroyWindow===============",
                     "==================m_cCommonSNMP.Close===============",
                     "==================m_cCommonSNMPSetOp.Close==============="}));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(TransferTest, FirmwareToleratesTwoFailedPollsPerAttemptAndConfigurationFortyFive) {
    // The switch never answers a state poll of either kind.
    ASSERT_TRUE(StartSimulator(Switch(
        {"--transfer-seconds", "0.5", "--drop", kFirmware.state, "--drop", kConfiguration.state})));
    auto dialog = OpenFast([](TransferTimings& timings) {
        timings.pollTimeoutMs = 300;
        timings.pollTimeoutApplyingMs = 100;
        timings.pollRetryMs = 50;
    });
    ASSERT_TRUE(Fill(dialog.get(), "ksx7700.bin", "Backup", "Firmware"));
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        EXPECT_EQ(ApplyAndWait(dialog.get()), Texts{kFirmwareStatusTimeOut});
        // The count of the earlier attempt does not shorten the next one.
        EXPECT_EQ(TraceCount("iStatus = -1"), attempt * (CTransferData::kFailedPollsTolerated + 1));
        EXPECT_EQ(TakeSets().size(), 2u);
    }

    // A configuration is applied from the start on: it tolerates more.
    trace.Clear();
    EXPECT_EQ(Transfer(dialog.get(), "switch.cfg", "Backup", "Configuration"),
              Texts{"Get Config BackUp/Upgrade status Time Out !"});
    EXPECT_EQ(TraceCount("iStatus = -1"), CTransferData::kFailedPollsToleratedWhileApplying + 1);
}

TEST_F(TransferTest, EndsWithTheOperationTimeOutNotWithAnOldState) {
    // The switch takes the address and file name but never answers the operation set.
    ASSERT_TRUE(StartSimulator(Switch({"--drop", kConfiguration.operation})));
    auto dialog = OpenFast([](TransferTimings& timings) { timings.operationSetTimeoutMs = 1500; });
    // The state still reads "0" from before: it must not pass for this transfer's success.
    EXPECT_EQ(Transfer(dialog.get(), "switch.cfg", "Backup", "Configuration"),
              Texts{kOperationTimeOut});
    EXPECT_EQ(StateReads(kConfiguration.state), 0);
}

TEST_F(TransferTest, OverallTimeOutComesBeforeTheFailedPollLimit) {
    // A new file that the switch applies from the first second on, after which it stays silent
    // for a minute.
    const auto silentAfterApplying = Switch({"--transfer-seconds", "1", "--reboot-seconds", "60"});
    ASSERT_TRUE(StartSimulator(silentAfterApplying));
    const auto timings = [](TransferTimings& timings) {
        timings.firstPollFirmwareMs = 500; // polls every 150 ms from well before the "3"
        timings.overallFirmwareMs = 2500;
        timings.overallConfigurationMs = 2500;
    };
    auto dialog = OpenFast(timings);
    EXPECT_EQ(Transfer(dialog.get(), "ksx7700.bin", "Upgrade", "Firmware"),
              (Texts{kUpgradeWarning, "Time out! Please check TFTP Server IP and network."}));
    EXPECT_LT(TraceCount("iStatus = -1"), CTransferData::kFailedPollsToleratedWhileApplying);

    ASSERT_TRUE(StartSimulator(silentAfterApplying));
    dialog = OpenFast(timings);
    EXPECT_EQ(Transfer(dialog.get(), "switch.cfg", "Upgrade", "Configuration"),
              (Texts{kUpgradeWarning,
                     "Time out! Please check TFTP Server IP and network.\n You may close the "
                     "current device Tessaview Module and implement 'Device Discovery'to restart "
                     "it"}));
}

TEST_F(DeviceToolsTest, RebootSendsItsSetWhenFreeOrUncheckableNothingOnCancelSaveFails) {
    messages.Answer({MessageResult::Cancel});
    RebootDevice();
    EXPECT_EQ(messages.TakeTexts(), Texts{kRebootQuestion});
    EXPECT_TRUE(TakeSets().empty());

    RebootDevice();
    EXPECT_EQ(messages.TakeTexts(), Texts{kRebootQuestion}); // nothing follows
    EXPECT_EQ(TakeBindings(), Texts{kRebootSet});
    EXPECT_TRUE(trace.Contains("==================m_cCommonSNMP.Close==============="));

    // A save or a transfer running or applying its file refuses the reboot.
    for (const std::string& busy :
         {kFirmware.state + "|2|3", kFirmware.state + "|2|4", kConfiguration.state + "|2|4",
          kConfiguration.state + "|2|3", SaveConfigurationOid() + "|2|1"}) {
        SCOPED_TRACE(busy);
        ASSERT_TRUE(StartSimulator({"KSX-7700-28", DataArguments({busy})}));
        RebootDevice();
        EXPECT_EQ(messages.TakeTexts(),
                  (Texts{kRebootQuestion,
                         "FW upgrade/backup or config backup/restore is already progressing. "}));
        EXPECT_TRUE(TakeSets().empty());
    }

    // The switch answers neither a save nor a read of the firmware state.
    ASSERT_TRUE(StartSimulator({"KSX-7700-28",
                                {"--drop", SaveConfigurationOid(), "--drop", kFirmware.state,
                                 "--reboot-seconds", "0.5"}}));
    CCommonSNMP session;
    SaveConfiguration(session);
    EXPECT_EQ(messages.TakeTexts(), (Texts{kSaveQuestion, "           Failed!            "}));
    TakeSets();
    RebootDevice(); // goes ahead when the busy check fails
    EXPECT_EQ(messages.TakeTexts(), Texts{kRebootQuestion});
    EXPECT_EQ(TakeBindings(), Texts{kRebootSet});
}

// The Tools menu of the module window runs the device commands on the window's own sessions;
// Telnet and Web start their program on the device or say what is missing.
TEST_F(DeviceToolsTest, ToolsMenuRunsTheCommandsAndCancelSendsNothing) {
    const std::string ini = sim.Dir() + "/User.ini";
    ASSERT_TRUE(WriteFile(ini, "[DeviceInfo]\r\nDeviceName=KSX-7700-28\r\n"));
    const auto userIni = SetEnvironment("KSX_USER_INI", QByteArray::fromStdString(ini));
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

    // A folder on the PATH with a telnet client in it.
    const std::string telnet = sim.Dir() + "/telnet";
    RunCommand("touch " + telnet + " && chmod +x " + telnet);
    const auto path = SetEnvironment("PATH", QByteArray::fromStdString(sim.Dir()));
    const QString address = QString::fromStdString(sim.Address());
    const auto telnetAndWeb = [&] {
        window.OnCommand(kCmdTelnet);
        window.OnCommand(kCmdWeb);
        return messages.TakeTexts();
    };
    {
        const auto terminal = SetEnvironment("TERMINAL", QByteArray("/bin/sh"));
        const auto browser = SetEnvironment("BROWSER", QByteArray("/no/such/browser:/bin/true"));
        messages.Answer({MessageResult::Cancel, MessageResult::Cancel});
        EXPECT_EQ(telnetAndWeb(), (Texts{kTelnetQuestion, kWebQuestion}));
        EXPECT_TRUE(launched.empty());

        EXPECT_EQ(telnetAndWeb(), (Texts{kTelnetQuestion, kWebQuestion}));
        ASSERT_EQ(launched.size(), 2u);
        EXPECT_EQ((QStringList{launched[0].program, launched[1].program}),
                  (QStringList{"/bin/sh", "/bin/true"}));
        EXPECT_EQ((std::vector{launched[0].arguments, launched[1].arguments}),
                  (std::vector<QStringList>{{"-e", "telnet", address}, {"http://" + address}}));

        // Nothing that can start: the user learns which program is missing.
        platform::SetProcessLauncher([](const ProcessCommand&) { return false; });
        window.OnCommand(kCmdWeb);
        QFile::remove(QString::fromStdString(telnet));
        window.OnCommand(kCmdTelnet);
        EXPECT_EQ(messages.TakeTexts(),
                  (Texts{kWebQuestion,
                         "Web cannot start: the browser opener /bin/true could not be started. "
                         "Install xdg-utils (for example: sudo apt install xdg-utils) or name "
                         "your browser in $BROWSER.",
                         kTelnetQuestion,
                         "Telnet cannot start: the telnet client is not installed. Install it "
                         "(for example: sudo apt install telnet)."}));
    }
    launched.clear();
    const auto terminal = SetEnvironment("TERMINAL", std::nullopt);
    const auto browser = SetEnvironment("BROWSER", std::nullopt);
    EXPECT_EQ(telnetAndWeb(),
              (Texts{kTelnetQuestion,
                     "Telnet cannot start: no terminal emulator was found. The module looks for "
                     "the program named in $TERMINAL, then x-terminal-emulator, gnome-terminal, "
                     "konsole, xfce4-terminal and xterm. Install one of them (for example: sudo "
                     "apt install xterm).",
                     kWebQuestion, "Failed to get IE path !"}));
    EXPECT_TRUE(launched.empty());
}
