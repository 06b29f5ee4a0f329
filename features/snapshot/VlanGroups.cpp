// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The groups of the VLAN dialogs: 802.1Q VLANs with the PVIDs, and the surveillance VLAN.
#include "features/port_vlan/SurveillanceMib.h"
#include "features/port_vlan/VlanMib.h"
#include "features/snapshot/GroupParts.h"
#include "snmp/SessionParameters.h"

namespace snapshot {
namespace {

// The mode, then the PVID, interface and VLAN walks one after the other: the group ends with
// the VLAN walk and has failed when any of them did not reach the end of its table.
class CVlanGroup : public CGroup {
public:
    CVlanGroup() : CGroup({"Device Manager", "VLAN", "VLAN Configuration"}) {
        const std::vector<CTableWalk*> walks = m_cMib.Walks();
        for (size_t i = 0; i + 1 < walks.size(); ++i) {
            walks[i]->OnFinished(Receiver(), [this](int status) {
                m_walkFailed = m_walkFailed || status != kSnmpEndOfTable;
            });
        }
    }

    void Start(std::function<void(bool)> done) override {
        Clear();
        m_walkFailed = false;
        if (!m_cMib.ReadMode()) {
            done(false);
            return;
        }
        WhenWalkEnds(
            *m_cMib.Walks().back(), [this] { AddSettings(); },
            [this, done = std::move(done)](bool answered) { done(answered && !m_walkFailed); });
        m_cMib.StartWalks([](const vlan::VlanRecord&) {}, [] {});
    }

private:
    void AddSettings() {
        static const CEnumTable kModes{{vlan::kModeAsymmetric, "Enabled", ""},
                                       {vlan::kModeSymmetric, "Disabled", ""}};
        const CVlanMib::Model& model = m_cMib.Current();
        Add("Enable Asymmetric VLAN", EnumText(kModes, model.mode));
        const int ports = DeviceValues().DevicePortCount;
        for (int port = 1; port <= ports && port <= static_cast<int>(model.pvids.size()); ++port) {
            Add("PVID", std::to_string(model.pvids[port - 1]), PortRow(port));
        }
        for (const vlan::VlanRecord& record : model.vlans) {
            const std::string row = "VLAN " + std::to_string(record.id);
            Add("VLAN Name", SwitchText(record.name), row);
            Add("Egress Port Member", record.egress.text, row);
            Add("Untag Port Member", record.untagged.text, row);
        }
    }

    CVlanMib m_cMib;
    bool m_walkFailed = false;
};

// The user-defined devices are keyed by their MAC address.
class CSurveillanceGroup : public CGroup {
public:
    CSurveillanceGroup() : CGroup({"Device Manager", "VLAN", "Auto Surveillance VLAN Setting"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        if (!m_cMib.ReadGlobal()) {
            done(false);
            return;
        }
        const CSurveillanceMib::Global& global = m_cMib.CurrentGlobal();
        Add("Enable Auto Surveillance VLAN", StateText(global.state));
        Add("Vlan ID", NumberText(global.vlanId));
        Add("Priority", EnumText(CSurveillanceMib::Priorities(), global.priority));
        Add("Tagged Uplink/Downlink Port", PortsText(global.taggedPorts));
        ReadWalk(
            m_cMib.DeviceWalk().Walk(), [this] { AddDevices(); }, std::move(done));
    }

private:
    void AddDevices() {
        for (const CSurveillanceMib::Device& device : m_cMib.DeviceWalk().Rows()) {
            const std::string row = "MAC " + device.address;
            Add("Component Type", EnumText(CSurveillanceMib::ComponentTypes(), device.type), row);
            Add("Description", SwitchText(device.description), row);
        }
    }

    CSurveillanceMib m_cMib;
};

} // namespace

std::unique_ptr<CGroup> MakeVlanGroup() {
    return std::make_unique<CVlanGroup>();
}

std::unique_ptr<CGroup> MakeSurveillanceGroup() {
    return std::make_unique<CSurveillanceGroup>();
}

} // namespace snapshot
