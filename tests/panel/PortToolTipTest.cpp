// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "PanelTestSupport.h"

#include "panel/PanelView.h"

namespace {

const char* const kPanel = R"(<DEVICEPANEL ID="d" LEFT="0" TOP="0" WIDTH="200" HEIGHT="80"
    BMP="face.png" ITEMS=".">
  <PORT ID="1" LEFT="10" TOP="10" WIDTH="20" HEIGHT="16" BMPENABLE="port.png" STATUS="PORTENABLE"/>
  <PORT ID="2" LEFT="40" TOP="10" WIDTH="20" HEIGHT="16" BMPENABLE="port.png" STATUS="PORTENABLE"/>
  <PORT ID="3" LEFT="70" TOP="10" WIDTH="20" HEIGHT="16" BMPENABLE="port.png" STATUS="PORTENABLE"/>
  <CONSOLE ID="console" LEFT="150" TOP="10" WIDTH="28" HEIGHT="21" BMP="port.png"/>
</DEVICEPANEL>)";

TEST(PortToolTipText, StatesModesAndAges) {
    struct Case {
        int status;
        bool poe;
        qint64 ageMs;
        const char* text;
    };
    const Case cases[] = {
        {1, false, 4999, "Port 7\nLink up, at top speed\nLink state read 4 s ago"},
        {0, false, 0, "Port 7\nLink up, below top speed\nLink state read 0 s ago"},
        {2, false, 61000, "Port 7\nDisabled\nLink state read 1 min 1 s ago"},
        {3, false, 1000, "Port 7\nNo link\nLink state read 1 s ago"},
        {4, false, 1000, "Port 7\nEmpty\nLink state read 1 s ago"},
        {1, true, 2000, "Port 7\nPoE: powered\nPoE state read 2 s ago"},
        {2, true, 2000, "Port 7\nPoE: off\nPoE state read 2 s ago"},
        {0, true, 2000, "Port 7\nPoE: unknown state\nPoE state read 2 s ago"},
        {-1, false, 0, "Port 7\nNot read yet"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PortToolTipText(7, c.status, c.poe, c.ageMs).toStdString(), c.text);
    }
}

class PortToolTipTest : public PanelTest {
protected:
    void TearDown() override {
        SessionParameters().DeviceAddress = savedAddress;
        PanelTest::TearDown();
    }
    std::string savedAddress = SessionParameters().DeviceAddress;
};

TEST_F(PortToolTipTest, HoverShowsTheLastPollOfThePortAndTheTelnetTarget) {
    WriteBitmap(QStringLiteral("face.png"), {200, 80}, Qt::gray);
    WriteBitmap(QStringLiteral("port.png"), {20, 16}, Qt::white);
    DeviceValues().ModelName = "KSX-7700-28P";
    DeviceValues().DevicePortCount = 3;
    SessionParameters().DeviceAddress = "10.0.0.5";
    CPanelView view;
    ASSERT_TRUE(view.LoadDescription(WriteFile(QStringLiteral("panel.xml"), kPanel)));
    EXPECT_EQ(view.ToolTipAt({20, 18}).toStdString(), "Port 1\nNot read yet");

    PanelPollResult links;
    links.LedMode = 1;
    links.Ports = {{1, 1, 1, 0}, {2, 3, 3, 0}};
    view.ApplyPollResult(links);
    PanelPollResult poe;
    poe.LedMode = 0;
    poe.Ports = {{3, 1, 1, 2}};
    view.ApplyPollResult(poe);

    const auto firstLines = [&](QPoint at) {
        return view.ToolTipAt(at).section(u'\n', 0, 2).section(u' ', 0, -4).toStdString();
    };
    EXPECT_EQ(firstLines({20, 18}), "Port 1\nLink up, at top speed\nLink state read");
    EXPECT_EQ(firstLines({50, 18}), "Port 2\nNo link\nLink state read");
    EXPECT_EQ(firstLines({80, 18}), "Port 3\nPoE: powered\nPoE state read");
    EXPECT_EQ(view.ToolTipAt({160, 20}).toStdString(), "Telnet to 10.0.0.5");
    EXPECT_TRUE(view.ToolTipAt({120, 60}).isEmpty());
    EXPECT_TRUE(view.ToolTipAt({11, 11}).isEmpty()); // on the edge, outside the hit rectangle
}

} // namespace
