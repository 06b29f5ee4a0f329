// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A switch whose firmware answers reads wrongly (ksx-sim --misbehave): every dialog of the
// module window opens, ends its reads, applies and closes; the panel poller ends its walks;
// a walk ends where an answer does not move forward; nothing broken is written back.
#include "app/ModuleCommands.h"
#include "app/PanelPoll.h"
#include "features/common/FeatureDialog.h"
#include "snmp/CommonSNMP.h"
#include "snmp/Snmp.h"
#include "tests/support/DialogFixture.h"

#include <QDialog>
#include <QWidget>

#include <mutex>

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

class MisbehaveTest : public testsupport::DialogFixture,
                      public ::testing::WithParamInterface<Switch> {
protected:
    SimFixture::Options SimulatorOptions() override {
        SimFixture::Options options;
        options.model = GetParam().model;
        options.arguments = {"--misbehave", std::to_string(GetParam().seed)};
        return options;
    }

    // Garbage the switch sent that a user could never have typed.
    static bool LooksBroken(const testsupport::SimSetBinding& binding) {
        return binding.value.size() >= 1000 || binding.value.find("garbage") != std::string::npos;
    }
};

bool Idle(QDialog* dialog) {
    const auto* feature = dynamic_cast<CFeatureDialog*>(dialog);
    return feature == nullptr || !feature->IsBusy();
}

TEST_P(MisbehaveTest, EveryDialogReadsAppliesAndCloses) {
    RegisterModuleCommands();
    int opened = 0;
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        const CommandDialogFactory factory = CommandDialogFor(entry.id);
        if (!factory) {
            continue;
        }
        SCOPED_TRACE(entry.path);
        std::unique_ptr<QDialog> dialog = factory();
        ASSERT_NE(dialog, nullptr);
        ++opened;
        EXPECT_TRUE(testsupport::ShowActive(dialog.get()));
        EXPECT_TRUE(WaitUntil([&] { return Idle(dialog.get()); }, kWaitMs)) << "reads never end";
        const QWidget* apply = FindAny(dialog.get(), "applyButton");
        if (apply != nullptr && apply->isVisible() && apply->isEnabled()) {
            testsupport::Click(dialog.get(), "applyButton");
            EXPECT_TRUE(WaitUntil([&] { return Idle(dialog.get()); }, kWaitMs));
        }
        for (const testsupport::SimSetRecord& set : TakeSets()) {
            for (const testsupport::SimSetBinding& binding : set.bindings) {
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
    std::mutex mutex;
    int results = 0;
    poll.SetSink([&](PanelPollResult) {
        std::lock_guard lock(mutex);
        ++results;
    });
    const auto arrived = [&] {
        std::lock_guard lock(mutex);
        return results > 0;
    };
    poll.GetGetFanStatus();
    poll.GetLinkStatus();
    EXPECT_TRUE(WaitUntil([&] { return arrived() && !poll.AnyWalkRunning(); }, kWaitMs));
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
        SimFixture::Options options;
        options.model = sw.model;
        options.arguments = {"--misbehave", std::to_string(sw.seed)};
        ASSERT_TRUE(sim.Start(options)) << sim.Error();
        CSnmpV1 message(0);
        message.setCommunity("guests");
        message.setPort(static_cast<uint16_t>(sim.Port()));
        message.setType(kPduGetNext);
        ASSERT_EQ(message.addValue("1.3", kSnmpNull, nullptr, 0), 0);
        CSnmpTable table(&message);
        std::string last = "1.3";
        int status = kSnmpOk;
        for (int step = 0; step < 100000 && status == kSnmpOk; ++step) {
            std::unique_ptr<CSnmp> response;
            status = table.getNext(sim.Address(), response, 2000);
            if (status == kSnmpOk) {
                last = response->getOid(0);
            }
        }
        ASSERT_EQ(status, kSnmpEndOfTable) << "seed " << sw.seed;
        // Asked once more from where the walk stopped, the switch does not move forward.
        CSnmpV1 again(0);
        again.setCommunity("guests");
        again.setPort(static_cast<uint16_t>(sim.Port()));
        again.setType(kPduGetNext);
        ASSERT_EQ(again.addValue(last, kSnmpNull, nullptr, 0), 0);
        std::unique_ptr<CSnmp> response;
        if (again.send(sim.Address(), response, 2000) == kSnmpOk &&
            !(ParseOid(last) < ParseOid(response->getOid(0)))) {
            ++stoppedBackwards;
        }
    }
    EXPECT_GT(stoppedBackwards, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, MisbehaveTest, ::testing::ValuesIn(kSwitches),
                         [](const auto& info) { return "seed" + std::to_string(info.param.seed); });

} // namespace
