// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The groups of the layer 2 dialogs that hold tables: spanning tree, multicast filtering, IGMP
// snooping.
#include "features/l2/IgmpMib.h"
#include "features/l2/MulticastFilterMib.h"
#include "features/l2/SpanningTreeMib.h"
#include "features/snapshot/GroupParts.h"

namespace snapshot {
namespace {

// The bridge settings in the background, then the port table.
class CSpanningTreeGroup : public CGroup {
public:
    CSpanningTreeGroup() : CGroup({"Device Manager", "L2 Function", "Spanning Tree"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        m_cMib.StartBridgeRead([this, done = std::move(done)](bool read) mutable {
            if (!read) {
                done(false);
                return;
            }
            AddBridge();
            ReadWalk(
                m_cMib.PortWalk().Walk(), [this] { AddPorts(); }, std::move(done));
        });
    }

private:
    void AddBridge() {
        const stp::Bridge& bridge = m_cMib.CurrentBridge();
        Add("Enable RSTP", StateText(bridge.rstpState));
        Add("STP Version", EnumText(stp::Versions(), bridge.version));
        Add("Age Time(600-4000)", NumberText(bridge.maxAge));
        Add("Delay(400-3000)", NumberText(bridge.forwardDelay));
        Add("Hello Time(100-1000)", NumberText(bridge.helloTime));
        Add("Priority", NumberText(bridge.priority));
    }

    void AddPorts() {
        for (const stp::PortRow& row : m_cMib.PortWalk().Rows()) {
            if (!row.port || row.cells.size() < 4) {
                continue;
            }
            const std::string port = PortRow(*row.port);
            Add("Priority", row.cells[1], port);
            Add("Cost", row.cells[2], port);
            Add("Enable", row.cells[3], port);
        }
    }

    CSpanningTreeMib m_cMib;
};

class CMulticastFilterGroup : public CGroup {
public:
    CMulticastFilterGroup()
        : CGroup({"Device Manager", "L2 Function", "Multicast Filtering Mode configuration"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        ReadWalk(
            m_cMib.Walk().Walk(), [this] { AddRows(); }, std::move(done));
    }

private:
    void AddRows() {
        for (const CMulticastFilterMib::Row& row : m_cMib.Rows()) {
            Add("Multicast Filtering Mode", EnumText(CMulticastFilterMib::Modes(), row.mode),
                "VLAN " + std::to_string(row.vid));
        }
    }

    CMulticastFilterMib m_cMib;
};

class CIgmpGroup : public CGroup {
public:
    CIgmpGroup() : CGroup({"Device Manager", "L2 Function", "IGMP Snooping Configuration"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        if (!m_cMib.ReadGlobal()) {
            done(false);
            return;
        }
        const CIgmpMib::Global& global = m_cMib.CurrentGlobal();
        Add("Enable IGMP Snooping", EnumText(igmp::States(), global.state));
        for (size_t timer = 0; timer < igmp::kTimerCount; ++timer) {
            Add(LabelText(igmp::Timers()[timer].label), NumberText(global.timers[timer]));
        }
        ReadWalk(
            m_cMib.VlanWalk().Walk(), [this] { AddVlans(); }, std::move(done));
    }

private:
    void AddVlans() {
        for (const igmp::VlanRow& row : m_cMib.VlanRows()) {
            const std::string vlan = "VLAN " + std::to_string(row.vid);
            Add("State", EnumText(igmp::States(), row.state), vlan);
            Add("Querier State", EnumText(igmp::States(), row.querier), vlan);
            Add("Fast Leave", EnumText(igmp::States(), row.fastLeave), vlan);
            Add("Static Router Ports", PortsText(row.routerPorts), vlan);
        }
    }

    CIgmpMib m_cMib;
};

} // namespace

std::unique_ptr<CGroup> MakeSpanningTreeGroup() {
    return std::make_unique<CSpanningTreeGroup>();
}

std::unique_ptr<CGroup> MakeMulticastFilterGroup() {
    return std::make_unique<CMulticastFilterGroup>();
}

std::unique_ptr<CGroup> MakeIgmpGroup() {
    return std::make_unique<CIgmpGroup>();
}

} // namespace snapshot
