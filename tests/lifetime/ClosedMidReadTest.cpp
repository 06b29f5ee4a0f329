// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Every dialog of the menu, and every sub-dialog one opens, closed while its reads are still
// under way: against a slow switch, and against one that never answers the tables the
// sub-dialogs read on their parent's data (a walk that ends by its time-out seconds after the
// sub-dialog is gone). Nothing may be called on a dialog once it is gone; the AddressSanitizer
// build runs this group in CI.
#include "app/ModuleCommands.h"
#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"
#include "features/common/SnmpRequests.h"
#include "snmp/SessionParameters.h"
#include "tests/registry/MenuWalk.h"
#include "tests/support/DialogFixture.h"

#include <QCheckBox>
#include <QDialog>
#include <QPointer>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace {

using namespace testsupport;

constexpr int kDelayMs = 60; // each answer of the slow switch

const std::string kTrunkTable = PrivateOid("8.1.3.1.2");

// A sub-dialog: the buttons that open it, one per level, pressed once `prepare` has made its
// parent ready (a row picked, a mode chosen), and the table it reads that outlives it.
struct SubDialogPath {
    const char* name;
    int command;
    std::vector<const char*> buttons;
    std::string table = kTrunkTable;
    void (*prepare)(QDialog&) = [](QDialog&) {};
    const char* model = "KSX-7700-28";
};

void PrintTo(const SubDialogPath& path, std::ostream* os) {
    *os << path.name;
}

void PickFirstRow(QDialog& dialog, const char* listName) {
    auto* list = Find<CReportList>(&dialog, listName);
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->RowCount(), 0) << listName;
    list->SelectRow(0);
    emit list->rowSelected(0);
}

const auto PickVlan = [](QDialog& dialog) { PickFirstRow(dialog, "vlanList"); };
void PickStaticTrunk(QDialog& dialog) {
    PickFirstRow(dialog, "trunkList");
    EXPECT_TRUE(Choose(&dialog, "modeCombo", "Static"));
}
const auto TickEnable = [](QDialog& d) { Find<QCheckBox>(&d, "enableCheck")->setChecked(true); };
const auto TickDot1x = [](QDialog& d) { Find<QCheckBox>(&d, "enable8021x")->setChecked(true); };
const auto AsIs = [](QDialog&) {};

const std::vector<SubDialogPath>& SubDialogs() {
    static const std::string igmp = PrivateOid("10.3."), stp = "1.3.6.1.2.1.17.2.15";
    static const std::vector<SubDialogPath> paths = {
        {"vlan_add", kCmdVlanConfiguration, {"addButton"}},
        {"vlan_edit", kCmdVlanConfiguration, {"editButton"}, kTrunkTable, PickVlan},
        {"vlan_pvid", kCmdVlanConfiguration, {"pvidButton"}, PrivateOid("7.7.1.1")},
        {"trunk_members", kCmdTrunk, {"portMemberButton"}, PrivateOid("9.3.1.3"), PickStaticTrunk},
        {"arp_entry", kCmdArpSpoofing, {"addButton"}},
        {"time_range_add",
         kCmdPoeTimeRange,
         {"addButton"},
         PrivateOid("23.1.1"),
         AsIs,
         "KSX-7700-28P"},
        {"igmp_vlan", kCmdIgmpSnooping, {"vlanInfoButton"}, igmp + "4"},
        {"igmp_multicast_entries",
         kCmdIgmpSnooping,
         {"vlanInfoButton", "viewEntryButton"},
         igmp + "5"},
        {"stp_table", kCmdSpanningTree, {"portSettingButton"}, stp, TickEnable},
        {"stp_port",
         kCmdSpanningTree,
         {"portSettingButton", "portConfigButton"},
         kTrunkTable,
         TickEnable},
        {"dot1x_ports", kCmdDot1x, {"portSetButton"}, PrivateOid("11.2.9"), TickDot1x},
    };
    return paths;
}

// Presses `buttons[level]` of `dialog` and closes the sub-dialog it opens `closeAfterMs` after it
// showed (after opening and closing the levels below it), reading again first so that a read is
// under way whatever the timing. Returns once that sub-dialog is closed, whether it ran in a loop
// of its own or not.
void OpenAndCloseMidRead(QDialog& dialog, const std::vector<const char*>& buttons,
                         std::size_t level, int closeAfterMs) {
    auto closed = std::make_shared<bool>(false);
    WhenModalOpens(&dialog, [&buttons, level, closeAfterMs, closed](QDialog& opened) {
        QPointer<QDialog> sub = &opened;
        if (level + 1 < buttons.size()) {
            WaitIdle(*sub);
            OpenAndCloseMidRead(*sub, buttons, level + 1, closeAfterMs);
            if (auto* feature = qobject_cast<CFeatureDialog*>(sub.data())) {
                feature->Refresh();
            }
        }
        WaitUntil([] { return false; }, closeAfterMs);
        if (!sub.isNull()) {
            sub->reject();
        }
        *closed = true;
    });
    EXPECT_TRUE(Click(&dialog, buttons[level])) << buttons[level];
    EXPECT_TRUE(WaitUntil([&] { return *closed; }, 60000));
}

