// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/TrunkMib.h"

#include "features/common/SnmpRequests.h"
#include "platform/Trace.h"
#include "snmp/Snmp.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace trunk {

namespace {

constexpr unsigned kWalkStepTimeoutMs = 6000;

const CEnumTable kModes{{{kModeLacp, "LACP", "LACP"},
                         {kModeStatic, "Static", "Static"},
                         {kModeDisable, "Disable", "Disable"}},
                        kModeDisable};

int NumberOf(std::string_view text) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return (error == std::errc() && stop == end) ? number : 0;
}

long LongOf(const std::string& text) {
    return IntegerOf(text).value_or(0);
}

PortFlags FlagsOf(std::string_view portList, int portCount) {
    PortFlags flags(static_cast<std::size_t>(std::max(0, portCount)), 0);
    PortListToFlags(PortBitsToList(portList, portCount).text, flags, 1, portCount);
    return flags;
}

bool IsSet(const PortFlags& flags, std::size_t index) {
    return index < flags.size() && flags[index] != 0;
}

// Indexes of the ticked ports, in port order.
std::vector<std::size_t> Selected(const PortFlags& candidate, std::size_t portCount) {
    std::vector<std::size_t> selected;
    for (std::size_t i = 0; i < std::min(candidate.size(), portCount); ++i) {
        if (candidate[i] != 0) {
            selected.push_back(i);
        }
    }
    return selected;
}

// Some selected ports are in the set and others are not.
bool Mixed(const PortFlags& set, const std::vector<std::size_t>& selected) {
    bool in = false;
    bool out = false;
    for (std::size_t i : selected) {
        (IsSet(set, i) ? in : out) = true;
    }
    return in && out;
}

bool MixedInAny(const std::vector<PortFlags>& sets, const std::vector<std::size_t>& selected) {
    return std::any_of(sets.begin(), sets.end(),
                       [&](const PortFlags& set) { return Mixed(set, selected); });
}

// The value of the first selected port whose value is not 0 (0 when there is none).
template <class Get>
long Reference(const std::vector<PortAdmission>& ports, const std::vector<std::size_t>& selected,
               Get get) {
    for (std::size_t i : selected) {
        if (const long value = get(ports[i]); value != 0) {
            return value;
        }
    }
    return 0;
}

// One rule that walks the ports once: for each selected port the conditions in their order;
// the first that holds settles the outcome.
struct Condition {
    std::function<bool(const PortAdmission&)> holds;
    const char* message;
};
// A refusal about the member ports, and about port `index` + 1 when one is to blame.
Refusal MembersRefusal(std::string text, std::optional<std::size_t> index = std::nullopt) {
    return Refusal{std::move(text)}.About(kMembersField, index ? static_cast<int>(*index) + 1 : -1);
}

std::optional<Refusal> FirstMatch(const std::vector<PortAdmission>& ports,
                                  const std::vector<std::size_t>& selected,
                                  const std::vector<Condition>& conditions) {
    for (std::size_t i : selected) {
        for (const Condition& condition : conditions) {
            if (condition.holds(ports[i])) {
                return MembersRefusal(condition.message, i);
            }
        }
    }
    return std::nullopt;
}

bool StpDiffers(const PortAdmission& port, const PortAdmission& first) {
    for (std::size_t s = 0; s < kStpSettings; ++s) {
        // The third setting (the path cost) counts only where one side is set.
        if (s == 2 && port.stp[s] == 0 && first.stp[s] == 0) {
            continue;
        }
        if (port.stp[s] != first.stp[s]) {
            return true;
        }
    }
    return false;
}

void TraceStp(const PortAdmission& port) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "temp1 = %ld, temp2 = %ld,temp3 = %ld,temp4 = %ld,temp5 = %ld,temp6 = %ld,"
                  "temp7 = %ld",
                  port.stp[0], port.stp[1], port.stp[2], port.stp[3], port.stp[4], port.stp[5],
                  port.stp[6]);
    platform::DebugTrace(line);
}

bool IsHalfDuplex(long speed) {
    return speed == 3 || speed == 5;
}

} // namespace

std::string StateOid() {
    return ScalarOid(PrivateOid("8.1.2"));
}

std::string MemberColumn() {
    return PrivateOid("8.1.3.1.2");
}

std::string ModeColumn() {
    return PrivateOid("8.1.3.1.3");
}

const CEnumTable& Modes() {
    return kModes;
}

