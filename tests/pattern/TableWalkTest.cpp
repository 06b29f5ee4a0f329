// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "AgentTest.h"
#include "ProbeDialogs.h"

#include "platform/Trace.h"

#include <QPushButton>

#include <chrono>
#include <thread>

namespace {

using testsupport::Find;
using testsupport::WaitUntil;

// Waits for the walk's worker without running the event loop, so that nothing is delivered.
bool WaitForHandOvers(const CTableWalk& walk, int rows) {
    for (int i = 0; i < 20000 && walk.RowsHandedOver() < rows; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return walk.RowsHandedOver() >= rows;
}

const std::string kEmptyColumn = PrivateOid("99.1.1.1");

class TableWalkTest : public AgentTest {
protected:
    std::shared_ptr<WalkCounters> counters = std::make_shared<WalkCounters>();
};

TEST_F(TableWalkTest, RowsReachTheListInTableOrderOnTheUiThread) {
    CWalkProbeDialog dialog({kIfIndex, kIfDescr}, counters);
    dialog.show();
    ASSERT_TRUE(WaitUntil([&] { return counters->walksFinished == 1; }));

    EXPECT_EQ(counters->lastStatus, kSnmpEndOfTable);
    EXPECT_EQ(counters->rowsOffUiThread, 0);
    const int rows = ToolRowCount(kIfDescr);
    ASSERT_GT(rows, 0);
    ASSERT_EQ(dialog.List()->RowCount(), rows);
    for (int row = 0; row < rows; ++row) {
        EXPECT_EQ(dialog.List()->Cell(row, 0), QString::number(row + 1));
        const std::string suffix = dialog.List()->Cell(row, 1).toStdString();
        EXPECT_EQ(dialog.List()->Cell(row, 2).toStdString(), ToolGet(kIfDescr + "." + suffix));
    }
    EXPECT_TRUE(trace.Contains("status = -1"));
    EXPECT_TRUE(trace.Contains("call back iStatus = -2"));
}

TEST_F(TableWalkTest, ButtonsAreDisabledDuringTheWalkAndEnabledAfterAnEmptyTable) {
    CWalkProbeDialog dialog({kEmptyColumn}, counters);
    dialog.show();
    auto* refresh = Find<QPushButton>(&dialog, "refreshButton");
    auto* apply = Find<QPushButton>(&dialog, "applyButton");
    ASSERT_TRUE(refresh && apply);
    EXPECT_FALSE(refresh->isEnabled());
    EXPECT_FALSE(apply->isEnabled());

    ASSERT_TRUE(WaitUntil([&] { return counters->walksFinished == 1; }));
    EXPECT_EQ(counters->lastStatus, kSnmpEndOfTable);
    EXPECT_EQ(dialog.List()->RowCount(), 0);
    EXPECT_TRUE(refresh->isEnabled());
    EXPECT_TRUE(apply->isEnabled());
}

TEST_F(TableWalkTest, AFailedStepEndsTheWalkAndEnablesTheButtons) {
    CWalkProbeDialog dialog({kIfIndex}, counters, 300);
    agent->Pause();
    dialog.show();
    const bool ended = WaitUntil([&] { return counters->walksFinished == 1; });
    agent->Resume();
    ASSERT_TRUE(ended);
    EXPECT_EQ(counters->lastStatus, kSnmpTimeout);
    EXPECT_TRUE(trace.Contains("call back iStatus = -1"));
    EXPECT_TRUE(Find<QPushButton>(&dialog, "refreshButton")->isEnabled());
}

TEST_F(TableWalkTest, ARestartedWalkDropsTheRowsOfTheEarlierOne) {
    CWalkProbeDialog dialog({kIfIndex, kIfDescr}, counters);
    dialog.show();
    ASSERT_TRUE(WaitForHandOvers(dialog.Walk(), 1));
    dialog.Refresh(); // the first walk's undelivered rows and end must not show up
    dialog.Refresh();
    ASSERT_TRUE(
        WaitUntil([&] { return counters->walksFinished >= 1 && !dialog.Walk().IsRunning(); }));
    testsupport::ProcessEvents();
    EXPECT_EQ(counters->walksFinished, 1);
    EXPECT_EQ(dialog.List()->RowCount(), ToolRowCount(kIfDescr));
}

TEST_F(TableWalkTest, ClosingTheDialogDropsRowsNotYetDelivered) {
    auto* dialog = new CWalkProbeDialog({"1.3.6.1.2.1"}, counters); // all of MIB-II
    dialog->show();
    ASSERT_TRUE(WaitForHandOvers(dialog->Walk(), 5));
    ASSERT_EQ(counters->rowsDelivered, 0);
    delete dialog;
    testsupport::WaitUntil([] { return false; }, 200); // run the loop for a while
    EXPECT_EQ(counters->rowsDelivered, 0);
    EXPECT_EQ(counters->walksFinished, 0);
    const std::vector<std::string> expected = {
        platform::FramedTraceLine("DestroyWindow"),
        platform::FramedTraceLine("m_cCommonSNMP.Close"),
        platform::FramedTraceLine("m_cCommonSNMPTable.Close"),
        platform::FramedTraceLine("m_cCommonSNMPTableTrunk.Close"),
        platform::FramedTraceLine("m_cCommonSNMPTableVlan.Close"),
    };
    std::vector<std::string> closing;
    for (const std::string& line : trace.LinesFrom(expected.front())) {
        if (line.find("==") == 0) {
            closing.push_back(line);
        }
    }
    EXPECT_EQ(closing, expected);
}

TEST_F(TableWalkTest, ClosingTheDialogWhileAStepIsUnderWayAbandonsIt) {
    auto* dialog = new CWalkProbeDialog({kIfIndex}, counters);
    agent->Pause();
    dialog->show();
    delete dialog; // the answer to the step under way can never reach the dialog
    agent->Resume();
    testsupport::WaitUntil([] { return false; }, 200);
    EXPECT_EQ(counters->rowsDelivered, 0);
    EXPECT_EQ(counters->walksFinished, 0);
}

// Closes dialogs at every stage of their walks; the sanitizer builds watch for races and
// for any access to a dialog that is gone.
TEST_F(TableWalkTest, DialogsClosedAtAnyMomentOfTheirWalkLeaveNothingBehind) {
    for (int round = 0; round < 24; ++round) {
        auto* dialog = new CWalkProbeDialog({kIfIndex, kIfDescr}, counters);
        dialog->show();
        if (round % 3 == 1) {
            WaitForHandOvers(dialog->Walk(), round % 5);
        } else if (round % 3 == 2) {
            testsupport::ProcessEvents();
        }
        const int deliveredBeforeClose = counters->rowsDelivered;
        delete dialog;
        testsupport::ProcessEvents();
        EXPECT_EQ(counters->rowsDelivered, deliveredBeforeClose);
    }
}

} // namespace
