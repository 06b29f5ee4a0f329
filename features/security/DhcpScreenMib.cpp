// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/DhcpScreenMib.h"

#include "features/common/Messages.h"
#include "features/common/SnmpRequests.h"
#include "snmp/InputChecks.h"
#include "snmp/PortEncoding.h"
#include "snmp/SessionParameters.h"
#include "snmp/TextParsing.h"

#include <algorithm>

namespace dhcp {

std::string TrustedPortsOid() {
    return ScalarOid(PrivateOid("14.7.1"));
}

std::string ServerColumn(int column) {
    return PrivateOid("14.7.2.1." + std::to_string(column));
}

ServerRow ServerRowOf(const SnmpRow& row) {
    ServerRow server;
    server.index = IntegerOf(row.Value(0)).value_or(IntegerOf(row.suffix).value_or(0));
    server.ip = IpToNumber(row.Value(1)) ? row.Value(1) : std::string();
    server.status = IntegerOf(row.Value(2));
    return server;
}

ApplyPlan
PlanTrustedPorts(const std::string& text, int portCount,
                 const std::function<std::optional<bool>(const PortFlags&)>& trunkConsistent) {
    ApplyPlan plan;
    std::optional<PortFlags> ports;
    if (text_parsing::TrimBlanks(text).empty()) {
        ports = PortFlags(static_cast<std::size_t>(std::max(portCount, 0)), 0);
    } else {
        ports = PortRangesToFlags(text, portCount);
    }
    CheckChain checks;
    checks.Require(ports.has_value(), "Invalid Port list")
        .About(kTrustedPortsField)
        .RequireAlike([&] { return trunkConsistent(*ports); },
                      "The link aggregation member port can not be configured.")
        .About(kTrustedPortsField);
    plan.refusal = checks.FirstRefusal();
    if (!plan.refusal) {
        plan.Request().OctetString(TrustedPortsOid(), PortFlagsToPortList(*ports));
    }
    return plan;
}

std::optional<Refusal> CheckServer(int filledFields, const std::string& dotted,
                                   const std::vector<ServerRow>& listed) {
    CheckChain checks;
    checks.Require(filledFields == 4, "Invalid IP address.")
        .About(kServerField)
        .Require([&] { return CheckHostIp(dotted); }, "Invalid server IP address.")
        .About(kServerField)
        .Require(listed.size() < static_cast<std::size_t>(kMaxServers), "The maximum entries is 5.")
        .Require(std::none_of(listed.begin(), listed.end(),
                              [&](const ServerRow& row) { return row.ip == dotted; }),
                 "Duplicate server IP address.");
    return checks.FirstRefusal();
}

long FreeServerIndex(const std::vector<ServerRow>& rows) {
    for (long index = 1; index <= kMaxServers; ++index) {
        if (std::none_of(rows.begin(), rows.end(),
                         [&](const ServerRow& row) { return row.index == index; })) {
            return index;
        }
    }
    return 0;
}

} // namespace dhcp

using namespace dhcp;

CDhcpScreenMib::CDhcpScreenMib()
    : m_cWalk(m_cCommonSNMPTable, {ServerColumn(1), ServerColumn(2), ServerColumn(3)}) {}

CDhcpScreenMib::~CDhcpScreenMib() = default;

std::optional<std::string> CDhcpScreenMib::ReadTrustedPorts() {
    const auto values = ReadValues(m_cCommonSNMP, {TrustedPortsOid()});
    if (!values) {
        return std::nullopt;
    }
    m_strTrustedPorts = PortBitsToRanges((*values)[0], 1, DeviceValues().DevicePortCount).text;
    return m_strTrustedPorts;
}

ApplyPlan CDhcpScreenMib::PlanTrusted(const std::string& text) {
    return PlanTrustedPorts(text, DeviceValues().DevicePortCount,
                            [this](const PortFlags& ports) { return m_cTrunkInfo.Alike(ports); });
}

void CDhcpScreenMib::StartWalk(const QObject* receiver, std::function<void(const ServerRow&)> row,
                               std::function<void(int)> done) {
    m_cWalk.OnRow(receiver, [row = std::move(row)](const SnmpRow& r) { row(ServerRowOf(r)); });
    m_cWalk.OnFinished(receiver, std::move(done));
    m_cWalk.Start();
}

ApplyPlan CDhcpScreenMib::PlanServerAdd(long index, const std::string& ip) {
    ApplyPlan plan;
    if (index >= 1 && index <= kMaxServers) {
        RowCreation& row = plan.row.emplace();
        row.statusOid = InstanceOid(ServerColumn(3), static_cast<int>(index));
        row.values = {
            CSetRequest().IpAddress(InstanceOid(ServerColumn(2), static_cast<int>(index)), ip)};
    }
    return plan;
}

ApplyPlan CDhcpScreenMib::PlanServerDelete(long index) {
    ApplyPlan plan;
    if (index >= 1 && index <= kMaxServers) {
        plan.Step(CSetRequest().Integer(InstanceOid(ServerColumn(3), static_cast<int>(index)), 6));
    }
    return plan;
}
