// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/SegmentationMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/PortEncoding.h"

#include <algorithm>

std::string CSegmentationMib::StateOid() {
    return ScalarOid(PrivateOid("14.9.1"));
}
std::string CSegmentationMib::PortColumn() {
    return PrivateOid("14.9.2.1.1");
}
std::string CSegmentationMib::ForwardingColumn() {
    return PrivateOid("14.9.2.1.2");
}

std::string CSegmentationMib::ForwardingPortList(const PortFlags& flags, int portCount) {
    std::string hex = PortFlagsToHex(flags, portCount);
    if (portCount == 52) {
        hex += "00000000000";
    } else if (portCount == 28) {
        hex += "000000000";
    } else {
        hex = PadPortHex(hex, portCount);
    }
    return HexToBytes(hex).value_or(std::string());
}

RequestStatus CSegmentationMib::ReadState() {
    const auto values = ReadValues(m_cCommonSNMP, {StateOid()});
    if (!values || values->empty()) {
        return values ? RequestStatus(-1) : values.Status();
    }
    m_state = IntegerOf(values->front());
    return RequestStatus(0);
}

std::optional<CSegmentationMib::Row> CSegmentationMib::RowOf(const SnmpRow& row) {
    return Row{IntegerOf(row.suffix), IntegerOf(row.Value(0)), row.Value(1)};
}

PortFlags CSegmentationMib::ForwardingOf(int port, int portCount) const {
    PortFlags flags(static_cast<std::size_t>(std::max(0, portCount)), 0);
    const auto& rows = m_cPortWalk.Rows();
    // A switch that lists a port twice: its last row counts.
    const auto found = std::find_if(rows.rbegin(), rows.rend(),
                                    [port](const Row& row) { return row.index == port; });
    if (port >= 1 && found != rows.rend()) {
        PortListToFlags(PortBitsToList(found->forwarding, portCount).text, flags, 1, portCount);
    }
    return flags;
}

ApplyPlan CSegmentationMib::PlanState(long state) {
    ApplyPlan plan;
    plan.Request().Integer(StateOid(), state);
    return plan;
}

ApplyPlan CSegmentationMib::PlanPorts(int fromPort, const PortFlags& ticked,
                                      const CTrunkInfo& trunks, int portCount) {
    ApplyPlan plan;
    CheckChain checks;
    checks
        .RequireAlike([&] { return trunks.Alike(ticked); },
                      "The link aggregation member port can not be configured.")
        .About(kPortsField);
    plan.refusal = checks.FirstRefusal();
    // Without a port to write to (no port chosen) the request stays empty.
    if (!plan.refusal && fromPort >= 1 && fromPort <= portCount) {
        plan.Request().OctetString(InstanceOid(ForwardingColumn(), fromPort),
                                   ForwardingPortList(ticked, portCount));
    }
    return plan;
}
