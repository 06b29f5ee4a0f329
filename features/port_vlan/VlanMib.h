// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The switch's static VLANs as the 802.1Q VLAN dialog and its two sub-dialogs read and write
// them: the VLAN table (name, egress, forbidden and untagged ports, row status), the PVID of
// every port, the asymmetric VLAN mode, and what keeps a VLAN from being deleted (voice and
// surveillance VLAN, IP interfaces). No widgets here: the checks are plain functions of the
// input and of what was read, and the multi-step row write stops at its first failure.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TypedWalk.h"
#include "snmp/PortEncoding.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vlan {

inline constexpr int kMaxVlans = 256;
inline constexpr long kMinVid = 2;
inline constexpr long kMaxVid = 4094;
inline constexpr long kDefaultVid = 1;
inline constexpr int kNameMaxCharacters = 20;
// From this port count on the PVIDs go out in two requests: ports 1-40, then the rest.
inline constexpr int kPvidFirstRequestPorts = 40;

// The inputs a refusal is about: a port's PVID (its index the port's), the VLAN id and name.
inline constexpr char kPvidField[] = "pvid";
inline constexpr char kVidField[] = "vid";
inline constexpr char kNameField[] = "name";

inline constexpr long kModeAsymmetric = 1;
inline constexpr long kModeSymmetric = 2;
inline constexpr long kStateEnabled = 1;

std::string ModeOid();
std::string NameColumn();
std::string EgressColumn();
std::string ForbiddenColumn();
std::string UntaggedColumn();
std::string RowStatusColumn();
std::string PvidColumn();
std::string InterfaceVlanColumn();
std::string VoiceStateOid();
std::string VoiceVlanOid();
std::string SurveillanceStateOid();
std::string SurveillanceVlanOid();

// One active VLAN of the table, in table order.
// One row of the PVID table: the port (its index) and its PVID.
struct PortPvid {
    long port = 0;
    long pvid = 0;
};
// Nothing for a row whose port or PVID is no number.
std::optional<PortPvid> PortPvidOf(const SnmpRow& row);

struct VlanRecord {
    long id = 0;
    std::string name; // as the switch holds it (UTF-8)
    PortNumberList egress;
    PortNumberList untagged;
    PortFlags egressPorts; // 1 per member, entry p-1 for port p
    PortFlags untaggedPorts;
    std::size_t forbiddenCount = 0; // never shown here
    int nonMemberCount = 0;
};

// A walked row of the VLAN table as a record; nothing when the row is not active or its
// index is no VLAN id.
std::optional<VlanRecord> RecordOfRow(const SnmpRow& row, int portCount);

// The PortList written by the VLAN sub-dialog: the port hex text padded to 12 octets on 52
// ports and 8 octets on 28 ports, as PadPortHex pads it on the other models.
std::optional<std::string> MemberListBytes(const PortFlags& flags, int portCount);

// Per-port choice of the VLAN sub-dialog.
enum Membership : int { kTagged = 0, kUntagged = 1, kNotMember = 2 };

// What the VLAN sub-dialog holds when OK is pressed.
struct VlanEdit {
    bool addMode = true;
    std::string vidText;    // the VID edit (add mode)
    long vid = 0;           // the VLAN edited (edit mode)
    QString name;           // as typed
    std::string oldName;    // edit mode: the name read (UTF-8)
    std::vector<int> ports; // Membership per port, entry p-1 for port p
    PortFlags forbidden;    // the hidden forbidden row: empty or all 0
    long Vid() const;       // the VID written: typed (add) or edited; 0 when no number
    PortFlags Selected(int membership) const;
    PortFlags EgressPorts() const; // tagged or untagged
};

// The checks of OK in their order; `vlans` is what the main list shows, trunkPorts the trunk
// group of every port. `trunkCheck` runs the trunk consistency check of a selection (1 pass).
std::optional<Refusal>
CheckVlanEdit(const VlanEdit& edit, const std::vector<VlanRecord>& vlans,
              const std::function<std::optional<bool>(const PortFlags&)>& trunkCheck);

// The row write of an accepted edit: the port lists and the name in the order they go out,
// "Parameter Error !" when a port list cannot be made. An edited VLAN other than VLAN 1 is
// taken out of service first and, when a later step fails, put back into service with its
// old name.
ApplyPlan VlanEditPlan(const VlanEdit& edit, int portCount);
// The same values for an added VLAN, as a new row.
ApplyPlan VlanAddPlan(const VlanEdit& edit, int portCount);

