// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/VlanMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/InputChecks.h"
#include "snmp/SessionParameters.h"
#include "snmp/TextConversion.h"

#include <algorithm>
#include <set>

namespace vlan {

std::string ModeOid() {
    return ScalarOid(PrivateOid("7.5"));
}
std::string NameColumn() {
    return PrivateOid("7.6.1.1");
}
std::string EgressColumn() {
    return PrivateOid("7.6.1.2");
}
std::string ForbiddenColumn() {
    return PrivateOid("7.6.1.3");
}
std::string UntaggedColumn() {
    return PrivateOid("7.6.1.4");
}
std::string RowStatusColumn() {
    return PrivateOid("7.6.1.5");
}
std::string PvidColumn() {
    return PrivateOid("7.7.1.1");
}
std::string InterfaceVlanColumn() {
    return PrivateOid("41.1.1.1.2");
}
std::string VoiceStateOid() {
    return ScalarOid(PrivateOid("21.1.2"));
}
std::string VoiceVlanOid() {
    return ScalarOid(PrivateOid("21.1.3"));
}
std::string SurveillanceStateOid() {
    return ScalarOid(PrivateOid("26.1.1"));
}
std::string SurveillanceVlanOid() {
    return ScalarOid(PrivateOid("26.1.2"));
}

namespace {

constexpr long kRowActive = 1;
constexpr long kRowNotInService = 2;

std::size_t PortSlots(int portCount) {
    return static_cast<std::size_t>(std::max(0, portCount));
}

PortFlags FlagsOf(const PortNumberList& list, int portCount) {
    PortFlags flags(PortSlots(portCount), 0);
    PortListToFlags(list.text, flags, 1, portCount);
    return flags;
}

bool IsVid(long id) {
    return id >= 1 && id <= kMaxVid;
}

bool HasEgressMembers(const VlanRecord& record) {
    return record.egress.count > 0;
}

const VlanRecord* Find(const std::vector<VlanRecord>& vlans, long id) {
    const auto found = std::find_if(vlans.begin(), vlans.end(),
                                    [id](const VlanRecord& record) { return record.id == id; });
    return found != vlans.end() ? &*found : nullptr;
}

std::int32_t At(const PortFlags& flags, std::size_t index) {
    return index < flags.size() ? flags[index] : 0;
}

} // namespace

std::optional<VlanRecord> RecordOfRow(const SnmpRow& row, int portCount) {
    const std::optional<long> id = IntegerOf(row.suffix);
    if (!id || !IsVid(*id) || IntegerOf(row.Value(3)) != kRowActive) {
        return std::nullopt;
    }
    VlanRecord record;
    record.id = *id;
    record.name = row.Value(0);
    record.egress = PortBitsToList(row.Value(1), portCount);
    record.untagged = PortBitsToList(row.Value(2), portCount);
    record.egressPorts = FlagsOf(record.egress, portCount);
    record.untaggedPorts = FlagsOf(record.untagged, portCount);
    record.nonMemberCount =
        portCount - static_cast<int>(record.egress.count) - static_cast<int>(record.forbiddenCount);
    return record;
}

std::optional<std::string> MemberListBytes(const PortFlags& flags, int portCount) {
    std::string hex = PortFlagsToHex(flags, portCount);
    if (portCount == 52) {
        hex += std::string(11, '0');
    } else if (portCount == 28) {
        hex += std::string(9, '0');
    } else {
        hex = PadPortHex(hex, portCount);
    }
    return HexToBytes(hex, (hex.size() + 1) / 2);
}

long VlanEdit::Vid() const {
    if (!addMode) {
        return vid;
    }
    return IntegerOf(vidText).value_or(0);
}

PortFlags VlanEdit::Selected(int membership) const {
    PortFlags flags(ports.size(), 0);
    for (std::size_t i = 0; i < ports.size(); ++i) {
        flags[i] = ports[i] == membership ? 1 : 0;
    }
    return flags;
}

PortFlags VlanEdit::EgressPorts() const {
    PortFlags flags(ports.size(), 0);
    for (std::size_t i = 0; i < ports.size(); ++i) {
        flags[i] = (ports[i] == kTagged || ports[i] == kUntagged) ? 1 : 0;
    }
    return flags;
}

std::optional<Refusal>
CheckVlanEdit(const VlanEdit& edit, const std::vector<VlanRecord>& vlans,
              const std::function<std::optional<bool>(const PortFlags&)>& trunkCheck) {
    const long vid = edit.Vid();
    const std::string name = edit.name.toStdString();
    const PortFlags egress = edit.EgressPorts();
    const bool hasMembers = std::any_of(egress.begin(), egress.end(), [](auto f) { return f; });
    const bool othersHaveMembers =
        std::any_of(vlans.begin(), vlans.end(), [vid](const VlanRecord& record) {
            return record.id != vid && HasEgressMembers(record);
        });
    const char* trunkRefusal = "Members in VLAN have to be in the same trunk !";
    CheckChain checks;
    if (edit.addMode) {
        checks
            .Require([&] { return vid >= kMinVid && vid <= kMaxVid; },
                     "Invalid VLAN ID, VLAN ID should be (2-4094) !")
            .About(kVidField)
            .Require([&] { return Find(vlans, vid) == nullptr; },
                     "The VLAN ID has been used, please input again !")
            .About(kVidField);
    }
    checks.Require(!edit.name.isEmpty(), "Vlan name is not allow empty.")
        .About(kNameField)
        .Require([&] { return CheckName(name); }, "Invalid Vlan name.")
        .About(kNameField)
        .RequireAlike([&] { return trunkCheck(egress); }, trunkRefusal)
        .RequireAlike([&] { return trunkCheck(edit.Selected(kUntagged)); }, trunkRefusal)
        .RequireAlike([&] { return edit.forbidden.empty() ? true : trunkCheck(edit.forbidden); },
                      trunkRefusal)
        .Require(hasMembers || othersHaveMembers,
                 "You have to include at least one member in the vlan");
    return checks.FirstRefusal();
}

std::optional<PortPvid> PortPvidOf(const SnmpRow& row) {
    const std::optional<long> port = IntegerOf(row.suffix);
    const std::optional<long> pvid = IntegerOf(row.Value(0));
    if (!port || !pvid) {
        return std::nullopt;
    }
    return PortPvid{*port, *pvid};
}

namespace {

// The port lists and the name, in the order they go out; nothing when a port list cannot be
// made.
std::optional<std::vector<CSetRequest>> VlanValues(const VlanEdit& edit, int portCount) {
    const auto tagged = edit.Selected(kTagged);
    const auto untagged = edit.Selected(kUntagged);
    PortFlags allMembers = edit.EgressPorts();
    for (std::size_t i = 0; i < allMembers.size(); ++i) {
        allMembers[i] = allMembers[i] != 0 || At(edit.forbidden, i) != 0 ? 1 : 0;
    }
    const auto allBytes = MemberListBytes(allMembers, portCount);
    const auto untaggedBytes = MemberListBytes(untagged, portCount);
    const auto egressBytes = MemberListBytes(edit.EgressPorts(), portCount);
    const auto forbiddenBytes = MemberListBytes(
        edit.forbidden.empty() ? PortFlags(PortSlots(portCount), 0) : edit.forbidden, portCount);
    if (!allBytes || !untaggedBytes || !egressBytes || !forbiddenBytes) {
        return std::nullopt;
    }
    const long vid = edit.Vid();
    const int index = static_cast<int>(vid);
    std::vector<CSetRequest> values;
    if (vid != kDefaultVid) {
        values.push_back(CSetRequest().OctetString(InstanceOid(EgressColumn(), index), *allBytes));
    }
    values.push_back(
        CSetRequest().OctetString(InstanceOid(UntaggedColumn(), index), *untaggedBytes));
    values.push_back(CSetRequest().OctetString(InstanceOid(EgressColumn(), index), *egressBytes));
    values.push_back(
        CSetRequest().OctetString(InstanceOid(ForbiddenColumn(), index), *forbiddenBytes));
    values.push_back(
        CSetRequest().OctetString(InstanceOid(NameColumn(), index), TextToUtf8(edit.name)));
    return values;
}

std::string RowStatusOf(long vid) {
    return InstanceOid(RowStatusColumn(), static_cast<int>(vid));
}

} // namespace

ApplyPlan VlanEditPlan(const VlanEdit& edit, int portCount) {
    ApplyPlan plan;
    const auto values = VlanValues(edit, portCount);
    if (!values) {
        plan.refusal = Refusal{"Parameter Error !"};
        return plan;
    }
    const long vid = edit.Vid();
    const std::string status = RowStatusOf(vid);
    const bool outOfService = vid != kDefaultVid;
    if (outOfService) {
        plan.Step(CSetRequest().Integer(status, kRowNotInService));
    }
    for (const CSetRequest& value : *values) {
        plan.Step(value);
    }
    plan.Step(CSetRequest().Integer(status, kRowActive));
    if (outOfService) {
        // A row left out of service would vanish from the list; it goes back with its old name.
        for (std::size_t i = 1; i < plan.steps.size(); ++i) {
            plan.steps[i].onFailure = SetStep::OnFailure::PutBack;
            plan.steps[i].putBack = {
                CSetRequest().OctetString(InstanceOid(NameColumn(), static_cast<int>(vid)),
                                          edit.oldName),
                CSetRequest().Integer(status, kRowActive)};
        }
    }
    return plan;
}

ApplyPlan VlanAddPlan(const VlanEdit& edit, int portCount) {
    ApplyPlan plan;
    auto values = VlanValues(edit, portCount);
    if (!values) {
        plan.refusal = Refusal{"Parameter Error !"};
        return plan;
    }
    RowCreation& row = plan.row.emplace();
    row.statusOid = RowStatusOf(edit.Vid());
    row.values = std::move(*values);
    return plan;
}

std::optional<Refusal> CheckPvids(const PortFlags& pvids, const PortFlags& trunkPorts,
                                  const std::vector<VlanRecord>& vlans) {
    // A trunk keeps the PVID 1 of every member; setting it is left to the switch's own pages.
    for (std::size_t i = 0; i < pvids.size(); ++i) {
        const std::int32_t group = At(trunkPorts, i);
        if (group == 0 || pvids[i] == 1) {
            continue;
        }
        for (std::size_t other = 0; other < trunkPorts.size(); ++other) {
            if (trunkPorts[other] == group && At(pvids, other) != pvids[i]) {
                return Refusal{"You should let all Trunk member in the same PVID !"}.About(
                    kPvidField, static_cast<int>(i));
            }
        }
        return Refusal{
            "Setting PVID on a Trunk is not supported. Please use Web interface for the settings."}
            .About(kPvidField, static_cast<int>(i));
    }
    for (std::size_t i = 0; i < pvids.size(); ++i) {
        const VlanRecord* record = Find(vlans, pvids[i]);
        if (record == nullptr) {
            return Refusal{"Invalid PVID"}.About(kPvidField, static_cast<int>(i));
        }
        if (!HasEgressMembers(*record)) {
            return Refusal{"Invalid PVID,VlAN is empty"}.About(kPvidField, static_cast<int>(i));
        }
    }
    return std::nullopt;
}

std::vector<CSetRequest> PvidRequests(const PortFlags& pvids) {
    const int portCount = static_cast<int>(pvids.size());
    const int split = portCount >= kPvidFirstRequestPorts ? kPvidFirstRequestPorts : portCount;
    std::vector<CSetRequest> requests(split < portCount ? 2 : 1);
    for (int port = 1; port <= portCount; ++port) {
        requests[port <= split ? 0 : 1].Unsigned(
            InstanceOid(PvidColumn(), port),
            std::to_string(pvids[static_cast<std::size_t>(port - 1)]));
    }
    return requests;
}

ApplyPlan PlanPvids(const PortFlags& pvids, const PortFlags& trunkPorts,
                    const std::vector<VlanRecord>& vlans) {
    ApplyPlan plan;
    plan.refusal = CheckPvids(pvids, trunkPorts, vlans);
    if (!plan.refusal) {
        for (CSetRequest& request : PvidRequests(pvids)) {
            plan.Step(std::move(request));
        }
    }
    return plan;
}

} // namespace vlan

