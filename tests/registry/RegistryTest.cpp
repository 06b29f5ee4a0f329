// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Every command dialog the module window can open, against ksx-sim: it opens with the caption
// of its menu entry, reads the switch, leaves a screenshot, and writes its teardown lines in
// the order its entry of the command table names.
#include "app/ModuleCommands.h"
#include "features/common/FeatureDialog.h"
#include "features/common/Messages.h"
#include "features/snapshot/SnapshotGroups.h"
#include "platform/Trace.h"
#include "snmp/SessionParameters.h"
#include "tests/registry/MenuWalk.h"
#include "tests/support/DialogFixture.h"

#include <QDir>
#include <QPushButton>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

// Parameters print as their menu path.
void PrintTo(const ModuleMenuEntry& entry, std::ostream* os) {
    *os << entry.path;
}

namespace {

using namespace testsupport;

class RegisteredDialogTest : public DialogFixture,
                             public ::testing::WithParamInterface<ModuleMenuEntry> {
protected:
    SimFixture::Options SimulatorOptions() override { return {GetParam().model, {}}; }
};

TEST_P(RegisteredDialogTest, OpensWithItsCaptionReadsAndClosesItsSessionsInOrder) {
    std::unique_ptr<QDialog> dialog = OpenMenuDialog(GetParam());
    EXPECT_TRUE(WaitIdle(*dialog));
    EXPECT_TRUE(dialog->windowTitle().startsWith(QString::fromLatin1(GetParam().caption)))
        << dialog->windowTitle().toStdString() << " / " << GetParam().caption;

    QDir().mkpath(QStringLiteral(KSX_SCREENSHOT_DIR));
    const QString path = QStringLiteral(KSX_SCREENSHOT_DIR "/dialog-%1.png").arg(GetParam().name);
    EXPECT_TRUE(dialog->grab().save(path)) << path.toStdString();

    trace.Clear();
    dialog.reset();
    testsupport::ProcessEvents();
    std::vector<std::string> expected = {platform::FramedTraceLine("DestroyWindow")};
    for (const std::string& session : GetParam().closedSessions) {
        expected.push_back(platform::FramedTraceLine(session + ".Close"));
    }
    EXPECT_EQ(trace.LinesFrom(expected.front()), expected);
}

INSTANTIATE_TEST_SUITE_P(Menu, RegisteredDialogTest, ::testing::ValuesIn(MenuDialogs()),
                         MenuTestName);

// A switch that answers nothing: every dialog ends its reads and says so once, instead of
// looking like an empty switch; Refresh stays usable and reads again.
class SilentSwitchTest : public RegisteredDialogTest {
protected:
    SimFixture::Options SimulatorOptions() override {
        return {GetParam().model, {"--drop-after", "0"}};
    }
};

TEST_P(SilentSwitchTest, EndsItsReadsAndSaysTheSwitchDidNotAnswer) {
    std::unique_ptr<QDialog> dialog = OpenMenuDialog(GetParam());
    auto* feature = qobject_cast<CFeatureDialog*>(dialog.get());
    ASSERT_NE(feature, nullptr);
    const auto saidOnce = [&] { return !feature->IsBusy() && !messages.Texts().empty(); };
    ASSERT_TRUE(WaitUntil(saidOnce, 60000));
    const std::vector<std::string> failure = {
        ReadFailureText(RequestStatus(kSnmpTimeout)).toStdString()};
    EXPECT_EQ(messages.TakeTexts(), failure);
    if (GetParam().id == kCmdStormControl) {
        ASSERT_TRUE(Click(dialog.get(), "refreshButton"));
        EXPECT_TRUE(WaitUntil(saidOnce, 60000));
        EXPECT_EQ(messages.TakeTexts(), failure);
    }
}

// Every dialog that reads the switch when it opens (the transfer dialog reads only while a
// transfer runs, the settings snapshot when asked to).
std::vector<ModuleMenuEntry> ReadingDialogs() {
    std::vector<ModuleMenuEntry> reading = MenuDialogs();
    std::erase_if(reading, [](const auto& row) {
        return row.id == kCmdFirmwareTransfer || row.id == kCmdSettingsSnapshot;
    });
    return reading;
}

INSTANTIATE_TEST_SUITE_P(Menu, SilentSwitchTest, ::testing::ValuesIn(ReadingDialogs()),
                         MenuTestName);

// Against a slow switch: while a dialog's reads run, nothing but Close or Cancel can be pressed
// (no write goes out on data not yet read), and once they end nothing was written.
class ReadingDialogTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override { return {"KSX-7700-28P", {"--delay", "300"}}; }
};

TEST_F(ReadingDialogTest, NothingButCloseCanBePressedUntilTheReadsAreIn) {
    for (const ModuleMenuEntry& entry : MenuDialogs()) {
        SCOPED_TRACE(entry.path);
        std::unique_ptr<QDialog> dialog = OpenMenuDialog(entry);
        auto* feature = qobject_cast<CFeatureDialog*>(dialog.get());
        if (feature != nullptr && feature->IsBusy()) {
            for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
                const QString name = button->objectName();
                EXPECT_FALSE(button->isEnabled() && button->isVisibleTo(dialog.get()) &&
                             name != "closeButton" && name != "cancelButton")
                    << name.toStdString() << " " << button->text().toStdString();
            }
        }
        EXPECT_TRUE(WaitIdle(*dialog));
        dialog.reset();
        EXPECT_TRUE(WaitForSwitchToCatchUp());
        EXPECT_TRUE(TakeSets().empty());
        messages.TakeTexts();
    }
}

