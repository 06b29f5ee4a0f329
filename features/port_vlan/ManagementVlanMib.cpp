// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/ManagementVlanMib.h"

#include "features/common/SnmpRequests.h"
#include "features/port_vlan/VlanMib.h"
#include "snmp/PortEncoding.h"

std::string CManagementVlanMib::StateOid() {
    return ScalarOid(PrivateOid("7.2"));
}

std::string CManagementVlanMib::VlanIdOid() {
    return ScalarOid(PrivateOid("7.3"));
}

CManagementVlanMib::CManagementVlanMib() : m_cVlanWalk(m_cCommonSNMPTable, {vlan::NameColumn()}) {
    m_cVlanWalk.OnRow(this, [this](const SnmpRow& row) { m_model.vlanIds.push_back(row.suffix); });
}

void CManagementVlanMib::StartVlanWalk(const QObject* receiver,
                                       std::function<void(int status)> done) {
    m_model.vlanIds.clear();
    m_cVlanWalk.OnFinished(receiver, std::move(done));
    m_cVlanWalk.Start();
}

bool CManagementVlanMib::ReadState() {
    const auto values = ReadValues(m_cCommonSNMP, {StateOid(), VlanIdOid()});
    if (!values || values->size() < 2) {
        return false;
    }
    m_model.stateText = (*values)[0];
    m_model.vlanIdText = (*values)[1];
    return true;
}

std::optional<std::string> CManagementVlanMib::ReadName(const std::string& vid) {
    const auto values = ReadValues(m_cCommonSNMP, {InstanceOid(vlan::NameColumn(), vid)});
    if (!values || values->empty()) {
        return std::nullopt;
    }
    return values->front();
}

std::optional<std::size_t> CManagementVlanMib::ReadEgressCount(const std::string& vid) {
    const auto values = ReadValues(m_cCommonSNMP, {InstanceOid(vlan::EgressColumn(), vid)});
    if (!values || values->empty()) {
        return std::nullopt;
    }
    return PortBitsToList(values->front()).count;
}

ApplyPlan CManagementVlanMib::PlanApply(const std::string& stateText, const std::string& vid,
                                        std::optional<std::size_t> egressCount) {
    ApplyPlan plan;
    CheckChain checks;
    checks.Require(vid == "1" || egressCount.value_or(0) > 0, "Management VLAN could not be empty.")
        .About(kVlanIdField);
    plan.refusal = checks.FirstRefusal();
    if (!stateText.empty()) {
        plan.Request().Integer(StateOid(), stateText);
    }
    if (!vid.empty()) {
        plan.Request().Integer(VlanIdOid(), vid);
    }
    return plan;
}
