// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Apply rules of the layer-2 settings as tables, and the sniffer modes of port mirroring
// as read from the two lists, without a switch.
#include "features/l2/BandwidthMib.h"
#include "features/l2/MirrorMib.h"
#include "features/l2/SegmentationMib.h"
#include "features/l2/SpanningTreeMib.h"
#include "features/l2/StormControlMib.h"
#include "snmp/PortEncoding.h"

#include <gtest/gtest.h>

namespace {

using Bindings = std::vector<CSetRequest::Binding>;
const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kNRefusal = "Invalid input of N ( input range must between 1~16000)";

CSetRequest::Binding Int(const std::string& oid, long value) {
    return {oid, 1, std::to_string(value)};
}

struct StormCase {
    long state; // 1 enabled, 2 disabled, or what the switch reported
    long type;
    std::optional<long long> n;
    CStormControlMib::Model remembered;
    std::string refusal;
    Bindings sent;
};

TEST(StormControlRules, RangeOfNThenOnlyWhatChanged) {
    const std::string state = P + ".13.3.1.0", type = P + ".13.3.2.0", limit = P + ".13.3.3.0";
    const CStormControlMib::Model off{2, 1, 64000}, on{1, 1, 64000};
    const StormCase cases[] = {
        {1, 1, 0, off, kNRefusal, {}},
        {1, 1, 16001, off, kNRefusal, {}},
        {1, 1, std::nullopt, off, kNRefusal, {}},
        {2, 1, 0, off, kNRefusal, {}}, // N is checked even while storm control is off
        {1, 1, 16000, off, "", {Int(state, 1), Int(limit, 1024000)}},
        {1, 3, 1, off, "", {Int(state, 1), Int(type, 3), Int(limit, 64)}},
        {2, 3, 5, off, "", {}}, // still off: nothing at all
        {1, 1, 1000, on, "", {}},
        {1, 2, 1000, on, "", {Int(type, 2)}},
        {2, 2, 7, on, "", {Int(state, 2)}},
        {1, 1, 1000, {}, "", {Int(state, 1), Int(type, 1), Int(limit, 64000)}}, // never read
        {77, 1, 1000, {77, 1, 64000}, "", {}}, // a state outside the pair stays as it was
    };
    for (const StormCase& c : cases) {
        const ApplyPlan plan = CStormControlMib::PlanApply({c.state, c.type, c.n}, c.remembered);
        EXPECT_EQ(plan.refusal ? plan.refusal->text : "", c.refusal) << c.n.value_or(-1);
        EXPECT_EQ(plan.Request().Bindings(), c.sent) << c.n.value_or(-1);
    }
    EXPECT_EQ(CStormControlMib::NText(0), "0");
    EXPECT_EQ(CStormControlMib::NText(1024000), "16000");
    EXPECT_EQ(CStormControlMib::NText(std::nullopt), "");
}

TEST(BandwidthRules, RateRangeTrunkedPortsAndTheColumnsOfEachPort) {
    const std::string tx = P + ".13.1.2.1.2", rx = P + ".13.1.2.1.3";
    const PortFlags noTrunks(28, 0);
    PortFlags trunks = noTrunks;
    trunks[4] = trunks[5] = 2;
    struct Case {
        CBandwidthMib::Input input;
        const PortFlags& trunkPorts;
        std::string refusal;
        std::vector<Bindings> sent;
    } const cases[] = {
        {{1, 1, CBandwidthMib::kRx, false, 63}, noTrunks, "Invalid Rate.", {}},
        {{1, 1, CBandwidthMib::kRx, false, 1024001}, noTrunks, "Invalid Rate.", {}},
        {{1, 1, CBandwidthMib::kRx, false, std::nullopt}, noTrunks, "Invalid Rate.", {}},
        {{1, 1, CBandwidthMib::kRx, false, 64}, noTrunks, "", {{Int(rx + ".1", 64)}}},
        {{3, 3, CBandwidthMib::kTx, false, 1024000}, noTrunks, "", {{Int(tx + ".3", 1024000)}}},
        {{1, 2, CBandwidthMib::kBoth, true, std::nullopt},
         noTrunks,
         "",
         {{Int(rx + ".1", 0), Int(tx + ".1", 0)}, {Int(rx + ".2", 0), Int(tx + ".2", 0)}}},
        {{3, 8, CBandwidthMib::kRx, false, 64},
         trunks,
         "You can't set the rate of Ports:5,6.because they are in aggregated link.",
         {}},
        {{6, 6, CBandwidthMib::kRx, true, std::nullopt},
         trunks,
         "You can't set the rate of Ports:6.because they are in aggregated link.",
         {}},
        // The rate is checked before the trunks.
        {{5, 6, CBandwidthMib::kRx, false, 10}, trunks, "Invalid Rate.", {}},
    };
    for (const Case& c : cases) {
        const auto plan = CBandwidthMib::PlanApply(c.input, c.trunkPorts);
        EXPECT_EQ(plan.refusal ? plan.refusal->text : "", c.refusal);
        std::vector<Bindings> sent;
        for (const SetStep& step : plan.steps) {
            sent.push_back(step.request.Bindings());
        }
        EXPECT_EQ(sent, c.sent) << c.input.fromPort << "-" << c.input.toPort;
    }
    const auto garbage = CBandwidthMib::ParseRow({"3", {"3", "\x01\x02", "0"}, {}});
    EXPECT_EQ(CBandwidthMib::RateCell(garbage->txRate), "");
    EXPECT_EQ(CBandwidthMib::RateCell(garbage->rxRate), "No Limit");
}

TEST(SegmentationRules, ForwardingPortListLengthIsFixedByTheModel) {
    struct Case {
        int portCount;
        std::vector<int> ports;
        std::string hex;
    } const cases[] = {
        {52, {1, 52}, "800000000000100000000000"},
        {20, {1, 20}, "80001000"},
        {48, {48}, "0000000000010000"},
        {10, {}, "00000000"},
    };
    for (const Case& c : cases) {
        PortFlags flags(static_cast<std::size_t>(c.portCount), 0);
        for (int port : c.ports) {
            flags[static_cast<std::size_t>(port - 1)] = 1;
        }
        EXPECT_EQ(BytesToHex(CSegmentationMib::ForwardingPortList(flags, c.portCount)), c.hex)
            << c.portCount;
    }
}

const std::string B = "1.3.6.1.2.1.17.2";
const std::string kAgeRange =
    "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !";
const std::string kDelayRange =
    "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !";
const std::string kHelloRange =
    "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !";
const std::string kHelloRelation =
    "To set the parameters Hello Time and Max Age the following "
    "relation is to be satisfied: \nMax Age >= (2*(Hello Time + 1.0))";
const std::string kDelayRelation =
    "To set the parameters Forward Delay and Max Age, the following "
    "relation is to be satisfied: \n2*(Forward Delay - 1) >= Max Age";

TEST(SpanningTreeRules, RangesComeFirstThenTheTwoRelations) {
    struct Case {
        std::optional<long long> age, delay, hello;
        std::string refusal;
    } const cases[] = {
        {500, 9999, 1, kAgeRange}, // the age range before anything else
        {std::nullopt, 1500, 200, kAgeRange},
        {4001, 1500, 200, kAgeRange},
        {600, 399, 200, kDelayRange},
        {600, 3001, 200, kDelayRange},
        {600, 1500, 99, kHelloRange},
        {600, 1500, 1001, kHelloRange},
        {600, 1500, 200, ""}, // 2 * 200 + 200 = 600
        {600, 1500, 201, kHelloRelation},
        {700, 400, 100, kDelayRelation}, // 2 * 400 - 200 = 600 < 700
        {700, 400, 300, kHelloRelation}, // both relations fail
        {600, 3001, 1001, kDelayRange},
        {600, 400, 200, ""},
        {4000, 2100, 1000, ""},
    };
    for (const Case& c : cases) {
        const auto refusal = stp::CheckBridge({true, 2, 32768, c.age, c.delay, c.hello});
        EXPECT_EQ(refusal ? refusal->text : "", c.refusal) << c.age.value_or(-1);
    }
}

// What each step writes is checked against the bridge by the dialog test; the bridge needs time
// after RSTP is turned on, and none after it is turned off.
TEST(SpanningTreeRules, TheBridgeIsGivenTimeOnlyAfterRstpIsTurnedOn) {
    EXPECT_EQ(stp::BridgeSteps({true, 0, 4096, 600, 1500, 200}, false).front().timeoutMs, 3500u);
    EXPECT_EQ(stp::BridgeSteps({false, 0, 4096, 600, 1500, 200}, true).front().timeoutMs, 0u);
}

TEST(SpanningTreeRules, PortCostRangeAndAggregatedLinks) {
    const stp::PortValues read{128, 200000, 1};
    struct Case {
        stp::PortInput input;
        bool trunk;
        std::string refusal;
        std::size_t bindings;
    } const cases[] = {
        {{3, 128, 0, true}, false, "", 3},
        {{3, 128, 200000000, true}, false, "", 3},
        {{3, 128, 200000001, true}, false, "Invalid Path Cost(1-200000000)", 0},
        {{3, 128, std::nullopt, true}, false, "Invalid Path Cost(1-200000000)", 0},
        {{5, 128, 200000, true}, true, "", 0}, // as read: nothing said, nothing written
        {{5, 16, 200000, true},
         true,
         "Cannot add ports with different STP configurations to an aggregated link.",
         0},
        {{5, 128, 200000, false},
         true,
         "Cannot add ports with different STP configurations to an aggregated link.",
         0},
    };
    for (const Case& c : cases) {
        const ApplyPlan plan = stp::PlanPort(c.input, read, c.trunk);
        EXPECT_EQ(plan.refusal ? plan.refusal->text : "", c.refusal);
        EXPECT_EQ(plan.Request().Size(), c.bindings);
    }
    EXPECT_EQ(
        stp::PlanPort({3, 64, 0, false}, read, false).Request().Bindings(),
        (Bindings{Int(B + ".15.1.2.3", 64), Int(P + ".6.2.1.5.3", 0), Int(B + ".15.1.4.3", 2)}));
    EXPECT_EQ(stp::PortCells({"1", "128", "5", "1", "20000",
                              std::string("\x80\0\0\x1a\x2b\x3c\x4d\x5e", 8), "0", "short",
                              std::string("\x80\x01", 2), "1"}),
              (std::vector<std::string>{"1", "128", "20000", "Y", "Forward",
                                        "80:00:00:1A:2B:3C:4D:5E", "0", "", "80 01", "1"}));
    EXPECT_EQ(stp::PortCells({}).size(), 10u); // a short row is no reason to fail
}

TEST(MirrorRules, ModesFollowTheTwoLists) {
    using M = CMirrorMib;
    // RX 1,2 and TX 2,3 on eight ports; a short or garbled list only names what it holds.
    EXPECT_EQ(M::ModesOf("\xc0", "\x60", 8),
              (std::vector<int>{M::kRx, M::kBoth, M::kTx, M::kNone, M::kNone, M::kNone, M::kNone,
                                M::kNone}));
    EXPECT_EQ(M::ModesOf("", "", 3), (std::vector<int>{M::kNone, M::kNone, M::kNone}));
}

} // namespace
