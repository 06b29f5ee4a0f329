// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the panel shows for the values the poller reads.
#include "app/PanelPollRules.h"
#include "app/ModuleWindow.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr char k100M[] = "100000000";
constexpr char k1G[] = "1000000000";

PollDevice Device(int portCount, bool isAllGiga = false) {
    PollDevice device;
    device.portCount = portCount;
    device.isAllGiga = isAllGiga;
    return device;
}

LinkRow Row(std::string index, std::string admin, std::string oper, std::string speed,
            std::string media = "1") {
    return LinkRow{std::move(index), std::move(speed), std::move(admin), std::move(oper),
                   std::move(media)};
}

// Ten-port switches have eight fast ports and two gigabit ports, the others four gigabit
// ports at the end, all-gigabit switches want 1G on every port.
TEST(PanelPollRules, LinkStateOfALinkedPortFollowsItsTopSpeed) {
    constexpr int top = kPortLinkAtTopSpeed, below = kPortLinkBelowTopSpeed;
    const struct {
        int portCount;
        bool allGiga;
        std::vector<int> ports;
        int at100M, at1G;
    } cases[] = {
        {10, false, {1, 2, 3, 4, 5, 6, 7, 8}, top, below},
        {10, false, {9, 10}, below, top},
        {20, false, {16}, top, below},
        {20, false, {17}, below, top},
        {28, false, {24}, top, below},
        {28, false, {25}, below, top},
        {48, false, {44}, top, below},
        {48, false, {45}, below, top},
        {52, false, {48}, top, below},
        {52, false, {49}, below, top},
        {10, true, {1, 5, 10}, below, top},
        {52, true, {1, 26, 52}, below, top},
    };
    for (const auto& c : cases) {
        for (int port : c.ports) {
            const PollDevice device = Device(c.portCount, c.allGiga);
            EXPECT_EQ(LinkPortState("1", "1", k100M, port, device), c.at100M)
                << c.portCount << " port " << port;
            EXPECT_EQ(LinkPortState("1", "1", k1G, port, device), c.at1G)
                << c.portCount << " port " << port;
        }
    }
    // Speeds are compared as texts: 10 Mbit/s and odd texts are below the top speed.
    EXPECT_EQ(LinkPortState("1", "1", "10000000", 1, Device(28)), below);
    EXPECT_EQ(LinkPortState("1", "1", "100000000 ", 1, Device(28)), below);
}

TEST(PanelPollRules, DisabledComesBeforeNoLinkAndNoLinkBeforeSpeed) {
    const PollDevice device = Device(28);
    EXPECT_EQ(LinkPortState("2", "1", k100M, 1, device), kPortDisabled);
    EXPECT_EQ(LinkPortState("2", "2", k100M, 1, device), kPortDisabled);
    EXPECT_EQ(LinkPortState("", "1", k100M, 1, device), kPortDisabled);
    EXPECT_EQ(LinkPortState("1", "2", k100M, 1, device), kPortNoLink);
    EXPECT_EQ(LinkPortState("1", "7", k100M, 1, device), kPortNoLink);
}

TEST(PanelPollRules, RowsForIndexZeroOrBeyondThePortsChangeNothing) {
    LinkAccumulators rows;
    rows.rows = {Row("0", "1", "1", k100M),    Row("29", "1", "1", k100M),
                 Row("1000", "2", "2", k100M), Row("", "1", "1", k100M),
                 Row("abc", "1", "1", k100M),  Row("99999999999", "1", "1", k100M),
                 Row("5", "1", "1", k100M)};
    PanelPollResult result;
    RefreshLinkStatus(rows, Device(28), result);
    ASSERT_EQ(result.Ports.size(), 1u);
    EXPECT_EQ(result.Ports[0].Port, 5);
    EXPECT_TRUE(result.StartBlinkTimer);
}

