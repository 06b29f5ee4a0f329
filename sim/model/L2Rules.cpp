// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// How the layer-2 forwarding settings treat the members of an aggregated link: the switch
// runs a trunk as one logical port, so its members keep one rate limit and one spanning tree
// port setting, are mirrored alike and never serve as the mirror's target, and a forwarding
// list holds a trunk whole or not at all.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

#include <map>

namespace ksxsim {

namespace {

constexpr uint32_t kTrunkGroups = 8;

const Oid kStpPortPriority = O("1.3.6.1.2.1.17.2.15.1.2");
const Oid kStpPortEnable = O("1.3.6.1.2.1.17.2.15.1.4");

// Trunk group of every member port, as this set leaves the trunk table.
std::map<int, uint32_t> TrunkOwners(const Transaction& tx) {
    std::map<int, uint32_t> owner;
    for (uint32_t group = 1; group <= kTrunkGroups; ++group) {
        for (int port : PortsOf(tx.GetBytes(Private("8.1.3.1.2") + group))) {
            owner.emplace(port, group);
        }
    }
    return owner;
}

// Every member of the trunk of each changed port holds the same value in each column.
std::optional<SetFailure> MembersAlike(Transaction& tx, const std::vector<Oid>& columns) {
    std::vector<Oid> changed;
    for (const Oid& column : columns) {
        for (const Oid& instance : tx.ChangedUnder(column)) {
            changed.push_back(instance);
        }
    }
    if (changed.empty()) {
        return std::nullopt;
    }
    const auto owner = TrunkOwners(tx);
    for (const Oid& instance : changed) {
        const auto group = owner.find(static_cast<int>(instance.back()));
        if (group == owner.end()) {
            continue;
        }
        for (const auto& [port, other] : owner) {
            if (other != group->second) {
                continue;
            }
            for (const Oid& column : columns) {
                if (tx.GetNumber(column + static_cast<uint32_t>(port)) !=
                    tx.GetNumber(column + static_cast<uint32_t>(group->first))) {
                    return Refuse(tx, instance, ErrorStatus::InconsistentValue);
                }
            }
        }
    }
    return std::nullopt;
}

// Each trunk lies wholly inside `list` or wholly outside it.
bool HoldsTrunksWhole(const std::string& list, const std::map<int, uint32_t>& owner) {
    std::map<uint32_t, int> inside;
    std::map<uint32_t, int> members;
    for (const auto& [port, group] : owner) {
        ++members[group];
        inside[group] += HasPort(list, port) ? 1 : 0;
    }
    for (const auto& [group, count] : inside) {
        if (count != 0 && count != members[group]) {
            return false;
        }
    }
    return true;
}

std::optional<SetFailure> RateRule(Transaction& tx) {
    return MembersAlike(tx, {Private("13.1.2.1.2"), Private("13.1.2.1.3")});
}

std::optional<SetFailure> StpPortRule(Transaction& tx) {
    return MembersAlike(tx, {kStpPortPriority, kStpPortEnable, Private("6.2.1.5")});
}

std::optional<SetFailure> MirrorTrunkRule(Transaction& tx) {
    const Oid group = Private("18");
    if (!tx.BindingUnder(group)) {
        return std::nullopt;
    }
    const auto owner = TrunkOwners(tx);
    if (owner.contains(static_cast<int>(tx.GetNumber(Private("18.2.0"))))) {
        return Refuse(tx, Private("18.2.0"), ErrorStatus::InconsistentValue);
    }
    for (const char* list : {"18.3.0", "18.4.0"}) {
        if (!HoldsTrunksWhole(tx.GetBytes(Private(list)), owner)) {
            return Refuse(tx, Private(list), ErrorStatus::InconsistentValue);
        }
    }
    return std::nullopt;
}

std::optional<SetFailure> SegmentationTrunkRule(Transaction& tx) {
    const auto changed = tx.ChangedUnder(Private("14.9.2.1.2"));
    if (changed.empty()) {
        return std::nullopt;
    }
    const auto owner = TrunkOwners(tx);
    for (const Oid& instance : changed) {
        if (!HoldsTrunksWhole(tx.GetBytes(instance), owner)) {
            return Refuse(tx, instance, ErrorStatus::InconsistentValue);
        }
    }
    return std::nullopt;
}

} // namespace

void BuildL2Rules(Builder& b) {
    b.Model().AddRule(RateRule);
    b.Model().AddRule(StpPortRule);
    b.Model().AddRule(MirrorTrunkRule);
    b.Model().AddRule(SegmentationTrunkRule);
}

} // namespace ksxsim