std::optional<TrunkRow> TrunkRowOf(const SnmpRow& row, int portCount) {
    const int id = NumberOf(row.suffix);
    if (id <= 0) {
        return std::nullopt;
    }
    TrunkRow trunkRow;
    trunkRow.id = id;
    trunkRow.mode = kModes.Known(IntegerOf(row.Value(1))).value_or(kModeDisable);
    trunkRow.members = FlagsOf(row.Value(0), portCount);
    trunkRow.memberList = PortBitsToList(row.Value(0), portCount).text;
    return trunkRow;
}

ApplyPlan PlanMode(const ModeInput& input) {
    ApplyPlan plan;
    CheckChain checks;
    checks.Require(input.enableChecked, "Link Aggregation State is disable.").About(kEnableField);
    if (checks.Passed() && input.trunkId && input.chosenMode != input.rowMode) {
        checks.Require(input.rowMemberCount > 0,
                       "The minimum port numbers for an aggregated link is 2.");
        if (checks.Passed()) {
            plan.Step(CSetRequest().Integer(InstanceOid(ModeColumn(), *input.trunkId),
                                            input.chosenMode))
                .trace = "state = %d ";
        }
    }
    plan.refusal = checks.FirstRefusal();
    return plan;
}

ApplyPlan PlanState(bool enable) {
    ApplyPlan plan;
    plan.Request().Integer(StateOid(), enable ? kStateEnabled : kStateDisabled);
    return plan;
}

std::optional<Refusal> CheckPortMember(long chosenMode, bool trunkPicked) {
    CheckChain checks;
    checks
        .Require(chosenMode != kModeDisable,
                 "Please select the Channel Mode (LACP or Static) first.")
        .Require(trunkPicked, "Please select the Trunk !");
    return checks.FirstRefusal();
}

AdmissionData::AdmissionData(int portCount)
    : ports(static_cast<std::size_t>(std::max(0, portCount))), mirrorRx(ports.size(), 0),
      mirrorTx(ports.size(), 0) {}

