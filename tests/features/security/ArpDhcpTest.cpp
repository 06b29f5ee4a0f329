// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ARP spoofing prevention and DHCP server screening: the rules as tables, the dialogs against
// ksx-sim.
#include "features/common/PortGrid.h"
#include "features/security/ArpSpoofingDialog.h"
#include "features/security/DhcpScreenDialog.h"
#include "tests/features/security/SecurityTestSupport.h"

#include <QLineEdit>

namespace {

using platform::MessageResult;
using securitytest::P;
using namespace testsupport;

const std::string kArp = P + ".14.3.1.1";
const std::string kServer = P + ".14.7.2.1";
const std::string kTrunk12 = P + ".8.1.3.1.2.1|4x|C0000000"; // ports 1 and 2 aggregated

PortFlags Ports(std::initializer_list<int> ports, int count = 28) {
    PortFlags flags(static_cast<std::size_t>(count), 0);
    for (int port : ports) {
        flags[static_cast<std::size_t>(port - 1)] = 1;
    }
    return flags;
}

TEST(ArpDhcpRules, GatewayEntryChecks) {
    const std::vector<arp::GatewayRow> listed = {{"10.0.0.1", "00-0A-95-9D-68-16", "1", 1}};
    const auto alike = [](const PortFlags& f) { return f[0] == f[1]; }; // ports 1, 2 aggregated
    struct Case {
        const char* ip;
        const char* mac;
        PortFlags ports;
        const char* refusal;
    } cases[] = {
        {"10.0.0.1", "00-0a-95-9d-68-16", Ports({3}), "Duplicate MAC and IP."},
        {"10.0.0.1", "00-0A-95-9D-68-17", Ports({3}), "Duplicate IP."},
        {"10.0.0.1", "00-0a-95-9d-68-16", Ports({}), "Duplicate MAC and IP."},
        {"10.0.0.1", "00-0A-95-9D-68-17", Ports({}), "Duplicate IP."},
        {"10.0.0.2", "00-0A-95-9D-68-16", Ports({}), "please select one port at least."},
        {"10.0.0.2", "00-0A-95-9D-68-16", Ports({1}),
         "ARP Spoofing Prevention enabled port must match to the aggregated link port."},
        {"10.0.0.2", "00-0A-95-9D-68-16", Ports({1, 2}), ""},
    };
    for (const Case& c : cases) {
        const auto refusal = arp::CheckEntry(listed, c.ip, c.mac, c.ports, alike);
        EXPECT_EQ(refusal ? refusal->text : "", c.refusal) << c.ip << " " << c.mac;
    }
}

TEST(ArpDhcpRules, TrustedPortsAndServers) {
    const auto alike = [](const PortFlags& f) { return f[0] == f[1]; };
    EXPECT_EQ(dhcp::PlanTrustedPorts("1-29", 28, alike).refusal->text, "Invalid Port list");
    EXPECT_EQ(dhcp::PlanTrustedPorts("1,4", 28, alike).refusal->text,
              "The link aggregation member port can not be configured.");
    EXPECT_EQ(dhcp::PlanTrustedPorts(" ", 28, alike).Request().Bindings()[0].value,
              PortFlagsToPortList(Ports({}))); // trusts no port

    std::vector<dhcp::ServerRow> rows = {{2, "10.0.0.2", 1}, {3, "10.0.0.3", 2}};
    EXPECT_EQ(dhcp::FreeServerIndex(rows), 1);
    rows.push_back({1, "10.0.0.1", 1});
    EXPECT_EQ(dhcp::FreeServerIndex(rows), 4);
    EXPECT_EQ(dhcp::CheckServer(3, "10.0.0.0", rows)->text, "Invalid IP address.");
    EXPECT_EQ(dhcp::CheckServer(4, "10.0.0.255", rows)->text, "Invalid server IP address.");
    EXPECT_EQ(dhcp::CheckServer(4, "10.0.0.2", rows)->text, "Duplicate server IP address.");
    rows.resize(5);
    EXPECT_EQ(dhcp::CheckServer(4, "10.0.0.9", rows)->text, "The maximum entries is 5.");
    EXPECT_EQ(dhcp::CheckServer(4, "10.0.0.2", rows)->text, "The maximum entries is 5.");
    EXPECT_EQ(dhcp::CheckServer(4, "10.0.0.255", rows)->text, "Invalid server IP address.");
}

using ArpDhcpDialogTest = securitytest::SecurityFixture;

TEST_F(ArpDhcpDialogTest, SixtyFourGatewaysRefuseAnotherOne) {
    std::vector<std::string> lines;
    for (int n = 1; n <= 63; ++n) { // and the switch's own entry of 192.0.2.1
        const std::string index = ".10.0.0." + std::to_string(n);
        char mac[13];
        std::snprintf(mac, sizeof mac, "001b2c0100%02x", n);
        lines.push_back(kArp + ".1" + index + "|64|10.0.0." + std::to_string(n));
        lines.push_back(kArp + ".2" + index + "|4x|" + mac);
        lines.push_back(kArp + ".3" + index + "|4x|10000000");
        lines.push_back(kArp + ".4" + index + "|2|1");
    }
    Restart("KSX-7700-28", lines);
    auto dialog = Open<CArpSpoofingDlg>();
    int entryDialogs = 0; // the entry dialogs Add opened
    WhenModalOpens(dialog.get(), [&](QDialog& entry) {
        entryDialogs += dynamic_cast<CArpEntryDlg*>(&entry) != nullptr;
        entry.reject();
    });
    ASSERT_TRUE(WaitForRows(*dialog->List(), 64, *dialog, "addButton"));
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "totalEntries")->text(), "64");
    EXPECT_EQ(dialog->List()->Cell(0, 3), "4");
    EXPECT_EQ(Press(dialog.get(), "addButton"), Texts{arp::kMaximumRefusal});
    EXPECT_EQ(entryDialogs, 0);

    ASSERT_TRUE(ClickRow(dialog->List(), 63));
    const std::string ip = dialog->List()->Cell(63, 1).toStdString();
    Press(dialog.get(), "deleteButton");
    EXPECT_EQ(TakeBindings(), Texts{kArp + ".4." + ip + " = INTEGER: 6"});
    ASSERT_TRUE(WaitForRows(*dialog->List(), 63, *dialog, "addButton"));
    EXPECT_TRUE(Press(dialog.get(), "addButton").empty());
    EXPECT_EQ(entryDialogs, 1);
}

