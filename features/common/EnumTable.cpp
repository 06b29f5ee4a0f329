// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/EnumTable.h"

CEnumTable::CEnumTable(std::initializer_list<EnumEntry> entries, std::optional<long> fallback)
    : m_entries(entries), m_fallback(fallback) {}

const EnumEntry* CEnumTable::Find(long value) const {
    for (const EnumEntry& entry : m_entries) {
        if (entry.value == value) {
            return &entry;
        }
    }
    return nullptr;
}

std::optional<long> CEnumTable::Known(std::optional<long> value) const {
    if (value && Contains(*value)) {
        return value;
    }
    return m_fallback;
}

std::string CEnumTable::Cell(std::optional<long> value) const {
    const std::optional<long> known = Known(value);
    const EnumEntry* entry = known ? Find(*known) : nullptr;
    return entry != nullptr ? std::string(entry->cell) : std::string();
}

std::string CEnumTable::Cell(long value) const {
    return Cell(std::optional<long>(value));
}

std::vector<EnumEntry> CEnumTable::ComboEntries() const {
    std::vector<EnumEntry> combo;
    for (const EnumEntry& entry : m_entries) {
        if (!entry.combo.empty()) {
            combo.push_back(entry);
        }
    }
    return combo;
}
