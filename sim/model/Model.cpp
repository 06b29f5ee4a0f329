// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Builder.h"
#include "sim/model/Ports.h"

namespace ksxsim {

std::optional<DeviceProfile> ProfileFor(const std::string& model) {
    DeviceProfile profile;
    profile.model = model;
    if (model == "KSX-7700-20") {
        profile.ports = 20;
        profile.portListOctets = 3;
    } else if (model == "KSX-7700-28") {
        profile.ports = 28;
        profile.portListOctets = 8;
    } else if (model == "KSX-7700-28P") {
        profile.ports = 28;
        profile.portListOctets = 8;
        profile.poe = true;
        profile.poePorts = 24;
    } else if (model == "KSX-7700-48") {
        profile.ports = 48;
        profile.portListOctets = 6;
    } else if (model == "KSX-7700-52") {
        profile.ports = 52;
        profile.portListOctets = 12;
    } else {
        return std::nullopt;
    }
    return profile;
}

const Oid& SwitchModel::PrivateBase() {
    static const Oid base = O("1.3.6.1.4.1.99999.10.76.17");
    return base;
}

SwitchModel::SwitchModel(DeviceProfile profile) : profile_(std::move(profile)) {
    for (int port = 1; port <= profile_.ports; ++port) {
        PortFacts facts = DefaultPortFacts(profile_, port);
        PhysicalPort physical;
        physical.cable = facts.linkUp;
        physical.partnerMode = facts.linkUp
                                   ? facts.operMode
                                   : (facts.maxSpeed >= 1000000000 ? kOper1000Full : kOper100Full);
        physical.poweredDevice =
            profile_.poe && port <= profile_.poePorts && facts.linkUp && port % 2 == 1;
        physical_.push_back(physical);
    }
    Builder mib2(*this, O("1.3.6.1.2.1"));
    BuildSystemGroups(mib2);
    Builder bridge(*this, O("1.3.6.1.2.1.17"));
    BuildBridgeGroups(bridge);
    Builder priv(*this, PrivateBase());
    BuildPrivateGroups(priv);
    SaveConfiguration();
}

const Value* SwitchModel::Get(const Oid& instance) const {
    auto it = store_.find(instance);
    return it == store_.end() ? nullptr : &it->second.value;
}

void SwitchModel::Put(const Oid& instance, Value value) {
    auto it = store_.find(instance);
    if (it != store_.end()) {
        it->second.value = std::move(value);
        return;
    }
    store_[instance] = Cell{std::move(value), mib_.Find(instance)};
}

} // namespace ksxsim
