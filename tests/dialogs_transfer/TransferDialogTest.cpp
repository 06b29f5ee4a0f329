// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/dialogs_transfer/TransferTestSupport.h"

#include "features/common/SnmpRequests.h"

#include <QDir>
#include <QLabel>

using namespace transfertest;
using platform::MessageKind;
using platform::MessageResult;
using testsupport::TypeKeys;

namespace {

const char kSuccess[] = "Success !";
const char kInvalidServer[] = "Invalid TFTP server IP.";
const char kFirmwareStatusTimeOut[] = "Get Firmware BackUp/Upgrade status Time Out !";
const char kConfigStatusTimeOut[] = "Get Config BackUp/Upgrade status Time Out !";

std::string Bound(const std::string& oid, const std::string& type, const std::string& value) {
    return oid + " = " + type + ": " + value;
}

const TransferObjects& Firmware() {
    return TransferObjectsOf(TransferKind::Firmware);
}

const TransferObjects& Configuration() {
    return TransferObjectsOf(TransferKind::Configuration);
}

} // namespace

TEST_F(TransferTest, OpensWithItsControlsAndTheProgressHidden) {
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
    auto* operation = Find<QComboBox>(dialog.get(), QStringLiteral("operationType"));
    auto* fileType = Find<QComboBox>(dialog.get(), QStringLiteral("fileType"));
    ASSERT_TRUE(operation != nullptr && fileType != nullptr);
    EXPECT_EQ(operation->itemText(0), QStringLiteral("Upgrade"));
    EXPECT_EQ(operation->itemText(1), QStringLiteral("Backup"));
    EXPECT_EQ(fileType->itemText(0), QStringLiteral("Configuration"));
    EXPECT_EQ(fileType->itemText(1), QStringLiteral("Firmware"));
    EXPECT_EQ(operation->currentIndex(), 0);
    EXPECT_EQ(fileType->currentIndex(), 0);
    EXPECT_FALSE(FindAny(dialog.get(), QStringLiteral("progressBar"))->isVisible());
    EXPECT_FALSE(FindAny(dialog.get(), QStringLiteral("progressLabel"))->isVisible());
    EXPECT_TRUE(InputsEnabled(dialog.get()));
    EXPECT_TRUE(TakeSets().empty()); // opening reads and writes nothing
}

// The program's own timers: the first poll of a configuration comes after three seconds.
TEST_F(TransferTest, ConfigurationBackupSucceedsAndCanRunAgain) {
    auto dialog = Open<CTransferDialog>();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "switch.cfg", "Backup", "Configuration"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    EXPECT_TRUE(InputsDisabled(dialog.get()));
    EXPECT_TRUE(FindAny(dialog.get(), QStringLiteral("progressBar"))->isVisible());
    EXPECT_TRUE(FindAny(dialog.get(), QStringLiteral("progressLabel"))->isVisible());
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kSuccess}); // no question for a backup
    EXPECT_EQ(Progress(dialog.get()), 99);
    auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{
                                     Bound(Configuration().server, "IpAddress", "10.0.0.5"),
                                     Bound(Configuration().file, "OCTET STRING", "switch.cfg")}));
    EXPECT_EQ(Bindings(sets[1]),
              std::vector<std::string>{Bound(Configuration().operation, "INTEGER", "2")});

    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kSuccess});
    EXPECT_EQ(TakeSets().size(), 2u);
}

TEST_F(TransferTest, CancelledUpgradeSendsNothing) {
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "ksx.bin", "Upgrade", "Firmware"));
    messages.Answer({MessageResult::Cancel});
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kUpgradeWarning});
    ASSERT_EQ(messages.Kinds().size(), 1u);
    EXPECT_EQ(messages.Kinds()[0], MessageKind::OkCancelQuestion);
    EXPECT_FALSE(dialog->IsTransferRunning());
    EXPECT_TRUE(InputsEnabled(dialog.get()));
    EXPECT_FALSE(FindAny(dialog.get(), QStringLiteral("progressBar"))->isVisible());
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_EQ(StateReads(kFirmwareState, true) + StateReads(kFirmwareState, false), 0);
}

