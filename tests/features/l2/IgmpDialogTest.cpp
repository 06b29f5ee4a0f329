// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// IGMP snooping, its VLAN settings, the multicast entry table and multicast filtering
// against ksx-sim: refusals send nothing, Apply sends exactly what changed, and what the
// switch learned or was given elsewhere shows up.
#include "features/common/IpAddressEdit.h"
#include "features/common/PortGrid.h"
#include "features/common/ReportList.h"
#include "features/common/SnmpRequests.h"
#include "features/l2/IgmpSnoopingDialog.h"
#include "features/l2/IgmpVlanDialog.h"
#include "features/l2/MulticastEntryDialog.h"
#include "features/l2/MulticastFilterDialog.h"
#include "tests/support/DialogFixture.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

using platform::MessageResult;
using namespace testsupport;

const std::string G = PrivateOid("10");

// Creates VLANs through the VLAN table's row status, as any manager may.
bool CreateVlans(int first, int last) {
    CSetRequest request;
    for (int vid = first; vid <= last; ++vid) {
        request.Integer(InstanceOid(PrivateOid("7.6.1.5"), vid), 4);
    }
    CCommonSNMP session;
    return request.Send(session).Ok();
}

using IgmpTest = DialogFixture;

TEST_F(IgmpTest, SnoopingRefusesBadTimersSendsOnlyWhatChangedAndAsksBeforeDisabling) {
    auto dialog = OpenRead<CIgmpSnoopingDlg>();
    ASSERT_TRUE(Type(dialog.get(), "maxResponseTimeEdit", "9"));
    EXPECT_TRUE(Refuses(dialog.get(), {"Invalid Max. Response Time (10-25 sec)."}));

    ASSERT_TRUE(Click(dialog.get(), "refreshButton"));
    ASSERT_TRUE(WaitUntil(
        [&] { return Find<QLineEdit>(dialog.get(), "maxResponseTimeEdit")->text() == "10"; }));
    ASSERT_TRUE(Type(dialog.get(), "queryIntervalEdit", "300"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(TakeBindings(), Texts{G + ".1.6.0 = INTEGER: 300"});
    EXPECT_TRUE(trace.Contains("set status = 0"));

    auto* enable = Find<QCheckBox>(dialog.get(), "enableCheck");
    ASSERT_TRUE(WaitUntil([&] { return enable->isChecked(); }));
    enable->setChecked(false);
    EXPECT_FALSE(Find<QLineEdit>(dialog.get(), "queryIntervalEdit")->isEnabled());
    const Texts question{"All router ports will be deleted."};
    messages.Answer({MessageResult::Cancel});
    EXPECT_TRUE(Refuses(dialog.get(), question));
    EXPECT_TRUE(enable->isChecked()) << "Cancel reads the switch again";
    enable->setChecked(false);
    EXPECT_EQ(Press(dialog.get()), question);
    EXPECT_EQ(TakeBindings(), Texts{G + ".1.1.0 = INTEGER: 2"});
}

// A VLAN created on the switch shows up; disabling one asks, then sends its state first.
TEST_F(IgmpTest, VlanSettingsListTheSwitchsVlansAndDisablingOneAsksThenSendsTheStateFirst) {
    ASSERT_TRUE(CreateVlans(20, 20));
    TakeSets();
    auto dialog = Open<CIgmpVlanDlg>();
    CReportList& list = *dialog->VlanList();
    ASSERT_TRUE(WaitForRows(list, 2, *dialog));
    EXPECT_EQ(ListRows(&list),
              (TextRows{{"1", "default", "Enabled", "Disabled", "Disabled", ""},
                        {"20", "VLAN20", "Disabled", "Disabled", "Disabled", ""}}));
    EXPECT_EQ(Press(dialog.get()), Texts{"Please select Vlan first."});
    ASSERT_TRUE(ClickRow(&list, 0) && Choose(dialog.get(), "stateCombo", "Disabled") &&
                Choose(dialog.get(), "fastLeaveCombo", "Enabled"));
    const Texts question{"All router ports of this VLAN will be deleted."};
    messages.Answer({MessageResult::Cancel});
    EXPECT_TRUE(Refuses(dialog.get(), question));
    EXPECT_EQ(Press(dialog.get()), question);
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{G + ".3.4.1.2.1 = INTEGER: 2"},
                                  {G + ".3.4.1.4.1 = INTEGER: 2", G + ".3.4.1.8.1 = INTEGER: 1"}}));
    ASSERT_TRUE(WaitForRows(list, 2, *dialog));
    EXPECT_EQ(ListRows(&list).at(0),
              (Texts{"1", "default", "Disabled", "Disabled", "Enabled", ""}));
}

