// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// 802.1Q VLAN Configuration against ksx-sim: what the list shows, the buttons the host's
// permission leaves, Add, Edit, Delete and the mode Apply with their refusals (nothing sent),
// the row writes in their order on a 28- and a 52-port switch, UTF-8 names, a refused
// activation that leaves no half-made row, the PVID sub-dialog, and the management VLAN
// (a VLAN without members refused whatever the state, the one set of state and VLAN).
#include "features/port_vlan/VlanDialog.h"
#include "features/common/PortGrid.h"
#include "features/common/ReportList.h"
#include "features/port_vlan/ManagementVlanDialog.h"
#include "features/port_vlan/PvidDialog.h"
#include "features/port_vlan/VlanEditDialog.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using platform::MessageResult;
using namespace testsupport;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kVlan = P + ".7.6.1.";

// The five columns of one VLAN row; members as PortList hex.
std::vector<std::string> VlanRow(int vid, const std::string& name, const std::string& egress,
                                 const std::string& untagged, int status = 1) {
    const std::string id = "." + std::to_string(vid);
    return {kVlan + "1" + id + "|4|" + name, kVlan + "2" + id + "|4x|" + egress,
            kVlan + "3" + id + "|4x|00", kVlan + "4" + id + "|4x|" + untagged,
            kVlan + "5" + id + "|2|" + std::to_string(status)};
}

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> lines;
    for (auto& part : parts) {
        lines.insert(lines.end(), part.begin(), part.end());
    }
    return lines;
}

