// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "MibViewsTest.h"

#include "features/maintenance/InterfaceTableDialog.h"
#include "features/maintenance/IpTableDialog.h"
#include "features/maintenance/TcpServiceDialog.h"
#include "features/maintenance/UdpServiceDialog.h"
#include "tests/support/DialogFixture.h"

#include <QLineEdit>

namespace {

using mibviews::Rows;
using testsupport::Find;
using testsupport::ListHeaders;
using testsupport::ListRows;
using Texts = std::vector<std::string>;

const std::string kIfSpeed = "1.3.6.1.2.1.2.2.1.5";
const std::string kIfOperStatus = "1.3.6.1.2.1.2.2.1.8";

// A 52-port switch with a few interfaces of unusual speed and state.
class TableViewsTest : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-52",
                DataArguments({kIfSpeed + ".1|66|10000", kIfSpeed + ".2|66|100000000",
                               kIfSpeed + ".3|66|4294967295", kIfOperStatus + ".3|2|7",
                               kIfOperStatus + ".4|2|3"})};
    }

    template <class Dialog> std::unique_ptr<CPublicMibTableDialog> OpenWalked() {
        std::unique_ptr<CPublicMibTableDialog> dialog = Open<Dialog>();
        EXPECT_TRUE(mibviews::WaitForWalk(dialog.get()));
        return dialog;
    }
};

TEST_F(TableViewsTest, InterfaceTableShowsStatusAndWholeMegabitsAndCountsItsRowsAfresh) {
    auto dialog = OpenWalked<CInterfaceTableDlg>();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Interface Table"));
    EXPECT_EQ(ListHeaders(dialog->List()), (Texts{"  Index          ", "  Link Status             ",
                                                  "  Speed(b/s)                      "}));
    const Rows rows = ListRows(dialog->List());
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0][2], "0M");
    EXPECT_EQ(rows[1][2], "100M");
    EXPECT_EQ(rows[2][2], "4294M");
    EXPECT_EQ(rows[2][1], "Unknown");
    EXPECT_EQ(rows[3][1], "Test");
    // Every interface the switch has, as snmpwalk sees it.
    const Rows expected = mibviews::InterfacesBySnmpwalk(sim.Peer());
    EXPECT_EQ(expected.size(), 54u); // 52 ports, the processor and VLAN 1
    EXPECT_EQ(rows, expected);
    auto* counter = Find<QLineEdit>(dialog.get(), "rowCountEdit");
    EXPECT_EQ(counter->text().toStdString(), std::to_string(expected.size()));

    // The row counter starts at zero again on Refresh.
    sim.Pause();
    ASSERT_TRUE(testsupport::Click(dialog.get(), "refreshButton"));
    EXPECT_EQ(counter->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog->List()->RowCount(), 0);
    sim.Resume();
    ASSERT_TRUE(mibviews::WaitForWalk(dialog.get()));
    EXPECT_EQ(counter->text(), QStringLiteral("54"));
}

TEST_F(TableViewsTest, IpTcpAndUdpTablesShowTheirCaptionHeadersAndRows) {
    struct View {
        std::unique_ptr<CPublicMibTableDialog> dialog;
        std::string caption;
        Texts headers;
        Rows rows;
    };
    View views[] = {
        {OpenWalked<CIpTableDlg>(),
         "IP Table : " + sim.Address(),
         {" IP                ", " Netmask               "},
         {{"127.0.0.1", "255.0.0.0"}, {"192.0.2.10", "255.255.255.0"}}},
        {OpenWalked<CTcpServiceDlg>(),
         "TCP Service",
         {"Local Port ", " Local IP        ", " Remote IP       ", "Remote Port", " Status "},
         {{"23", "0.0.0.0", "0.0.0.0", "0", "listen"},
          {"80", "0.0.0.0", "0.0.0.0", "0", "listen"},
          {"23", "192.0.2.10", "192.0.2.50", "51234", "established"},
          {"80", "192.0.2.10", "192.0.2.51", "40000", "timeWait"}}},
        {OpenWalked<CUdpServiceDlg>(),
         "UDP Service",
         {"  Local Port ", "  Local IP      "},
         {{"67", "0.0.0.0"}, {"69", "0.0.0.0"}, {"161", "0.0.0.0"}, {"514", "0.0.0.0"}}},
    };
    for (const View& view : views) {
        SCOPED_TRACE(view.caption);
        EXPECT_EQ(view.dialog->windowTitle().toStdString(), view.caption);
        EXPECT_EQ(ListHeaders(view.dialog->List()), view.headers);
        EXPECT_EQ(ListRows(view.dialog->List()), view.rows);
    }
}

TEST_F(TableViewsTest, AWalkThatTimesOutKeepsItsRowsAndEnablesRefresh) {
    ASSERT_TRUE(StartSimulator({"KSX-7700-52", {"--drop-after", "2"}}));
    auto late = OpenWalked<CUdpServiceDlg>();
    EXPECT_EQ(late->List()->RowCount(), 2);
    EXPECT_TRUE(trace.Contains("call back iStatus = -1"));
}

} // namespace
