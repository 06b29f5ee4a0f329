// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// The switch's checks of a named time period (PoE time range or time profile): an active
// entry has real calendar dates that run forward and a start time that differs from its end
// time.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

#include <set>

namespace ksxsim {

namespace {

bool IsLeap(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int64_t DaysIn(int64_t month, int64_t year) {
    static const int64_t days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

void AddTimeEntryRule(Builder& b, const char* relativeEntry) {
    const TableDef* table = b.Model().Definitions().FindTable(b.At(relativeEntry));
    if (table == nullptr) {
        return;
    }
    b.Model().AddRule([table](Transaction& tx) -> std::optional<SetFailure> {
        if (!tx.BindingUnder(table->entry)) {
            return std::nullopt;
        }
        std::set<Oid> touched;
        for (const Binding& binding : tx.Bindings()) {
            if (StartsWith(binding.oid, table->entry) &&
                binding.oid.size() > table->entry.size() + 1) {
                Oid suffix = SuffixAfter(binding.oid, table->entry);
                touched.insert(Oid(suffix.begin() + 1, suffix.end()));
            }
        }
        const std::set<Oid> rows = tx.Rows(*table);
        for (const Oid& index : touched) {
            const auto column = [&](uint32_t c) { return table->entry + c + index; };
            if (rows.count(index) == 0 || tx.GetNumber(column(21)) != 1) {
                continue;
            }
            const Oid rowStatus = column(21);
            const int64_t start = tx.GetNumber(column(7)) * 100 + tx.GetNumber(column(8));
            const int64_t end = tx.GetNumber(column(12)) * 100 + tx.GetNumber(column(13));
            if (start == end) {
                return Refuse(tx, rowStatus, ErrorStatus::InconsistentValue);
            }
            if (tx.GetNumber(column(3)) == 1) {
                const int64_t fromYear = tx.GetNumber(column(4)),
                              fromMonth = tx.GetNumber(column(5));
                const int64_t toYear = tx.GetNumber(column(9)), toMonth = tx.GetNumber(column(10));
                const int64_t fromDay = tx.GetNumber(column(6)), toDay = tx.GetNumber(column(11));
                if (fromDay > DaysIn(fromMonth, fromYear) || toDay > DaysIn(toMonth, toYear) ||
                    fromYear * 10000 + fromMonth * 100 + fromDay >
                        toYear * 10000 + toMonth * 100 + toDay) {
                    return Refuse(tx, rowStatus, ErrorStatus::InconsistentValue);
                }
            }
        }
        return std::nullopt;
    });
}

} // namespace

void BuildTimeEntryRules(Builder& b) {
    if (b.Profile().poe) {
        AddTimeEntryRule(b, "23.1.1");
    }
    AddTimeEntryRule(b, "32.1.1");
}

} // namespace ksxsim
