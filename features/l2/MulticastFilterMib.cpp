// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/MulticastFilterMib.h"

#include "features/common/SnmpRequests.h"

namespace {

const std::string kModeColumn = PrivateOid("7.8.1.2");

enum Value : std::size_t { kValueVid, kValueName, kValueMode };

} // namespace

const CEnumTable& CMulticastFilterMib::Modes() {
    static const CEnumTable table{
        {{kForward, "Forward Unregistered Groups", "Forward Unregistered Groups"},
         {kFilter, "Filtering Unregistered Groups", "Filtering Unregistered Groups"}},
        /*fallback=*/kFilter};
    return table;
}

CMulticastFilterMib::CMulticastFilterMib()
    : m_cWalk(m_cCommonSNMPTable, {PrivateOid("7.8.1.1"), PrivateOid("7.6.1.1"), kModeColumn},
              &RowOf) {}

std::optional<CMulticastFilterMib::Row> CMulticastFilterMib::RowOf(const SnmpRow& row) {
    const std::optional<long> vid = IntegerOf(row.suffix);
    if (!vid || *vid < 1 || *vid > 4094) {
        return std::nullopt;
    }
    Row added;
    added.vid = *vid;
    added.name = row.Value(kValueName);
    added.mode = IntegerOf(row.Value(kValueMode));
    return added;
}

ApplyPlan CMulticastFilterMib::PlanApply(bool all, std::optional<long> chosenVid, long mode) const {
    ApplyPlan plan;
    for (const Row& row : Rows()) {
        if (all || row.vid == chosenVid) {
            plan.Request().Integer(InstanceOid(kModeColumn, static_cast<int>(row.vid)), mode);
        }
    }
    return plan;
}
