// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Storm control: one switch-wide threshold (a multiple of 64 Kbit/s) for broadcast, multicast
// and unknown-unicast storms. Apply writes only what differs from the values read last.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"

#include <optional>
#include <string>

class CStormControlMib : public CFeatureData {
public:
    static constexpr long kStep = 64; // Kbit/s per unit of N
    static constexpr long long kMaxN = 16000;

    static std::string StateOid();
    static std::string TypeOid();
    static std::string ThresholdOid();
    // 1 "Broadcast Only", 2 "Multicast & Broadcast", 3 "... & Unknown Unicast".
    static const CEnumTable& Types();

    struct Model {
        std::optional<long> state; // 1 enabled, 2 disabled
        std::optional<long> type;
        std::optional<long> threshold; // Kbit/s
    };
    struct Input {
        long state = 2; // 1 enabled, 2 disabled, or a value the switch reported
        long type = 1;
        std::optional<long long> n; // empty: nothing (or no number) typed
    };

    // One get of the three objects; on failure the values read before stay.
    RequestStatus Read();
    const Model& Current() const { return m_model; }

    // N as the dialog shows it for a threshold: threshold / 64, "0" for 0.
    static std::string NText(const std::optional<long>& threshold);
    // The refusal, or the changed objects compared with `remembered` (maybe none).
    static ApplyPlan PlanApply(const Input& input, const Model& remembered);

    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    Model m_model;
};
