// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// What the switch itself insists on before it aggregates ports: link aggregation must be
// enabled to change a trunk, and the members of one trunk run the same medium at the same
// full-duplex speed, without the mirroring target among them.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

namespace ksxsim {

namespace {

constexpr int64_t kTrunkDisabled = 2;
constexpr int64_t kSpeed100Half = 3;
constexpr int64_t kSpeed10Half = 5;
constexpr int64_t kMirrorEnabled = 1;

bool HalfDuplex(int64_t speed) {
    return speed == kSpeed100Half || speed == kSpeed10Half;
}

} // namespace

void BuildTrunkRules(Builder& b) {
    const Oid state = b.At("8.1.2.0"), members = b.At("8.1.3.1.2"), modes = b.At("8.1.3.1.3");
    const Oid speed = b.At("1.13.1.2"), media = b.At("1.13.1.7");
    const Oid mirrorState = b.At("18.1.0"), mirrorTarget = b.At("18.2.0");
    b.Model().AddRule([=](Transaction& tx) -> std::optional<SetFailure> {
        const auto changedMembers = tx.ChangedUnder(members);
        if (changedMembers.empty() && tx.ChangedUnder(modes).empty()) {
            return std::nullopt;
        }
        if (tx.GetNumber(state) == kTrunkDisabled) {
            return Refuse(tx, members, ErrorStatus::InconsistentValue);
        }
        const int64_t target =
            tx.GetNumber(mirrorState) == kMirrorEnabled ? tx.GetNumber(mirrorTarget) : 0;
        for (const Oid& changed : changedMembers) {
            const std::vector<int> ports = PortsOf(tx.GetBytes(changed));
            if (ports.empty()) {
                continue;
            }
            const auto first = static_cast<uint32_t>(ports.front());
            for (int port : ports) {
                const auto p = static_cast<uint32_t>(port);
                if (tx.GetNumber(media + p) != tx.GetNumber(media + first) ||
                    tx.GetNumber(speed + p) != tx.GetNumber(speed + first) ||
                    HalfDuplex(tx.GetNumber(speed + p)) || port == target) {
                    return Refuse(tx, changed, ErrorStatus::InconsistentValue);
                }
            }
        }
        return std::nullopt;
    });
}

} // namespace ksxsim
