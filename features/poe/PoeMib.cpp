// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/PoeMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/TextConversion.h"

#include <cmath>
#include <cstdlib>

namespace poe {

namespace {

std::string Column(int column) {
    return PrivateOid("22.1.1." + std::to_string(column));
}

std::string Scalar(int number) {
    return ScalarOid(PrivateOid("22." + std::to_string(number)));
}

// Index of the walked values (PortTableColumns order).
enum PortValue : std::size_t {
    kState = 0,
    kTimeRange,
    kPriority,
    kClassLimit,
    kPower,
    kVoltage,
    kCurrent,
    kClassification,
    kStatus,
    kLimitKind,
    kUserLimit,
};

} // namespace

const CEnumTable& ShutOffSequence() {
    static const CEnumTable table{
        {{1, "DenyNextPort", "DenyNextPort"}, {2, "DenyLowPriorityPort", "DenyLowPriorityPort"}}};
    return table;
}

const CEnumTable& PortState() {
    static const CEnumTable table{{{1, "Enable", "Enable"}, {2, "Disable", "Disable"}}, 2};
    return table;
}

const CEnumTable& Priority() {
    static const CEnumTable table{{{1, "Low", "Low"}, {2, "Normal", "Normal"}, {3, "High", "High"}},
                                  3};
    return table;
}

const CEnumTable& ClassLimit() {
    static const CEnumTable table{{{0, "Auto", ""},
                                   {1, "Auto", "Auto"},
                                   {2, "Class 1", "Class 1"},
                                   {3, "Class 2", "Class 2"},
                                   {4, "Class 3", "Class 3"},
                                   {5, "Class 4", "Class 4"}}};
    return table;
}

std::vector<std::string> GlobalReadInstances() {
    return {Scalar(2), Scalar(3), Scalar(3), Scalar(4), Scalar(5), Scalar(6), Scalar(7)};
}

GlobalValues GlobalValuesOf(const std::vector<std::string>& values) {
    const auto at = [&values](std::size_t i) { return i < values.size() ? values[i] : ""; };
    GlobalValues global;
    global.threshold = at(0);
    global.sequence = IntegerOf(at(1));
    global.rps = at(2) == "0" ? "off" : "on";
    global.budget = at(3);
    global.used = at(4);
    global.left = at(5);
    global.percent = at(6);
    return global;
}

std::optional<double> WattsOf(const std::string& text) {
    if (text.empty() || text.size() > 16) {
        return std::nullopt;
    }
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) {
        return std::nullopt;
    }
    return std::strtod(text.c_str(), nullptr);
}

ApplyPlan PlanGlobalApply(const GlobalSettings& input, const GlobalSettings& stored) {
    ApplyPlan plan;
    if (input.sequence && input.sequence != stored.sequence) {
        plan.Request().Integer(Scalar(3), *input.sequence);
    }
    if (input.threshold != stored.threshold) {
        const std::optional<double> watts = WattsOf(input.threshold);
        CheckChain checks;
        checks
            .Require(watts && *watts >= 7.1 && *watts <= 185.0,
                     "The System Power Threshold ranges between 7.1 ~ 185.0.")
            .About(kThresholdField);
        plan.refusal = checks.FirstRefusal();
        if (plan.refusal) {
            plan.steps.clear();
            return plan;
        }
        plan.Request().OctetString(Scalar(2), input.threshold);
    }
    if (!plan.steps.empty()) {
        plan.steps.front().timeoutMs = kGlobalSetTimeoutMs;
    }
    return plan;
}

std::vector<std::string> PortTableColumns() {
    std::vector<std::string> columns;
    for (int column : {3, 4, 5, 6, 9, 10, 11, 12, 13, 7, 8}) {
        columns.push_back(Column(column));
    }
    return columns;
}

std::vector<std::string> TimeRangeNameColumns() {
    return {PrivateOid("32.1.1.1"), PrivateOid("32.1.1.2")};
}

std::optional<TimeRangeName> TimeRangeNameOf(const SnmpRow& row) {
    const std::optional<long> index = IntegerOf(row.Value(0));
    if (!index) {
        return std::nullopt;
    }
    return TimeRangeName{*index, Utf8ToText(row.Value(1)).toStdString()};
}

