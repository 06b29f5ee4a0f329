// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

// Effects that several objects share, written through a view that is either a running
// set request (Transaction) or the model itself (timed behaviours, start-up).

#include "sim/model/Model.h"

#include <functional>

namespace ksxsim {

struct StoreView {
    std::function<const Value*(const Oid&)> get;
    std::function<void(const Oid&, Value)> put;

    int64_t Number(const Oid& oid, int64_t fallback = 0) const {
        const Value* v = get(oid);
        return v != nullptr ? v->number : fallback;
    }
    std::string Bytes(const Oid& oid) const {
        const Value* v = get(oid);
        return v != nullptr ? v->bytes : std::string();
    }
};

StoreView ViewOf(Transaction& tx);
StoreView ViewOf(SwitchModel& model);

// A refusal pointing at the first binding under prefix (or the first binding).
std::optional<SetFailure> Refuse(const Transaction& tx, const Oid& prefix, ErrorStatus status);

// Private objects used across groups.
Oid Private(std::string_view relative);

// Recomputes the link of a port from its configuration and what is plugged in, and writes
// it to the interface table, the port table and the spanning tree port state.
void RefreshPortLink(const SwitchModel& model, const StoreView& view, int port);

// Recomputes the PoE status and readings of a port and the switch's power totals.
void RefreshPoePort(const SwitchModel& model, const StoreView& view, int port);
void RefreshPoeTotals(const SwitchModel& model, const StoreView& view);

} // namespace ksxsim
