// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The checks of Port Configuration's Apply as a table, without a switch: what each port table
// and choice comes to (the refusal, or the questions and the bindings of the one set).
#include "features/port_vlan/PortConfigMib.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace portconfig;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kForced = "The speed is set to force mode. \n"
                            "* The speed mode must be the same as the counterpart. ";
const std::string kFlow =
    "QoS works best when Flow Control is disabled. \n"
    "* When Flow Control is enabled.QoS may not perform accurate bandwidth allocation. \n"
    "* Do you still want to enable Flow Control?. ";

std::string Speed(int port, int value) {
    return P + ".1.13.1.2." + std::to_string(port) + "=" + std::to_string(value);
}
std::string Flow(int port, int value) {
    return P + ".1.13.1.5." + std::to_string(port) + "=" + std::to_string(value);
}

// A switch of `ports` ports, all copper at Auto with flow control off, then `change`d.
PortTable Table(int ports, const std::function<void(PortTable&)>& change = {}) {
    PortTable table;
    table.portCount = ports;
    table.trunkOfPort.assign(static_cast<std::size_t>(ports), 0);
    for (int port = 1; port <= ports; ++port) {
        table.rows.push_back({port, kSpeedAuto, 2, kFlowDisabled, 1, 2, kMediaCopper});
    }
    if (change) {
        change(table);
    }
    return table;
}

PortRow& Row(PortTable& table, int port) {
    return table.rows[static_cast<std::size_t>(port - 1)];
}

// Port `port` with the medium `media`.
std::function<void(PortTable&)> Media(int port, int media, bool allGiga = false) {
    return [=](PortTable& table) {
        Row(table, port).mediaType = media;
        table.allGiga = allGiga;
    };
}

// Every port disabled but port 5.
void OnlyPort5Runs(PortTable& table) {
    for (PortRow& row : table.rows) {
        row.speed = row.port == 5 ? kSpeedAuto : kSpeedDisable;
    }
}

// Ports 3 and 4 in trunk 1 at 100M-Full, port 4 with flow control on.
void Trunk34(PortTable& table) {
    for (int port : {3, 4}) {
        table.trunkOfPort[static_cast<std::size_t>(port - 1)] = 1;
        Row(table, port).speed = kSpeed100Full;
    }
    Row(table, 4).flowControl = kFlowEnabled;
}

// A port table and a choice, and what Apply comes to: its refusal alone, or its questions
// followed by the bindings of its one set.
struct PlanCase {
    PortTable table;
    PortChoice choice;
    std::vector<std::string> outcome;
};

void HalfDuplexTrunk(PortTable& t) {
    t.trunkOfPort[2] = t.trunkOfPort[3] = 2;
    Row(t, 3).speed = Row(t, 4).speed = kSpeed100Half;
}

void Port29Beyond28(PortTable& t) {
    t.rows.push_back({29, kSpeedAuto, 2, kFlowDisabled, 1, 2, 3});
}

const std::string kLastPort = "Sorry, you cannot disable all ports.";
const std::string kFibre100 = "Fiber Port 50 with 100Base-x SFP Module can not support ";

