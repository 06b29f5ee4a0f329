// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Apply rules of the IGMP, surveillance and syslog data classes, as tables: the first
// refusal, the questions, and exactly what goes into each request.
#include "features/common/FixedPortList.h"
#include "features/common/SnmpRequests.h"
#include "features/l2/IgmpMib.h"
#include "features/maintenance/SyslogMib.h"
#include "features/port_vlan/SurveillanceMib.h"
#include "tests/support/DialogFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace igmp;

const std::string G = PrivateOid("10");
const std::string Q = std::string(kPrivateMib);

std::vector<std::string> Lines(const CSetRequest& request) {
    std::vector<std::string> lines;
    for (const auto& binding : request.Bindings()) {
        lines.push_back(binding.instance + "=" + binding.value);
    }
    return lines;
}

std::vector<std::vector<std::string>> Lines(const std::vector<SetStep>& steps) {
    std::vector<std::vector<std::string>> lines;
    for (const SetStep& step : steps) {
        lines.push_back(Lines(step.request));
    }
    return lines;
}

std::string RefusalOf(const std::optional<Refusal>& refusal) {
    return refusal ? refusal->text : std::string();
}

// The switch's values: snooping on, host 260, router 260, robustness 2, last member 1,
// query 125, max response 10.
CIgmpMib::Global Enabled() {
    return {kEnabled, {260, 260, 2, 1, 125, 10}};
}
TimerInput Typed(long long host, long long router, long long robust, long long last,
                 long long query, long long maxResponse) {
    return {host, router, robust, last, query, maxResponse};
}

TEST(IgmpRules, TimersAreCheckedInOrderAtTheirBounds) {
    struct Case {
        TimerInput typed;
        std::string refusal;
    };
    const Case cases[] = {
        {Typed(130, 60, 2, 1, 60, 10), ""},
        {Typed(153025, 600, 255, 25, 600, 25), ""},
        {Typed(129, 60, 2, 1, 60, 10), "Invalid Host Timeout (130-153025 sec)."},
        {Typed(153026, 59, 2, 1, 60, 10), "Invalid Host Timeout (130-153025 sec)."},
        {Typed(130, 601, 1, 1, 60, 10), "Invalid Router Timeout (60-600 sec)."},
        {Typed(130, 60, 256, 1, 60, 10), "Invalid Robustness Variable (2-255)."},
        {Typed(130, 60, 2, 0, 60, 10), "Invalid Last Member Query Interval (1-25 sec)."},
        {Typed(130, 60, 2, 1, 59, 10), "Invalid Query Interval (60-600 sec)."},
        {Typed(130, 60, 2, 1, 60, 9), "Invalid Max. Response Time (10-25 sec)."},
        {Typed(130, 60, 1, 0, 59, 9), "Invalid Robustness Variable (2-255)."},
        {Typed(130, 60, 2, 26, 601, 26), "Invalid Last Member Query Interval (1-25 sec)."},
        {Typed(130, 60, 2, 1, 601, 26), "Invalid Query Interval (60-600 sec)."},
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
        {Enabled(), true, false, {{G + ".1.6.0=300"}}},
        {disabled, false, true, {}},
        {Enabled(), false, true, {{G + ".1.1.0=2"}}},
        {disabled, true, false, {{G + ".1.1.0=1"}, {G + ".1.6.0=300"}}},
    };
    for (const Case& c : cases) {
        const ApplyPlan plan =
            CIgmpMib::PlanGlobal(c.old, c.enable, Typed(260, 260, 2, 1, 300, 10));
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

// The checks judge the trunk membership of a switch without aggregated links; until it was read
// they judge nothing.
class SurveillanceRules : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        testsupport::SimFixture::Options options;
        options.model = "KSX-7700-28P";
        std::vector<std::string> noTrunks;
        for (int group = 1; group <= 8; ++group) {
            noTrunks.push_back(Q + ".8.1.3.1.2." + std::to_string(group) + "|4x|00000000");
        }
        options.arguments = DataArguments(noTrunks);
        return options;
    }
    void SetUp() override {
        DialogFixture::SetUp();
        mib = std::make_unique<CSurveillanceMib>(); // its sessions talk to this test's switch
        mib->SetContext({2, 1, 30});
        mib->SetGlobal({2, 2, 1, ""});
        mib->AddVoiceOui(std::string("\x00\x0a\x11", 3));
        EXPECT_EQ(RefusalOf(mib->PlanGlobal({1, 40, 2, "1"}, {"1"}).refusal),
                  std::string(kNotReadRefusal));
        bool read = false;
        mib->TrunkInfo().StartTrunkWalk(mib.get(), [&] { read = true; });
        ASSERT_TRUE(testsupport::WaitUntil([&] { return read; }));
    }
    std::unique_ptr<CSurveillanceMib> mib;
};

