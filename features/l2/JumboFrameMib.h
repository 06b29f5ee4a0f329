// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Jumbo frames: one switch-wide state.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"

#include <optional>
#include <string>

class CJumboFrameMib : public CFeatureData {
public:
    static std::string StateOid();

    // The state read last (1 enabled, 2 disabled); kept when a read fails.
    RequestStatus Read();
    const std::optional<long>& State() const { return m_state; }
    static ApplyPlan PlanApply(long state);

    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    std::optional<long> m_state;
};
