// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ARP spoofing prevention: the protected gateways (IP, MAC and the ports on which they are
// protected), at most 64 of them.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TrunkInfo.h"
#include "features/common/TypedWalk.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace arp {

// The inputs a refusal of an entry is about: the gateway's address and MAC.
inline constexpr char kGatewayIpField[] = "gatewayIp";
inline constexpr char kGatewayMacField[] = "gatewayMac";

inline constexpr int kMaxEntries = 64;
inline constexpr char kMaximumRefusal[] = "The Maximum of Entry is 64, can not add any more";
inline constexpr char kQuestion[] =
    "Make sure the host IP and MAC exists or you will lose the connection.";

// Columns of the gateway table, indexed by the gateway IP: 1 IP, 2 MAC, 3 ports, 4 row status.
std::string Column(int column);

struct GatewayRow {
    std::string ip;    // dotted
    std::string mac;   // "00-1B-2C-00-00-01"
    std::string ports; // range text, "1-4,7"
    std::optional<long> status;
};
GatewayRow GatewayRowOf(const SnmpRow& row, int portCount);

// The checks after the address entry check: duplicates of a listed row, a port selected, and
// the members of an aggregated link selected alike (`trunkConsistent` of the selection).
std::optional<Refusal>
CheckEntry(const std::vector<GatewayRow>& listed, const std::string& ip, const std::string& mac,
           const PortFlags& ports,
           const std::function<std::optional<bool>(const PortFlags&)>& trunkConsistent);

} // namespace arp

class CArpSpoofMib : public CFeatureData {
public:
    static constexpr unsigned kPauseMs = 50;

    CArpSpoofMib();
    ~CArpSpoofMib() override;

    // The active entries, in table order (a row not in service is not kept).
    CTypedWalk<arp::GatewayRow>& Walk() { return m_cWalk; }
    const std::vector<arp::GatewayRow>& Entries() const { return m_cWalk.Rows(); }
    CTrunkInfo& TrunkInfo() { return m_cTrunkInfo; }

    // The entry's row destroyed, a pause after it; nothing for a malformed address.
    static ApplyPlan PlanDelete(const std::string& ip);
    // The entry as a new row (MAC and ports, then active), a pause after each step; nothing
    // for a malformed address.
    static ApplyPlan PlanAdd(const std::string& ip, const std::string& mac, const PortFlags& ports);
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<arp::GatewayRow> m_cWalk;
    CTrunkInfo m_cTrunkInfo;
};
