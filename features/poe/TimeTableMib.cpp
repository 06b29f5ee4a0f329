// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/TimeTableMib.h"

#include "features/common/RowCreation.h"
#include "features/common/SnmpRequests.h"
#include "snmp/InputChecks.h"

#include <cstdio>

namespace timetable {

namespace {

constexpr const char* kDayTexts[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

std::string EntryOid(Kind kind) {
    return PrivateOid(kind == Kind::PoeRange ? "23.1.1" : "32.1.1");
}

int NumberAt(const SnmpRow& row, std::size_t column) {
    const std::optional<long> value = IntegerOf(row.Value(column));
    return value && *value >= -99999 && *value <= 99999 ? static_cast<int>(*value) : 0;
}

std::string TwoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::string DateText(int year, int month, int day) {
    return std::to_string(year) + "/" + TwoDigits(month) + "/" + TwoDigits(day);
}

bool IsListed(const std::string& name, const std::vector<TimeEntry>& listed) {
    for (const TimeEntry& entry : listed) {
        if (entry.name == name) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string ColumnOid(Kind kind, int column) {
    return EntryOid(kind) + "." + std::to_string(column);
}

std::vector<std::string> AllColumns(Kind kind) {
    std::vector<std::string> columns;
    for (int column = 1; column <= 21; ++column) {
        columns.push_back(ColumnOid(kind, column));
    }
    return columns;
}

std::string RowStatusInstance(Kind kind, int index) {
    return InstanceOid(ColumnOid(kind, 21), index);
}

std::optional<TimeEntry> EntryOfRow(const SnmpRow& row) {
    TimeEntry entry;
    entry.index = NumberAt(row, 0);
    if (entry.index == 0) {
        const std::optional<long> suffix = IntegerOf(row.suffix);
        entry.index = suffix && *suffix > 0 && *suffix <= 99999 ? static_cast<int>(*suffix) : 0;
    }
    entry.name = row.Value(1);
    entry.dateUsed = row.Value(2) == "1";
    int* parts[] = {&entry.fromYear,    &entry.fromMonth, &entry.fromDay, &entry.startHour,
                    &entry.startMinute, &entry.toYear,    &entry.toMonth, &entry.toDay,
                    &entry.endHour,     &entry.endMinute};
    for (std::size_t i = 0; i < 10; ++i) {
        *parts[i] = NumberAt(row, 3 + i);
    }
    for (std::size_t day = 0; day < 7; ++day) {
        entry.days[day] = row.Value(13 + day) == "1";
    }
    entry.rowStatus = IntegerOf(row.Value(20)).value_or(0);
    return entry;
}

std::string WeekdaysText(const TimeEntry& entry) {
    std::string text;
    for (std::size_t day = 0; day < 7; ++day) {
        if (entry.days[day]) {
            text += std::string(kDayTexts[day]) + ",";
        }
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

std::string FromDayText(const TimeEntry& entry) {
    return entry.dateUsed ? DateText(entry.fromYear, entry.fromMonth, entry.fromDay)
                          : std::string();
}

std::string ToDayText(const TimeEntry& entry) {
    return entry.dateUsed ? DateText(entry.toYear, entry.toMonth, entry.toDay) : std::string();
}

std::string TimeText(int hour, int minute) {
    return TwoDigits(hour) + ":" + TwoDigits(minute);
}

std::optional<Refusal> CheckDateTime(const TimeEntry& entry) {
    const auto part = [&entry](int value) { return entry.dateUsed ? value : 2; };
    const long from =
        part(entry.fromYear) * 10000L + part(entry.fromMonth) * 100L + part(entry.fromDay);
    const long to = part(entry.toYear) * 10000L + part(entry.toMonth) * 100L + part(entry.toDay);
    const int start = entry.startHour * 100 + entry.startMinute;
    const int end = entry.endHour * 100 + entry.endMinute;
    if (start == end) {
        return Refusal{"'Start Time' and 'End Time' can't be the same"}.About(kStartTimeField);
    }
    if (from > to) {
        if (part(entry.fromYear) > part(entry.toYear)) {
            return Refusal{"'To year' can't be less than 'From year'"}.About(kToYearField);
        }
        if (part(entry.fromMonth) <= part(entry.toMonth)) {
            return Refusal{"'To day' can't be less than 'From day'"}.About(kToDayField);
        }
        return Refusal{"'To month' can't be less than 'From month'"}.About(kToMonthField);
    }
    if (from == to && start > end) {
        return Refusal{"'Start Time' can't be grater than 'End Time'"}.About(kStartTimeField);
    }
    return std::nullopt;
}

std::optional<Refusal> CheckRangeName(const std::string& name,
                                      const std::vector<TimeEntry>& listed) {
    CheckChain checks;
    checks.Require(!name.empty(), "The TimeRange name can not be empty,please input it.")
        .About(kNameField)
        .Require([&] { return CheckName(name); }, "Invalid TimeRange Name.")
        .About(kNameField)
        .Require([&] { return !IsListed(name, listed); }, "Invalid TimeRange Name.")
        .About(kNameField);
    return checks.FirstRefusal();
}

std::optional<Refusal> CheckProfileName(const std::string& name,
                                        const std::vector<TimeEntry>& listed) {
    CheckChain checks;
    checks.Require(!name.empty(), "The Profile name can not be empty,please input it.")
        .About(kNameField)
        .Require([&] { return CheckName(name); }, "Invalid Profile name.")
        .About(kNameField)
        .Require([&] { return !IsListed(name, listed); }, "The Profile Name is exist.")
        .About(kNameField);
    return checks.FirstRefusal();
}

std::optional<int> NewRangeIndex(const std::vector<TimeEntry>& listed) {
    int active = 0;
    for (const TimeEntry& entry : listed) {
        active += entry.rowStatus == 1 ? 1 : 0;
    }
    if (active >= kMaxEntries) {
        return std::nullopt;
    }
    for (int index = 1; index <= kMaxEntries; ++index) {
        const auto position = static_cast<std::size_t>(index - 1);
        if (position >= listed.size() || listed[position].index != index ||
            listed[position].rowStatus == 2) {
            return index;
        }
    }
    return std::nullopt;
}

std::optional<int> NewProfileIndex(const std::vector<TimeEntry>& listed) {
    for (int index = 1; index <= kMaxEntries; ++index) {
        const auto position = static_cast<std::size_t>(index - 1);
        if (position >= listed.size() || listed[position].index != index) {
            return index;
        }
    }
    return std::nullopt;
}

CSetRequest EntryRequest(Kind kind, int index, const TimeEntry& entry) {
    const auto at = [kind, index](int column) {
        return InstanceOid(ColumnOid(kind, column), index);
    };
    CSetRequest request;
    request.OctetString(at(2), entry.name);
    request.Integer(at(3), entry.dateUsed ? 1L : 2L);
    if (entry.dateUsed) {
        request.Integer(at(4), entry.fromYear)
            .Integer(at(5), entry.fromMonth)
            .Integer(at(6), entry.fromDay)
            .Integer(at(9), entry.toYear)
            .Integer(at(10), entry.toMonth)
            .Integer(at(11), entry.toDay);
    }
    request.Integer(at(7), entry.startHour)
        .Integer(at(8), entry.startMinute)
        .Integer(at(12), entry.endHour)
        .Integer(at(13), entry.endMinute);
    for (int day = 0; day < 7; ++day) {
        request.Integer(at(14 + day), entry.days[static_cast<std::size_t>(day)] ? 1L : 2L);
    }
    request.Integer(at(21), 1L);
    return request;
}

} // namespace timetable

CTimeTableMib::CTimeTableMib(timetable::Kind kind)
    : m_kind(kind),
      m_cWalk(m_cCommonSNMPTable, timetable::AllColumns(kind), &timetable::EntryOfRow) {}

ApplyPlan CTimeTableMib::PlanDelete(int index) const {
    ApplyPlan plan;
    plan.Request().Integer(timetable::RowStatusInstance(m_kind, index), 6L);
    return plan;
}

ApplyPlan CTimeTableMib::PlanNewRange(int index, const timetable::TimeEntry& entry) const {
    ApplyPlan plan;
    RowCreation& row = plan.row.emplace();
    row.statusOid = timetable::RowStatusInstance(m_kind, index);
    row.clearFirst = {CSetRequest().Integer(row.statusOid, 6L)};
    row.values = {timetable::EntryRequest(m_kind, index, entry)};
    row.activeInLastValues = true;
    return plan;
}

ApplyPlan CTimeTableMib::PlanEntry(int index, const timetable::TimeEntry& entry) const {
    ApplyPlan plan;
    plan.Request() = timetable::EntryRequest(m_kind, index, entry);
    return plan;
}
