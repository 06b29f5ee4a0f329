// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/MirrorMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/PortEncoding.h"

#include <algorithm>

std::string CMirrorMib::StateOid() {
    return ScalarOid(PrivateOid("18.1"));
}
std::string CMirrorMib::TargetOid() {
    return ScalarOid(PrivateOid("18.2"));
}
std::string CMirrorMib::RxPortsOid() {
    return ScalarOid(PrivateOid("18.3"));
}
std::string CMirrorMib::TxPortsOid() {
    return ScalarOid(PrivateOid("18.4"));
}

std::vector<int> CMirrorMib::ModesOf(const std::string& rx, const std::string& tx, int portCount) {
    const auto count = static_cast<std::size_t>(std::max(0, portCount));
    PortFlags inRx(count, 0), inTx(count, 0);
    PortListToFlags(PortBitsToList(rx, portCount).text, inRx, 1, portCount);
    PortListToFlags(PortBitsToList(tx, portCount).text, inTx, 1, portCount);
    std::vector<int> modes(count, kNone);
    for (std::size_t i = 0; i < count; ++i) {
        if (inRx[i] != 0 && inTx[i] != 0) {
            modes[i] = kBoth;
        } else if (inTx[i] != 0) {
            modes[i] = kTx;
        } else if (inRx[i] != 0) {
            modes[i] = kRx;
        }
    }
    return modes;
}

ApplyPlan CMirrorMib::PlanApply(const Input& input, const CTrunkInfo& trunks, bool wasEnabled,
                                int portCount) {
    ApplyPlan plan;
    if (input.state != 1) {
        plan.Step(CSetRequest().Integer(StateOid(), input.state));
        return plan;
    }
    const auto count = static_cast<std::size_t>(std::max(0, portCount));
    // Per port: 0 outside the sources, else the mode + 1, for the trunk check; and the lists.
    PortFlags chosen(count, 0), tx(count, 0), rx(count, 0);
    for (std::size_t i = 0; i < count && i < input.modes.size(); ++i) {
        const int mode = input.modes[i];
        if (static_cast<int>(i) + 1 == input.target || mode < kTx || mode > kBoth) {
            continue;
        }
        chosen[i] = mode + 1;
        tx[i] = mode == kTx || mode == kBoth ? 1 : 0;
        rx[i] = mode == kRx || mode == kBoth ? 1 : 0;
    }
    CheckChain checks;
    checks.RequireRead(trunks.IsTrunkInfoValid())
        .Require(trunks.TrunkGroupOf(input.target) == 0, "Target Port is Trunking Port!")
        .About(kTargetField)
        .Require(std::any_of(chosen.begin(), chosen.end(), [](int v) { return v != 0; }),
                 "Must at least select one source port.")
        .About(kSourcesField)
        .RequireAlike(
            [&] { return trunks.Alike(chosen); },
            "Must select whole ports of the aggregated link with the same Sniffer Mode to "
            "source port.")
        .About(kSourcesField);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal || input.target < 1 || input.target > portCount) {
        return plan;
    }
    const std::string none = PortFlagsToPortList(PortFlags(count, 0), portCount);
    if (wasEnabled) {
        plan.Step(CSetRequest().OctetString(TxPortsOid(), none).OctetString(RxPortsOid(), none));
    }
    plan.Step(CSetRequest().Integer(TargetOid(), input.target));
    plan.Step(CSetRequest()
                  .OctetString(TxPortsOid(), PortFlagsToPortList(tx, portCount))
                  .OctetString(RxPortsOid(), PortFlagsToPortList(rx, portCount)));
    plan.Step(CSetRequest().Integer(StateOid(), 1));
    return plan;
}

RequestStatus CMirrorMib::Read(int portCount) {
    const auto values =
        ReadValues(m_cCommonSNMP, {StateOid(), TargetOid(), RxPortsOid(), TxPortsOid()});
    if (!values || values->size() < 4) {
        return values ? RequestStatus(-1) : values.Status();
    }
    m_model.state = IntegerOf((*values)[0]);
    m_model.target = IntegerOf((*values)[1]);
    m_model.modes = ModesOf((*values)[2], (*values)[3], portCount);
    return RequestStatus(0);
}
