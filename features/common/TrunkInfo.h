// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Which ports are aggregated into trunks, and the list of VLANs: the lookup that many feature
// data classes embed to treat the members of one trunk alike.
#pragma once

#include "features/common/FeatureData.h"
#include "features/common/TableWalk.h"
#include "snmp/PortEncoding.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CTrunkInfo : public CFeatureData {
public:
    static constexpr unsigned kStepTimeoutMs = 6000;
    // One PortList per trunk group; the row index is the group number.
    static std::string TrunkMemberColumn();
    static std::string VlanNameColumn();
    static std::string VlanRowStatusColumn();

    // Every port outside any trunk until the first trunk walk has ended. The walks use two
    // sessions of this object's own ("m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan").
    CTrunkInfo();
    // The trunk walk uses `trunkSession`, which the owner closes (and traces, if it does);
    // this object then has no session of its own and writes no line when it ends.
    explicit CTrunkInfo(CCommonSNMP& trunkSession);

    // Walks the trunk member table in the background. The membership read last stays in
    // force until the walk reaches the end of the table; then the new one replaces it and the
    // trunk information is valid. `done` runs on the UI thread when the walk has ended, unless
    // `receiver` is gone by then; a walk started again before it ended calls every `done` of
    // the starts before it too, when it ends.
    void StartTrunkWalk(const QObject* receiver = nullptr, std::function<void()> done = {});
    // Walks the VLAN table in the background, refilling the VLAN ids (the row indexes), names
    // and row statuses row by row; `done` as above.
    void StartVlanWalk(const QObject* receiver = nullptr, std::function<void()> done = {});
    CTableWalk& VlanWalk() { return m_cVlanWalk; }
    // The VLAN list is complete: its last walk reached the end of the table.
    bool IsVlanInfoValid() const { return m_bVlanInfoValid; }

    // Every port outside any trunk again, the information not valid, until a walk ends.
    void ForgetTrunks();
    CTableWalk& TrunkWalk() { return m_cTrunkWalk; }

    bool IsTrunkInfoValid() const { return m_bTrunkInfoValid; }
    // Trunk group per port, entry p-1 for port p, 0 outside any trunk.
    const PortFlags& TrunkPorts() const { return m_TrunkPorts; }
    // The trunk group of `port` (1-based), 0 outside any trunk or the port range.
    int TrunkGroupOf(int port) const;

    const std::vector<std::string>& VlanIds() const { return m_VlanIds; }
    const std::vector<std::string>& VlanNames() const { return m_VlanNames; }
    const std::vector<std::string>& VlanRowStatus() const { return m_VlanRowStatus; }

    // `values` holds one value per port (0 = port not selected). Fails (0) when a selected
    // port of a trunk group differs from another port of the same group, and while the trunk
    // information is not valid (half of an aggregated link must never be written because the
    // membership was not known); passes (1) otherwise. Writes "m_TrunkPorts[i] = g" for every
    // port before checking.
    int CheckTrunkConsistency(const PortFlags& values) const;
    // The check as the rules take it (CheckChain::RequireAlike): nothing while the trunk
    // information is not valid, else whether the check passes.
    std::optional<bool> Alike(const PortFlags& values) const;

private:
    void AddTrunkRow(const SnmpRow& row);
    void EndTrunkWalk(int status);
    void AddVlanRow(const SnmpRow& row);
    void EndVlanWalk(int status);

    CTrunkInfo(CCommonSNMP* trunkSession, CCommonSNMP* vlanSession);

    // Without sessions of its own the VLAN walk runs on this untraced one.
    CCommonSNMP m_cSpareVlanSession;
    CTableWalk m_cTrunkWalk;
    CTableWalk m_cVlanWalk;

    PortFlags m_TrunkPorts;
    PortFlags m_readingTrunkPorts;
    bool m_bTrunkInfoValid = false;
    bool m_bVlanInfoValid = false;
    CListeners<> m_trunkWalkDone;
    CListeners<> m_vlanWalkDone;
    std::vector<std::string> m_VlanIds;
    std::vector<std::string> m_VlanNames;
    std::vector<std::string> m_VlanRowStatus;
};