TEST_F(TransferTest, BadServerAddressesAreRefusedAndNothingIsSent) {
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "a.cfg", "Backup", "Configuration"));
    for (const char* address :
         {"10.0.0", "0.0.0.0", "0.1.2.3", "255.1.2.3", "10.0.0.255", "10.0.0.0"}) {
        ASSERT_TRUE(EnterServer(dialog.get(), QLatin1String(address)));
        ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
        EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kInvalidServer}) << address;
        EXPECT_FALSE(dialog->IsTransferRunning()) << address;
        EXPECT_TRUE(InputsEnabled(dialog.get())) << address;
    }
    ASSERT_TRUE(EnterServer(dialog.get(), QStringLiteral("10.0.255.1")));
    ASSERT_TRUE(Type(dialog.get(), QStringLiteral("fileName"), QString()));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Invalid file."});
    EXPECT_TRUE(TakeSets().empty());

    ASSERT_TRUE(Type(dialog.get(), QStringLiteral("fileName"), QStringLiteral("a.cfg")));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kSuccess});
    const auto sets = TakeSets();
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(Bindings(sets[0])[0], Bound(Configuration().server, "IpAddress", "10.0.255.1"));
}

TEST_F(TransferTest, FileNameIsCutTo64WithAMessage) {
    auto dialog = OpenFast();
    auto* edit = Find<QLineEdit>(dialog.get(), QStringLiteral("fileName"));
    ASSERT_NE(edit, nullptr);
    QString name;
    for (int i = 0; i < 65; ++i) {
        name += QChar(QLatin1Char(static_cast<char>('a' + i % 26)));
    }
    ASSERT_TRUE(Type(dialog.get(), QStringLiteral("fileName"), name));
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"The maximum length of file name is 64!"});
    EXPECT_EQ(edit->text(), name.left(64));

    // A character typed into a full name: the end is cut, the caret stays after it.
    edit->setFocus();
    edit->setCursorPosition(10);
    ASSERT_TRUE(TypeKeys(QStringLiteral("X")));
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"The maximum length of file name is 64!"});
    EXPECT_EQ(edit->text(), name.left(10) + QLatin1Char('X') + name.mid(10, 53));
    EXPECT_EQ(edit->cursorPosition(), 11);
    EXPECT_TRUE(TakeSets().empty());
}

// A new firmware: the state goes 4, then 3 while the switch writes it, then the switch
// restarts and answers nothing for three seconds, then it reports 1.
class RestartingTransferTest : public TransferTest {
protected:
    std::vector<std::string> Arguments() override {
        return {"--transfer-seconds", "2", "--reboot-seconds", "3"};
    }
};

TEST_F(RestartingTransferTest, FirmwareUpgradeSurvivesTheRestartAndSucceeds) {
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "ksx7700.bin", "Upgrade", "Firmware"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kUpgradeWarning, kSuccess}));
    EXPECT_EQ(Progress(dialog.get()), 99);
    // More polls went unanswered than a transfer outside the restart would survive.
    EXPECT_GT(TraceCount("iStatus = -1"), CTransferDialog::kFailedPollsTolerated);
    EXPECT_GE(TraceCount("iStatus = 0"), 3);
    EXPECT_GT(SilentRequests(), 0);
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Bindings(sets[1]),
              std::vector<std::string>{Bound(Firmware().operation, "INTEGER", "1")});
}

class FailingTransferTest : public TransferTest {
protected:
    std::vector<std::string> Arguments() override {
        return {"--transfer-seconds", "0.5", "--transfer-fail"};
    }
};