TEST_F(ArpDhcpDialogTest, AGatewayEntryIsCheckedAskedForAndWrittenInThreeSteps) {
    Restart("KSX-7700-28", {kTrunk12});
    auto dialog = Open<CArpSpoofingDlg>();
    ASSERT_TRUE(WaitForRows(*dialog->List(), 1, *dialog, "addButton"));
    WhenModalOpens(dialog.get(), [&](QDialog& entryDialog) {
        QDialog* entry = &entryDialog;
        EXPECT_NE(dynamic_cast<CArpEntryDlg*>(entry), nullptr);
        EXPECT_TRUE(WaitForButton(entry, "applyButton"));
        const auto apply = [&](const std::string& ip, const char* mac,
                               std::initializer_list<MessageResult> answers = {}) {
            EXPECT_TRUE(TypeAddress(entry, "gatewayIp", ip));
            EXPECT_TRUE(Type(entry, "gatewayMac", mac));
            messages.Answer(answers);
            return Press(entry);
        };
        EXPECT_EQ(apply("192.0.2.1", "00-1B-2C-00-00-02"), Texts{"Duplicate IP."});
        EXPECT_TRUE(testsupport::Click(entry, "port1"));
        EXPECT_EQ(
            apply("10.1.1.1", "00-1B-2C-00-00-02"),
            Texts{"ARP Spoofing Prevention enabled port must match to the aggregated link port."});
        EXPECT_TRUE(testsupport::Click(entry, "allPorts"));
        EXPECT_EQ(apply("10.1.1.1", "00-1B-2C-00-00-02", {MessageResult::Cancel}),
                  Texts{arp::kQuestion});
        EXPECT_TRUE(TakeSets().empty());
        EXPECT_TRUE(testsupport::Click(entry, "allPorts") && // clears every port
                    testsupport::Click(entry, "port1") && testsupport::Click(entry, "port2"));
        EXPECT_EQ(apply("10.1.1.1", "00-1B-2C-00-00-02", {MessageResult::Ok}),
                  Texts{arp::kQuestion});
        EXPECT_TRUE(Find<QLineEdit>(entry, "gatewayMac")->text().isEmpty());
        entry->reject();
    });
    Press(dialog.get(), "addButton");
    const std::string index = ".10.1.1.1";
    EXPECT_EQ(TakeBindings(), (Texts{kArp + ".4" + index + " = INTEGER: 5",
                                     kArp + ".2" + index + " = OCTET STRING: 0x001b2c000002",
                                     kArp + ".3" + index + " = OCTET STRING: 0xc0000000",
                                     kArp + ".4" + index + " = INTEGER: 1"}));
    ASSERT_TRUE(WaitForRows(*dialog->List(), 2, *dialog, "addButton"));
    EXPECT_EQ(dialog->List()->Cell(0, 3), "1-2");
}

