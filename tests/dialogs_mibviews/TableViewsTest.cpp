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
using mibviews::ShownRows;
using testsupport::Click;
using testsupport::Find;

const std::string kIfSpeed = "1.3.6.1.2.1.2.2.1.5";
const std::string kIfOperStatus = "1.3.6.1.2.1.2.2.1.8";

// A 52-port switch with a few interfaces of unusual speed and state.
class TableViewsTest : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        testsupport::SimFixture::Options options;
        options.arguments = DataArguments({
            kIfSpeed + ".1|66|10000",
            kIfSpeed + ".2|66|100000000",
            kIfSpeed + ".3|66|4294967295",
            kIfOperStatus + ".3|2|7",
            kIfOperStatus + ".4|2|3",
        });
        return options;
    }

    template <class Dialog> std::unique_ptr<Dialog> OpenWalked() {
        auto dialog = Open<Dialog>();
        EXPECT_TRUE(mibviews::WaitForWalk(dialog.get()));
        return dialog;
    }

    std::vector<std::string> Headers(const CReportList* list) {
        std::vector<std::string> headers;
        for (int column = 0; column < list->columnCount(); ++column) {
            headers.push_back(list->headerItem()->text(column).toStdString());
        }
        return headers;
    }
};

TEST_F(TableViewsTest, InterfaceTableShowsStatusAndWholeMegabits) {
    auto dialog = OpenWalked<CInterfaceTableDlg>();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Interface Table"));
    EXPECT_EQ(Headers(dialog->List()),
              (std::vector<std::string>{"  Index          ", "  Link Status             ",
                                        "  Speed(b/s)                      "}));
    const Rows rows = ShownRows(dialog->List());
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0][2], "0M");
    EXPECT_EQ(rows[1][2], "100M");
    EXPECT_EQ(rows[2][2], "4294M");
    EXPECT_EQ(rows[2][1], "Unknown");
    EXPECT_EQ(rows[3][1], "Test");

    // Every interface the switch has, as snmpwalk sees it.
    const Rows expected =
        mibviews::SnmpwalkRows(sim.Peer(), {"1.3.6.1.2.1.2.2.1.1", kIfOperStatus, kIfSpeed},
                               [](std::size_t column, const std::string& value) -> std::string {
                                   if (column == 1) {
                                       return value == "1"   ? "Connected"
                                              : value == "2" ? "UnConnected"
                                              : value == "3" ? "Test"
                                                             : "Unknown";
                                   }
                                   if (column == 2) {
                                       return std::to_string(std::stoull(value) / 1000000) + "M";
                                   }
                                   return value;
                               });
    EXPECT_EQ(expected.size(), 54u); // 52 ports, the processor and VLAN 1
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "rowCountEdit")->text().toStdString(),
              std::to_string(expected.size()));
}

TEST_F(TableViewsTest, InterfaceRowCounterRestartsAtZeroOnRefresh) {
    auto dialog = OpenWalked<CInterfaceTableDlg>();
    auto* counter = Find<QLineEdit>(dialog.get(), "rowCountEdit");
    sim.Pause();
    ASSERT_TRUE(Click(dialog.get(), "refreshButton"));
    EXPECT_EQ(counter->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog->List()->RowCount(), 0);
    sim.Resume();
    ASSERT_TRUE(mibviews::WaitForWalk(dialog.get()));
    EXPECT_EQ(counter->text(), QStringLiteral("54"));
}

TEST_F(TableViewsTest, IpTableCaptionNamesTheDevice) {
    auto dialog = OpenWalked<CIpTableDlg>();
    EXPECT_EQ(dialog->windowTitle().toStdString(), "IP Table : " + sim.Address());
    EXPECT_EQ(Headers(dialog->List()),
              (std::vector<std::string>{" IP                ", " Netmask               "}));
    EXPECT_EQ(ShownRows(dialog->List()),
              (Rows{{"127.0.0.1", "255.0.0.0"}, {"192.0.2.10", "255.255.255.0"}}));
}

TEST_F(TableViewsTest, TcpServiceShowsPortsAddressesAndStateNames) {
    auto dialog = OpenWalked<CTcpServiceDlg>();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("TCP Service"));
    EXPECT_EQ(Headers(dialog->List()),
              (std::vector<std::string>{"Local Port ", " Local IP        ", " Remote IP       ",
                                        "Remote Port", " Status "}));
    EXPECT_EQ(ShownRows(dialog->List()),
              (Rows{{"23", "0.0.0.0", "0.0.0.0", "0", "listen"},
                    {"80", "0.0.0.0", "0.0.0.0", "0", "listen"},
                    {"23", "192.0.2.10", "192.0.2.50", "51234", "established"},
                    {"80", "192.0.2.10", "192.0.2.51", "40000", "timeWait"}}));
}

TEST_F(TableViewsTest, UdpServiceShowsPortThenAddress) {
    auto dialog = OpenWalked<CUdpServiceDlg>();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("UDP Service"));
    EXPECT_EQ(Headers(dialog->List()),
              (std::vector<std::string>{"  Local Port ", "  Local IP      "}));
    EXPECT_EQ(ShownRows(dialog->List()),
              (Rows{{"67", "0.0.0.0"}, {"69", "0.0.0.0"}, {"161", "0.0.0.0"}, {"514", "0.0.0.0"}}));
}

TEST_F(TableViewsTest, AWalkThatTimesOutKeepsItsRowsAndEnablesRefresh) {
    ASSERT_TRUE(StartSimulator({"KSX-7700-52", {"--drop-after", "2"}}));
    auto late = Open<CUdpServiceDlg>();
    ASSERT_TRUE(mibviews::WaitForWalk(late.get()));
    EXPECT_EQ(late->List()->RowCount(), 2);
    EXPECT_TRUE(trace.Contains("call back iStatus = -1"));
}

} // namespace
