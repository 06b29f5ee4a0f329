// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port mirroring: the state, the target port, and the source ports mirrored on receive (RX)
// and on transmit (TX). Each port has one sniffer mode: TX, RX, Both or None.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TrunkInfo.h"

#include <optional>
#include <string>
#include <vector>

class CMirrorMib : public CFeatureData {
public:
    // Sniffer modes, in the order of the dialog's rows.
    enum Mode : int { kTx = 0, kRx = 1, kBoth = 2, kNone = 3 };
    // The input a refusal is about: the target port.
    static constexpr char kTargetField[] = "target";
    static constexpr char kSourcesField[] = "sources";

    static std::string StateOid();
    static std::string TargetOid();
    static std::string RxPortsOid();
    static std::string TxPortsOid();

    struct Model {
        std::optional<long> state; // 1 enabled, 2 disabled
        std::optional<long> target;
        std::vector<int> modes; // per port, entry p-1 for port p
    };
    struct Input {
        long state = 2; // 1 enabled, 2 disabled, or a value the switch reported
        int target = 1;
        std::vector<int> modes; // per port; the target's own mode is not used
    };

    // The mode of every port from the two lists read.
    static std::vector<int> ModesOf(const std::string& rx, const std::string& tx, int portCount);
    // `wasEnabled`: mirroring was on at the last read.
    static ApplyPlan PlanApply(const Input& input, const CTrunkInfo& trunks, bool wasEnabled,
                               int portCount);

    RequestStatus Read(int portCount);
    const Model& Current() const { return m_model; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

    CTrunkInfo& Trunks() { return m_cTrunkInfo; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CTrunkInfo m_cTrunkInfo;
    Model m_model;
};
