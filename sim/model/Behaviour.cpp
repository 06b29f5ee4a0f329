// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Behaviour.h"

#include "sim/model/Effects.h"
#include "sim/model/Ports.h"

namespace ksxsim {

namespace {

Oid StateOf(TransferKind kind) {
    return Private(kind == TransferKind::Firmware ? "3.4.0" : "3.8.0");
}

void RefreshAllPorts(SwitchModel& model) {
    StoreView view = ViewOf(model);
    for (int port = 1; port <= model.Profile().ports; ++port) {
        RefreshPortLink(model, view, port);
        RefreshPoePort(model, view, port);
    }
    RefreshPoeTotals(model, view);
}

} // namespace

void SetTransferState(SwitchModel& model, TransferKind kind, int state) {
    model.Put(StateOf(kind), Value::Int(state));
}

TransferResult TransferOutcome(const SwitchModel& model, TransferKind kind, bool forceFailure) {
    bool firmware = kind == TransferKind::Firmware;
    const Value* server = model.Get(Private(firmware ? "3.1.0" : "3.5.0"));
    const Value* file = model.Get(Private(firmware ? "3.2.0" : "3.6.0"));
    const Value* operation = model.Get(Private(firmware ? "3.3.0" : "3.7.0"));
    bool noServer = server == nullptr || server->bytes == std::string(4, '\0');
    bool noFile = file == nullptr || file->bytes.empty();
    if (forceFailure || noServer || noFile) {
        return TransferResult::Fails;
    }
    bool upgrade = operation != nullptr && operation->number == 1;
    return upgrade ? TransferResult::Restarts : TransferResult::Succeeds;
}

void FinishSave(SwitchModel& model) {
    model.Put(Private("1.10.0"), Value::Int(2));
    model.SaveConfiguration();
}

void FinishReboot(SwitchModel& model) {
    model.RestoreConfiguration();
    model.Put(Private("1.9.0"), Value::Int(2));
    model.Put(Private("1.10.0"), Value::Int(2));
    RefreshAllPorts(model);
}

void FinishScan(SwitchModel& model) {
    const Value* from = model.Get(Private("14.10.5.0"));
    const Value* to = model.Get(Private("14.10.6.0"));
    const TableDef* table = model.Definitions().FindTable(Private("14.10.2.1"));
    if (from == nullptr || to == nullptr || table == nullptr || from->bytes.size() != 4 ||
        to->bytes.size() != 4) {
        return;
    }
    auto number = [](const std::string& ip) {
        uint32_t n = 0;
        for (unsigned char c : ip) {
            n = (n << 8) | c;
        }
        return n;
    };
    std::vector<int> linked;
    for (int port = 1; port <= model.Profile().ports; ++port) {
        if (model.Physical()[static_cast<size_t>(port - 1)].cable) {
            linked.push_back(port);
        }
    }
    uint32_t first = number(from->bytes), last = number(to->bytes);
    if (first == 0 || last < first || linked.empty()) {
        return;
    }
    // Three hosts answer in every scanned range: the first addresses of it.
    for (uint32_t ip = first, found = 0; ip <= last && found < 3; ++ip, ++found) {
        Oid mac{0x00, 0x1b, 0x2c, 0x20, (ip >> 8) & 0xff, ip & 0xff};
        auto port = static_cast<uint32_t>(linked[(ip - first) % linked.size()]);
        Oid address{ip >> 24, (ip >> 16) & 0xff, (ip >> 8) & 0xff, ip & 0xff};
        Oid index = mac + port + address;
        if (model.Data().count(table->columns.front()->oid + index) == 0) {
            PutRow(model.Data(), *table, index);
        }
    }
}

void AnimateStep(SwitchModel& model, uint32_t step, uint32_t uptimeTicks) {
    const DeviceProfile& profile = model.Profile();
    int copper = profile.ports - 4;
    if (copper < 1) {
        return;
    }
    StoreView view = ViewOf(model);
    int port = 1 + static_cast<int>((step * 7 + 3) % static_cast<uint32_t>(copper));
    auto& physical = model.Physical()[static_cast<size_t>(port - 1)];
    physical.cable = !physical.cable;
    physical.poweredDevice = physical.cable && port % 2 == 1;
    auto p = static_cast<uint32_t>(port);
    RefreshPortLink(model, view, port);
    model.Put(O("1.3.6.1.2.1.2.2.1.9") + p, Value::Ticks(uptimeTicks));
    if (physical.cable) {
        Oid transitions = O("1.3.6.1.2.1.17.2.15.1.10") + p;
        model.Put(transitions, Value::Counter(static_cast<uint32_t>(view.Number(transitions) + 1)));
    }
    if (!profile.poe) {
        return;
    }
    RefreshPoePort(model, view, port);
    if (step % 3 == 1) {
        // A time range ends for one powered port, or the port comes back.
        int q = 1 + static_cast<int>((step * 5) % static_cast<uint32_t>(profile.poePorts));
        Oid status = Private("22.1.1.13") + Oid{1, static_cast<uint32_t>(q)};
        if (view.Bytes(status) == "POWER ON") {
            Oid index{1, static_cast<uint32_t>(q)};
            model.Put(status, Value::Str("Time-based OFF"));
            model.Put(Private("22.1.1.9") + index, Value::Str("0.0"));
            model.Put(Private("22.1.1.10") + index, Value::Str("0.0"));
            model.Put(Private("22.1.1.11") + index, Value::Str("0"));
        } else {
            RefreshPoePort(model, view, q);
        }
    }
    if (step % 5 == 4) {
        Oid led = Private("22.8.0");
        model.Put(led, Value::Int(view.Number(led, 1) == 1 ? 2 : 1));
    }
    RefreshPoeTotals(model, view);
}

} // namespace ksxsim