std::optional<Refusal> CheckMembers(const AdmissionData& data, const PortFlags& candidate,
                                    int trunkId,
                                    const std::function<std::optional<GlobalStates>()>& reread) {
    const auto& ports = data.ports;
    const std::vector<std::size_t> selected = Selected(candidate, ports.size());
    const auto count = static_cast<int>(selected.size());
    const auto ref = [&](auto get) { return Reference(ports, selected, get); };
    const auto refuse = [](std::string text, std::optional<std::size_t> index = std::nullopt) {
        return MembersRefusal(std::move(text), index);
    };
    if (count < kMinMembers) {
        return refuse("The mininum port members for an aggregated link is 2 !");
    }
    if (count > kMaxMembers) {
        return refuse("The maxinum port member for an aggregated link is exceeded !");
    }
    GlobalStates globals = data.globals;
    const PortAdmission& first = ports[selected.front()];
    const long media = ref([](const PortAdmission& p) { return p.media; });
    const long speed = ref([](const PortAdmission& p) { return p.speed; });
    const long dhcp = ref([](const PortAdmission& p) { return long{p.dhcpScreening}; });
    const long priority = ref([](const PortAdmission& p) { return p.priority; });
    const long pvid = ref([](const PortAdmission& p) { return p.pvid; });
    const bool dot1xOn = globals.dot1x == 1;

    // Rules 1 to 12, each a walk over the ports (or the sets) in its order.
    using Rule = std::function<std::optional<Refusal>()>;
    const auto walk = [&](std::vector<Condition> conditions) -> Rule {
        return [&, conditions = std::move(conditions)] {
            return FirstMatch(ports, selected, conditions);
        };
    };
    const auto when = [](bool refused, const char* message) -> Rule {
        return [=]() -> std::optional<Refusal> {
            return refused ? std::optional<Refusal>(MembersRefusal(message)) : std::nullopt;
        };
    };
    const std::vector<Rule> rules = {
        walk({{[&](const PortAdmission& p) { return p.trunkGroup != 0 && p.trunkGroup != trunkId; },
               "Cannot add the port as it is a member of another aggregated link !"}}),
        walk({{[&](const PortAdmission& p) { return p.media != media; },
               "Cannot add ports of different types to an aggregated link !"}}),
        walk({{[&](const PortAdmission&) { return IsHalfDuplex(speed); },
               "Cannot add a port in half-duplex mode to an aggregated link."},
              {[&](const PortAdmission& p) { return p.speed != speed; },
               "Cannot add ports of different speed to an aggregated link."}}),
        walk({{[&](const PortAdmission& p) { return long{p.dhcpScreening} != dhcp; },
               "Cannot add ports with different DHCP Server Screening Port Settings to an "
               "aggregated link."}}),
        walk({{[&](const PortAdmission& p) { return dot1xOn && p.dot1x == 2; },
               "Cannot add the 802.1X-enabled port to an aggregated link."},
              {[&](const PortAdmission& p) { return dot1xOn && p.dot1x == 1; },
               "Setting the Channel Mode Fail."}}),
        when(MixedInAny(data.vlanEgress, selected) || MixedInAny(data.vlanUntagged, selected),
             "Cannot add ports with different VLAN configurations to an aggregated link !"),
        walk({{[](const PortAdmission& p) { return !p.autoLearning; },
               "Cannot add a Auto-learn disabled port to an aggregated link."}}),
        walk({{[&](const PortAdmission& p) { return p.priority != priority; },
               "Cannot add ports with different 802.1p default priorities to an aggregated "
               "link."},
              {[&](const PortAdmission& p) { return p.pvid != pvid; },
               "Cannot add ports with different PVIDs to an aggregated link."},
              {[](const PortAdmission& p) { return p.security == 1; },
               "Cannot add a port-security anabled port to an aggregated link."},
              {[](const PortAdmission& p) { return p.loopback == 1; },
               "Cannot add a LBD-enabled port to an aggregated link."}}),
        when(Mixed(data.mirrorRx, selected) || Mixed(data.mirrorTx, selected),
             "Cannot add ports of Port Mirror enable ports to an aggregated link."),
        when(data.mirrorState == 1 && data.mirrorTarget >= 1 &&
                 IsSet(candidate, static_cast<std::size_t>(data.mirrorTarget - 1)) &&
                 static_cast<std::size_t>(data.mirrorTarget) <= ports.size(),
             "Cannot add a mirror port to an aggregated link."),
        when(MixedInAny(data.arpPorts, selected),
             "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link."),
        walk({{[&](const PortAdmission& p) { return p.rate != first.rate; },
               "Cannot add ports with different rate control configurations to an aggregated "
               "link."}}),
    };
    for (const Rule& rule : rules) {
        if (auto refusal = rule()) {
            return refusal;
        }
    }

    // Rule 13: the global states are read again first.
    if (reread) {
        if (auto again = reread()) {
            globals = *again;
        }
    }
    platform::DebugTrace("m_iRstpEnable =  " + std::to_string(globals.spanningTree) + " ");
    if (globals.spanningTree == 1) {
        for (std::size_t i : selected) {
            if (i == selected.front()) {
                continue;
            }
            TraceStp(ports[i]);
            if (StpDiffers(ports[i], first)) {
                return refuse("Cannot add a port with different RSTP port setting to an "
                              "aggregated link. ",
                              i);
            }
        }
    }

    const std::vector<Rule> lastRules = {
        walk({{[](const PortAdmission& p) { return p.voiceMode == 1; },
               "Cannot add a port in Voice Vlan Auto mode to an aggregated link."}}),
        walk({{[](const PortAdmission& p) { return p.fdbDestination; },
               "Cannot add ports with different FDB-destination-hit configurations to an "
               "aggregated link."}}),
        when(MixedInAny(data.aclPorts, selected),
             "Cannot add an ACL enabled port to an aggregated link."),
    };
    for (const Rule& rule : lastRules) {
        if (auto refusal = rule()) {
            return refusal;
        }
    }

    // Rule 17 walks every port and shows each one's surveillance state.
    const bool surveillanceOn = globals.surveillance == 1;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        platform::DebugTrace("m_CameraVlanState[" + std::to_string(i) +
                             "] = " + std::to_string(ports[i].survState));
        if (!surveillanceOn || !IsSet(candidate, i)) {
            continue;
        }
        if (ports[i].survState == 1) {
            return refuse("Cannot add a port in  Auto Surveillance VLAN Auto mode to an "
                          "aggregated link",
                          i);
        }
        if (ports[i].survMode == 2) {
            return refuse("Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an "
                          "aggregated link",
                          i);
        }
    }
    return std::nullopt;
}

