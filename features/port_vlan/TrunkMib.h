// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Link aggregation: the global state, the trunk groups with their channel mode and members,
// and the admission check that a new member set must pass before it is written. The
// admission check reads what every port is configured to do and refuses any set of ports
// the switch could not aggregate, each refusal with its own message.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TypedWalk.h"
#include "snmp/PortEncoding.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace trunk {

// The input a refusal of the mode is about: the aggregation's on/off box.
inline constexpr char kEnableField[] = "enable";
// The member port grid; a refusal's index is the port to blame, when one is.
inline constexpr char kMembersField[] = "members";

inline constexpr int kMinMembers = 2;
inline constexpr int kMaxMembers = 8;
inline constexpr long kStateEnabled = 1;
inline constexpr long kStateDisabled = 2;
inline constexpr long kModeLacp = 1;
inline constexpr long kModeStatic = 2;
inline constexpr long kModeDisable = 3;

std::string StateOid();     // the global state instance
std::string MemberColumn(); // one PortList per trunk group
std::string ModeColumn();   // channel mode per trunk group

// Channel modes: 1 "LACP", 2 "Static", any other value "Disable".
const CEnumTable& Modes();

// One row of the trunk table.
struct TrunkRow {
    int id = 0;
    long mode = kModeDisable;
    PortFlags members;      // 1 per member port
    std::string memberList; // "1,2,5"
};
// The row of a walked table row; nothing when the index is no trunk number.
std::optional<TrunkRow> TrunkRowOf(const SnmpRow& row, int portCount);

// What the mode Apply works on: the check box, the picked row and the chosen mode.
struct ModeInput {
    bool enableChecked = false;
    std::optional<int> trunkId; // empty: no trunk picked
    long chosenMode = kModeLacp;
    long rowMode = kModeDisable;
    int rowMemberCount = 0;
};
// The refusal, or the set of the chosen mode; an empty request when nothing is to happen.
ApplyPlan PlanMode(const ModeInput& input);
// The set of the global state.
ApplyPlan PlanState(bool enable);
// Why PortMember cannot open: the mode shows Disable, or no trunk is picked.
std::optional<Refusal> CheckPortMember(long chosenMode, bool trunkPicked);

// Global states the admission rules read.
struct GlobalStates {
    long dot1x = 0;
    long spanningTree = 0;
    long surveillance = 0;
};

inline constexpr std::size_t kStpSettings = 7;

// What one port is configured to do.
struct PortAdmission {
    long speed = 0;
    long priority = 0;
    long pvid = 0;
    long security = 0;
    long media = 0;
    long loopback = 0;
    std::array<long, 2> rate{};
    std::array<long, kStpSettings> stp{};
    long dot1x = 0;
    long voiceMode = 0;
    long survState = 0;
    long survMode = 0;
    int trunkGroup = 0;
    bool dhcpScreening = false;
    bool autoLearning = false;
    bool fdbDestination = false;
};

// Everything the admission rules read from the switch.
struct AdmissionData {
    std::vector<PortAdmission> ports; // entry p-1 for port p
    std::vector<PortFlags> vlanEgress;
    std::vector<PortFlags> vlanUntagged;
    std::vector<PortFlags> arpPorts; // one per ARP spoofing prevention entry
    std::vector<PortFlags> aclPorts; // one per ACL entry
    PortFlags mirrorRx;
    PortFlags mirrorTx;
    long mirrorState = 0;
    long mirrorTarget = 0;
    GlobalStates globals;

    // Every per-port array with `portCount` entries, all zero.
    explicit AdmissionData(int portCount = 0);
};

// The count check and the seventeen admission rules, in their order, for the ticked ports
// `candidate` of trunk `trunkId`. `reread` gives the global states again just before the
// spanning-tree rule (nothing: keep those read before). The first refusal, or nothing.
std::optional<Refusal>
CheckMembers(const AdmissionData& data, const PortFlags& candidate, int trunkId,
             const std::function<std::optional<GlobalStates>()>& reread = {});

// The one set of a trunk's members and channel mode.
CSetRequest MembersRequest(int trunkId, const PortFlags& members, long mode);

} // namespace trunk

// The main dialog's data: the state and the trunk table.
class CTrunkMib : public CFeatureData {
public:
    explicit CTrunkMib(int portCount);
    // Reads the global state synchronously: 1 enabled, 2 disabled; nothing on failure.
    std::optional<long> ReadState();
    CTypedWalk<trunk::TrunkRow>& TrunkWalk() { return m_cTrunkWalk; }
    // The last row read of trunk `id`, nullptr when the table has none.
    const trunk::TrunkRow* RowOf(int id) const;
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<trunk::TrunkRow> m_cTrunkWalk;
};

// The member sub-dialog's data: the admission data, read once when it opens. The scalars
// are read at once, the tables one after the other in the background.
class CTrunkAdmission : public CFeatureData {
public:
    explicit CTrunkAdmission(int portCount);
    // Starts reading everything; `done` runs on the UI thread with true once all was read,
    // with false as soon as one read fails (the data read before stays in force).
    void StartRead(std::function<void(bool complete)> done);
    bool IsRead() const { return m_bRead; }
    const trunk::AdmissionData& Data() const { return m_data; }
    std::optional<trunk::GlobalStates> ReadGlobals();
    CTableWalk& Walk() { return m_cWalk; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    // One table: its columns and where each row goes.
    struct Step {
        std::vector<std::string> columns;
        std::function<void(const SnmpRow&)> onRow;
    };
    bool ReadScalars();
    void BuildSteps();
    void StartStep();
    void EndStep(int status);
    trunk::PortAdmission* PortOf(const std::string& suffix);

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTableWalk m_cWalk;
    int m_nPortCount;
    trunk::AdmissionData m_data;
    trunk::AdmissionData m_reading;
    bool m_bRead = false;
    std::vector<Step> m_steps;
    std::size_t m_nStep = 0;
    std::function<void(bool)> m_done;
};
