// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// Device, port and layer-2 port features of the private subtree: save and reboot, the
// port table, spanning tree, mirroring, rate limits, segmentation, address learning, ACL
// port sets and the firmware and configuration transfers.
#include "sim/model/Behaviour.h"
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"
#include "sim/model/Ports.h"

#include <algorithm>

namespace ksxsim {

namespace {

constexpr int kSpeed1000Full = 1;
constexpr int kSpeed100Full = 2;
constexpr int kSpeed100Half = 3;
constexpr int kSpeedAuto = 6;
constexpr int kSpeedDisable = 7;

const Oid kIfAdminStatus = O("1.3.6.1.2.1.2.2.1.7");
const Oid kStpPortPriority = O("1.3.6.1.2.1.17.2.15.1.2");
const Oid kStpPortEnable = O("1.3.6.1.2.1.17.2.15.1.4");
const Oid kStpPortPathCost = O("1.3.6.1.2.1.17.2.15.1.5");

void BuildDevice(Builder& b) {
    b.Scalar("1.9", Int("swReboot", RW, 2, {{1, 2}}));
    b.Scalar("1.10", Int("swSaveConfiguration", RW, 2, {{1, 2}}));
    b.Scalar("1.12", Int("swJumboFrame", RW, 2, {{1, 2}}));
    b.Scalar("1.15.1", Int("swFanStatus", RO, 1));

    DeviceProfile profile = b.Profile();
    auto facts = [profile](const Oid& i) {
        return DefaultPortFacts(profile, static_cast<int>(FirstArc(i)));
    };
    TableDef& t = b.PortTable("1.13.1", "swPortEntry");
    b.Column(t, 1, IndexColumn("swPortIndex", 0));
    b.Column(t, 2, Int("swPortSpeed", RW, kSpeedAuto, {{1, 7}}));
    b.Column(t, 3, IntFn("swPortOperMode", RO, [facts](const Oid& i) {
                 return Value::Int(facts(i).operMode);
             }));
    b.Column(t, 5, Int("swPortFlowControl", RW, 2, {{1, 2}}));
    b.Column(t, 6, Int("swPortOperFlowControl", RO, 2));
    b.Column(t, 7, IntFn("swPortMediaType", RO, [facts](const Oid& i) {
                 return Value::Int(facts(i).mediaType);
             }));
    b.AddPortRows(t);

    TableDef& priority = b.PortTable("12.3.1.1", "swPortPriorityEntry");
    b.Column(priority, 1, IndexColumn("swPortPriorityIndex", 0));
    b.Column(priority, 2, Int("swPortDefaultPriority", RW, 1, {{1, 4}}));
    b.AddPortRows(priority);

    TableDef& security = b.PortTable("14.2.1.1", "swPortSecurityEntry");
    b.Column(security, 1, IndexColumn("swPortSecurityIndex", 0));
    b.Column(security, 2, Int("swPortSecurityState", RW, 2, {{1, 2}}));
    b.AddPortRows(security);

    TableDef& loopback = b.PortTable("17.4.1", "swLoopbackDetectEntry");
    b.Column(loopback, 1, IndexColumn("swLoopbackDetectPort", 0));
    b.Column(loopback, 2, Int("swLoopbackDetectState", RW, 2, {{1, 2}}));
    b.AddPortRows(loopback);
}

// Media types limit the speeds a port accepts, as the switch's port dialog knows them.
bool SpeedFitsMedia(int64_t media, int64_t speed) {
    switch (media) {
    case 1:
        return speed != kSpeed1000Full;
    case 3:
        return speed == kSpeed100Full || speed == kSpeed100Half || speed == kSpeedDisable;
    case 4:
        return speed == kSpeed1000Full || speed == kSpeedAuto || speed == kSpeedDisable;
    default:
        return true;
    }
}

// A speed of Disable takes the port down administratively; any other brings it back.
// Every change of speed, flow control, administrative state or spanning tree enable
// recomputes the port's link.
void AddPortRules(Builder& b) {
    SwitchModel& model = b.Model();
    b.Model().AddRule([&model](Transaction& tx) -> std::optional<SetFailure> {
        const DeviceProfile& profile = model.Profile();
        Oid speedColumn = Private("1.13.1.2");
        std::set<int> ports;
        for (const Oid& changed : tx.ChangedUnder(speedColumn)) {
            int port = static_cast<int>(changed.back());
            int64_t speed = tx.GetNumber(changed);
            if (!profile.allGiga &&
                !SpeedFitsMedia(tx.GetNumber(Private("1.13.1.7") + changed.back()), speed)) {
                return Refuse(tx, changed, ErrorStatus::WrongValue);
            }
            tx.Put(kIfAdminStatus + changed.back(), Value::Int(speed == kSpeedDisable ? 2 : 1));
            ports.insert(port);
        }
        bool anyEnabled = ports.empty();
        for (int port = 1; port <= profile.ports && !anyEnabled; ++port) {
            anyEnabled = tx.GetNumber(speedColumn + static_cast<uint32_t>(port)) != kSpeedDisable;
        }
        if (!anyEnabled) { // the switch would be out of reach
            return Refuse(tx, speedColumn, ErrorStatus::InconsistentValue);
        }
        for (const Oid& column :
             {Private("1.13.1.5"), kIfAdminStatus, kStpPortEnable, Private("6.2.1.4")}) {
            for (const Oid& changed : tx.ChangedUnder(column)) {
                ports.insert(static_cast<int>(changed.back()));
            }
        }
        StoreView view = ViewOf(tx);
        for (int port : ports) {
            if (port >= 1 && port <= profile.ports) {
                RefreshPortLink(model, view, port);
                RefreshPoePort(model, view, port);
            }
        }
        if (!ports.empty()) {
            RefreshPoeTotals(model, view);
        }
        return std::nullopt;
    });
}

void AddSaveAndRebootRules(Builder& b) {
    Oid reboot = b.At("1.9.0"), save = b.At("1.10.0");
    b.Model().AddRule([reboot, save](Transaction& tx) -> std::optional<SetFailure> {
        if (tx.BindingUnder(save) && tx.GetNumber(save) == 1) {
            tx.Raise(kEventSave);
        }
        if (tx.BindingUnder(reboot) && tx.GetNumber(reboot) == 1) {
            tx.Put(reboot, Value::Int(2)); // a trigger, not a setting
            tx.Raise(kEventReboot);
        }
        return std::nullopt;
    });
}

void BuildSpanningTree(Builder& b) {
    b.Scalar("6.1.1", Int("swStpState", RW, 2, {{1, 2}}));
    b.Scalar("6.1.2", Int("swStpVersion", RW, 2, {{0, 0}, {2, 2}}));
    TableDef& t = b.PortTable("6.2.1", "swStpPortEntry");
    b.Column(t, 1, IndexColumn("swStpPortIndex", 0));
    std::vector<Range> priorities;
    for (int v = 0; v <= 240; v += 16) {
        priorities.push_back({v, v});
    }
    b.Column(t, 2, Int("swStpPortPriority", RW, 128, priorities));
    b.Column(t, 4, Int("swStpPortEnable", RW, 1, {{1, 2}}));
    b.Column(t, 5, Int("swStpPortPathCost", RW, 0, {{0, 200000000}}));
    b.Column(t, 14, Int("swStpPortAdminEdge", RW, 2, {{1, 2}}));
    b.Column(t, 16, Int("swStpPortAdminP2P", RW, 2, {{0, 2}}));
    b.Column(t, 17, Int("swStpPortRestrictedRole", RW, 2, {{1, 2}}));
    b.Column(t, 18, Int("swStpPortRestrictedTcn", RW, 2, {{1, 2}}));
    b.AddPortRows(t);
}

// The bridge port table and the private port table describe the same settings; the
// bridge table shows the effective path cost (a private cost of 0 means automatic).
void AddSpanningTreeRule(Builder& b) {
    DeviceProfile profile = b.Profile();
    b.Model().AddRule([profile](Transaction& tx) -> std::optional<SetFailure> {
        auto mirror = [&tx](const Oid& from, const Oid& to) {
            for (const Oid& changed : tx.ChangedUnder(from)) {
                tx.Put(to + changed.back(), *tx.Get(changed));
            }
        };
        mirror(kStpPortPriority, Private("6.2.1.2"));
        mirror(Private("6.2.1.2"), kStpPortPriority);
        mirror(kStpPortEnable, Private("6.2.1.4"));
        mirror(Private("6.2.1.4"), kStpPortEnable);
        for (const Oid& changed : tx.ChangedUnder(Private("6.2.1.5"))) {
            int64_t cost = tx.GetNumber(changed);
            if (cost == 0) {
                auto facts = DefaultPortFacts(profile, static_cast<int>(changed.back()));
                cost = facts.maxSpeed >= 1000000000 ? 20000 : 200000;
            }
            tx.Put(kStpPortPathCost + changed.back(), Value::Int(cost));
        }
        return std::nullopt;
    });
}

void BuildMirroring(Builder& b) {
    b.Scalar("18.1", Int("swMirrorState", RW, 2, {{1, 2}}));
    b.Scalar("18.2", Int("swMirrorTargetPort", RW, 1, {{1, b.Profile().ports}}));
    b.Scalar("18.3", b.PortList("swMirrorRxPorts", RW, {}));
    b.Scalar("18.4", b.PortList("swMirrorTxPorts", RW, {}));
    Oid group = b.At("18"), target = b.At("18.2.0"), rx = b.At("18.3.0"), tx = b.At("18.4.0");
    b.Model().AddRule([=](Transaction& t) -> std::optional<SetFailure> {
        if (!t.BindingUnder(group)) {
            return std::nullopt;
        }
        auto port = static_cast<int>(t.GetNumber(target));
        if (HasPort(t.GetBytes(rx), port) || HasPort(t.GetBytes(tx), port)) {
            auto index = t.BindingUnder(target) ? t.BindingUnder(target) : t.BindingUnder(rx);
            if (!index) {
                index = t.BindingUnder(tx);
            }
            return SetFailure{ErrorStatus::InconsistentValue, index.value_or(0)};
        }
        return std::nullopt;
    });
}

void BuildRateLimits(Builder& b) {
    TableDef& t = b.PortTable("13.1.2.1", "swBandwidthEntry");
    b.Column(t, 1, IndexColumn("swBandwidthPort", 0));
    b.Column(t, 2, Int("swBandwidthTxRate", RW, 0, {{0, 0}, {64, 1024000}}));
    b.Column(t, 3, Int("swBandwidthRxRate", RW, 0, {{0, 0}, {64, 1024000}}));
    b.AddPortRows(t);

    b.Scalar("13.3.1", Int("swStormControlState", RW, 2, {{1, 2}}));
    b.Scalar("13.3.2", Int("swStormControlType", RW, 1, {{1, 3}}));
    b.Scalar("13.3.3", Int("swStormControlThreshold", RW, 64000, {{0, 1024000}}));
    Oid threshold = b.At("13.3.3.0");
    b.Model().AddRule([threshold](Transaction& tx) -> std::optional<SetFailure> {
        if (tx.BindingUnder(threshold) && tx.GetNumber(threshold) % 64 != 0) {
            return Refuse(tx, threshold, ErrorStatus::WrongValue);
        }
        return std::nullopt;
    });

    b.Scalar("14.9.1", Int("swTrafficSegmentationState", RW, 2, {{1, 2}}));
    TableDef& segments = b.PortTable("14.9.2.1", "swTrafficSegmentationEntry");
    b.Column(segments, 1, IndexColumn("swTrafficSegmentationPort", 0));
    b.Column(segments, 2, b.PortList("swTrafficSegmentationForwardPorts", RW, b.AllPorts()));
    b.AddPortRows(segments);
}

void BuildAddressTables(Builder& b) {
    const auto& p = b.Profile();
    b.Scalar("9.2", b.PortList("swAutoLearningPorts", RW, b.AllPorts()));
    TableDef& fdb = b.Table("9.3.1", "swStaticFdbEntry", {NumberIndex(1, 4094), MacIndex()});
    b.Column(fdb, 1, IndexColumn("swStaticFdbVid", 0));
    b.Column(fdb, 2, IndexColumn("swStaticFdbMac", 1, Tag::OctetString));
    b.Column(fdb, 3, Int("swStaticFdbPort", RO, p.ports, {{1, p.ports}}));
    b.Row(fdb, {1, 0x00, 0x1b, 0x2c, 0x00, 0x00, 0xfe});

    TableDef& acl = b.Table("15.2.1.1", "swAclEntry", {NumberIndex(1, 256)});
    b.Column(acl, 1, IndexColumn("swAclEntryId", 0));
    b.Column(acl, 10, b.PortList("swAclEntryPorts", RO, {}));
    b.Row(acl, {1});
}

void BuildTransfers(Builder& b) {
    b.Scalar("3.1", IpAddr("swFirmwareServer", RW, Value::Ip(0, 0, 0, 0)));
    b.Scalar("3.2", Str("swFirmwareFile", RW, "", 64));
    b.Scalar("3.3", Int("swFirmwareOperation", RW, 2, {{1, 2}}));
    b.Scalar("3.4", Int("swFirmwareState", RO, 0));
    b.Scalar("3.5", IpAddr("swConfigServer", RW, Value::Ip(0, 0, 0, 0)));
    b.Scalar("3.6", Str("swConfigFile", RW, "", 64));
    b.Scalar("3.7", Int("swConfigOperation", RW, 2, {{1, 2}}));
    b.Scalar("3.8", Int("swConfigState", RO, 0));
    Oid firmwareOp = b.At("3.3.0"), firmwareState = b.At("3.4.0");
    Oid configOp = b.At("3.7.0"), configState = b.At("3.8.0");
    b.Model().AddRule([=](Transaction& tx) -> std::optional<SetFailure> {
        auto busy = [&tx](const Oid& state) {
            int64_t value = tx.GetNumber(state);
            return value == kTransferRunning || value == kTransferApplying;
        };
        for (auto [op, state, event] :
             {std::tuple{firmwareOp, firmwareState, kEventFirmwareTransfer},
              std::tuple{configOp, configState, kEventConfigTransfer}}) {
            if (!tx.BindingUnder(op)) {
                continue;
            }
            if (busy(firmwareState) || busy(configState)) {
                return Refuse(tx, op, ErrorStatus::InconsistentValue);
            }
            tx.Put(state, Value::Int(kTransferRunning));
            tx.Raise(event);
        }
        return std::nullopt;
    });
}

} // namespace

void BuildPortGroups(Builder& b) {
    BuildDevice(b);
    AddSaveAndRebootRules(b);
    AddPortRules(b);
    BuildSpanningTree(b);
    AddSpanningTreeRule(b);
    BuildMirroring(b);
    BuildRateLimits(b);
    BuildAddressTables(b);
    BuildTransfers(b);
}

} // namespace ksxsim