using namespace vlan;

CVlanMib::CVlanMib()
    : m_cPvidWalk(m_cCommonSNMPTable, {PvidColumn()}),
      m_cInterfaceWalk(m_cCommonSNMPTable, {InterfaceVlanColumn()}),
      m_cVlanWalk(m_cCommonSNMPTableVlan,
                  {NameColumn(), EgressColumn(), UntaggedColumn(), RowStatusColumn()}),
      m_cPvidDialogWalk(m_cCommonSNMPTableWrite, {PvidColumn()}, &vlan::PortPvidOf) {
    m_model.pvids.assign(PortSlots(DeviceValues().DevicePortCount), 1);
    m_cPvidWalk.OnRow(this, [this](const SnmpRow& row) { AddPvidRow(row, m_readingPvids); });
    m_cPvidWalk.OnFinished(this, [this](int) {
        m_model.pvids = m_readingPvids;
        m_model.interfaceVlans.clear();
        m_cInterfaceWalk.Start();
    });
    m_cInterfaceWalk.OnRow(this, [this](const SnmpRow& row) {
        if (const auto id = IntegerOf(row.Value(0))) {
            m_model.interfaceVlans.push_back(*id);
        }
    });
    m_cInterfaceWalk.OnFinished(this, [this](int) {
        m_model.vlans.clear();
        m_cVlanWalk.Start();
    });
    m_cVlanWalk.OnRow(this, [this](const SnmpRow& row) {
        if (auto record = RecordOfRow(row, DeviceValues().DevicePortCount)) {
            m_model.vlans.push_back(std::move(*record));
            if (m_onVlan) {
                m_onVlan(m_model.vlans.back());
            }
        }
    });
    m_cVlanWalk.OnFinished(this, [this](int) {
        if (m_done) {
            m_done();
        }
    });
}

