// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The panel poller against the simulated switch (what it shows for the values it reads is
// checked by the rules tests): the fan, LED-mode and power reads, the link
// and PoE walks with what they make the panel show, time-outs, skipped cycles, the busy flag
// and stopping.
#include "WindowTestSupport.h"

#include "app/PanelDeviceThread.h"
#include "app/PanelPoll.h"
#include "snmp/CommonSNMP.h"

#include <array>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

namespace {

constexpr char kP[] = "1.3.6.1.4.1.99999.10.76.17.";
const CPanelPoll::Sleeper kNoPause = [](std::chrono::milliseconds) { return true; };

class PanelPollTest : public windowtest::ModuleTest {
protected:
    void TearDown() override {
        if (m_poll) {
            m_poll->CancelRequests();
        }
        m_sessions.reset(); // their workers call into the poll state: they go first
        m_poll.reset();
        ModuleTest::TearDown();
    }

    void MakePoll(const std::string& model, int portCount) {
        m_sessions = std::make_unique<std::array<CCommonSNMP, 4>>();
        auto& [fan, poe, devStat, poeStat] = *m_sessions;
        m_poll = std::make_unique<CPanelPoll>(fan, poe, devStat, poeStat);
        PollDevice device;
        device.portCount = portCount;
        m_poll->Configure(model, device, true);
        m_poll->SetSink([this](PanelPollResult result) {
            std::lock_guard lock(m_mutex);
            m_results.push_back(std::move(result));
            m_arrived.notify_all();
        });
    }

    // Waits for the result that ends a walk (it asks for the blink timer or darkens the
    // lamps) and takes the results up to it; the walk's result comes last.
    std::vector<PanelPollResult> TakeThroughWalkEnd() {
        std::unique_lock lock(m_mutex);
        const auto walkEnd = [this] {
            return std::find_if(m_results.begin(), m_results.end(), [](const auto& result) {
                return result.StartBlinkTimer || result.DarkenAllLamps;
            });
        };
        if (!m_arrived.wait_for(lock, std::chrono::milliseconds(windowtest::kGenerousWaitMs),
                                [&] { return walkEnd() != m_results.end(); })) {
            ADD_FAILURE() << "no walk ended";
            return {PanelPollResult()};
        }
        const auto end = walkEnd() + 1;
        std::vector<PanelPollResult> taken(std::make_move_iterator(m_results.begin()),
                                           std::make_move_iterator(end));
        m_results.erase(m_results.begin(), end);
        return taken;
    }

    PanelPollResult NextWalkResult() { return TakeThroughWalkEnd().back(); }

    std::vector<PanelPollResult> TakeResults() {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_results, {});
    }

    // The last update of each port.
    static std::map<int, PanelPortUpdate> LastByPort(const PanelPollResult& result) {
        std::map<int, PanelPortUpdate> ports;
        for (const PanelPortUpdate& update : result.Ports) {
            ports[update.Port] = update;
        }
        return ports;
    }

    std::unique_ptr<std::array<CCommonSNMP, 4>> m_sessions; // the window's four poll sessions
    std::unique_ptr<CPanelPoll> m_poll;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<PanelPollResult> m_results;
};

