// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The groups of the power dialogs: time profiles and power saving, PoE.
#include "features/poe/PoeMib.h"
#include "features/poe/PowerSavingMib.h"
#include "features/poe/TimeTableMib.h"
#include "features/snapshot/GroupParts.h"
#include "snmp/SessionParameters.h"

namespace snapshot {
namespace {

// A time profile or PoE time range, keyed by its name (what the lists show).
class CTimeTableGroup : public CGroup {
public:
    CTimeTableGroup(timetable::Kind kind, std::vector<std::string> menuPath)
        : CGroup(std::move(menuPath)), m_cMib(kind) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        ReadWalk(
            m_cMib.Walk().Walk(), [this] { AddRows(); }, std::move(done));
    }

private:
    void AddRows() {
        for (const timetable::TimeEntry& entry : m_cMib.Entries()) {
            const std::string row = SwitchText(entry.name);
            Add("Weekdays", timetable::WeekdaysText(entry), row);
            Add("From Day", timetable::FromDayText(entry), row);
            Add("To Day", timetable::ToDayText(entry), row);
            Add("Start Time", timetable::TimeText(entry.startHour, entry.startMinute), row);
            Add("End Time", timetable::TimeText(entry.endHour, entry.endMinute), row);
        }
    }

    CTimeTableMib m_cMib;
};

class CPowerSavingGroup : public CGroup {
public:
    CPowerSavingGroup() : CGroup({"Device Manager", "System", "Power Saving Settings"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        if (!m_cMib.Read()) {
            done(false);
            return;
        }
        ReadWalk(
            m_cMib.ProfileWalk().Walk(), [this] { AddSettings(); }, std::move(done));
    }

private:
    void AddSettings() {
        const powersaving::Settings& settings = m_cMib.Current();
        Add("Enable Cable Length Detection", StateText(settings.cableLength));
        Add("Enable Link Status Detection", StateText(settings.linkStatus));
        const int ports = DeviceValues().DevicePortCount;
        for (const powersaving::ActionKind& action : powersaving::Actions()) {
            const powersaving::ActionValues& values = settings.actions[action.type - 1];
            Add("State", StateText(values.state), action.list);
            Add("Time Profile 1", powersaving::ProfileNameOf(values.profile1, m_cMib.Profiles()),
                action.list);
            Add("Time Profile 2", powersaving::ProfileNameOf(values.profile2, m_cMib.Profiles()),
                action.list);
            Add("Port", powersaving::PortCell(action.type, values.ports, ports), action.list);
        }
    }

    CPowerSavingMib m_cMib;
};

class CPoeGlobalGroup : public CGroup {
public:
    CPoeGlobalGroup() : CGroup({"Device Manager", "PoE", "PoE Global Settings"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        m_cMib.StartRead([this, done = std::move(done)](const auto& result) {
            if (result) {
                const poe::GlobalValues values = poe::GlobalValuesOf(*result);
                Add("PoE Power Threshold  (7.1-185.0)", values.threshold);
                Add("Power Shut Off Sequence", EnumText(poe::ShutOffSequence(), values.sequence));
            }
            done(result.Ok());
        });
    }

private:
    CPoeGlobalMib m_cMib;
};

// The time range names first: a port's range is shown by its name.
class CPoePortGroup : public CGroup {
public:
    CPoePortGroup() : CGroup({"Device Manager", "PoE", "PoE Port Settings"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        ReadWalk(
            m_cMib.RangeWalk().Walk(), [] {},
            [this, done = std::move(done)](bool answered) mutable {
                if (!answered) {
                    done(false);
                    return;
                }
                ReadWalk(
                    m_cMib.PortWalk().Walk(), [this] { AddRows(); }, std::move(done));
            });
    }

private:
    void AddRows() {
        for (const poe::PortRow& row : m_cMib.PortWalk().Rows()) {
            if (!row.port) {
                continue;
            }
            const std::string port = PortRow(*row.port);
            Add("State", EnumText(poe::PortState(), row.state), port);
            Add("Time Range", poe::TimeRangeCell(row.timeRange, m_cMib.RangeWalk().Rows()), port);
            Add("Priority", EnumText(poe::Priority(), row.priority), port);
            Add("Power Limit", poe::PowerLimitCell(row), port);
        }
    }

    CPoePortMib m_cMib;
};

} // namespace

std::unique_ptr<CGroup> MakeTimeProfileGroup() {
    return std::make_unique<CTimeTableGroup>(
        timetable::Kind::Profile,
        std::vector<std::string>{"Device Manager", "System", "Time Profile Settings"});
}

std::unique_ptr<CGroup> MakePowerSavingGroup() {
    return std::make_unique<CPowerSavingGroup>();
}

std::unique_ptr<CGroup> MakePoeGlobalGroup() {
    return std::make_unique<CPoeGlobalGroup>();
}

std::unique_ptr<CGroup> MakePoePortGroup() {
    return std::make_unique<CPoePortGroup>();
}

std::unique_ptr<CGroup> MakePoeTimeRangeGroup() {
    return std::make_unique<CTimeTableGroup>(
        timetable::Kind::PoeRange,
        std::vector<std::string>{"Device Manager", "PoE", "PoE Time Range Settings"});
}

} // namespace snapshot
