// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/PortConfigMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/SessionParameters.h"

#include <algorithm>

namespace portconfig {

namespace {

std::string SpeedColumn() {
    return PrivateOid("1.13.1.2");
}

std::string FlowControlColumn() {
    return PrivateOid("1.13.1.5");
}

// The columns of one port-table walk; the media type comes last and is not shown.
std::vector<std::string> PortTableColumns() {
    return {SpeedColumn(),          PrivateOid("1.13.1.3"),
            FlowControlColumn(),    PrivateOid("12.3.1.1.2"),
            PrivateOid("1.13.1.6"), PrivateOid("1.13.1.7")};
}

// The operating mode in the form that names the medium, copper assumed.
const CEnumTable& OperModeMedia() {
    static const CEnumTable table{{{2, "1000M C Full", ""},
                                   {3, "100M C Full", ""},
                                   {4, "100M C Half", ""},
                                   {5, "10M C Full", ""},
                                   {6, "10M C Half", ""}},
                                  2};
    return table;
}

constexpr long kOperModeDown = 1;

bool IsComboPort(int port, int portCount) {
    return port > portCount - ComboPortCount(portCount);
}

std::string OperModeCell(const PortRow& row, int portCount, bool allGiga) {
    const std::string plain = OperModes().Cell(row.operMode);
    if (!IsComboPort(row.port, portCount) || row.operMode == kOperModeDown) {
        return plain;
    }
    const std::string medium = OperModeMedia().Cell(row.operMode);
    switch (row.mediaType.value_or(0)) {
    case kMediaFiber100:
        if (medium == "100M C Half") {
            return "100M F Half";
        }
        return medium == "100M C Full" ? "100M F Full" : plain;
    case kMediaFiber1000:
        return medium == "1000M C Full" ? "1000M F Full" : plain;
    case kMediaCopper:
        return (row.port <= portCount - 2 || allGiga) ? medium : plain;
    default:
        return plain;
    }
}

bool IsHalfDuplex(long speed) {
    return speed == kSpeed100Half || speed == kSpeed10Half;
}

bool IsForcedSpeed(long speed) {
    return speed != kSpeedAuto && speed != kSpeedDisable;
}

bool IsEnabled(std::optional<long> flowControl) {
    return flowControl == kFlowEnabled;
}

// Every other member of the port's trunk already runs what `same` asks of it.
bool TrunkMembersAgree(const PortTable& table, int port,
                       const std::function<bool(const PortRow&)>& same) {
    const int trunk = table.TrunkOf(port);
    if (trunk == 0) {
        return true;
    }
    return std::all_of(table.rows.begin(), table.rows.end(), [&](const PortRow& row) {
        return row.port == port || table.TrunkOf(row.port) != trunk || same(row);
    });
}

bool DisablesEveryPort(const PortTable& table, const PortChoice& choice) {
    if (choice.speed != kSpeedDisable) {
        return false;
    }
    const auto othersDisabled =
        std::count_if(table.rows.begin(), table.rows.end(), [&](const PortRow& row) {
            return row.port != choice.port && row.speed == kSpeedDisable;
        });
    return othersDisabled >= static_cast<long>(table.rows.size()) - 1;
}

const char* const kForcedSpeedQuestion = "The speed is set to force mode. \n"
                                         "* The speed mode must be the same as the counterpart. ";
const char* const kFlowControlQuestion =
    "QoS works best when Flow Control is disabled. \n"
    "* When Flow Control is enabled.QoS may not perform accurate bandwidth allocation. \n"
    "* Do you still want to enable Flow Control?. ";

} // namespace

const CEnumTable& Speeds() {
    static const CEnumTable table{{{kSpeed1000Full, "1000MFull", "1000M-Full"},
                                   {kSpeed100Full, "100MFull", "100M-Full"},
                                   {kSpeed100Half, "100MHalf", "100M-Half"},
                                   {kSpeed10Full, "10MFull", "10M-Full"},
                                   {kSpeed10Half, "10MHalf", "10M-Half"},
                                   {kSpeedAuto, "Auto", "Auto"},
                                   {kSpeedDisable, "Disable", "Disable"}},
                                  kSpeed1000Full};
    return table;
}

const CEnumTable& OperModes() {
    static const CEnumTable table{{{1, "Down", ""},
                                   {2, "1000MFull", ""},
                                   {3, "100MFull", ""},
                                   {4, "100MHalf", ""},
                                   {5, "10MFull", ""},
                                   {6, "10MHalf", ""}},
                                  2};
    return table;
}

const CEnumTable& FlowControls() {
    static const CEnumTable table{
        {{kFlowEnabled, "Enabled", "Enabled"}, {kFlowDisabled, "Disabled", "Disabled"}},
        kFlowDisabled};
    return table;
}

const CEnumTable& DefaultPriorities() {
    static const CEnumTable table{
        {{1, "Low", ""}, {2, "Middle", ""}, {3, "High", ""}, {4, "Highest", ""}}, 1};
    return table;
}

const CEnumTable& OperFlowControls() {
    // The switch knows only 1 and 2; anything else is not flow control at work.
    static const CEnumTable table{{{1, "Enabled", ""}, {2, "Disabled", ""}}, 2};
    return table;
}

int ComboPortCount(int portCount) {
    switch (portCount) {
    case 16:
    case 24:
    case 48:
        return 4;
    case 10:
        return 2;
    default:
        return 0;
    }
}

std::vector<std::string> RowCells(const PortRow& row, int portCount, bool allGiga) {
    return {std::to_string(row.port),
            Speeds().Cell(row.speed),
            OperModeCell(row, portCount, allGiga),
            FlowControls().Cell(row.flowControl),
            DefaultPriorities().Cell(row.defaultPriority),
            OperFlowControls().Cell(row.operFlowControl)};
}

const PortRow* PortTable::RowOf(int port) const {
    return port >= 1 && port <= static_cast<int>(rows.size())
               ? &rows[static_cast<std::size_t>(port - 1)]
               : nullptr;
}

int PortTable::TrunkOf(int port) const {
    return port >= 1 && port <= static_cast<int>(trunkOfPort.size())
               ? trunkOfPort[static_cast<std::size_t>(port - 1)]
               : 0;
}

ApplyPlan PlanApply(const PortTable& table, const PortChoice& choice) {
    const int port = choice.port;
    const long speed = choice.speed;
    const std::string portText = std::to_string(port);
    const PortRow* row = table.RowOf(port);
    // Media types are known for the ports within the model's port count only.
    const long media = row != nullptr && port <= table.portCount ? row->mediaType.value_or(0) : 0;
    const bool inTrunk = table.TrunkOf(port) != 0;

    ApplyPlan plan;
    CheckChain checks;
    checks.Require(row != nullptr, "Please Select one port !")
        .Require(
            [&] {
                return TrunkMembersAgree(table, port, [&](const PortRow& other) {
                    return Speeds().Known(other.speed) == speed;
                });
            },
            "LA port can not support in different speed.")
        .About(kSpeedField)
        .Require(
            [&] {
                return TrunkMembersAgree(table, port, [&](const PortRow& other) {
                    return IsEnabled(other.flowControl) == (choice.flowControl == kFlowEnabled);
                });
            },
            "LA port can not support in different flow control.")
        .About(kFlowControlField)
        .Require(!DisablesEveryPort(table, choice), "Sorry, you cannot disable all ports.")
        .About(kSpeedField)
        .Require(!(media == kMediaCopper100 && speed == kSpeed1000Full && !table.allGiga),
                 "Port " + portText + " can not support 1000M speed.")
        .About(kSpeedField)
        .Require(!(media == kMediaFiber100 && speed == kSpeedAuto),
                 "Fiber Port " + portText +
                     " with 100Base-x SFP Module can not support in Auto mode.")
        .About(kSpeedField)
        .Require(!(media == kMediaFiber1000 && speed >= kSpeed100Full && speed <= kSpeed10Half),
                 "Fiber Port " + portText +
                     " with 1000Base-x SFP Module can not support this speed.")
        .About(kSpeedField)
        .Require(!(media == kMediaFiber100 && speed != kSpeed100Full && speed != kSpeed100Half &&
                   speed != kSpeedDisable),
                 "Fiber Port " + portText +
                     " with 100Base-x SFP Module can not support this speed.")
        .About(kSpeedField)
        .Require(!(inTrunk && IsHalfDuplex(speed)),
                 "LA port " + portText + " can not support in half-duplex mode.")
        .About(kSpeedField);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    if (IsForcedSpeed(speed)) {
        plan.questions.emplace_back(kForcedSpeedQuestion);
    }
    if (choice.flowControl == kFlowEnabled) {
        plan.questions.emplace_back(kFlowControlQuestion);
    }
    CSetRequest request;
    if (!inTrunk) { // a trunk member runs at the speed of its trunk
        request.Integer(InstanceOid(SpeedColumn(), port), speed);
    }
    request.Integer(InstanceOid(FlowControlColumn(), port), choice.flowControl);
    plan.Step(std::move(request), kSetTimeoutMs);
    return plan;
}

} // namespace portconfig

