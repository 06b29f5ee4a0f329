// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Spanning tree: the bridge's settings and state, and the port table. Times are hundredths
// of a second. A bridge takes new timers only while
//     2 * (forward delay - 100) >= max age >= 2 * (hello time + 100),
// so the timers are written in an order that keeps every step inside that relation.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/BackgroundRequest.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TrunkInfo.h"
#include "features/common/TypedWalk.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace stp {

// The inputs a refusal of the bridge settings is about.
inline constexpr char kAgeField[] = "age";
inline constexpr char kDelayField[] = "delay";
inline constexpr char kHelloField[] = "hello";

std::string BridgeOid(const char* tail); // 1.3.6.1.2.1.17.2 + tail + ".0"
std::string RstpStateOid();
std::string VersionOid();
// Column n (1..10) of the bridge port table.
std::string PortColumn(int n);
std::string PortCostColumn(); // the private path cost that is written (0 = automatic)

// 2 "RSTP", 0 "STP Compatible".
const CEnumTable& Versions();
// 1 "Disabled" ... 6 "Token".
const CEnumTable& PortStates();

// Eight octets as "%02X:%02X:...", empty when the value is not eight octets.
std::string BridgeIdText(const std::string& octets);
// Two octets as "%02X %02X", empty otherwise.
std::string DesignatedPortText(const std::string& octets);
// 1 "Y", anything else "N".
std::string EnableText(const std::string& value);
// The texts of one port table row (the ten columns as walked or read), in column order.
std::vector<std::string> PortCells(const std::vector<std::string>& values);
// One row of the port table: its port (nothing when the switch sent no number) and its texts.
struct PortRow {
    std::optional<long> port;
    std::vector<std::string> cells;
};
std::optional<PortRow> PortRowOf(const SnmpRow& row);

struct Bridge {
    std::optional<long> rstpState; // 1 enabled, 2 disabled
    std::optional<long> version;
    std::optional<long> priority;
    std::optional<long> maxAge, helloTime, forwardDelay; // the bridge's settings
    // Shown as read: time since the last topology change, changes, designated root, root
    // port, and the timers in use.
    std::string topoChangeTime, topoChanges, designatedRoot, rootPort;
    std::string currentHello, holdTime, currentDelay;
};

struct BridgeInput {
    bool enabled = false;
    long version = 2;
    long priority = 32768;
    std::optional<long long> age, delay, hello; // as typed
};

// The first refusal of the bridge input (ranges, then the two relations).
std::optional<Refusal> CheckBridge(const BridgeInput& input);
// The writes of an accepted input, in order. `wasEnabled`: RSTP was on at the last read.
std::vector<SetStep> BridgeSteps(const BridgeInput& input, bool wasEnabled);
// The refusal, or the steps.
ApplyPlan PlanBridge(const BridgeInput& input, bool wasEnabled);

struct PortInput {
    int port = 1;
    long priority = 128;
    std::optional<long long> cost; // as typed
    bool enabled = true;
};
// What the port dialog read last of the port.
struct PortValues {
    std::optional<long> priority, cost, enable;
};
// The refusal (cost range; a trunk member whose settings would differ), or the request.
// A trunk member whose settings stay as they were gets neither.
ApplyPlan PlanPort(const PortInput& input, const PortValues& lastRead, bool trunkMember);

} // namespace stp

class CSpanningTreeMib : public CFeatureData {
public:
    static constexpr unsigned kEnableTimeoutMs = 3500;

    CSpanningTreeMib();

    // Reads the bridge settings in one background get (a silent switch does not hold the UI
    // thread); `done` runs on the UI thread, with true when they arrived. A read still under
    // way is dropped.
    void StartBridgeRead(std::function<void(bool read)> done);
    const stp::Bridge& CurrentBridge() const { return m_bridge; }

    // Reads the row of one port: the ten columns' values, or the failure.
    SnmpResult<std::vector<std::string>> ReadPort(int port);

    CTypedWalk<stp::PortRow>& PortWalk() { return m_cPortWalk; }
    CTrunkInfo& Trunks() { return m_cTrunkInfo; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    bool TakeBridge(const CBackgroundRequest::Answer& answer);

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CBackgroundRequest m_cBridgeRead{m_cCommonSNMP};
    CTypedWalk<stp::PortRow> m_cPortWalk;
    CTrunkInfo m_cTrunkInfo;
    stp::Bridge m_bridge;
};