// A switch that refuses every write (sent with the read-only community): each dialog, its lists'
// first rows picked and applied, shows something that the same Apply on a switch that takes the
// write does not. A refused write is never passed over in silence.
class RefusedWriteTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override { return {"KSX-7700-28P", {}}; }

    struct Outcome {
        std::vector<std::string> texts;
        std::vector<SimSetRecord> sets;
    };

    Outcome ApplyOnce(const ModuleMenuEntry& entry, const char* writeCommunity) {
        SessionParameters().WriteCommunity = writeCommunity;
        std::unique_ptr<QDialog> dialog = OpenMenuDialog(entry);
        ApplyFirstRows(*dialog);
        dialog.reset();
        return {messages.TakeTexts(), TakeSets()};
    }
};

TEST_F(RefusedWriteTest, ARefusedWriteIsNeverPassedOverInSilence) {
    SessionParameters().VlanEditAllowed = true;
    int refusedDialogs = 0;
    for (const ModuleMenuEntry& entry : MenuDialogs()) {
        SCOPED_TRACE(entry.path);
        const Outcome refused = ApplyOnce(entry, "guests");
        if (refused.sets.empty()) {
            continue; // nothing to write, or the input was refused before sending
        }
        ++refusedDialogs;
        EXPECT_NE(refused.texts, ApplyOnce(entry, "keepers").texts);
    }
    SessionParameters().WriteCommunity = "keepers";
    EXPECT_GT(refusedDialogs, 10);
}

// A write of several requests whose last one the switch refuses: the dialog says so, and
// nothing follows the refused request but a row put back into service or destroyed again.
TEST_F(RefusedWriteTest, AWriteRefusedAtItsLastStepIsReportedAndEndsThere) {
    SessionParameters().VlanEditAllowed = true;
    const auto isPutBack = [](const SimSetRecord& set) {
        return set.bindings.size() == 1 &&
               (set.bindings[0].value == "1" || set.bindings[0].value == "6");
    };
    // Syslog, mirroring, RSTP and 802.1X on: their Apply writes in several steps.
    SimFixture::Options enabled = SimulatorOptions();
    enabled.arguments = DataArguments(
        {PrivateOid("16.1.1.0") + "|64|10.1.2.3", PrivateOid("16.1.6.0") + "|2|1",
         PrivateOid("18.1.0") + "|2|1", PrivateOid("18.3.0") + "|4x|40000000",
         PrivateOid("6.1.1.0") + "|2|1", PrivateOid("11.2.1.0") + "|2|1",
         PrivateOid("11.1.1.0") + "|64|10.0.0.5", PrivateOid("11.1.2.0") + "|4|secret"});
    ASSERT_TRUE(StartSimulator(enabled));
    int multiStepDialogs = 0;
    bool refusing = false;
    for (const ModuleMenuEntry& entry : MenuDialogs()) {
        SCOPED_TRACE(entry.path);
        if (refusing) {
            ASSERT_TRUE(StartSimulator(enabled));
            refusing = false;
        }
        const Outcome taken = ApplyOnce(entry, "keepers");
        if (taken.sets.size() < 2 || taken.sets.back().bindings.empty()) {
            continue;
        }
        ++multiStepDialogs;
        SimFixture::Options refusingOptions = enabled;
        refusingOptions.arguments.insert(refusingOptions.arguments.end(),
                                         {"--refuse-set", taken.sets.back().bindings.front().oid});
        ASSERT_TRUE(StartSimulator(refusingOptions));
        refusing = true;
        const Outcome refused = ApplyOnce(entry, "keepers");
        EXPECT_FALSE(refused.texts.empty());
        const auto lastRefused =
            std::find_if(refused.sets.rbegin(), refused.sets.rend(),
                         [](const SimSetRecord& set) { return set.result != "noError"; });
        ASSERT_NE(lastRefused, refused.sets.rend());
        EXPECT_TRUE(std::all_of(refused.sets.rbegin(), lastRefused, isPutBack));
    }
    EXPECT_GT(multiStepDialogs, 3);
}

} // namespace

namespace {

// A settings snapshot names each setting by the menu path of the dialog that writes it, in
// menu order.
TEST(SnapshotGroupsTest, EachIsNamedByTheMenuPathOfADialogInMenuOrder) {
    std::vector<std::string> paths;
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        if (entry.makeDialog != nullptr) {
            paths.emplace_back(entry.path);
        }
    }
    long before = -1;
    for (const auto& group : snapshot::AllGroups()) {
        const std::string path = snapshot::PathText(group->MenuPath());
        const long at = std::find(paths.begin(), paths.end(), path) - paths.begin();
        EXPECT_LT(at, static_cast<long>(paths.size())) << path;
        EXPECT_GT(at, before) << path;
        before = at;
    }
}

} // namespace