void CVlanMib::AddPvidRow(const SnmpRow& row, PortFlags& pvids) {
    const std::optional<long> port = IntegerOf(row.suffix);
    const std::optional<long> pvid = IntegerOf(row.Value(0));
    if (port && pvid && *port >= 1 && *port <= static_cast<long>(pvids.size()) && IsVid(*pvid)) {
        pvids[static_cast<std::size_t>(*port - 1)] = static_cast<std::int32_t>(*pvid);
    }
}

void CVlanMib::ReadVoiceAndSurveillance() {
    const auto values =
        ReadValues(m_cCommonSNMPVoiceVlan, {VoiceStateOid(), VoiceVlanOid(), SurveillanceStateOid(),
                                            SurveillanceVlanOid()});
    if (values && values->size() >= 4) {
        m_model.voiceState = IntegerOf((*values)[0]);
        m_model.voiceVlan = IntegerOf((*values)[1]);
        m_model.survState = IntegerOf((*values)[2]);
        m_model.survVlan = IntegerOf((*values)[3]);
    }
}

bool CVlanMib::ReadMode() {
    const auto values = ReadValues(m_cCommonSNMP, {ModeOid()});
    if (!values || values->empty()) {
        return false;
    }
    m_model.mode = IntegerOf(values->front());
    return true;
}

