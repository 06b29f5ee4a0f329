// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Trunk Configuration against ksx-sim: the trunk list, the state and mode writes with their
// checks, the member sub-dialog's count check and admission rules (each one made to fire by
// the switch's own state), and the one request that writes members and mode.
#include "features/port_vlan/TrunkDialog.h"
#include "features/common/ReportList.h"
#include "features/port_vlan/TrunkMemberDialog.h"
#include "tests/support/DialogFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

namespace {

using namespace testsupport;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";

std::string Int(const std::string& oid, int value) {
    return P + "." + oid + "|2|" + std::to_string(value);
}
std::string Hex(const std::string& oid, const std::string& hex) {
    return P + "." + oid + "|4x|" + hex;
}

class TrunkTest : public DialogFixture {
protected:
    // Opens the member sub-dialog of `trunk`, ticks `ports` and presses OK. The texts shown.
    std::vector<std::string> Submit(int trunk, const std::vector<int>& ports,
                                    const PortFlags& members = {}) {
        auto dialog = Open<CTrunkMemberDlg>(trunk, trunk::kModeLacp, members);
        EXPECT_TRUE(WaitUntil([&] { return !dialog->IsBusy(); }));
        for (int port : ports) {
            EXPECT_TRUE(Click(dialog.get(), QStringLiteral("port%1").arg(port)));
        }
        EXPECT_TRUE(Click(dialog.get(), "okButton"));
        m_accepted = dialog->result() == QDialog::Accepted;
        const QWidget* focused = QApplication::focusWidget();
        m_focused = focused != nullptr ? focused->objectName().toStdString() : "";
        return messages.TakeTexts();
    }

    static std::vector<std::string> MembersSet(int trunk, const std::string& hex, int mode) {
        const std::string id = std::to_string(trunk);
        return {P + ".8.1.3.1.2." + id + " = OCTET STRING: 0x" + hex,
                P + ".8.1.3.1.3." + id + " = INTEGER: " + std::to_string(mode)};
    }

