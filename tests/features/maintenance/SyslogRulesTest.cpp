// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Apply rules of the syslog data class, as a table.
#include "features/common/SnmpRequests.h"
#include "features/maintenance/SyslogMib.h"
#include "tests/support/PlanLines.h"

#include <gtest/gtest.h>

namespace {

const std::string Q = std::string(kPrivateMib);

using testsupport::Lines;
using testsupport::RefusalOf;

TEST(SyslogRules, ChecksAndTheValuesWritten) {
    const std::string s = Q + ".16.1.";
    struct Case {
        CSyslogMib::Input input;
        std::string refusal;
        std::vector<std::vector<std::string>> steps;
    };
    const Case cases[] = {
        {{2, 0, "", std::nullopt, 128, 4}, "", {{s + "6.0=2"}}},
        {{1, 3, "10.0.0.0", 514, 128, 4}, "Invalid IP address.", {}},
        {{1, 4, "127.0.0.1", 514, 128, 4}, "Invalid Syslog Sever IP address.", {}},
        {{1, 4, "10.1.2.3", 65536, 128, 4}, "Invalid UDP port range (1-65535)", {}},
        {{1, 4, "10.1.2.3", 0, 128, 4}, "Invalid UDP port range (1-65535)", {}},
        {{1, 4, "10.1.2.3", 65535, 184, 7},
         "",
         {{s + "1.0=10.1.2.3", s + "2.0=65535", s + "4.0=7", s + "5.0=184"}, {s + "6.0=1"}}},
        {{77, 0, "", std::nullopt, 128, 4}, "", {{s + "6.0=77"}}}, // as the switch reported
    };
    for (const Case& c : cases) {
        const ApplyPlan plan = CSyslogMib::PlanApply(c.input);
        EXPECT_EQ(RefusalOf(plan.refusal), c.refusal);
        const bool aboutPort = c.refusal.starts_with("Invalid UDP");
        EXPECT_EQ(plan.refusal ? plan.refusal->field : "", c.refusal.empty() ? ""
                                                           : aboutPort ? CSyslogMib::kPortField
                                                                       : CSyslogMib::kAddressField);
        EXPECT_EQ(Lines(plan.steps), c.steps);
    }
}

} // namespace
