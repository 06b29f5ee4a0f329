// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// IGMP snooping as the switch holds it: the switch-wide state and timers, the per-VLAN
// snooping, querier and fast-leave states with their static router ports, and the multicast
// groups the switch has learned. One object serves the snooping dialog and the two dialogs
// opened from it.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TrunkInfo.h"
#include "features/common/TypedWalk.h"
#include "snmp/PortEncoding.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace igmp {

// Enabled / Disabled, as every state object of the group takes it.
inline constexpr long kEnabled = 1;
inline constexpr long kDisabled = 2;
const CEnumTable& States();

// The timers, in the order their checks run.
enum Timer : int {
    kHostTimeout,
    kRouterTimeout,
    kRobustness,
    kLastMemberQueryInterval,
    kQueryInterval,
    kMaxResponseTime,
    kTimerCount,
};
struct TimerDef {
    const char* column; // below the IGMP group, e.g. "1.3"
    long low;
    long high;
    const char* refusal;
    const char* label; // the dialog's, with its mnemonic
};
const std::array<TimerDef, kTimerCount>& Timers();
// What the edits hold, nothing where an edit is empty or no number.
using TimerInput = std::array<std::optional<long long>, kTimerCount>;
// The input a refusal of the timers is about, its index the timer's.
inline constexpr char kTimerField[] = "timer";

// One row of the VLAN settings.
struct VlanRow {
    long vid = 0;
    std::string name; // the VLAN's name as the switch holds it (UTF-8)
    std::optional<long> state;
    std::optional<long> querier;
    std::optional<long> fastLeave;
    std::string routerPorts; // PortList octets
};

// One learned multicast group.
struct GroupRow {
    std::string vid;
    std::string address; // "%d.%d.%d.%d", empty when the switch sent no four octets
    std::string mac;     // "%02X-...", empty when it sent no six octets
    std::string ports;   // range text of the member ports
};

} // namespace igmp

class CIgmpMib : public CFeatureData {
public:
    struct Global {
        std::optional<long> state;
        std::array<std::optional<long>, igmp::kTimerCount> timers;
    };

    CIgmpMib();

    // The switch-wide values in one get; false (and the last values kept) when it fails.
    bool ReadGlobal();
    const Global& CurrentGlobal() const { return m_global; }
    // Checks of the snooping Apply against the values read last.
    static ApplyPlan PlanGlobal(const Global& old, bool enable, const igmp::TimerInput& typed);

    // VLAN settings: the walk and the rows read since it started.
    CTypedWalk<igmp::VlanRow>& VlanWalk() { return m_cVlanWalk; }
    // Nothing for a row without a usable VLAN id.
    static std::optional<igmp::VlanRow> VlanRowOf(const SnmpRow& row);
    const std::vector<igmp::VlanRow>& VlanRows() const { return m_cVlanWalk.Rows(); }
    static ApplyPlan PlanVlan(const igmp::VlanRow* picked, long state, long querier,
                              long fastLeave);
    ApplyPlan PlanRouterPorts(const igmp::VlanRow* picked, const PortFlags& ticked) const;

    CTrunkInfo& TrunkInfo() { return m_cTrunkInfo; }

    // The multicast entry table.
    CTypedWalk<igmp::GroupRow>& GroupWalk() { return m_cGroupWalk; }
    static std::optional<igmp::GroupRow> GroupOf(const SnmpRow& row);

    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CCommonSNMP& m_cCommonSNMPGroup = AddSession("m_cCommonSNMPGroup");
    CTypedWalk<igmp::VlanRow> m_cVlanWalk;
    CTypedWalk<igmp::GroupRow> m_cGroupWalk;
    CTrunkInfo m_cTrunkInfo;

    Global m_global;
};
