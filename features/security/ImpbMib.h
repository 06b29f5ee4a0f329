// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// IP-MAC-port binding: the per-port binding state, the bindings the switch found, the white
// list of admitted hosts and the black list of refused ones, with manual binding and the
// network scan. One object of this class serves each of the four binding dialogs.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TableWalk.h"
#include "features/common/TrunkInfo.h"
#include "features/common/TypedWalk.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace impb {

// The group's columns and scalars.
std::string PortColumn(int column);      // port settings, indexed by port
std::string BindingColumn(int column);   // MAC(6).port.IP(4)
std::string WhiteListColumn(int column); // IP(4).MAC(6)
std::string BlackListColumn(int column); // MAC(6).VID.port
std::string ScanFromOid();
std::string ScanToOid();
std::string ScanTriggerOid();

// Admin state and DHCP snooping: 1 enabled, 0 disabled.
const CEnumTable& EnabledStates();
// Inspection mode: 1 ARP only, 0 ARP and IP packets. The list shows whether IP packets are
// inspected too ("Enabled" for 0).
const CEnumTable& InspectionModes();
// Binding state: 1 bound, anything else not bound.
const CEnumTable& BindingStates();

// One row of the port settings table.
struct PortSettingsRow {
    long port = 0;
    std::optional<long> admin;
    std::optional<long> mode;
    std::optional<long> snooping;
};
PortSettingsRow PortSettingsRowOf(const SnmpRow& row);

// A host row of the binding table, the white list or the black list.
struct HostRow {
    std::string ip;  // dotted
    std::string mac; // "00-0A-95-9D-68-16"
    std::optional<long> vid;
    std::optional<long> port;
    std::optional<long> state; // binding state, row status
};
HostRow BindingRowOf(const SnmpRow& row);
HostRow WhiteListRowOf(const SnmpRow& row);
HostRow BlackListRowOf(const SnmpRow& row);

// Row indexes: IP arcs and MAC arcs (".10.1.1.2.0.17.34.51.68.85"), MAC.port.IP, MAC.VID.port.
std::string WhiteListIndex(const std::string& ip, const std::string& mac);
std::string BindingIndex(const HostRow& row);
std::string BlackListIndex(const HostRow& row);

// What the Smart Binding Settings Apply writes.
struct PortSettingsInput {
    int fromPort = 1;
    int toPort = 1;
    long admin = 0;
    long mode = 1;
    long snooping = 0;
};
inline constexpr char kTrunkRefusal[] =
    "Cannot add a port-security enabled port to an aggregated link.";
inline constexpr char kLockOutRefusal[] = "This operation will cause device to out of control.";
// The first refusal: a trunk member in the range while binding is enabled, or binding
// enabled on every port while the white list is empty.
std::optional<Refusal> CheckPortSettings(const PortSettingsInput& input, int portCount,
                                         const PortFlags& trunkPorts, int whiteListCount);
// One request per port, in port order.
std::vector<CSetRequest> PortSettingsRequests(const PortSettingsInput& input);

// Manual binding: an address control with all four fields filled that CheckHostIp accepts,
// else "Invalid IP Address.". The port typed must be 1..portCount, else "Invalid port number.".
// The inputs a refusal is about: the manual binding's address, MAC and port, the scan range.
inline constexpr char kPortRangeField[] = "portRange"; // the settings' range, its From Port
inline constexpr char kBindIpField[] = "bindIp";
inline constexpr char kBindMacField[] = "bindMac";
inline constexpr char kBindPortField[] = "bindPort";
inline constexpr char kScanFromField[] = "scanFrom";
inline constexpr char kScanToField[] = "scanTo";
// The refusal of a MAC text, about the manual binding's MAC.
std::optional<Refusal> BindingMacRefusal(const std::string& mac);
std::optional<Refusal> BindingAddressRefusal(int filledFields, const std::string& dotted);
std::optional<Refusal> BindingPortRefusal(const std::string& portText, int portCount);
// Scan: both address controls filled and usable host addresses.
std::optional<Refusal> ScanRangeRefusal(int fromFilled, const std::string& from, int toFilled,
                                        const std::string& to);

// The black list's entry store and its Find.
struct BlackListEntry {
    HostRow row;
    int mark = 2; // 2 shown, 0 hidden by the last Find
};
struct BlackListSearch {
    std::string vid;
    std::string ip;
    std::string mac;
    std::string port;
};
// Marks every entry shown when each non-empty search field equals its value (VID, IP and port
// as text, the MAC without regard to case), hidden otherwise.
void FindInBlackList(std::vector<BlackListEntry>& store, const BlackListSearch& search);

} // namespace impb

class CImpbMib : public CFeatureData {
public:
    static constexpr unsigned kPauseMs = 50;

    CImpbMib();
    ~CImpbMib() override;

    // Walks; each hands its rows to `row` and calls `done` with the walk's status at its end.
    // Only one of them runs at a time.
    CTableWalk& PortWalk() { return m_cPortWalk; }
    // The rows of the last port walk, in walk order.
    const std::vector<impb::PortSettingsRow>& PortRows() const { return m_portRows; }
    // The bindings the switch found, in table order.
    CTypedWalk<impb::HostRow>& BindingWalk() { return m_cBindingWalk; }
    CTableWalk& WhiteListWalk() { return m_cWhiteListWalk; }
    CTableWalk& BlackListWalk() { return m_cBlackListWalk; }
    void StartPortWalk(const QObject* receiver,
                       std::function<void(const impb::PortSettingsRow&)> row,
                       std::function<void(int)> done);
    // Counts the white-list rows as they come (WhiteListCount).
    void StartWhiteListWalk(const QObject* receiver, std::function<void(const impb::HostRow&)> row,
                            std::function<void(int)> done);
    void StartBlackListWalk(const QObject* receiver, std::function<void(const impb::HostRow&)> row,
                            std::function<void(int)> done);
    int WhiteListCount() const { return m_nWhiteListCount; }

    CTrunkInfo& TrunkInfo() { return m_cTrunkInfo; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

    // The writes of the IMPB dialogs; an address that makes no row index writes nothing.
    // The port settings port by port: every request is sent, then a pause.
    static ApplyPlan PlanPortSettings(const impb::PortSettingsInput& input);
    // The white-list row of the host and its port (the port, a pause, then active).
    static ApplyPlan PlanWhiteListAdd(const std::string& ip, const std::string& mac, long port);
    static ApplyPlan PlanWhiteListDelete(const impb::HostRow& row);
    // The host bound, then a pause.
    static ApplyPlan PlanBind(const impb::HostRow& row);
    // Removes the entry of the row's own MAC, VID and port.
    static ApplyPlan PlanBlackListRemove(const impb::HostRow& row);
    // Sets the range, a pause, and starts the scan.
    static ApplyPlan PlanScan(const std::string& from, const std::string& to);

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTableWalk m_cPortWalk;
    std::vector<impb::PortSettingsRow> m_portRows;
    CTypedWalk<impb::HostRow> m_cBindingWalk;
    CTableWalk m_cWhiteListWalk;
    CTableWalk m_cBlackListWalk;
    CTrunkInfo m_cTrunkInfo;
    int m_nWhiteListCount = 0;
};
