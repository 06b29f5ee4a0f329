// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/IgmpMib.h"

#include "features/common/FixedPortList.h"
#include "features/common/SnmpRequests.h"
#include "snmp/AddressEncoding.h"

#include <cstdio>

using namespace igmp;

namespace {

std::string Igmp(std::string_view tail) {
    return PrivateOid("10." + std::string(tail));
}

const std::string kStateOid = ScalarOid(Igmp("1.1"));
// VLAN table columns.
const std::string kVlanId = Igmp("3.4.1.1");
const std::string kVlanState = Igmp("3.4.1.2");
const std::string kVlanQuerier = Igmp("3.4.1.4");
const std::string kVlanRouterPorts = Igmp("3.4.1.6");
const std::string kVlanFastLeave = Igmp("3.4.1.8");
const std::string kVlanName = PrivateOid("7.6.1.1");

constexpr char kRouterPortsQuestion[] = "All router ports will be deleted.";
constexpr char kVlanRouterPortsQuestion[] = "All router ports of this VLAN will be deleted.";
constexpr char kSelectVlan[] = "Please select Vlan first.";

// Values of one VLAN walk row, in column order.
enum VlanValue : std::size_t {
    kValueId,
    kValueName,
    kValueState,
    kValueQuerier,
    kValueFastLeave,
    kValueRouterPorts
};
// The group table has no group id column: the list numbers its rows.
enum GroupValue : std::size_t { kGroupVid, kGroupAddress, kGroupMac, kGroupPorts };

} // namespace

const CEnumTable& igmp::States() {
    static const CEnumTable table{
        {{kEnabled, "Enabled", "Enabled"}, {kDisabled, "Disabled", "Disabled"}},
        /*fallback=*/kDisabled};
    return table;
}

const std::array<TimerDef, kTimerCount>& igmp::Timers() {
    static const std::array<TimerDef, kTimerCount> timers{{
        {"1.3", 130, 153025, "Invalid Host Timeout (130-153025 sec).",
         "&Host Timeout(130-153025 sec)"},
        {"1.2", 60, 600, "Invalid Router Timeout (60-600 sec).", "R&outer Timeout(60-600 sec)"},
        {"1.4", 2, 255, "Invalid Robustness Variable (2-255).", "Ro&bustness Variable(2-255)"},
        {"1.5", 1, 25, "Invalid Last Member Query Interval (1-25 sec).",
         "&Last Member Query Interval(1-25 sec)"},
        {"1.6", 60, 600, "Invalid Query Interval (60-600 sec).", "&Query Interval(60-600 sec)"},
        {"1.7", 10, 25, "Invalid Max. Response Time (10-25 sec).", "&Max Response Time(10-25 sec)"},
    }};
    return timers;
}

CIgmpMib::CIgmpMib()
    : m_cVlanWalk(m_cCommonSNMPTable,
                  {kVlanId, kVlanName, kVlanState, kVlanQuerier, kVlanFastLeave, kVlanRouterPorts},
                  &VlanRowOf),
      m_cGroupWalk(m_cCommonSNMPGroup,
                   {Igmp("3.5.1.1"), Igmp("3.5.1.2"), Igmp("3.5.1.3"), Igmp("3.5.1.4")}, &GroupOf) {
}

bool CIgmpMib::ReadGlobal() {
    std::vector<std::string> instances{kStateOid};
    for (const TimerDef& timer : Timers()) {
        instances.push_back(ScalarOid(Igmp(timer.column)));
    }
    const auto values = ReadValues(m_cCommonSNMP, instances);
    if (!values.Ok() || values->size() != instances.size()) {
        return false;
    }
    m_global.state = IntegerOf((*values)[0]);
    for (std::size_t timer = 0; timer < kTimerCount; ++timer) {
        m_global.timers[timer] = IntegerOf((*values)[timer + 1]);
    }
    return true;
}

