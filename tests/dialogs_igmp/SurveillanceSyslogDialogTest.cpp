// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Auto Surveillance VLAN Settings and Syslog Host Configuration against ksx-sim: refusals
// send nothing; devices are created and destroyed through their row status; the syslog
// values go out as the switch takes them.
#include "features/common/IpAddressEdit.h"
#include "features/common/ReportList.h"
#include "features/common/SnmpRequests.h"
#include "features/maintenance/SyslogDialog.h"
#include "features/port_vlan/SurveillanceVlanDialog.h"
#include "tests/support/DialogFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

using namespace testsupport;

const std::string S = PrivateOid("26");

class SurveillanceTest : public DialogFixture {
protected:
    std::unique_ptr<CSurveillanceVlanDlg> OpenRead(int rows) {
        auto dialog = Open<CSurveillanceVlanDlg>();
        EXPECT_TRUE(WaitForRows(*dialog, rows));
        return dialog;
    }
    static bool WaitForRows(CSurveillanceVlanDlg& dialog, int rows) {
        auto* refresh = Find<QPushButton>(&dialog, "refreshButton");
        return WaitUntil(
            [&] { return refresh->isEnabled() && dialog.DeviceList()->RowCount() == rows; });
    }
    static bool ClickRow(CReportList& list, int row) {
        QTreeWidgetItem* item = list.topLevelItem(row);
        if (item == nullptr) {
            return false;
        }
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                          list.visualItemRect(item).center());
        return true;
    }
};

TEST_F(SurveillanceTest, RefusesVlanOneAndOutOfRangeIdsThenWritesTheGlobalsInOneRequest) {
    auto dialog = OpenRead(1);
    Find<QCheckBox>(dialog.get(), "enableCheck")->setChecked(true);
    for (const char* vid : {"1", "4095"}) {
        ASSERT_TRUE(Type(dialog.get(), "vlanIdEdit", QString::fromLatin1(vid)));
        ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    }
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{"Default VLAN cannot be set as Auto Surveillance VLAN.",
                                        "The VLAN ID value range is 2 - 4094"}));
    EXPECT_TRUE(TakeSets().empty());

    ASSERT_TRUE(Type(dialog.get(), "vlanIdEdit", "300"));
    ASSERT_TRUE(Choose(dialog.get(), "priorityCombo", "Low"));
    ASSERT_TRUE(Type(dialog.get(), "portsEdit", "1-2,52"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]),
              (std::vector<std::string>{S + ".1.2.0 = INTEGER: 300", S + ".1.3.0 = INTEGER: 3",
                                        S + ".1.4.0 = OCTET STRING: 0xc00000000000100000000000",
                                        S + ".1.1.0 = INTEGER: 1"}));
    EXPECT_TRUE(messages.Texts().empty()) << "VLAN 300 did not exist; no PoE on this model";
    ASSERT_TRUE(WaitForRows(*dialog, 1));
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "portsEdit")->text(), "1-2,52");
}

TEST_F(SurveillanceTest, AnOuiIsAddedByItsRowStatusAndOnlyUserRowsAreDeleted) {
    auto dialog = OpenRead(1);
    EXPECT_EQ(dialog->DeviceList()->Cell(0, 3), "02-5E-A7-00-00-00");
    ASSERT_TRUE(Choose(dialog.get(), "kindCombo", "OUI"));
    ASSERT_TRUE(Choose(dialog.get(), "typeCombo", "Video Encoder"));
    ASSERT_TRUE(Type(dialog.get(), "descriptionEdit", "door"));
    ASSERT_TRUE(Type(dialog.get(), "addressEdit", "00-1B-2C-11-22-33"));
    ASSERT_TRUE(Click(dialog.get(), "addButton"));
    const std::string index = ".0.27.44.0.0.0";
    auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Bindings(sets[0]),
              std::vector<std::string>{S + ".2.1.1.5" + index + " = INTEGER: 4"});
    EXPECT_EQ(Bindings(sets[1]), (std::vector<std::string>{
                                     S + ".2.1.1.2" + index + " = OCTET STRING: door",
                                     S + ".2.1.1.4" + index + " = INTEGER: 2",
                                     S + ".2.1.1.3" + index + " = OCTET STRING: 0xffffff000000"}));
    ASSERT_TRUE(WaitForRows(*dialog, 2));
    EXPECT_EQ(dialog->DeviceList()->Cell(0, 1), "Video Encoder");
    EXPECT_EQ(dialog->DeviceList()->Cell(0, 3), "00-1B-2C-00-00-00");
    EXPECT_TRUE(Find<QLineEdit>(dialog.get(), "addressEdit")->text().isEmpty());

    ASSERT_TRUE(Click(dialog.get(), "deleteButton"));
    ASSERT_TRUE(ClickRow(*dialog->DeviceList(), 1));
    ASSERT_TRUE(Click(dialog.get(), "deleteButton"));
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{"Please Selecte the OUI Entry you would to delete",
                                        "The default Surveillance OUI can not be deleted."}));
    EXPECT_TRUE(TakeSets().empty());
    ASSERT_TRUE(ClickRow(*dialog->DeviceList(), 0));
    ASSERT_TRUE(Click(dialog.get(), "deleteButton"));
    sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]),
              std::vector<std::string>{S + ".2.1.1.5" + index + " = INTEGER: 6"});
    EXPECT_TRUE(WaitForRows(*dialog, 1));
}

using SyslogTest = DialogFixture;

TEST_F(SyslogTest, Local7AndAllAreWrittenAs184And7ThenTheStateFollows) {
    auto dialog = Open<CSyslogDlg>();
    auto* enable = Find<QCheckBox>(dialog.get(), "enableCheck");
    auto* address = Find<CIpAddressEdit>(dialog.get(), "hostIpEdit");
    ASSERT_TRUE(WaitUntil([&] { return address->FilledFieldCount() == 4; }));
    EXPECT_FALSE(address->isEnabled());
    enable->setChecked(true);
    address->SetAddress("127.0.0.1");
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Invalid Syslog Sever IP address."});
    EXPECT_TRUE(TakeSets().empty());

    address->SetAddress("192.0.2.50");
    ASSERT_TRUE(Choose(dialog.get(), "facilityCombo", "local7"));
    ASSERT_TRUE(Choose(dialog.get(), "severityCombo", "all"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    const std::string s = PrivateOid("16.1");
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{
                                     s + ".1.0 = IpAddress: 192.0.2.50", s + ".2.0 = INTEGER: 514",
                                     s + ".4.0 = INTEGER: 7", s + ".5.0 = INTEGER: 184"}));
    EXPECT_EQ(Bindings(sets[1]), std::vector<std::string>{s + ".6.0 = INTEGER: 1"});
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Set System log Server successfully"});
    EXPECT_TRUE(enable->isChecked());
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "facilityCombo")->currentText(), "local7");
}

} // namespace