    bool m_accepted = false;
    std::string m_focused; // objectName of the widget with the focus after OK
};

// A switch that does not answer: no rule can be checked, so nothing is written. The ports of
// another trunk are refused (see the admission rules), its own ones are not.
TEST_F(TrunkTest, UnreadableSwitchWritesNothingAndATrunksOwnPortsPass) {
    sim.Pause();
    EXPECT_EQ(Submit(1, {1, 2}), (Texts{"TrunkValid Init Error !", "TrunkValid Init Error !"}));
    sim.Resume();
    EXPECT_FALSE(m_accepted);
    EXPECT_TRUE(TakeSets().empty());
    Restart("KSX-7700-52", {Hex("8.1.3.1.2.2", "3000000000000000"), Int("8.1.3.1.3.2", 2)});
    EXPECT_TRUE(Submit(2, {5}, {0, 0, 1, 1}).empty());
    EXPECT_TRUE(m_accepted);
    EXPECT_EQ(Sets(), (std::vector<Texts>{MembersSet(2, "3800000000000000", 1)}));
}

// Each row makes one rule fire through the switch's state (the count of members through the
// candidate, ports 1 and 2 unless the row says otherwise). Rows without a message pass them all.
TEST_F(TrunkTest, AdmissionRules) {
    const std::string fdbEntry = "9.3.1.3.1.0.27.44.0.0.254";
    const struct {
        std::vector<std::string> lines;
        std::string message;
        std::string focused = ""; // the widget that takes the focus, where the test names it
        std::vector<int> ports = {1, 2};
        std::string hex = "c000000000000000"; // the members written
    } cases[] = {
        {{}, ""},
        {{}, "The mininum port members for an aggregated link is 2 !", "", {1}},
        {{},
         "The maxinum port member for an aggregated link is exceeded !",
         "",
         {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {{}, "", "", {1, 2, 3, 4, 5, 6, 7, 8}, "ff00000000000000"},
        {{Hex("8.1.3.1.2.3", "6000000000000000")},
         "Cannot add the port as it is a member of another aggregated link !"},
        {{Int("1.13.1.7.2", 2)}, "Cannot add ports of different types to an aggregated link !"},
        {{Int("1.13.1.2.1", 3), Int("1.13.1.2.2", 3)},
         "Cannot add a port in half-duplex mode to an aggregated link."},
        {{Int("1.13.1.2.2", 2)}, "Cannot add ports of different speed to an aggregated link."},
        {{Hex("14.7.1.0", "8000000000000000")},
         "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated "
         "link."},
        {{Int("11.2.1.0", 1), Int("11.2.9.1.2.2", 2)},
         "Cannot add the 802.1X-enabled port to an aggregated link."},
        {{Int("11.2.1.0", 1), Int("11.2.9.1.2.1", 1)}, "Setting the Channel Mode Fail."},
        {{Int("11.2.9.1.2.1", 1), Int("11.2.9.1.2.2", 2)}, ""},
        {{Hex("7.6.1.1.2", "7632"), Hex("7.6.1.2.2", "8000000000000000"),
          Hex("7.6.1.3.2", "0000000000000000"), Hex("7.6.1.4.2", "0000000000000000"),
          Int("7.6.1.5.2", 1)},
         "Cannot add ports with different VLAN configurations to an aggregated link !"},
        {{Hex("9.2.0", "BFFFFFFFFFFFF000")},
         "Cannot add a Auto-learn disabled port to an aggregated link."},
        {{Int("12.3.1.1.2.2", 3)},
         "Cannot add ports with different 802.1p default priorities to an aggregated link."},
        {{P + ".7.7.1.1.2|66|5"},
         "Cannot add ports with different PVIDs to an aggregated link.",
         "port2"},
        {{Int("14.2.1.1.2.1", 1)},
         "Cannot add a port-security anabled port to an aggregated link."},
        {{Int("17.4.1.2.2", 1)}, "Cannot add a LBD-enabled port to an aggregated link."},
        {{Hex("18.4.0", "4000000000000000")},
         "Cannot add ports of Port Mirror enable ports to an aggregated link."},
        {{Int("18.1.0", 1), Int("18.2.0", 2)}, "Cannot add a mirror port to an aggregated link."},
        {{Hex("14.3.1.1.3.192.0.2.1", "8000000000000000")},
         "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link."},
        {{Int("13.1.2.1.3.2", 128)},
         "Cannot add ports with different rate control configurations to an aggregated link."},
        {{Int("6.1.1.0", 1), Int("6.2.1.2.2", 64)},
         "Cannot add a port with different RSTP port setting to an aggregated link. ",
         "port2"},
        {{Int("6.2.1.2.2", 64)}, ""},
        {{Int("21.1.6.1.2.2", 1)},
         "Cannot add a port in Voice Vlan Auto mode to an aggregated link."},
        {{Int(fdbEntry, 1)},
         "Cannot add ports with different FDB-destination-hit configurations to an aggregated "
         "link."},
        {{Hex("15.2.1.1.10.1", "4000000000000000")},
         "Cannot add an ACL enabled port to an aggregated link."},
        {{Int("26.1.1.0", 1), Int("26.1.5.1.2.2", 1)},
         "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link"},
        {{Int("26.1.1.0", 1), Int("26.1.5.1.3.1", 2)},
         "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link"},
        // Two rules broken at once: the earlier one speaks.
        {{Hex("8.1.3.1.2.3", "6000000000000000"), Int("1.13.1.7.2", 2)},
         "Cannot add the port as it is a member of another aggregated link !"},
        {{Int("1.13.1.7.2", 2), Int("1.13.1.2.1", 3), Int("1.13.1.2.2", 3)},
         "Cannot add ports of different types to an aggregated link !"},
        {{Hex("14.7.1.0", "8000000000000000"), Int("11.2.1.0", 1), Int("11.2.9.1.2.2", 2)},
         "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated "
         "link."},
        {{P + ".7.7.1.1.2|66|5", Int("14.2.1.1.2.2", 1)}, // both at port 2
         "Cannot add ports with different PVIDs to an aggregated link."},
        {{Int("13.1.2.1.3.2", 128), Int("6.1.1.0", 1), Int("6.2.1.2.2", 64)},
         "Cannot add ports with different rate control configurations to an aggregated link."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.empty() ? "clean" : c.lines.front());
        Restart("KSX-7700-52", c.lines);
        trace.Clear();
        const auto texts = Submit(1, c.ports);
        EXPECT_EQ(m_accepted, c.message.empty());
        const auto sets = TakeSets();
        if (c.message.empty()) {
            EXPECT_TRUE(texts.empty());
            ASSERT_EQ(sets.size(), 1u);
            EXPECT_EQ(Bindings(sets[0]), MembersSet(1, c.hex, 1));
            EXPECT_EQ(sets[0].result, "noError");
            EXPECT_TRUE(trace.Contains("m_CameraVlanState[51] = 2"));
        } else {
            EXPECT_EQ(texts, Texts{c.message});
            EXPECT_TRUE(sets.empty());
            // The port to blame (port 2, where these cases differ) or the grid takes the focus.
            EXPECT_EQ(m_focused.rfind("port", 0), 0u) << m_focused;
            EXPECT_TRUE(c.focused.empty() || m_focused == c.focused) << m_focused;
        }
        if (c.message.find("RSTP") != std::string::npos) { // traces what it compared
            EXPECT_TRUE(
                trace.Contains("m_iRstpEnable =  1 ") &&
                trace.Contains("temp1 = 1, temp2 = 64,temp3 = 0,temp4 = 2,temp5 = 2,temp6 = "
                               "2,temp7 = 2"));
        }
    }
}

TEST_F(TrunkTest, ListModeApplyAndPortMembers) {
    Restart("KSX-7700-52", {Hex("8.1.3.1.2.2", "3000000000000000"), Int("8.1.3.1.3.2", 2)});
    auto dialog = Open<CTrunkDlg>();
    ASSERT_TRUE(WaitForRows(*dialog->TrunkList(), 8, *dialog));
    auto* list = dialog->TrunkList();
    EXPECT_EQ(CellsOf(list, {{1, 0}, {1, 1}, {1, 2}, {0, 1}}),
              (Texts{"2", "Static", "3,4", "Disable"}));
    EXPECT_TRUE(Find<QCheckBox>(dialog.get(), "enableTrunkCheck")->isChecked());

    EXPECT_TRUE(Press(dialog.get()).empty()); // nothing picked: nothing happens
    // Trunk 1 has no members.
    ASSERT_TRUE(ClickRow(list, 0));
    ASSERT_TRUE(Choose(dialog.get(), "modeCombo", "Static"));
    EXPECT_EQ(Press(dialog.get()), Texts{"The minimum port numbers for an aggregated link is 2."});
    // Trunk 2, its own mode: nothing happens; another mode is written.
    emit list->rowSelected(1);
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "modeCombo")->currentText(), "Static");
    Click(dialog.get(), "applyButton");
    EXPECT_TRUE(TakeSets().empty());
    ASSERT_TRUE(Choose(dialog.get(), "modeCombo", "LACP"));
    Click(dialog.get(), "applyButton");
    EXPECT_EQ(Sets(), (std::vector<Texts>{{P + ".8.1.3.1.3.2 = INTEGER: 1"}}));
    EXPECT_TRUE(trace.Contains("state = 0 "));
    ASSERT_TRUE(WaitUntil([&] { return !dialog->IsBusy() && list->Cell(1, 1) == "LACP"; }));

    // Trunk 1's members through the sub-dialog, once it has a mode.
    ASSERT_TRUE(QDir().mkpath(KSX_SCREENSHOT_DIR));
    emit list->rowSelected(0);
    EXPECT_EQ(Press(dialog.get(), "portMemberButton"),
              Texts{"Please select the Channel Mode (LACP or Static) first."});
    ASSERT_TRUE(Choose(dialog.get(), "modeCombo", "Static"));
    QSize size;
    WhenModalOpens(dialog.get(), [&](QDialog& opened) {
        auto* member = qobject_cast<CTrunkMemberDlg*>(&opened);
        ASSERT_NE(member, nullptr);
        size = member->size();
        ASSERT_TRUE(WaitUntil([&] { return !member->IsBusy(); }));
        EXPECT_EQ(Find<QLineEdit>(member, "modeEdit")->text(), "Static");
        Click(member, "port7");
        Click(member, "port8");
        member->grab().save(QDir(KSX_SCREENSHOT_DIR).filePath("dialog-trunk-member.png"));
        Click(member, "okButton");
    });
    Click(dialog.get(), "portMemberButton");
    EXPECT_EQ(size, QSize(560, 362)); // the drawn size and the range entry under the grid
    EXPECT_EQ(Sets(), (std::vector<Texts>{MembersSet(1, "0300000000000000", 2)}));
    ASSERT_TRUE(WaitUntil([&] { return !dialog->IsBusy() && list->Cell(0, 2) == "7,8"; }));
    EXPECT_EQ(list->Cell(0, 1), "Static");
    dialog->grab().save(QDir(KSX_SCREENSHOT_DIR).filePath("dialog-trunk-configuration.png"));

    // With the box unchecked the mode is refused.
    Click(dialog.get(), "enableTrunkCheck");
    EXPECT_TRUE(Refuses(dialog.get(), {"Link Aggregation State is disable."}));
    // The state is written; PortMember follows what the switch holds.
    Click(dialog.get(), "stateApplyButton");
    ASSERT_EQ(TakeSets().size(), 1u);
    ASSERT_TRUE(WaitUntil([&] { return !dialog->IsBusy(); }));
    EXPECT_FALSE(Find<QPushButton>(dialog.get(), "portMemberButton")->isEnabled());
}

} // namespace
