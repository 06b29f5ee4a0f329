// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The VLAN rules as tables, without a switch: the checks of the VLAN sub-dialog in their
// order, the port lists it writes, the PVID checks and requests, the management VLAN rule.
#include "features/port_vlan/ManagementVlanMib.h"
#include "features/port_vlan/VlanMib.h"

#include <gtest/gtest.h>

namespace {

using namespace vlan;

VlanRecord Record(long id, std::size_t egressCount) {
    VlanRecord record;
    record.id = id;
    record.egress.count = egressCount;
    return record;
}

// Ports 3 and 4 form a trunk: a selection passes when it takes both or neither.
int TrunkOf3And4(const PortFlags& selected) {
    return selected.size() < 4 || selected[2] == selected[3] ? 1 : 0;
}

TEST(VlanRules, EditChecksInOrder) {
    const std::string range = "Invalid VLAN ID, VLAN ID should be (2-4094) !";
    const std::string trunk = "Members in VLAN have to be in the same trunk !";
    const std::string noMember = "You have to include at least one member in the vlan";
    const std::vector<VlanRecord> withMembers{Record(1, 28), Record(5, 2)};
    const std::vector<VlanRecord> onlyEmpty{Record(1, 0)};
    struct Case {
        bool add;
        std::string vid;
        QString name;
        const char* ports; // ports 1..4: T tagged, U untagged, - not a member
        std::vector<VlanRecord> vlans;
        std::string refusal; // empty: accepted
    };
    const std::string used = "The VLAN ID has been used, please input again !";
    const std::vector<Case> cases{
        {true, "1", "a", "T---", withMembers, range},
        {true, "4095", "a", "T---", withMembers, range},
        {true, "x2", "a", "T---", withMembers, range},
        {true, "2", "a", "T---", withMembers, ""},
        {true, "4094", "a", "T---", withMembers, ""},
        {true, "5", "a", "T---", withMembers, used},
        {true, "1", "", "T---", withMembers, range},
        {true, "5", "", "T---", withMembers, used},
        {true, "7", "a/b", "--T-", withMembers, "Invalid Vlan name."},
        {true, "7", "", "T---", withMembers, "Vlan name is not allow empty."},
        {true, "7", "a/b", "T---", withMembers, "Invalid Vlan name."},
        {true, "7", QString::fromUtf8("B\xc3\xbcro (2)"), "T---", withMembers, ""},
        {true, "7", "a", "--T-", withMembers, trunk},
        {true, "7", "a", "--TU", withMembers, trunk},
        {true, "7", "a", "--TT", withMembers, ""},
        {true, "7", "a", "----", onlyEmpty, noMember},
        {true, "7", "a", "----", withMembers, ""},
        {false, "", "a", "----", {Record(5, 3)}, noMember},
    };
    for (const Case& c : cases) {
        VlanEdit edit;
        edit.addMode = c.add;
        edit.vidText = c.vid;
        edit.vid = 5;
        edit.name = c.name;
        for (const char port : std::string(c.ports)) {
            edit.ports.push_back(port == 'T' ? kTagged : port == 'U' ? kUntagged : kNotMember);
        }
        const auto refusal = CheckVlanEdit(edit, c.vlans, TrunkOf3And4);
        EXPECT_EQ(refusal ? refusal->text : "", c.refusal) << c.vid << " " << c.name.toStdString();
    }
}

TEST(VlanRules, MemberListsArePaddedByModel) {
    struct Case {
        int ports;
        std::string hex; // ports 1 and the last one
    };
    for (const Case& c : {Case{52, "800000000000100000000000"}, Case{28, "8000001000000000"},
                          Case{20, "80001000"}, Case{48, "8000000000010000"}}) {
        PortFlags flags(static_cast<std::size_t>(c.ports), 0);
        flags.front() = flags.back() = 1;
        EXPECT_EQ(BytesToHex(*MemberListBytes(flags, c.ports)), c.hex) << c.ports;
    }
}

TEST(VlanRules, PvidChecksAndRequests) {
    const std::vector<VlanRecord> vlans{Record(1, 4), Record(5, 1), Record(6, 0)};
    PortFlags trunks{0, 0, 1, 1};
    struct Case {
        PortFlags pvids;
        std::string refusal;
        int port = -1; // the index of the port whose PVID takes the focus
    };
    for (const Case& c : std::vector<Case>{
             {{1, 5, 5, 1}, "You should let all Trunk member in the same PVID !", 2},
             {{1, 7, 5, 1}, "You should let all Trunk member in the same PVID !", 2},
             {{1, 5, 5, 5},
              "Setting PVID on a Trunk is not supported. Please use Web interface for the "
              "settings.",
              2},
             {{1, 7, 1, 1}, "Invalid PVID", 1},
             {{1, 1, 1, 1, 0}, "Invalid PVID", 4},
             {{1, 1, 1, 1, 6}, "Invalid PVID,VlAN is empty", 4},
             {{5, 1, 1, 1}, ""}}) {
        const auto refusal = CheckPvids(c.pvids, trunks, vlans);
        EXPECT_EQ(refusal ? refusal->text : "", c.refusal);
        EXPECT_EQ(refusal ? refusal->index : -1, c.port);
    }
    EXPECT_EQ(PvidRequests(PortFlags(28, 1)).size(), 1u);
}

TEST(VlanRules, ManagementVlanNeedsMembersButTheDefault) {
    const std::string empty = "Management VLAN could not be empty.";
    struct Case {
        std::string vid;
        std::optional<std::size_t> members;
        std::string refusal;
    };
    for (const Case& c :
         std::vector<Case>{{"1", 0, ""}, {"1", std::nullopt, ""}, {"5", 0, empty}, {"5", 2, ""}}) {
        const ApplyPlan plan = CManagementVlanMib::PlanApply("2", c.vid, c.members);
        EXPECT_EQ(plan.refusal ? plan.refusal->text : "", c.refusal) << c.vid;
        EXPECT_EQ(plan.Request().Size(), 2u);
    }
    EXPECT_EQ(CManagementVlanMib::PlanApply("1", "", 0).Request().Size(), 1u);
}

} // namespace
