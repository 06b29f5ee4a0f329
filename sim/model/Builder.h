// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

// Helpers that keep the device's object definitions short: a feature group is a list of
// scalars and tables, each column one line.

#include "sim/model/Model.h"

#include <string_view>

namespace ksxsim {

constexpr Access RO = Access::ReadOnly;
constexpr Access RW = Access::ReadWrite;
constexpr Access RC = Access::ReadCreate;

ObjectDef Int(std::string name, Access access, int64_t initial, std::vector<Range> ranges = {});
ObjectDef IntFn(std::string name, Access access, DefaultFn initial, std::vector<Range> ranges = {});
ObjectDef Unsigned(std::string name, Tag tag, Access access, uint32_t initial,
                   std::vector<Range> ranges = {});
ObjectDef Str(std::string name, Access access, std::string initial, size_t maxLength = 255,
              size_t minLength = 0);
ObjectDef StrFn(std::string name, Access access, DefaultFn initial, size_t maxLength = 255,
                size_t minLength = 0);
ObjectDef IpAddr(std::string name, Access access, Value initial);
ObjectDef OidValue(std::string name, Access access, Oid initial);
ObjectDef IndexColumn(std::string name, int part, Tag tag = Tag::Integer);
ObjectDef RowStatusColumn(std::string name);

IndexPart NumberIndex(int64_t low = 0, int64_t high = UINT32_MAX);
IndexPart IpIndex();
IndexPart MacIndex();
IndexPart StringIndex(int64_t minLength = 0, int64_t maxLength = 255);
IndexPart OidIndex(int64_t maxArcs = 128);

// The row index of a row with a single number index, read back by a default function.
uint32_t FirstArc(const Oid& index);

class Builder {
public:
    Builder(SwitchModel& model, Oid base) : model_(model), base_(std::move(base)) {}

    const DeviceProfile& Profile() const { return model_.Profile(); }
    SwitchModel& Model() { return model_; }
    Oid At(std::string_view relative) const;

    // Defines a scalar at base + relative and stores its initial value at ".0".
    const ObjectDef& Scalar(std::string_view relative, ObjectDef def);
    TableDef& Table(std::string_view relativeEntry, std::string name, std::vector<IndexPart> index);
    const ObjectDef& Column(TableDef& table, uint32_t column, ObjectDef def);
    void Row(const TableDef& table, const Oid& index);

    // Port-indexed tables and port sets of this model.
    std::vector<int> AllPorts() const;
    ObjectDef PortList(std::string name, Access access, std::vector<int> ports) const;
    TableDef& PortTable(std::string_view relativeEntry, std::string name);
    void AddPortRows(const TableDef& table);

private:
    SwitchModel& model_;
    Oid base_;
};

// Feature groups; each defines its objects and the rules that tie them together.
void BuildSystemGroups(Builder& mib2);   // system, interfaces, ip, tcp, udp
void BuildBridgeGroups(Builder& bridge); // BRIDGE-MIB and Q-BRIDGE-MIB objects
void BuildPrivateGroups(Builder& priv);  // the switch's private subtree

} // namespace ksxsim
