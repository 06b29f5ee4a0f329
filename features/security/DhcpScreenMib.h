// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// DHCP server screening: the ports on which DHCP servers are trusted, and up to five trusted
// DHCP server addresses.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TableWalk.h"
#include "features/common/TrunkInfo.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dhcp {

inline constexpr int kMaxServers = 5;
// The inputs a refusal is about: the trusted ports text and the server address.
inline constexpr char kTrustedPortsField[] = "trustedPorts";
inline constexpr char kServerField[] = "server";

std::string TrustedPortsOid();
// Columns of the server table: 1 index, 2 address, 3 row status.
std::string ServerColumn(int column);

struct ServerRow {
    long index = 0;
    std::string ip;
    std::optional<long> status;
};
ServerRow ServerRowOf(const SnmpRow& row);

// The trusted-port text as flags: a port range list, an empty text trusting no port
// ("Invalid Port list" otherwise), whose aggregated links are taken whole ("The link
// aggregation member port can not be configured."); the write of the ports.
ApplyPlan
PlanTrustedPorts(const std::string& text, int portCount,
                 const std::function<std::optional<bool>(const PortFlags&)>& trunkConsistent);

// The checks of a new server against the listed (active) servers.
std::optional<Refusal> CheckServer(int filledFields, const std::string& dotted,
                                   const std::vector<ServerRow>& listed);
// The lowest index from 1 to 5 that no row of the switch uses; 0 when all are taken.
long FreeServerIndex(const std::vector<ServerRow>& rows);

} // namespace dhcp

class CDhcpScreenMib : public CFeatureData {
public:
    CDhcpScreenMib();
    ~CDhcpScreenMib() override;

    // Reads the trusted ports as range text and keeps it as the text last read.
    std::optional<std::string> ReadTrustedPorts();
    const std::string& TrustedPortsRead() const { return m_strTrustedPorts; }
    // The trusted ports typed, checked against the trunk membership read.
    ApplyPlan PlanTrusted(const std::string& text);

    CTableWalk& Walk() { return m_cWalk; }
    void StartWalk(const QObject* receiver, std::function<void(const dhcp::ServerRow&)> row,
                   std::function<void(int)> done);
    CTrunkInfo& TrunkInfo() { return m_cTrunkInfo; }

    // A server as the new row `index` (its address, then active); nothing outside 1 to 5.
    static ApplyPlan PlanServerAdd(long index, const std::string& ip);
    // The server row `index` destroyed; nothing outside 1 to 5.
    static ApplyPlan PlanServerDelete(long index);
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTableWalk m_cWalk;
    CTrunkInfo m_cTrunkInfo;
    std::string m_strTrustedPorts;
};
