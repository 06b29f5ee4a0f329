// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The management VLAN: whether it is on and which VLAN carries the switch's management
// traffic. The VLAN ids come from a walk of the VLAN names; a VLAN other than the default one
// must have egress members to be chosen.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TableWalk.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CManagementVlanMib : public CFeatureData {
public:
    // The input a refusal is about: the VLAN chosen.
    static constexpr char kVlanIdField[] = "vlanId";
    static std::string StateOid();
    static std::string VlanIdOid();

    struct Model {
        std::vector<std::string> vlanIds; // walked, in table order
        std::string stateText;            // "1" enabled, "2" disabled, as read
        std::string vlanIdText;
    };

    CManagementVlanMib();

    // Walks the VLAN ids; `done` gets the walk's end status.
    void StartVlanWalk(const QObject* receiver, std::function<void(int status)> done);
    CTableWalk& VlanWalk() { return m_cVlanWalk; }
    // State and VLAN id in one get; false (the model unchanged) when it failed.
    bool ReadState();
    // The name of a VLAN as the switch holds it (UTF-8); nothing when the read failed.
    std::optional<std::string> ReadName(const std::string& vid);
    // How many egress members the VLAN has; nothing when the read failed.
    std::optional<std::size_t> ReadEgressCount(const std::string& vid);

    const Model& Current() const { return m_model; }

    // Apply: the membership rule (the default VLAN always passes) and the one set of state
    // and VLAN id (each only when it has a text).
    static ApplyPlan PlanApply(const std::string& stateText, const std::string& vid,
                               std::optional<std::size_t> egressCount);
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CTableWalk m_cVlanWalk;
    Model m_model;
};
