// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Auto Surveillance VLAN Settings against ksx-sim: its checks, in order, and the devices,
// created and destroyed through their row status.
#include "features/common/ReportList.h"
#include "features/common/SnmpRequests.h"
#include "features/port_vlan/SurveillanceMib.h"
#include "features/port_vlan/SurveillanceVlanDialog.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/PlanLines.h"

#include <QCheckBox>
#include <QLineEdit>

#include <memory>

namespace {

using namespace testsupport;

const std::string Q = std::string(kPrivateMib);
const std::string Sv = PrivateOid("26");

using SurveillanceTest = DialogFixture;

TEST_F(SurveillanceTest, GlobalsGoInOneRequestAndOuisByTheirRowStatusOnlyUserRowsDeleted) {
    auto dialog = Open<CSurveillanceVlanDlg>();
    ASSERT_TRUE(WaitForRows(*dialog->DeviceList(), 1, *dialog));
    Find<QCheckBox>(dialog.get(), "enableCheck")->setChecked(true);
    ASSERT_TRUE(Type(dialog.get(), "vlanIdEdit", "300") &&
                Choose(dialog.get(), "priorityCombo", "Low") &&
                Type(dialog.get(), "portsEdit", "1-2,52") && Click(dialog.get(), "applyButton"));
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Sv + ".1.2.0 = INTEGER: 300", Sv + ".1.3.0 = INTEGER: 3",
                                           Sv + ".1.4.0 = OCTET STRING: 0xc00000000000100000000000",
                                           Sv + ".1.1.0 = INTEGER: 1"}}));
    EXPECT_TRUE(messages.Texts().empty()) << "VLAN 300 did not exist; no PoE on this model";
    ASSERT_TRUE(WaitForRows(*dialog->DeviceList(), 1, *dialog));
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "portsEdit")->text(), "1-2,52");
    EXPECT_EQ(dialog->DeviceList()->Cell(0, 3), "02-5E-A7-00-00-00");
    ASSERT_TRUE(Choose(dialog.get(), "kindCombo", "OUI") &&
                Choose(dialog.get(), "typeCombo", "Video Encoder") &&
                Type(dialog.get(), "descriptionEdit", "door") &&
                Type(dialog.get(), "addressEdit", "00-1B-2C-11-22-33") &&
                Click(dialog.get(), "addButton"));
    const std::string index = ".0.27.44.0.0.0";
    const std::string row = Sv + ".2.1.1.";
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{row + "5" + index + " = INTEGER: 4"},
                                  {row + "2" + index + " = OCTET STRING: door",
                                   row + "4" + index + " = INTEGER: 2",
                                   row + "3" + index + " = OCTET STRING: 0xffffff000000"}}));
    ASSERT_TRUE(WaitForRows(*dialog->DeviceList(), 2, *dialog));
    EXPECT_EQ(CellsOf(dialog->DeviceList(), {{0, 1}, {0, 3}}),
              (Texts{"Video Encoder", "00-1B-2C-00-00-00"}));
    EXPECT_TRUE(Find<QLineEdit>(dialog.get(), "addressEdit")->text().isEmpty());

    EXPECT_EQ(Press(dialog.get(), "deleteButton"),
              Texts{"Please Selecte the OUI Entry you would to delete"});
    ASSERT_TRUE(ClickRow(dialog->DeviceList(), 1));
    EXPECT_TRUE(Refuses(dialog.get(), {"The default Surveillance OUI can not be deleted."},
                        "deleteButton"));
    ASSERT_TRUE(ClickRow(dialog->DeviceList(), 0) && Click(dialog.get(), "deleteButton"));
    EXPECT_EQ(Sets(), (std::vector<Texts>{{row + "5" + index + " = INTEGER: 6"}}));
    EXPECT_TRUE(WaitForRows(*dialog->DeviceList(), 1, *dialog));
}

