// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// One enumerated object of the switch, defined once: each value with the text its list cell
// shows and the text its combo item shows. Dialogs fill combos from it with the value as item
// data and read the value back from the item, so no display text is ever parsed back.
//
//   const CEnumTable kFlowControl{{{1, "Enabled", "Enabled"}, {2, "Disabled", "Disabled"}},
//                                 /*fallback=*/2};
//   kFlowControl.Cell(1)   -> "Enabled"
//   kFlowControl.Cell(99)  -> "Disabled" (a value nobody defined shows the fallback's cell)
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct EnumEntry {
    long value;
    std::string_view cell;  // list-cell text; empty: the value is never shown in a list
    std::string_view combo; // combo-item text; empty: the value is not offered in a combo
};

class CEnumTable {
public:
    // `fallback`: the value whose cell text stands for any value the table does not hold;
    // without one such a value shows an empty cell.
    CEnumTable(std::initializer_list<EnumEntry> entries, std::optional<long> fallback = {});

    std::string Cell(long value) const;
    // A value that could not be read (wrong type, not a number) counts as unknown.
    std::string Cell(std::optional<long> value) const;
    bool Contains(long value) const { return Find(value) != nullptr; }
    // The value itself when the table holds it, else the fallback (if any).
    std::optional<long> Known(std::optional<long> value) const;

    const std::vector<EnumEntry>& Entries() const { return m_entries; }
    // The entries with a combo text, in table order.
    std::vector<EnumEntry> ComboEntries() const;

private:
    const EnumEntry* Find(long value) const;

    std::vector<EnumEntry> m_entries;
    std::optional<long> m_fallback;
};
