// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Apply rules of the layer-2 settings as tables, without a switch.
#include "features/l2/BandwidthMib.h"
#include "features/l2/SegmentationMib.h"
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
    bool enabled;
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
        {true, 1, 0, off, kNRefusal, {}},
        {true, 1, 16001, off, kNRefusal, {}},
        {true, 1, std::nullopt, off, kNRefusal, {}},
        {false, 1, 0, off, kNRefusal, {}}, // N is checked even while storm control is off
        {true, 1, 16000, off, "", {Int(state, 1), Int(limit, 1024000)}},
        {true, 3, 1, off, "", {Int(state, 1), Int(type, 3), Int(limit, 64)}},
        {false, 3, 5, off, "", {}}, // still off: nothing at all
        {true, 1, 1000, on, "", {}},
        {true, 2, 1000, on, "", {Int(type, 2)}},
        {false, 2, 7, on, "", {Int(state, 2)}},
        {true, 1, 1000, {}, "", {Int(state, 1), Int(type, 1), Int(limit, 64000)}}, // never read
    };
    for (const StormCase& c : cases) {
        const ApplyPlan plan = CStormControlMib::PlanApply({c.enabled, c.type, c.n}, c.remembered);
        EXPECT_EQ(plan.refusal ? plan.refusal->text : "", c.refusal) << c.n.value_or(-1);
        EXPECT_EQ(plan.request.Bindings(), c.sent) << c.n.value_or(-1);
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
        for (const CSetRequest& request : plan.requests) {
            sent.push_back(request.Bindings());
        }
        EXPECT_EQ(sent, c.sent) << c.input.fromPort << "-" << c.input.toPort;
    }
    EXPECT_EQ(CBandwidthMib::RateCell("0"), "No Limit");
    EXPECT_EQ(CBandwidthMib::RateCell("1850"), "1850");
    EXPECT_EQ(CBandwidthMib::RateCell("\x01\x02"), "");
}

TEST(SegmentationRules, ForwardingPortListLengthIsFixedByTheModel) {
    struct Case {
        int portCount;
        std::vector<int> ports;
        std::string hex;
    } const cases[] = {
        {28, {1, 28}, "8000001000000000"},
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
        EXPECT_EQ(BytesToHex(CSegmentationMib::ForwardingPortList(flags, c.portCount)), [&] {
            std::string upper = c.hex;
            for (char& ch : upper) {
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            }
            return upper;
        }()) << c.portCount;
    }
}

} // namespace
