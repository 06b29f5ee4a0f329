// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port Traffic against ksx-sim with port 3 carrying 250 Mbit/s each way on a gigabit link,
// sampled every second; and the chart's picture.
#include "features/common/RateChart.h"
#include "features/common/Repainting.h"
#include "features/common/ReportList.h"
#include "features/maintenance/DeviceTools.h"
#include "features/maintenance/PortTrafficDialog.h"
#include "tests/support/DialogFixture.h"

#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QSet>
#include <QTest>

#include <set>

namespace {

using testsupport::WaitUntil;

const std::vector<std::string> kBusyPort3 = {"--all-giga", "--traffic", "3:250000000:4"};

class PortTrafficTest : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        std::vector<std::string> arguments = kBusyPort3;
        // Silent longer than a sample may take: one sample at least gets no answer.
        arguments.insert(arguments.end(), {"--reboot-seconds", "4"});
        return {"KSX-7700-28", arguments};
    }

    std::unique_ptr<CPortTrafficDlg> OpenEverySecond() {
        auto dialog = Open<CPortTrafficDlg>();
        EXPECT_TRUE(testsupport::Choose(dialog.get(), QStringLiteral("intervalCombo"),
                                        QStringLiteral("1 s")));
        m_list = testsupport::Find<CReportList>(dialog.get(), QStringLiteral("trafficList"));
        return dialog;
    }
    // Port 3's cells: link, speed, in, out, in %, out %, errors/s.
    QStringList Port3() const {
        QStringList cells;
        const int row = m_list->RowOfKey(3);
        for (int column = 1; row >= 0 && column <= 7; ++column) {
            cells << m_list->Cell(row, column);
        }
        return cells;
    }
    bool WaitForPort3(const QString& in) {
        return WaitUntil([&] { return Port3().value(2) == in; }, 15000);
    }

    CReportList* m_list = nullptr;
};

// 4 errors a second: one more or less where a second's errors fall into the next sample.
const QStringList kBusy = {QStringLiteral("Up"),         QStringLiteral("1 Gbit/s"),
                           QStringLiteral("250 Mbit/s"), QStringLiteral("250 Mbit/s"),
                           QStringLiteral("25.0"),       QStringLiteral("25.0")};

void ExpectBusy(const QStringList& cells) {
    EXPECT_EQ(cells.mid(0, 6), kBusy);
    EXPECT_NEAR(cells.value(6).toDouble(), 4, 1.1) << cells.value(6).toStdString();
}

TEST_F(PortTrafficTest, ShowsTheRateAndUtilisationAndARestartLeavesAGapAndNoSpike) {
    auto dialog = OpenEverySecond();
    ASSERT_TRUE(WaitForPort3(kBusy[2]));
    ExpectBusy(Port3()); // from the 64-bit counters
    CCommonSNMP console; // as from the switch's console, outside the module
    std::unique_ptr<CSnmp> answer;
    ASSERT_EQ(console.Open(kPduSet), 1);
    ASSERT_EQ(console.AddValue(RebootOid(), kSnmpInteger, "1"), 0);
    int status = -1;
    kit::RunRepainting([&] { status = console.Send(answer, 3000); });
    ASSERT_EQ(status, 0);
    // Every rate shown meanwhile is a gap or near 250 Mbit/s (a short first interval after the
    // restart is less exact), never a spike. While the switch is silent the link stays as last
    // read, and no rate is shown.
    const auto* sampleStatus =
        testsupport::Find<QLabel>(dialog.get(), QStringLiteral("sampleStatus"));
    QSet<QString> seen;
    std::set<std::string> seenUnanswered;
    EXPECT_TRUE(WaitUntil(
        [&] {
            seen << Port3().value(2);
            if (sampleStatus->text().startsWith(QStringLiteral("No answer"))) {
                seenUnanswered.insert(Port3().mid(0, 3).join(QLatin1Char('|')).toStdString());
            }
            return seen.contains(QStringLiteral("-")) && Port3().value(2) == kBusy[2];
        },
        20000));
    EXPECT_EQ(seenUnanswered, std::set<std::string>{"Up|1 Gbit/s|-"});
    for (const QString& text : seen) {
        const double mbps = text.section(QLatin1Char(' '), 0, 0).toDouble();
        EXPECT_TRUE(text == QStringLiteral("-") ||
                    (text.endsWith(QStringLiteral(" Mbit/s")) && mbps > 240 && mbps < 260))
            << text.toStdString();
    }
}