// The checks judge the trunk membership of a switch without aggregated links; until it was read
// they judge nothing.
TEST_F(SurveillanceTest, GlobalsAndDevicesAreCheckedInOrder) {
    std::vector<std::string> noTrunks;
    for (int group = 1; group <= 8; ++group) {
        noTrunks.push_back(Q + ".8.1.3.1.2." + std::to_string(group) + "|4x|00000000");
    }
    Restart("KSX-7700-28P", noTrunks);
    CSurveillanceMib mib; // its sessions talk to this test's switch
    mib.SetContext({2, 1, 30});
    mib.SetGlobal({2, 2, 1, ""});
    mib.AddVoiceOui(std::string("\x00\x0a\x11", 3));
    EXPECT_EQ(RefusalOf(mib.PlanGlobal({1, 40, 2, "1"}, {"1"}).refusal),
              std::string(kNotReadRefusal));
    bool read = false;
    mib.TrunkInfo().StartTrunkWalk(&mib, [&] { read = true; });
    ASSERT_TRUE(WaitUntil([&] { return read; }));

    struct Case {
        CSurveillanceMib::Context context;
        std::optional<long long> vid;
        std::string ports;
        std::string refusal;
    };
    const Case cases[] = {
        {{1, 2, 0}, 1, "", "Auto Surveillance Vlan can not support in Asymmetric VLAN mode."},
        {{2, 2, 0}, 1, "", "Default VLAN cannot be set as Auto Surveillance VLAN."},
        {{2, 2, 0}, 4095, "", "The VLAN ID value range is 2 - 4094"},
        {{2, 2, 0}, std::nullopt, "", "The VLAN ID value range is 2 - 4094"},
        {{2, 1, 30}, 30, "", "The VLAN ID already is voice VLAN ID."},
        {{2, 1, 4095}, 4095, "1-29", "The VLAN ID value range is 2 - 4094"},
        {{2, 1, 30}, 30, "1-29", "The VLAN ID already is voice VLAN ID."},
        {{2, 2, 30}, 30, "1-29", "Invalid Portlist"},
        {{2, 2, 30}, 30, " ", ""},
        {{2, 2, 30}, 4094, "1,2,4-6", ""},
    };
    for (const Case& c : cases) {
        mib.SetContext(c.context);
        const ApplyPlan plan = mib.PlanGlobal({1, c.vid, 2, c.ports}, {"1"});
        EXPECT_EQ(RefusalOf(plan.refusal), c.refusal) << c.ports;
    }
    const ApplyPlan plan = mib.PlanGlobal({1, 40, 3, "1,2,4-6"}, {"1", "40"});
    EXPECT_EQ(plan.questions, Texts{"The VLAN ID 40 already exists, still apply? \nIf yes, the "
                                    "original setting of VLAN 40 members will be removed."});
    const std::string s = Q + ".26.1.";
    EXPECT_EQ(Lines(plan.Request()),
              (Texts{s + "2.0=40", s + "3.0=3", s + "4.0=" + std::string("\xdc\0\0\0\0\0\0\0", 8),
                     s + "1.0=1"}));
    EXPECT_TRUE(mib.ShowsPoeNotice({true, 40, 3, ""}));
    EXPECT_FALSE(mib.ShowsPoeNotice({false, 40, 3, ""}));

    struct Device {
        QString description;
        long kind;
        std::string address;
        std::string refusal;
        std::string index;
    };
    const Device devices[] = {
        {"cam, door", 0, "00-1B-2C-11-22-33", "Invalid Description.", ""},
        {"door", 0, "00-1B-2C-11-22", "Please enter correct MAC format(ex:00-00-00-00-00-01)", ""},
        {"door", 0, "FF-FF-FF-FF-FF-FF", "Broadcast MAC is not allowed.", ""},
        {"door", 1, "01-1B-2C", "Multicast MAC is not allowed.", ""},
        {"door", 0, "00-0A-11-22-33-44", "The OUI is already exist at Voice Vlan OUI Table!", ""},
        {"door", 1, "02-5E-A7", "This OUI is default, please select the default mode!", ""},
        {"door", 1, "00-1B-2C", "", ".0.27.44.0.0.0"},
        {"door", 0, "00-1b-2c-11-22-33", "", ".0.27.44.17.34.51"},
    };
    for (const Device& c : devices) {
        const auto plan = mib.PlanAdd({2, c.description, c.kind, c.address});
        EXPECT_EQ(RefusalOf(plan.refusal), c.refusal) << c.address;
        const std::string rowStatus = Q + ".26.2.1.1.5" + c.index;
        EXPECT_EQ(plan.steps.empty() ? "" : plan.Request().Bindings().front().instance,
                  c.index.empty() ? "" : rowStatus);
    }
}

} // namespace
