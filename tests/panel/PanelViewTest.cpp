// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "PanelTestSupport.h"

#include "panel/PanelView.h"

#include <QTest>

#include <thread>

// Poll results are written with designated initializers: the fields left out are empty.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// Four ports and a console on a grey face; port 3's lamp lies at left 0 (no lamp position).
const char* const kPanel = R"(<DEVICEPANEL ID="d" LEFT="0" TOP="0" WIDTH="200" HEIGHT="80"
    BMP="face.png" ITEMS=".">
  <PORT ID="1" LEFT="60" TOP="10" WIDTH="20" HEIGHT="16" BMPENABLE="port.png" BMPLINK10="up.png"
        STATUS="PORTENABLE" ITEMS="."><LAMP ID="0" LEFT="62" TOP="3" WIDTH="5" HEIGHT="5"/></PORT>
  <PORT ID="2" LEFT="60" TOP="36" WIDTH="20" HEIGHT="16" BMPENABLE="port.png" BMPLINK10="up.png"
        STATUS="PORTENABLE" ITEMS="."><LAMP ID="0" LEFT="62" TOP="53" WIDTH="5" HEIGHT="5"/></PORT>
  <PORT ID="3" LEFT="90" TOP="10" WIDTH="20" HEIGHT="16" BMPENABLE="port.png" STATUS="PORTENABLE"
        ITEMS="."><LAMP ID="0" LEFT="0" TOP="40" WIDTH="5" HEIGHT="5"/></PORT>
  <PORT ID="4" LEFT="90" TOP="36" WIDTH="20" HEIGHT="16" BMPENABLE="port.png" STATUS="PORTENABLE"
        ITEMS="."><LAMP ID="0" LEFT="92" TOP="53" WIDTH="5" HEIGHT="5"/></PORT>
  <CONSOLE ID="console" LEFT="150" TOP="10" WIDTH="28" HEIGHT="21" BMP="port.png"/>
</DEVICEPANEL>)";

const QColor kFace(0x80, 0x80, 0x80);

class PanelViewTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        WriteBitmap(QString("face.png"), {200, 80}, kFace);
        WriteBitmap(QString("port.png"), {20, 16}, Qt::white);
        WriteBitmap(QString("up.png"), {20, 16}, Qt::cyan);
        DeviceValues().ModelName = "KSX-7700-52";
        DeviceValues().DevicePortCount = 4;
        ASSERT_TRUE(view.LoadDescription(WriteFile(QString("panel.xml"), kPanel)));
    }

    void TearDown() override {
        SetPortClickAction({});
        SessionParameters().DeviceAddress = savedAddress;
        PanelTest::TearDown();
    }

    QImage Grab() { return view.grab().toImage(); }

    // True when the bitmap `number` lies at `at` in the picture (compared at its top left
    // corner and its centre).
    static bool ShowsBitmap(const QImage& picture, int number, QPoint at) {
        CDib dib;
        EXPECT_TRUE(dib.LoadFromResource(number));
        const QPoint centre(dib.Width() / 2, dib.Height() / 2);
        return picture.pixel(at + centre) == dib.Image().pixel(centre) &&
               picture.pixel(at) == dib.Image().pixel(0, 0);
    }

    void SetIndicators(std::vector<int> indicators) {
        PanelPollResult result;
        for (size_t i = 0; i < indicators.size(); ++i) {
            result.Ports.push_back({static_cast<int>(i + 1), std::nullopt, indicators[i], 0});
        }
        view.ApplyPollResult(result);
    }

    CPanelView view;
    std::string savedAddress = SessionParameters().DeviceAddress;
};

TEST(PortToolTipText, StatesModesAndAges) {
    const struct {
        int status;
        bool poe;
        qint64 ageMs;
        const char* text;
    } cases[] = {{1, false, 4999, "Port 7\nLink up, at top speed\nLink state read 4 s ago"},
                 {0, false, 0, "Port 7\nLink up, below top speed\nLink state read 0 s ago"},
                 {2, false, 61000, "Port 7\nDisabled\nLink state read 1 min 1 s ago"},
                 {3, false, 1000, "Port 7\nNo link\nLink state read 1 s ago"},
                 {4, false, 1000, "Port 7\nEmpty\nLink state read 1 s ago"},
                 {1, true, 2000, "Port 7\nPoE: powered\nPoE state read 2 s ago"},
                 {2, true, 2000, "Port 7\nPoE: off\nPoE state read 2 s ago"},
                 {0, true, 2000, "Port 7\nPoE: unknown state\nPoE state read 2 s ago"},
                 {-1, false, 0, "Port 7\nNot read yet"}};
    for (const auto& c : cases) {
        EXPECT_EQ(PortToolTipText(7, c.status, c.poe, c.ageMs).toStdString(), c.text);
    }
}

} // namespace

