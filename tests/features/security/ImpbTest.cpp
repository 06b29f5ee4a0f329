// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// IP-MAC-port binding: the rules as tables, and the four dialogs against ksx-sim.
#include "features/security/BlackListDialog.h"
#include "features/security/ImpbSettingsDialog.h"
#include "features/security/SmartBindingDialog.h"
#include "features/security/WhiteListDialog.h"
#include "tests/features/security/SecurityTestSupport.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

using namespace impb;
using securitytest::P;
using namespace testsupport;

const std::string kWhite = P + ".14.10.3.1";
const std::string kImpbPort = P + ".14.10.1.1";

TEST(ImpbRules, IncompleteEntriesHaveNoIndex) {
    EXPECT_EQ(WhiteListIndex("10.1.1", "00-11-22-33-44-55"), "");
    HostRow row{"10.1.1.2", "00-0A-95-9D-68-16", 20, 7, 2};
    row.vid.reset();
    EXPECT_EQ(BlackListIndex(row), "");
}

TEST(ImpbRules, PortSettingsChecks) {
    const PortFlags noTrunks(28, 0);
    PortFlags trunk12(28, 0);
    trunk12[0] = trunk12[1] = 1;
    struct Case {
        int from, to;
        long admin;
        const PortFlags& trunks;
        int whiteList;
        const char* refusal;
    } cases[] = {
        {1, 28, 1, noTrunks, 0, kLockOutRefusal}, {1, 27, 1, noTrunks, 0, nullptr},
        {2, 28, 1, noTrunks, 0, nullptr},         {1, 28, 1, noTrunks, 1, nullptr},
        {1, 28, 0, noTrunks, 0, nullptr},         {2, 5, 1, trunk12, 3, kTrunkRefusal},
        {1, 28, 1, trunk12, 0, kTrunkRefusal},    {3, 5, 1, trunk12, 3, nullptr},
        {1, 2, 0, trunk12, 3, nullptr},           {1, 1, 1, trunk12, 3, kTrunkRefusal},
    };
    for (const Case& c : cases) {
        const auto refusal =
            CheckPortSettings({c.from, c.to, c.admin, 1, 0}, 28, c.trunks, c.whiteList);
        EXPECT_EQ(refusal ? refusal->text : "", c.refusal ? c.refusal : "")
            << c.from << "-" << c.to << " admin " << c.admin;
    }
}

TEST(ImpbRules, InputRefusals) {
    EXPECT_EQ(BindingAddressRefusal(3, "10.1.1.0")->text, "Invalid IP Address.");
    EXPECT_EQ(BindingAddressRefusal(4, "127.0.0.1")->text, "Invalid IP Address.");
    EXPECT_FALSE(BindingAddressRefusal(4, "10.1.1.2"));
    EXPECT_EQ(BindingMacRefusal("01-11-22-33-44-55")->text, "Multicast MAC is not allowed.");
    EXPECT_FALSE(BindingMacRefusal("00-11-22-33-44-55"));
    for (const char* port : {"", "0", "29", "x"}) {
        EXPECT_EQ(BindingPortRefusal(port, 28)->text, "Invalid port number.") << port;
    }
    EXPECT_FALSE(BindingPortRefusal("28", 28));
    EXPECT_EQ(ScanRangeRefusal(2, "10.0.0.0", 4, "10.1.1.9")->text, "Invalid From IP address !");
    EXPECT_EQ(ScanRangeRefusal(4, "10.1.1.1", 0, "0.0.0.0")->text, "Invalid To IP address !");
    EXPECT_EQ(ScanRangeRefusal(4, "10.1.1.1", 4, "10.1.1.255")->text, "Invalid IP Address.");
    EXPECT_FALSE(ScanRangeRefusal(4, "10.1.1.1", 4, "10.1.1.9"));
}