TEST_F(IgmpTest, TheVlanSettingsCloseSafelyWhileTheSharedDataIsStillReading) {
    auto snooping = OpenRead<CIgmpSnoopingDlg>();
    for (int round = 0; round < 3; ++round) {
        auto vlans = std::make_unique<CIgmpVlanDlg>(&snooping->Mib(), snooping.get());
        ASSERT_TRUE(testsupport::ShowActive(vlans.get())); // its walk is under way
        vlans.reset();
        testsupport::ProcessEvents();
    }
    CIgmpVlanDlg vlans(&snooping->Mib(), snooping.get());
    ASSERT_TRUE(testsupport::ShowActive(&vlans));
    EXPECT_TRUE(WaitForRows(*vlans.VlanList(), 1, vlans));
    EXPECT_TRUE(Find<QPushButton>(snooping.get(), "applyButton")->isEnabled());
}

TEST_F(IgmpTest, RouterPortsNeedAVlanAndWholeTrunks) {
    Restart("KSX-7700-52", {PrivateOid("8.1.3.1.2.1") + "|4x|c0000000000000"});
    auto dialog = Open<CIgmpVlanDlg>();
    CReportList& list = *dialog->VlanList();
    ASSERT_TRUE(WaitForRows(list, 1, *dialog) &&
                WaitUntil([&] { return dialog->Mib().TrunkInfo().IsTrunkInfoValid(); }));
    EXPECT_EQ(Press(dialog.get(), "routerApplyButton"), Texts{"Please select Vlan first."});
    ASSERT_TRUE(ClickRow(&list, 0));
    dialog->RouterPorts()->Button(1)->setChecked(true);
    EXPECT_TRUE(Refuses(dialog.get(), {"Members of port channel must have the same status."},
                        "routerApplyButton"));

    dialog->RouterPorts()->Button(2)->setChecked(true);
    dialog->RouterPorts()->Button(52)->setChecked(true);
    ASSERT_TRUE(Click(dialog.get(), "routerApplyButton"));
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{G + ".3.4.1.6.1 = OCTET STRING: 0xc00000000000100000000000"}}));
    ASSERT_TRUE(WaitForRows(list, 1, *dialog));
    EXPECT_EQ(list.Cell(0, 5).toStdString(), "1-2,52");
}

TEST_F(IgmpTest, LearnedGroupsShowWithTheirMembersAndGoWithSnooping) {
    // A group the switch keeps under index 40 is the list's fourth row: "Group ID" counts rows.
    Restart("KSX-7700-52", {G + ".3.5.1.1.40|2|1", G + ".3.5.1.2.40|4x|e0000005"});
    auto dialog = Open<CMulticastEntryDlg>();
    CReportList& list = *dialog->EntryList();
    ASSERT_TRUE(WaitForRows(list, 4, *dialog));
    EXPECT_EQ(ListRows(&list).at(0), (Texts{"1", "1", "239.1.1.1", "01-00-5E-01-01-01", "3,5"}));
    EXPECT_EQ(ListRows(&list).at(2),
              (Texts{"3", "1", "224.0.1.129", "01-00-5E-00-01-81", "4,7-8"}));
    EXPECT_EQ(ListRows(&list).at(3).at(0) + " " + ListRows(&list).at(3).at(2), "4 224.0.0.5");
    CCommonSNMP session;
    ASSERT_TRUE(CSetRequest().Integer(G + ".3.4.1.2.1", 2).Send(session).Ok());
    EXPECT_TRUE(Click(dialog.get(), "refreshButton") && WaitForRows(list, 0, *dialog));
}

TEST_F(IgmpTest, AllSetsEveryListedVlanInOneRequest) {
    ASSERT_TRUE(CreateVlans(2, 12));
    TakeSets();
    auto dialog = Open<CMulticastFilterDlg>();
    CReportList& list = *dialog->FilterList();
    ASSERT_TRUE(WaitForRows(list, 12, *dialog));
    Find<QCheckBox>(dialog.get(), "allCheck")->setChecked(true);
    EXPECT_FALSE(Find<QComboBox>(dialog.get(), "vlanCombo")->isEnabled());
    ASSERT_TRUE(Choose(dialog.get(), "modeCombo", "Filtering Unregistered Groups") &&
                Click(dialog.get(), "applyButton"));
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].bindings.size(), 12u);
    EXPECT_EQ(Bindings(sets[0]).back(), PrivateOid("7.8.1.2.12") + " = INTEGER: 1");
    ASSERT_TRUE(WaitForRows(list, 12, *dialog));
    EXPECT_EQ(ListRows(&list).at(11), (Texts{"12", "VLAN12", "Filtering Unregistered Groups"}));
}

} // namespace