void CVlanMib::StartWalks(std::function<void(const VlanRecord&)> onVlan,
                          std::function<void()> done) {
    m_onVlan = std::move(onVlan);
    m_done = std::move(done);
    m_readingPvids.assign(PortSlots(DeviceValues().DevicePortCount), 1);
    m_cPvidWalk.Start();
}

ApplyPlan CVlanMib::PlanDelete(long vid) const {
    const Model& m = m_model;
    const bool asymmetric = m.mode == kModeAsymmetric;
    ApplyPlan plan;
    CheckChain checks;
    checks.Require(vid != kDefaultVid, "Can't delete the default VLAN!")
        .Require(!asymmetric || std::none_of(m.pvids.begin(), m.pvids.end(),
                                             [vid](std::int32_t pvid) { return pvid == vid; }),
                 "The VID is one of The PVID, so it cannot be deleted.")
        .Require(!(m.voiceState == kStateEnabled && m.voiceVlan == vid),
                 "The VLAN ID is Voice VLAN ID.")
        .Require(!(m.survState == kStateEnabled && m.survVlan == vid),
                 "The VLAN ID is Surveillance VLAN ID.")
        .Require(std::find(m.interfaceVlans.begin(), m.interfaceVlans.end(), vid) ==
                     m.interfaceVlans.end(),
                 "The VLAN ID is IP Interface VLAN.");
    plan.refusal = checks.FirstRefusal();
    plan.questions.push_back("The VLAN " + std::to_string(vid) +
                             " settings in IGMP Snooping and MAC Address Table maybe be "
                             "affected, continue?");
    plan.Request().Integer(InstanceOid(RowStatusColumn(), static_cast<int>(vid)), 6L);
    return plan;
}

ApplyPlan CVlanMib::PlanModeApply(long mode) const {
    const Model& m = m_model;
    ApplyPlan plan;
    CheckChain checks;
    checks.Require(mode == m.mode || m.interfaceVlans.size() < 2,
                   "Multiple Interfaces are set, the VLAN mode can not be changed.");
    const bool beforeRereads = checks.Passed();
    checks
        .Require(m.voiceState != kStateEnabled,
                 "Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
                 "If you could disable it, please set it through the web!")
        .Require(m.survState != kStateEnabled,
                 "Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric "
                 "mode!");
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal && beforeRereads) {
        plan.refusal->field = kRereadMode;
    }
    plan.questions.push_back("The setting of VLAN, IGMP Snooping, Management VLAN and MAC "
                             "Address Table will be reset to default.");
    plan.Request().Integer(ModeOid(), mode);
    return plan;
}
