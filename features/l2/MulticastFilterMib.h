// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Multicast filtering per VLAN: whether a VLAN forwards or filters unregistered multicast
// groups.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TypedWalk.h"

#include <optional>
#include <string>
#include <vector>

class CMulticastFilterMib : public CFeatureData {
public:
    static constexpr long kForward = 0;
    static constexpr long kFilter = 1;
    static const CEnumTable& Modes();

    struct Row {
        long vid = 0;
        std::string name; // UTF-8
        std::optional<long> mode;
    };

    CMulticastFilterMib();

    CTypedWalk<Row>& Walk() { return m_cWalk; }
    // Nothing for a row without a usable VLAN id.
    static std::optional<Row> RowOf(const SnmpRow& row);
    const std::vector<Row>& Rows() const { return m_cWalk.Rows(); }

    // `all`: every listed VLAN in one request, else the chosen one (nothing chosen, nothing
    // to send).
    ApplyPlan PlanApply(bool all, std::optional<long> chosenVid, long mode) const;

    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<Row> m_cWalk;
};
