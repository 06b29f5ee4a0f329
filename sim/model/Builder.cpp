// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Builder.h"

namespace ksxsim {

namespace {

ObjectDef Base(std::string name, Tag tag, Access access) {
    ObjectDef def;
    def.name = std::move(name);
    def.tag = tag;
    def.access = access;
    return def;
}

} // namespace

ObjectDef Int(std::string name, Access access, int64_t initial, std::vector<Range> ranges) {
    return IntFn(
        std::move(name), access, [initial](const Oid&) { return Value::Int(initial); },
        std::move(ranges));
}

ObjectDef IntFn(std::string name, Access access, DefaultFn initial, std::vector<Range> ranges) {
    ObjectDef def = Base(std::move(name), Tag::Integer, access);
    def.initial = std::move(initial);
    def.ranges = std::move(ranges);
    return def;
}

ObjectDef Unsigned(std::string name, Tag tag, Access access, uint32_t initial,
                   std::vector<Range> ranges) {
    ObjectDef def = Base(std::move(name), tag, access);
    def.initial = [tag, initial](const Oid&) { return Value{tag, initial, {}, {}}; };
    def.ranges = std::move(ranges);
    return def;
}

ObjectDef Str(std::string name, Access access, std::string initial, size_t maxLength,
              size_t minLength) {
    return StrFn(
        std::move(name), access, [initial](const Oid&) { return Value::Str(initial); }, maxLength,
        minLength);
}

ObjectDef StrFn(std::string name, Access access, DefaultFn initial, size_t maxLength,
                size_t minLength) {
    ObjectDef def = Base(std::move(name), Tag::OctetString, access);
    def.initial = std::move(initial);
    def.maxLength = maxLength;
    def.minLength = minLength;
    return def;
}

ObjectDef IpAddr(std::string name, Access access, Value initial) {
    ObjectDef def = Base(std::move(name), Tag::IpAddress, access);
    def.initial = [initial](const Oid&) { return initial; };
    return def;
}

ObjectDef OidValue(std::string name, Access access, Oid initial) {
    ObjectDef def = Base(std::move(name), Tag::ObjectId, access);
    def.initial = [initial](const Oid&) { return Value::ObjectId(initial); };
    return def;
}

ObjectDef IndexColumn(std::string name, int part, Tag tag) {
    ObjectDef def = Base(std::move(name), tag, RO);
    def.indexPart = part;
    return def;
}

ObjectDef RowStatusColumn(std::string name) {
    ObjectDef def = Base(std::move(name), Tag::Integer, RC);
    def.rowStatus = true;
    def.initial = [](const Oid&) { return Value::Int(1); };
    return def;
}

IndexPart NumberIndex(int64_t low, int64_t high) {
    return {IndexKind::Number, low, high};
}
IndexPart IpIndex() {
    return {IndexKind::Ip, 0, 0};
}
IndexPart MacIndex() {
    return {IndexKind::Mac, 0, 0};
}
IndexPart StringIndex(int64_t minLength, int64_t maxLength) {
    return {IndexKind::String, minLength, maxLength};
}
IndexPart OidIndex(int64_t maxArcs) {
    return {IndexKind::Oid, 0, maxArcs};
}

uint32_t FirstArc(const Oid& index) {
    return index.empty() ? 0 : index.front();
}

Oid Builder::At(std::string_view relative) const {
    return base_ + O(relative);
}

const ObjectDef& Builder::Scalar(std::string_view relative, ObjectDef def) {
    def.oid = At(relative);
    const ObjectDef& stored = model_.Definitions().AddScalar(std::move(def));
    PutScalar(model_.Data(), stored);
    return stored;
}

TableDef& Builder::Table(std::string_view relativeEntry, std::string name,
                         std::vector<IndexPart> index) {
    return model_.Definitions().AddTable(At(relativeEntry), std::move(name), std::move(index));
}

const ObjectDef& Builder::Column(TableDef& table, uint32_t column, ObjectDef def) {
    return model_.Definitions().AddColumn(table, column, std::move(def));
}

void Builder::Row(const TableDef& table, const Oid& index) {
    PutRow(model_.Data(), table, index);
}

std::vector<int> Builder::AllPorts() const {
    std::vector<int> ports;
    for (int port = 1; port <= Profile().ports; ++port) {
        ports.push_back(port);
    }
    return ports;
}

ObjectDef Builder::PortList(std::string name, Access access, std::vector<int> ports) const {
    size_t minimum = static_cast<size_t>(Profile().ports + 7) / 8;
    ObjectDef def =
        Str(std::move(name), access, MakePortList(ports, Profile().portListOctets), 64, minimum);
    def.portList = true;
    return def;
}

TableDef& Builder::PortTable(std::string_view relativeEntry, std::string name) {
    return Table(relativeEntry, std::move(name), {NumberIndex(1, Profile().ports)});
}

void Builder::AddPortRows(const TableDef& table) {
    for (int port = 1; port <= Profile().ports; ++port) {
        Row(table, {static_cast<uint32_t>(port)});
    }
}

} // namespace ksxsim
