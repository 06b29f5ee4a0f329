// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Traffic segmentation, storm control, bandwidth control and jumbo frames against ksx-sim,
// and what the switch itself refuses around an aggregated link (ports 5 and 6), whatever a
// dialog lets through.
#include "features/common/PortGrid.h"
#include "features/common/ReportList.h"
#include "features/common/SnmpRequests.h"
#include "features/l2/BandwidthDialog.h"
#include "features/l2/JumboFrameDialog.h"
#include "features/l2/SegmentationDialog.h"
#include "features/l2/StormControlDialog.h"
#include "tests/features/l2/L2Testing.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

using namespace l2test;
using namespace testsupport;

const std::string kState = P + ".13.3.1.0", kType = P + ".13.3.2.0", kLimit = P + ".13.3.3.0";

TEST_F(L2DialogTest, StormControlWritesNTimes64AndOnlyWhatChanged) {
    auto dialog = OpenRead<CStormControlDlg>();
    auto* n = Find<QLineEdit>(dialog.get(), "nEdit");
    EXPECT_EQ((Texts{Text(dialog.get(), "nEdit"), Text(dialog.get(), "productEdit")}),
              (Texts{"1000", "64000"}));
    EXPECT_FALSE(n->isEnabled());

    ASSERT_TRUE(Tick(dialog.get(), "enableCheck"));
    EXPECT_TRUE(n->isEnabled());
    ASSERT_TRUE(Type(dialog.get(), "nEdit", ""));
    EXPECT_TRUE(Refuses(dialog.get(), {"Invalid input of N ( input range must between 1~16000)"}));
    EXPECT_EQ(Text(dialog.get(), "productEdit"), "");

    ASSERT_TRUE(Type(dialog.get(), "nEdit", "16000"));
    EXPECT_EQ(Text(dialog.get(), "productEdit"), "1024000");
    ASSERT_TRUE(Choose(dialog.get(), "typeCombo", "Multicast & Broadcast & Unknown Unicast"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(kState, 1), Int(kType, 3), Int(kLimit, 1024000)}}));
    EXPECT_TRUE(trace.Contains("set status = 0"));

    ASSERT_TRUE(Type(dialog.get(), "nEdit", "2"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(kLimit, 128)}}));
    EXPECT_EQ(Text(dialog.get(), "productEdit"), "128"); // read back
}

TEST_F(L2DialogTest, BandwidthRefusesTrunkedPortsAndWritesEachPortOfTheRange) {
    Restart("KSX-7700-28", {Trunk(1, "0c000000"), Line(P + ".13.1.2.1.2.3", 1850)});
    auto dialog = OpenRead<CBandwidthDlg>("applyButton");
    CReportList* list = dialog->RateList();
    ASSERT_EQ(list->RowCount(), 28);
    EXPECT_EQ(CellsOf(list, {{2, 0}, {2, 1}, {2, 2}}), (Texts{"3", "1850", "No Limit"}));

    ASSERT_TRUE(Choose(dialog.get(), "fromPort", "4"));
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "toPort")->currentText(), "4");
    Choose(dialog.get(), "toPort", "2"); // put back on the From Port at once
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "toPort")->currentText(), "4");
    EXPECT_EQ(messages.TakeTexts(), Texts{" \"To port\"cannot be smaller than \"From Port\" "});
    ASSERT_TRUE(Choose(dialog.get(), "toPort", "7") && Type(dialog.get(), "rateEdit", "64"));
    EXPECT_TRUE(
        Refuses(dialog.get(),
                {"You can't set the rate of Ports:5,6.because they are in aggregated link."}));

    ASSERT_TRUE(Choose(dialog.get(), "toPort", "4") && Choose(dialog.get(), "fromPort", "3") &&
                Choose(dialog.get(), "toPort", "4") && Choose(dialog.get(), "typeCombo", "Both") &&
                Type(dialog.get(), "rateEdit", "1024000"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    const std::string tx = P + ".13.1.2.1.2", rx = P + ".13.1.2.1.3";
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(rx + ".3", 1024000), Int(tx + ".3", 1024000)},
                                          {Int(rx + ".4", 1024000), Int(tx + ".4", 1024000)}}));
    // The form starts over; the list shows what the switch holds now.
    const auto combo = [&](const char* name) {
        return Find<QComboBox>(dialog.get(), name)->currentText().toStdString();
    };
    EXPECT_EQ((Texts{combo("fromPort"), combo("toPort"), combo("typeCombo"),
                     Text(dialog.get(), "rateEdit")}),
              (Texts{"1", "28", "Rx", ""}));
    ASSERT_TRUE(WaitForButton(dialog.get(), "applyButton"));
    EXPECT_EQ(CellsOf(list, {{3, 1}, {3, 2}}), (Texts{"1024000", "1024000"}));

    ASSERT_TRUE(Choose(dialog.get(), "noLimitCombo", "Enabled"));
    EXPECT_FALSE(Find<QLineEdit>(dialog.get(), "rateEdit")->isEnabled());
}