CSetRequest MembersRequest(int trunkId, const PortFlags& members, long mode) {
    CSetRequest request;
    request.OctetString(InstanceOid(MemberColumn(), trunkId), PortFlagsToPortList(members))
        .Integer(InstanceOid(ModeColumn(), trunkId), mode);
    return request;
}

} // namespace trunk

using namespace trunk;

CTrunkMib::CTrunkMib(int portCount)
    : m_cTrunkWalk(m_cCommonSNMPTable, {MemberColumn(), ModeColumn()},
                   [portCount](const SnmpRow& row) { return TrunkRowOf(row, portCount); }) {}

const TrunkRow* CTrunkMib::RowOf(int id) const {
    const auto& rows = m_cTrunkWalk.Rows();
    const auto found = std::find_if(rows.rbegin(), rows.rend(),
                                    [id](const TrunkRow& row) { return row.id == id; });
    return found != rows.rend() ? &*found : nullptr;
}

std::optional<long> CTrunkMib::ReadState() {
    const auto values = ReadValues(m_cCommonSNMP, {StateOid()});
    if (!values) {
        return std::nullopt;
    }
    return IntegerOf((*values)[0]);
}

CTrunkAdmission::CTrunkAdmission(int portCount)
    : m_cWalk(m_cCommonSNMPTable, {}, kWalkStepTimeoutMs), m_nPortCount(std::max(0, portCount)),
      m_data(m_nPortCount), m_reading(m_nPortCount) {
    BuildSteps();
    m_cWalk.OnRow(this, [this](const SnmpRow& row) {
        if (m_nStep < m_steps.size()) {
            m_steps[m_nStep].onRow(row);
        }
    });
    m_cWalk.OnFinished(this, [this](int status) { EndStep(status); });
}

void CTrunkAdmission::StartRead(std::function<void(bool complete)> done) {
    m_done = std::move(done);
    m_reading = AdmissionData(m_nPortCount);
    m_nStep = 0;
    if (!ReadScalars()) {
        m_cWalk.Abandon();
        if (m_done) {
            m_done(false);
        }
        return;
    }
    StartStep();
}

void CTrunkAdmission::StartStep() {
    m_cWalk.SetColumns(m_steps[m_nStep].columns);
    m_cWalk.Start();
}

void CTrunkAdmission::EndStep(int status) {
    if (status != kSnmpEndOfTable) {
        if (m_done) {
            m_done(false);
        }
        return;
    }
    if (++m_nStep < m_steps.size()) {
        StartStep();
        return;
    }
    m_data = m_reading;
    m_bRead = true;
    if (m_done) {
        m_done(true);
    }
}

std::optional<GlobalStates> CTrunkAdmission::ReadGlobals() {
    const auto values =
        ReadValues(m_cCommonSNMP, {ScalarOid(PrivateOid("11.2.1")), ScalarOid(PrivateOid("6.1.1")),
                                   ScalarOid(PrivateOid("26.1.1"))});
    if (!values) {
        return std::nullopt;
    }
    return GlobalStates{LongOf((*values)[0]), LongOf((*values)[1]), LongOf((*values)[2])};
}

bool CTrunkAdmission::ReadScalars() {
    const auto globals = ReadGlobals();
    if (!globals) {
        return false;
    }
    const auto values =
        ReadValues(m_cCommonSNMP, {ScalarOid(PrivateOid("18.1")), ScalarOid(PrivateOid("18.2")),
                                   ScalarOid(PrivateOid("18.3")), ScalarOid(PrivateOid("18.4")),
                                   ScalarOid(PrivateOid("9.2")), ScalarOid(PrivateOid("14.7.1"))});
    if (!values) {
        return false;
    }
    const auto& v = *values;
    m_reading.globals = *globals;
    m_reading.mirrorState = LongOf(v[0]);
    m_reading.mirrorTarget = LongOf(v[1]);
    m_reading.mirrorRx = FlagsOf(v[2], m_nPortCount);
    m_reading.mirrorTx = FlagsOf(v[3], m_nPortCount);
    const PortFlags learning = FlagsOf(v[4], m_nPortCount);
    const PortFlags screening = FlagsOf(v[5], m_nPortCount);
    for (std::size_t i = 0; i < m_reading.ports.size(); ++i) {
        m_reading.ports[i].autoLearning = IsSet(learning, i);
        m_reading.ports[i].dhcpScreening = IsSet(screening, i);
    }
    return true;
}