TEST_F(PanelPollTest, LinkWalkShowsEveryPortOnceAndStopsAtTheLastPort) {
    // The fan failed, port 3 is disabled and uplink 49 runs at 100M.
    StartSim({"KSX-7700-52", {}}, std::string(kP) + "1.15.1.0|2|2\n1.3.6.1.2.1.2.2.1.7.3|2|2\n"
                                                    "1.3.6.1.2.1.2.2.1.5.49|66|100000000\n");
    testsupport::TraceCapture trace;
    MakePoll("KSX-7700-52", 52);
    m_poll->GetGetFanStatus();
    std::vector<PanelPollResult> results = TakeResults();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].FanStatus, "2");
    EXPECT_EQ(windowtest::Count(trace, "======GetGetFanStatus======"), 1);

    m_poll->GetLinkStatus();
    PanelPollResult result = NextWalkResult();
    EXPECT_EQ(std::pair(result.StartBlinkTimer, result.ResetAfterTimeout), std::pair(true, false));
    ASSERT_EQ(result.Ports.size(), 52u);
    const auto ports = LastByPort(result);
    const struct {
        int port, state, media;
    } expected[] = {
        {3, kPortDisabled, 1},           //
        {4, kPortNoLink, 1},             // no cable
        {49, kPortLinkBelowTopSpeed, 2}, // gigabit port at 100M
        {51, kPortLinkAtTopSpeed, 4},    // fibre at 1G
    };
    for (const auto& e : expected) {
        ASSERT_TRUE(ports.contains(e.port)) << e.port;
        const PanelPortUpdate& u = ports.at(e.port);
        EXPECT_EQ(std::tuple(u.Status, u.Indicator, u.StateValue),
                  std::tuple(e.state, e.state, e.media))
            << e.port;
    }
    EXPECT_TRUE(windowtest::WaitUntil([this] { return !m_poll->AnyWalkRunning(); }));

    // Rows beyond the port count end the walk (not the end of the table).
    MakePoll("KSX-7700-52", 20);
    m_poll->GetLinkStatus();
    result = NextWalkResult();
    EXPECT_EQ(std::pair(result.StartBlinkTimer, result.DarkenAllLamps), std::pair(true, false));
    ASSERT_EQ(result.Ports.size(), 20u);
    EXPECT_EQ(result.Ports.back().Port, 20);
}

TEST_F(PanelPollTest, WalkTimeOutResetsThePanelAndDarkensTheLamps) {
    StartSim({"KSX-7700-52", {"--drop-after", "10"}});
    testsupport::TraceCapture trace;
    MakePoll("KSX-7700-52", 52);
    m_poll->GetLinkStatus();
    const PanelPollResult result = NextWalkResult();
    // The panel says the switch is silent.
    EXPECT_EQ(std::tuple(result.ResetAfterTimeout, result.DarkenAllLamps, result.Answered),
              std::tuple(true, true, false));
    EXPECT_TRUE(result.Ports.empty());
    EXPECT_EQ(windowtest::Count(trace, "-----------------TIMEOUT-------------------TIMEOUT"), 1);
    EXPECT_TRUE(windowtest::WaitUntil([this] { return !m_poll->WalkInProgress(); }));
}

TEST_F(PanelPollTest, UnansweredReadsReportNothingAndUnfinishedWalksSkipThreeCycles) {
    StartSim({"KSX-7700-28P", {"--drop", "1.3.6.1.2.1.2.2.1", "--drop", std::string(kP) + "1.15"}});
    MakePoll("KSX-7700-28P", 28);
    m_poll->GetGetFanStatus();
    EXPECT_TRUE(TakeResults().empty()) << "a failed fan read changes nothing";

    EXPECT_EQ(m_poll->Get10PPOEOrLinkStatus(kNoPause), 0);
    EXPECT_TRUE(m_poll->WalkInProgress());
    for (int skipped = 0; skipped < 3; ++skipped) {
        EXPECT_EQ(m_poll->Get10PPOEOrLinkStatus(kNoPause), -1) << skipped;
    }
    EXPECT_EQ(m_poll->Get10PPOEOrLinkStatus(kNoPause), 0);
    EXPECT_EQ(m_poll->Get10PPOEOrLinkStatus(kNoPause), -1);
    // Only the mode reads came back; the walks are still waiting.
    for (const PanelPollResult& result : TakeResults()) {
        EXPECT_TRUE(result.LedMode.has_value());
        EXPECT_TRUE(result.Ports.empty());
    }

    // A cancelled walk reports nothing, and nothing more is sent once cancelled.
    MakePoll("KSX-7700-52", 52);
    m_poll->GetLinkStatus();
    ASSERT_TRUE(windowtest::WaitUntil([this] { return m_poll->AnyWalkRunning(); }));
    m_poll->CancelRequests();
    EXPECT_FALSE(m_poll->AnyWalkRunning());
    m_poll->GetLinkStatus();
    m_poll->GetGetFanStatus();
    EXPECT_FALSE(m_poll->AnyWalkRunning());
    EXPECT_TRUE(TakeResults().empty());
}

