// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/SpanningTreeMib.h"

#include "features/common/SnmpRequests.h"

#include <cstdio>

namespace stp {

namespace {

constexpr const char* kBridge = "1.3.6.1.2.1.17.2";

std::string Hex(const std::string& octets, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(octets[i]));
        text += (i == 0 ? "" : separator) + std::string(pair);
    }
    return text;
}

bool Within(const std::optional<long long>& value, long long low, long long high) {
    return value && *value >= low && *value <= high;
}

} // namespace

std::string BridgeOid(const char* tail) {
    return ScalarOid(std::string(kBridge) + "." + tail);
}
std::string RstpStateOid() {
    return ScalarOid(PrivateOid("6.1.1"));
}
std::string VersionOid() {
    return ScalarOid(PrivateOid("6.1.2"));
}
std::string PortColumn(int n) {
    return std::string(kBridge) + ".15.1." + std::to_string(n);
}
std::string PortCostColumn() {
    return PrivateOid("6.2.1.5");
}

const CEnumTable& Versions() {
    static const CEnumTable table{{{2, "RSTP", "RSTP"}, {0, "STP Compatible", "STP Compatible"}}};
    return table;
}

const CEnumTable& PortStates() {
    static const CEnumTable table{{{1, "Disabled", ""},
                                   {2, "Blocked", ""},
                                   {3, "Monitored", ""},
                                   {4, "Learn", ""},
                                   {5, "Forward", ""},
                                   {6, "Token", ""}}};
    return table;
}

std::string BridgeIdText(const std::string& octets) {
    return octets.size() == 8 ? Hex(octets, ":") : std::string();
}

std::string DesignatedPortText(const std::string& octets) {
    return octets.size() == 2 ? Hex(octets, " ") : std::string();
}

std::string EnableText(const std::string& value) {
    return IntegerOf(value) == 1 ? "Y" : "N";
}

std::vector<std::string> PortCells(const std::vector<std::string>& values) {
    auto value = [&values](std::size_t column) {
        return column < values.size() ? values[column] : std::string();
    };
    auto number = [&value](std::size_t column) {
        const auto n = IntegerOf(value(column));
        return n ? std::to_string(*n) : std::string();
    };
    return {number(0),
            number(1),
            number(4),
            EnableText(value(3)),
            PortStates().Cell(IntegerOf(value(2))),
            BridgeIdText(value(5)),
            number(6),
            BridgeIdText(value(7)),
            DesignatedPortText(value(8)),
            number(9)};
}

std::optional<PortRow> PortRowOf(const SnmpRow& row) {
    return PortRow{IntegerOf(row.Value(0)), PortCells(row.values)};
}

std::optional<Refusal> CheckBridge(const BridgeInput& input) {
    const long long age = input.age.value_or(0), delay = input.delay.value_or(0),
                    hello = input.hello.value_or(0);
    CheckChain checks;
    checks
        .Require(Within(input.age, 600, 4000),
                 "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !")
        .About(kAgeField)
        .Require(Within(input.delay, 400, 3000),
                 "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !")
        .About(kDelayField)
        .Require(Within(input.hello, 100, 1000),
                 "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !")
        .About(kHelloField)
        // A relation is about both of its inputs: the first of them, Max Age, takes the focus.
        .Require(age >= 2 * hello + 200,
                 "To set the parameters Hello Time and Max Age the following relation is to be "
                 "satisfied: \nMax Age >= (2*(Hello Time + 1.0))")
        .About(kAgeField)
        .Require(age <= 2 * delay - 200,
                 "To set the parameters Forward Delay and Max Age, the following relation is to "
                 "be satisfied: \n2*(Forward Delay - 1) >= Max Age")
        .About(kAgeField);
    return checks.FirstRefusal();
}

std::vector<SetStep> BridgeSteps(const BridgeInput& input, bool wasEnabled) {
    std::vector<SetStep> steps;
    auto step = [&steps](CSetRequest request, unsigned timeoutMs = 0, unsigned pauseMs = 0) {
        SetStep& added = steps.emplace_back();
        added.request = std::move(request);
        added.timeoutMs = timeoutMs;
        added.pauseMs = pauseMs;
    };
    if (!input.enabled) {
        step(CSetRequest().Integer(RstpStateOid(), 2), 0, 30);
        return steps;
    }
    if (!wasEnabled) {
        step(CSetRequest().Integer(RstpStateOid(), 1), CSpanningTreeMib::kEnableTimeoutMs);
    }
    // The widest hello and delay first: any max age of the range fits them.
    step(CSetRequest().Integer(BridgeOid("13"), 100).Integer(BridgeOid("14"), 3000), 0, 50);
    step(CSetRequest().Integer(BridgeOid("12"), static_cast<long>(input.age.value_or(0))));
    step(CSetRequest().Integer(BridgeOid("14"), static_cast<long>(input.delay.value_or(0))));
    step(CSetRequest().Integer(BridgeOid("13"), static_cast<long>(input.hello.value_or(0))));
    step(CSetRequest().Integer(BridgeOid("2"), input.priority).Integer(VersionOid(), input.version),
         0, 30);
    return steps;
}

