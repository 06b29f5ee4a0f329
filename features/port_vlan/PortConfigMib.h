// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The switch's port table as Port Configuration reads and writes it: a walk of the trunk
// table (a trunk member keeps the speed of its trunk), then of the port table, into typed
// rows; the cell texts of their values; and the checks of an Apply for one port.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TableWalk.h"
#include "features/common/TrunkInfo.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace portconfig {

// The inputs a refusal of the port settings is about.
inline constexpr char kSpeedField[] = "speed";
inline constexpr char kFlowControlField[] = "flowControl";

inline constexpr unsigned kPortWalkStepTimeoutMs = 8000;
inline constexpr unsigned kSetTimeoutMs = 9000;
inline constexpr unsigned kRetryDelayMs = 50;

// The values of the port table's columns (the speed written is the value itself).
enum Speed : long {
    kSpeed1000Full = 1,
    kSpeed100Full = 2,
    kSpeed100Half = 3,
    kSpeed10Full = 4,
    kSpeed10Half = 5,
    kSpeedAuto = 6,
    kSpeedDisable = 7,
};
enum FlowControl : long { kFlowEnabled = 1, kFlowDisabled = 2 };
enum MediaType : long {
    kMediaCopper100 = 1, // copper, 100M at most unless every port is gigabit
    kMediaCopper = 2,    // copper that names its medium
    kMediaFiber100 = 3,  // fibre with a 100Base-X module
    kMediaFiber1000 = 4, // fibre with a 1000Base-X module
};

const CEnumTable& Speeds();
const CEnumTable& OperModes();
const CEnumTable& FlowControls();
const CEnumTable& DefaultPriorities();
const CEnumTable& OperFlowControls();

// One row of the port table; a value the switch did not send, or sent as no number, is empty.
struct PortRow {
    int port = 0; // the row's place in the list, from 1
    std::optional<long> speed, operMode, flowControl, defaultPriority, operFlowControl, mediaType;
};

// How many of the last ports run copper or fibre: 4 on 16, 24 and 48 ports, 2 on 10, else 0.
int ComboPortCount(int portCount);

// The six cells of a row: index, speed, operating mode (on a combo port in the form that
// names its medium), flow control, default priority, operating flow control.
std::vector<std::string> RowCells(const PortRow& row, int portCount, bool allGiga);

// What the administrator chose for the picked port (0: none picked).
struct PortChoice {
    int port = 0;
    long speed = kSpeed1000Full;
    long flowControl = kFlowEnabled;
};

// The read model the checks look at.
struct PortTable {
    std::vector<PortRow> rows;
    PortFlags trunkOfPort; // entry p-1 for port p, 0 outside any trunk
    int portCount = 0;
    bool allGiga = false;

    const PortRow* RowOf(int port) const;
    int TrunkOf(int port) const;
};

// The checks of Apply in their order, the two questions, and the request.
ApplyPlan PlanApply(const PortTable& table, const PortChoice& choice);

} // namespace portconfig

class CPortConfigMib : public CFeatureData {
public:
    CPortConfigMib();

    // Walks the trunk table, then the port table; every port row goes to `onRow` as it
    // arrives (on the UI thread). A trunk table that cannot be read leaves every port outside
    // a trunk.
    void StartRead(std::function<void(const portconfig::PortRow&)> onRow);
    CTableWalk& PortWalk() { return m_cPortWalk; }
    CTableWalk& TrunkWalk() { return m_cTrunkInfo.TrunkWalk(); }
    // The trunk membership the checks of Apply use was read to its end.
    bool TrunksRead() const { return m_cTrunkInfo.IsTrunkInfoValid(); }

    const portconfig::PortTable& Table() const { return m_table; }
    // The checks of Apply against what was read, with the model's facts as they are now.
    ApplyPlan PlanApply(const portconfig::PortChoice& choice) const;
    CCommonSNMP& SetSession() { return m_cCommonSNMP; }

private:
    void AddPortRow(const SnmpRow& row);

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CCommonSNMP m_cCommonSNMPTrunk; // closed with the object, without a line of its own
    CTrunkInfo m_cTrunkInfo{m_cCommonSNMPTrunk};
    CTableWalk m_cPortWalk;
    std::function<void(const portconfig::PortRow&)> m_onRow;
    portconfig::PortTable m_table;
};
