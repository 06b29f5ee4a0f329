// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "MibViewsTest.h"

#include "features/maintenance/ForwardingTableDialog.h"
#include "tests/support/DialogFixture.h"

#include <QLineEdit>

#include <cstdio>

namespace {

using mibviews::Rows;
using testsupport::Click;
using testsupport::Find;
using testsupport::ListRows;

const std::string kFdbPort = "1.3.6.1.2.1.17.7.1.2.2.1.2";
const std::string kFdbStatus = "1.3.6.1.2.1.17.7.1.2.2.1.3";

// "00-1A-2B-00-00-FA" of the last six arcs of a forwarding-table index.
std::string MacOfArcs(const std::string& index) {
    std::size_t start = index.size();
    for (int dots = 0; dots < 6; ++dots) {
        start = index.rfind('.', start - 1);
    }
    unsigned b[6] = {};
    std::sscanf(index.c_str() + start + 1, "%u.%u.%u.%u.%u.%u", &b[0], &b[1], &b[2], &b[3], &b[4],
                &b[5]);
    char mac[18];
    std::snprintf(mac, sizeof mac, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4],
                  b[5]);
    return mac;
}

class ForwardingTableTest : public testsupport::DialogFixture {
protected:
    // 250 entries in 100 filtering databases: ids 1 to 100 (one, two and three digits), and
    // one static entry in database 10 given as overlay data.
    testsupport::SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-52",
                {"--fdb", "250", "--fdb-ids", "100", "--data",
                 DataArguments({kFdbPort + ".10.0.17.34.51.68.85|2|7",
                                kFdbStatus + ".10.0.17.34.51.68.85|2|5"})
                     .back()}};
    }

    std::unique_ptr<CForwardingTableDlg> OpenWalked() {
        auto dialog = Open<CForwardingTableDlg>();
        EXPECT_TRUE(mibviews::WaitForWalk(dialog.get()));
        return dialog;
    }

    // The whole table as the dialog must show it, from snmpwalk: ID, port, MAC, status.
    Rows ExpectedEntries() {
        const auto ports = mibviews::Snmpwalk(sim.Peer(), kFdbPort);
        const auto states = mibviews::Snmpwalk(sim.Peer(), kFdbStatus);
        EXPECT_EQ(ports.size(), states.size());
        Rows rows;
        const char* names[] = {"", "Other", "Invalid", "Learn", "Own", "Static"};
        for (std::size_t i = 0; i < ports.size() && i < states.size(); ++i) {
            rows.push_back({std::to_string(i + 1), ports[i].value,
                            MacOfArcs(mibviews::IndexOf(ports[i], kFdbPort)),
                            names[std::stoi(states[i].value)]});
        }
        return rows;
    }

    static Rows Slice(const Rows& rows, std::size_t first, std::size_t last) {
        return Rows(rows.begin() + static_cast<long>(first - 1),
                    rows.begin() + static_cast<long>(last));
    }

    static bool Enabled(const QWidget* dialog, const char* button) {
        return Find<QPushButton>(dialog, QString::fromLatin1(button))->isEnabled();
    }
};

TEST_F(ForwardingTableTest, PagesOfAHundredWithBackAndNextShowEveryEntryOfAnyDatabaseId) {
    auto dialog = OpenWalked();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Forwarding Table"));
    const Rows all = ExpectedEntries();
    ASSERT_EQ(all.size(), 251u);
    EXPECT_EQ(dialog->EntryCount(), 251);
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "agingTimeEdit")->text(), QStringLiteral("300"));
    EXPECT_TRUE(Find<QLineEdit>(dialog.get(), "agingTimeEdit")->isReadOnly());
    const auto index =
        mibviews::IndexOf(mibviews::Snmpwalk(sim.Peer(), kFdbPort + ".100").front(), kFdbPort);
    EXPECT_EQ(index.rfind("100.0.26.43.", 0), 0u) << index;

    // Through the pages: what Back or Next shows (every row, the static one and those of
    // databases 10 and 100 included), and whether Back and Next can be clicked.
    struct Step {
        const char* click;
        std::size_t first, last;
        bool back, next;
    };
    for (const Step& step :
         {Step{nullptr, 1, 100, false, true}, Step{"nextButton", 101, 200, true, true},
          Step{"nextButton", 201, 251, true, false}, Step{"backButton", 101, 200, true, true},
          Step{"backButton", 1, 100, false, true}}) {
        SCOPED_TRACE(step.first);
        ASSERT_TRUE(step.click == nullptr || Click(dialog.get(), step.click));
        EXPECT_EQ(ListRows(dialog->List()), Slice(all, step.first, step.last));
        EXPECT_EQ(Enabled(dialog.get(), "backButton"), step.back);
        EXPECT_EQ(Enabled(dialog.get(), "nextButton"), step.next);
    }

    // Refresh starts over on the first page.
    ASSERT_TRUE(Click(dialog.get(), "nextButton"));
    ASSERT_TRUE(Click(dialog.get(), "refreshButton"));
    ASSERT_TRUE(mibviews::WaitForWalk(dialog.get()));
    EXPECT_EQ(dialog->FirstShownId(), 1);
    EXPECT_EQ(ListRows(dialog->List()), Slice(all, 1, 100));
}

TEST_F(ForwardingTableTest, OnePageOrNoneHasNeitherBackNorNextAndAgingTimeComesAlong) {
    struct Case {
        std::vector<std::string> arguments;
        int rows;
        const char* agingTime;
    };
    for (const Case& c :
         {Case{{"--fdb", "100"}, 100, "300"}, Case{{"--fdb", "0"}, 0, "300"},
          Case{{"--fdb", "3", "--data", DataArguments({"1.3.6.1.2.1.17.4.2.0|2|45"}).back()},
               3,
               "45"}}) {
        SCOPED_TRACE(c.rows);
        ASSERT_TRUE(StartSimulator({"KSX-7700-52", c.arguments}));
        trace.Clear();
        auto dialog = OpenWalked();
        EXPECT_EQ(dialog->List()->RowCount(), c.rows);
        EXPECT_FALSE(Enabled(dialog.get(), "nextButton"));
        EXPECT_FALSE(Enabled(dialog.get(), "backButton"));
        EXPECT_EQ(Find<QLineEdit>(dialog.get(), "agingTimeEdit")->text(),
                  QString::fromLatin1(c.agingTime));
        EXPECT_TRUE(trace.Contains("call back iStatus = -2"));
    }
}

} // namespace
