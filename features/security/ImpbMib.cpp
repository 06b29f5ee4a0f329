// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/ImpbMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/AddressEncoding.h"
#include "snmp/InputChecks.h"
#include "snmp/TextParsing.h"

#include <algorithm>

namespace impb {

namespace {

std::string Group(const std::string& tail) {
    return PrivateOid("14.10." + tail);
}

// An IpAddress value as dotted text; anything that is no address shows nothing.
std::string DottedOf(const std::string& value) {
    return IpToNumber(value) ? value : std::string();
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::string NumberText(const std::optional<long>& number) {
    return number ? std::to_string(*number) : std::string();
}

} // namespace

std::string PortColumn(int column) {
    return Group("1.1." + std::to_string(column));
}
std::string BindingColumn(int column) {
    return Group("2.1." + std::to_string(column));
}
std::string WhiteListColumn(int column) {
    return Group("3.1." + std::to_string(column));
}
std::string BlackListColumn(int column) {
    return Group("4.1." + std::to_string(column));
}
std::string ScanFromOid() {
    return Group("5.0");
}
std::string ScanToOid() {
    return Group("6.0");
}
std::string ScanTriggerOid() {
    return Group("7.0");
}

const CEnumTable& EnabledStates() {
    static const CEnumTable table{{{0, "Disabled", "Disabled"}, {1, "Enabled", "Enabled"}}, 0};
    return table;
}

const CEnumTable& InspectionModes() {
    static const CEnumTable table{
        {{1, "Disabled", "ARP Inspection"}, {0, "Enabled", "ARP+IP Inspection"}}, 0};
    return table;
}

const CEnumTable& BindingStates() {
    static const CEnumTable table{{{1, "Bound", ""}, {2, "Not Bound", ""}}, 2};
    return table;
}

PortSettingsRow PortSettingsRowOf(const SnmpRow& row) {
    PortSettingsRow settings;
    settings.port = IntegerOf(row.Value(0)).value_or(IntegerOf(row.suffix).value_or(0));
    settings.admin = IntegerOf(row.Value(1));
    settings.mode = IntegerOf(row.Value(2));
    settings.snooping = IntegerOf(row.Value(3));
    return settings;
}

// Columns MAC, VID, IP, port, state.
HostRow BindingRowOf(const SnmpRow& row) {
    return {DottedOf(row.Value(2)), FormatMacDash(row.Value(0)), IntegerOf(row.Value(1)),
            IntegerOf(row.Value(3)), IntegerOf(row.Value(4))};
}

// Columns IP, MAC, port, row status.
HostRow WhiteListRowOf(const SnmpRow& row) {
    return {DottedOf(row.Value(0)), FormatMacDash(row.Value(1)), std::nullopt,
            IntegerOf(row.Value(2)), IntegerOf(row.Value(3))};
}

// Columns MAC, VID, port, IP, entry control.
HostRow BlackListRowOf(const SnmpRow& row) {
    return {DottedOf(row.Value(3)), FormatMacDash(row.Value(0)), IntegerOf(row.Value(1)),
            IntegerOf(row.Value(2)), IntegerOf(row.Value(4))};
}

std::string WhiteListIndex(const std::string& ip, const std::string& mac) {
    const std::string macArcs = MacToOidIndex(mac);
    if (!IpToNumber(ip) || macArcs.empty()) {
        return {};
    }
    return "." + ip + macArcs;
}

std::string BindingIndex(const HostRow& row) {
    const std::string macArcs = MacToOidIndex(row.mac);
    if (!IpToNumber(row.ip) || macArcs.empty() || !row.port) {
        return {};
    }
    return macArcs + "." + std::to_string(*row.port) + "." + row.ip;
}

std::string BlackListIndex(const HostRow& row) {
    const std::string macArcs = MacToOidIndex(row.mac);
    if (macArcs.empty() || !row.vid || !row.port) {
        return {};
    }
    return macArcs + "." + std::to_string(*row.vid) + "." + std::to_string(*row.port);
}

std::optional<Refusal> CheckPortSettings(const PortSettingsInput& input, int portCount,
                                         const PortFlags& trunkPorts, int whiteListCount) {
    const auto trunkMemberInRange = [&] {
        for (int port = std::max(1, input.fromPort); port <= input.toPort; ++port) {
            const auto at = static_cast<std::size_t>(port - 1);
            if (at < trunkPorts.size() && trunkPorts[at] != 0) {
                return true;
            }
        }
        return false;
    };
    const bool enables = input.admin == 1;
    CheckChain checks;
    checks.Require([&] { return !enables || !trunkMemberInRange(); }, kTrunkRefusal)
        .About(kPortRangeField)
        .Require(
            !(enables && input.fromPort == 1 && input.toPort == portCount && whiteListCount == 0),
            kLockOutRefusal)
        .About(kPortRangeField);
    return checks.FirstRefusal();
}

std::vector<CSetRequest> PortSettingsRequests(const PortSettingsInput& input) {
    std::vector<CSetRequest> requests;
    for (int port = std::max(1, input.fromPort); port <= input.toPort; ++port) {
        CSetRequest request;
        request.Integer(InstanceOid(PortColumn(2), port), input.admin)
            .Integer(InstanceOid(PortColumn(3), port), input.mode)
            .Integer(InstanceOid(PortColumn(4), port), input.snooping);
        requests.push_back(std::move(request));
    }
    return requests;
}

std::optional<Refusal> BindingAddressRefusal(int filledFields, const std::string& dotted) {
    CheckChain checks;
    checks.Require(filledFields == 4, "Invalid IP Address.")
        .About(kBindIpField)
        .Require([&] { return CheckHostIp(dotted); }, "Invalid IP Address.")
        .About(kBindIpField);
    return checks.FirstRefusal();
}

std::optional<Refusal> BindingMacRefusal(const std::string& mac) {
    if (auto refusal = MacRefusal(mac, false)) {
        return Refusal{std::move(*refusal)}.About(kBindMacField);
    }
    return std::nullopt;
}

std::optional<Refusal> BindingPortRefusal(const std::string& portText, int portCount) {
    const auto port = text_parsing::ParseDecimal(text_parsing::TrimBlanks(portText), 1000000);
    CheckChain checks;
    checks.Require(port && *port >= 1 && *port <= portCount, "Invalid port number.")
        .About(kBindPortField);
    return checks.FirstRefusal();
}

std::optional<Refusal> ScanRangeRefusal(int fromFilled, const std::string& from, int toFilled,
                                        const std::string& to) {
    CheckChain checks;
    checks.Require(fromFilled == 4, "Invalid From IP address !")
        .About(kScanFromField)
        .Require(toFilled == 4, "Invalid To IP address !")
        .About(kScanToField)
        .Require([&] { return CheckHostIp(from); }, "Invalid IP Address.")
        .About(kScanFromField)
        .Require([&] { return CheckHostIp(to); }, "Invalid IP Address.")
        .About(kScanToField);
    return checks.FirstRefusal();
}

void FindInBlackList(std::vector<BlackListEntry>& store, const BlackListSearch& search) {
    for (BlackListEntry& entry : store) {
        const HostRow& row = entry.row;
        const bool matches = (search.vid.empty() || search.vid == NumberText(row.vid)) &&
                             (search.ip.empty() || search.ip == row.ip) &&
                             (search.mac.empty() || SameIgnoringCase(search.mac, row.mac)) &&
                             (search.port.empty() || search.port == NumberText(row.port));
        entry.mark = matches ? 2 : 0;
    }
}

} // namespace impb

using namespace impb;

CImpbMib::CImpbMib()
    : m_cPortWalk(m_cCommonSNMPTable, {PortColumn(1), PortColumn(2), PortColumn(3), PortColumn(4)}),
      m_cBindingWalk(m_cCommonSNMPTable,
                     {BindingColumn(1), BindingColumn(4), BindingColumn(3), BindingColumn(2),
                      BindingColumn(5)},
                     [](const SnmpRow& row) { return std::optional<HostRow>(BindingRowOf(row)); }),
      m_cWhiteListWalk(m_cCommonSNMPTable, {WhiteListColumn(1), WhiteListColumn(2),
                                            WhiteListColumn(3), WhiteListColumn(4)}),
      m_cBlackListWalk(m_cCommonSNMPTable,
                       {BlackListColumn(1), BlackListColumn(2), BlackListColumn(3),
                        BlackListColumn(4), BlackListColumn(5)}) {}

CImpbMib::~CImpbMib() = default;

void CImpbMib::StartPortWalk(const QObject* receiver,
                             std::function<void(const PortSettingsRow&)> row,
                             std::function<void(int)> done) {
    m_portRows.clear();
    m_cPortWalk.OnRow(receiver, [this, row = std::move(row)](const SnmpRow& r) {
        m_portRows.push_back(PortSettingsRowOf(r));
        row(m_portRows.back());
    });
    m_cPortWalk.OnFinished(receiver, std::move(done));
    m_cPortWalk.Start();
}

void CImpbMib::StartWhiteListWalk(const QObject* receiver, std::function<void(const HostRow&)> row,
                                  std::function<void(int)> done) {
    m_nWhiteListCount = 0;
    m_cWhiteListWalk.OnRow(receiver, [this, row = std::move(row)](const SnmpRow& r) {
        ++m_nWhiteListCount;
        if (row) {
            row(WhiteListRowOf(r));
        }
    });
    m_cWhiteListWalk.OnFinished(receiver, std::move(done));
    m_cWhiteListWalk.Start();
}

void CImpbMib::StartBlackListWalk(const QObject* receiver, std::function<void(const HostRow&)> row,
                                  std::function<void(int)> done) {
    m_cBlackListWalk.OnRow(receiver,
                           [row = std::move(row)](const SnmpRow& r) { row(BlackListRowOf(r)); });
    m_cBlackListWalk.OnFinished(receiver, std::move(done));
    m_cBlackListWalk.Start();
}

ApplyPlan CImpbMib::PlanPortSettings(const PortSettingsInput& input) {
    ApplyPlan plan;
    for (CSetRequest& request : PortSettingsRequests(input)) {
        plan.Step(std::move(request)).onFailure = SetStep::OnFailure::GoOn;
    }
    if (!plan.steps.empty()) {
        plan.steps.back().pauseMs = kPauseMs;
    }
    return plan;
}

ApplyPlan CImpbMib::PlanWhiteListAdd(const std::string& ip, const std::string& mac, long port) {
    ApplyPlan plan;
    const std::string index = WhiteListIndex(ip, mac);
    if (!index.empty()) {
        RowCreation& row = plan.row.emplace();
        row.statusOid = WhiteListColumn(4) + index;
        row.values = {CSetRequest().Integer(WhiteListColumn(3) + index, port)};
        row.pauseMs = kPauseMs;
    }
    return plan;
}

namespace {

// One integer written to the row `index` names; nothing without an index.
ApplyPlan OneValue(const std::string& column, const std::string& index, long value,
                   unsigned pauseMs = 0) {
    ApplyPlan plan;
    if (!index.empty()) {
        plan.Step(CSetRequest().Integer(column + index, value), 0, pauseMs);
    }
    return plan;
}

} // namespace

ApplyPlan CImpbMib::PlanWhiteListDelete(const HostRow& row) {
    return OneValue(WhiteListColumn(4), WhiteListIndex(row.ip, row.mac), 6);
}

ApplyPlan CImpbMib::PlanBind(const HostRow& row) {
    return OneValue(BindingColumn(5), BindingIndex(row), 1, kPauseMs);
}

ApplyPlan CImpbMib::PlanBlackListRemove(const HostRow& row) {
    return OneValue(BlackListColumn(5), BlackListIndex(row), 1);
}

ApplyPlan CImpbMib::PlanScan(const std::string& from, const std::string& to) {
    ApplyPlan plan;
    plan.Step(CSetRequest().IpAddress(ScanFromOid(), from).IpAddress(ScanToOid(), to), 0, kPauseMs);
    plan.Step(CSetRequest().Integer(ScanTriggerOid(), 1));
    return plan;
}
