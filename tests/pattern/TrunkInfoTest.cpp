// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "PatternTest.h"

#include "features/common/TrunkInfo.h"

namespace {

using testsupport::WaitUntil;

class TrunkInfoTest : public PatternTest {
protected:
    static PortFlags Values(std::initializer_list<std::pair<int, int>> portValues) {
        PortFlags values(28, 0);
        for (const auto& [port, value] : portValues) {
            values[static_cast<std::size_t>(port - 1)] = value;
        }
        return values;
    }
};

TEST_F(TrunkInfoTest, TrunkWalkGivesMemberPortsTheirGroupAndVlanWalkTheVlanIds) {
    CTrunkInfo trunks;
    EXPECT_FALSE(trunks.IsTrunkInfoValid());
    EXPECT_EQ(trunks.TrunkPorts(), PortFlags(28, 0));
    // Until the trunks are known every check passes, and writes nothing.
    trace.Clear();
    EXPECT_EQ(trunks.CheckTrunkConsistency(Values({{3, 1}})), 1);
    EXPECT_TRUE(trace.Lines().empty());

    bool trunksRead = false;
    trunks.StartTrunkWalk([&] { trunksRead = true; });
    ASSERT_TRUE(WaitUntil([&] { return trunksRead; }));
    EXPECT_TRUE(trunks.IsTrunkInfoValid());
    PortFlags expected(28, 0);
    expected[1] = 2;
    expected[2] = 1;
    expected[3] = 1;
    expected[7] = 2;
    EXPECT_EQ(trunks.TrunkPorts(), expected);
    EXPECT_EQ(trunks.TrunkGroupOf(3), 1);
    EXPECT_EQ(trunks.TrunkGroupOf(0), 0);
    EXPECT_EQ(trunks.TrunkGroupOf(29), 0);

    EXPECT_EQ(trunks.CheckTrunkConsistency(Values({{3, 1}, {4, 1}})), 1);
    EXPECT_EQ(trunks.CheckTrunkConsistency(Values({{3, 1}})), 0);
    EXPECT_EQ(trunks.CheckTrunkConsistency(Values({{3, 2}, {4, 1}})), 0);
    EXPECT_EQ(trunks.CheckTrunkConsistency(Values({{2, 5}, {8, 5}, {1, 3}})), 1);
    EXPECT_EQ(trunks.CheckTrunkConsistency(Values({{8, 5}})), 0);
    EXPECT_EQ(trunks.CheckTrunkConsistency(Values({{1, 1}, {28, 1}})), 1);
    EXPECT_EQ(trunks.CheckTrunkConsistency(PortFlags{}), 1); // nothing selected

    // The check writes the membership of every port.
    trace.Clear();
    trunks.CheckTrunkConsistency(Values({{1, 1}}));
    std::vector<std::string> lines;
    for (int port = 1; port <= 28; ++port) {
        const int group = port == 3 || port == 4 ? 1 : (port == 2 || port == 8 ? 2 : 0);
        lines.push_back("m_TrunkPorts[" + std::to_string(port - 1) +
                        "] = " + std::to_string(group));
    }
    EXPECT_EQ(trace.Lines(), lines);

    // A check made right after the walk is restarted (as the admission checks do) still sees
    // the membership read before.
    trunks.StartTrunkWalk();
    EXPECT_TRUE(trunks.IsTrunkInfoValid());
    EXPECT_EQ(trunks.CheckTrunkConsistency(Values({{3, 1}})), 0);
    EXPECT_EQ(trunks.TrunkGroupOf(8), 2);

    // The VLAN walk lists the VLAN IDs.
    bool vlansRead = false;
    trunks.StartVlanWalk([&] { vlansRead = true; });
    ASSERT_TRUE(WaitUntil([&] { return vlansRead; }));
    EXPECT_EQ(trunks.VlanIds(), std::vector<std::string>{"1"});
}

} // namespace