class ClosedMidReadTest : public DialogFixture {
protected:
    void SetUp() override {} // each test starts the switch it needs

    void StartSwitch(const char* model, std::vector<std::string> arguments) {
        ASSERT_TRUE(StartSimulator({model, std::move(arguments)}));
        SessionParameters().VlanEditAllowed = true;
        RegisterModuleCommands();
    }

    // Opens each sub-dialog of `paths` from a parent whose reads have ended and closes it
    // mid-read. The parents stay open for `linger` (their data outlives the sub-dialog), then
    // close mid-read.
    void CloseSubDialogsMidRead(const std::vector<SubDialogPath>& paths, int closeAfterMs,
                                int lingerMs) {
        std::vector<std::unique_ptr<QDialog>> parents;
        for (const SubDialogPath& path : paths) {
            SCOPED_TRACE(path.name);
            std::unique_ptr<QDialog> parent = CommandDialogFor(path.command)();
            ASSERT_TRUE(ShowActive(parent.get()));
            ASSERT_TRUE(WaitIdle(*parent));
            path.prepare(*parent);
            OpenAndCloseMidRead(*parent, path.buttons, 0, closeAfterMs);
            parents.push_back(std::move(parent));
        }
        WaitUntil([] { return false; }, lingerMs); // late answers and time-outs arrive
        for (std::unique_ptr<QDialog>& parent : parents) {
            if (auto* feature = qobject_cast<CFeatureDialog*>(parent.get())) {
                feature->Refresh();
            }
            parent.reset();
        }
        WaitUntil([] { return false; }, 2 * kDelayMs);
        messages.TakeTexts();
    }
};

TEST_F(ClosedMidReadTest, EveryDialogOfTheMenuClosedWhileItReadsASlowSwitch) {
    StartSwitch("KSX-7700-28P", {"--delay", std::to_string(kDelayMs)});
    int closed = 0;
    for (const ModuleMenuEntry& entry : MenuDialogs()) {
        SCOPED_TRACE(entry.path);
        for (const int closeAfterMs : {0, kDelayMs / 2, 5 * kDelayMs / 2}) {
            std::unique_ptr<QDialog> dialog = OpenMenuDialog(entry);
            WaitUntil([] { return false; }, closeAfterMs);
            dialog.reset();
            ++closed;
        }
    }
    WaitUntil([] { return false; }, 4 * kDelayMs);
    messages.TakeTexts();
    EXPECT_GT(closed, 40);
}

// The sub-dialogs of each model, or those of each table a switch leaves unanswered.
std::vector<std::vector<SubDialogPath>>
GroupedBy(const std::function<std::string(const SubDialogPath&)>& key) {
    std::vector<std::vector<SubDialogPath>> groups;
    for (const SubDialogPath& path : SubDialogs()) {
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& g) { return key(g.front()) == key(path); });
        if (group == groups.end()) {
            groups.push_back({path});
        } else {
            group->push_back(path);
        }
    }
    return groups;
}

TEST_F(ClosedMidReadTest, EverySubDialogClosedWhileItReadsASlowSwitch) {
    for (const auto& paths : GroupedBy([](const SubDialogPath& p) { return p.model; })) {
        StartSwitch(paths.front().model, {"--delay", std::to_string(kDelayMs)});
        for (const int closeAfterMs : {0, kDelayMs / 2, 5 * kDelayMs / 2}) {
            CloseSubDialogsMidRead(paths, closeAfterMs, 40 * kDelayMs);
        }
    }
}

// A walk the sub-dialog started on its parent's data ends by its step time-out (6-8 s), long
// after the sub-dialog closed. One test per table, so that they run side by side.
class NeverAnsweredTableTest : public ClosedMidReadTest,
                               public ::testing::WithParamInterface<std::vector<SubDialogPath>> {};

TEST_P(NeverAnsweredTableTest, SubDialogsReadingItClosedMidRead) {
    StartSwitch(GetParam().front().model, {"--drop", GetParam().front().table});
    CloseSubDialogsMidRead(GetParam(), 0, 9000);
}

INSTANTIATE_TEST_SUITE_P(Tables, NeverAnsweredTableTest,
                         ::testing::ValuesIn(GroupedBy([](const SubDialogPath& p) {
                             return p.table + p.model;
                         })),
                         [](const auto& info) { return std::string(info.param.front().name); });

} // namespace
