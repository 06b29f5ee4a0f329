// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// What IGMP snooping has learned: the multicast groups that hosts on the ports joined, and
// how they go away when snooping stops for their VLAN or the VLAN itself goes.
#include "sim/model/Builder.h"
#include "sim/model/Effects.h"

namespace ksxsim {

namespace {

struct LearnedGroup {
    uint32_t id;
    uint32_t vid;
    std::string address; // four octets
    std::string mac;     // six octets
    std::vector<int> ports;
};

std::string Octets(std::initializer_list<uint8_t> octets) {
    return std::string(octets.begin(), octets.end());
}

std::vector<LearnedGroup> GroupsAtStart() {
    return {
        {1, 1, Octets({239, 1, 1, 1}), Octets({0x01, 0x00, 0x5e, 0x01, 0x01, 0x01}), {3, 5}},
        {2, 1, Octets({239, 255, 255, 250}), Octets({0x01, 0x00, 0x5e, 0x7f, 0xff, 0xfa}), {2}},
        {3, 1, Octets({224, 0, 1, 129}), Octets({0x01, 0x00, 0x5e, 0x00, 0x01, 0x81}), {4, 7, 8}},
    };
}

const TableDef& TableAt(const SwitchModel& model, std::string_view entry) {
    return *model.Definitions().FindTable(Private(entry));
}

// A group stays known only while snooping runs on the switch and on its VLAN.
std::optional<SetFailure> GroupRule(Transaction& tx) {
    if (!tx.BindingUnder(Private("10")) && !tx.BindingUnder(Private("7"))) {
        return std::nullopt;
    }
    const TableDef& groups = TableAt(tx.Model(), "10.3.5.1");
    const TableDef& vlans = TableAt(tx.Model(), "10.3.4.1");
    const bool snooping = tx.GetNumber(Private("10.1.1.0")) == 1;
    for (const Oid& index : tx.Rows(groups)) {
        auto vid = static_cast<uint32_t>(tx.GetNumber(Private("10.3.5.1.1") + index));
        const bool kept = snooping && tx.RowExists(vlans, {vid}) &&
                          tx.GetNumber(Private("10.3.4.1.2") + vid) == 1;
        if (!kept) {
            tx.DestroyRow(groups, index);
        }
    }
    return std::nullopt;
}

} // namespace

void BuildIgmpLearning(Builder& b) {
    SwitchModel& model = b.Model();
    // Snooping runs on VLAN 1 from the start, so the switch has groups to show.
    model.Put(Private("10.1.1.0"), Value::Int(1));
    model.Put(Private("10.3.4.1.2.1"), Value::Int(1));
    const TableDef& groups = TableAt(model, "10.3.5.1");
    const size_t octets = b.Profile().portListOctets;
    for (const LearnedGroup& group : GroupsAtStart()) {
        b.Row(groups, {group.id});
        model.Put(Private("10.3.5.1.1") + group.id, Value::Int(group.vid));
        model.Put(Private("10.3.5.1.2") + group.id, Value::Str(group.address));
        model.Put(Private("10.3.5.1.3") + group.id, Value::Str(group.mac));
        model.Put(Private("10.3.5.1.4") + group.id, Value::Str(MakePortList(group.ports, octets)));
    }
    model.AddRule(GroupRule);
}

} // namespace ksxsim
