// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Every command dialog the module window can open, against ksx-sim: it opens with the caption
// of its menu entry, reads the switch, leaves a screenshot, and writes its teardown lines in
// order when it closes. A dialog registered without a row here fails the last test.
#include "app/ModuleCommands.h"
#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"
#include "platform/Trace.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogFixture.h"

#include <QDir>
#include <QPushButton>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace testsupport;

struct RegisteredDialog {
    int command;
    const char* screenshot;
    std::vector<std::string> closedSessions; // member names, in the order they are closed
    const char* model = "KSX-7700-52";
};

const std::vector<RegisteredDialog>& Dialogs() {
    static const std::vector<RegisteredDialog> dialogs = {
        {kCmdPortConfiguration, "port-configuration", {"m_cCommonSNMP", "m_cCommonSNMPTable"}},
        {kCmdSystemInformation, "system-information", {"m_cCommonSNMP", "m_cCommonSNMPSet"}},
        {kCmdInterfaceTable, "interface-table", {"m_cCommonSNMPTable"}},
        {kCmdIpTable, "ip-table", {"m_cCommonSNMPTable"}},
        {kCmdForwardingTable, "forwarding-table", {"m_cCommonSNMP", "m_cCommonSNMPTable"}},
        {kCmdTcpService, "tcp-service", {"m_cCommonSNMPTable"}},
        {kCmdUdpService, "udp-service", {"m_cCommonSNMPTable"}},
        {kCmdFirmwareTransfer, "firmware-transfer", {"m_cCommonSNMP", "m_cCommonSNMPSetOp"}},
        {kCmdSnmpGlobalState,
         "snmp-global-state",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}},
        {kCmdSnmpUserTable,
         "snmp-user-table",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}},
        {kCmdSnmpGroupTable,
         "snmp-group-table",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}},
        {kCmdSnmpViewTable,
         "snmp-view-table",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}},
        {kCmdSnmpCommunityTable,
         "snmp-community-table",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}},
        {kCmdSnmpHostTable,
         "snmp-host-table",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}},
        {kCmdSnmpEngineId,
         "snmp-engine-id",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}},
        {kCmdSnmpTrap,
         "snmp-trap",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}},
        {kCmdTrafficSegmentation,
         "traffic-segmentation",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdStormControl, "storm-control", {"m_cCommonSNMP", "m_cCommonSNMPSet"}},
        {kCmdBandwidthControl,
         "bandwidth-control",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdJumboFrame, "jumbo-frame", {"m_cCommonSNMP", "m_cCommonSNMPSet"}},
        {kCmdSmartBindingSettings,
         "smart-binding-settings",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdSmartBinding,
         "smart-binding",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdWhiteList,
         "white-list",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdBlackList,
         "black-list",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdTrunk, "trunk", {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable"}},
        {kCmdVlanConfiguration,
         "vlan-configuration",
         {"m_cCommonSNMP", "m_cCommonSNMPTable", "m_cCommonSNMPVoiceVlan", "m_cCommonSNMPTableVlan",
          "m_cCommonSNMPTableVlanDelete", "m_cCommonSNMPEgrePort", "m_cCommonSNMPUntagPort",
          "m_cCommonSNMPAllPort", "m_cCommonSNMPTable", "m_cCommonSNMPTableTrunk",
          "m_cCommonSNMPTableVlan"}},
        {kCmdManagementVlan,
         "management-vlan",
         {"m_cCommonSNMPTable", "m_cCommonSNMP", "m_cCommonSNMPSet"}},
        {kCmdPortMirroring,
         "port-mirroring",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP",
          "m_cCommonSNMPSet"}},
        {kCmdSpanningTree,
         "spanning-tree",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdPoeGlobal, "poe-global", {"m_cCommonSNMP", "m_cCommonSNMPSet"}, "KSX-7700-28P"},
        {kCmdPoePort,
         "poe-port",
         {"m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPTableRange"},
         "KSX-7700-28P"},
        {kCmdPoeTimeRange,
         "poe-time-range",
         {"m_cCommonSNMPSet", "m_cCommonSNMPTable"},
         "KSX-7700-28P"},
        {kCmdPowerSaving,
         "power-saving",
         {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable"}},
        {kCmdTimeProfile, "time-profile", {"m_cCommonSNMPSet", "m_cCommonSNMPTable"}},
        {kCmdArpSpoofing,
         "arp-spoofing",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdDhcpScreening,
         "dhcp-screening",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable"}},
        {kCmdDot1x, "dot1x", {"m_cCommonSNMP", "m_cCommonSNMPSet"}},
        {kCmdIgmpSnooping,
         "igmp-snooping",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable", "m_cCommonSNMPGroup"}},
        {kCmdMulticastFiltering, "multicast-filtering", {"m_cCommonSNMPSet", "m_cCommonSNMPTable"}},
        {kCmdSurveillanceVlan,
         "surveillance-vlan",
         {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP", "m_cCommonSNMPSet",
          "m_cCommonSNMPTable", "m_cCommonSNMPTableOui"}},
        {kCmdSyslogHost, "syslog-host", {"m_cCommonSNMP", "m_cCommonSNMPSet"}},
    };
    return dialogs;
}

const ModuleMenuEntry* MenuEntryOf(int command) {
    const auto menu = ModuleMenuTable();
    const auto entry = std::find_if(
        menu.begin(), menu.end(), [&](const ModuleMenuEntry& item) { return item.id == command; });
    return entry != menu.end() ? &*entry : nullptr;
}

class RegisteredDialogTest : public DialogFixture,
                             public ::testing::WithParamInterface<RegisteredDialog> {
protected:
    SimFixture::Options SimulatorOptions() override {
        SimFixture::Options options;
        options.model = GetParam().model;
        return options;
    }
};

TEST_P(RegisteredDialogTest, OpensWithItsCaptionReadsAndClosesItsSessionsInOrder) {
    RegisterModuleCommands();
    const CommandDialogFactory factory = CommandDialogFor(GetParam().command);
    ASSERT_TRUE(factory) << "command " << GetParam().command << " has no dialog";
    std::unique_ptr<QDialog> dialog = factory();
    ASSERT_TRUE(testsupport::ShowActive(dialog.get()));
    if (auto* feature = qobject_cast<CFeatureDialog*>(dialog.get())) {
        EXPECT_TRUE(WaitUntil([&] { return !feature->IsBusy(); }));
    }
    const ModuleMenuEntry* entry = MenuEntryOf(GetParam().command);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(dialog->windowTitle().startsWith(QString::fromLatin1(entry->caption)))
        << dialog->windowTitle().toStdString() << " / " << entry->caption;

    const QString dir = QStringLiteral(KSX_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/dialog-") +
                         QString::fromLatin1(GetParam().screenshot) + QStringLiteral(".png");
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

INSTANTIATE_TEST_SUITE_P(Menu, RegisteredDialogTest, ::testing::ValuesIn(Dialogs()),
                         [](const ::testing::TestParamInfo<RegisteredDialog>& info) {
                             std::string name = info.param.screenshot;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// Against a slow switch: while a dialog's reads run, nothing but Close or Cancel can be pressed
// (no write goes out on data not yet read), and once they end nothing was written.
class ReadingDialogTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        SimFixture::Options options;
        options.model = "KSX-7700-28P";
        options.arguments = {"--delay", "300"};
        return options;
    }
};

TEST_F(ReadingDialogTest, NothingButCloseCanBePressedUntilTheReadsAreIn) {
    RegisterModuleCommands();
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        const CommandDialogFactory factory = CommandDialogFor(entry.id);
        if (entry.id == kCmdAbout || !factory) {
            continue;
        }
        SCOPED_TRACE(entry.path);
        std::unique_ptr<QDialog> dialog = factory();
        ASSERT_TRUE(ShowActive(dialog.get()));
        auto* feature = qobject_cast<CFeatureDialog*>(dialog.get());
        if (feature != nullptr && feature->IsBusy()) {
            for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
                const QString name = button->objectName();
                EXPECT_FALSE(button->isEnabled() && button->isVisibleTo(dialog.get()) &&
                             name != "closeButton" && name != "cancelButton")
                    << name.toStdString() << " " << button->text().toStdString();
            }
        }
        EXPECT_TRUE(WaitUntil([&] { return feature == nullptr || !feature->IsBusy(); }, 120000));
        dialog.reset();
        EXPECT_TRUE(TakeSets().empty());
        messages.TakeTexts();
    }
}

// A switch that refuses every write (sent with the read-only community): each dialog, its lists'
// first rows picked and applied, shows something that the same Apply on a switch that takes the
// write does not. A refused write is never passed over in silence.
class RefusedWriteTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        SimFixture::Options options;
        options.model = "KSX-7700-28P";
        return options;
    }

    struct Outcome {
        std::vector<std::string> texts;
        std::vector<SimSetRecord> sets;
    };

    Outcome ApplyOnce(const CommandDialogFactory& factory, const char* writeCommunity) {
        SessionParameters().WriteCommunity = writeCommunity;
        std::unique_ptr<QDialog> dialog = factory();
        EXPECT_TRUE(ShowActive(dialog.get()));
        auto* feature = qobject_cast<CFeatureDialog*>(dialog.get());
        const auto idle = [&] { return feature == nullptr || !feature->IsBusy(); };
        EXPECT_TRUE(WaitUntil(idle, 120000));
        for (CReportList* list : dialog->findChildren<CReportList*>()) {
            if (list->RowCount() > 0) {
                list->SelectRow(0);
                emit list->rowSelected(0);
            }
        }
        const auto* apply = qobject_cast<QPushButton*>(FindAny(dialog.get(), "applyButton"));
        if (apply != nullptr && apply->isEnabled() && apply->isVisibleTo(dialog.get())) {
            Click(dialog.get(), "applyButton");
            EXPECT_TRUE(WaitUntil(idle, 120000));
        }
        dialog.reset();
        return {messages.TakeTexts(), TakeSets()};
    }
};

TEST_F(RefusedWriteTest, ARefusedWriteIsNeverPassedOverInSilence) {
    SessionParameters().VlanEditAllowed = true;
    RegisterModuleCommands();
    int refusedDialogs = 0;
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        const CommandDialogFactory factory = CommandDialogFor(entry.id);
        if (entry.id == kCmdAbout || !factory) {
            continue;
        }
        SCOPED_TRACE(entry.path);
        const Outcome refused = ApplyOnce(factory, "guests");
        if (refused.sets.empty()) {
            continue; // nothing to write, or the input was refused before sending
        }
        ++refusedDialogs;
        EXPECT_NE(refused.texts, ApplyOnce(factory, "keepers").texts);
    }
    SessionParameters().WriteCommunity = "keepers";
    EXPECT_GT(refusedDialogs, 10);
}

