// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The plain rules of the PoE, time-range and power-saving dialogs, as tables.
#include "features/poe/PoeMib.h"
#include "features/poe/PowerSavingMib.h"
#include "features/poe/TimeTableMib.h"

#include "tests/support/PlanLines.h"

#include <gtest/gtest.h>

namespace {

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
using testsupport::Lines;
using testsupport::RefusalOf;

TEST(PoeRules, UserLimitIsOneToThirtyWattsInStepsOfPointTwo) {
    const std::string range = "The User Defined power limit ranges between 1.0 ~ 30.0";
    const std::string step = "The per-port power limit must be a multiple of 0.2";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"15.4", ""},   {"1.0", ""},      {"30", ""},     {"30.0", ""},   {"0.2", range},
        {"15.5", step}, {"30.2", range},  {"0.8", range}, {"7.3", step},  {"", range},
        {"abc", range}, {"1.2.3", range}, {"-2", range},  {"15,4", range}};
    for (const auto& [watts, refusal] : cases) {
        EXPECT_EQ(RefusalOf(poe::CheckUserLimit(watts)), refusal) << watts;
    }
}

TEST(PoeRules, GlobalApplySendsOnlyWhatChangedWithinTheThresholdRange) {
    const std::string message = "The System Power Threshold ranges between 7.1 ~ 185.0.";
    const std::string g = P + ".22.";
    struct Case {
        poe::GlobalSettings input;
        std::string refusal;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"185.0", 1}, "", {}},
        {{"7.1", 1}, "", {g + "2.0=7.1"}},
        {{"185.0", 2}, "", {g + "3.0=2"}},
        {{"100", 2}, "", {g + "3.0=2", g + "2.0=100"}},
        {{"7.09", 2}, message, {}},
        {{"185.01", 1}, message, {}},
        {{"", 1}, message, {}},
        {{"9x", 1}, message, {}},
        {{"185.0", std::nullopt}, "", {}},
    };
    for (const Case& c : cases) {
        const ApplyPlan plan = poe::PlanGlobalApply(c.input, {"185.0", 1});
        EXPECT_EQ(RefusalOf(plan.refusal), c.refusal) << c.input.threshold;
        EXPECT_EQ(Lines(plan.Request()), c.lines) << c.input.threshold;
    }
}

TEST(PoeRules, PortRequestWithoutAUserLimitWritesTheClassLimit) {
    using B = CSetRequest::Binding;
    const std::string c = P + ".22.1.1.";
    const auto bindings = poe::PortRequest(5, {2, 3, 1, 2, 4, "15.4"}).Bindings();
    ASSERT_EQ(bindings.size(), 5U);
    EXPECT_EQ(bindings[3], (B{c + "7.1.5", 1, "2"}));
    EXPECT_EQ(bindings[4], (B{c + "6.1.5", 1, "4"}));
}

TEST(PoeRules, PortCellsFollowTheirTables) {
    const std::vector<poe::TimeRangeName> names = {{1, "Weekend"}, {3, "Night"}};
    EXPECT_EQ(poe::TimeRangeCell(3L, names), "Night");
    EXPECT_EQ(poe::TimeRangeCell(std::nullopt, names), "");
    poe::PortRow row;
    for (const auto& [limit, text] : std::vector<std::pair<long, std::string>>{
             {0, "Auto"}, {1, "Auto"}, {2, "Class 1"}, {5, "Class 4"}, {9, ""}}) {
        row.classLimit = limit;
        EXPECT_EQ(poe::PowerLimitCell(row), text) << limit;
    }
    EXPECT_EQ(poe::PortState().Cell(7L), "Disable");
    EXPECT_EQ(poe::Priority().Cell(0L), "High");
}

TEST(PoeRules, APortRowTakesItsPortFromTheIndexOnlyWhenItIsOne) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"1.7", 7}, {"12", 12}, {"1.0", std::nullopt}, {"1.x", std::nullopt}, {"", std::nullopt}};
    for (const auto& [suffix, port] : cases) {
        const auto row = poe::PortRowOf({suffix, {"garbage"}, {}});
        ASSERT_TRUE(row.has_value());
        EXPECT_EQ(row->port, port) << suffix;
        EXPECT_FALSE(row->state.has_value());
    }
}

timetable::TimeEntry Entry(bool date, std::array<int, 6> d, std::array<int, 4> t) {
    return {0, "", date, d[0], d[1], d[2], t[0], t[1], d[3], d[4], d[5], t[2], t[3]};
}

TEST(TimeTableRules, DatesAndTimesRunForwardOvernightOnlyAcrossDates) {
    struct Case {
        timetable::TimeEntry entry;
        std::string refusal;
    };
    const std::vector<Case> cases = {
        {Entry(false, {2012, 5, 5, 2010, 1, 1}, {8, 0, 18, 0}), ""},
        {Entry(false, {}, {22, 0, 6, 0}), "'Start Time' can't be grater than 'End Time'"},
        {Entry(true, {2010, 1, 1, 2010, 1, 2}, {22, 0, 6, 0}), ""},
        {Entry(true, {2010, 1, 1, 2010, 1, 1}, {22, 0, 6, 0}),
         "'Start Time' can't be grater than 'End Time'"},
        {Entry(true, {2010, 1, 1, 2011, 1, 1}, {7, 30, 7, 30}),
         "'Start Time' and 'End Time' can't be the same"},
        {Entry(true, {2011, 1, 1, 2010, 12, 31}, {1, 0, 2, 0}),
         "'To year' can't be less than 'From year'"},
        {Entry(true, {2010, 3, 9, 2010, 3, 8}, {1, 0, 2, 0}),
         "'To day' can't be less than 'From day'"},
        {Entry(true, {2010, 4, 1, 2010, 3, 8}, {1, 0, 2, 0}),
         "'To month' can't be less than 'From month'"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(RefusalOf(timetable::CheckDateTime(cases[i].entry)), cases[i].refusal) << i;
    }
}

TEST(TimeTableRules, NamesOfNewEntries) {
    timetable::TimeEntry listed;
    listed.name = "Night";
    const std::vector<timetable::TimeEntry> list = {listed};
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"", "The TimeRange name can not be empty,please input it.",
         "The Profile name can not be empty,please input it."},
        {"a.b", "Invalid TimeRange Name.", "Invalid Profile name."},
        {"x/y", "Invalid TimeRange Name.", "Invalid Profile name."},
        {"Night", "Invalid TimeRange Name.", "The Profile Name is exist."},
        {"Day shift (2)", "", ""},
    };
    for (const auto& [name, range, profile] : cases) {
        EXPECT_EQ(RefusalOf(timetable::CheckRangeName(name, list)), range) << name;
        EXPECT_EQ(RefusalOf(timetable::CheckProfileName(name, list)), profile) << name;
    }
}