TEST(ImpbRules, FindComparesEachFilledField) {
    std::vector<BlackListEntry> store = {{{"10.0.0.1", "00-0A-95-9D-68-16", 1, 3, 2}, 2},
                                         {{"10.0.0.2", "00-0A-95-9D-68-17", 20, 3, 2}, 2}};
    const auto marks = [&] { return std::vector<int>{store[0].mark, store[1].mark}; };
    FindInBlackList(store, {"", "", "00-0a-95-9d-68-16", ""});
    EXPECT_EQ(marks(), (std::vector<int>{2, 0}));
    FindInBlackList(store, {"", "", "", "3"});
    EXPECT_EQ(marks(), (std::vector<int>{2, 2}));
    FindInBlackList(store, {"20", "10.0.0.1", "", ""});
    EXPECT_EQ(marks(), (std::vector<int>{0, 0}));
}

using ImpbDialogTest = securitytest::SecurityFixture;

TEST_F(ImpbDialogTest, BindingOnEveryPortNeedsAWhiteListEntryAndATrunkMemberTakesNone) {
    {
        auto white = Open<CIMPBWhiteList>();
        ASSERT_TRUE(WaitForRows(*white->List(), 1, *white));
        EXPECT_EQ(Find<QLineEdit>(white.get(), "totalEntries")->text(), "1");
        EXPECT_EQ(Press(white.get(), "deleteButton"),
                  Texts{"Please select the item would be delete!\n"});
        ASSERT_TRUE(ClickRow(white->List(), 0));
        Press(white.get(), "deleteButton");
        ASSERT_TRUE(WaitForRows(*white->List(), 0, *white));
        EXPECT_EQ(TakeBindings(), Texts{kWhite + ".4.192.0.2.30.0.27.44.16.0.0 = INTEGER: 6"});
    }
    auto dialog = Open<CImpbSettingsDlg>();
    ASSERT_TRUE(WaitForRows(*dialog->List(), 28, *dialog, "applyButton"));
    EXPECT_EQ(dialog->List()->Cell(0, 2), "Disabled");
    ASSERT_TRUE(Choose(dialog.get(), "adminState", "Enabled"));
    EXPECT_TRUE(Refuses(dialog.get(), {kLockOutRefusal}));
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "adminState")->currentText(), "Disabled");

    ASSERT_TRUE(Choose(dialog.get(), "adminState", "Enabled") &&
                Choose(dialog.get(), "inspectionMode", "ARP+IP Inspection") &&
                Choose(dialog.get(), "toPort", "27"));
    // The refused Apply read the trunk membership again: Apply waits for it.
    EXPECT_TRUE(Press(dialog.get()).empty());
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 27u);
    EXPECT_EQ(Bindings(sets[26]),
              (Texts{kImpbPort + ".2.27 = INTEGER: 1", kImpbPort + ".3.27 = INTEGER: 0",
                     kImpbPort + ".4.27 = INTEGER: 0"}));
    ASSERT_TRUE(WaitForRows(*dialog->List(), 28, *dialog, "applyButton"));
    EXPECT_EQ(CellsOf(dialog->List(), {{26, 1}, {26, 2}, {27, 1}}),
              (Texts{"Enabled", "Enabled", "Disabled"}));

    // A trunk member takes no binding.
    Restart("KSX-7700-28", {P + ".8.1.3.1.2.1|4x|60000000"}); // ports 2 and 3
    dialog = Open<CImpbSettingsDlg>();
    ASSERT_TRUE(WaitForRows(*dialog->List(), 28, *dialog, "applyButton"));
    ASSERT_TRUE(Choose(dialog.get(), "adminState", "Enabled") &&
                Choose(dialog.get(), "toPort", "3"));
    EXPECT_TRUE(Refuses(dialog.get(), {kTrunkRefusal}));
}

