// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// 802.1X: the rules as tables, the settings and port dialogs against ksx-sim.
#include "features/security/Dot1xDialog.h"
#include "features/security/Dot1xPortDialog.h"
#include "tests/features/security/SecurityTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

using namespace dot1x;
using securitytest::P;
using namespace testsupport;

const std::string kKey = "n0t-in-the-trace";

SettingsInput ValidInput() {
    SettingsInput input;
    input.state = 1;
    input.filledServerFields = 4;
    input.server = "10.1.1.9";
    input.key = input.confirm = kKey;
    input.timers = {"60", "30", "30", "30", "2", "3600"};
    return input;
}

TEST(Dot1xRules, EveryFieldIsCheckedBeforeAnythingIsSent) {
    struct Case {
        std::function<void(SettingsInput&)> change;
        const char* refusal;
    } cases[] = {
        {[](SettingsInput& in) { in.server = "0.0.0.0"; }, "Invalid RADIUS Server IP Address."},
        {[](SettingsInput& in) { in.server = "10.1.1.255"; }, "Invalid RADIUS Server IP Address."},
        {[](SettingsInput& in) { in.filledServerFields = 3; }, "Invalid RADIUS Server IP Address."},
        {[](SettingsInput& in) { in.key = in.confirm = ""; }, "Invalid Key."},
        {[](SettingsInput& in) { in.confirm = "other"; }, "Please confirm the key again !"},
        {[](SettingsInput& in) { in.timers[0] = "65536"; }, "Invalid QuietPeriod (0-65535)"},
        {[](SettingsInput& in) { in.timers[1] = "0"; }, "Invalid TxPeriod (1-65535)"},
        {[](SettingsInput& in) { in.timers[2] = ""; }, "Invalid SuppTimeout (1-65535)"},
        {[](SettingsInput& in) { in.timers[3] = "x"; }, "Invalid ServerTimeout (1-65535)"},
        {[](SettingsInput& in) { in.timers[4] = "11"; }, "Invalid MaxReq (1-10)"},
        {[](SettingsInput& in) { in.timers[5] = "4294967296"; },
         "Invalid ReAuthPeriod (1-4294967295)"},
        // Two fields wrong at once: the earlier check speaks.
        {[](SettingsInput& in) { in.server = "0.0.0.0", in.key = in.confirm = ""; },
         "Invalid RADIUS Server IP Address."},
        {[](SettingsInput& in) { in.key = "", in.confirm = "x"; }, "Invalid Key."},
        {[](SettingsInput& in) { in.confirm = "x", in.timers[0] = "65536"; },
         "Please confirm the key again !"},
    };
    for (const Case& c : cases) {
        SettingsInput input = ValidInput();
        c.change(input);
        const ApplyPlan plan = PlanSettings(input);
        ASSERT_TRUE(plan.refusal) << c.refusal;
        EXPECT_EQ(plan.refusal->text, c.refusal);
        EXPECT_TRUE(plan.steps.empty()) << c.refusal;
    }
    // Every timer from the k-th on out of range: the k-th speaks.
    const char* const outOfRange[] = {"65536", "0", "0", "0", "11", "0"};
    for (std::size_t k = 0; k < 6; ++k) {
        SettingsInput input = ValidInput();
        for (std::size_t later = k; later < 6; ++later) {
            input.timers[later] = outOfRange[later];
        }
        EXPECT_EQ(PlanSettings(input).refusal->text, cases[5 + k].refusal) << k;
    }
    SettingsInput input = ValidInput();
    input.timers[0] = "0";
    input.timers[5] = "4294967295";
    const ApplyPlan plan = PlanSettings(input);
    ASSERT_EQ(plan.steps.size(), 3u);
    EXPECT_EQ(plan.steps[2].request.Bindings()[5].type, 10);
    input.state = 2;
    input.timers[4] = "11"; // not looked at when 802.1X goes off
    ASSERT_EQ(PlanSettings(input).steps.size(), 1u);
    EXPECT_EQ(PlanSettings(input).Request().Bindings()[0].value, "2");

    const auto cut = CutKey(std::string(40, 'k'), 40);
    EXPECT_TRUE(cut.text == std::string(33, 'k') && cut.caret == 33);
    EXPECT_EQ(CutKey("abc", 1).caret, 1);
}

TEST(Dot1xRules, AtLeastOnePortStaysForceAuthorized) {
    std::vector<long> authorized(28, 3);
    std::vector<long> autoBut28(28, 2);
    autoBut28[27] = 3;
    PortFlags trunk12(28, 0);
    trunk12[0] = trunk12[1] = 1;
    const auto text = [](const std::string& which) {
        return "Could not set all port " + which + " to the port access control.";
    };
    struct Case {
        int from, to;
        long control;
        const std::vector<long>& controls;
        PortFlags trunks;
        std::string refusal;
    } cases[] = {
        {1, 28, 2, authorized, {}, text("AUTO ")},
        {1, 28, 1, authorized, {}, text(" Force Unauthorized")},
        {1, 27, 2, authorized, {}, ""},
        {28, 28, 1, autoBut28, {}, text("AUTO or Force Unauthorized")},
        {28, 28, 3, autoBut28, {}, ""},
        {2, 4, 3, authorized, trunk12, "Cannot add an aggregated link to the 802.1X-enabled port"},
        {3, 4, 2, authorized, trunk12, ""},
        {5, 4, 3, authorized, {}, "Invalid port range."},
    };
    for (const Case& c : cases) {
        const auto plan = PlanPortControl({c.from, c.to, c.control, 28, c.controls, c.trunks});
        EXPECT_EQ(plan.refusal ? plan.refusal->text : "", c.refusal) << c.from << "-" << c.to;
    }
    const auto plan = PlanPortControl({1, 52, 3, 52, std::vector<long>(52, 3), {}});
    ASSERT_EQ(plan.steps.size(), 2u);
    EXPECT_EQ(plan.steps[0].request.Size(), 30u);
    EXPECT_EQ(plan.steps[1].request.Size(), 22u);
}

