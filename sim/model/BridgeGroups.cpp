// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// BRIDGE-MIB (base, spanning tree, ageing) and the Q-BRIDGE-MIB forwarding database.
#include "sim/model/Builder.h"
#include "sim/model/Ports.h"

namespace ksxsim {

namespace {

constexpr int kStpDisabled = 1;
constexpr int kStpForwarding = 5;

std::vector<Range> Steps(int64_t step, int64_t last) {
    std::vector<Range> ranges;
    for (int64_t v = 0; v <= last; v += step) {
        ranges.push_back({v, v});
    }
    return ranges;
}

std::string BridgeId(int64_t priority) {
    std::string id;
    id.push_back(static_cast<char>((priority >> 8) & 0xff));
    id.push_back(static_cast<char>(priority & 0xff));
    return id + BridgeMac();
}

void BuildBase(Builder& b) {
    const auto& p = b.Profile();
    b.Scalar("1.1", Str("dot1dBaseBridgeAddress", RO, BridgeMac()));
    b.Scalar("1.2", Int("dot1dBaseNumPorts", RO, p.ports));
    b.Scalar("1.3", Int("dot1dBaseType", RO, 2));
    TableDef& t = b.Table("1.4.1", "dot1dBasePortEntry", {NumberIndex(1, p.ports)});
    b.Column(t, 1, IndexColumn("dot1dBasePort", 0));
    b.Column(t, 2, IndexColumn("dot1dBasePortIfIndex", 0));
    b.Column(t, 3, OidValue("dot1dBasePortCircuit", RO, O("0.0")));
    b.Column(t, 4, Unsigned("dot1dBasePortDelayExceededDiscards", Tag::Counter32, RO, 0));
    b.Column(t, 5, Unsigned("dot1dBasePortMtuExceededDiscards", Tag::Counter32, RO, 0));
    for (uint32_t port = 1; port <= static_cast<uint32_t>(p.ports); ++port) {
        b.Row(t, {port});
    }
}

void BuildSpanningTree(Builder& b) {
    const auto& p = b.Profile();
    b.Scalar("2.1", Int("dot1dStpProtocolSpecification", RO, 3));
    b.Scalar("2.2", Int("dot1dStpPriority", RW, 32768, Steps(4096, 61440)));
    b.Scalar("2.3", Unsigned("dot1dStpTimeSinceTopologyChange", Tag::TimeTicks, RO, 12000));
    b.Scalar("2.4", Unsigned("dot1dStpTopChanges", Tag::Counter32, RO, 3));
    b.Scalar("2.5", Str("dot1dStpDesignatedRoot", RO, BridgeId(32768)));
    b.Scalar("2.6", Int("dot1dStpRootCost", RO, 0));
    b.Scalar("2.7", Int("dot1dStpRootPort", RO, 0));
    b.Scalar("2.8", Int("dot1dStpMaxAge", RO, 2000));
    b.Scalar("2.9", Int("dot1dStpHelloTime", RO, 200));
    b.Scalar("2.10", Int("dot1dStpHoldTime", RO, 100));
    b.Scalar("2.11", Int("dot1dStpForwardDelay", RO, 1500));
    b.Scalar("2.12", Int("dot1dStpBridgeMaxAge", RW, 2000, {{600, 4000}}));
    b.Scalar("2.13", Int("dot1dStpBridgeHelloTime", RW, 200, {{100, 1000}}));
    b.Scalar("2.14", Int("dot1dStpBridgeForwardDelay", RW, 1500, {{400, 3000}}));

    TableDef& t = b.Table("2.15.1", "dot1dStpPortEntry", {NumberIndex(1, p.ports)});
    DeviceProfile profile = p;
    b.Column(t, 1, IndexColumn("dot1dStpPort", 0));
    b.Column(t, 2, Int("dot1dStpPortPriority", RW, 128, Steps(16, 240)));
    b.Column(t, 3, IntFn("dot1dStpPortState", RO, [profile](const Oid& i) {
                 bool up = DefaultPortFacts(profile, static_cast<int>(FirstArc(i))).linkUp;
                 return Value::Int(up ? kStpForwarding : kStpDisabled);
             }));
    b.Column(t, 4, Int("dot1dStpPortEnable", RW, 1, {{1, 2}}));
    b.Column(t, 5,
             IntFn("dot1dStpPortPathCost", RW,
                   [profile](const Oid& i) {
                       auto facts = DefaultPortFacts(profile, static_cast<int>(FirstArc(i)));
                       return Value::Int(facts.maxSpeed >= 1000000000 ? 20000 : 200000);
                   },
                   {{1, 200000000}}));
    b.Column(t, 6, Str("dot1dStpPortDesignatedRoot", RO, BridgeId(32768)));
    b.Column(t, 7, Int("dot1dStpPortDesignatedCost", RO, 0));
    b.Column(t, 8, Str("dot1dStpPortDesignatedBridge", RO, BridgeId(32768)));
    b.Column(t, 9, StrFn("dot1dStpPortDesignatedPort", RO, [](const Oid& i) {
                 return Value::Str({static_cast<char>(0x80), static_cast<char>(FirstArc(i))});
             }));
    ObjectDef transitions = Unsigned("dot1dStpPortForwardTransitions", Tag::Counter32, RO, 0);
    transitions.initial = [profile](const Oid& i) {
        return Value::Counter(DefaultPortFacts(profile, static_cast<int>(FirstArc(i))).linkUp);
    };
    b.Column(t, 10, std::move(transitions));
    for (uint32_t port = 1; port <= static_cast<uint32_t>(p.ports); ++port) {
        b.Row(t, {port});
    }
}

// The timers must satisfy 2 * (ForwardDelay - 1 s) >= MaxAge >= 2 * (HelloTime + 1 s); as
// this bridge is the root, the current timers follow the bridge timers.
void AddTimerRule(Builder& b) {
    Oid maxAge = b.At("2.12.0"), hello = b.At("2.13.0"), delay = b.At("2.14.0");
    Oid curMaxAge = b.At("2.8.0"), curHello = b.At("2.9.0"), curDelay = b.At("2.11.0");
    Oid priority = b.At("2.2.0"), root = b.At("2.5.0");
    Oid portRoot = b.At("2.15.1.6"), portBridge = b.At("2.15.1.8");
    int ports = b.Profile().ports;
    b.Model().AddRule([=](Transaction& tx) -> std::optional<SetFailure> {
        bool touched = tx.BindingUnder(priority) || tx.BindingUnder(maxAge) ||
                       tx.BindingUnder(hello) || tx.BindingUnder(delay);
        if (!touched) {
            return std::nullopt;
        }
        int64_t age = tx.GetNumber(maxAge), h = tx.GetNumber(hello), d = tx.GetNumber(delay);
        if (age > 2 * (d - 100) || age < 2 * (h + 100)) {
            auto index = tx.BindingUnder(maxAge);
            if (!index) {
                index = tx.BindingUnder(hello) ? tx.BindingUnder(hello) : tx.BindingUnder(delay);
            }
            return SetFailure{ErrorStatus::InconsistentValue, index.value_or(0)};
        }
        tx.Put(curMaxAge, Value::Int(age));
        tx.Put(curHello, Value::Int(h));
        tx.Put(curDelay, Value::Int(d));
        if (tx.BindingUnder(priority)) {
            Value id = Value::Str(BridgeId(tx.GetNumber(priority)));
            tx.Put(root, id);
            for (uint32_t port = 1; port <= static_cast<uint32_t>(ports); ++port) {
                tx.Put(portRoot + port, id);
                tx.Put(portBridge + port, id);
            }
        }
        return std::nullopt;
    });
}

void BuildAgeing(Builder& b) {
    b.Scalar("4.1", Unsigned("dot1dTpLearnedEntryDiscards", Tag::Counter32, RO, 0));
    b.Scalar("4.2", Int("dot1dTpAgingTime", RW, 300, {{10, 1000000}}));
}

Oid FdbMac(int n) {
    return {0x00,
            0x1a,
            0x2b,
            static_cast<uint32_t>((n >> 16) & 0xff),
            static_cast<uint32_t>((n >> 8) & 0xff),
            static_cast<uint32_t>(n & 0xff)};
}

void BuildForwardingDatabase(Builder& b) {
    const auto& p = b.Profile();
    int ids = std::max(1, p.fdbIds);
    TableDef& counts = b.Table("7.1.2.1.1", "dot1qFdbEntry", {NumberIndex(1, 4094)});
    b.Column(counts, 2, Unsigned("dot1qFdbDynamicCount", Tag::Counter32, RO, 0));
    for (uint32_t id = 1; id <= static_cast<uint32_t>(ids); ++id) {
        b.Row(counts, {id});
    }

    TableDef& t = b.Table("7.1.2.2.1", "dot1qTpFdbEntry", {NumberIndex(1, 4094), MacIndex()});
    b.Column(t, 2, Int("dot1qTpFdbPort", RO, 0));
    b.Column(t, 3, Int("dot1qTpFdbStatus", RO, 3));
    std::vector<int> linked;
    for (int port = 1; port <= p.ports; ++port) {
        if (DefaultPortFacts(p, port).linkUp) {
            linked.push_back(port);
        }
    }
    std::vector<uint32_t> perId(static_cast<size_t>(ids) + 1, 0);
    for (int n = 1; n <= p.fdbEntries && !linked.empty(); ++n) {
        auto id = static_cast<uint32_t>((n - 1) % ids + 1);
        Oid index = Oid{id} + FdbMac(n);
        b.Row(t, index);
        int port = linked[static_cast<size_t>(n - 1) % linked.size()];
        b.Model().Put(b.At("7.1.2.2.1.2") + index, Value::Int(port));
        ++perId[id];
    }
    for (uint32_t id = 1; id <= static_cast<uint32_t>(ids); ++id) {
        b.Model().Put(b.At("7.1.2.1.1.2") + id, Value::Counter(perId[id]));
    }
}

} // namespace

void BuildBridgeGroups(Builder& bridge) {
    BuildBase(bridge);
    BuildSpanningTree(bridge);
    AddTimerRule(bridge);
    BuildAgeing(bridge);
    BuildForwardingDatabase(bridge);
}

} // namespace ksxsim