TEST(PanelPollRules, PoeStatusTextsAndRowIndexes) {
    EXPECT_EQ(PoePortState("POWER ON"), kPortLinkAtTopSpeed);
    EXPECT_EQ(PoePortState("POWER OFF"), kPortDisabled);
    EXPECT_EQ(PoePortState("Time-based OFF"), kPortDisabled);
    // Anything unknown blinks orange.
    for (const char* text : {"", "power on", "POWER ON ", "Overload", "Time-based off"}) {
        EXPECT_EQ(PoePortState(text), kPortLinkBelowTopSpeed) << text;
    }
    // Rows are indexed by unit and port.
    for (const auto& [index, port] :
         {std::pair{"1.5", 5}, {"1.24", 24}, {"7", 7}, {"", 0}, {"1.", 0}}) {
        EXPECT_EQ(PoeRowPort(index), port) << index;
    }
}

TEST(PanelPollRules, PoeRowOfPortOneFirstDisablesThePortsAfterThePoePorts) {
    PoeAccumulators rows;
    rows.ports = {1, 2, 10};
    rows.statuses = {"POWER ON", "Time-based OFF", "Overload"};
    PollDevice device = Device(12);
    PanelPollResult result;
    RefreshPOEPortStatus(rows, device, result);

    // Ports 9..12 disabled (status only), then the three rows in order.
    std::vector<int> order;
    for (const PanelPortUpdate& update : result.Ports) {
        order.push_back(update.Port);
    }
    EXPECT_EQ(order, (std::vector<int>{9, 10, 11, 12, 1, 2, 10}));
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(result.Ports[i].Status, kPortDisabled);
        EXPECT_FALSE(result.Ports[i].Indicator.has_value());
        EXPECT_FALSE(result.Ports[i].StateValue.has_value());
    }
    // (What each row shows is checked against the switch.)
    EXPECT_EQ(result.Ports[6].Status, kPortLinkBelowTopSpeed) << "port 10's row wins";
    EXPECT_TRUE(result.StartBlinkTimer);
}

TEST(PanelPollRules, PoeRowsOutsideThePortsChangeNothing) {
    PoeAccumulators rows;
    rows.ports = {0, 29, 3};
    rows.statuses = {"POWER ON", "POWER ON"}; // one text short: the last row reads ""
    PanelPollResult result;
    RefreshPOEPortStatus(rows, Device(28), result);
    ASSERT_EQ(result.Ports.size(), 1u);
    EXPECT_EQ(result.Ports[0].Port, 3);
    EXPECT_EQ(result.Ports[0].Status, kPortLinkBelowTopSpeed);
}

TEST(PanelPollRules, PoeDisablingStopsAtTheLastPanelPort) {
    PoeAccumulators rows;
    rows.ports = {1};
    rows.statuses = {"POWER OFF"};
    PanelPollResult result;
    RefreshPOEPortStatus(rows, Device(1000000), result);
    EXPECT_LE(result.Ports.size(), static_cast<size_t>(kMaxPanelPorts));
    EXPECT_EQ(result.Ports.back().Port, 1);
}

TEST(PanelPollRules, PowerFanLedModeAndDebugListTexts) {
    // Power left at most 15.4 sets the lamp; text that is no number reads as 0.
    for (const auto& [text, lamp] : {std::pair{"15.4", true},
                                     {"15.5", false},
                                     {"15.41", false},
                                     {"370.0", false},
                                     {"0", true},
                                     {" 12.0W", true},
                                     {"", true},
                                     {"n/a", true}}) {
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
    const MenuPruning pruning = MenuPruningFor(QStringLiteral("KSX-7700-52"));
    EXPECT_TRUE(pruning.removePoePopup);
    EXPECT_EQ(pruning.removedIds,
              (std::vector<int>{32852, 32819, 32825, 32827, 32826, 32857, 32858, 32860}));

    for (const char* model : {"KSX-7700-28P", "ksx-7700-28p"}) {
        const MenuPruning poe = MenuPruningFor(QString::fromLatin1(model));
        EXPECT_FALSE(poe.removePoePopup) << model;
        EXPECT_TRUE(poe.removedIds.empty()) << model;
    }
    const MenuPruning kfx = MenuPruningFor(QStringLiteral("KFX-1P"));
    EXPECT_EQ(kfx.removedIds, (std::vector<int>{32817}));
}

} // namespace