void SavePicture(QWidget& widget, const QString& name) {
    const QDir folder(QStringLiteral(KSX_SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    ASSERT_TRUE(widget.grab().save(folder.filePath(name)));
}

class VlanDialogTest : public DialogFixture {
protected:
    void Restart(const std::string& model, const std::vector<std::string>& lines,
                 bool editAllowed = true) {
        DialogFixture::Restart(model, lines);
        SessionParameters().VlanEditAllowed = editAllowed;
    }

    std::unique_ptr<CVlanDlg> OpenRead() {
        auto dialog = Open<CVlanDlg>();
        EXPECT_TRUE(WaitIdle(*dialog));
        return dialog;
    }

    static bool WaitIdle(CVlanDlg& dialog) {
        return WaitUntil([&] {
            return dialog.SubDialog() == nullptr &&
                   Find<QPushButton>(&dialog, "refreshButton")->isEnabled();
        });
    }

    static QStringList Ids(const CVlanDlg& dialog) {
        QStringList ids;
        for (int row = 0; row < dialog.VlanList()->RowCount(); ++row) {
            ids << dialog.VlanList()->Cell(row, 0);
        }
        return ids;
    }

    // Add (or Edit) in the sub-dialog: `vid` (add mode), `name`, ports tagged and untagged.
    void Fill(CVlanDlg& dialog, const QString& vid, const QString& name,
              const std::vector<int>& tagged, const std::vector<int>& untagged) {
        QDialog* sub = dialog.SubDialog();
        ASSERT_NE(sub, nullptr);
        const auto* feature = qobject_cast<const CFeatureDialog*>(sub);
        ASSERT_TRUE(WaitUntil([&] { return feature == nullptr || !feature->IsBusy(); }));
        if (!vid.isEmpty()) {
            ASSERT_TRUE(Type(sub, "vidEdit", vid));
        }
        if (name.toLatin1() == name.toUtf8()) {
            ASSERT_TRUE(Type(sub, "nameEdit", name));
        } else {
            Find<QLineEdit>(sub, "nameEdit")->setText(name); // pasted: the keyboard types ASCII
        }
        for (int port : tagged) {
            ASSERT_TRUE(Click(sub, QStringLiteral("tagged%1").arg(port)));
        }
        for (int port : untagged) {
            ASSERT_TRUE(Click(sub, QStringLiteral("untagged%1").arg(port)));
        }
        ASSERT_TRUE(Click(sub, "okButton"));
    }
};

TEST_F(VlanDialogTest, ListsActiveRowsAndKeepsEditingToTheHost) {
    Restart("KSX-7700-28",
            Join({VlanRow(5, "Sales", "c0", "40"), VlanRow(9, "Half", "c0", "00", 2)}), false);
    auto dialog = OpenRead();
    EXPECT_EQ(Ids(*dialog), QStringList({"1", "5"}));
    EXPECT_EQ(ListRows(dialog->VlanList()).at(1), (Texts{"5", "Sales", "2", "1,2", "2"}));
    for (int pass = 0; pass < 2; ++pass) {
        for (const char* name : {"addButton", "editButton", "deleteButton", "pvidButton"}) {
            EXPECT_FALSE(Find<QPushButton>(dialog.get(), name)->isEnabled()) << name;
        }
        ASSERT_TRUE(Click(dialog.get(), "refreshButton") && WaitIdle(*dialog));
    }
}

TEST_F(VlanDialogTest, AddRefusesAFullTable) {
    std::vector<std::vector<std::string>> rows;
    for (int vid = 2; vid <= 256; ++vid) {
        rows.push_back(VlanRow(vid, "V" + std::to_string(vid), "80", "00"));
    }
    Restart("KSX-7700-28", Join(rows));
    auto dialog = OpenRead();
    ASSERT_EQ(dialog->VlanList()->RowCount(), 256);
    EXPECT_EQ(Press(dialog.get(), "addButton"), Texts{" Number of VLAN group is over limit"});
    EXPECT_EQ(dialog->SubDialog(), nullptr);
}

// A whole row at once, and port ranges; Enter in a range takes it without closing the dialog.
TEST_F(VlanDialogTest, EditSetsPortsInBulkByRowAndByRange) {
    Restart("KSX-7700-28", {});
    auto dialog = OpenRead();
    ASSERT_TRUE(Click(dialog.get(), "addButton"));
    QDialog* sub = dialog->SubDialog();
    ASSERT_NE(sub, nullptr);
    auto* grid = Find<CPortGrid>(sub, "portGrid");
    ASSERT_TRUE(Click(sub, "untaggedAll") && Type(sub, "taggedRange", QStringLiteral("1-3,5")));
    QTest::keyClick(Find<QLineEdit>(sub, "taggedRange"), Qt::Key_Return);
    ASSERT_TRUE(Type(sub, "notMemberRange", QStringLiteral("27-29")));
    EXPECT_TRUE(Refuses(sub, {"Invalid Portlist"}, "notMemberSet"));
    EXPECT_EQ(dialog->SubDialog(), sub);
    EXPECT_EQ((std::vector{grid->CheckedPorts(0), grid->CheckedPorts(1)}),
              (std::vector{*PortRangesToFlags("1-3,5", 28), *PortRangesToFlags("4,6-28", 28)}));
    sub->reject();
}

TEST_F(VlanDialogTest, WritesTheRowInOrderOn28And52Ports) {
    auto s = [](const char* column) { return kVlan + column + ".5"; };
    for (const std::string model : {"KSX-7700-28", "KSX-7700-52"}) {
        const bool big = model == "KSX-7700-52";
        Restart(model, VlanRow(5, "Old", "80", "00"));
        auto dialog = OpenRead();
        dialog->VlanList()->SelectRow(1);
        ASSERT_TRUE(Click(dialog.get(), "editButton"));
        Fill(*dialog, "", QString::fromUtf8("B\xc3\xbcro"), {1}, {2});
        ASSERT_TRUE(WaitIdle(*dialog));
        const std::string zeros = big ? "0000000000000000000000" : "00000000000000";
        const std::string pad = " noError";
        EXPECT_EQ(
            TakeBindings(true),
            (Texts{s("5") + " = INTEGER: 2" + pad, s("2") + " = OCTET STRING: 0xc0" + zeros + pad,
                   s("4") + " = OCTET STRING: 0x40" + zeros + pad,
                   s("2") + " = OCTET STRING: 0xc0" + zeros + pad,
                   s("3") + " = OCTET STRING: 0x00" + zeros + pad,
                   s("1") + " = OCTET STRING: 0x42c3bc726f" + pad, s("5") + " = INTEGER: 1" + pad}))
            << model;
        EXPECT_EQ(CellsOf(dialog->VlanList(), {{1, 1}, {1, 3}}), (Texts{"B\xc3\xbcro", "1,2"}));
        if (big) {
            SavePicture(*dialog, "dialog-vlan-configuration.png");
            dialog->VlanList()->SelectRow(1);
            ASSERT_TRUE(Click(dialog.get(), "editButton"));
            SavePicture(*dialog->SubDialog(), "dialog-vlan-edit.png");
        }
    }
}

TEST_F(VlanDialogTest, RefusedActivationLeavesNoHalfMadeRow) {
    Restart("KSX-7700-28", {});
    auto dialog = OpenRead();
    ASSERT_TRUE(Click(dialog.get(), "addButton"));
    Fill(*dialog, "7", "default", {1}, {}); // VLAN 1's name: the switch refuses to activate
    const auto sent = TakeBindings(true);
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(
        Texts(sent.begin() + 6, sent.end()),
        (Texts{kVlan + "5.7 = INTEGER: 1 inconsistentValue", kVlan + "5.7 = INTEGER: 6 noError"}));
    // Reported, and the sub-dialog keeps what was typed for another try.
    EXPECT_EQ(messages.TakeTexts(),
              Texts{"The switch refused the change (error 12). Nothing more was written."});
    ASSERT_NE(dialog->SubDialog(), nullptr);
    EXPECT_EQ(Find<QLineEdit>(dialog->SubDialog(), "nameEdit")->text(), "default");
    dialog->SubDialog()->reject();
    ASSERT_TRUE(WaitIdle(*dialog) && Click(dialog.get(), "addButton"));
    EXPECT_EQ(Ids(*dialog), QStringList({"1"}));
    Fill(*dialog, "7", "seven", {1}, {});
    ASSERT_TRUE(WaitIdle(*dialog));
    EXPECT_EQ(Ids(*dialog), QStringList({"1", "7"}));
    // An edited VLAN refused the name goes back into service with its old one.
    TakeSets();
    dialog->VlanList()->SelectRow(1);
    ASSERT_TRUE(Click(dialog.get(), "editButton"));
    Fill(*dialog, "", "default", {}, {});
    EXPECT_EQ(messages.TakeTexts().size(), 1u); // the refusal, reported
    dialog->SubDialog()->reject();
    ASSERT_TRUE(WaitIdle(*dialog));
    const auto restored = TakeBindings(true);
    ASSERT_EQ(restored.size(), 9u);
    EXPECT_EQ(
        Texts(restored.begin() + 7, restored.end()),
        (Texts{kVlan + "1.7 = OCTET STRING: seven noError", kVlan + "5.7 = INTEGER: 1 noError"}));
    EXPECT_EQ(dialog->VlanList()->Cell(1, 1), "seven");
}

TEST_F(VlanDialogTest, DeleteChecksInOrder) {
    Restart("KSX-7700-28",
            Join({VlanRow(5, "Voice", "80", "00"),
                  VlanRow(6, "Ip", "80", "00"),
                  VlanRow(8, "Pvid", "80", "00"),
                  VlanRow(9, "Free", "80", "00"),
                  {P + ".21.1.2.0|2|1", P + ".21.1.3.0|2|5", P + ".41.1.1.1.1.2|4|Ip",
                   P + ".41.1.1.1.2.2|2|6", P + ".41.1.1.1.3.2|64|192.0.2.20",
                   P + ".41.1.1.1.4.2|64|255.255.255.0", P + ".7.5.0|2|1", P + ".7.7.1.1.3|66|8",
                   // Each refused VLAN fails two checks: the earlier one is shown.
                   P + ".26.1.1.0|2|1", P + ".26.1.2.0|2|5", P + ".41.1.1.1.1.3|4|Ip8",
                   P + ".41.1.1.1.2.3|2|8", P + ".41.1.1.1.3.3|64|192.0.2.21",
                   P + ".41.1.1.1.4.3|64|255.255.255.0"}}));
    auto dialog = OpenRead();
    ASSERT_EQ(Ids(*dialog), QStringList({"1", "5", "6", "8", "9"}));
    const std::vector<std::string> refusals{"Can't delete the default VLAN!",
                                            "The VLAN ID is Voice VLAN ID.",
                                            "The VLAN ID is IP Interface VLAN.",
                                            "The VID is one of The PVID, so it cannot be deleted."};
    for (int row = 0; row < 4; ++row) {
        dialog->VlanList()->SelectRow(row);
        EXPECT_EQ(Press(dialog.get(), "deleteButton"), Texts{refusals[row]});
    }
    const std::string question = "The VLAN 9 settings in IGMP Snooping and MAC Address Table maybe "
                                 "be affected, continue?";
    dialog->VlanList()->SelectRow(4);
    messages.Answer({MessageResult::Cancel});
    EXPECT_TRUE(Refuses(dialog.get(), {question}, "deleteButton"));
    ASSERT_TRUE(Click(dialog.get(), "deleteButton") && WaitIdle(*dialog));
    EXPECT_EQ(messages.TakeTexts(), Texts{question});
    EXPECT_EQ(TakeBindings(true), Texts{kVlan + "5.9 = INTEGER: 6 noError"});
    EXPECT_EQ(Ids(*dialog), QStringList({"1", "5", "6", "8"}));
}

TEST_F(VlanDialogTest, ModeApplyStopsForVoiceVlanAndAsksFirst) {
    Restart("KSX-7700-28", {P + ".21.1.2.0|2|1", P + ".21.1.3.0|2|1"});
    auto dialog = OpenRead();
    ASSERT_TRUE(Click(dialog.get(), "asymmetricCheck"));
    EXPECT_EQ(Press(dialog.get()),
              Texts{"Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
                    "If you could disable it, please set it through the web!"});
    EXPECT_FALSE(Find<QAbstractButton>(dialog.get(), "asymmetricCheck")->isChecked());
    Restart("KSX-7700-28", {});
    dialog = OpenRead();
    ASSERT_TRUE(Click(dialog.get(), "asymmetricCheck") && Click(dialog.get(), "applyButton") &&
                WaitIdle(*dialog));
    EXPECT_EQ(TakeBindings(true), Texts{P + ".7.5.0 = INTEGER: 1 noError"});
    EXPECT_TRUE(Find<QAbstractButton>(dialog.get(), "asymmetricCheck")->isChecked());
}

TEST_F(VlanDialogTest, TrunkMembersGoTogetherAndPvidsAreSentInTwoRequestsOn52Ports) {
    Restart("KSX-7700-52", Join({VlanRow(5, "Five", "80", "00"),
                                 VlanRow(6, "Empty", "00", "00"),
                                 {P + ".8.1.3.1.2.1|4x|30"}}));
    auto dialog = OpenRead();
    ASSERT_TRUE(Click(dialog.get(), "addButton"));
    Fill(*dialog, "7", "t", {3}, {});
    EXPECT_EQ(messages.TakeTexts(), Texts{"Members in VLAN have to be in the same trunk !"});
    dialog->SubDialog()->reject();
    ASSERT_TRUE(WaitIdle(*dialog) && Click(dialog.get(), "pvidButton"));
    auto* pvid = qobject_cast<CPvidDlg*>(dialog->SubDialog());
    ASSERT_NE(pvid, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return pvid->PvidEdit(52)->text() == "1"; }));
    // Thirteen ports a column, one under the other.
    const auto at = [&](int port) { return pvid->PvidEdit(port)->pos(); };
    EXPECT_TRUE(at(13).x() == at(1).x() && at(13).y() > at(12).y() && at(14).x() > at(13).x() &&
                at(14).y() == at(1).y() && at(52).x() == at(40).x());
    ASSERT_TRUE(Type(pvid, "pvid3", "5"));
    EXPECT_EQ(Press(pvid), Texts{"You should let all Trunk member in the same PVID !"});
    ASSERT_TRUE(Type(pvid, "pvid3", "1") && Type(pvid, "pvid1", "6"));
    EXPECT_TRUE(Refuses(pvid, {"Invalid PVID,VlAN is empty"}));
    ASSERT_TRUE(Type(pvid, "pvid1", "5") && Click(pvid, "applyButton") && WaitIdle(*dialog));
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].bindings.size(), 40u);
    EXPECT_EQ((Texts{Bindings(sets[0]).front(), Bindings(sets[1]).back()}),
              (Texts{P + ".7.7.1.1.1 = Gauge32: 5", P + ".7.7.1.1.52 = Gauge32: 1"}));
}

