// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Bridge Config, the spanning tree port table, Port Config and port mirroring against ksx-sim.
#include "features/common/PortGrid.h"
#include "features/common/ReportList.h"
#include "features/l2/MirrorDialog.h"
#include "features/l2/MirrorMib.h"
#include "features/l2/SpanningTreeBridgeDialog.h"
#include "features/l2/SpanningTreePortDialog.h"
#include "features/l2/SpanningTreeTableDialog.h"
#include "tests/features/l2/L2Testing.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace l2test;
using namespace testsupport;

bool Timers(QWidget* dialog, const char* age, const char* delay, const char* hello) {
    return Type(dialog, "ageEdit", QString::fromLatin1(age)) &&
           Type(dialog, "delayEdit", QString::fromLatin1(delay)) &&
           Type(dialog, "helloEdit", QString::fromLatin1(hello));
}

TEST_F(L2DialogTest, BridgeConfigChecksTheTimersTurnsRstpOnAndWritesTheTimersInOrder) {
    sim.Pause(); // a silent switch: the dialog opens at once and waits for the answer
    auto dialog = Open<CSpanningTreeBridgeDlg>();
    EXPECT_EQ(Text(dialog.get(), "ageEdit"), "");
    sim.Resume();
    ASSERT_TRUE(WaitForButton(dialog.get()));
    EXPECT_FALSE(Find<QCheckBox>(dialog.get(), "enableCheck")->isChecked());
    EXPECT_FALSE(Find<QLineEdit>(dialog.get(), "ageEdit")->isEnabled());
    const std::string root = Text(dialog.get(), "designatedRootEdit");
    EXPECT_EQ((Texts{Text(dialog.get(), "ageEdit"), root.substr(0, 6), std::to_string(root.size()),
                     Text(dialog.get(), "holdTimeEdit")}),
              (Texts{"2000", "80:00:", "23", "100"}));

    ASSERT_TRUE(Tick(dialog.get(), "enableCheck"));
    ASSERT_TRUE(Timers(dialog.get(), "700", "400", "100"));
    EXPECT_TRUE(
        Refuses(dialog.get(), {"To set the parameters Forward Delay and Max Age, the following "
                               "relation is to be satisfied: \n2*(Forward Delay - 1) >= Max Age"}));

    ASSERT_TRUE(Timers(dialog.get(), "600", "1500", "200") &&
                Choose(dialog.get(), "priorityCombo", "4096") &&
                Choose(dialog.get(), "versionCombo", "STP Compatible"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(P + ".6.1.1.0", 1)},
                                          {Int(B + ".13.0", 100), Int(B + ".14.0", 3000)},
                                          {Int(B + ".12.0", 600)},
                                          {Int(B + ".14.0", 1500)},
                                          {Int(B + ".13.0", 200)},
                                          {Int(B + ".2.0", 4096), Int(P + ".6.1.2.0", 0)}}));
    EXPECT_FALSE(trace.Contains("set status = -1"));
    ASSERT_TRUE(WaitForButton(dialog.get()));
    EXPECT_TRUE(Find<QCheckBox>(dialog.get(), "enableCheck")->isChecked());
    EXPECT_EQ(Text(dialog.get(), "forwardDelayEdit"), "1500"); // the timers in use follow
    EXPECT_EQ(Text(dialog.get(), "designatedRootEdit").substr(0, 6), "10:00:");

    // To the widest timers and back to the narrowest, RSTP on: in an order the bridge takes at
    // each step (a max age of 4000 does not fit a forward delay of 400).
    ASSERT_TRUE(Timers(dialog.get(), "4000", "3000", "100"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    ASSERT_TRUE(WaitForButton(dialog.get()) && Timers(dialog.get(), "600", "400", "200"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets().size(), 10u);
    EXPECT_FALSE(trace.Contains("set status = -1"));
    ASSERT_TRUE(WaitForButton(dialog.get()));
    EXPECT_EQ((Texts{Text(dialog.get(), "ageEdit"), Text(dialog.get(), "delayEdit"),
                     Text(dialog.get(), "helloEdit")}),
              (Texts{"600", "400", "200"}));

    ASSERT_TRUE(Tick(dialog.get(), "enableCheck"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(P + ".6.1.1.0", 2)}}));
}