// Power left above 15.4 leaves the budget lamp dark.
TEST_F(PanelPollTest, PoeModeReadsTheBudgetAndWalksThePoeStatusOfEveryPort) {
    StartSim({"KSX-7700-28P", {}}, std::string(kP) + "22.8.0|2|2\n" + kP + "22.6.0|4|15.5\n" + kP +
                                       "22.1.1.13.1.3|4|Time-based OFF\n" + kP +
                                       "22.1.1.13.1.6|4|Overload\n");
    testsupport::TraceCapture trace;
    MakePoll("KSX-7700-28P", 28);
    EXPECT_EQ(m_poll->Get10PPOEOrLinkStatus(kNoPause), 0);
    const std::vector<PanelPollResult> results = TakeThroughWalkEnd();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(std::tuple(results[0].LedMode, results[0].BIsPowMax, m_poll->LedMode()),
              std::tuple(0, false, 0));
    EXPECT_TRUE(m_poll->ModeChanged());

    const PanelPollResult& walk = results[1];
    EXPECT_TRUE(walk.StartBlinkTimer);
    const auto ports = LastByPort(walk);
    const struct {
        int port, state;
    } expected[] = {{1, kPortLinkAtTopSpeed},     // "POWER ON"
                    {3, kPortDisabled},           // "Time-based OFF"
                    {6, kPortLinkBelowTopSpeed}}; // anything else
    for (const auto& e : expected) {
        const PanelPortUpdate& u = ports.at(e.port);
        EXPECT_EQ(std::tuple(u.Status, u.Indicator, u.StateValue),
                  std::tuple(e.state, e.state, kPortDisabled))
            << e.port;
    }
    // Ports without PoE show disabled; their lamps are left alone.
    for (int port = 25; port <= 28; ++port) {
        EXPECT_EQ(ports.at(port).Status, kPortDisabled) << port;
        EXPECT_FALSE(ports.at(port).Indicator.has_value()) << port;
    }
    EXPECT_EQ(windowtest::Count(trace, "--1----GetPOEPortStatus---------"), 1);
    EXPECT_EQ(windowtest::Count(trace, "==2.=====RefreshPOEPortStatus============"), 1);
    EXPECT_EQ(windowtest::Count(trace, "----------POE--------1.3"), 1);
    EXPECT_EQ(windowtest::Count(trace, "----------POE--------Time-based OFF"), 1);
    EXPECT_TRUE(windowtest::WaitUntil([this] { return !m_poll->WalkInProgress(); }));
}

TEST_F(PanelPollTest, ThreadPollsUnlessBusyAndStopsOnRequest) {
    StartSim({"KSX-7700-52", {}, true});
    MakePoll("KSX-7700-52", 52);
    {
        // Busy from the start: the first cycle sends nothing.
        m_poll->SetBusy(true);
        CPanelDeviceThread thread;
        thread.m_pOwner = m_poll.get();
        thread.Resume();
        EXPECT_FALSE(thread.WaitForEnd(std::chrono::milliseconds(1500)));
        thread.Stop();
        EXPECT_TRUE(thread.WaitForEnd(std::chrono::milliseconds(windowtest::kGenerousWaitMs)));
        EXPECT_EQ(thread.Result(), 0);
    }
    EXPECT_TRUE(m_sim.RequestLog().empty());

    m_poll->SetBusy(false);
    CPanelDeviceThread thread;
    thread.m_pOwner = m_poll.get();
    thread.Resume();
    const PanelPollResult walk = NextWalkResult();
    EXPECT_EQ(walk.Ports.size(), 52u);
    thread.Stop();
    thread.Join();
    const auto requests = m_sim.RequestLog();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.front().pdu, "get");
    EXPECT_EQ(requests.front().oids, std::vector<std::string>{std::string(kP) + "1.15.1.0"});

    // Without an owner the thread ends at once.
    CPanelDeviceThread alone;
    alone.Resume();
    EXPECT_TRUE(alone.WaitForEnd(std::chrono::milliseconds(windowtest::kGenerousWaitMs)));
    EXPECT_EQ(alone.Result(), -1);
}

} // namespace