PortAdmission* CTrunkAdmission::PortOf(const std::string& suffix) {
    const int port = NumberOf(suffix);
    return port >= 1 && port <= m_nPortCount ? &m_reading.ports[static_cast<std::size_t>(port - 1)]
                                             : nullptr;
}

void CTrunkAdmission::BuildSteps() {
    // A per-port table: the row's index is the port.
    const auto perPort = [this](std::vector<std::string> columns,
                                std::function<void(PortAdmission&, const SnmpRow&)> set) {
        m_steps.push_back({std::move(columns), [this, set = std::move(set)](const SnmpRow& row) {
                               if (PortAdmission* port = PortOf(row.suffix)) {
                                   set(*port, row);
                               }
                           }});
    };
    const auto one = [](long PortAdmission::*field) {
        return [field](PortAdmission& p, const SnmpRow& row) { p.*field = LongOf(row.Value(0)); };
    };
    perPort({PrivateOid("1.13.1.2"), PrivateOid("1.13.1.7")},
            [](PortAdmission& p, const SnmpRow& row) {
                p.speed = LongOf(row.Value(0));
                p.media = LongOf(row.Value(1));
            });
    perPort({PrivateOid("12.3.1.1.2")}, one(&PortAdmission::priority));
    perPort({PrivateOid("7.7.1.1")}, one(&PortAdmission::pvid));
    perPort({PrivateOid("14.2.1.1.2")}, one(&PortAdmission::security));
    perPort({PrivateOid("17.4.1.2")}, one(&PortAdmission::loopback));
    perPort({PrivateOid("13.1.2.1.2"), PrivateOid("13.1.2.1.3")},
            [](PortAdmission& p, const SnmpRow& row) {
                p.rate = {LongOf(row.Value(0)), LongOf(row.Value(1))};
            });
    perPort({PrivateOid("6.2.1.4"), PrivateOid("6.2.1.2"), PrivateOid("6.2.1.5"),
             PrivateOid("6.2.1.16"), PrivateOid("6.2.1.18"), PrivateOid("6.2.1.17"),
             PrivateOid("6.2.1.14")},
            [](PortAdmission& p, const SnmpRow& row) {
                for (std::size_t s = 0; s < kStpSettings; ++s) {
                    p.stp[s] = LongOf(row.Value(s));
                }
            });
    perPort({PrivateOid("11.2.9.1.2")}, one(&PortAdmission::dot1x));
    perPort({PrivateOid("21.1.6.1.2")}, one(&PortAdmission::voiceMode));
    perPort({PrivateOid("26.1.5.1.2"), PrivateOid("26.1.5.1.3")},
            [](PortAdmission& p, const SnmpRow& row) {
                p.survState = LongOf(row.Value(0));
                p.survMode = LongOf(row.Value(1));
            });
    // The destination port of every static FDB entry.
    m_steps.push_back({{PrivateOid("9.3.1.3")}, [this](const SnmpRow& row) {
                           const long port = LongOf(row.Value(0));
                           if (port >= 1 && port <= m_nPortCount) {
                               m_reading.ports[static_cast<std::size_t>(port - 1)].fdbDestination =
                                   true;
                           }
                       }});
    m_steps.push_back({{MemberColumn()}, [this](const SnmpRow& row) {
                           const int group = NumberOf(row.suffix);
                           const PortFlags members = FlagsOf(row.Value(0), m_nPortCount);
                           for (std::size_t i = 0; group > 0 && i < m_reading.ports.size(); ++i) {
                               if (IsSet(members, i)) {
                                   m_reading.ports[i].trunkGroup = group;
                               }
                           }
                       }});
    m_steps.push_back({{PrivateOid("7.6.1.2"), PrivateOid("7.6.1.4")}, [this](const SnmpRow& row) {
                           m_reading.vlanEgress.push_back(FlagsOf(row.Value(0), m_nPortCount));
                           m_reading.vlanUntagged.push_back(FlagsOf(row.Value(1), m_nPortCount));
                       }});
    m_steps.push_back({{PrivateOid("14.3.1.1.3")}, [this](const SnmpRow& row) {
                           m_reading.arpPorts.push_back(FlagsOf(row.Value(0), m_nPortCount));
                       }});
    m_steps.push_back({{PrivateOid("15.2.1.1.10")}, [this](const SnmpRow& row) {
                           m_reading.aclPorts.push_back(FlagsOf(row.Value(0), m_nPortCount));
                       }});
}
