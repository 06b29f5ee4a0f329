// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Power over Ethernet on the PoE model: the system power threshold and shut-off sequence with
// the power budget, and the PoE port table (state, time range, priority, power limit and the
// live readings of each port). Plain rules and the two data classes; no widgets.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/ThreadWakeUp.h"
#include "features/common/TypedWalk.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace poe {

// The inputs a refusal is about: the system power threshold, a port's user-defined limit.
inline constexpr char kThresholdField[] = "threshold";
inline constexpr char kUserLimitField[] = "userLimit";

inline constexpr unsigned kGlobalReadTimeoutMs = 20000;
inline constexpr unsigned kGlobalSetTimeoutMs = 5000;
inline constexpr unsigned kPortSetTimeoutMs = 20000;
inline constexpr unsigned kPortPauseMs = 300;
// The port combos offer 24 ports on every model.
inline constexpr int kPortChoices = 24;

const CEnumTable& ShutOffSequence(); // 1 DenyNextPort, 2 DenyLowPriorityPort
const CEnumTable& PortState();       // 1 Enable, anything else Disable
const CEnumTable& Priority();        // 1 Low, 2 Normal, anything else High
const CEnumTable& ClassLimit();      // 0 and 1 Auto, 2 to 5 Class 1 to Class 4

// The read of the global settings: threshold, sequence, sequence again (the hidden RPS
// field), budget, used, left, percentage.
std::vector<std::string> GlobalReadInstances();

struct GlobalValues {
    std::string threshold;
    std::optional<long> sequence;
    std::string rps; // "off" or "on"
    std::string budget, used, left, percent;
};
// The seven values in read order; fewer values leave the rest empty.
GlobalValues GlobalValuesOf(const std::vector<std::string>& values);

struct GlobalSettings {
    std::string threshold;        // as typed
    std::optional<long> sequence; // nothing when no item is chosen
};
// Only what changed goes out; an empty request means there is nothing to send. A changed
// threshold outside 7.1 to 185.0 (or no number) is refused and nothing is sent.
ApplyPlan PlanGlobalApply(const GlobalSettings& input, const GlobalSettings& stored);

// A watts text: digits with at most one decimal point; nothing for anything else.
std::optional<double> WattsOf(const std::string& text);

// Port table columns in walk order: state, time range, priority, class limit, power,
// voltage, current, classification, status, limit kind, user limit.
std::vector<std::string> PortTableColumns();
// The names the time range of a port refers to: the index and name columns.
std::vector<std::string> TimeRangeNameColumns();

struct TimeRangeName {
    long index = 0;
    std::string name;
};
// Nothing for a row whose index is no number.
std::optional<TimeRangeName> TimeRangeNameOf(const SnmpRow& row);

struct PortRow {
    std::optional<int> port; // from the row's index (unit.port) when it holds a port number
    std::optional<long> state, timeRange, priority, classLimit, limitKind;
    std::string userLimit, power, voltage, current, classification, status;
};
std::optional<PortRow> PortRowOf(const SnmpRow& row);

// "N/A" for 0, the name of the range with that index, empty when none has it.
std::string TimeRangeCell(std::optional<long> value, const std::vector<TimeRangeName>& names);
// The user limit as received when it is user defined, else the class text.
std::string PowerLimitCell(const PortRow& row);

struct PortSettings {
    long state = 1;
    long timeRange = 0;
    long priority = 2;
    long limitKind = 2; // 1 user defined, 2 by class, or a value the switch reported
    long classLimit = 1;
    std::string watts; // as typed
};
// The refusal of a user-defined limit: outside 1.0 to 30.0, or not a multiple of 0.2.
std::optional<Refusal> CheckUserLimit(const std::string& watts);
// The request for one port: state, time range, priority, then the limit kind and its value.
CSetRequest PortRequest(int port, const PortSettings& settings);
// The same settings for every port from `from` to `to`, one request and a pause each; a port
// the switch refuses does not keep the next ones from theirs. A user-defined limit is checked
// first: a refused one stops the Apply before any port.
ApplyPlan PlanPorts(int from, int to, const PortSettings& settings);

} // namespace poe

// PoE Global Settings: the read runs in the background (the dialog shows "wait..." meanwhile).
class CPoeGlobalMib : public CFeatureData {
public:
    using ReadHandler = std::function<void(const SnmpResult<std::vector<std::string>>& result)>;

    CPoeGlobalMib() = default;
    ~CPoeGlobalMib() override;

    // Starts the read unless one is under way; `handler` runs on this thread with the result.
    void StartRead(ReadHandler handler);
    bool IsReading() const { return m_reader.joinable(); }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    void Deliver();

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    std::thread m_reader;
    std::mutex m_mutex;
    std::optional<SnmpResult<std::vector<std::string>>> m_result;
    ReadHandler m_onRead;
    CThreadWakeUp m_wakeUp{[this] { Deliver(); }};
};

// PoE Configuration: the time range names, then the port table.
class CPoePortMib : public CFeatureData {
public:
    CPoePortMib();

    CTypedWalk<poe::TimeRangeName>& RangeWalk() { return m_cRangeWalk; }
    CTypedWalk<poe::PortRow>& PortWalk() { return m_cPortWalk; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CCommonSNMP& m_cCommonSNMPTableRange = AddSession("m_cCommonSNMPTableRange");
    CTypedWalk<poe::TimeRangeName> m_cRangeWalk;
    CTypedWalk<poe::PortRow> m_cPortWalk;
};
