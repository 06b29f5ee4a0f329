// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/ArpSpoofMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/AddressEncoding.h"
#include "snmp/InputChecks.h"
#include "snmp/PortEncoding.h"
#include "snmp/SessionParameters.h"

#include <algorithm>
#include <iterator>

namespace arp {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::string Column(int column) {
    return PrivateOid("14.3.1.1." + std::to_string(column));
}

GatewayRow GatewayRowOf(const SnmpRow& row, int portCount) {
    GatewayRow gateway;
    gateway.ip = IpToNumber(row.Value(0)) ? row.Value(0) : std::string();
    gateway.mac = FormatMacDash(row.Value(1));
    gateway.ports = PortBitsToRanges(row.Value(2), 1, portCount).text;
    gateway.status = IntegerOf(row.Value(3));
    return gateway;
}

std::optional<Refusal>
CheckEntry(const std::vector<GatewayRow>& listed, const std::string& ip, const std::string& mac,
           const PortFlags& ports,
           const std::function<std::optional<bool>(const PortFlags&)>& trunkConsistent) {
    const auto listedWith = [&](bool sameMac) {
        return std::any_of(listed.begin(), listed.end(), [&](const GatewayRow& row) {
            return row.ip == ip && (!sameMac || SameIgnoringCase(row.mac, mac));
        });
    };
    const bool anyPort = std::any_of(ports.begin(), ports.end(), [](auto flag) { return flag; });
    CheckChain checks;
    checks.Require([&] { return !listedWith(true); }, "Duplicate MAC and IP.")
        .About(kGatewayIpField)
        .Require([&] { return !listedWith(false); }, "Duplicate IP.")
        .About(kGatewayIpField)
        .Require(anyPort, "please select one port at least.")
        .RequireAlike(
            [&] { return trunkConsistent(ports); },
            "ARP Spoofing Prevention enabled port must match to the aggregated link port.");
    return checks.FirstRefusal();
}

} // namespace arp

using namespace arp;

CArpSpoofMib::CArpSpoofMib()
    : m_cWalk(m_cCommonSNMPTable, {Column(1), Column(2), Column(3), Column(4)},
              [](const SnmpRow& row) -> std::optional<GatewayRow> {
                  GatewayRow gateway = GatewayRowOf(row, DeviceValues().DevicePortCount);
                  if (gateway.status != 1) {
                      return std::nullopt; // not in service
                  }
                  return gateway;
              }) {}

CArpSpoofMib::~CArpSpoofMib() = default;

ApplyPlan CArpSpoofMib::PlanDelete(const std::string& ip) {
    ApplyPlan plan;
    if (IpToNumber(ip)) {
        plan.Step(CSetRequest().Integer(InstanceOid(Column(4), ip), 6), 0, kPauseMs);
    }
    return plan;
}

ApplyPlan CArpSpoofMib::PlanAdd(const std::string& ip, const std::string& mac,
                                const PortFlags& ports) {
    ApplyPlan plan;
    std::string digits;
    std::copy_if(mac.begin(), mac.end(), std::back_inserter(digits),
                 [](char c) { return c != '-'; });
    const auto macBytes = HexToBytes(digits, 6);
    if (!IpToNumber(ip) || !macBytes || macBytes->size() != 6) {
        return plan;
    }
    RowCreation& row = plan.row.emplace();
    row.statusOid = InstanceOid(Column(4), ip);
    row.values = {CSetRequest()
                      .OctetString(InstanceOid(Column(2), ip), *macBytes)
                      .OctetString(InstanceOid(Column(3), ip), PortFlagsToPortList(ports))};
    row.pauseMs = kPauseMs;
    return plan;
}