// The checks of the PVID sub-dialog's Apply in their order.
std::optional<Refusal> CheckPvids(const PortFlags& pvids, const PortFlags& trunkPorts,
                                  const std::vector<VlanRecord>& vlans);
// The PVID sets: one request, or two (ports 1-40 and the rest) on 40 ports or more.
std::vector<CSetRequest> PvidRequests(const PortFlags& pvids);
// The checks (CheckPvids), then those requests; the first the switch does not take ends it.
ApplyPlan PlanPvids(const PortFlags& pvids, const PortFlags& trunkPorts,
                    const std::vector<VlanRecord>& vlans);

} // namespace vlan

// The data class of the 802.1Q VLAN dialog.
class CVlanMib : public CFeatureData {
public:
    struct Model {
        std::optional<long> mode;
        std::optional<long> voiceState, voiceVlan;
        std::optional<long> survState, survVlan;
        PortFlags pvids; // entry p-1 for port p, 1 until read
        std::vector<long> interfaceVlans;
        std::vector<vlan::VlanRecord> vlans;
    };

    CVlanMib();

    // The synchronous reads of a refresh: voice and surveillance VLAN, the VLAN mode.
    void ReadVoiceAndSurveillance();
    bool ReadMode();
    // The walks of a refresh, one after the other: PVIDs, IP interfaces, VLAN table.
    // `onVlan` runs for every active VLAN as it arrives, `done` at the end.
    void StartWalks(std::function<void(const vlan::VlanRecord&)> onVlan,
                    std::function<void()> done);
    std::vector<CTableWalk*> Walks() { return {&m_cPvidWalk, &m_cInterfaceWalk, &m_cVlanWalk}; }
    const Model& Current() const { return m_model; }
    // The VLAN of list line `index` (the VLANs in table order), nullptr outside.
    const vlan::VlanRecord* VlanAt(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < m_model.vlans.size()
                   ? &m_model.vlans[static_cast<std::size_t>(index)]
                   : nullptr;
    }

    // The delete of the selected VLAN: the checks, the question and the row-status write.
    ApplyPlan PlanDelete(long vid) const;
    CCommonSNMP& DeleteSession() { return m_cCommonSNMPTableVlanDelete; }
    // The mode Apply. A refusal whose field is kRereadMode asks for the mode to be read again.
    // `mode`: kModeAsymmetric, kModeSymmetric, or the value the switch reported.
    static constexpr char kRereadMode[] = "rereadMode";
    ApplyPlan PlanModeApply(long mode) const;
    CCommonSNMP& ModeSession() { return m_cCommonSNMP; }

    // Sends the steps of an accepted edit in order and stops at the first refusal. A row made
    // in add mode that does not reach the active state is destroyed again; a row taken out of
    // service in edit mode gets its old name back and is put back into service. True when
    // every step went through.
    // The session of the edit sub-dialog's row write and of the PVID writes.
    CCommonSNMP& WriteSession() { return m_cCommonSNMPAllPort; }

    // The PVID sub-dialog's walk and writes.
    CTypedWalk<vlan::PortPvid>& PvidDialogWalk() { return m_cPvidDialogWalk; }

private:
    void AddPvidRow(const SnmpRow& row, PortFlags& pvids);

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CCommonSNMP& m_cCommonSNMPVoiceVlan = AddSession("m_cCommonSNMPVoiceVlan");
    CCommonSNMP& m_cCommonSNMPTableVlan = AddSession("m_cCommonSNMPTableVlan");
    CCommonSNMP& m_cCommonSNMPTableVlanDelete = AddSession("m_cCommonSNMPTableVlanDelete");
    // The sessions of the row write and of the PVID sub-dialog.
    CCommonSNMP& m_cCommonSNMPEgrePort = AddSession("m_cCommonSNMPEgrePort");
    CCommonSNMP& m_cCommonSNMPUntagPort = AddSession("m_cCommonSNMPUntagPort");
    CCommonSNMP& m_cCommonSNMPAllPort = AddSession("m_cCommonSNMPAllPort");
    CCommonSNMP& m_cCommonSNMPTableWrite = AddSession("m_cCommonSNMPTable");
    CTableWalk m_cPvidWalk;
    CTableWalk m_cInterfaceWalk;
    CTableWalk m_cVlanWalk;
    CTypedWalk<vlan::PortPvid> m_cPvidDialogWalk;

    Model m_model;
    PortFlags m_readingPvids;
    std::function<void(const vlan::VlanRecord&)> m_onVlan;
    std::function<void()> m_done;
};
