// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/TrunkInfo.h"

#include "features/common/SnmpRequests.h"
#include "platform/Trace.h"
#include "snmp/SessionParameters.h"

#include <algorithm>
#include <charconv>

namespace {

PortFlags NoTrunks() {
    return PortFlags(static_cast<std::size_t>(std::max(0, DeviceValues().DevicePortCount)), 0);
}

// A trunk group number: a positive decimal index.
int GroupNumber(const std::string& suffix) {
    int group = 0;
    const char* end = suffix.data() + suffix.size();
    const auto [stop, error] = std::from_chars(suffix.data(), end, group);
    return (error == std::errc() && stop == end && group > 0) ? group : 0;
}

std::int32_t ValueAt(const PortFlags& flags, std::size_t index) {
    return index < flags.size() ? flags[index] : 0;
}

} // namespace

std::string CTrunkInfo::TrunkMemberColumn() {
    return PrivateOid("8.1.3.1.2");
}

std::string CTrunkInfo::VlanNameColumn() {
    return PrivateOid("7.6.1.1");
}

std::string CTrunkInfo::VlanRowStatusColumn() {
    return PrivateOid("7.6.1.5");
}

CTrunkInfo::CTrunkInfo() : CTrunkInfo(nullptr, nullptr) {}

CTrunkInfo::CTrunkInfo(CCommonSNMP& trunkSession) : CTrunkInfo(&trunkSession, nullptr) {}

// Named sessions are added (and so closed and traced) in the order trunk, VLAN.
CTrunkInfo::CTrunkInfo(CCommonSNMP* trunkSession, CCommonSNMP* vlanSession)
    : m_cTrunkWalk(trunkSession != nullptr ? *trunkSession : AddSession("m_cCommonSNMPTableTrunk"),
                   {TrunkMemberColumn()}, kStepTimeoutMs),
      m_cVlanWalk(vlanSession != nullptr    ? *vlanSession
                  : trunkSession != nullptr ? m_cSpareVlanSession
                                            : AddSession("m_cCommonSNMPTableVlan"),
                  {VlanNameColumn(), VlanRowStatusColumn()}, kStepTimeoutMs),
      m_TrunkPorts(NoTrunks()) {
    m_cTrunkWalk.OnRow(this, [this](const SnmpRow& row) { AddTrunkRow(row); });
    m_cTrunkWalk.OnFinished(this, [this](int status) { EndTrunkWalk(status); });
    m_cVlanWalk.OnRow(this, [this](const SnmpRow& row) { AddVlanRow(row); });
    m_cVlanWalk.OnFinished(this, [this](int status) { EndVlanWalk(status); });
}

void CTrunkInfo::StartTrunkWalk(const QObject* receiver, std::function<void()> done) {
    m_readingTrunkPorts = NoTrunks();
    if (receiver != nullptr && done) {
        m_trunkWalkDone.Add(receiver, std::move(done));
    }
    m_cTrunkWalk.Start();
}

void CTrunkInfo::ForgetTrunks() {
    m_TrunkPorts = NoTrunks();
    m_bTrunkInfoValid = false;
}

void CTrunkInfo::AddTrunkRow(const SnmpRow& row) {
    const int group = GroupNumber(row.suffix);
    if (group == 0) {
        return;
    }
    PortListToFlags(PortBitsToList(row.Value(0)).text, m_readingTrunkPorts, group);
}

void CTrunkInfo::EndTrunkWalk(int status) {
    if (status == kSnmpEndOfTable) { // a broken walk leaves the membership read last in force
        m_TrunkPorts = std::move(m_readingTrunkPorts);
        m_readingTrunkPorts.clear();
        m_bTrunkInfoValid = true;
    }
    m_trunkWalkDone.NotifyOnce();
}

void CTrunkInfo::StartVlanWalk(const QObject* receiver, std::function<void()> done) {
    m_VlanIds.clear();
    m_VlanNames.clear();
    m_VlanRowStatus.clear();
    m_bVlanInfoValid = false;
    if (receiver != nullptr && done) {
        m_vlanWalkDone.Add(receiver, std::move(done));
    }
    m_cVlanWalk.Start();
}

void CTrunkInfo::EndVlanWalk(int status) {
    m_bVlanInfoValid = status == kSnmpEndOfTable;
    m_vlanWalkDone.NotifyOnce();
}

void CTrunkInfo::AddVlanRow(const SnmpRow& row) {
    m_VlanIds.push_back(row.suffix);
    m_VlanNames.push_back(row.Value(0));
    m_VlanRowStatus.push_back(row.Value(1));
}

int CTrunkInfo::TrunkGroupOf(int port) const {
    return port >= 1 ? ValueAt(m_TrunkPorts, static_cast<std::size_t>(port - 1)) : 0;
}

std::optional<bool> CTrunkInfo::Alike(const PortFlags& values) const {
    if (!m_bTrunkInfoValid) {
        return std::nullopt;
    }
    return CheckTrunkConsistency(values) != 0;
}

int CTrunkInfo::CheckTrunkConsistency(const PortFlags& values) const {
    if (!m_bTrunkInfoValid) {
        return 0;
    }
    for (std::size_t i = 0; i < m_TrunkPorts.size(); ++i) {
        platform::DebugTrace("m_TrunkPorts[" + std::to_string(i) +
                             "] = " + std::to_string(m_TrunkPorts[i]));
    }
    for (std::size_t i = 0; i < m_TrunkPorts.size(); ++i) {
        const std::int32_t value = ValueAt(values, i);
        if (value == 0 || m_TrunkPorts[i] == 0) {
            continue;
        }
        for (std::size_t other = 0; other < m_TrunkPorts.size(); ++other) {
            if (m_TrunkPorts[other] == m_TrunkPorts[i] && ValueAt(values, other) != value) {
                return 0;
            }
        }
    }
    return 1;
}
