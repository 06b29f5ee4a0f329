// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Apply rules of the IGMP data class, as tables: the first
// refusal, the questions, and exactly what goes into each request.
#include "features/common/FixedPortList.h"
#include "features/common/SnmpRequests.h"
#include "features/l2/IgmpMib.h"

#include "tests/support/PlanLines.h"

#include <gtest/gtest.h>

namespace {

using namespace igmp;

const std::string G = PrivateOid("10");
const std::string Q = std::string(kPrivateMib);

using testsupport::Lines;
using testsupport::RefusalOf;

// The switch's values: snooping on, host 260, router 260, robustness 2, last member 1,
// query 125, max response 10.
CIgmpMib::Global Enabled() {
    return {kEnabled, {260, 260, 2, 1, 125, 10}};
}

TEST(IgmpRules, TimersAreCheckedInOrderAtTheirBounds) {
    struct Case {
        TimerInput typed;
        std::string refusal;
    };
    const Case cases[] = {
        {{130, 60, 2, 1, 60, 10}, ""},
        {{153025, 600, 255, 25, 600, 25}, ""},
        {{129, 60, 2, 1, 60, 10}, "Invalid Host Timeout (130-153025 sec)."},
        {{153026, 59, 2, 1, 60, 10}, "Invalid Host Timeout (130-153025 sec)."},
        {{130, 601, 1, 1, 60, 10}, "Invalid Router Timeout (60-600 sec)."},
        {{130, 60, 256, 1, 60, 10}, "Invalid Robustness Variable (2-255)."},
        {{130, 60, 2, 0, 60, 10}, "Invalid Last Member Query Interval (1-25 sec)."},
        {{130, 60, 2, 1, 59, 10}, "Invalid Query Interval (60-600 sec)."},
        {{130, 60, 2, 1, 60, 9}, "Invalid Max. Response Time (10-25 sec)."},
        {{130, 60, 1, 0, 59, 9}, "Invalid Robustness Variable (2-255)."},
        {{130, 60, 2, 26, 601, 26}, "Invalid Last Member Query Interval (1-25 sec)."},
        {{130, 60, 2, 1, 601, 26}, "Invalid Query Interval (60-600 sec)."},
        {{std::nullopt, 60, 2, 1, 60, 10}, "Invalid Host Timeout (130-153025 sec)."},
    };
    for (const Case& c : cases) {
        const ApplyPlan plan = CIgmpMib::PlanGlobal(Enabled(), true, c.typed);
        EXPECT_EQ(RefusalOf(plan.refusal), c.refusal);
        EXPECT_EQ(plan.refusal.has_value(), plan.steps.empty() && !c.refusal.empty());
    }
}

TEST(IgmpRules, GlobalWritesFollowTheStateAndOnlyTheChangedTimers) {
    CIgmpMib::Global disabled = Enabled();
    disabled.state = kDisabled;
    struct Case {
        CIgmpMib::Global old;
        bool enable;
        bool asks;
        std::vector<std::vector<std::string>> requests;
    };
    const Case cases[] = {
        {disabled, false, true, {}},
        {disabled, true, false, {{G + ".1.1.0=1"}, {G + ".1.6.0=300"}}},
    };
    for (const Case& c : cases) {
        const ApplyPlan plan =
            CIgmpMib::PlanGlobal(c.old, c.enable, TimerInput{260, 260, 2, 1, 300, 10});
        EXPECT_EQ(plan.questions.size(), c.asks ? 1u : 0u);
        EXPECT_EQ(Lines(plan.steps), c.requests);
    }
}

TEST(IgmpRules, VlanWritesDependOnTheOldAndNewState) {
    VlanRow on{7, "v7", kEnabled, kDisabled, kDisabled, ""};
    VlanRow off{7, "v7", kDisabled, kDisabled, kDisabled, ""};
    const std::string s = G + ".3.4.1.2.7=", q = G + ".3.4.1.4.7=", f = G + ".3.4.1.8.7=";
    struct Case {
        const VlanRow* picked;
        long state;
        std::string refusal;
        bool asks;
        std::vector<std::vector<std::string>> requests;
    };
    const Case cases[] = {
        {nullptr, kEnabled, "Please select Vlan first.", false, {}},
        {&off, kDisabled, "", false, {}},
        {&on, kDisabled, "", true, {{s + "2"}, {q + "1", f + "2"}}},
        {&off, kEnabled, "", false, {{q + "1", f + "2", s + "1"}}},
        {&on, kEnabled, "", false, {{q + "1", f + "2"}}},
    };
    for (const Case& c : cases) {
        const ApplyPlan plan = CIgmpMib::PlanVlan(c.picked, c.state, kEnabled, kDisabled);
        EXPECT_EQ(RefusalOf(plan.refusal), c.refusal);
        EXPECT_EQ(plan.questions.size(), c.asks ? 1u : 0u);
        EXPECT_EQ(Lines(plan.steps), c.requests);
    }
}

TEST(PortListRules, RouterAndUplinkPortsTakeTheModelsLength) {
    PortFlags flags(52, 0);
    flags[0] = flags[51] = 1;
    EXPECT_EQ(FixedLengthPortList(flags, 52),
              std::string("\x80\x00\x00\x00\x00\x00\x10\x00\x00\x00\x00\x00", 12));
    EXPECT_EQ(FixedLengthPortList(PortFlags(28, 1), 28),
              std::string("\xff\xff\xff\xf0\x00\x00\x00\x00", 8));
    EXPECT_EQ(FixedLengthPortList(PortFlags(20, 0), 20), std::string(4, '\0'));
}

} // namespace