// A write of several requests whose last one the switch refuses: the dialog says so, and
// nothing follows the refused request but a row put back into service or destroyed again.
TEST_F(RefusedWriteTest, AWriteRefusedAtItsLastStepIsReportedAndEndsThere) {
    SessionParameters().VlanEditAllowed = true;
    RegisterModuleCommands();
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
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        const CommandDialogFactory factory = CommandDialogFor(entry.id);
        if (entry.id == kCmdAbout || !factory) {
            continue;
        }
        SCOPED_TRACE(entry.path);
        if (refusing) {
            ASSERT_TRUE(StartSimulator(enabled));
            refusing = false;
        }
        const Outcome taken = ApplyOnce(factory, "keepers");
        if (taken.sets.size() < 2 || taken.sets.back().bindings.empty()) {
            continue;
        }
        ++multiStepDialogs;
        SimFixture::Options refusingOptions = enabled;
        refusingOptions.arguments.insert(refusingOptions.arguments.end(),
                                         {"--refuse-set", taken.sets.back().bindings.front().oid});
        ASSERT_TRUE(StartSimulator(refusingOptions));
        refusing = true;
        const Outcome refused = ApplyOnce(factory, "keepers");
        EXPECT_FALSE(refused.texts.empty());
        const auto lastRefused =
            std::find_if(refused.sets.rbegin(), refused.sets.rend(),
                         [](const SimSetRecord& set) { return set.result != "noError"; });
        ASSERT_NE(lastRefused, refused.sets.rend());
        EXPECT_TRUE(std::all_of(refused.sets.rbegin(), lastRefused, isPutBack));
    }
    EXPECT_GT(multiStepDialogs, 3);
}

TEST(DialogRegistryTest, EveryDialogOfTheMenuHasARowAbove) {
    RegisterModuleCommands();
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        if (entry.id == kCmdAbout || !CommandDialogFor(entry.id)) {
            continue;
        }
        const bool listed = std::any_of(Dialogs().begin(), Dialogs().end(),
                                        [&](const auto& row) { return row.command == entry.id; });
        EXPECT_TRUE(listed) << entry.path;
    }
}

} // namespace
