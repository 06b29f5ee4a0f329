// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the panel shows for the values the poller reads.
#include "app/PanelPollRules.h"
#include "app/ModuleWindow.h"

#include <gtest/gtest.h>

namespace {

constexpr char k100M[] = "100000000";
constexpr char k1G[] = "1000000000";
constexpr int kTop = kPortLinkAtTopSpeed, kBelow = kPortLinkBelowTopSpeed;

// Ten-port switches have eight fast ports and two gigabit ports, the others four gigabit
// ports at the end, all-gigabit switches want 1G on every port: every port of each switch.
TEST(PanelPollRules, LinkStateFollowsAdminThenOperThenTheTopSpeedOfThePort) {
    for (const auto& [portCount, allGiga, firstGigabit] : {std::tuple{10, false, 9},
                                                           {20, false, 17},
                                                           {28, false, 25},
                                                           {48, false, 45},
                                                           {52, false, 49},
                                                           {10, true, 1},
                                                           {52, true, 1}}) {
        const PollDevice device{.portCount = portCount, .isAllGiga = allGiga};
        for (int port = 1; port <= portCount; ++port) {
            SCOPED_TRACE(testing::Message() << portCount << " port " << port);
            const bool gigabit = port >= firstGigabit;
            EXPECT_EQ(LinkPortState("1", "1", k100M, port, device), gigabit ? kBelow : kTop);
            EXPECT_EQ(LinkPortState("1", "1", k1G, port, device), gigabit ? kTop : kBelow);
        }
    }
    // Disabled comes before no link, no link before the speed; speeds are compared as texts:
    // 10 Mbit/s and odd texts are below the top speed.
    const struct {
        const char *admin, *oper, *speed;
        int state;
    } states[] = {{"2", "1", k100M, kPortDisabled}, {"2", "2", k100M, kPortDisabled},
                  {"", "1", k100M, kPortDisabled},  {"1", "2", k100M, kPortNoLink},
                  {"1", "7", k100M, kPortNoLink},   {"1", "1", "10000000", kBelow},
                  {"1", "1", "100000000 ", kBelow}};
    for (const auto& s : states) {
        EXPECT_EQ(LinkPortState(s.admin, s.oper, s.speed, 1, PollDevice{}), s.state)
            << s.admin << "/" << s.oper << "/" << s.speed;
    }
}

TEST(PanelPollRules, RowsForIndexZeroOrBeyondThePortsChangeNothing) {
    LinkAccumulators rows;
    for (const char* index : {"0", "29", "1000", "", "abc", "99999999999", "5"}) {
        rows.rows.push_back({index, k100M, "1", "1", "1"});
    }
    rows.rows[2].adminStatus = rows.rows[2].operStatus = "2";
    PanelPollResult result;
    RefreshLinkStatus(rows, PollDevice{}, result);
    ASSERT_EQ(result.Ports.size(), 1u);
    EXPECT_EQ(result.Ports[0].Port, 5);
    EXPECT_TRUE(result.StartBlinkTimer);
}

TEST(PanelPollRules, PoeStatusTextsAndRowIndexes) {
    EXPECT_EQ(PoePortState("POWER ON"), kTop);
    EXPECT_EQ(PoePortState("POWER OFF"), kPortDisabled);
    EXPECT_EQ(PoePortState("Time-based OFF"), kPortDisabled);
    // Anything unknown blinks orange.
    for (const char* text : {"", "power on", "POWER ON ", "Overload", "Time-based off"}) {
        EXPECT_EQ(PoePortState(text), kBelow) << text;
    }
    // Rows are indexed by unit and port.
    for (const auto& [index, port] :
         {std::pair{"1.5", 5}, {"1.24", 24}, {"7", 7}, {"", 0}, {"1.", 0}}) {
        EXPECT_EQ(PoeRowPort(index), port) << index;
    }
}

// The row of port 1 first disables (status only) the ports after the PoE ports, up to the
// last panel port; rows outside the ports change nothing; a row short of a text reads "".
TEST(PanelPollRules, PoeRowsUpdateTheirPortsAndPortOneDisablesThePortsAfterThePoePorts) {
    // Each update as "port:status", then "=indicator/state value" when they are set.
    const auto updates = [](const PanelPollResult& result) {
        std::string text;
        for (const PanelPortUpdate& u : result.Ports) {
            text += std::to_string(u.Port) + ":" + std::to_string(u.Status.value_or(-1));
            if (u.Indicator || u.StateValue) {
                text += "=" + std::to_string(u.Indicator.value_or(-1)) + "/" +
                        std::to_string(u.StateValue.value_or(-1));
            }
            text += " ";
        }
        EXPECT_TRUE(result.StartBlinkTimer);
        return text;
    };
    PanelPollResult result;
    RefreshPOEPortStatus({{1, 2, 10}, {"POWER ON", "Time-based OFF", "Overload"}},
                         PollDevice{.portCount = 12}, result);
    EXPECT_EQ(updates(result), "9:2 10:2 11:2 12:2 1:1=1/2 2:2=2/2 10:0=0/2 ");
    result = {};
    RefreshPOEPortStatus({{0, 29, 3}, {"POWER ON", "POWER ON"}}, PollDevice{}, result);
    EXPECT_EQ(updates(result), "3:0=0/2 ");
    result = {};
    RefreshPOEPortStatus({{1}, {"POWER OFF"}}, PollDevice{.portCount = 1000000}, result);
    EXPECT_LE(result.Ports.size(), static_cast<size_t>(kMaxPanelPorts));
    EXPECT_EQ(result.Ports.back().Port, 1);
}

TEST(PanelPollRules, PowerFanLedModeAndDebugListTexts) {
    // Power left at most 15.4 sets the lamp; text that is no number reads as 0.
    const std::pair<const char*, bool> powers[] = {
        {"15.4", true}, {"15.5", false},  {"15.41", false}, {"370.0", false},
        {"0", true},    {" 12.0W", true}, {"", true},       {"n/a", true}};
    for (const auto& [text, lamp] : powers) {
        EXPECT_EQ(IsPowerAtMost154(text), lamp) << text;
    }
    EXPECT_EQ(FanStatusFromValue("1"), "1");
    for (const char* value : {"2", "0", "", "11", "ok"}) {
        EXPECT_EQ(FanStatusFromValue(value), "2") << value;
        EXPECT_EQ(LedModeFromValue(value), 0) << value;
    }
    EXPECT_EQ(LedModeFromValue("1"), 1);
    // Debug lists are comma-terminated.
    EXPECT_EQ(CommaTerminated(std::vector<int>{1, 2, 24}), "1,2,24,");
    EXPECT_EQ(CommaTerminated(std::vector<std::string>{"POWER ON", "Time-based OFF"}),
              "POWER ON,Time-based OFF,");
    EXPECT_EQ(CommaTerminated(std::vector<int>{}), "");
}

TEST(MenuPruning, ModelWithoutPLosesThePoeCommandsAndPopup) {
    const MenuPruning pruning = MenuPruningFor(QString("KSX-7700-52"));
    EXPECT_TRUE(pruning.removePoePopup);
    EXPECT_EQ(pruning.removedIds,
              (std::vector<int>{32852, 32819, 32825, 32827, 32826, 32857, 32858, 32860}));

    for (const char* model : {"KSX-7700-28P", "ksx-7700-28p"}) {
        const MenuPruning poe = MenuPruningFor(QString::fromLatin1(model));
        EXPECT_FALSE(poe.removePoePopup) << model;
        EXPECT_TRUE(poe.removedIds.empty()) << model;
    }
    EXPECT_EQ(MenuPruningFor(QString("KFX-1P")).removedIds, (std::vector<int>{32817}));
}

} // namespace