TEST_F(L2DialogTest, PortTableAndPortConfigKeepAggregatedLinksAlike) {
    Restart("KSX-7700-28", {Trunk(1, "0c000000")});
    auto table = OpenRead<CSpanningTreeTableDlg>();
    ASSERT_EQ(table->PortList()->RowCount(), 28);
    EXPECT_EQ(Text(table.get(), "entriesEdit"), "28");
    EXPECT_EQ(CellsOf(table->PortList(), {{1, 1}, {1, 3}, {1, 8}}), (Texts{"128", "Y", "80 02"}));

    auto port = OpenRead<CSpanningTreePortDlg>("applyButton", 4);
    EXPECT_EQ(Text(port.get(), "portEdit"), "4");
    ASSERT_TRUE(Type(port.get(), "costEdit", "0") && Choose(port.get(), "priorityCombo", "32"));
    EXPECT_TRUE(Press(port.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(B + ".15.1.2.4", 32), Int(P + ".6.2.1.5.4", 0),
                                           Int(B + ".15.1.4.4", 1)}}));
    EXPECT_EQ(Text(port.get(), "costEdit"), "200000"); // automatic: the port's own cost

    ASSERT_TRUE(Click(port.get(), "nextButton"));
    EXPECT_EQ(Text(port.get(), "portEdit"), "5");
    EXPECT_TRUE(Press(port.get()).empty()); // a member left as it is: nothing at all
    ASSERT_TRUE(Tick(port.get(), "enableCheck"));
    EXPECT_TRUE(Refuses(
        port.get(), {"Cannot add ports with different STP configurations to an aggregated link."}));
    for (int step = 0; step < 4; ++step) {
        ASSERT_TRUE(Click(port.get(), "prevButton"));
    }
    EXPECT_EQ(Text(port.get(), "portEdit"), "1");
    EXPECT_FALSE(Find<QPushButton>(port.get(), "prevButton")->isEnabled());
}

TEST_F(L2DialogTest, MirroringChecksTargetAndSourcesThenWritesInOrder) {
    Restart("KSX-7700-52", {Trunk(1, "0c00000000000000")});
    auto dialog = OpenRead<CMirrorDlg>("applyButton");
    CPortGrid* grid = dialog->Ports();
    EXPECT_FALSE(grid->Button(3, CMirrorMib::kTx)->isEnabled()); // disabled: no choices
    ASSERT_TRUE(Tick(dialog.get(), "enabledRadio"));
    EXPECT_TRUE(grid->Button(3, CMirrorMib::kTx)->isEnabled());
    EXPECT_FALSE(grid->Button(1, CMirrorMib::kTx)->isEnabled()); // the target

    ASSERT_TRUE(Choose(dialog.get(), "targetCombo", "5"));
    EXPECT_EQ(Press(dialog.get()), Texts{"Target Port is Trunking Port!"});
    ASSERT_TRUE(Tick(dialog.get(), "enabledRadio") && Choose(dialog.get(), "targetCombo", "2") &&
                Tick(dialog.get(), "tx5"));
    EXPECT_TRUE(Refuses(dialog.get(), {"Must select whole ports of the aggregated link with the "
                                       "same Sniffer Mode to source port."}));

    ASSERT_TRUE(Tick(dialog.get(), "enabledRadio") && Choose(dialog.get(), "targetCombo", "2") &&
                Click(dialog.get(), "allRxButton"));
    EXPECT_EQ(grid->ChoiceOf(2), CMirrorMib::kNone);
    ASSERT_TRUE(Click(dialog.get(), "allNoneButton") && Tick(dialog.get(), "tx3") &&
                Tick(dialog.get(), "both4"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    const std::string m = P + ".18.";
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(m + "2.0", 2)},
                                          {m + "4.0 = OCTET STRING: 0x3000000000000000",
                                           m + "3.0 = OCTET STRING: 0x1000000000000000"},
                                          {Int(m + "1.0", 1)}}));
    EXPECT_EQ(grid->ChoiceOf(4), CMirrorMib::kBoth); // read back

    // Once on, the lists are emptied first so that a new target is never a source.
    ASSERT_TRUE(Choose(dialog.get(), "targetCombo", "3"));
    EXPECT_EQ(grid->ChoiceOf(3), CMirrorMib::kNone);
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{m + "4.0 = OCTET STRING: 0x0000000000000000",
                                           m + "3.0 = OCTET STRING: 0x0000000000000000"},
                                          {Int(m + "2.0", 3)},
                                          {m + "4.0 = OCTET STRING: 0x1000000000000000",
                                           m + "3.0 = OCTET STRING: 0x1000000000000000"},
                                          {Int(m + "1.0", 1)}}));

    ASSERT_TRUE(WaitForButton(dialog.get(), "applyButton") && Tick(dialog.get(), "disabledRadio"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(m + "1.0", 2)}}));
}

} // namespace
