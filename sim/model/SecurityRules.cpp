// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// How the switch's security features meet link aggregation and refuse half-made entries:
// a port of an aggregated link takes neither IP-MAC-port binding nor 802.1X, DHCP servers
// are trusted on all members of a link or none, an ARP spoofing entry needs its gateway MAC
// and ports before it works, and a trusted DHCP server needs an address of its own.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

#include <map>
#include <set>

namespace ksxsim {

namespace {

constexpr int kRowActive = 1;
constexpr int kForceAuthorized = 3;
constexpr int kDot1xEnabled = 1;

struct SecurityObjects {
    Oid trunkMembers = Private("8.1.3.1.2");
    Oid impbState = Private("14.10.1.1.2");
    Oid dot1xControl = Private("11.2.9.1.2");
    Oid dot1xState = Private("11.2.1.0");
    Oid arpMac = Private("14.3.1.1.2");
    Oid arpPorts = Private("14.3.1.1.3");
    Oid arpStatus = Private("14.3.1.1.4");
    Oid dhcpTrusted = Private("14.7.1.0");
    Oid dhcpServerIp = Private("14.7.2.1.2");
    Oid dhcpServerStatus = Private("14.7.2.1.3");
};

const SecurityObjects& S() {
    static const SecurityObjects objects;
    return objects;
}

// Trunk group of every aggregated port, as the set will leave it.
std::map<int, uint32_t> TrunkGroups(const Transaction& tx) {
    std::map<int, uint32_t> groups;
    for (uint32_t group = 1; group <= 8; ++group) {
        for (int port : PortsOf(tx.GetBytes(S().trunkMembers + group))) {
            groups.emplace(port, group);
        }
    }
    return groups;
}

bool Touches(const Transaction& tx, const Oid& prefix) {
    return !tx.ChangedUnder(prefix).empty();
}

// Binding and 802.1X stay off the ports of an aggregated link, whichever side changes; a port's
// 802.1X control counts only while 802.1X is enabled on the switch.
std::optional<SetFailure> AggregatedPortRule(Transaction& tx) {
    bool trunks = Touches(tx, S().trunkMembers);
    bool impb = Touches(tx, S().impbState);
    bool dot1x = Touches(tx, S().dot1xControl);
    if (!trunks && !impb && !dot1x) {
        return std::nullopt;
    }
    for (const auto& [port, group] : TrunkGroups(tx)) {
        auto p = static_cast<uint32_t>(port);
        if (tx.GetNumber(S().impbState + p) == 1) {
            return Refuse(tx, impb ? S().impbState : S().trunkMembers,
                          ErrorStatus::InconsistentValue);
        }
        if (tx.GetNumber(S().dot1xState) == kDot1xEnabled &&
            tx.GetNumber(S().dot1xControl + p, kForceAuthorized) != kForceAuthorized) {
            return Refuse(tx, dot1x ? S().dot1xControl : S().trunkMembers,
                          ErrorStatus::InconsistentValue);
        }
    }
    return std::nullopt;
}

// The trusted ports take every member of an aggregated link or none of them.
std::optional<SetFailure> DhcpTrustedPortsRule(Transaction& tx) {
    if (!Touches(tx, S().dhcpTrusted) && !Touches(tx, S().trunkMembers)) {
        return std::nullopt;
    }
    auto trustedList = PortsOf(tx.GetBytes(S().dhcpTrusted));
    std::set<int> trusted(trustedList.begin(), trustedList.end());
    std::map<uint32_t, std::set<bool>> memberStates;
    for (const auto& [port, group] : TrunkGroups(tx)) {
        memberStates[group].insert(trusted.count(port) != 0);
    }
    for (const auto& [group, states] : memberStates) {
        if (states.size() > 1) {
            return Refuse(tx, S().dhcpTrusted, ErrorStatus::InconsistentValue);
        }
    }
    return std::nullopt;
}

// An entry becomes active only when it is complete.
std::optional<SetFailure> ActivationRule(Transaction& tx) {
    for (const Oid& changed : tx.ChangedUnder(S().arpStatus)) {
        if (tx.GetNumber(changed) != kRowActive) {
            continue;
        }
        Oid index = SuffixAfter(changed, S().arpStatus);
        bool noMac = tx.GetBytes(S().arpMac + index) == std::string(6, '\0');
        bool noPorts = PortsOf(tx.GetBytes(S().arpPorts + index)).empty();
        if (noMac || noPorts) {
            return Refuse(tx, S().arpStatus, ErrorStatus::InconsistentValue);
        }
    }
    const TableDef* servers = tx.Model().Definitions().FindTable(Private("14.7.2.1"));
    for (const Oid& changed : tx.ChangedUnder(S().dhcpServerStatus)) {
        if (tx.GetNumber(changed) != kRowActive || servers == nullptr) {
            continue;
        }
        Oid index = SuffixAfter(changed, S().dhcpServerStatus);
        std::string address = tx.GetBytes(S().dhcpServerIp + index);
        if (address == std::string(4, '\0')) {
            return Refuse(tx, S().dhcpServerStatus, ErrorStatus::InconsistentValue);
        }
        for (const Oid& other : tx.Rows(*servers)) {
            if (other != index && tx.GetBytes(S().dhcpServerIp + other) == address &&
                tx.GetNumber(S().dhcpServerStatus + other) == kRowActive) {
                return Refuse(tx, S().dhcpServerStatus, ErrorStatus::InconsistentValue);
            }
        }
    }
    return std::nullopt;
}

} // namespace

void BuildSecurityRules(Builder& b) {
    // A host refused in a VLAN other than the default one.
    if (const TableDef* black = b.Model().Definitions().FindTable(b.At("14.10.4.1"))) {
        auto lastPort = static_cast<uint32_t>(b.Profile().ports);
        Oid index{0x00, 0x1b, 0x2c, 0x66, 0x00, 0x02, 20, lastPort};
        b.Row(*black, index);
        b.Model().Put(b.At("14.10.4.1.4") + index, Value::Ip(192, 0, 2, 67));
    }
    b.Model().AddRule(AggregatedPortRule);
    b.Model().AddRule(DhcpTrustedPortsRule);
    b.Model().AddRule(ActivationRule);
}

} // namespace ksxsim
