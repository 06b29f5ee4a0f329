// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Traffic segmentation: whether it is on, and per port the ports it may forward to.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TrunkInfo.h"
#include "features/common/TypedWalk.h"

#include <optional>
#include <string>

class CSegmentationMib : public CFeatureData {
public:
    // The forwarding port grid, which a refusal of the ports chosen is about.
    static constexpr char kPortsField[] = "ports";
    static std::string StateOid();
    static std::string PortColumn();
    static std::string ForwardingColumn();

    // The forwarding PortList the switch takes from these flags: its length is fixed by the
    // model (12 octets on 52 ports, 8 on 28, whole groups of 32 ports otherwise).
    static std::string ForwardingPortList(const PortFlags& flags, int portCount);

    // The state read last (1 enabled, 2 disabled); empty when it could not be read.
    RequestStatus ReadState();
    const std::optional<long>& State() const { return m_state; }

    // One port's forwarding PortList; the index and the port column as numbers when they are.
    struct Row {
        std::optional<long> index;
        std::optional<long> port;
        std::string forwarding;
    };
    static std::optional<Row> RowOf(const SnmpRow& row);
    // The forwarding ports of `port` as flags (all 0 when the port was not walked).
    PortFlags ForwardingOf(int port, int portCount) const;

    static ApplyPlan PlanState(long state);
    // `ticked`: 1 for every ticked port button. Refused when it splits an aggregated link.
    static ApplyPlan PlanPorts(int fromPort, const PortFlags& ticked, const CTrunkInfo& trunks,
                               int portCount);

    CTypedWalk<Row>& Walk() { return m_cPortWalk; }
    CTrunkInfo& Trunks() { return m_cTrunkInfo; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<Row> m_cPortWalk{m_cCommonSNMPTable, {PortColumn(), ForwardingColumn()}, &RowOf};
    CTrunkInfo m_cTrunkInfo;
    std::optional<long> m_state;
};