TEST_F(FailingTransferTest, StateTwoEndsWithTheFailureTextOfTheKind) {
    auto dialog = Open<CTransferDialog>(); // the program's timers for the configuration
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "switch.cfg", "Upgrade", "Configuration"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{kUpgradeWarning, "Config Restore Fail !"}));

    dialog->SetTimings(TransferTimings().TimersDividedBy(10));
    ASSERT_TRUE(
        testsupport::Choose(dialog.get(), QStringLiteral("fileType"), QStringLiteral("Firmware")));
    ASSERT_TRUE(testsupport::Choose(dialog.get(), QStringLiteral("operationType"),
                                    QStringLiteral("Backup")));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Firmware Upgrade Fail !"});
    EXPECT_LT(Progress(dialog.get()), 99);
}

// A transfer that runs for a minute.
class LongTransferTest : public TransferTest {
protected:
    std::vector<std::string> Arguments() override { return {"--transfer-seconds", "60"}; }
};

TEST_F(LongTransferTest, SwitchThatStopsAnsweringEndsWithTheStatusTimeOut) {
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "ksx7700.bin", "Backup", "Firmware"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitUntil([&] { return StateReads(kFirmwareState, true) >= 1; }));
    sim.Pause();
    const bool ready = WaitForReady(dialog.get());
    sim.Resume();
    ASSERT_TRUE(ready);
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kFirmwareStatusTimeOut});
    EXPECT_EQ(TraceCount("iStatus = -1"), CTransferDialog::kFailedPollsTolerated + 1);
}

TEST_F(LongTransferTest, OperationRefusedWhileAnotherTransferRunsEndsTheAttempt) {
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "switch.cfg", "Backup", "Configuration"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitUntil([&] { return StateReads(kConfigState, true) >= 1; }));
    dialog.reset(); // the configuration transfer goes on in the switch

    dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "ksx7700.bin", "Backup", "Firmware"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Setting operation TimeOut !"});
    EXPECT_EQ(StateReads(kFirmwareState, true), 0); // the other transfer's state is not taken
}

TEST_F(LongTransferTest, ClosingDuringATransferClosesBothSessions) {
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "switch.cfg", "Backup", "Configuration"));
    sim.Pause(); // the address set stays unanswered
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(dialog->IsTransferRunning());
    trace.Clear();
    dialog.reset();
    sim.Resume();
    testsupport::ProcessEvents();
    EXPECT_EQ(
        trace.LinesFrom("==================DestroyWindow==============="),
        (std::vector<std::string>{"==================DestroyWindow===============",
                                  "==================m_cCommonSNMP.Close===============",
                                  "==================m_cCommonSNMPSetOp.Close==============="}));
    EXPECT_TRUE(messages.Texts().empty());
}

// The switch never answers a state poll of either kind.
class UnansweredStateTest : public TransferTest {
protected:
    std::vector<std::string> Arguments() override {
        return {"--transfer-seconds", "0.5", "--drop", kFirmwareState, "--drop", kConfigState};
    }
    std::unique_ptr<CTransferDialog> OpenWithShortPolls() {
        auto dialog = Open<CTransferDialog>();
        TransferTimings timings = TransferTimings().TimersDividedBy(10);
        timings.pollTimeoutMs = 300;
        timings.pollTimeoutApplyingMs = 100;
        timings.pollRetryMs = 50;
        dialog->SetTimings(timings);
        return dialog;
    }
};

TEST_F(UnansweredStateTest, EveryFirmwareAttemptToleratesTwoFailedPolls) {
    auto dialog = OpenWithShortPolls();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "ksx7700.bin", "Backup", "Firmware"));
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
        ASSERT_TRUE(WaitForReady(dialog.get()));
        EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kFirmwareStatusTimeOut});
        // The count of the earlier attempt does not shorten the next one.
        EXPECT_EQ(TraceCount("iStatus = -1"),
                  attempt * (CTransferDialog::kFailedPollsTolerated + 1));
        EXPECT_EQ(TakeSets().size(), 2u) << attempt;
    }
}