// A listed row is bound once and never again; a binding typed in is checked, creates its
// white-list row, or destroys it again when the switch refuses its port.
TEST_F(ImpbDialogTest, SmartBindingBindsARowOnceAndCreatesOrDestroysATypedOne) {
    auto dialog = Open<CIMPBSmartBinding>();
    ASSERT_TRUE(WaitForRows(*dialog->List(), 1, *dialog));
    EXPECT_EQ(dialog->List()->Cell(0, 4), "Not Bound");
    EXPECT_EQ(Press(dialog.get(), "bindingButton"),
              Texts{"Please select the item would be Binding!\n"});
    ASSERT_TRUE(ClickRow(dialog->List(), 0));
    EXPECT_TRUE(Press(dialog.get(), "bindingButton").empty());
    EXPECT_EQ(TakeBindings(), Texts{P + ".14.10.2.1.5.0.27.44.16.0.1.3.192.0.2.31 = INTEGER: 1"});
    ASSERT_TRUE(WaitForRows(*dialog->List(), 1, *dialog, "bindingButton"));
    EXPECT_EQ(dialog->List()->Cell(0, 4), "Bound");
    ASSERT_TRUE(ClickRow(dialog->List(), 0));
    EXPECT_TRUE(Refuses(dialog.get(), {"The entry is bound."}, "bindingButton"));

    const auto add = [&](const std::string& ip, const char* port) {
        EXPECT_TRUE(TypeAddress(dialog.get(), "bindIpAddress", ip));
        EXPECT_TRUE(Type(dialog.get(), "bindMacAddress", "00-11-22-33-44-55"));
        EXPECT_TRUE(Type(dialog.get(), "bindPort", port));
        return Press(dialog.get(), "addButton");
    };
    const auto rowStatusAndPort = [](const std::string& ip, const char* port, const char* last) {
        const std::string row = "." + ip + ".0.17.34.51.68.85 = INTEGER: ";
        return Texts{kWhite + ".4" + row + "5", kWhite + ".3" + row + port,
                     kWhite + ".4" + row + last};
    };
    EXPECT_EQ(add("10.1.1.2", "29"), Texts{"Invalid port number."});
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_EQ(add("10.1.1.2", "28"), Texts{"Success!"});
    EXPECT_EQ(TakeBindings(), rowStatusAndPort("10.1.1.2", "28", "1"));
    EXPECT_TRUE(Find<QLineEdit>(dialog.get(), "bindMacAddress")->text().isEmpty());

    DeviceValues().DevicePortCount = 52; // the module believes in more ports than the switch has
    const auto shown = add("10.1.1.3", "40");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0], "Success!");
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "bindPort")->text(), "40"); // what was typed stays
    EXPECT_EQ(TakeBindings(), rowStatusAndPort("10.1.1.3", "40", "6"));
}

TEST_F(ImpbDialogTest, BlackListFindsByMacInAnyCaseAndRemovesAnEntryOfItsOwnVlan) {
    auto dialog = Open<CIMPBBlackList>();
    ASSERT_TRUE(WaitForRows(*dialog->List(), 2, *dialog));
    ASSERT_TRUE(Type(dialog.get(), "macSearch", "00-1b-2c-66-00-02"));
    EXPECT_TRUE(Press(dialog.get(), "findButton").empty());
    ASSERT_EQ(dialog->List()->RowCount(), 1);
    EXPECT_EQ(CellsOf(dialog->List(), {{0, 0}, {0, 2}}), (Texts{"20", "00-1B-2C-66-00-02"}));
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "totalEntries")->text(), "1");
    EXPECT_TRUE(TakeSets().empty());

    ASSERT_TRUE(ClickRow(dialog->List(), 0));
    Press(dialog.get(), "deleteButton");
    EXPECT_EQ(TakeBindings(), Texts{P + ".14.10.4.1.5.0.27.44.102.0.2.20.28 = INTEGER: 1"});
    ASSERT_TRUE(WaitForRows(*dialog->List(), 1, *dialog, "findButton"));
    EXPECT_EQ(dialog->List()->Cell(0, 0), "1");
}

} // namespace