TEST_F(PanelViewTest, HoverShowsTheLastPollOfThePortAndTheTelnetTarget) {
    DeviceValues().ModelName = "KSX-7700-28P";
    SessionParameters().DeviceAddress = "10.0.0.5";
    EXPECT_EQ(view.ToolTipAt({70, 18}).toStdString(), "Port 1\nNot read yet");
    view.ApplyPollResult({.LedMode = 1, .Ports = {{1, 1, 1, 0}, {2, 3, 3, 0}}});
    view.ApplyPollResult({.LedMode = 0, .Ports = {{3, 1, 1, 2}}});

    const auto firstLines = [&](QPoint at) {
        return view.ToolTipAt(at).section(u'\n', 0, 2).section(u' ', 0, -4).toStdString();
    };
    EXPECT_EQ(firstLines({70, 18}), "Port 1\nLink up, at top speed\nLink state read");
    EXPECT_EQ(firstLines({70, 44}), "Port 2\nNo link\nLink state read");
    EXPECT_EQ(firstLines({100, 18}), "Port 3\nPoE: powered\nPoE state read");
    EXPECT_EQ(view.ToolTipAt({160, 20}).toStdString(), "Telnet to 10.0.0.5");
    EXPECT_TRUE(view.ToolTipAt({30, 60}).isEmpty());
    EXPECT_TRUE(view.ToolTipAt({61, 11}).isEmpty()); // on the edge, outside the hit rectangle
}

TEST_F(PanelViewTest, PortLampsFollowIndicatorStateAndBlinkPhase) {
    SetIndicators({1, 0, 1, 2});
    QImage picture = Grab();
    EXPECT_TRUE(ShowsBitmap(picture, 162, {62, 3})) << "port 1 green in phase 0";
    EXPECT_TRUE(ShowsBitmap(picture, 159, {62, 53})) << "port 2 dark in phase 0";
    EXPECT_TRUE(ShowsBitmap(picture, 159, {92, 53})) << "port 4 dark (state 2)";
    EXPECT_EQ(QColor(picture.pixel(2, 42)), kFace) << "port 3 has no lamp position";

    view.OnBlinkTimer();
    EXPECT_EQ(view.Indicators().BlinkPhase, 1);
    picture = Grab();
    EXPECT_TRUE(ShowsBitmap(picture, 160, {62, 3})) << "port 1 dark in phase 1";
    EXPECT_TRUE(ShowsBitmap(picture, 163, {62, 53})) << "port 2 orange in phase 1";
    EXPECT_TRUE(ShowsBitmap(picture, 159, {92, 53}));

    SetIndicators({3, 3, 3, 3});
    picture = Grab();
    EXPECT_TRUE(ShowsBitmap(picture, 160, {62, 3})) << "state 3 leaves the dark lamp";
    EXPECT_TRUE(ShowsBitmap(picture, 159, {62, 53}));
}

TEST_F(PanelViewTest, ModelLampsDependOnModelFanAndLedMode) {
    QImage picture = Grab();
    EXPECT_TRUE(ShowsBitmap(picture, 158, {13, 31}));
    EXPECT_EQ(QColor(picture.pixel(39, 35)), kFace) << "fan working: no red lamp";

    view.ApplyPollResult({.FanStatus = "2"});
    EXPECT_TRUE(ShowsBitmap(Grab(), 190, {38, 33}));

    DeviceValues().ModelName = "KSX-7700-28P";
    view.ApplyPollResult({.LedMode = 0, .BIsPowMax = true});
    picture = Grab();
    EXPECT_TRUE(ShowsBitmap(picture, 158, {11, 28}));
    EXPECT_TRUE(ShowsBitmap(picture, 190, {12, 42}));
    EXPECT_TRUE(ShowsBitmap(picture, 190, {13, 62})) << "the fan failure of before";
    EXPECT_TRUE(ShowsBitmap(picture, 192, {30, 52})) << "PoE mode: link lamp unlit";
    EXPECT_TRUE(ShowsBitmap(picture, 191, {30, 62})) << "PoE mode: PoE lamp lit";

    DeviceValues().ModelName = "KSX-7700-99";
    picture = Grab();
    EXPECT_EQ(QColor(picture.pixel(15, 33)), kFace) << "an unknown model has no model lamps";
    EXPECT_TRUE(ShowsBitmap(picture, 160, {62, 3})) << "but still its port lamps";
}