TEST_F(UnansweredStateTest, ConfigurationToleratesFortyFiveFailedPollsFromTheStart) {
    auto dialog = OpenWithShortPolls();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "switch.cfg", "Backup", "Configuration"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kConfigStatusTimeOut});
    EXPECT_EQ(TraceCount("iStatus = -1"), CTransferDialog::kFailedPollsToleratedWhileApplying + 1);
}

// The switch takes the address and file name but never answers the operation set.
class UnansweredOperationTest : public TransferTest {
protected:
    std::vector<std::string> Arguments() override {
        return {"--drop", TransferObjectsOf(TransferKind::Configuration).operation};
    }
};

TEST_F(UnansweredOperationTest, EndsWithTheOperationTimeOutNotWithAnOldState) {
    auto dialog = OpenFast();
    TransferTimings timings = TransferTimings().TimersDividedBy(10);
    timings.operationSetTimeoutMs = 1500;
    dialog->SetTimings(timings);
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "switch.cfg", "Backup", "Configuration"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    // The state still reads "0" from before: it must not pass for this transfer's success.
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Setting operation TimeOut !"});
    EXPECT_EQ(StateReads(kConfigState, true), 0);
}

TEST_F(TransferTest, UnansweredAddressSetEndsWithItsTimeOut) {
    auto dialog = OpenFast();
    TransferTimings timings = TransferTimings().TimersDividedBy(10);
    timings.addressSetTimeoutMs = 1000;
    dialog->SetTimings(timings);
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "switch.cfg", "Backup", "Configuration"));
    sim.Pause();
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    const bool ready = WaitForReady(dialog.get());
    sim.Resume();
    ASSERT_TRUE(ready);
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Setting file name TimeOut !"});

    // ready for another attempt, which now goes through
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{kSuccess});
}

// A new file that the switch applies from the first second on, after which it stays silent
// for a minute.
class SilentRestartTest : public TransferTest {
protected:
    std::vector<std::string> Arguments() override {
        return {"--transfer-seconds", "1", "--reboot-seconds", "60"};
    }
};

TEST_F(SilentRestartTest, OverallTimeOutComesBeforeTheFailedPollLimit) {
    TransferTimings timings = TransferTimings().TimersDividedBy(10);
    timings.firstPollFirmwareMs = 500; // polls every 150 ms from well before the switch says "3"
    timings.overallFirmwareMs = 2500;
    timings.overallConfigurationMs = 2500;

    auto dialog = Open<CTransferDialog>();
    dialog->SetTimings(timings);
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "ksx7700.bin", "Upgrade", "Firmware"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{kUpgradeWarning,
                                        "Time out! Please check TFTP Server IP and network."}));
    EXPECT_LT(TraceCount("iStatus = -1"), CTransferDialog::kFailedPollsToleratedWhileApplying);

    ASSERT_TRUE(StartSimulator(SimulatorOptions()));
    dialog = Open<CTransferDialog>();
    dialog->SetTimings(timings);
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "switch.cfg", "Upgrade", "Configuration"));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{
                  kUpgradeWarning,
                  "Time out! Please check TFTP Server IP and network.\n You may close the current "
                  "device Tessaview Module and implement 'Device Discovery'to restart it"}));
}

TEST_F(TransferTest, FileNameTheSwitchRefusesEndsTheAttempt) {
    auto dialog = OpenFast();
    ASSERT_TRUE(Fill(dialog.get(), "10.0.0.5", "x", "Backup", "Configuration"));
    // 64 characters, but 128 bytes on the wire: more than the switch keeps.
    Find<QLineEdit>(dialog.get(), QStringLiteral("fileName"))->setText(QString(64, QChar(0xE9)));
    ASSERT_TRUE(Click(dialog.get(), QStringLiteral("applyButton")));
    ASSERT_TRUE(WaitForReady(dialog.get()));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Setting file name TimeOut !"});
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u); // no operation followed
    EXPECT_NE(sets[0].result, "noError");
    EXPECT_EQ(StateReads(kConfigState, true), 0);
}