class Dot1xDialogTest : public securitytest::SecurityFixture {};

TEST_F(Dot1xDialogTest, SettingsAreCheckedWholeAndTheKeyNeverReachesTheTrace) {
    auto dialog = OpenRead<CDot1xDlg>("applyButton");
    auto* enable = Find<QCheckBox>(dialog.get(), "enable8021x");
    EXPECT_FALSE(enable->isChecked());
    EXPECT_FALSE(Find<QLineEdit>(dialog.get(), "maxReq")->isEnabled());
    EXPECT_FALSE(ButtonEnabled(dialog.get(), "portSetButton"));
    EXPECT_TRUE(testsupport::Click(dialog.get(), "enable8021x"));
    EXPECT_TRUE(ButtonEnabled(dialog.get(), "portSetButton"));

    ASSERT_TRUE(TypeAddress(dialog.get(), "radiusServer", "10.1.1.9"));
    ASSERT_TRUE(Type(dialog.get(), "key", QString(40, 'k')));
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "key")->text(), QString(33, 'k'));
    ASSERT_TRUE(Type(dialog.get(), "key", QString::fromStdString(kKey)) &&
                Type(dialog.get(), "confirmKey", QString::fromStdString(kKey)) &&
                Type(dialog.get(), "maxReq", "3") && Type(dialog.get(), "reAuthPeriod", "7200"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    const std::string x = P + ".11.";
    EXPECT_EQ(TakeBindings(),
              (Texts{x + "1.1.0 = IpAddress: 10.1.1.9", x + "1.2.0 = OCTET STRING: " + kKey,
                     x + "2.1.0 = INTEGER: 1", x + "2.2.0 = INTEGER: 60", x + "2.3.0 = INTEGER: 30",
                     x + "2.4.0 = INTEGER: 30", x + "2.5.0 = INTEGER: 30", x + "2.6.0 = INTEGER: 3",
                     x + "2.7.0 = Gauge32: 7200", x + "2.8.0 = INTEGER: 2"}));
    for (const std::string& line : trace.Lines()) {
        EXPECT_EQ(line.find(kKey), std::string::npos) << line;
    }
    ASSERT_TRUE(WaitForButton(dialog.get(), "applyButton"));
    EXPECT_TRUE(enable->isChecked()); // read back from the switch
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "maxReq")->text(), "3");

    EXPECT_TRUE(testsupport::Click(dialog.get(), "enable8021x"));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(TakeBindings(), Texts{x + "2.1.0 = INTEGER: 2"});
}

class Dot1xPortTest : public securitytest::SecurityFixture {
protected:
    std::vector<std::string> ApplyRange(CDot1xPortDlg& dialog, int from, int to,
                                        const char* control) {
        EXPECT_TRUE(Choose(&dialog, "fromPort", QString::number(from)));
        EXPECT_TRUE(Choose(&dialog, "toPort", QString::number(to)));
        EXPECT_TRUE(Choose(&dialog, "portControl", control));
        auto shown = Press(&dialog, "applyButton");
        EXPECT_TRUE(WaitForButton(&dialog, "applyButton"));
        return shown;
    }
};

// The rules (one port stays Force Authorized among them) are tabled above.
TEST_F(Dot1xPortTest, FiftyTwoPortsGoOutInBatchesOfThirtyAndTrunksAreRefused) {
    Restart("KSX-7700-52", {P + ".8.1.3.1.2.1|4x|0000000000003000"}); // ports 51 and 52
    auto dialog = Open<CDot1xPortDlg>(QStringList{"60", "30", "30", "30", "2", "3600", "Disabled"});
    ASSERT_TRUE(WaitForRows(*dialog->List(), 52, *dialog, "applyButton"));
    EXPECT_EQ(CellsOf(dialog->List(), {{0, 1}, {0, 2}, {0, 9}}),
              (Texts{"Authorized", "Force Authorized", "Disabled"}));
    EXPECT_EQ(ApplyRange(*dialog, 40, 52, "Force Authorized"),
              Texts{"Cannot add an aggregated link to the 802.1X-enabled port"});
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_TRUE(ApplyRange(*dialog, 1, 50, "Auto").empty());
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ((std::vector{sets[0].bindings.size(), sets[1].bindings.size()}),
              (std::vector<std::size_t>{30, 20}));
    EXPECT_EQ(sets[1].bindings.back().oid, P + ".11.2.9.1.2.50");
    ASSERT_TRUE(WaitForRows(*dialog->List(), 52, *dialog, "applyButton"));
    // Auto, and authorized as long as 802.1X is off.
    EXPECT_EQ(CellsOf(dialog->List(), {{49, 2}, {49, 1}}), (Texts{"Auto", "Authorized"}));
}

} // namespace
