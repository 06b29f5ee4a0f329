// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "sim/model/Oid.h"
#include "sim/model/Value.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ksxsim {

enum class Access { ReadOnly, ReadWrite, ReadCreate };

struct Range {
    int64_t low;
    int64_t high;
};

// How a table's index is laid out in the instance OID.
enum class IndexKind {
    Number, // one arc within [low, high]
    Ip,     // four arcs, each 0..255
    Mac,    // six arcs, each 0..255
    String, // a length arc, then that many byte arcs (length within [low, high])
    Oid,    // an arc count, then that many arcs (count within [low, high])
};

struct IndexPart {
    IndexKind kind = IndexKind::Number;
    int64_t low = 0;
    int64_t high = UINT32_MAX;
};

struct TableDef;

// A column default may depend on the row's index (the arcs after the column OID).
using DefaultFn = std::function<Value(const Oid& index)>;

// One scalar object (oid without the ".0" instance) or one table column.
struct ObjectDef {
    Oid oid;
    std::string name;
    Tag tag = Tag::Integer;
    Access access = Access::ReadOnly;
    std::vector<Range> ranges; // allowed numbers; empty = the type's whole range
    size_t minLength = 0;      // octet strings
    size_t maxLength = 255;
    DefaultFn initial;
    const TableDef* table = nullptr;
    int indexPart = -1; // the column shows this part of the row's index
    bool rowStatus = false;
    // The value is computed when read (sysUpTime, the traffic counters) from the instance's
    // index and the up-time in hundredths of a second.
    std::function<Value(const Oid& index, uint32_t ticks)> live;
    bool portList = false; // a PortList: stored with the model's length, extra bits cleared
};

struct TableDef {
    Oid entry;
    std::string name;
    std::vector<IndexPart> index;
    std::vector<const ObjectDef*> columns;
    const ObjectDef* rowStatus = nullptr;
    size_t maxRows = SIZE_MAX;
    // Rows are also created by setting the row status to active(1) together with the
    // other columns, as some of the switch's tables allow.
    bool createOnActive = false;
};

struct Cell {
    Value value;
    const ObjectDef* def = nullptr;
    bool fixed = false; // loaded from an overlay: a live object then keeps this value
};

using Store = std::map<Oid, Cell>;

class Mib {
public:
    Mib() = default;
    Mib(const Mib&) = delete;
    Mib& operator=(const Mib&) = delete;

    ObjectDef& AddScalar(ObjectDef def);
    TableDef& AddTable(Oid entry, std::string name, std::vector<IndexPart> index);
    ObjectDef& AddColumn(TableDef& table, uint32_t column, ObjectDef def);

    // The object whose OID is a prefix of instance, if any.
    const ObjectDef* Find(const Oid& instance) const;
    const TableDef* FindTable(const Oid& entry) const;
    const std::deque<TableDef>& Tables() const { return tables_; }
    const std::deque<ObjectDef>& Objects() const { return objects_; }

private:
    std::deque<ObjectDef> objects_;
    std::deque<TableDef> tables_;
    std::map<Oid, const ObjectDef*> byOid_;
};

// Splits an instance suffix into the parts of the table's index; nothing when the suffix
// does not have the table's index form or a part is out of its range.
std::optional<std::vector<Oid>> SplitIndex(const TableDef& table, const Oid& suffix);

// What a read of `instance` answers at up-time `ticks`: the live value, or the stored one.
Value CurrentValue(const Oid& instance, const Cell& cell, uint32_t ticks);

// The value a column holds for a new row.
Value InitialValue(const ObjectDef& column, const Oid& index);

// Store helpers for whole rows.
void PutScalar(Store& store, const ObjectDef& def);
void PutRow(Store& store, const TableDef& table, const Oid& index);
std::set<Oid> RowIndexes(const Store& store, const TableDef& table);

// PortList octet strings: bit 7 of octet 0 is port 1.
std::string MakePortList(const std::vector<int>& ports, size_t octets);
std::vector<int> PortsOf(std::string_view portList);
bool HasPort(std::string_view portList, int port);

} // namespace ksxsim
