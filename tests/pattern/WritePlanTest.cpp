// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The kit's write runner against a switch that refuses every set of sysContact: what a failed
// step does (stop, go on, be ignored, put back), and that the first failure is shown once.
#include "PatternTest.h"
#include "features/common/FeatureDialog.h"
#include "snmp/RequestStatus.h"

namespace {

class CPlanProbeDialog : public CFeatureDialog {
public:
    using CFeatureDialog::RunPlan;
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
};

class WritePlanTest : public PatternTest {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        auto options = PatternTest::SimulatorOptions();
        options.arguments.insert(options.arguments.end(),
                                 {"--refuse-set", kSysContact, "--drop", kSysLocation});
        return options;
    }
};

TEST_F(WritePlanTest, AFailedStepStopsGoesOnIsIgnoredOrIsPutBackAndTheFirstFailureIsShownOnce) {
    using OnFailure = SetStep::OnFailure;
    const auto contact = [] { return CSetRequest().OctetString(kSysContact, "desk"); };
    const auto name = [] { return CSetRequest().OctetString(kSysName, "core"); };
    const auto speed = [] { return CSetRequest().Integer(kPortSpeed + ".3", 6); };
    struct Case {
        OnFailure onFailure;
        std::vector<std::string> resultsSent; // of every set the switch received, in order
        std::size_t messages;
    };
    const Case cases[] = {{OnFailure::Stop, {"noError", "inconsistentValue"}, 1},
                          {OnFailure::GoOn, {"noError", "inconsistentValue", "noError"}, 1},
                          {OnFailure::Ignore, {"noError", "inconsistentValue", "noError"}, 0},
                          {OnFailure::PutBack, {"noError", "inconsistentValue", "noError"}, 1}};
    for (const Case& c : cases) {
        CPlanProbeDialog dialog;
        ApplyPlan plan;
        plan.Step(name());
        SetStep& refused = plan.Step(contact());
        refused.onFailure = c.onFailure;
        if (c.onFailure == OnFailure::PutBack) {
            refused.putBack = {speed()}; // sent instead of the next step
        } else {
            plan.Step(speed());
        }
        const auto status = dialog.RunPlan(dialog.m_cCommonSNMPSet, plan);
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(status->Ok(), c.onFailure == OnFailure::Ignore);
        std::vector<std::string> results;
        for (const auto& set : TakeSets()) {
            results.push_back(set.result);
        }
        EXPECT_EQ(results, c.resultsSent) << static_cast<int>(c.onFailure);
        EXPECT_EQ(messages.TakeTexts().size(), c.messages) << static_cast<int>(c.onFailure);
    }
}

// A switch that stopped answering would make every further step wait its whole time-out.
TEST_F(WritePlanTest, AStepThatGoesOnAfterARefusalEndsTheWriteWhenItGetsNoAnswer) {
    CPlanProbeDialog dialog;
    ApplyPlan plan;
    plan.Step(CSetRequest().OctetString(kSysName, "core"));
    plan.Step(CSetRequest().OctetString(kSysLocation, "hall"), 300).onFailure =
        SetStep::OnFailure::GoOn;
    plan.Step(CSetRequest().Integer(kPortSpeed + ".3", 6));
    const auto status = dialog.RunPlan(dialog.m_cCommonSNMPSet, plan);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->Outcome(), SnmpOutcome::NoAnswer);
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u); // the speed was never sent
    EXPECT_EQ(sets[0].bindings.front().oid, kSysName);
    EXPECT_EQ(messages.TakeTexts().size(), 1u);
}

} // namespace
