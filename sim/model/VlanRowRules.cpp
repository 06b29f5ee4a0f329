// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// The VLAN table's own row rule: two active VLANs never share a name. A row may take any name
// while it is not in service; it is refused the active state (or an active row the new name)
// while another active VLAN carries that name.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

#include <map>

namespace ksxsim {

namespace {

constexpr int64_t kRowActive = 1;

std::optional<SetFailure> UniqueActiveNames(Transaction& tx) {
    const Oid name = Private("7.6.1.1");
    const Oid status = Private("7.6.1.5");
    if (!tx.BindingUnder(name) && !tx.BindingUnder(status)) {
        return std::nullopt;
    }
    const TableDef* vlans = tx.Model().Definitions().FindTable(Private("7.6.1"));
    if (vlans == nullptr) {
        return std::nullopt;
    }
    std::multimap<std::string, Oid> activeByName;
    for (const Oid& index : tx.Rows(*vlans)) {
        std::string text = tx.GetBytes(name + index);
        if (tx.GetNumber(status + index) == kRowActive && !text.empty()) {
            activeByName.emplace(std::move(text), index);
        }
    }
    const auto& bindings = tx.Bindings();
    for (size_t i = 0; i < bindings.size(); ++i) {
        const Oid& oid = bindings[i].oid;
        const bool named = StartsWith(oid, name);
        if (!named && !StartsWith(oid, status)) {
            continue;
        }
        Oid index = SuffixAfter(oid, named ? name : status);
        if (!tx.RowExists(*vlans, index) || tx.GetNumber(status + index) != kRowActive) {
            continue;
        }
        if (activeByName.count(tx.GetBytes(name + index)) > 1) {
            return SetFailure{ErrorStatus::InconsistentValue, i};
        }
    }
    return std::nullopt;
}

} // namespace

void BuildVlanRowRules(Builder& b) {
    b.Model().AddRule(UniqueActiveNames);
}

} // namespace ksxsim
