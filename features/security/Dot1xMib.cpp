// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/Dot1xMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/InputChecks.h"
#include "snmp/TextParsing.h"

#include <algorithm>

namespace dot1x {

namespace {

std::string X(const std::string& tail) {
    return PrivateOid("11." + tail);
}

struct TimerRange {
    std::int64_t low;
    std::int64_t high;
    const char* refusal;
};
constexpr std::array<TimerRange, 6> kTimerRanges = {{
    {0, 65535, "Invalid QuietPeriod (0-65535)"},
    {1, 65535, "Invalid TxPeriod (1-65535)"},
    {1, 65535, "Invalid SuppTimeout (1-65535)"},
    {1, 65535, "Invalid ServerTimeout (1-65535)"},
    {1, 10, "Invalid MaxReq (1-10)"},
    {1, 4294967295LL, "Invalid ReAuthPeriod (1-4294967295)"},
}};
constexpr std::size_t kReAuthPeriod = 5;

std::optional<std::int64_t> Number(const std::string& text) {
    return text_parsing::ParseDecimal(text_parsing::TrimBlanks(text), INT64_MAX / 10);
}

// "0.0.0.0" and a first or last part of 0 or 255 are no RADIUS server.
bool UsableServer(int filledFields, const std::string& dotted) {
    const auto number = IpToNumber(dotted);
    if (filledFields != 4 || !number) {
        return false;
    }
    const auto first = *number >> 24, last = *number & 0xff;
    return *number != 0 && first != 0 && first != 255 && last != 0 && last != 255;
}

} // namespace

std::string StateOid() {
    return ScalarOid(X("2.1"));
}
std::string ServerOid() {
    return ScalarOid(X("1.1"));
}
std::string KeyOid() {
    return ScalarOid(X("1.2"));
}
std::vector<std::string> TimerOids() {
    std::vector<std::string> oids;
    for (int object = 2; object <= 8; ++object) {
        oids.push_back(ScalarOid(X("2." + std::to_string(object))));
    }
    return oids;
}
std::string PortControlColumn() {
    return X("2.9.1.2");
}
std::string PortStatusColumn() {
    return X("2.9.1.3");
}

const CEnumTable& ReAuthStates() {
    static const CEnumTable table{{{1, "Enable", "Enable"}, {2, "Disabled", "Disabled"}}, 2};
    return table;
}

const CEnumTable& PortControls() {
    static const CEnumTable table{{{1, "Force Unauthorized", "Force Unauthorized"},
                                   {2, "Auto", "Auto"},
                                   {3, "Force Authorized", "Force Authorized"},
                                   {0, "other", ""}},
                                  0};
    return table;
}

const CEnumTable& PortStatuses() {
    static const CEnumTable table{
        {{1, "Authorized", ""}, {2, "Unauthorized", ""}, {0, "other", ""}}, 0};
    return table;
}

KeyEdit CutKey(const std::string& text, int caret) {
    // Characters, not bytes: a key typed in UTF-8 is cut between characters.
    std::size_t characters = 0, at = 0;
    while (at < text.size() && characters < static_cast<std::size_t>(kKeyLength)) {
        const auto lead = static_cast<unsigned char>(text[at]);
        at += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        ++characters;
    }
    return {text.substr(0, std::min(at, text.size())), std::min(caret, kKeyLength)};
}

Settings SettingsOf(const std::vector<std::string>& values) {
    Settings settings;
    const auto value = [&](std::size_t i) { return i < values.size() ? values[i] : std::string(); };
    settings.state = IntegerOf(value(0));
    settings.server = IpToNumber(value(1)) ? value(1) : std::string();
    settings.key = value(2);
    for (std::size_t i = 0; i < settings.timers.size(); ++i) {
        const auto number = IntegerOf(value(3 + i));
        settings.timers[i] = number ? std::to_string(*number) : std::string();
    }
    settings.reAuthEnabled = IntegerOf(value(9));
    return settings;
}

ApplyPlan PlanSettings(const SettingsInput& input) {
    ApplyPlan plan;
    if (input.state != 1) {
        plan.Step(CSetRequest().Integer(StateOid(), input.state));
        return plan;
    }
    CheckChain checks;
    checks
        .Require(UsableServer(input.filledServerFields, input.server),
                 "Invalid RADIUS Server IP Address.")
        .About(kServerField)
        .Require(!input.key.empty(), "Invalid Key.")
        .About(kKeyField)
        .Require(input.key == input.confirm, "Please confirm the key again !")
        .About(kConfirmField);
    std::array<std::int64_t, 6> timers{};
    for (std::size_t i = 0; i < kTimerRanges.size(); ++i) {
        const auto number = Number(input.timers[i]);
        checks
            .Require(number && *number >= kTimerRanges[i].low && *number <= kTimerRanges[i].high,
                     kTimerRanges[i].refusal)
            .About(kTimerField, static_cast<int>(i));
        timers[i] = number.value_or(0);
    }
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    CSetRequest server;
    server.IpAddress(ServerOid(), input.server).OctetString(KeyOid(), input.key);
    CSetRequest on;
    on.Integer(StateOid(), 1);
    CSetRequest timerRequest;
    const std::vector<std::string> oids = TimerOids();
    for (std::size_t i = 0; i < timers.size(); ++i) {
        if (i == kReAuthPeriod) {
            timerRequest.Unsigned(oids[i], std::to_string(timers[i]));
        } else {
            timerRequest.Integer(oids[i], static_cast<long>(timers[i]));
        }
    }
    timerRequest.Integer(oids.back(), input.reAuthEnabled);
    plan.Step(std::move(server));
    plan.Step(std::move(on));
    plan.Step(std::move(timerRequest));
    return plan;
}

ApplyPlan PlanPortControl(const PortControlInput& input) {
    ApplyPlan plan;
    const auto inRange = [&](int port) { return port >= input.fromPort && port <= input.toPort; };
    bool aggregated = false;
    int outsideUnauthorized = 0, outsideAuto = 0;
    for (int port = 1; port <= input.portCount; ++port) {
        const auto at = static_cast<std::size_t>(port - 1);
        if (inRange(port)) {
            aggregated = aggregated || (at < input.trunkPorts.size() && input.trunkPorts[at] != 0);
            continue;
        }
        const long control = at < input.controls.size() ? input.controls[at] : 0;
        outsideUnauthorized += control == 1 ? 1 : 0;
        outsideAuto += control == 2 ? 1 : 0;
    }
    const int range =
        std::max(0, std::min(input.toPort, input.portCount) - std::max(input.fromPort, 1) + 1);
    const long c = input.control;
    const int n = input.portCount;
    CheckChain checks;
    checks.Require(!aggregated, "Cannot add an aggregated link to the 802.1X-enabled port")
        .About(kPortRangeField)
        .Require(!(c == 1 && range + outsideUnauthorized == n),
                 "Could not set all port  Force Unauthorized to the port access control.")
        .About(kPortControlField)
        .Require(!(c == 2 && range + outsideAuto == n),
                 "Could not set all port AUTO  to the port access control.")
        .About(kPortControlField)
        .Require(!((c == 1 || c == 2) && range + outsideUnauthorized + outsideAuto == n),
                 "Could not set all port AUTO or Force Unauthorized to the port access control.")
        .About(kPortControlField)
        .Require(range > 0 && PortControls().Contains(c) && c != 0, "Invalid port range.")
        .About(kPortRangeField);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    CSetRequest batch;
    for (int port = std::max(input.fromPort, 1); port <= std::min(input.toPort, n); ++port) {
        batch.Integer(InstanceOid(PortControlColumn(), port), c);
        if (batch.Size() == static_cast<std::size_t>(kBatchSize)) {
            plan.Step(std::move(batch), 0, kBatchPauseMs).onFailure = SetStep::OnFailure::GoOn;
            batch = CSetRequest();
        }
    }
    if (!batch.IsEmpty()) {
        plan.Step(std::move(batch)).onFailure = SetStep::OnFailure::GoOn;
    }
    return plan;
}

} // namespace dot1x

