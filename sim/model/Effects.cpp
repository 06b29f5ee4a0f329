// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Effects.h"

#include "sim/model/Ports.h"

#include <cstdio>
#include <cstdlib>

namespace ksxsim {

StoreView ViewOf(Transaction& tx) {
    return {[&tx](const Oid& oid) { return tx.Get(oid); },
            [&tx](const Oid& oid, Value value) { tx.Put(oid, std::move(value)); }};
}

StoreView ViewOf(SwitchModel& model) {
    return {[&model](const Oid& oid) { return model.Get(oid); },
            [&model](const Oid& oid, Value value) { model.Put(oid, std::move(value)); }};
}

std::optional<SetFailure> Refuse(const Transaction& tx, const Oid& prefix, ErrorStatus status) {
    return SetFailure{status, tx.BindingUnder(prefix).value_or(0)};
}

Oid Private(std::string_view relative) {
    return SwitchModel::PrivateBase() + O(relative);
}

namespace {

constexpr int kSpeedAuto = 6;
constexpr int kSpeedDisable = 7;

const Oid kIfSpeed = O("1.3.6.1.2.1.2.2.1.5");
const Oid kIfAdminStatus = O("1.3.6.1.2.1.2.2.1.7");
const Oid kIfOperStatus = O("1.3.6.1.2.1.2.2.1.8");
const Oid kStpPortState = O("1.3.6.1.2.1.17.2.15.1.3");
const Oid kStpPortEnable = O("1.3.6.1.2.1.17.2.15.1.4");

// The operating mode a forced speed gives, or Down when the port cannot run it.
int ForcedMode(int speed, uint32_t maxSpeed) {
    static const int modes[] = {0,           kOper1000Full, kOper100Full, kOper100Half,
                                kOper10Full, kOper10Half};
    int mode = speed >= 1 && speed <= 5 ? modes[speed] : kOperDown;
    return OperModeSpeed(mode) > maxSpeed ? kOperDown : mode;
}

std::string Decimal(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

double PortWatts(int port) {
    return 4.0 + (port % 5) * 1.3;
}

} // namespace

void RefreshPortLink(const SwitchModel& model, const StoreView& view, int port) {
    const auto& physical = model.Physical()[static_cast<size_t>(port - 1)];
    auto p = static_cast<uint32_t>(port);
    PortFacts facts = DefaultPortFacts(model.Profile(), port);
    int64_t speed = view.Number(Private("1.13.1.2") + p, kSpeedAuto);
    bool adminUp = view.Number(kIfAdminStatus + p, 1) == 1 && speed != kSpeedDisable;
    int mode = kOperDown;
    if (adminUp && physical.cable) {
        mode = speed == kSpeedAuto ? physical.partnerMode
                                   : ForcedMode(static_cast<int>(speed), facts.maxSpeed);
    }
    bool up = mode != kOperDown;
    view.put(kIfOperStatus + p, Value::Int(up ? 1 : 2));
    view.put(kIfSpeed + p, Value::Gauge(up ? OperModeSpeed(mode) : facts.maxSpeed));
    view.put(Private("1.13.1.3") + p, Value::Int(mode));
    bool flow = view.Number(Private("1.13.1.5") + p, 2) == 1;
    view.put(Private("1.13.1.6") + p, Value::Int(up && flow ? 1 : 2));
    bool stp = view.Number(kStpPortEnable + p, 1) == 1;
    view.put(kStpPortState + p, Value::Int(up && stp ? 5 : 1));
}

void RefreshPoePort(const SwitchModel& model, const StoreView& view, int port) {
    const auto& profile = model.Profile();
    if (!profile.poe || port < 1 || port > profile.poePorts) {
        return;
    }
    Oid index{1, static_cast<uint32_t>(port)};
    const auto& physical = model.Physical()[static_cast<size_t>(port - 1)];
    bool enabled = view.Number(Private("22.1.1.3") + index, 1) == 1;
    bool adminUp = view.Number(kIfAdminStatus + static_cast<uint32_t>(port), 1) == 1;
    bool powered = enabled && adminUp && physical.cable && physical.poweredDevice;
    double watts = powered ? PortWatts(port) : 0.0;
    view.put(Private("22.1.1.9") + index, Value::Str(Decimal(watts)));
    view.put(Private("22.1.1.10") + index, Value::Str(powered ? "53.5" : "0.0"));
    view.put(Private("22.1.1.11") + index,
             Value::Str(std::to_string(static_cast<int>(watts * 1000.0 / 53.5))));
    view.put(Private("22.1.1.12") + index, Value::Str(powered ? "Class 2" : "N/A"));
    view.put(Private("22.1.1.13") + index, Value::Str(powered ? "POWER ON" : "POWER OFF"));
}

void RefreshPoeTotals(const SwitchModel& model, const StoreView& view) {
    const auto& profile = model.Profile();
    if (!profile.poe) {
        return;
    }
    double used = 0;
    for (int port = 1; port <= profile.poePorts; ++port) {
        Oid index{1, static_cast<uint32_t>(port)};
        used += std::atof(view.Bytes(Private("22.1.1.9") + index).c_str());
    }
    double threshold = std::atof(view.Bytes(Private("22.2.0")).c_str());
    double budget = std::atof(view.Bytes(Private("22.4.0")).c_str());
    double left = threshold - used > 0 ? threshold - used : 0.0;
    view.put(Private("22.5.0"), Value::Str(Decimal(used)));
    view.put(Private("22.6.0"), Value::Str(Decimal(left)));
    int percent = budget > 0 ? static_cast<int>(used * 100.0 / budget + 0.5) : 0;
    view.put(Private("22.7.0"), Value::Str(std::to_string(percent)));
}

} // namespace ksxsim
