// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The kit's requests and the trunk data class against ksx-sim.
#include "PatternTest.h"

#include "features/common/TrunkInfo.h"

namespace {

// The row status of the white-list entry 10.1.1.2 / 00-11-22-33-44-55.
const std::string kWhiteListRowStatus = PrivateOid("14.10.3.1.4.10.1.1.2.0.17.34.51.68.85");

using RequestsTest = PatternTest;
using TrunkInfoTest = PatternTest;
using testsupport::WaitUntil;
using Texts = std::vector<std::string>;

TEST_F(RequestsTest, ScalarReadsReturnTheValuesInRequestOrderOrNothing) {
    CCommonSNMP session;
    const auto values = ReadValues(session, {kSysName, kSysContact, kIfIndex + ".1"});
    ASSERT_TRUE(values.Ok());
    EXPECT_EQ(*values, (Texts{"KSX-7700-28", ToolGet(kSysContact), "1"}));
    EXPECT_EQ(ReadValues(session, {kSysName, PrivateOid("99.1.0")}).Status().Outcome(),
              SnmpOutcome::Refused);
    EXPECT_EQ(ReadValues(session, {}).Status().Code(), -1);
    EXPECT_EQ(ReadValues(session, {"not an oid"}).Status().Code(), -1);
}

TEST_F(RequestsTest, ASetSendsAllBindingsInOneRequestOrNothingWhenOneIsBad) {
    CCommonSNMP session;
    for (const CSetRequest& bad :
         {CSetRequest(), CSetRequest().OctetString(kSysContact, "x").Integer(kSysName, "seven"),
          CSetRequest().OctetString(kSysContact, "x").IpAddress(kSysName, "1.2.3")}) {
        EXPECT_EQ(bad.Send(session).Code(), -1);
    }
    // The refused request leaves nothing behind that a later send could carry.
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(session.Send(response), -1);
    EXPECT_TRUE(TakeSets().empty());

    const int status = CSetRequest()
                           .OctetString(kSysContact, "ops desk")
                           .Integer(kPortSpeed + ".3", 6)
                           .Send(session)
                           .Code();
    EXPECT_EQ(status, 0);
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]),
              (Texts{kSysContact + " = OCTET STRING: ops desk", kPortSpeed + ".3 = INTEGER: 6"}));
    EXPECT_EQ(sets[0].security, "keepers");
    EXPECT_EQ(ToolGet(kSysContact), "ops desk");
}

TEST_F(RequestsTest, RowStatusWriteRefusesStatusesItMayNotWriteAndReportsTheSwitchsAnswer) {
    CCommonSNMP session;
    for (const char* status : {"2", "3", "0", "7", "", "1 "}) {
        trace.Clear();
        EXPECT_EQ(RowStatusWrite(session, kWhiteListRowStatus, status), 0) << status;
        EXPECT_TRUE(trace.Contains("error status value!")) << status;
    }
    EXPECT_TRUE(messages.TakeTexts().empty());
    EXPECT_TRUE(TakeSets().empty());

    // Written in turn; the last one finds no such row any more.
    for (const auto& [status, written] :
         {std::pair{"5", 1}, std::pair{"6", 1}, std::pair{"1", 0}}) {
        EXPECT_EQ(RowStatusWrite(session, kWhiteListRowStatus, status), written) << status;
        const auto sets = TakeSets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Bindings(sets[0]), Texts{kWhiteListRowStatus + " = INTEGER: " + status});
        EXPECT_EQ(sets[0].result == "noError", written == 1) << sets[0].result;
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(TrunkInfoTest, TrunkWalkGivesMemberPortsTheirGroupAndVlanWalkTheVlanIds) {
    CTrunkInfo trunks;
    EXPECT_FALSE(trunks.IsTrunkInfoValid());
    EXPECT_EQ(trunks.TrunkPorts(), PortFlags(28, 0));
    // Until the trunks are known every check fails (nothing is judged on membership never
    // read), and writes nothing.
    trace.Clear();
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{0, 0, 1}), 0);
    EXPECT_EQ(trunks.Alike(PortFlags{}), std::nullopt);
    EXPECT_TRUE(trace.Lines().empty());

    bool trunksRead = false;
    trunks.StartTrunkWalk(&trunks, [&] { trunksRead = true; });
    ASSERT_TRUE(WaitUntil([&] { return trunksRead; }));
    EXPECT_TRUE(trunks.IsTrunkInfoValid());
    PortFlags expected{0, 2, 1, 1, 0, 0, 0, 2};
    expected.resize(28);
    EXPECT_EQ(trunks.TrunkPorts(), expected);
    EXPECT_EQ(trunks.TrunkGroupOf(3), 1);
    EXPECT_EQ(trunks.TrunkGroupOf(0), 0);
    EXPECT_EQ(trunks.TrunkGroupOf(29), 0);

    // Flags shorter than the port count read as zero beyond their end.
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{0, 0, 1, 1}), 1);
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{0, 0, 1}), 0);
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{0, 0, 2, 1}), 0);
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{3, 5, 0, 0, 0, 0, 0, 5}), 1);
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{0, 0, 0, 0, 0, 0, 0, 5}), 0);
    PortFlags ends(28, 0);
    ends[0] = ends[27] = 1;
    EXPECT_EQ(trunks.CheckTrunkConsistency(ends), 1);
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{}), 1); // nothing selected
    EXPECT_EQ(trunks.Alike(PortFlags{0, 0, 1}), false);

    // The check writes the membership of every port.
    trace.Clear();
    trunks.CheckTrunkConsistency(PortFlags{1});
    std::vector<std::string> lines;
    for (std::size_t port = 0; port < 28; ++port) {
        lines.push_back("m_TrunkPorts[" + std::to_string(port) +
                        "] = " + std::to_string(expected[port]));
    }
    EXPECT_EQ(trace.Lines(), lines);

    // A check made right after the walk is restarted (as the admission checks do) still sees
    // the membership read before.
    trunks.StartTrunkWalk();
    EXPECT_TRUE(trunks.IsTrunkInfoValid());
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{0, 0, 1}), 0);
    EXPECT_EQ(trunks.TrunkGroupOf(8), 2);

    // The VLAN walk lists the VLAN IDs; a second walk starts afresh.
    for (int walk = 1; walk <= 2; ++walk) {
        bool vlansRead = false;
        trunks.StartVlanWalk(&trunks, [&] { vlansRead = true; });
        ASSERT_TRUE(WaitUntil([&] { return vlansRead; }));
        EXPECT_EQ(trunks.VlanIds(), std::vector<std::string>{"1"}) << "walk " << walk;
    }
}

} // namespace
