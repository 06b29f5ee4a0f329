// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// Power over Ethernet (PoE model only), PoE time ranges, power saving and time profiles.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

#include <cmath>
#include <cstdlib>

namespace ksxsim {

namespace {

// A decimal text such as "15.4": digits, at most one point, at most one decimal.
std::optional<double> DecimalText(const std::string& text) {
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    size_t point = text.find('.');
    for (size_t i = 0; i < text.size(); ++i) {
        if (i != point && (text[i] < '0' || text[i] > '9')) {
            return std::nullopt;
        }
    }
    if (point == 0 || (point != std::string::npos && text.size() - point != 2)) {
        return std::nullopt;
    }
    return std::atof(text.c_str());
}

void BuildPoe(Builder& b) {
    const auto& p = b.Profile();
    TableDef& t =
        b.Table("22.1.1", "swPoePortEntry", {NumberIndex(1, 1), NumberIndex(1, p.poePorts)});
    b.Column(t, 1, IndexColumn("swPoePortUnit", 0));
    b.Column(t, 2, IndexColumn("swPoePortIndex", 1));
    b.Column(t, 3, Int("swPoePortState", RW, 1, {{1, 2}}));
    b.Column(t, 4, Int("swPoePortTimeRange", RW, 0, {{0, 8}}));
    b.Column(t, 5, Int("swPoePortPriority", RW, 1, {{1, 3}}));
    b.Column(t, 6, Int("swPoePortClassLimit", RW, 1, {{1, 5}}));
    b.Column(t, 7, Int("swPoePortLimitKind", RW, 2, {{1, 2}}));
    b.Column(t, 8, Str("swPoePortUserLimit", RW, "15.4", 8, 1));
    b.Column(t, 9, Str("swPoePortPower", RO, "0.0"));
    b.Column(t, 10, Str("swPoePortVoltage", RO, "0.0"));
    b.Column(t, 11, Str("swPoePortCurrent", RO, "0"));
    b.Column(t, 12, Str("swPoePortClassification", RO, "N/A"));
    b.Column(t, 13, Str("swPoePortStatus", RO, "POWER OFF"));
    for (uint32_t port = 1; port <= static_cast<uint32_t>(p.poePorts); ++port) {
        b.Row(t, {1, port});
    }
    b.Scalar("22.2", Str("swPoeThreshold", RW, "185.0", 8, 1));
    b.Scalar("22.3", Int("swPoeShutOffSequence", RW, 1, {{1, 2}}));
    b.Scalar("22.4", Str("swPoeBudget", RO, "185.0"));
    b.Scalar("22.5", Str("swPoePowerUsed", RO, "0.0"));
    b.Scalar("22.6", Str("swPoePowerLeft", RO, "185.0"));
    b.Scalar("22.7", Str("swPoePowerPercent", RO, "0"));
    b.Scalar("22.8", Int("swPoeLedMode", RO, 1));

    SwitchModel& model = b.Model();
    StoreView view = ViewOf(model);
    for (int port = 1; port <= p.poePorts; ++port) {
        RefreshPoePort(model, view, port);
    }
    RefreshPoeTotals(model, view);

    // The threshold is 7.1 to 185.0 W; a user limit 1.0 to 30.0 W in steps of 0.2 W.
    model.AddRule([&model](Transaction& tx) -> std::optional<SetFailure> {
        if (!tx.BindingUnder(Private("22"))) {
            return std::nullopt;
        }
        Oid threshold = Private("22.2.0");
        if (tx.BindingUnder(threshold)) {
            auto watts = DecimalText(tx.GetBytes(threshold));
            if (!watts || *watts < 7.1 - 1e-9 || *watts > 185.0 + 1e-9) {
                return Refuse(tx, threshold, ErrorStatus::WrongValue);
            }
        }
        for (const Oid& changed : tx.ChangedUnder(Private("22.1.1.8"))) {
            auto watts = DecimalText(tx.GetBytes(changed));
            double steps = watts ? *watts / 0.2 : 0.5;
            if (!watts || *watts < 1.0 || *watts > 30.0 ||
                std::fabs(steps - std::round(steps)) > 1e-6) {
                return Refuse(tx, changed, ErrorStatus::WrongValue);
            }
        }
        StoreView view = ViewOf(tx);
        for (const Oid& changed : tx.ChangedUnder(Private("22.1.1.3"))) {
            RefreshPoePort(model, view, static_cast<int>(changed.back()));
        }
        RefreshPoeTotals(model, view);
        return std::nullopt;
    });
}

// The PoE time ranges and the time profiles share one layout.
TableDef& BuildTimeTable(Builder& b, std::string_view entry, const std::string& prefix,
                         int firstYear, int lastYear) {
    TableDef& t = b.Table(entry, prefix + "Entry", {NumberIndex(1, 8)});
    t.maxRows = 8;
    b.Column(t, 1, IndexColumn(prefix + "Index", 0));
    b.Column(t, 2, Str(prefix + "Name", RC, "", 32));
    b.Column(t, 3, Int(prefix + "DateUsed", RC, 2, {{1, 2}}));
    const char* parts[] = {"FromYear", "FromMonth", "FromDay", "StartHour", "StartMinute",
                           "ToYear",   "ToMonth",   "ToDay",   "EndHour",   "EndMinute"};
    const Range ranges[] = {{firstYear, lastYear}, {1, 12}, {1, 31}, {0, 23}, {0, 59},
                            {firstYear, lastYear}, {1, 12}, {1, 31}, {0, 23}, {0, 59}};
    const int initial[] = {firstYear, 1, 1, 0, 0, lastYear, 12, 31, 23, 59};
    for (uint32_t i = 0; i < 10; ++i) {
        b.Column(t, 4 + i, Int(prefix + parts[i], RC, initial[i], {ranges[i]}));
    }
    const char* days[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                          "Friday", "Saturday", "Sunday"};
    for (uint32_t d = 0; d < 7; ++d) {
        b.Column(t, 14 + d, Int(prefix + days[d], RC, 2, {{1, 2}}));
    }
    b.Column(t, 21, RowStatusColumn(prefix + "RowStatus"));
    return t;
}

void SeedTimeTable(Builder& b, const TableDef& t, const std::string& name,
                   std::initializer_list<int> weekdays, int startHour, int endHour) {
    b.Row(t, {1});
    SwitchModel& model = b.Model();
    model.Put(t.entry + 2u + 1u, Value::Str(name));
    model.Put(t.entry + 7u + 1u, Value::Int(startHour));
    model.Put(t.entry + 12u + 1u, Value::Int(endHour));
    model.Put(t.entry + 13u + 1u, Value::Int(0));
    for (int day : weekdays) {
        model.Put(t.entry + static_cast<uint32_t>(13 + day) + 1u, Value::Int(1));
    }
}

void BuildPowerSaving(Builder& b) {
    for (int action = 1; action <= 3; ++action) {
        std::string a = "31." + std::to_string(action);
        b.Scalar(a + ".1", b.PortList("swPowerSavingPorts" + std::to_string(action), RW, {}));
        b.Scalar(a + ".2", Int("swPowerSavingState" + std::to_string(action), RW, 2, {{1, 2}}));
        b.Scalar(a + ".3", Int("swPowerSavingProfileA" + std::to_string(action), RW, 0, {{0, 8}}));
        b.Scalar(a + ".4", Int("swPowerSavingProfileB" + std::to_string(action), RW, 0, {{0, 8}}));
    }
    b.Scalar("31.4.1", Int("swHibernationState", RW, 2, {{1, 2}}));
    b.Scalar("31.4.2", Int("swHibernationProfileA", RW, 0, {{0, 8}}));
    b.Scalar("31.4.3", Int("swHibernationProfileB", RW, 0, {{0, 8}}));
    b.Scalar("31.5", Int("swCableLengthDetection", RW, 2, {{1, 2}}));
    b.Scalar("31.6", Int("swLinkStatusDetection", RW, 2, {{1, 2}}));

    TableDef& profiles = BuildTimeTable(b, "32.1.1", "swTimeProfile", 2011, 2029);
    profiles.createOnActive = true;
    SeedTimeTable(b, profiles, "Weekend", {6, 7}, 0, 23);

    // Actions name existing profiles (or 0, none); a removed profile is dropped from the
    // actions and PoE ports that used it.
    std::vector<Oid> references;
    for (const char* rel : {"31.1.3.0", "31.1.4.0", "31.2.3.0", "31.2.4.0", "31.3.3.0", "31.3.4.0",
                            "31.4.2.0", "31.4.3.0"}) {
        references.push_back(b.At(rel));
    }
    int poePorts = b.Profile().poe ? b.Profile().poePorts : 0;
    const TableDef* table = &profiles;
    b.Model().AddRule([references, poePorts, table](Transaction& tx) -> std::optional<SetFailure> {
        if (!tx.BindingUnder(Private("31")) && !tx.BindingUnder(table->entry)) {
            return std::nullopt;
        }
        std::set<Oid> rows = tx.Rows(*table);
        auto exists = [&rows](int64_t index) {
            return index == 0 || rows.count({static_cast<uint32_t>(index)}) != 0;
        };
        for (const Oid& reference : references) {
            if (!exists(tx.GetNumber(reference))) {
                if (tx.BindingUnder(reference)) {
                    return Refuse(tx, reference, ErrorStatus::InconsistentValue);
                }
                tx.Put(reference, Value::Int(0));
            }
        }
        for (uint32_t port = 1; port <= static_cast<uint32_t>(poePorts); ++port) {
            Oid range = Private("22.1.1.4") + Oid{1, port};
            if (!exists(tx.GetNumber(range))) {
                tx.Put(range, Value::Int(0));
            }
        }
        return std::nullopt;
    });
}

} // namespace

void BuildTimeEntryRules(Builder& b); // PoeRules.cpp

void BuildPowerGroups(Builder& b) {
    if (b.Profile().poe) {
        BuildPoe(b);
        TableDef& ranges = BuildTimeTable(b, "23.1.1", "swPoeTimeRange", 2009, 2037);
        SeedTimeTable(b, ranges, "WorkHours", {1, 2, 3, 4, 5}, 8, 18);
    }
    BuildPowerSaving(b);
    BuildTimeEntryRules(b);
}

} // namespace ksxsim
