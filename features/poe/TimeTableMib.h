// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The switch's two tables of named time periods, laid out alike: the PoE time ranges and the
// power-saving time profiles. Each row holds a name, optional date bounds, a daily start and
// end time, the weekdays and a row status; at most eight rows, indexes 1 to 8.
//
// Plain rules (list texts, the checks of a new or edited entry, the free index, the write
// request) and the data class that walks, writes and deletes the rows.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TypedWalk.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace timetable {

// The inputs a refusal of an entry is about.
inline constexpr char kNameField[] = "name";
inline constexpr char kToYearField[] = "toYear";
inline constexpr char kToMonthField[] = "toMonth";
inline constexpr char kToDayField[] = "toDay";
inline constexpr char kStartTimeField[] = "startTime";
inline constexpr const char* kEntryFields[] = {kNameField, kToYearField, kToMonthField, kToDayField,
                                               kStartTimeField};

enum class Kind { PoeRange, Profile };

inline constexpr int kMaxEntries = 8;
inline constexpr int kMaxNameLength = 20;

// Column `column` (1 to 21) of the table.
std::string ColumnOid(Kind kind, int column);
// The 21 columns in order.
std::vector<std::string> AllColumns(Kind kind);
std::string RowStatusInstance(Kind kind, int index);

struct TimeEntry {
    int index = 0;
    std::string name; // UTF-8 bytes as the switch holds them
    bool dateUsed = false;
    int fromYear = 0, fromMonth = 0, fromDay = 0;
    int startHour = 0, startMinute = 0;
    int toYear = 0, toMonth = 0, toDay = 0;
    int endHour = 0, endMinute = 0;
    std::array<bool, 7> days{}; // Monday first
    long rowStatus = 0;
};

// A walked row of the 21 columns; values that are no number read as 0.
std::optional<TimeEntry> EntryOfRow(const SnmpRow& row);

// List texts: "Mon,Tue" (no trailing comma); "2010/03/05" (empty without dates); "08:05".
std::string WeekdaysText(const TimeEntry& entry);
std::string FromDayText(const TimeEntry& entry);
std::string ToDayText(const TimeEntry& entry);
std::string TimeText(int hour, int minute);

// The date and time check of a new or edited entry; without dates every date part counts
// as 2, so the times must then run forward within the day.
std::optional<Refusal> CheckDateTime(const TimeEntry& entry);
// The name checks of a new PoE time range and of a new time profile (an edited range's name is
// not checked).
std::optional<Refusal> CheckRangeName(const std::string& name,
                                      const std::vector<TimeEntry>& listed);
std::optional<Refusal> CheckProfileName(const std::string& name,
                                        const std::vector<TimeEntry>& listed);

// The index of a new PoE time range: the first index, counting from 1, where the listed
// rows (in walk order) hold another index or a row that is not in service; nothing when
// eight ranges are active or no index up to 8 is free.
std::optional<int> NewRangeIndex(const std::vector<TimeEntry>& listed);
// The index of a new time profile: the first position whose listed index is not its
// position + 1; nothing when no index up to 8 is free.
std::optional<int> NewProfileIndex(const std::vector<TimeEntry>& listed);

// One set request with every column of the entry, dates only when used, row status active
// last.
CSetRequest EntryRequest(Kind kind, int index, const TimeEntry& entry);

} // namespace timetable

// Reads and writes one of the two tables.
class CTimeTableMib : public CFeatureData {
public:
    explicit CTimeTableMib(timetable::Kind kind);

    CTypedWalk<timetable::TimeEntry>& Walk() { return m_cWalk; }
    // The rows read since the walk started, in table order.
    const std::vector<timetable::TimeEntry>& Entries() const { return m_cWalk.Rows(); }
    timetable::Kind Kind() const { return m_kind; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

    // The row of `index` destroyed.
    ApplyPlan PlanDelete(int index) const;
    // A new PoE time range: destroy (whatever the switch answers), create-and-wait, then every
    // column with active last (RowCreation.h). An edited range: every column in one request.
    ApplyPlan PlanNewRange(int index, const timetable::TimeEntry& entry) const;
    ApplyPlan PlanEntry(int index, const timetable::TimeEntry& entry) const;

private:
    timetable::Kind m_kind;
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<timetable::TimeEntry> m_cWalk;
};