std::vector<timetable::TimeEntry> Listed(std::initializer_list<std::pair<int, long>> rows) {
    std::vector<timetable::TimeEntry> entries;
    for (const auto& [index, status] : rows) {
        timetable::TimeEntry entry;
        entry.index = index;
        entry.rowStatus = status;
        entries.push_back(entry);
    }
    return entries;
}

TEST(TimeTableRules, NewEntriesTakeTheLowestFreeIndex) {
    EXPECT_EQ(timetable::NewRangeIndex({}), 1);
    EXPECT_EQ(timetable::NewRangeIndex(Listed({{1, 1}, {2, 1}, {4, 1}})), 3);
    EXPECT_EQ(timetable::NewRangeIndex(Listed({{1, 1}, {2, 2}, {3, 1}})), 2);
    EXPECT_EQ(timetable::NewRangeIndex(
                  Listed({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}})),
              std::nullopt);
    EXPECT_EQ(timetable::NewRangeIndex(
                  Listed({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 2}})),
              8);
    EXPECT_EQ(timetable::NewProfileIndex(Listed({{1, 1}, {3, 1}})), 2);
    EXPECT_EQ(timetable::NewProfileIndex(Listed({{1, 1}, {2, 1}})), 3);
    // The list just lost its last entry: what the vector still holds past its end is no entry.
    auto shortened = Listed({{1, 1}, {2, 1}, {3, 1}});
    shortened.pop_back();
    EXPECT_EQ(timetable::NewProfileIndex(shortened), 3);
    EXPECT_EQ(timetable::NewRangeIndex(shortened), 3);
}

TEST(TimeTableRules, ListTextsAndTheWriteOrder) {
    timetable::TimeEntry entry = Entry(true, {2010, 3, 5, 2011, 12, 25}, {8, 5, 18, 0});
    entry.days = {true, false, true, false, false, false, true};
    entry.name = "Shift";
    EXPECT_EQ(timetable::WeekdaysText(entry), "Mon,Wed,Sun");
    EXPECT_EQ(timetable::FromDayText(entry), "2010/03/05");
    EXPECT_EQ(timetable::ToDayText(entry), "2011/12/25");
    EXPECT_EQ(timetable::TimeText(entry.startHour, entry.startMinute), "08:05");
    const std::string c = P + ".23.1.1.";
    std::vector<std::string> order;
    const CSetRequest request = timetable::EntryRequest(timetable::Kind::PoeRange, 4, entry);
    for (const auto& binding : request.Bindings()) {
        order.push_back(binding.instance.substr(c.size()));
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"2.4",  "3.4",  "4.4",  "5.4",  "6.4",  "9.4",  "10.4",
                                        "11.4", "7.4",  "8.4",  "12.4", "13.4", "14.4", "15.4",
                                        "16.4", "17.4", "18.4", "19.4", "20.4", "21.4"}));
    entry.dateUsed = false;
    EXPECT_EQ(timetable::FromDayText(entry), "");
    EXPECT_EQ(timetable::EntryRequest(timetable::Kind::Profile, 2, entry).Size(), 14U);
}

TEST(PowerSavingRules, ActionsProfilesAndPorts) {
    using powersaving::ActionInput;
    const std::vector<powersaving::ProfileName> names = {{2, "Night"}};
    EXPECT_EQ(powersaving::ProfileNameOf(5L, names), "None");
    EXPECT_EQ(powersaving::PortCell(2, std::string(4, '\0'), 28), "None");
    const std::string w = P + ".31.";
    const ApplyPlan hibernation = powersaving::PlanAction(ActionInput{4, true, 2, 0, "1-3"}, 28);
    EXPECT_EQ(Lines(hibernation.Request()),
              (std::vector<std::string>{w + "4.1.0=1", w + "4.2.0=2", w + "4.3.0=0"}));
    const ApplyPlan standby = powersaving::PlanAction(ActionInput{3, true, 0, 2, "1-4,6"}, 28);
    EXPECT_EQ(Lines(standby.Request()),
              (std::vector<std::string>{w + "3.2.0=1", w + "3.3.0=0", w + "3.4.0=2",
                                        w + "3.1.0=" + std::string("\xF4\0\0\0", 4)}));
    // A disabled action is refused without ports too: its ports are not erased by accident.
    for (const bool enabled : {true, false}) {
        for (const char* ports : {"", "0", "29", "1-29", "a"}) {
            const ApplyPlan refused =
                powersaving::PlanAction(ActionInput{1, enabled, 0, 0, ports}, 28);
            EXPECT_EQ(RefusalOf(refused.refusal), "Invalid Portlist") << ports;
            EXPECT_TRUE(refused.Request().IsEmpty());
        }
    }
}

} // namespace