using namespace portconfig;

CPortConfigMib::CPortConfigMib()
    : m_cPortWalk(m_cCommonSNMPTable, PortTableColumns(), kPortWalkStepTimeoutMs) {
    m_cPortWalk.OnRow(this, [this](const SnmpRow& row) { AddPortRow(row); });
}

void CPortConfigMib::StartRead(std::function<void(const PortRow&)> onRow) {
    m_onRow = std::move(onRow);
    m_table.rows.clear();
    m_table.portCount = std::max(0, DeviceValues().DevicePortCount);
    m_table.allGiga = DeviceValues().IsAllGiga;
    m_cTrunkInfo.ForgetTrunks();
    m_table.trunkOfPort = m_cTrunkInfo.TrunkPorts();
    m_cTrunkInfo.StartTrunkWalk(this, [this] {
        m_table.trunkOfPort = m_cTrunkInfo.TrunkPorts();
        m_cPortWalk.Start();
    });
}

ApplyPlan CPortConfigMib::PlanApply(const PortChoice& choice) const {
    PortTable table = m_table;
    table.allGiga = DeviceValues().IsAllGiga;
    return portconfig::PlanApply(table, choice);
}

void CPortConfigMib::AddPortRow(const SnmpRow& snmpRow) {
    PortRow row;
    row.port = static_cast<int>(m_table.rows.size()) + 1;
    std::optional<long>* fields[] = {&row.speed,           &row.operMode,        &row.flowControl,
                                     &row.defaultPriority, &row.operFlowControl, &row.mediaType};
    for (std::size_t column = 0; column < std::size(fields); ++column) {
        *fields[column] = IntegerOf(snmpRow.Value(column));
    }
    m_table.rows.push_back(row);
    if (m_onRow) {
        m_onRow(row);
    }
}
