// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// What the switch's SNMP agent tables refuse: a host row for an address no trap can go to,
// a row made active without the columns it needs, passwords shorter than the eight
// characters SNMPv3 keys are made from, authentication for an SNMPv1 or v2c user, a group
// level that differs from its index, and a view mask longer than its subtree.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

namespace ksxsim {

namespace {

constexpr int64_t kActive = 1;
constexpr int64_t kCreateAndGo = 4;
constexpr int64_t kCreateAndWait = 5;
constexpr size_t kMinPasswordLength = 8;

// A unicast host address of class A, B or C that is neither a network nor a broadcast.
bool UsableHost(const Oid& index) {
    if (index.size() != 4) {
        return false;
    }
    const uint32_t address = (index[0] << 24) | (index[1] << 16) | (index[2] << 8) | index[3];
    if (index[0] == 0 || index[0] == 255 || index[3] == 0 || index[3] == 255) {
        return false;
    }
    if ((address >> 31) == 0) {
        const uint32_t host = address & 0xFFFFFFu;
        return index[0] != 127 && host != 0 && host != 0xFFFFFFu;
    }
    if ((address >> 30) == 2) {
        const uint32_t host = address & 0xFFFFu;
        return host != 0 && host != 0xFFFFu;
    }
    return (address >> 29) == 6;
}

struct AgentColumns {
    Oid userVersion = Private("25.2.1.1.2");
    Oid userGroup = Private("25.2.1.1.3");
    Oid userAuth = Private("25.2.1.1.4");
    Oid userAuthPassword = Private("25.2.1.1.5");
    Oid userPriv = Private("25.2.1.1.6");
    Oid userPrivPassword = Private("25.2.1.1.7");
    Oid userStatus = Private("25.2.1.1.8");
    Oid groupLevel = Private("25.3.1.1.3");
    Oid groupStatus = Private("25.3.1.1.7");
    Oid viewMask = Private("25.4.1.1.3");
    Oid communityPolicy = Private("25.5.1.1.2");
    Oid communityStatus = Private("25.5.1.1.3");
    Oid hostName = Private("25.6.1.1.2");
    Oid hostStatus = Private("25.6.1.1.4");
};

// The failure of one binding, or nothing when the switch takes it.
std::optional<ErrorStatus> CheckBinding(const AgentColumns& c, const Transaction& tx,
                                        const Binding& binding) {
    const Oid& oid = binding.oid;
    const int64_t number = binding.value.number;
    const bool creates = number == kCreateAndGo || number == kCreateAndWait;
    if (StartsWith(oid, c.hostStatus) && creates && !UsableHost(SuffixAfter(oid, c.hostStatus))) {
        return ErrorStatus::NoCreation;
    }
    if (StartsWith(oid, c.groupStatus) && creates) {
        const Oid index = SuffixAfter(oid, c.groupStatus);
        // name length, name, model, level: only an SNMPv3 group has a level above 1.
        if (index.size() >= 3 && index[index.size() - 2] != 3 && index.back() != 1) {
            return ErrorStatus::NoCreation;
        }
    }
    if (StartsWith(oid, c.groupLevel)) {
        const Oid index = SuffixAfter(oid, c.groupLevel);
        if (index.empty() || number != static_cast<int64_t>(index.back())) {
            return ErrorStatus::InconsistentValue;
        }
    }
    if (StartsWith(oid, c.viewMask)) {
        const Oid index = SuffixAfter(oid, c.viewMask);
        const size_t subtreeArcs = index.empty() ? 0 : index.size() - index[0] - 2;
        if (index.empty() || index[0] + 2 > index.size() ||
            binding.value.bytes.size() > subtreeArcs) {
            return ErrorStatus::WrongLength;
        }
        for (unsigned char octet : binding.value.bytes) {
            if (octet > 1) {
                return ErrorStatus::WrongValue;
            }
        }
    }
    for (const Oid* password : {&c.userAuthPassword, &c.userPrivPassword}) {
        if (StartsWith(oid, *password) && !binding.value.bytes.empty() &&
            binding.value.bytes.size() < kMinPasswordLength) {
            return ErrorStatus::WrongLength;
        }
    }
    for (const Oid* protocol : {&c.userAuth, &c.userPriv}) {
        if (StartsWith(oid, *protocol) && number > 1) {
            const Oid index = SuffixAfter(oid, *protocol);
            if (!index.empty() && index.back() != 3) {
                return ErrorStatus::InconsistentValue;
            }
        }
    }
    if (number != kActive) {
        return std::nullopt;
    }
    // A row made active needs its names and, for SNMPv3 security, its passwords.
    if (StartsWith(oid, c.communityStatus)) {
        const Oid index = SuffixAfter(oid, c.communityStatus);
        return tx.GetBytes(c.communityPolicy + index).empty()
                   ? std::optional(ErrorStatus::InconsistentValue)
                   : std::nullopt;
    }
    if (StartsWith(oid, c.hostStatus)) {
        const Oid index = SuffixAfter(oid, c.hostStatus);
        return tx.GetBytes(c.hostName + index).empty()
                   ? std::optional(ErrorStatus::InconsistentValue)
                   : std::nullopt;
    }
    if (StartsWith(oid, c.userStatus)) {
        const Oid index = SuffixAfter(oid, c.userStatus);
        const int64_t auth = tx.GetNumber(c.userAuth + index, 1);
        const int64_t priv = tx.GetNumber(c.userPriv + index, 1);
        const bool missing =
            tx.GetBytes(c.userGroup + index).empty() ||
            (auth > 1 && tx.GetBytes(c.userAuthPassword + index).empty()) ||
            (priv > 1 && (auth <= 1 || tx.GetBytes(c.userPrivPassword + index).empty()));
        return missing ? std::optional(ErrorStatus::InconsistentValue) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

void BuildSnmpAgentRules(Builder& b) {
    b.Model().AddRule([columns = AgentColumns()](Transaction& tx) -> std::optional<SetFailure> {
        const auto& bindings = tx.Bindings();
        for (size_t i = 0; i < bindings.size(); ++i) {
            if (auto status = CheckBinding(columns, tx, bindings[i])) {
                return SetFailure{*status, i};
            }
        }
        return std::nullopt;
    });
}

} // namespace ksxsim