using namespace dot1x;

namespace {

// The objects without their ".0": a get-next of each returns its instance.
std::vector<std::string> SettingsObjects() {
    std::vector<std::string> objects;
    for (const std::string& instance : [] {
             std::vector<std::string> all = {StateOid(), ServerOid(), KeyOid()};
             for (const std::string& oid : TimerOids()) {
                 all.push_back(oid);
             }
             return all;
         }()) {
        objects.push_back(instance.substr(0, instance.size() - 2));
    }
    return objects;
}

} // namespace

CDot1xMib::CDot1xMib() : m_cReadWalk(m_cCommonSNMP, SettingsObjects()) {}

CDot1xMib::~CDot1xMib() = default;

void CDot1xMib::StartRead(const QObject* receiver, std::function<void(const Settings&)> read) {
    // The step after the scalars leaves them: the walk ends there.
    m_cReadWalk.OnRow(receiver, [read = std::move(read)](const SnmpRow& row) {
        if (row.suffix == "0" && read) {
            read(SettingsOf(row.values));
        }
    });
    m_cReadWalk.Start();
}

CDot1xPortMib::CDot1xPortMib()
    : m_cWalk(m_cCommonSNMPTable, {PortStatusColumn(), PortControlColumn()}) {}

CDot1xPortMib::~CDot1xPortMib() = default;

void CDot1xPortMib::StartWalk(const QObject* receiver, std::function<void(const PortRow&)> row,
                              std::function<void(int)> done) {
    m_cWalk.OnRow(receiver, [row = std::move(row)](const SnmpRow& r) {
        row({IntegerOf(r.suffix).value_or(0), IntegerOf(r.Value(0)), IntegerOf(r.Value(1))});
    });
    m_cWalk.OnFinished(receiver, std::move(done));
    m_cWalk.Start();
}
