// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "PatternTest.h"

#include "features/common/TrunkInfo.h"

namespace {

using testsupport::WaitUntil;
using TrunkInfoTest = PatternTest;

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
