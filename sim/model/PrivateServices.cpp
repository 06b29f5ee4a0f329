// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// Security and network services of the private subtree: 802.1X, ARP spoofing prevention,
// DHCP server screening, IP-MAC-port binding, the syslog host and the switch's own SNMP
// agent configuration.
#include "sim/model/Behaviour.h"
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"
#include "sim/model/Ports.h"

namespace ksxsim {

namespace {

std::string Mac(std::initializer_list<uint8_t> octets) {
    return std::string(octets.begin(), octets.end());
}

Oid StringArcs(const std::string& text) {
    Oid arcs{static_cast<uint32_t>(text.size())};
    for (unsigned char c : text) {
        arcs.push_back(c);
    }
    return arcs;
}

void BuildDot1x(Builder& b) {
    b.Scalar("11.1.1", IpAddr("swDot1xRadiusServer", RW, Value::Ip(0, 0, 0, 0)));
    b.Scalar("11.1.2", Str("swDot1xRadiusKey", RW, "", 33));
    b.Scalar("11.2.1", Int("swDot1xState", RW, 2, {{1, 2}}));
    b.Scalar("11.2.2", Int("swDot1xQuietPeriod", RW, 60, {{0, 65535}}));
    b.Scalar("11.2.3", Int("swDot1xTxPeriod", RW, 30, {{1, 65535}}));
    b.Scalar("11.2.4", Int("swDot1xSuppTimeout", RW, 30, {{1, 65535}}));
    b.Scalar("11.2.5", Int("swDot1xServerTimeout", RW, 30, {{1, 65535}}));
    b.Scalar("11.2.6", Int("swDot1xMaxReq", RW, 2, {{1, 10}}));
    b.Scalar("11.2.7", Unsigned("swDot1xReAuthPeriod", Tag::Gauge32, RW, 3600, {{1, 4294967295}}));
    b.Scalar("11.2.8", Int("swDot1xReAuthEnabled", RW, 2, {{1, 2}}));
    TableDef& t = b.PortTable("11.2.9.1", "swDot1xPortEntry");
    b.Column(t, 1, IndexColumn("swDot1xPort", 0));
    b.Column(t, 2, Int("swDot1xPortControl", RW, 3, {{1, 3}}));
    b.Column(t, 3, Int("swDot1xPortStatus", RO, 1));
    b.AddPortRows(t);

    // Force Authorized ports are authorized; the others wait for a supplicant that never
    // comes. At least one port stays Force Authorized, or nobody could reach the switch.
    int ports = b.Profile().ports;
    Oid state = b.At("11.2.1.0"), control = b.At("11.2.9.1.2"), status = b.At("11.2.9.1.3");
    b.Model().AddRule([=](Transaction& tx) -> std::optional<SetFailure> {
        bool controls = !tx.ChangedUnder(control).empty();
        if (!controls && tx.ChangedUnder(state).empty()) {
            return std::nullopt;
        }
        bool enabled = tx.GetNumber(state) == 1;
        bool anyForced = false;
        for (uint32_t port = 1; port <= static_cast<uint32_t>(ports); ++port) {
            int64_t value = tx.GetNumber(control + port);
            anyForced = anyForced || value == 3;
            tx.Put(status + port, Value::Int(!enabled || value == 3 ? 1 : 2));
        }
        if (controls && !anyForced) {
            return Refuse(tx, control, ErrorStatus::InconsistentValue);
        }
        return std::nullopt;
    });
}

void BuildArpAndDhcp(Builder& b) {
    int last = b.Profile().ports;
    TableDef& arp = b.Table("14.3.1.1", "swArpSpoofEntry", {IpIndex()});
    arp.maxRows = 64;
    b.Column(arp, 1, IndexColumn("swArpSpoofGatewayIp", 0, Tag::IpAddress));
    b.Column(arp, 2, Str("swArpSpoofGatewayMac", RC, std::string(6, '\0'), 6, 6));
    b.Column(arp, 3, b.PortList("swArpSpoofPorts", RC, {}));
    b.Column(arp, 4, RowStatusColumn("swArpSpoofRowStatus"));
    Oid gateway{192, 0, 2, 1};
    b.Row(arp, gateway);
    b.Model().Put(b.At("14.3.1.1.2") + gateway, Value::Str(Mac({0x00, 0x1b, 0x2c, 0, 0, 0x01})));
    b.Model().Put(b.At("14.3.1.1.3") + gateway,
                  Value::Str(MakePortList({last}, b.Profile().portListOctets)));

    b.Scalar("14.7.1", b.PortList("swDhcpScreenTrustedPorts", RW, {}));
    TableDef& servers = b.Table("14.7.2.1", "swDhcpScreenServerEntry", {NumberIndex(1, 5)});
    servers.maxRows = 5;
    b.Column(servers, 1, IndexColumn("swDhcpScreenServerIndex", 0));
    b.Column(servers, 2, IpAddr("swDhcpScreenServerIp", RC, Value::Ip(0, 0, 0, 0)));
    b.Column(servers, 3, RowStatusColumn("swDhcpScreenServerRowStatus"));
    b.Row(servers, {1});
    b.Model().Put(b.At("14.7.2.1.2.1"), Value::Ip(192, 0, 2, 2));
}

void BuildBinding(Builder& b) {
    const auto& p = b.Profile();
    TableDef& ports = b.PortTable("14.10.1.1", "swImpbPortEntry");
    b.Column(ports, 1, IndexColumn("swImpbPort", 0));
    b.Column(ports, 2, Int("swImpbPortState", RW, 0, {{0, 1}}));
    b.Column(ports, 3, Int("swImpbPortArpOnly", RW, 1, {{0, 1}}));
    b.Column(ports, 4, Int("swImpbPortDhcpSnooping", RW, 0, {{0, 1}}));
    b.AddPortRows(ports);

    TableDef& bindings = b.Table("14.10.2.1", "swImpbBindingEntry",
                                 {MacIndex(), NumberIndex(1, p.ports), IpIndex()});
    b.Column(bindings, 1, IndexColumn("swImpbBindingMac", 0, Tag::OctetString));
    b.Column(bindings, 2, IndexColumn("swImpbBindingPort", 1));
    b.Column(bindings, 3, IndexColumn("swImpbBindingIp", 2, Tag::IpAddress));
    b.Column(bindings, 4, Int("swImpbBindingVid", RO, 1));
    b.Column(bindings, 5, Int("swImpbBindingState", RW, 2, {{1, 2}}));
    b.Row(bindings, Oid{0x00, 0x1b, 0x2c, 0x10, 0x00, 0x01, 3, 192, 0, 2, 31});

    TableDef& white = b.Table("14.10.3.1", "swImpbWhiteListEntry", {IpIndex(), MacIndex()});
    b.Column(white, 1, IndexColumn("swImpbWhiteListIp", 0, Tag::IpAddress));
    b.Column(white, 2, IndexColumn("swImpbWhiteListMac", 1, Tag::OctetString));
    b.Column(white, 3, Int("swImpbWhiteListPort", RC, 1, {{1, p.ports}}));
    b.Column(white, 4, RowStatusColumn("swImpbWhiteListRowStatus"));
    Oid whiteIndex{192, 0, 2, 30, 0x00, 0x1b, 0x2c, 0x10, 0x00, 0x00};
    b.Row(white, whiteIndex);
    b.Model().Put(b.At("14.10.3.1.3") + whiteIndex, Value::Int(2));

    TableDef& black = b.Table("14.10.4.1", "swImpbBlackListEntry",
                              {MacIndex(), NumberIndex(1, 4094), NumberIndex(1, p.ports)});
    b.Column(black, 1, IndexColumn("swImpbBlackListMac", 0, Tag::OctetString));
    b.Column(black, 2, IndexColumn("swImpbBlackListVid", 1));
    b.Column(black, 3, IndexColumn("swImpbBlackListPort", 2));
    b.Column(black, 4, IpAddr("swImpbBlackListIp", RO, Value::Ip(192, 0, 2, 66)));
    b.Column(black, 5, Int("swImpbBlackListControl", RW, 2, {{1, 2}}));
    b.Row(black, Oid{0x00, 0x1b, 0x2c, 0x66, 0x00, 0x01, 1, 6});

    b.Scalar("14.10.5", IpAddr("swImpbScanFrom", RW, Value::Ip(0, 0, 0, 0)));
    b.Scalar("14.10.6", IpAddr("swImpbScanTo", RW, Value::Ip(0, 0, 0, 0)));
    b.Scalar("14.10.7", Int("swImpbScan", RW, 2, {{1, 2}}));

    // Binding an address puts it on the white list; writing 1 to a black-list entry's
    // control removes the entry; writing 1 to the scan trigger starts a scan.
    Oid bindState = b.At("14.10.2.1.5"), whiteEntry = b.At("14.10.3.1");
    Oid blackControl = b.At("14.10.4.1.5"), blackEntry = b.At("14.10.4.1");
    Oid scan = b.At("14.10.7.0");
    b.Model().AddRule([=](Transaction& tx) -> std::optional<SetFailure> {
        const Mib& mib = tx.Model().Definitions();
        for (const Oid& changed : tx.ChangedUnder(bindState)) {
            if (tx.GetNumber(changed) != 1) {
                continue;
            }
            Oid index = SuffixAfter(changed, bindState); // MAC(6).port.IP(4)
            Oid mac(index.begin(), index.begin() + 6);
            Oid ip(index.begin() + 7, index.end());
            const TableDef& table = *mib.FindTable(whiteEntry);
            if (!tx.RowExists(table, ip + mac)) {
                tx.CreateRow(table, ip + mac);
                tx.Put(whiteEntry + 3u + ip + mac, Value::Int(index[6]));
            }
        }
        for (const Oid& changed : tx.ChangedUnder(blackControl)) {
            if (tx.GetNumber(changed) == 1) {
                tx.DestroyRow(*mib.FindTable(blackEntry), SuffixAfter(changed, blackControl));
            }
        }
        if (tx.BindingUnder(scan) && tx.GetNumber(scan) == 1) {
            tx.Put(scan, Value::Int(2));
            tx.Raise(kEventScan);
        }
        return std::nullopt;
    });
}

void BuildSyslog(Builder& b) {
    b.Scalar("16.1.1", IpAddr("swSyslogServer", RW, Value::Ip(0, 0, 0, 0)));
    b.Scalar("16.1.2", Int("swSyslogUdpPort", RW, 514, {{1, 65535}}));
    b.Scalar("16.1.4", Int("swSyslogSeverity", RW, 6, {{4, 4}, {6, 7}}));
    std::vector<Range> facilities;
    for (int f = 128; f <= 184; f += 8) {
        facilities.push_back({f, f});
    }
    b.Scalar("16.1.5", Int("swSyslogFacility", RW, 128, facilities));
    b.Scalar("16.1.6", Int("swSyslogState", RW, 2, {{1, 2}}));
}

void BuildAgentTables(Builder& b) {
    const auto& p = b.Profile();
    b.Scalar("25.1", Int("swSnmpState", RW, 1, {{1, 2}}));

    TableDef& users =
        b.Table("25.2.1.1", "swSnmpUserEntry", {StringIndex(1, 32), NumberIndex(1, 3)});
    users.maxRows = 50;
    b.Column(users, 1, IndexColumn("swSnmpUserName", 0, Tag::OctetString));
    b.Column(users, 2, IndexColumn("swSnmpUserVersion", 1));
    b.Column(users, 3, Str("swSnmpUserGroup", RC, "", 127));
    b.Column(users, 4, Int("swSnmpUserAuthProtocol", RC, 1, {{0, 3}}));
    b.Column(users, 5, Str("swSnmpUserAuthPassword", RC, "", 40));
    b.Column(users, 6, Int("swSnmpUserPrivProtocol", RC, 1, {{1, 2}}));
    b.Column(users, 7, Str("swSnmpUserPrivPassword", RC, "", 32));
    b.Column(users, 8, RowStatusColumn("swSnmpUserRowStatus"));

    TableDef& groups = b.Table("25.3.1.1", "swSnmpGroupEntry",
                               {StringIndex(1, 32), NumberIndex(1, 3), NumberIndex(1, 3)});
    groups.maxRows = 50;
    b.Column(groups, 1, IndexColumn("swSnmpGroupName", 0, Tag::OctetString));
    b.Column(groups, 2, IndexColumn("swSnmpGroupModel", 1));
    ObjectDef level = IndexColumn("swSnmpGroupLevel", 2);
    level.access = RC;
    level.ranges = {{1, 3}};
    b.Column(groups, 3, std::move(level));
    b.Column(groups, 4, Str("swSnmpGroupReadView", RC, "", 127));
    b.Column(groups, 5, Str("swSnmpGroupWriteView", RC, "", 127));
    b.Column(groups, 6, Str("swSnmpGroupNotifyView", RC, "", 127));
    b.Column(groups, 7, RowStatusColumn("swSnmpGroupRowStatus"));

    TableDef& views = b.Table("25.4.1.1", "swSnmpViewEntry", {StringIndex(1, 32), OidIndex(64)});
    views.maxRows = 50;
    b.Column(views, 1, IndexColumn("swSnmpViewName", 0, Tag::OctetString));
    b.Column(views, 2, IndexColumn("swSnmpViewSubtree", 1, Tag::ObjectId));
    b.Column(views, 3, Str("swSnmpViewMask", RC, "", 16));
    b.Column(views, 4, Int("swSnmpViewType", RC, 1, {{1, 2}}));
    b.Column(views, 5, RowStatusColumn("swSnmpViewRowStatus"));

    TableDef& communities = b.Table("25.5.1.1", "swSnmpCommunityEntry", {StringIndex(1, 32)});
    communities.maxRows = 10;
    b.Column(communities, 1, IndexColumn("swSnmpCommunityName", 0, Tag::OctetString));
    b.Column(communities, 2, Str("swSnmpCommunityViewPolicy", RC, "", 32));
    b.Column(communities, 3, RowStatusColumn("swSnmpCommunityRowStatus"));

    TableDef& hosts = b.Table("25.6.1.1", "swSnmpHostEntry", {IpIndex()});
    hosts.maxRows = 10;
    b.Column(hosts, 1, IndexColumn("swSnmpHostAddress", 0, Tag::IpAddress));
    b.Column(hosts, 2, Str("swSnmpHostName", RC, "", 127));
    b.Column(hosts, 3, Int("swSnmpHostVersion", RC, 2, {{1, 5}}));
    b.Column(hosts, 4, RowStatusColumn("swSnmpHostRowStatus"));

    b.Scalar("25.7", Str("swSnmpEngineId", RW, p.engineId, 32, 5));
    int traps = p.poe ? 8 : 5;
    for (int t = 1; t <= traps; ++t) {
        b.Scalar("25.8." + std::to_string(t),
                 Int("swSnmpTrap" + std::to_string(t), RW, 1, {{1, 2}}));
    }

    // The tables show the agent's real access configuration.
    auto put = [&b](const char* column, const Oid& index, Value value) {
        b.Model().Put(b.At(column) + index, std::move(value));
    };
    for (const auto& [name, writes] : {std::pair{p.roCommunity, false}, {p.rwCommunity, true}}) {
        for (uint32_t version : {1u, 2u}) {
            b.Row(users, StringArcs(name) + version);
            put("25.2.1.1.3", StringArcs(name) + version, Value::Str(name));
            Oid group = StringArcs(name) + version + 1u;
            b.Row(groups, group);
            put("25.3.1.1.4", group, Value::Str("all"));
            put("25.3.1.1.5", group, Value::Str(writes ? "all" : ""));
            put("25.3.1.1.6", group, Value::Str("all"));
        }
        b.Row(communities, StringArcs(name));
        put("25.5.1.1.2", StringArcs(name), Value::Str(name));
    }
    for (const auto& user : p.v3Users) {
        Oid index = StringArcs(user.name) + 3u;
        b.Row(users, index);
        put("25.2.1.1.3", index, Value::Str("admins"));
        put("25.2.1.1.4", index, Value::Int(user.auth));
        put("25.2.1.1.6", index, Value::Int(user.priv));
        uint32_t levelCode = user.auth == 1 ? 1 : (user.priv == 1 ? 2 : 3);
        Oid group = StringArcs("admins") + 3u + levelCode;
        b.Row(groups, group);
        put("25.3.1.1.4", group, Value::Str("all"));
        put("25.3.1.1.5", group, Value::Str("all"));
        put("25.3.1.1.6", group, Value::Str("all"));
    }
    b.Row(views, StringArcs("all") + 1u + 1u);
    b.Row(hosts, {192, 0, 2, 100});
    put("25.6.1.1.2", {192, 0, 2, 100}, Value::Str(p.roCommunity));

    // A V3 user created without authentication gets an empty protocol: that is None.
    Oid auth = b.At("25.2.1.1.4");
    b.Model().AddRule([auth](Transaction& tx) -> std::optional<SetFailure> {
        for (const Oid& changed : tx.ChangedUnder(auth)) {
            if (tx.GetNumber(changed) == 0) {
                tx.Put(changed, Value::Int(1));
            }
        }
        return std::nullopt;
    });
}

} // namespace

void BuildServiceGroups(Builder& b) {
    BuildDot1x(b);
    BuildArpAndDhcp(b);
    BuildBinding(b);
    BuildSyslog(b);
    BuildAgentTables(b);
}

} // namespace ksxsim
