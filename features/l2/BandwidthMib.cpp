// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/BandwidthMib.h"

#include "features/common/SnmpRequests.h"

#include <algorithm>

std::string CBandwidthMib::PortColumn() {
    return PrivateOid("13.1.2.1.1");
}
std::string CBandwidthMib::TxRateColumn() {
    return PrivateOid("13.1.2.1.2");
}
std::string CBandwidthMib::RxRateColumn() {
    return PrivateOid("13.1.2.1.3");
}

std::optional<CBandwidthMib::Row> CBandwidthMib::ParseRow(const SnmpRow& row) {
    return Row{IntegerOf(row.Value(0)), IntegerOf(row.Value(1)), IntegerOf(row.Value(2))};
}

std::string CBandwidthMib::RateCell(std::optional<long> rate) {
    if (!rate) {
        return {};
    }
    return *rate == 0 ? "No Limit" : std::to_string(*rate);
}

ApplyPlan CBandwidthMib::PlanApply(const Input& input, const PortFlags& trunkPorts) {
    ApplyPlan plan;
    const long long rate = input.noLimit ? 0 : input.rate.value_or(-1);
    std::string trunked;
    for (int port = input.fromPort; port <= input.toPort; ++port) {
        const auto entry = static_cast<std::size_t>(port - 1);
        if (port >= 1 && entry < trunkPorts.size() && trunkPorts[entry] != 0) {
            trunked += (trunked.empty() ? "" : ",") + std::to_string(port);
        }
    }
    CheckChain checks;
    checks.Require(input.noLimit || (rate >= kMinRate && rate <= kMaxRate), "Invalid Rate.")
        .About(kRateField)
        .Require(trunked.empty(), "You can't set the rate of Ports:" + trunked +
                                      ".because they are in aggregated link.")
        .About(kPortsField);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    for (int port = std::max(1, input.fromPort); port <= input.toPort; ++port) {
        CSetRequest request;
        if (input.direction == kRx || input.direction == kBoth) {
            request.Integer(InstanceOid(RxRateColumn(), port), static_cast<long>(rate));
        }
        if (input.direction == kTx || input.direction == kBoth) {
            request.Integer(InstanceOid(TxRateColumn(), port), static_cast<long>(rate));
        }
        plan.Step(std::move(request)).onFailure = SetStep::OnFailure::GoOn;
    }
    return plan;
}
