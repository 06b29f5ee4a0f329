// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A switch whose firmware answers reads wrongly (ksx-sim --misbehave): every dialog of the
// module window opens, ends its reads, applies and closes; the panel poller ends its walks;
// a walk ends where an answer does not move forward; nothing broken is written back.
#include "app/PanelPoll.h"
#include "snmp/CommonSNMP.h"
#include "tests/registry/MenuWalk.h"
#include "tests/support/DialogFixture.h"

#include <atomic>

namespace {

using namespace testsupport;

struct Switch {
    int seed;
    const char* model;
};

constexpr Switch kSwitches[] = {
    {1, "KSX-7700-52"}, {2, "KSX-7700-28P"}, {3, "KSX-7700-20"},
    {4, "KSX-7700-48"}, {5, "KSX-7700-28"},  {6, "KSX-7700-28P"},
};

constexpr int kWaitMs = 120000;

SimFixture::Options Misbehaving(const Switch& sw) {
    return {sw.model, {"--misbehave", std::to_string(sw.seed)}};
}

class MisbehaveTest : public DialogFixture, public ::testing::WithParamInterface<Switch> {
protected:
    SimFixture::Options SimulatorOptions() override { return Misbehaving(GetParam()); }

    // Garbage the switch sent that a user could never have typed.
    static bool LooksBroken(const SimSetBinding& binding) {
        return binding.value.size() >= 1000 || binding.value.find("garbage") != std::string::npos;
    }
};

TEST_P(MisbehaveTest, EveryDialogReadsAppliesAndCloses) {
    int opened = 0;
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        if (entry.makeDialog == nullptr) {
            continue;
        }
        SCOPED_TRACE(entry.path);
        std::unique_ptr<QDialog> dialog = OpenMenuDialog(entry);
        ++opened;
        ApplyFirstRows(*dialog); // waits for the reads before and the writes after
        for (const SimSetRecord& set : TakeSets()) {
            for (const SimSetBinding& binding : set.bindings) {
                EXPECT_FALSE(LooksBroken(binding)) << binding.oid << " = " << binding.value;
            }
        }
        dialog->reject();
        EXPECT_TRUE(WaitUntil([&] { return !dialog->isVisible(); }, kWaitMs));
        dialog.reset();
        messages.TakeTexts();
    }
    EXPECT_GT(opened, 0);
}

TEST_P(MisbehaveTest, PanelPollerEndsItsWalks) {
    CCommonSNMP fan, poe, devStat, poeStat;
    CPanelPoll poll(fan, poe, devStat, poeStat);
    PollDevice device;
    device.portCount = PortCountOf(GetParam().model);
    poll.Configure(GetParam().model, device, true);
    std::atomic<int> results = 0; // the sink may be called from the poller's thread
    poll.SetSink([&](PanelPollResult) { ++results; });
    poll.GetGetFanStatus();
    poll.GetLinkStatus();
    EXPECT_TRUE(WaitUntil([&] { return results > 0 && !poll.AnyWalkRunning(); }, kWaitMs));
    if (poll.IsPoeModel()) {
        poll.GetPOEPortStatus();
        EXPECT_TRUE(WaitUntil([&] { return !poll.AnyWalkRunning(); }, kWaitMs));
    }
    poll.CancelRequests();
    poll.DetachSink();
}

// A get-next walk of the whole MIB ends, and some of them end because the answer named the
// same or an earlier object than the one asked from.
TEST(MisbehaveWalkTest, WalkEndsWhereTheAnswerDoesNotMoveForward) {
    int stoppedBackwards = 0;
    for (const Switch& sw : kSwitches) {
        SimFixture sim;
        ASSERT_TRUE(sim.Start(Misbehaving(sw))) << sim.Error();
        std::string last = "1.3";
        const auto visit = [&](const CSnmp& answer) {
            last = answer.getOid(0);
            return true;
        };
        ASSERT_EQ(WalkSimulator(sim, last, visit), kSnmpEndOfTable) << "seed " << sw.seed;
        // Asked once more from where the walk stopped, the switch does not move forward.
        std::unique_ptr<CSnmp> response;
        if (GetNextRequest(sim, last)->send(sim.Address(), response, 2000) == kSnmpOk &&
            !(ParseOid(last) < ParseOid(response->getOid(0)))) {
            ++stoppedBackwards;
        }
    }
    EXPECT_GT(stoppedBackwards, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, MisbehaveTest, ::testing::ValuesIn(kSwitches),
                         [](const auto& info) { return "seed" + std::to_string(info.param.seed); });

} // namespace
