// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Bandwidth control: per-port transmit and receive rate limits in Kbit/s (0: no limit).
// A range of ports is written one port per request; ports of an aggregated link are refused
// as a whole before anything is written.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TrunkInfo.h"
#include "features/common/TypedWalk.h"

#include <optional>
#include <string>
#include <vector>

class CBandwidthMib : public CFeatureData {
public:
    // The inputs a refusal is about: the rate, the port range (its From Port).
    static constexpr char kRateField[] = "rate";
    static constexpr char kPortsField[] = "ports";
    static constexpr long long kMinRate = 64;
    static constexpr long long kMaxRate = 1024000;

    static std::string PortColumn();
    static std::string TxRateColumn();
    static std::string RxRateColumn();

    enum Direction : int { kRx = 0, kTx = 1, kBoth = 2 };

    struct Input {
        int fromPort = 1;
        int toPort = 1;
        int direction = kRx;
        bool noLimit = false;
        std::optional<long long> rate; // as typed; empty when nothing or no number was typed
    };

    // One port of the rate table; a value that is no number stays empty.
    struct Row {
        std::optional<long> port;
        std::optional<long> txRate;
        std::optional<long> rxRate;
    };
    static std::optional<Row> ParseRow(const SnmpRow& row);
    // The list cell of a rate: "No Limit" for 0, the number otherwise, empty when none was read.
    static std::string RateCell(std::optional<long> rate);
    // `trunkPorts`: trunk group per port (entry p-1 for port p), 0 outside any trunk.
    // One step per port, in port order; a port the switch refuses does not keep the others
    // from their new rate.
    static ApplyPlan PlanApply(const Input& input, const PortFlags& trunkPorts);

    CTypedWalk<Row>& Walk() { return m_cPortWalk; }
    CTrunkInfo& Trunks() { return m_cTrunkInfo; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<Row> m_cPortWalk{
        m_cCommonSNMPTable, {PortColumn(), TxRateColumn(), RxRateColumn()}, &ParseRow};
    CTrunkInfo m_cTrunkInfo;
};
