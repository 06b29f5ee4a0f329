// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/JumboFrameMib.h"

#include "features/common/SnmpRequests.h"

std::string CJumboFrameMib::StateOid() {
    return ScalarOid(PrivateOid("1.12"));
}

RequestStatus CJumboFrameMib::Read() {
    const auto values = ReadValues(m_cCommonSNMP, {StateOid()});
    if (!values || values->empty()) {
        return values ? RequestStatus(-1) : values.Status();
    }
    m_state = IntegerOf(values->front());
    return RequestStatus(0);
}

ApplyPlan CJumboFrameMib::PlanApply(long state) {
    ApplyPlan plan;
    plan.Request().Integer(StateOid(), state);
    return plan;
}