const PlanCase kCases[] = {
    {Table(28), {0, kSpeedAuto, kFlowDisabled}, {"Please Select one port !"}},
    {Table(28), {10, kSpeed100Half, kFlowEnabled}, {kForced, kFlow, Speed(10, 3), Flow(10, 1)}},
    // Auto without flow control asks nothing.
    {Table(28), {10, kSpeedAuto, kFlowDisabled}, {Speed(10, 6), Flow(10, 2)}},
    // Trunk members keep the speed and flow control of their trunk, and only the flow control
    // is sent; a port outside the trunk is free.
    {Table(28, Trunk34),
     {3, kSpeedAuto, kFlowEnabled},
     {"LA port can not support in different speed."}},
    {Table(28, Trunk34),
     {3, kSpeed100Full, kFlowDisabled},
     {"LA port can not support in different flow control."}},
    {Table(28, Trunk34), {3, kSpeed100Full, kFlowEnabled}, {kForced, kFlow, Flow(3, 1)}},
    {Table(28, Trunk34), {5, kSpeed100Half, kFlowDisabled}, {kForced, Speed(5, 3), Flow(5, 2)}},
    {Table(28, HalfDuplexTrunk),
     {3, kSpeed100Half, kFlowDisabled},
     {"LA port 3 can not support in half-duplex mode."}},
    // The last enabled port stays enabled; disabling a disabled one is fine.
    {Table(28, OnlyPort5Runs), {5, kSpeedDisable, kFlowDisabled}, {kLastPort}},
    {Table(28, OnlyPort5Runs), {6, kSpeedDisable, kFlowDisabled}, {Speed(6, 7), Flow(6, 2)}},
    // Gigabit on a 100M copper port only when the model says every port is gigabit.
    {Table(52, Media(1, 1)),
     {1, kSpeed1000Full, kFlowDisabled},
     {"Port 1 can not support 1000M speed."}},
    {Table(52, Media(1, 1, true)),
     {1, kSpeed1000Full, kFlowDisabled},
     {kForced, Speed(1, 1), Flow(1, 2)}},
    // 100Base-X fibre: 100M only, never Auto; 1000Base-X fibre: 1000M only.
    {Table(52, Media(50, 3)), {50, kSpeedAuto, kFlowDisabled}, {kFibre100 + "in Auto mode."}},
    {Table(52, Media(50, 3)), {50, kSpeed10Full, kFlowDisabled}, {kFibre100 + "this speed."}},
    {Table(52, Media(50, 3)), {50, kSpeed1000Full, kFlowDisabled}, {kFibre100 + "this speed."}},
    {Table(52, Media(50, 3)),
     {50, kSpeed100Half, kFlowDisabled},
     {kForced, Speed(50, 3), Flow(50, 2)}},
    {Table(52, Media(51, 4)),
     {51, kSpeed100Full, kFlowDisabled},
     {"Fiber Port 51 with 1000Base-x SFP Module can not support this speed."}},
    {Table(52, Media(51, 4)),
     {51, kSpeed1000Full, kFlowDisabled},
     {kForced, Speed(51, 1), Flow(51, 2)}},
    // The media of a row beyond the port count are not known.
    {Table(28, Port29Beyond28), {29, kSpeedAuto, kFlowDisabled}, {Speed(29, 6), Flow(29, 2)}},
};

TEST(PortConfigRules, ApplyComesToItsRefusalOrItsQuestionsAndSet) {
    for (std::size_t row = 0; row < std::size(kCases); ++row) {
        const PlanCase& c = kCases[row];
        SCOPED_TRACE("row " + std::to_string(row) + ", port " + std::to_string(c.choice.port));
        const ApplyPlan plan = PlanApply(c.table, c.choice);
        std::vector<std::string> outcome;
        if (plan.refusal) {
            outcome.push_back(plan.refusal->text);
        } else {
            outcome = plan.questions;
        }
        for (const auto& binding : plan.request.Bindings()) {
            outcome.push_back(binding.instance + "=" + binding.value);
        }
        EXPECT_EQ(outcome, c.outcome);
    }
}

TEST(PortConfigCells, ValuesNobodyDefinedShowTheFallbackAndComboPortsNameTheirMedium) {
    PortRow garbage{5, 99, -3, std::nullopt, 0, 7, 9};
    EXPECT_EQ(
        RowCells(garbage, 28, false),
        (std::vector<std::string>{"5", "1000MFull", "1000MFull", "Disabled", "Low", "Disabled"}));
    // The last four of 24 ports are combo ports; a down port stays "Down".
    EXPECT_EQ(RowCells({21, 6, 3, 1, 2, 1, 3}, 24, false)[2], "100M F Full");
    EXPECT_EQ(RowCells({24, 6, 2, 1, 2, 1, 4}, 24, false)[2], "1000M F Full");
    EXPECT_EQ(RowCells({22, 6, 1, 1, 2, 1, 4}, 24, false)[2], "Down");
    EXPECT_EQ(RowCells({21, 6, 5, 1, 2, 1, 2}, 24, false)[2], "10M C Full");
    EXPECT_EQ(RowCells({23, 6, 5, 1, 2, 1, 2}, 24, false)[2], "10MFull");
    EXPECT_EQ(RowCells({23, 6, 5, 1, 2, 1, 2}, 24, true)[2], "10M C Full");
    EXPECT_EQ(RowCells({49, 6, 3, 1, 2, 1, 3}, 52, false)[2], "100MFull"); // no combo ports
}

} // namespace