TEST_F(ArpDhcpDialogTest, TrustedPortsTakeWholeLinksAndANewServerTheLowestFreeIndex) {
    Restart("KSX-7700-28", {kTrunk12, P + ".14.7.1.0|4x|30000000", kServer + ".1.2|2|2",
                            kServer + ".2.2|64|192.0.2.5", kServer + ".3.2|2|1"});
    auto dialog = Open<CDhcpScreenDlg>();
    const auto idle = [&] {
        return ButtonEnabled(dialog.get(), "serverAddButton") &&
               ButtonEnabled(dialog.get(), "trustedAddButton");
    };
    ASSERT_TRUE(WaitUntil(idle));
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "trustedPorts")->text(), "3-4");
    EXPECT_TRUE(Press(dialog.get(), "trustedAddButton").empty()); // unchanged: not written
    const auto addPorts = [&](const char* text) {
        EXPECT_TRUE(Type(dialog.get(), "trustedPorts", text));
        return Press(dialog.get(), "trustedAddButton");
    };
    EXPECT_EQ(addPorts("1,3-4"), Texts{"The link aggregation member port can not be configured."});
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_TRUE(addPorts("1-2,4").empty());
    EXPECT_EQ(TakeBindings(), Texts{P + ".14.7.1.0 = OCTET STRING: 0xd0000000"});
    ASSERT_TRUE(WaitUntil(idle));
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "trustedPorts")->text(), "1-2,4");

    ASSERT_EQ(dialog->List()->RowCount(), 2);
    const auto addServer = [&](const std::string& ip) {
        EXPECT_TRUE(TypeAddress(dialog.get(), "serverIp", ip));
        return Press(dialog.get(), "serverAddButton");
    };
    EXPECT_EQ(addServer("192.0.2.5"), Texts{"Duplicate server IP address."});
    EXPECT_TRUE(Refuses(dialog.get(), {"Please select the entry to delete."}, "deleteButton"));

    ASSERT_TRUE(ClickRow(dialog->List(), 0));
    Press(dialog.get(), "deleteButton");
    EXPECT_EQ(TakeBindings(), Texts{kServer + ".3.1 = INTEGER: 6"});
    ASSERT_TRUE(WaitUntil([&] { return idle() && dialog->List()->RowCount() == 1; }));
    EXPECT_TRUE(addServer("10.1.1.5").empty());
    EXPECT_EQ(TakeBindings(),
              (Texts{kServer + ".3.1 = INTEGER: 5", kServer + ".2.1 = IpAddress: 10.1.1.5",
                     kServer + ".3.1 = INTEGER: 1"}));
    ASSERT_TRUE(WaitUntil([&] { return idle() && dialog->List()->RowCount() == 2; }));
    EXPECT_EQ(CellsOf(dialog->List(), {{0, 0}, {0, 1}}), (Texts{"1", "10.1.1.5"}));
}

} // namespace