TEST_F(PortTrafficTest, ThirtyTwoBitCountersThatWrapGiveTheSameRates) {
    ASSERT_TRUE(StartSimulator({"KSX-7700-28",
                                {"--all-giga", "--traffic", "3:250000000:4", "--counters-near-wrap",
                                 "--no-hc-counters"}}));
    auto dialog = OpenEverySecond();
    // 40 MB short of the wrap at 31 MB/s: the first seconds cross it.
    ASSERT_TRUE(WaitForPort3(kBusy[2]));
    ExpectBusy(Port3());
}

TEST_F(PortTrafficTest, TheSamplesGoToCsvOneLinePerPortAndSample) {
    CPortTrafficMib traffic(28);
    int samples = 0;
    QObject receiver;
    traffic.OnSample(&receiver, [&](const CPortTrafficMib::Sample&) { ++samples; });
    traffic.StartSample();
    ASSERT_TRUE(WaitUntil([&] { return samples == 1; }));
    QTest::qWait(1000); // a second of traffic between the two samples
    traffic.StartSample();
    ASSERT_TRUE(WaitUntil([&] { return samples == 2; }));
    EXPECT_EQ(CPortTrafficMib::HistoryHeader().join(QLatin1Char(',')),
              QStringLiteral("Time,Port,In bit/s,Out bit/s,Errors/s,Discards/s"));
    const QList<QStringList> rows = traffic.HistoryRows();
    ASSERT_EQ(rows.size(), 2 * 28);
    EXPECT_EQ(rows[2].mid(1), (QStringList{"3", "", "", "", ""})); // no rate from one sample
    const QStringList port3 = rows[28 + 2];
    EXPECT_EQ(port3[1], QStringLiteral("3"));
    EXPECT_NEAR(port3[2].toDouble(), 250e6, 5e6);
    EXPECT_NEAR(port3[3].toDouble(), 250e6, 5e6);
    EXPECT_EQ(port3[5], QStringLiteral("0"));
    EXPECT_TRUE(QDateTime::fromString(port3[0], Qt::ISODate).isValid()) << port3[0].toStdString();
}

TEST(RateChartTest, DrawsEachSeriesAtItsRateAndLeavesItsGapsEmpty) {
    CRateChart chart;
    chart.resize(400, 250);
    const QColor blue(0, 0, 255);
    ChartSeries series{QStringLiteral("3 in"), blue, Qt::SolidLine, {}};
    for (int second = 0; second <= 60; ++second) {
        const bool gap = second >= 20 && second < 40;
        series.points.push_back(
            {second * 1000LL, gap ? std::nullopt : std::optional<double>(250e6)});
    }
    chart.SetSeries({series}, 60000, 60000);
    EXPECT_EQ(CRateChart::NiceCeiling(250e6), 500e6);
    EXPECT_EQ(CRateChart::RateText(250e6), QStringLiteral("250 Mbit/s"));
    for (const auto& [bps, text] :
         std::vector<std::pair<double, std::string>>{{1500, "1.5 kbit/s"},
                                                     {0.25, "0.25 bit/s"},
                                                     {99.6e6, "100 Mbit/s"},
                                                     {999.6e3, "1 Mbit/s"},
                                                     {16.4e6, "16 Mbit/s"}}) {
        EXPECT_EQ(CRateChart::RateText(bps).toStdString(), text) << bps;
    }

    const QImage image = chart.grab().toImage();
    // The plot spans x 78..388 and y 26..228: 250 Mbit/s of 500 lies halfway.
    const auto blueRowsAt = [&](int x) {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 120 && c.green() < 120) {
                rows.push_back(y);
            }
        }
        return rows;
    };
    const int halfway = 26 + (228 - 26) / 2;
    for (const int x : {100, 350}) {
        const std::vector<int> rows = blueRowsAt(x);
        ASSERT_FALSE(rows.empty()) << x;
        EXPECT_NEAR(rows.front(), halfway, 2) << x;
    }
    EXPECT_TRUE(blueRowsAt(233).empty()); // seconds 20 to 40: no line
}

} // namespace
