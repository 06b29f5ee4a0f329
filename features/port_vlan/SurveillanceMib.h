// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The auto surveillance VLAN: the switch-wide settings, what they are checked against (the
// VLAN mode, the voice VLAN and its OUIs, the existing VLANs, the trunks), and the user's
// surveillance devices recognised by MAC address or OUI.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TrunkInfo.h"
#include "features/common/TypedWalk.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

class CSurveillanceMib : public CFeatureData {
public:
    // The inputs a refusal is about.
    static constexpr char kVlanIdField[] = "vlanId";
    static constexpr char kPortsField[] = "ports";
    static constexpr char kDescriptionField[] = "description";
    static constexpr char kAddressField[] = "address";
    static constexpr long kEnabled = 1;
    static constexpr long kDisabled = 2;
    static constexpr long kKindMac = 0;
    static constexpr long kKindOui = 1;
    static constexpr unsigned kPauseMs = 50;
    // The built-in camera OUI, which stays.
    static constexpr char kBuiltInAddress[] = "02-5E-A7-00-00-00";

    static const CEnumTable& Priorities();
    static const CEnumTable& ComponentTypes();
    static const CEnumTable& MatchKinds();

    // What the global Apply is checked against.
    struct Context {
        std::optional<long> asymmetricVlan;
        std::optional<long> voiceState;
        std::optional<long> voiceVlan;
    };
    struct Global {
        std::optional<long> state;
        std::optional<long> vlanId;
        std::optional<long> priority;
        std::string taggedPorts; // PortList octets
    };
    struct GlobalInput {
        long state = kDisabled; // or a value the switch reported
        std::optional<long long> vlanId;
        long priority = 0;
        std::string ports; // range text as typed
    };
    struct Device {
        std::string index; // ".a.b.c.d.e.f"
        std::optional<long> type;
        std::string description; // UTF-8
        std::string address;     // "XX-XX-XX-XX-XX-XX", empty when the switch sent no MAC
    };
    struct DeviceInput {
        long type = 0;
        QString description;
        long kind = kKindMac;
        std::string address; // as typed
    };

    CSurveillanceMib();

    // The asymmetric VLAN and voice VLAN states the checks of Apply use; ContextRead() stays
    // false until a read succeeded.
    bool ReadContext();
    bool ContextRead() const { return m_bContextRead; }
    bool ReadGlobal();
    const Context& CurrentContext() const { return m_context; }
    const Global& CurrentGlobal() const { return m_global; }
    void SetContext(const Context& context) {
        m_context = context;
        m_bContextRead = true;
    }
    void SetGlobal(const Global& global) { m_global = global; }

    CTrunkInfo& TrunkInfo() { return m_cTrunkInfo; }
    const CTrunkInfo& TrunkInfo() const { return m_cTrunkInfo; }
    // The OUIs of the voice VLAN table, which a new device's OUI must not repeat: read afresh
    // by StartVoiceOuiRead, or one known otherwise added.
    CTableWalk& VoiceOuiWalk() { return m_cVoiceOuiWalk; }
    void StartVoiceOuiRead();
    void AddVoiceOui(std::string octets) { m_voiceOuis.push_back(std::move(octets)); }
    CTypedWalk<Device>& DeviceWalk() { return m_cDeviceWalk; }
    static std::optional<Device> DeviceOf(const SnmpRow& row);

    // The global Apply; the VLANs known are the ids of the VLAN table.
    ApplyPlan PlanGlobal(const GlobalInput& input, const std::vector<std::string>& vlanIds) const;
    // Turning the feature on tells PoE models that their members get power.
    bool ShowsPoeNotice(const GlobalInput& input) const;
    // The refusal, or the row made with createAndGo and then its values, a pause after each.
    ApplyPlan PlanAdd(const DeviceInput& input) const;
    // The row destroyed, a pause after it.
    ApplyPlan PlanDelete(const Device& device) const;
    // Why the picked device cannot be deleted, if it cannot.
    std::optional<Refusal> DeleteRefusal(const Device* picked) const;

    // createAndGo, a pause, the details, a pause. False when a step failed.

    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CCommonSNMP& m_cCommonSNMPTableOui = AddSession("m_cCommonSNMPTableOui");
    CTypedWalk<Device> m_cDeviceWalk;
    CTableWalk m_cVoiceOuiWalk;
    CTrunkInfo m_cTrunkInfo;

    Context m_context;
    bool m_bContextRead = false;
    Global m_global;
    std::vector<std::string> m_voiceOuis; // OUI octets of the voice VLAN table
};
