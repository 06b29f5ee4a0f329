// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/StormControlMib.h"

#include "features/common/SnmpRequests.h"

std::string CStormControlMib::StateOid() {
    return ScalarOid(PrivateOid("13.3.1"));
}
std::string CStormControlMib::TypeOid() {
    return ScalarOid(PrivateOid("13.3.2"));
}
std::string CStormControlMib::ThresholdOid() {
    return ScalarOid(PrivateOid("13.3.3"));
}

const CEnumTable& CStormControlMib::Types() {
    static const CEnumTable table{{{1, "Broadcast Only", "Broadcast Only"},
                                   {2, "Multicast & Broadcast", "Multicast & Broadcast"},
                                   {3, "Multicast & Broadcast & Unknown Unicast",
                                    "Multicast & Broadcast & Unknown Unicast"}}};
    return table;
}

RequestStatus CStormControlMib::Read() {
    const auto values = ReadValues(m_cCommonSNMP, {StateOid(), TypeOid(), ThresholdOid()});
    if (!values || values->size() < 3) {
        return values ? RequestStatus(-1) : values.Status();
    }
    m_model = {IntegerOf((*values)[0]), IntegerOf((*values)[1]), IntegerOf((*values)[2])};
    return RequestStatus(0);
}

std::string CStormControlMib::NText(const std::optional<long>& threshold) {
    if (!threshold || *threshold < 0) {
        return {};
    }
    return std::to_string(*threshold / kStep);
}

ApplyPlan CStormControlMib::PlanApply(const Input& input, const Model& remembered) {
    ApplyPlan plan;
    CheckChain checks;
    checks
        .Require(input.n && *input.n >= 1 && *input.n <= kMaxN,
                 "Invalid input of N ( input range must between 1~16000)")
        .About(kNField);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    const long state = input.state;
    const long threshold = static_cast<long>(*input.n) * kStep;
    if (remembered.state != state) {
        plan.Request().Integer(StateOid(), state);
    }
    if (state == 1) {
        if (remembered.type != input.type) {
            plan.Request().Integer(TypeOid(), input.type);
        }
        if (remembered.threshold != threshold) {
            plan.Request().Integer(ThresholdOid(), threshold);
        }
    }
    return plan;
}