TEST_F(PanelViewTest, BlinkTickRepaintsOnlyTheBlinkingLamps) {
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.ApplyPollResult(
        {.Ports = {{1, PortLink10, 1, 0}, {2, std::nullopt, 0, 0}, {4, std::nullopt, 2, 0}},
         .StartBlinkTimer = true});
    EXPECT_TRUE(view.IsBlinking());
    view.repaint();
    const int rendersBefore = view.BackgroundRenderCount();
    EXPECT_GE(rendersBefore, 1);

    // The regions painted during `ticks` ticks of the blink timer.
    const auto paintedOnTicks = [this](int ticks) {
        std::vector<QRegion> painted;
        view.SetPaintObserver([&](const QRegion& region) { painted.push_back(region); });
        for (int i = 0; i < ticks; ++i) {
            view.OnBlinkTimer();
        }
        view.SetPaintObserver({});
        return painted;
    };
    const std::vector<QRegion> painted = paintedOnTicks(2);
    const QRegion lamps = QRegion(62, 3, 5, 5) + QRegion(62, 53, 5, 5);
    ASSERT_EQ(painted.size(), 2u);
    for (const QRegion& region : painted) {
        EXPECT_EQ(region.subtracted(lamps), QRegion()) << "painted outside the lamps";
        EXPECT_FALSE(region.isEmpty());
    }
    EXPECT_EQ(view.BackgroundRenderCount(), rendersBefore) << "the background was redrawn";

    view.ApplyPollResult({.DarkenAllLamps = true});
    view.repaint();
    EXPECT_TRUE(paintedOnTicks(1).empty()) << "no lamp blinks, nothing to paint";
    EXPECT_EQ(view.BackgroundRenderCount(), rendersBefore);

    view.ApplyPollResult({.Ports = {{1, PortEnable, std::nullopt, std::nullopt}}});
    view.repaint();
    EXPECT_EQ(view.BackgroundRenderCount(), rendersBefore + 1)
        << "a port's new picture renders the background once";
}

TEST_F(PanelViewTest, PollResultsArePostedToTheUiThreadAndAppliedInOrder) {
    const PanelPollResult result{
        .DarkenAllLamps = true,
        .ResetAfterTimeout = true,
        .Ports = {{1, PortLink10, 1, 7}, {0, PortLink10, 1, 1}, {5, PortLink10, 1, 1}},
        .StartBlinkTimer = true};
    SetIndicators({0, 0, 0, 0});
    NumberedPort(view.Root(), 2)->SetStatus(PortLink10);

    std::thread poller([&] { view.PostPollResult(result); });
    poller.join();
    EXPECT_EQ(NumberedPort(view.Root(), 1)->GetStatus(), PortEnable) << "not applied yet";

    ASSERT_TRUE(testsupport::WaitUntil([this] { return view.IsBlinking(); }));
    const PanelIndicators& indicators = view.Indicators();
    EXPECT_EQ(NumberedPort(view.Root(), 1)->GetStatus(), PortLink10);
    EXPECT_EQ(NumberedPort(view.Root(), 2)->GetStatus(), PortEnable) << "reset by the timeout";
    EXPECT_EQ(indicators.IndicatorState[0], 1);
    EXPECT_EQ(indicators.IndicatorState[1], 3) << "darkened before the ports were applied";
    EXPECT_EQ(indicators.PortState[0], 7);
    EXPECT_EQ(indicators.IndicatorState[4], 3) << "port 5 is beyond the port count";
}

TEST_F(PanelViewTest, MoreThanOneHundredPortsDrawTheFirstHundred) {
    DeviceValues().DevicePortCount = 150;
    CPanelView large;
    ASSERT_TRUE(large.LoadDescription(Path(QString("panel.xml"))));
    large.ApplyPollResult({.Ports = {{120, PortLink10, 1, 9}, {1, std::nullopt, 1, 0}}});
    EXPECT_EQ(large.Indicators().PortState[119], 9);
    EXPECT_TRUE(ShowsBitmap(large.grab().toImage(), 162, {62, 3}));
}

TEST_F(PanelViewTest, OnlyALeftClickInsideAPortRunsTheClickAction) {
    std::vector<int> clicked;
    SetPortClickAction([&](CPort& port) { clicked.push_back(port.PortIdentifier()); });
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 44));
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, QPoint(70, 18));
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(62, 18));
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(78, 18));
    EXPECT_EQ(clicked, std::vector<int>{4});
    SetPortClickAction({}); // unhooked: a click runs nothing
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 44));
    EXPECT_EQ(clicked, std::vector<int>{4});
}