ApplyPlan CIgmpMib::PlanGlobal(const Global& old, bool enable, const TimerInput& typed) {
    ApplyPlan plan;
    CheckChain checks;
    for (std::size_t timer = 0; timer < kTimerCount; ++timer) {
        const TimerDef& def = Timers()[timer];
        const auto& value = typed[timer];
        checks.Require(value && *value >= def.low && *value <= def.high, def.refusal)
            .About(kTimerField, static_cast<int>(timer));
    }
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    const long state = enable ? kEnabled : kDisabled;
    if (!enable) {
        plan.questions.emplace_back(kRouterPortsQuestion);
    }
    if (state == kDisabled && old.state == kDisabled) {
        return plan;
    }
    if (old.state != state) {
        plan.Step({}).request.Integer(kStateOid, state);
    }
    if (enable) {
        CSetRequest values;
        for (std::size_t timer = 0; timer < kTimerCount; ++timer) {
            const long value = static_cast<long>(*typed[timer]);
            if (old.timers[timer] != value) {
                values.Integer(ScalarOid(Igmp(Timers()[timer].column)), value);
            }
        }
        if (!values.IsEmpty()) {
            plan.Step(std::move(values));
        }
    }
    return plan;
}

std::optional<VlanRow> CIgmpMib::VlanRowOf(const SnmpRow& row) {
    const std::optional<long> vid = IntegerOf(row.suffix);
    if (!vid || *vid < 1 || *vid > 4094) {
        return std::nullopt;
    }
    VlanRow added;
    added.vid = *vid;
    added.name = row.Value(kValueName);
    added.state = IntegerOf(row.Value(kValueState));
    added.querier = IntegerOf(row.Value(kValueQuerier));
    added.fastLeave = IntegerOf(row.Value(kValueFastLeave));
    added.routerPorts = row.Value(kValueRouterPorts);
    return added;
}

ApplyPlan CIgmpMib::PlanVlan(const VlanRow* picked, long state, long querier, long fastLeave) {
    ApplyPlan plan;
    CheckChain checks;
    checks.Require(picked != nullptr, kSelectVlan);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    // The row shows "Enabled" for 1 only.
    const bool wasEnabled = picked->state == kEnabled;
    if (state == kDisabled) {
        if (!wasEnabled) {
            return plan;
        }
        plan.questions.emplace_back(kVlanRouterPortsQuestion);
        plan.Step({}).request.Integer(InstanceOid(kVlanState, picked->vid), kDisabled);
    }
    CSetRequest& request = plan.Step({}).request;
    request.Integer(InstanceOid(kVlanQuerier, picked->vid), querier)
        .Integer(InstanceOid(kVlanFastLeave, picked->vid), fastLeave);
    if (state == kEnabled && !wasEnabled) {
        request.Integer(InstanceOid(kVlanState, picked->vid), kEnabled);
    }
    return plan;
}

ApplyPlan CIgmpMib::PlanRouterPorts(const VlanRow* picked, const PortFlags& ticked) const {
    ApplyPlan plan;
    CheckChain checks;
    checks.Require(picked != nullptr, kSelectVlan)
        .RequireAlike([&] { return m_cTrunkInfo.Alike(ticked); },
                      "Members of port channel must have the same status.");
    plan.refusal = checks.FirstRefusal();
    if (!plan.refusal) {
        plan.Request().OctetString(InstanceOid(kVlanRouterPorts, picked->vid),
                                   FixedLengthPortList(ticked));
    }
    return plan;
}

std::optional<GroupRow> CIgmpMib::GroupOf(const SnmpRow& row) {
    GroupRow group;
    group.vid = row.Value(kGroupVid);
    const std::string& address = row.Value(kGroupAddress);
    if (address.size() == 4) {
        char text[16];
        std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<unsigned char>(address[0]),
                      static_cast<unsigned char>(address[1]),
                      static_cast<unsigned char>(address[2]),
                      static_cast<unsigned char>(address[3]));
        group.address = text;
    }
    group.mac = FormatMacDash(row.Value(kGroupMac));
    const std::string& ports = row.Value(kGroupPorts);
    group.ports = PortBitsToRanges(ports, 1, DeviceValues().DevicePortCount).text;
    return group;
}
