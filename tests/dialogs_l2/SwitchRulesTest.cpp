// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What ksx-sim, as the switch, refuses of the layer-2 settings around an aggregated link (ports
// 5 and 6), whatever a dialog lets through.
#include "features/common/SnmpRequests.h"
#include "tests/dialogs_l2/L2Testing.h"

namespace {

using namespace l2test;

TEST_F(L2DialogTest, TheSwitchKeepsTheMembersOfAnAggregatedLinkAlike) {
    Restart("KSX-7700-28", {Trunk(1, "0c000000")});
    const std::string bp = B + ".15.1.", rate = P + ".13.1.2.1.";
    const std::string all = std::string("\xff\xff\xff\xf0", 4);
    struct Case {
        const char* what;
        CSetRequest request;
        bool accepted;
    } const cases[] = {
        {"one member's rate", CSetRequest().Integer(rate + "2.5", 640), false},
        {"both members' rates", CSetRequest().Integer(rate + "2.5", 640).Integer(rate + "2.6", 640),
         true},
        {"a port outside the link", CSetRequest().Integer(rate + "3.4", 640), true},
        {"one member's priority", CSetRequest().Integer(bp + "2.6", 16), false},
        {"one member's path cost", CSetRequest().Integer(P + ".6.2.1.5.5", 100), false},
        {"both members' enable", CSetRequest().Integer(bp + "4.5", 2).Integer(bp + "4.6", 2), true},
        {"a member as mirror target", CSetRequest().Integer(P + ".18.2.0", 5), false},
        {"half a link mirrored",
         CSetRequest().OctetString(P + ".18.4.0", std::string("\x08\0\0\0", 4)), false},
        {"a whole link mirrored",
         CSetRequest().OctetString(P + ".18.4.0", std::string("\x0c\0\0\0", 4)), true},
        {"half a link as forwarding ports",
         CSetRequest().OctetString(P + ".14.9.2.1.2.1", std::string("\xf4\0\0\0", 4)), false},
        {"every port as forwarding ports", CSetRequest().OctetString(P + ".14.9.2.1.2.1", all),
         true},
    };
    CCommonSNMP session;
    for (const Case& c : cases) {
        EXPECT_EQ(c.request.Send(session).Ok(), c.accepted) << c.what;
    }
}

} // namespace
