// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "PatternTest.h"

#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"
#include "features/common/TrunkInfo.h"
#include "platform/Trace.h"

#include <QApplication>
#include <QThread>
#include <QVBoxLayout>

#include <chrono>
#include <thread>

namespace {

// A small feature dialog built on the pattern the way the real ones are, observed through
// counters that outlive it.
struct WalkCounters {
    int rowsDelivered = 0;
    int rowsOffUiThread = 0;
    int walksFinished = 0;
    int lastStatus = 0;
};

// A table in a list, read on opening and by Refresh; it owns a data object as well.
class CWalkProbeDialog : public CFeatureDialog {
public:
    CWalkProbeDialog(std::vector<std::string> columns, std::shared_ptr<WalkCounters> counters)
        : m_cWalk(m_cCommonSNMPTable, std::move(columns),
                  [](const SnmpRow& row) { return std::optional<SnmpRow>(row); }),
          m_counters(std::move(counters)) {
        m_list->SetColumns({QString("Index "), QString("Suffix "), QString("Value ")});
        auto* layout = new QVBoxLayout(this);
        for (QWidget* widget : std::initializer_list<QWidget*>{m_list, RefreshButton(),
                                                               ApplyButton(), CloseButton()}) {
            layout->addWidget(widget);
        }
    }

    void Refresh() override {
        WalkIntoList(
            m_cWalk, *m_list,
            [counters = m_counters](const SnmpRow& row, int index) {
                ++counters->rowsDelivered;
                if (QThread::currentThread() != QApplication::instance()->thread()) {
                    ++counters->rowsOffUiThread;
                }
                return QStringList{QString::number(index + 1), QString::fromStdString(row.suffix),
                                   QString::fromStdString(row.Value(row.values.size() - 1))};
            },
            [counters = m_counters](int status) {
                ++counters->walksFinished;
                counters->lastStatus = status;
            });
    }

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTrunkInfo& m_cTrunkInfo = AddData<CTrunkInfo>();
    CTypedWalk<SnmpRow> m_cWalk;
    std::shared_ptr<WalkCounters> m_counters;
    CReportList* m_list = new CReportList(this);
};

using testsupport::WaitUntil;

// Waits for the walk's worker without running the event loop, so that nothing is delivered.
bool WaitForHandOvers(const CTypedWalk<SnmpRow>& typed, int rows) {
    const CTableWalk& walk = typed.Walk();
    for (int i = 0; i < 20000 && walk.RowsHandedOver() < rows; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return walk.RowsHandedOver() >= rows;
}

class TableWalkTest : public PatternTest {
protected:
    // Shown without running the event loop, so that nothing of the walk has arrived yet.
    std::unique_ptr<CWalkProbeDialog> OpenWalk(std::vector<std::string> columns) {
        auto dialog = std::make_unique<CWalkProbeDialog>(std::move(columns), counters);
        dialog->show();
        dialog->Refresh(); // at once: the dialog's own first read waits for the event loop
        return dialog;
    }

    std::shared_ptr<WalkCounters> counters = std::make_shared<WalkCounters>();
};

TEST_F(TableWalkTest, RowsReachTheListInTableOrderOnTheUiThreadAndARestartDropsEarlierRows) {
    auto dialog = OpenWalk({kPortSpeed, kPortFlowControl});
    ASSERT_TRUE(WaitUntil([&] { return counters->walksFinished == 1; }));
    EXPECT_EQ(counters->lastStatus, kSnmpEndOfTable);
    EXPECT_EQ(counters->rowsOffUiThread, 0);
    ASSERT_EQ(dialog->m_list->RowCount(), 28);
    for (int row = 0; row < 28; ++row) {
        const std::string port = std::to_string(row + 1);
        EXPECT_EQ(dialog->m_list->Cell(row, 0).toStdString(), port);
        EXPECT_EQ(dialog->m_list->Cell(row, 1).toStdString(), port);
        EXPECT_EQ(dialog->m_list->Cell(row, 2).toStdString(),
                  ToolGet(kPortFlowControl + "." + port));
    }
    EXPECT_TRUE(trace.Contains("status = -1"));
    EXPECT_TRUE(trace.Contains("call back iStatus = -2"));

    // A walk restarted twice while the first has rows under way delivers one walk.
    dialog->Refresh();
    ASSERT_TRUE(WaitForHandOvers(dialog->m_cWalk, 1));
    dialog->Refresh(); // the earlier walk's undelivered rows and end must not show up
    dialog->Refresh();
    ASSERT_TRUE(
        WaitUntil([&] { return counters->walksFinished >= 2 && !dialog->m_cWalk.IsRunning(); }));
    testsupport::ProcessEvents();
    EXPECT_EQ(counters->walksFinished, 2);
    EXPECT_EQ(dialog->m_list->RowCount(), 28);
    EXPECT_EQ(dialog->m_cWalk.Rows().size(), 28u); // the rows kept start afresh with each walk
}

// Closes dialogs at every stage of their walks; the sanitizer builds watch for races and
// for any access to a dialog that is gone.
TEST_F(TableWalkTest, DialogsClosedAtAnyMomentOfTheirWalkLeaveNothingBehind) {
    auto dialog = OpenWalk({std::string(kPrivateMib)}); // thousands of objects
    ASSERT_TRUE(WaitForHandOvers(dialog->m_cWalk, 5));
    ASSERT_EQ(counters->rowsDelivered, 0);
    dialog.reset();                       // rows not yet delivered are dropped
    WaitUntil([] { return false; }, 200); // run the event loop for a while
    EXPECT_EQ(counters->rowsDelivered, 0);
    EXPECT_EQ(counters->walksFinished, 0);
    std::vector<std::string> expected;
    for (const char* line : {"DestroyWindow", "m_cCommonSNMP.Close", "m_cCommonSNMPTable.Close",
                             "m_cCommonSNMPTableTrunk.Close", "m_cCommonSNMPTableVlan.Close"}) {
        expected.push_back(platform::FramedTraceLine(line));
    }
    EXPECT_EQ(trace.LinesFrom(expected.front()), expected);

    // The answer to a step under way can never reach a dialog closed meanwhile.
    sim.Pause();
    dialog = OpenWalk({kPortSpeed});
    dialog.reset();
    sim.Resume();
    WaitUntil([] { return false; }, 200);
    EXPECT_EQ(counters->rowsDelivered, 0);
    EXPECT_EQ(counters->walksFinished, 0);

    for (int round = 0; round < 24; ++round) {
        dialog = OpenWalk({kPortSpeed, kPortFlowControl});
        if (round % 3 == 1) {
            WaitForHandOvers(dialog->m_cWalk, round % 5);
        } else if (round % 3 == 2) {
            testsupport::ProcessEvents();
        }
        const int deliveredBeforeClose = counters->rowsDelivered;
        dialog.reset();
        testsupport::ProcessEvents();
        EXPECT_EQ(counters->rowsDelivered, deliveredBeforeClose);
    }
}

} // namespace