TEST_F(L2DialogTest, SegmentationWritesTheModelsPortListAndKeepsTrunksWhole) {
    Restart("KSX-7700-28",
            {Line(P + ".14.9.1.0", 1), Trunk(1, "0c000000"), P + ".14.9.2.1.2.3|4x|f0000000"});
    auto dialog = OpenRead<CSegmentationDlg>("portApplyButton");
    CReportList* list = dialog->ForwardingList();
    ASSERT_EQ(list->RowCount(), 28);
    EXPECT_EQ(CellsOf(list, {{0, 1}, {2, 1}}), (Texts{"1-28", "1-4"}));

    ASSERT_TRUE(Choose(dialog.get(), "fromPortCombo", "3"));
    CPortGrid* grid = dialog->Ports();
    EXPECT_FALSE(grid->Button(3)->isEnabled());
    EXPECT_TRUE(grid->CheckedPorts()[3] == 1 && grid->CheckedPorts()[4] == 0);

    ASSERT_TRUE(Choose(dialog.get(), "fromPortCombo", "2") && Click(dialog.get(), "clearButton") &&
                Click(dialog.get(), "port5"));
    EXPECT_TRUE(Refuses(dialog.get(), {"The link aggregation member port can not be configured."},
                        "portApplyButton"));

    ASSERT_TRUE(Click(dialog.get(), "clearButton") && Click(dialog.get(), "port1") &&
                Click(dialog.get(), "port28"));
    EXPECT_TRUE(Press(dialog.get(), "portApplyButton").empty());
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{P + ".14.9.2.1.2.2 = OCTET STRING: 0x8000001000000000"}}));
    ASSERT_TRUE(WaitForButton(dialog.get(), "portApplyButton"));
    EXPECT_EQ(list->Cell(1, 1).toStdString(), "1,28");

    // Turned off, the ports cannot be applied.
    ASSERT_TRUE(Tick(dialog.get(), "enableCheck"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(P + ".14.9.1.0", 2)}}));
    ASSERT_TRUE(WaitForButton(dialog.get()));
    EXPECT_FALSE(Find<QPushButton>(dialog.get(), "portApplyButton")->isEnabled());
}

TEST_F(L2DialogTest, JumboFramesFollowTheBox) {
    auto dialog = OpenRead<CJumboFrameDlg>("applyButton");
    auto* box = Find<QCheckBox>(dialog.get(), "enableCheck");
    EXPECT_FALSE(box->isChecked());
    ASSERT_TRUE(Tick(dialog.get(), "enableCheck"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{Int(P + ".1.12.0", 1)}}));
    EXPECT_TRUE(box->isChecked());
}

TEST_F(L2DialogTest, TheSwitchKeepsTheMembersOfAnAggregatedLinkAlike) {
    Restart("KSX-7700-28", {Trunk(1, "0c000000")});
    const std::string bp = B + ".15.1.", rate = P + ".13.1.2.1.";
    const std::string all = std::string("\xff\xff\xff\xf0", 4);
    struct Case {
        const char* what;
        CSetRequest request;
        bool accepted;
    } const cases[] = {
        {"one member's rate", CSetRequest().Integer(rate + "2.5", 640), false},
        {"both members' rates", CSetRequest().Integer(rate + "2.5", 640).Integer(rate + "2.6", 640),
         true},
        {"a port outside the link", CSetRequest().Integer(rate + "3.4", 640), true},
        {"one member's priority", CSetRequest().Integer(bp + "2.6", 16), false},
        {"one member's path cost", CSetRequest().Integer(P + ".6.2.1.5.5", 100), false},
        {"both members' enable", CSetRequest().Integer(bp + "4.5", 2).Integer(bp + "4.6", 2), true},
        {"a member as mirror target", CSetRequest().Integer(P + ".18.2.0", 5), false},
        {"half a link mirrored",
         CSetRequest().OctetString(P + ".18.4.0", std::string("\x08\0\0\0", 4)), false},
        {"a whole link mirrored",
         CSetRequest().OctetString(P + ".18.4.0", std::string("\x0c\0\0\0", 4)), true},
        {"half a link as forwarding ports",
         CSetRequest().OctetString(P + ".14.9.2.1.2.1", std::string("\xf4\0\0\0", 4)), false},
        {"every port as forwarding ports", CSetRequest().OctetString(P + ".14.9.2.1.2.1", all),
         true},
    };
    CCommonSNMP session;
    for (const Case& c : cases) {
        EXPECT_EQ(c.request.Send(session).Ok(), c.accepted) << c.what;
    }
}

} // namespace