std::optional<PortRow> PortRowOf(const SnmpRow& row) {
    PortRow port;
    const std::size_t dot = row.suffix.rfind('.');
    const std::optional<long> number =
        IntegerOf(dot == std::string::npos ? row.suffix : row.suffix.substr(dot + 1));
    if (number && *number >= 1 && *number <= 9999) {
        port.port = static_cast<int>(*number);
    }
    port.state = IntegerOf(row.Value(kState));
    port.timeRange = IntegerOf(row.Value(kTimeRange));
    port.priority = IntegerOf(row.Value(kPriority));
    port.classLimit = IntegerOf(row.Value(kClassLimit));
    port.limitKind = IntegerOf(row.Value(kLimitKind));
    port.userLimit = row.Value(kUserLimit);
    port.power = row.Value(kPower);
    port.voltage = row.Value(kVoltage);
    port.current = row.Value(kCurrent);
    port.classification = row.Value(kClassification);
    port.status = row.Value(kStatus);
    return port;
}

std::string TimeRangeCell(std::optional<long> value, const std::vector<TimeRangeName>& names) {
    if (value == 0L) {
        return "N/A";
    }
    for (const TimeRangeName& range : names) {
        if (value == range.index) {
            return range.name;
        }
    }
    return {};
}

std::string PowerLimitCell(const PortRow& row) {
    return row.limitKind == 1L ? row.userLimit : ClassLimit().Cell(row.classLimit);
}

std::optional<Refusal> CheckUserLimit(const std::string& watts) {
    const std::optional<double> number = WattsOf(watts);
    // Read in single precision as the switch does, then counted in steps of 0.2 W.
    const float value = number ? static_cast<float>(*number) : 0.0F;
    const float steps = value * 10.0F / 2.0F;
    CheckChain checks;
    checks
        .Require(value >= 1.0F && value <= 30.0F,
                 "The User Defined power limit ranges between 1.0 ~ 30.0")
        .About(kUserLimitField)
        .Require(std::fabs(steps - std::round(steps)) <= 0.000001F,
                 "The per-port power limit must be a multiple of 0.2")
        .About(kUserLimitField);
    return checks.FirstRefusal();
}

CSetRequest PortRequest(int port, const PortSettings& settings) {
    const std::string index = "1." + std::to_string(port);
    CSetRequest request;
    request.Integer(InstanceOid(Column(3), index), settings.state)
        .Integer(InstanceOid(Column(4), index), settings.timeRange)
        .Integer(InstanceOid(Column(5), index), settings.priority);
    if (settings.limitKind == 1) {
        request.Integer(InstanceOid(Column(7), index), 1L)
            .OctetString(InstanceOid(Column(8), index), settings.watts);
    } else {
        request.Integer(InstanceOid(Column(7), index), settings.limitKind)
            .Integer(InstanceOid(Column(6), index), settings.classLimit);
    }
    return request;
}

ApplyPlan PlanPorts(int from, int to, const PortSettings& settings) {
    ApplyPlan plan;
    if (settings.limitKind == 1) {
        plan.refusal = CheckUserLimit(settings.watts);
    }
    for (int port = from; !plan.refusal && port >= 1 && port <= to; ++port) {
        plan.Step(PortRequest(port, settings), kPortSetTimeoutMs, kPortPauseMs).onFailure =
            SetStep::OnFailure::GoOn;
    }
    return plan;
}

} // namespace poe

CPoeGlobalMib::~CPoeGlobalMib() {
    m_cCommonSNMP.Close(); // ends a read still waiting for the switch
    if (m_reader.joinable()) {
        m_reader.join();
    }
}

void CPoeGlobalMib::StartRead(ReadHandler handler) {
    if (m_reader.joinable()) {
        return;
    }
    m_onRead = std::move(handler);
    m_reader = std::thread([this] {
        auto result =
            ReadValues(m_cCommonSNMP, poe::GlobalReadInstances(), poe::kGlobalReadTimeoutMs);
        {
            std::lock_guard lock(m_mutex);
            m_result.emplace(std::move(result));
        }
        m_wakeUp.Notify();
    });
}

void CPoeGlobalMib::Deliver() {
    std::optional<SnmpResult<std::vector<std::string>>> result;
    {
        std::lock_guard lock(m_mutex);
        result.swap(m_result);
    }
    if (!result) {
        return;
    }
    if (m_reader.joinable()) {
        m_reader.join();
    }
    if (m_onRead) {
        m_onRead(*result);
    }
}

CPoePortMib::CPoePortMib()
    : m_cRangeWalk(m_cCommonSNMPTableRange, poe::TimeRangeNameColumns(), &poe::TimeRangeNameOf),
      m_cPortWalk(m_cCommonSNMPTable, poe::PortTableColumns(), &poe::PortRowOf) {}