TEST_F(SurveillanceRules, GlobalChecksRunInOrder) {
    struct Case {
        CSurveillanceMib::Context context;
        std::optional<long long> vid;
        std::string ports;
        std::string refusal;
    };
    const Case cases[] = {
        {{1, 2, 0}, 1, "", "Auto Surveillance Vlan can not support in Asymmetric VLAN mode."},
        {{2, 2, 0}, 1, "", "Default VLAN cannot be set as Auto Surveillance VLAN."},
        {{2, 2, 0}, 4095, "", "The VLAN ID value range is 2 - 4094"},
        {{2, 2, 0}, std::nullopt, "", "The VLAN ID value range is 2 - 4094"},
        {{2, 1, 30}, 30, "", "The VLAN ID already is voice VLAN ID."},
        {{2, 1, 4095}, 4095, "1-29", "The VLAN ID value range is 2 - 4094"},
        {{2, 1, 30}, 30, "1-29", "The VLAN ID already is voice VLAN ID."},
        {{2, 2, 30}, 30, "1-29", "Invalid Portlist"},
        {{2, 2, 30}, 30, " ", ""},
        {{2, 2, 30}, 4094, "1,2,4-6", ""},
    };
    for (const Case& c : cases) {
        mib->SetContext(c.context);
        const ApplyPlan plan = mib->PlanGlobal({1, c.vid, 2, c.ports}, {"1"});
        EXPECT_EQ(RefusalOf(plan.refusal), c.refusal) << c.ports;
    }
    const ApplyPlan plan = mib->PlanGlobal({1, 40, 3, "1,2,4-6"}, {"1", "40"});
    EXPECT_EQ(plan.questions,
              std::vector<std::string>{"The VLAN ID 40 already exists, still apply? \nIf yes, the "
                                       "original setting of VLAN 40 members will be removed."});
    const std::string s = Q + ".26.1.";
    EXPECT_EQ(
        Lines(plan.Request()),
        (std::vector<std::string>{s + "2.0=40", s + "3.0=3",
                                  s + "4.0=" + std::string("\xdc\0\0\0\0\0\0\0", 8), s + "1.0=1"}));
    EXPECT_TRUE(mib->ShowsPoeNotice({true, 40, 3, ""}));
    EXPECT_FALSE(mib->ShowsPoeNotice({false, 40, 3, ""}));
}

TEST_F(SurveillanceRules, DevicesAreCheckedAndIndexedByTheirAddress) {
    struct Case {
        QString description;
        long kind;
        std::string address;
        std::string refusal;
        std::string index;
    };
    const Case cases[] = {
        {"cam, door", 0, "00-1B-2C-11-22-33", "Invalid Description.", ""},
        {"door", 0, "00-1B-2C-11-22", "Please enter correct MAC format(ex:00-00-00-00-00-01)", ""},
        {"door", 0, "FF-FF-FF-FF-FF-FF", "Broadcast MAC is not allowed.", ""},
        {"door", 1, "01-1B-2C", "Multicast MAC is not allowed.", ""},
        {"door", 0, "00-0A-11-22-33-44", "The OUI is already exist at Voice Vlan OUI Table!", ""},
        {"door", 1, "02-5E-A7", "This OUI is default, please select the default mode!", ""},
        {"door", 1, "00-1B-2C", "", ".0.27.44.0.0.0"},
        {"door", 0, "00-1b-2c-11-22-33", "", ".0.27.44.17.34.51"},
    };
    for (const Case& c : cases) {
        const auto plan = mib->PlanAdd({2, c.description, c.kind, c.address});
        EXPECT_EQ(RefusalOf(plan.refusal), c.refusal) << c.address;
        const std::string rowStatus = Q + ".26.2.1.1.5" + c.index;
        EXPECT_EQ(plan.steps.empty() ? "" : plan.Request().Bindings().front().instance,
                  c.index.empty() ? "" : rowStatus);
    }
    const auto plan = mib->PlanAdd({2, "door", 1, "00-1B-2C"});
    const std::string d = Q + ".26.2.1.1.";
    EXPECT_EQ(
        Lines(plan.steps.back().request),
        (std::vector<std::string>{d + "2.0.27.44.0.0.0=door", d + "4.0.27.44.0.0.0=2",
                                  d + "3.0.27.44.0.0.0=" + std::string("\xff\xff\xff\0\0\0", 6)}));
    const CSurveillanceMib::Device builtIn{".2.94.167.0.0.0", 5, "", "02-5E-A7-00-00-00"};
    EXPECT_EQ(RefusalOf(mib->DeleteRefusal(nullptr)),
              "Please Selecte the OUI Entry you would to delete");
    EXPECT_EQ(RefusalOf(mib->DeleteRefusal(&builtIn)),
              "The default Surveillance OUI can not be deleted.");
}

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
        EXPECT_EQ(plan.refusal && plan.refusal->field == CSyslogMib::kAddressField,
                  c.refusal == "Invalid IP address.");
        EXPECT_EQ(Lines(plan.steps), c.steps);
    }
}

} // namespace
