// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// VLANs and what hangs on them: PVIDs, the management VLAN, link aggregation, IGMP
// snooping and multicast filtering, voice and surveillance VLANs, IP interfaces.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

#include <algorithm>

namespace ksxsim {

namespace {

constexpr int kRowActive = 1;
constexpr int kSymmetric = 2; // asymmetric VLAN mode disabled: one untagged VLAN per port

using PortSet = std::set<int>;

PortSet SetOf(const std::string& list) {
    auto ports = PortsOf(list);
    return PortSet(ports.begin(), ports.end());
}

struct VlanObjects {
    Oid name = Private("7.6.1.1");
    Oid egress = Private("7.6.1.2");
    Oid forbidden = Private("7.6.1.3");
    Oid untagged = Private("7.6.1.4");
    Oid status = Private("7.6.1.5");
    Oid pvid = Private("7.7.1.1");
    Oid mode = Private("7.5.0");
    Oid managementState = Private("7.2.0");
    Oid managementVlan = Private("7.3.0");
    Oid igmpEntry = Private("10.3.4.1");
    Oid filterEntry = Private("7.8.1");
    Oid voiceState = Private("21.1.2.0");
    Oid voiceVlan = Private("21.1.3.0");
    Oid survState = Private("26.1.1.0");
    Oid survVlan = Private("26.1.2.0");
    Oid survPorts = Private("26.1.4.0");
    Oid interfaceVlan = Private("41.1.1.1.2");
    Oid trunkMembers = Private("8.1.3.1.2");
};

const VlanObjects& V() {
    static const VlanObjects objects;
    return objects;
}

class PortSets {
public:
    explicit PortSets(Transaction& tx) : tx_(tx), octets_(tx.Model().Profile().portListOctets) {}
    PortSet Get(const Oid& oid) const { return SetOf(tx_.GetBytes(oid)); }
    void Put(const Oid& oid, const PortSet& ports) {
        tx_.Put(oid,
                Value::Str(MakePortList(std::vector<int>(ports.begin(), ports.end()), octets_)));
    }

private:
    Transaction& tx_;
    size_t octets_;
};

const TableDef& Table(const SwitchModel& model, const Oid& entry) {
    return *model.Definitions().FindTable(entry);
}

std::set<uint32_t> VlanIds(const Transaction& tx) {
    std::set<uint32_t> ids;
    for (const Oid& index : tx.Rows(Table(tx.Model(), Private("7.6.1")))) {
        ids.insert(FirstArc(index));
    }
    return ids;
}

void BuildVlanObjects(Builder& b) {
    b.Scalar("7.2", Int("swMgmtVlanState", RW, 2, {{1, 2}}));
    b.Scalar("7.3", Int("swMgmtVlanId", RW, 1, {{1, 4094}}));
    b.Scalar("7.5", Int("swAsymmetricVlan", RW, 2, {{1, 2}}));

    std::vector<int> all = b.AllPorts();
    size_t octets = b.Profile().portListOctets;
    TableDef& vlans = b.Table("7.6.1", "swVlanEntry", {NumberIndex(1, 4094)});
    vlans.maxRows = 256;
    b.Column(vlans, 1,
             StrFn(
                 "swVlanName", RC,
                 [](const Oid& i) {
                     return Value::Str(FirstArc(i) == 1 ? "default"
                                                        : "VLAN" + std::to_string(FirstArc(i)));
                 },
                 32));
    auto members = [all, octets](const Oid& i) {
        return Value::Str(MakePortList(FirstArc(i) == 1 ? all : std::vector<int>{}, octets));
    };
    ObjectDef egress = b.PortList("swVlanEgressPorts", RC, {});
    egress.initial = members;
    b.Column(vlans, 2, std::move(egress));
    b.Column(vlans, 3, b.PortList("swVlanForbiddenPorts", RC, {}));
    ObjectDef untagged = b.PortList("swVlanUntaggedPorts", RC, {});
    untagged.initial = members;
    b.Column(vlans, 4, std::move(untagged));
    b.Column(vlans, 5, RowStatusColumn("swVlanRowStatus"));
    b.Row(vlans, {1});

    TableDef& pvids = b.PortTable("7.7.1", "swPortVlanEntry");
    b.Column(pvids, 1, Unsigned("swPortPvid", Tag::Gauge32, RW, 1, {{1, 4094}}));
    b.AddPortRows(pvids);

    TableDef& filters = b.Table("7.8.1", "swMcastFilterEntry", {NumberIndex(1, 4094)});
    b.Column(filters, 1, IndexColumn("swMcastFilterVid", 0));
    b.Column(filters, 2, Int("swMcastFilterMode", RW, 0, {{0, 1}}));
    b.Row(filters, {1});

    TableDef& interfaces = b.Table("41.1.1.1", "swIpInterfaceEntry", {NumberIndex(1, 256)});
    b.Column(interfaces, 1, Str("swIpInterfaceName", RO, "System"));
    b.Column(interfaces, 2, Int("swIpInterfaceVid", RO, 1));
    b.Column(interfaces, 3, IpAddr("swIpInterfaceAddress", RO, Value::Ip(192, 0, 2, 10)));
    b.Column(interfaces, 4, IpAddr("swIpInterfaceMask", RO, Value::Ip(255, 255, 255, 0)));
    b.Row(interfaces, {1});
}

void BuildTrunks(Builder& b) {
    b.Scalar("8.1.2", Int("swTrunkState", RW, 1, {{1, 2}}));
    TableDef& t = b.Table("8.1.3.1", "swTrunkEntry", {NumberIndex(1, 8)});
    b.Column(t, 1, IndexColumn("swTrunkId", 0));
    b.Column(t, 2, b.PortList("swTrunkMembers", RW, {}));
    b.Column(t, 3, Int("swTrunkMode", RW, 3, {{1, 3}}));
    for (uint32_t group = 1; group <= 8; ++group) {
        b.Row(t, {group});
    }
}

// A trunk has no or 2 to 8 members, no port is in two trunks, and all members take the
// PVID of the first one.
std::optional<SetFailure> TrunkRule(Transaction& tx) {
    auto changed = tx.ChangedUnder(V().trunkMembers);
    if (changed.empty()) {
        return std::nullopt;
    }
    std::map<int, uint32_t> owner;
    for (uint32_t group = 1; group <= 8; ++group) {
        PortSet members = SetOf(tx.GetBytes(V().trunkMembers + group));
        if (members.size() == 1 || members.size() > 8) {
            return Refuse(tx, V().trunkMembers + group, ErrorStatus::WrongValue);
        }
        for (int port : members) {
            if (!owner.emplace(port, group).second) {
                return Refuse(tx, V().trunkMembers, ErrorStatus::InconsistentValue);
            }
        }
    }
    for (const Oid& oid : changed) {
        PortSet members = SetOf(tx.GetBytes(oid));
        if (members.empty()) {
            continue;
        }
        Value pvid = *tx.Get(V().pvid + static_cast<uint32_t>(*members.begin()));
        for (int port : members) {
            tx.Put(V().pvid + static_cast<uint32_t>(port), pvid);
        }
    }
    return std::nullopt;
}

// Enabling the surveillance VLAN creates that VLAN (or takes it over) with the tagged
// uplink ports as its only members; on the PoE model its members get power.
std::optional<SetFailure> SurveillanceRule(Transaction& tx) {
    bool touched = !tx.ChangedUnder(V().survState).empty() ||
                   !tx.ChangedUnder(V().survVlan).empty() ||
                   !tx.ChangedUnder(V().survPorts).empty();
    if (!touched || tx.GetNumber(V().survState) != 1) {
        return std::nullopt;
    }
    if (tx.GetNumber(V().mode) == 1) {
        return Refuse(tx, V().survState, ErrorStatus::InconsistentValue);
    }
    auto vid = static_cast<uint32_t>(tx.GetNumber(V().survVlan));
    if (tx.GetNumber(V().voiceState) == 1 && tx.GetNumber(V().voiceVlan) == vid) {
        return Refuse(tx, V().survVlan, ErrorStatus::InconsistentValue);
    }
    const TableDef& vlans = Table(tx.Model(), Private("7.6.1"));
    if (!tx.RowExists(vlans, {vid})) {
        if (tx.Rows(vlans).size() >= vlans.maxRows) {
            return Refuse(tx, V().survState, ErrorStatus::ResourceUnavailable);
        }
        tx.CreateRow(vlans, {vid});
    }
    PortSets sets(tx);
    PortSet members = sets.Get(V().survPorts);
    tx.Put(V().name + vid, Value::Str("Surveillance"));
    sets.Put(V().egress + vid, members);
    sets.Put(V().untagged + vid, {});
    sets.Put(V().forbidden + vid, {});
    tx.Put(V().status + vid, Value::Int(kRowActive));
    const DeviceProfile& profile = tx.Model().Profile();
    if (profile.poe) {
        StoreView view = ViewOf(tx);
        for (int port : members) {
            if (port <= profile.poePorts) {
                tx.Put(Private("22.1.1.3") + Oid{1, static_cast<uint32_t>(port)}, Value::Int(1));
                RefreshPoePort(tx.Model(), view, port);
            }
        }
        RefreshPoeTotals(tx.Model(), view);
    }
    return std::nullopt;
}

// A port that becomes an untagged member of one VLAN leaves the others and takes that
// VLAN as its PVID (and the other way round), unless asymmetric VLANs are enabled.
void MoveUntaggedPort(Transaction& tx, PortSets& sets, int port, uint32_t vid,
                      const std::set<uint32_t>& ids) {
    for (uint32_t other : ids) {
        if (other == vid) {
            continue;
        }
        PortSet untagged = sets.Get(V().untagged + other);
        if (untagged.erase(port) != 0) {
            sets.Put(V().untagged + other, untagged);
            PortSet egress = sets.Get(V().egress + other);
            egress.erase(port);
            sets.Put(V().egress + other, egress);
        }
    }
    PortSet untagged = sets.Get(V().untagged + vid);
    PortSet egress = sets.Get(V().egress + vid);
    untagged.insert(port);
    egress.insert(port);
    sets.Put(V().untagged + vid, untagged);
    sets.Put(V().egress + vid, egress);
    tx.Put(V().pvid + static_cast<uint32_t>(port), Value::Gauge(vid));
}

std::optional<SetFailure> CheckVlanRemoval(Transaction& tx, uint32_t vid) {
    if (vid == 1) {
        return Refuse(tx, V().status + vid, ErrorStatus::InconsistentValue);
    }
    bool inUse =
        (tx.GetNumber(V().managementState) == 1 && tx.GetNumber(V().managementVlan) == vid) ||
        (tx.GetNumber(V().voiceState) == 1 && tx.GetNumber(V().voiceVlan) == vid) ||
        (tx.GetNumber(V().survState) == 1 && tx.GetNumber(V().survVlan) == vid);
    for (const Oid& index : tx.Rows(Table(tx.Model(), Private("41.1.1.1")))) {
        inUse = inUse || tx.GetNumber(V().interfaceVlan + index) == vid;
    }
    if (inUse) {
        return Refuse(tx, V().status + vid, ErrorStatus::InconsistentValue);
    }
    return std::nullopt;
}

// Back to one VLAN 1 with every port, as a change of the VLAN mode does.
void ResetVlans(Transaction& tx, const std::set<uint32_t>& ids) {
    const TableDef& vlans = Table(tx.Model(), Private("7.6.1"));
    for (uint32_t vid : ids) {
        if (vid != 1) {
            tx.DestroyRow(vlans, {vid});
        }
    }
    tx.CreateRow(vlans, {1});
    tx.CreateRow(Table(tx.Model(), V().igmpEntry), {1});
    tx.CreateRow(Table(tx.Model(), V().filterEntry), {1});
    for (int port = 1; port <= tx.Model().Profile().ports; ++port) {
        tx.Put(V().pvid + static_cast<uint32_t>(port), Value::Gauge(1));
    }
    tx.Put(V().managementState, Value::Int(2));
    tx.Put(V().managementVlan, Value::Int(1));
}

// The IGMP and multicast filtering tables hold exactly the VLANs of the VLAN table. This is
// the one place where tables that keep a row per VLAN follow VLANs coming and going (rows
// made or destroyed through RowStatus, by the surveillance VLAN or by a mode change): it
// runs at the end of every set that touches the VLANs, with the VLAN ids the set leaves.
void FollowVlanRows(Transaction& tx, const std::set<uint32_t>& ids) {
    for (const Oid& entry : {V().igmpEntry, V().filterEntry}) {
        const TableDef& table = Table(tx.Model(), entry);
        for (const Oid& index : tx.Rows(table)) {
            if (ids.count(FirstArc(index)) == 0) {
                tx.DestroyRow(table, index);
            }
        }
        for (uint32_t vid : ids) {
            if (!tx.RowExists(table, {vid})) {
                tx.CreateRow(table, {vid});
            }
        }
    }
}

std::optional<SetFailure> VlanRule(Transaction& tx) {
    const SwitchModel& model = tx.Model();
    bool modeChanged = !tx.ChangedUnder(V().mode).empty();
    bool vlansTouched = tx.BindingUnder(Private("7.6.1")).has_value() ||
                        !tx.ChangedUnder(V().pvid).empty() ||
                        !tx.ChangedUnder(Private("7.6.1")).empty();
    if (!modeChanged && !vlansTouched && !tx.BindingUnder(V().managementVlan)) {
        return std::nullopt;
    }
    std::set<uint32_t> before;
    for (const Oid& index : RowIndexes(model.Data(), Table(model, Private("7.6.1")))) {
        before.insert(FirstArc(index));
    }
    std::set<uint32_t> ids = VlanIds(tx);
    for (uint32_t vid : before) {
        if (ids.count(vid) == 0) {
            if (auto refused = CheckVlanRemoval(tx, vid)) {
                return refused;
            }
        }
    }
    if (modeChanged) {
        bool blocked = tx.GetNumber(V().mode) == 1 &&
                       (tx.GetNumber(V().voiceState) == 1 || tx.GetNumber(V().survState) == 1);
        if (blocked || tx.Rows(Table(model, Private("41.1.1.1"))).size() >= 2) {
            return Refuse(tx, V().mode, ErrorStatus::InconsistentValue);
        }
        ResetVlans(tx, ids);
        ids = VlanIds(tx);
    }
    PortSets sets(tx);
    bool symmetric = tx.GetNumber(V().mode) == kSymmetric;
    // Untagged members are egress members too; ports leaving the egress set leave the
    // untagged set.
    for (const Oid& changed : tx.ChangedUnder(V().untagged)) {
        uint32_t vid = changed.back();
        PortSet untagged = sets.Get(changed);
        PortSet egress = sets.Get(V().egress + vid);
        egress.insert(untagged.begin(), untagged.end());
        sets.Put(V().egress + vid, egress);
        if (symmetric) {
            PortSet old = SetOf(model.Get(changed) ? model.Get(changed)->bytes : "");
            for (int port : untagged) {
                if (old.count(port) == 0) {
                    MoveUntaggedPort(tx, sets, port, vid, ids);
                }
            }
        }
    }
    for (const Oid& changed : tx.ChangedUnder(V().egress)) {
        uint32_t vid = changed.back();
        PortSet egress = sets.Get(changed);
        PortSet untagged = sets.Get(V().untagged + vid);
        PortSet kept;
        std::set_intersection(untagged.begin(), untagged.end(), egress.begin(), egress.end(),
                              std::inserter(kept, kept.begin()));
        if (kept != untagged) {
            sets.Put(V().untagged + vid, kept);
        }
    }
    for (const Oid& changed : tx.ChangedUnder(V().pvid)) {
        auto vid = static_cast<uint32_t>(tx.GetNumber(changed));
        if (ids.count(vid) == 0) {
            return Refuse(tx, changed, ErrorStatus::InconsistentValue);
        }
        if (symmetric) {
            MoveUntaggedPort(tx, sets, static_cast<int>(changed.back()), vid, ids);
        }
    }
    // Ports whose PVID VLAN is gone fall back to VLAN 1.
    for (int port = 1; port <= model.Profile().ports; ++port) {
        auto pvid = static_cast<uint32_t>(tx.GetNumber(V().pvid + static_cast<uint32_t>(port)));
        if (ids.count(pvid) == 0) {
            if (symmetric) {
                MoveUntaggedPort(tx, sets, port, 1, ids);
            } else {
                tx.Put(V().pvid + static_cast<uint32_t>(port), Value::Gauge(1));
            }
        }
    }
    if (ids.count(static_cast<uint32_t>(tx.GetNumber(V().managementVlan))) == 0) {
        return Refuse(tx, V().managementVlan, ErrorStatus::InconsistentValue);
    }
    FollowVlanRows(tx, ids);
    return std::nullopt;
}

void BuildIgmp(Builder& b) {
    b.Scalar("10.1.1", Int("swIgmpSnoopingState", RW, 2, {{1, 2}}));
    b.Scalar("10.1.2", Int("swIgmpRouterTimeout", RW, 260, {{60, 600}}));
    b.Scalar("10.1.3", Int("swIgmpHostTimeout", RW, 260, {{130, 153025}}));
    b.Scalar("10.1.4", Int("swIgmpRobustness", RW, 2, {{2, 255}}));
    b.Scalar("10.1.5", Int("swIgmpLastMemberQueryInterval", RW, 1, {{1, 25}}));
    b.Scalar("10.1.6", Int("swIgmpQueryInterval", RW, 125, {{60, 600}}));
    b.Scalar("10.1.7", Int("swIgmpMaxResponseTime", RW, 10, {{10, 25}}));

    TableDef& t = b.Table("10.3.4.1", "swIgmpVlanEntry", {NumberIndex(1, 4094)});
    b.Column(t, 1, IndexColumn("swIgmpVlanId", 0));
    b.Column(t, 2, Int("swIgmpVlanState", RW, 2, {{1, 2}}));
    b.Column(t, 4, Int("swIgmpVlanQuerierState", RW, 2, {{1, 2}}));
    b.Column(t, 6, b.PortList("swIgmpVlanRouterPorts", RW, {}));
    b.Column(t, 8, Int("swIgmpVlanFastLeave", RW, 2, {{1, 2}}));
    b.Row(t, {1});

    TableDef& groups = b.Table("10.3.5.1", "swIgmpGroupEntry", {NumberIndex(1, 1024)});
    b.Column(groups, 1, Int("swIgmpGroupVid", RO, 1));
    b.Column(groups, 2, Str("swIgmpGroupAddress", RO, std::string("\xef\x01\x01\x01", 4)));
    b.Column(groups, 3, Str("swIgmpGroupMac", RO, std::string("\x01\x00\x5e\x01\x01\x01", 6)));
    b.Column(groups, 4, b.PortList("swIgmpGroupPorts", RO, {}));
    b.Row(groups, {1});
}

// Switching snooping off (globally or for a VLAN) drops the static router ports; while a
// querier runs, the host timeout is robustness x query interval + max response time.
std::optional<SetFailure> IgmpRule(Transaction& tx) {
    if (!tx.BindingUnder(Private("10")) && !tx.BindingUnder(Private("7.5.0"))) {
        return std::nullopt;
    }
    const TableDef& table = Table(tx.Model(), Private("10.3.4.1"));
    PortSets sets(tx);
    bool globalOff =
        !tx.ChangedUnder(Private("10.1.1.0")).empty() && tx.GetNumber(Private("10.1.1.0")) == 2;
    bool querier = false;
    for (const Oid& index : tx.Rows(table)) {
        Oid state = Private("10.3.4.1.2") + index;
        bool vlanOff = !tx.ChangedUnder(state).empty() && tx.GetNumber(state) == 2;
        if (globalOff || vlanOff) {
            sets.Put(Private("10.3.4.1.6") + index, {});
        }
        querier = querier || tx.GetNumber(Private("10.3.4.1.4") + index) == 1;
    }
    if (querier) {
        int64_t host = tx.GetNumber(Private("10.1.4.0")) * tx.GetNumber(Private("10.1.6.0")) +
                       tx.GetNumber(Private("10.1.7.0"));
        tx.Put(Private("10.1.3.0"), Value::Int(std::clamp<int64_t>(host, 130, 153025)));
    }
    return std::nullopt;
}

std::string Mac(std::initializer_list<uint8_t> octets) {
    return std::string(octets.begin(), octets.end());
}

void BuildVoiceVlan(Builder& b) {
    b.Scalar("21.1.2", Int("swVoiceVlanState", RW, 2, {{1, 2}}));
    b.Scalar("21.1.3", Int("swVoiceVlanId", RW, 0, {{1, 4094}}));
    TableDef& ports = b.PortTable("21.1.6.1", "swVoiceVlanPortEntry");
    b.Column(ports, 1, IndexColumn("swVoiceVlanPort", 0));
    b.Column(ports, 2, Int("swVoiceVlanPortMode", RW, 2, {{1, 2}}));
    b.AddPortRows(ports);
    TableDef& ouis = b.Table("21.2.1.1", "swVoiceVlanOuiEntry", {MacIndex()});
    b.Column(ouis, 1, IndexColumn("swVoiceVlanOui", 0, Tag::OctetString));
    b.Column(ouis, 2, Str("swVoiceVlanOuiDescription", RO, "IP phone"));
    b.Column(ouis, 4, Str("swVoiceVlanOuiMask", RO, Mac({0xff, 0xff, 0xff, 0, 0, 0})));
    b.Row(ouis, {0x02, 0x0a, 0x11, 0, 0, 0});
    b.Row(ouis, {0x02, 0x0b, 0x22, 0, 0, 0});
}

const Oid kBuiltInCamera{0x02, 0x5e, 0xa7, 0, 0, 0};

void BuildSurveillanceVlan(Builder& b) {
    b.Scalar("26.1.1", Int("swSurveillanceVlanState", RW, 2, {{1, 2}}));
    b.Scalar("26.1.2", Int("swSurveillanceVlanId", RW, 2, {{2, 4094}}));
    b.Scalar("26.1.3", Int("swSurveillanceVlanPriority", RW, 1, {{0, 3}}));
    b.Scalar("26.1.4", b.PortList("swSurveillanceVlanTaggedPorts", RW, {}));
    TableDef& ports = b.PortTable("26.1.5.1", "swSurveillancePortEntry");
    b.Column(ports, 1, IndexColumn("swSurveillancePort", 0));
    b.Column(ports, 2, Int("swSurveillancePortState", RW, 2, {{1, 2}}));
    b.Column(ports, 3, Int("swSurveillancePortMode", RW, 1, {{1, 2}}));
    b.AddPortRows(ports);

    TableDef& devices = b.Table("26.2.1.1", "swSurveillanceDeviceEntry", {MacIndex()});
    devices.maxRows = 6; // the built-in entry and five of the user's
    b.Column(devices, 1, IndexColumn("swSurveillanceDeviceMac", 0, Tag::OctetString));
    b.Column(devices, 2, Str("swSurveillanceDeviceDescription", RC, "", 32));
    b.Column(devices, 3,
             Str("swSurveillanceDeviceMask", RC, Mac({0xff, 0xff, 0xff, 0, 0, 0}), 6, 6));
    b.Column(devices, 4, Int("swSurveillanceDeviceType", RC, 4, {{0, 5}}));
    b.Column(devices, 5, RowStatusColumn("swSurveillanceDeviceRowStatus"));
    b.Row(devices, kBuiltInCamera);
    b.Model().Put(b.At("26.2.1.1.2") + kBuiltInCamera, Value::Str("Default camera OUI"));
    b.Model().Put(b.At("26.2.1.1.4") + kBuiltInCamera, Value::Int(5));
    Oid entry = b.At("26.2.1.1");
    b.Model().AddRule([entry](Transaction& tx) -> std::optional<SetFailure> {
        const TableDef& table = Table(tx.Model(), entry);
        if (tx.BindingUnder(entry) && !tx.RowExists(table, kBuiltInCamera)) {
            return Refuse(tx, table.rowStatus->oid + kBuiltInCamera,
                          ErrorStatus::InconsistentValue);
        }
        return std::nullopt;
    });
}

} // namespace

void BuildVlanGroups(Builder& b) {
    BuildVlanObjects(b);
    BuildTrunks(b);
    BuildIgmp(b);
    BuildVoiceVlan(b);
    BuildSurveillanceVlan(b);
    b.Model().AddRule(TrunkRule);
    b.Model().AddRule(SurveillanceRule);
    b.Model().AddRule(VlanRule);
    b.Model().AddRule(IgmpRule);
}

} // namespace ksxsim
