// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Mib.h"

#include <stdexcept>

namespace ksxsim {

ObjectDef& Mib::AddScalar(ObjectDef def) {
    objects_.push_back(std::move(def));
    ObjectDef& stored = objects_.back();
    if (!byOid_.emplace(stored.oid, &stored).second) {
        throw std::logic_error("object defined twice: " + FormatOid(stored.oid));
    }
    return stored;
}

TableDef& Mib::AddTable(Oid entry, std::string name, std::vector<IndexPart> index) {
    TableDef& table = tables_.emplace_back();
    table.entry = std::move(entry);
    table.name = std::move(name);
    table.index = std::move(index);
    return table;
}

ObjectDef& Mib::AddColumn(TableDef& table, uint32_t column, ObjectDef def) {
    def.oid = table.entry + column;
    def.table = &table;
    ObjectDef& stored = AddScalar(std::move(def));
    table.columns.push_back(&stored);
    if (stored.rowStatus) {
        table.rowStatus = &stored;
    }
    return stored;
}

const ObjectDef* Mib::Find(const Oid& instance) const {
    // Objects never nest, so the greatest key not above the instance is the only candidate.
    auto it = byOid_.upper_bound(instance);
    if (it == byOid_.begin()) {
        return nullptr;
    }
    --it;
    return StartsWith(instance, it->first) ? it->second : nullptr;
}

const TableDef* Mib::FindTable(const Oid& entry) const {
    for (const auto& table : tables_) {
        if (table.entry == entry) {
            return &table;
        }
    }
    return nullptr;
}

namespace {

bool TakeBytes(const Oid& suffix, size_t& pos, size_t count, Oid& part) {
    if (pos + count > suffix.size()) {
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        if (suffix[pos + i] > 255) {
            return false;
        }
        part.push_back(suffix[pos + i]);
    }
    pos += count;
    return true;
}

bool TakePart(const IndexPart& form, const Oid& suffix, size_t& pos, Oid& part) {
    switch (form.kind) {
    case IndexKind::Number:
        if (pos >= suffix.size() || suffix[pos] < form.low || suffix[pos] > form.high) {
            return false;
        }
        part.push_back(suffix[pos++]);
        return true;
    case IndexKind::Ip:
        return TakeBytes(suffix, pos, 4, part);
    case IndexKind::Mac:
        return TakeBytes(suffix, pos, 6, part);
    case IndexKind::String:
    case IndexKind::Oid: {
        if (pos >= suffix.size()) {
            return false;
        }
        uint32_t count = suffix[pos];
        if (count < form.low || count > form.high || pos + 1 + count > suffix.size()) {
            return false;
        }
        part.push_back(suffix[pos++]);
        if (form.kind == IndexKind::String) {
            return TakeBytes(suffix, pos, count, part);
        }
        part.insert(part.end(), suffix.begin() + static_cast<std::ptrdiff_t>(pos),
                    suffix.begin() + static_cast<std::ptrdiff_t>(pos + count));
        pos += count;
        return true;
    }
    }
    return false;
}

} // namespace

std::optional<std::vector<Oid>> SplitIndex(const TableDef& table, const Oid& suffix) {
    std::vector<Oid> parts;
    size_t pos = 0;
    for (const auto& form : table.index) {
        Oid part;
        if (!TakePart(form, suffix, pos, part)) {
            return std::nullopt;
        }
        parts.push_back(std::move(part));
    }
    if (pos != suffix.size()) {
        return std::nullopt;
    }
    return parts;
}

namespace {

Value IndexPartValue(const ObjectDef& column, const IndexPart& form, const Oid& part) {
    Value v{column.tag, 0, {}, {}};
    switch (form.kind) {
    case IndexKind::Number:
        v.number = part.empty() ? 0 : part[0];
        break;
    case IndexKind::Ip:
    case IndexKind::Mac:
        for (uint32_t arc : part) {
            v.bytes.push_back(static_cast<char>(arc));
        }
        break;
    case IndexKind::String:
        for (size_t i = 1; i < part.size(); ++i) {
            v.bytes.push_back(static_cast<char>(part[i]));
        }
        break;
    case IndexKind::Oid:
        v.oid.assign(part.begin() + 1, part.end());
        break;
    }
    return v;
}

} // namespace

Value CurrentValue(const Oid& instance, const Cell& cell, uint32_t ticks) {
    if (cell.def == nullptr || !cell.def->live || cell.fixed) {
        return cell.value;
    }
    const auto column = static_cast<std::ptrdiff_t>(cell.def->oid.size());
    return cell.def->live(Oid(instance.begin() + column, instance.end()), ticks);
}

Value InitialValue(const ObjectDef& column, const Oid& index) {
    if (column.indexPart >= 0 && column.table != nullptr) {
        auto parts = SplitIndex(*column.table, index);
        if (parts && static_cast<size_t>(column.indexPart) < parts->size()) {
            return IndexPartValue(column, column.table->index[column.indexPart],
                                  (*parts)[column.indexPart]);
        }
    }
    if (column.initial) {
        return column.initial(index);
    }
    Value v{column.tag, 0, {}, {}};
    if (column.tag == Tag::IpAddress) {
        v.bytes.assign(4, '\0');
    }
    return v;
}

void PutScalar(Store& store, const ObjectDef& def) {
    store[def.oid + 0u] = Cell{InitialValue(def, {0}), &def};
}

void PutRow(Store& store, const TableDef& table, const Oid& index) {
    for (const ObjectDef* column : table.columns) {
        store[column->oid + index] = Cell{InitialValue(*column, index), column};
    }
}

std::set<Oid> RowIndexes(const Store& store, const TableDef& table) {
    std::set<Oid> rows;
    if (table.columns.empty()) {
        return rows;
    }
    const Oid& anchor = table.columns.front()->oid;
    for (auto it = store.upper_bound(anchor); it != store.end() && StartsWith(it->first, anchor);
         ++it) {
        rows.insert(SuffixAfter(it->first, anchor));
    }
    return rows;
}

std::string MakePortList(const std::vector<int>& ports, size_t octets) {
    std::string list(octets, '\0');
    for (int port : ports) {
        if (port >= 1 && static_cast<size_t>(port) <= octets * 8) {
            list[(port - 1) / 8] = static_cast<char>(
                static_cast<unsigned char>(list[(port - 1) / 8]) | (0x80 >> ((port - 1) % 8)));
        }
    }
    return list;
}

std::vector<int> PortsOf(std::string_view portList) {
    std::vector<int> ports;
    for (size_t i = 0; i < portList.size(); ++i) {
        auto octet = static_cast<unsigned char>(portList[i]);
        for (int bit = 0; bit < 8; ++bit) {
            if (octet & (0x80 >> bit)) {
                ports.push_back(static_cast<int>(i * 8) + bit + 1);
            }
        }
    }
    return ports;
}

bool HasPort(std::string_view portList, int port) {
    if (port < 1 || static_cast<size_t>(port - 1) / 8 >= portList.size()) {
        return false;
    }
    return (static_cast<unsigned char>(portList[(port - 1) / 8]) & (0x80 >> ((port - 1) % 8))) != 0;
}

} // namespace ksxsim