ApplyPlan PlanBridge(const BridgeInput& input, bool wasEnabled) {
    ApplyPlan plan;
    plan.refusal = CheckBridge(input);
    if (!plan.refusal) {
        plan.steps = BridgeSteps(input, wasEnabled);
    }
    return plan;
}

ApplyPlan PlanPort(const PortInput& input, const PortValues& lastRead, bool trunkMember) {
    ApplyPlan plan;
    const long enable = input.enabled ? 1 : 2;
    const bool differs = !input.cost || lastRead.cost != *input.cost ||
                         lastRead.priority != input.priority || lastRead.enable != enable;
    CheckChain checks;
    checks.Require(Within(input.cost, 0, 200000000), "Invalid Path Cost(1-200000000)")
        .Require(!trunkMember || !differs,
                 "Cannot add ports with different STP configurations to an aggregated link.");
    plan.refusal = checks.FirstRefusal();
    if (!plan.refusal && !trunkMember) {
        plan.Request()
            .Integer(InstanceOid(PortColumn(2), input.port), input.priority)
            .Integer(InstanceOid(PortCostColumn(), input.port), static_cast<long>(*input.cost))
            .Integer(InstanceOid(PortColumn(4), input.port), enable);
    }
    return plan;
}

} // namespace stp

namespace {

std::vector<std::string> PortColumns() {
    std::vector<std::string> columns;
    for (int n = 1; n <= 10; ++n) {
        columns.push_back(stp::PortColumn(n));
    }
    return columns;
}

} // namespace

CSpanningTreeMib::CSpanningTreeMib()
    : m_cPortWalk(m_cCommonSNMPTable, PortColumns(), &stp::PortRowOf) {}

void CSpanningTreeMib::StartBridgeRead(std::function<void(bool read)> done) {
    using stp::BridgeOid;
    std::vector<CBackgroundRequest::Binding> bindings;
    for (const std::string& oid :
         {BridgeOid("2"), BridgeOid("3"), BridgeOid("4"), BridgeOid("5"), BridgeOid("7"),
          BridgeOid("12"), BridgeOid("13"), BridgeOid("14"), BridgeOid("9"), BridgeOid("10"),
          BridgeOid("11"), stp::RstpStateOid(), stp::VersionOid()}) {
        bindings.push_back({oid, kSnmpNull, ""});
    }
    m_cBridgeRead.OnDone(this, [this, done](const auto& answer) { done(TakeBridge(answer)); });
    m_cBridgeRead.Start(kPduGet, bindings, m_cCommonSNMP.TimeoutMs());
}

bool CSpanningTreeMib::TakeBridge(const CBackgroundRequest::Answer& answer) {
    if (answer.status != 0 || answer.values.size() < 13) {
        return false;
    }
    const auto& v = answer.values;
    auto number = [](const std::string& text) {
        const auto n = IntegerOf(text);
        return n ? std::to_string(*n) : std::string();
    };
    m_bridge.priority = IntegerOf(v[0]);
    m_bridge.topoChangeTime = number(v[1]);
    m_bridge.topoChanges = number(v[2]);
    m_bridge.designatedRoot = stp::BridgeIdText(v[3]);
    m_bridge.rootPort = number(v[4]);
    m_bridge.maxAge = IntegerOf(v[5]);
    m_bridge.helloTime = IntegerOf(v[6]);
    m_bridge.forwardDelay = IntegerOf(v[7]);
    m_bridge.currentHello = number(v[8]);
    m_bridge.holdTime = number(v[9]);
    m_bridge.currentDelay = number(v[10]);
    m_bridge.rstpState = IntegerOf(v[11]);
    m_bridge.version = IntegerOf(v[12]);
    return true;
}

SnmpResult<std::vector<std::string>> CSpanningTreeMib::ReadPort(int port) {
    std::vector<std::string> instances;
    for (int n = 1; n <= 10; ++n) {
        instances.push_back(InstanceOid(stp::PortColumn(n), port));
    }
    auto values = ReadValues(m_cCommonSNMP, instances);
    if (values && values->size() < instances.size()) {
        return RequestStatus(-1);
    }
    return values;
}
