// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// MIB-II: system, interfaces, ip address table, tcp connections and udp listeners.
#include "sim/model/Builder.h"
#include "sim/model/Ports.h"

#include <tuple>

namespace ksxsim {

namespace {

constexpr int kIfTypeEthernet = 6;
constexpr int kIfTypeSoftwareLoopback = 24;
constexpr int kIfTypeL3IpVlan = 136;

void BuildSystem(Builder& b) {
    const auto& p = b.Profile();
    b.Scalar("1.1", Str("sysDescr", RO, p.model + " L2 Managed Ethernet Switch"));
    b.Scalar("1.2", OidValue("sysObjectID", RO, SwitchModel::PrivateBase()));
    ObjectDef upTime = Unsigned("sysUpTime", Tag::TimeTicks, RO, 0);
    upTime.live = [](const Oid&, uint32_t ticks) { return Value::Ticks(ticks); };
    b.Scalar("1.3", std::move(upTime));
    b.Scalar("1.4", Str("sysContact", RW, "network operations"));
    b.Scalar("1.5", Str("sysName", RW, p.model));
    b.Scalar("1.6", Str("sysLocation", RW, "rack 1"));
    b.Scalar("1.7", Int("sysServices", RO, 2));
}

struct Interface {
    int index;
    std::string descr;
    int type;
    uint32_t speed;
    std::string mac;
    int operStatus;
};

std::vector<Interface> Interfaces(const DeviceProfile& p) {
    std::vector<Interface> list;
    for (int port = 1; port <= p.ports; ++port) {
        PortFacts facts = DefaultPortFacts(p, port);
        uint32_t speed = facts.linkUp ? OperModeSpeed(facts.operMode) : facts.maxSpeed;
        list.push_back({port, "Port " + std::to_string(port), kIfTypeEthernet, speed, PortMac(port),
                        facts.linkUp ? 1 : 2});
    }
    list.push_back({CpuIfIndex(p), "CPU Interface", kIfTypeSoftwareLoopback, 0, BridgeMac(), 1});
    list.push_back({VlanIfIndex(1), "VLAN 1", kIfTypeL3IpVlan, 0, BridgeMac(), 1});
    return list;
}

const Oid kIfSpeedColumn = O("1.3.6.1.2.1.2.2.1.5");
const Oid kIfOperStatusColumn = O("1.3.6.1.2.1.2.2.1.8");

// The traffic counters of the interface with `index` at up-time `ticks`: only the ports carry
// traffic, and only while their link is up.
PortCounters CountersOf(SwitchModel& model, const Oid& index, uint32_t ticks) {
    const auto port = static_cast<int>(FirstArc(index));
    if (port < 1 || port > model.Profile().ports) {
        return {};
    }
    const Value* oper = model.Get(kIfOperStatusColumn + index);
    const Value* speed = model.Get(kIfSpeedColumn + index);
    const bool linkUp = oper != nullptr && oper->number == 1;
    const uint64_t bps = speed != nullptr ? static_cast<uint64_t>(speed->number) : 0;
    return model.Traffic().Read(port, linkUp, bps, ticks);
}

// A counter column read live from the port's traffic (`field` nullptr: always 0); a 32-bit
// counter is the low half of the count.
ObjectDef Counter(SwitchModel& model, std::string name, Tag tag, uint64_t PortCounters::*field) {
    ObjectDef def = Unsigned(std::move(name), tag, RO, 0);
    def.live = [&model, tag, field](const Oid& index, uint32_t ticks) {
        const uint64_t count = field != nullptr ? CountersOf(model, index, ticks).*field : 0;
        return tag == Tag::Counter64 ? Value::Counter64(count)
                                     : Value::Counter(static_cast<uint32_t>(count));
    };
    return def;
}

void BuildInterfaces(Builder& b) {
    const auto& p = b.Profile();
    auto interfaces = Interfaces(p);
    b.Scalar("2.1", Int("ifNumber", RO, static_cast<int64_t>(interfaces.size())));
    TableDef& t = b.Table("2.2.1", "ifEntry", {NumberIndex(1, 2147483647)});
    auto byIndex = [interfaces](const Oid& index) {
        for (const auto& i : interfaces) {
            if (static_cast<uint32_t>(i.index) == FirstArc(index)) {
                return i;
            }
        }
        return Interface{static_cast<int>(FirstArc(index)), "", 1, 0, std::string(6, '\0'), 2};
    };
    b.Column(t, 1, IndexColumn("ifIndex", 0));
    b.Column(t, 2, StrFn("ifDescr", RO, [byIndex](const Oid& i) {
                 return Value::Str(byIndex(i).descr);
             }));
    b.Column(t, 3,
             IntFn("ifType", RO, [byIndex](const Oid& i) { return Value::Int(byIndex(i).type); }));
    b.Column(t, 4, IntFn("ifMtu", RO, [byIndex](const Oid& i) {
                 return Value::Int(byIndex(i).type == kIfTypeSoftwareLoopback ? 65535 : 1500);
             }));
    ObjectDef speed = Unsigned("ifSpeed", Tag::Gauge32, RO, 0);
    speed.initial = [byIndex](const Oid& i) { return Value::Gauge(byIndex(i).speed); };
    b.Column(t, 5, std::move(speed));
    b.Column(t, 6, StrFn("ifPhysAddress", RO, [byIndex](const Oid& i) {
                 return Value::Str(byIndex(i).mac);
             }));
    b.Column(t, 7, Int("ifAdminStatus", RW, 1, {{1, 3}}));
    b.Column(t, 8, IntFn("ifOperStatus", RO, [byIndex](const Oid& i) {
                 return Value::Int(byIndex(i).operStatus);
             }));
    b.Column(t, 9, Unsigned("ifLastChange", Tag::TimeTicks, RO, 0));
    using Field = uint64_t PortCounters::*;
    const std::pair<const char*, Field> counters[] = {{"ifInOctets", &PortCounters::inOctets},
                                                      {"ifInUcastPkts", &PortCounters::inPackets},
                                                      {"ifInNUcastPkts", nullptr},
                                                      {"ifInDiscards", &PortCounters::inDiscards},
                                                      {"ifInErrors", &PortCounters::inErrors},
                                                      {"ifInUnknownProtos", nullptr},
                                                      {"ifOutOctets", &PortCounters::outOctets},
                                                      {"ifOutUcastPkts", &PortCounters::outPackets},
                                                      {"ifOutNUcastPkts", nullptr},
                                                      {"ifOutDiscards", &PortCounters::outDiscards},
                                                      {"ifOutErrors", &PortCounters::outErrors}};
    uint32_t column = 10;
    for (const auto& [name, field] : counters) {
        b.Column(t, column++, Counter(b.Model(), name, Tag::Counter32, field));
    }
    b.Column(t, 21, Unsigned("ifOutQLen", Tag::Gauge32, RO, 0));
    b.Column(t, 22, OidValue("ifSpecific", RO, O("0.0")));
    for (const auto& i : interfaces) {
        b.Row(t, {static_cast<uint32_t>(i.index)});
    }
}

// The interface extension table: names, 64-bit counters and the speed in Mbit/s; an old
// firmware has none of it.
void BuildInterfaceExtensions(Builder& b) {
    if (!b.Profile().traffic.highCapacity) {
        return;
    }
    const auto interfaces = Interfaces(b.Profile());
    TableDef& t = b.Table("31.1.1.1", "ifXEntry", {NumberIndex(1, 2147483647)});
    b.Column(t, 1, StrFn("ifName", RO, [interfaces](const Oid& i) {
                 for (const auto& interface : interfaces) {
                     if (static_cast<uint32_t>(interface.index) == FirstArc(i)) {
                         return Value::Str(interface.descr);
                     }
                 }
                 return Value::Str("");
             }));
    using Field = uint64_t PortCounters::*;
    const std::tuple<uint32_t, const char*, Field> counters[] = {
        {6, "ifHCInOctets", &PortCounters::inOctets},
        {7, "ifHCInUcastPkts", &PortCounters::inPackets},
        {10, "ifHCOutOctets", &PortCounters::outOctets},
        {11, "ifHCOutUcastPkts", &PortCounters::outPackets}};
    for (const auto& [column, name, field] : counters) {
        b.Column(t, column, Counter(b.Model(), name, Tag::Counter64, field));
    }
    ObjectDef highSpeed = Unsigned("ifHighSpeed", Tag::Gauge32, RO, 0);
    highSpeed.live = [&model = b.Model()](const Oid& index, uint32_t) {
        const Value* speed = model.Get(kIfSpeedColumn + index);
        return Value::Gauge(speed != nullptr ? static_cast<uint32_t>(speed->number / 1000000) : 0);
    };
    b.Column(t, 15, std::move(highSpeed));
    for (const auto& interface : interfaces) {
        b.Row(t, {static_cast<uint32_t>(interface.index)});
    }
}

Oid IpArcs(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    return {a, b, c, d};
}

void BuildIpAddresses(Builder& b) {
    const auto& p = b.Profile();
    TableDef& t = b.Table("4.20.1", "ipAddrEntry", {IpIndex()});
    int cpu = CpuIfIndex(p);
    auto isLoopback = [](const Oid& index) { return FirstArc(index) == 127; };
    b.Column(t, 1, IndexColumn("ipAdEntAddr", 0, Tag::IpAddress));
    b.Column(t, 2, IntFn("ipAdEntIfIndex", RO, [cpu, isLoopback](const Oid& i) {
                 return Value::Int(isLoopback(i) ? cpu : VlanIfIndex(1));
             }));
    b.Column(t, 3, IpAddr("ipAdEntNetMask", RO, Value::Ip(255, 255, 255, 0)));
    b.Column(t, 4, Int("ipAdEntBcastAddr", RO, 1));
    b.Column(t, 5, Int("ipAdEntReasmMaxSize", RO, 65535));
    b.Row(t, IpArcs(127, 0, 0, 1));
    b.Row(t, IpArcs(192, 0, 2, 10));
    b.Model().Put(b.At("4.20.1.3.127.0.0.1"), Value::Ip(255, 0, 0, 0));
}

void BuildTcpConnections(Builder& b) {
    TableDef& t = b.Table("6.13.1", "tcpConnEntry",
                          {IpIndex(), NumberIndex(0, 65535), IpIndex(), NumberIndex(0, 65535)});
    b.Column(t, 1, IntFn("tcpConnState", RO, [](const Oid& i) {
                 // listening sockets have no remote address
                 bool listen = i.size() > 5 && i[5] == 0;
                 bool closing = i.size() > 9 && i[9] == 40000;
                 return Value::Int(listen ? 2 : (closing ? 11 : 5));
             }));
    b.Column(t, 2, IndexColumn("tcpConnLocalAddress", 0, Tag::IpAddress));
    b.Column(t, 3, IndexColumn("tcpConnLocalPort", 1));
    b.Column(t, 4, IndexColumn("tcpConnRemAddress", 2, Tag::IpAddress));
    b.Column(t, 5, IndexColumn("tcpConnRemPort", 3));
    b.Row(t, IpArcs(0, 0, 0, 0) + 23 + IpArcs(0, 0, 0, 0) + 0);
    b.Row(t, IpArcs(0, 0, 0, 0) + 80 + IpArcs(0, 0, 0, 0) + 0);
    b.Row(t, IpArcs(192, 0, 2, 10) + 23 + IpArcs(192, 0, 2, 50) + 51234);
    b.Row(t, IpArcs(192, 0, 2, 10) + 80 + IpArcs(192, 0, 2, 51) + 40000);
}

void BuildUdpListeners(Builder& b) {
    TableDef& t = b.Table("7.5.1", "udpEntry", {IpIndex(), NumberIndex(0, 65535)});
    b.Column(t, 1, IndexColumn("udpLocalAddress", 0, Tag::IpAddress));
    b.Column(t, 2, IndexColumn("udpLocalPort", 1));
    for (uint32_t port : {67u, 69u, 161u, 514u}) {
        b.Row(t, IpArcs(0, 0, 0, 0) + port);
    }
}

} // namespace

void BuildSystemGroups(Builder& mib2) {
    BuildSystem(mib2);
    BuildInterfaces(mib2);
    BuildInterfaceExtensions(mib2);
    BuildIpAddresses(mib2);
    BuildTcpConnections(mib2);
    BuildUdpListeners(mib2);
}

} // namespace ksxsim