TEST_F(VlanDialogTest, ManagementVlanRefusesAnEmptyVlanAndWritesAMemberVlan) {
    Restart("KSX-7700-28",
            Join({VlanRow(5, "Empty", "00", "00"), VlanRow(6, "M\xc3\xa4n", "80", "00")}));
    auto dialog = Open<CManagementVlanDlg>();
    auto* combo = Find<QComboBox>(dialog.get(), "vlanIdCombo");
    auto* name = Find<QLineEdit>(dialog.get(), "vlanNameEdit");
    auto* apply = Find<QPushButton>(dialog.get(), "applyButton");
    ASSERT_TRUE(WaitUntil([&] { return name->text() == "default"; }));
    EXPECT_FALSE(combo->isEnabled()); // the switch reads "2"
    ASSERT_TRUE(Click(dialog.get(), "enableRadio"));
    EXPECT_TRUE(combo->isEnabled());
    ASSERT_TRUE(Choose(combo, "6"));
    EXPECT_EQ(name->text(), QString::fromUtf8("M\xc3\xa4n"));

    for (const char* radio : {"enableRadio", "disableRadio"}) {
        ASSERT_TRUE(Click(dialog.get(), radio));
        combo->setCurrentIndex(combo->findText("5"));
        EXPECT_EQ(Press(dialog.get()), Texts{"Management VLAN could not be empty."});
        ASSERT_TRUE(WaitUntil([&] { return name->text() == "default" && apply->isEnabled(); }));
    }
    EXPECT_TRUE(TakeSets().empty());

    ASSERT_TRUE(Click(dialog.get(), "enableRadio") && Choose(combo, "6") &&
                Click(dialog.get(), "applyButton"));
    EXPECT_EQ(Sets(), (std::vector<Texts>{{P + ".7.2.0 = INTEGER: 1", P + ".7.3.0 = INTEGER: 6"}}));
    ASSERT_TRUE(WaitUntil([&] { return combo->currentText() == "6" && combo->isEnabled(); }));
    SavePicture(*dialog, "dialog-management-vlan.png");
}

} // namespace
