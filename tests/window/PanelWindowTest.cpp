// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The live panel: poll results drawn by the module window's panel view against ksx-sim, the
// reset after a walk times out, and a click on a port.
#include "WindowTestSupport.h"

#include "app/AboutDialog.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "app/PanelPoll.h"
#include "panel/PanelElements.h"
#include "panel/PanelView.h"
#include "snmp/CommonSNMP.h"
#include "tests/support/SimFixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <memory>
#include <mutex>
#include <vector>

namespace {

using testsupport::SimFixture;
using windowtest::WaitUntil;

const std::string kUserIniFolder = std::string(KSX_SOURCE_DIR) + "/resources/userini/";

int PortStatus(CPanelView& view, int port) {
    CPort* item = NumberedPort(view.Root(), port);
    return item != nullptr ? item->GetStatus() : -1;
}

class PanelWindowTest : public windowtest::ModuleTest {
protected:
    void TearDown() override {
        m_window.reset();
        ModuleTest::TearDown();
    }

    void StartSim(const std::string& model, std::vector<std::string> arguments = {}) {
        SimFixture::Options options;
        options.model = model;
        options.arguments = std::move(arguments);
        ASSERT_TRUE(m_sim.Start(options)) << m_sim.Error();
        AimAt(m_sim.Port());
    }

    // The model's own User.ini and panel description.
    void UseModel(const std::string& model) {
        qputenv("KSX_USER_INI", QByteArray::fromStdString(kUserIniFolder + model + "/User.ini"));
    }

    CModuleWindow& Open() {
        m_window = std::make_unique<CModuleWindow>();
        m_window->show();
        return *m_window;
    }

    SimFixture m_sim;
    std::unique_ptr<CModuleWindow> m_window;
};

TEST_F(PanelWindowTest, PanelFollowsTheSwitch) {
    StartSim("KSX-7700-52", {"--all-giga"});
    UseModel("KSX-7700-52");
    CModuleWindow& window = Open();
    ASSERT_TRUE(window.IsSetUp());
    EXPECT_TRUE(m_messages.empty());
    CPanelView& view = *window.PanelView();
    EXPECT_EQ(view.size(), view.PanelRect().size());
    ASSERT_NE(NumberedPort(view.Root(), 52), nullptr);

    ASSERT_TRUE(WaitUntil([&view] { return view.IsBlinking(); }));
    // Port 1 runs at 1G, 4 has no cable, 5 carries a 10M device, 50 is an empty uplink.
    EXPECT_EQ(PortStatus(view, 1), kPortLinkAtTopSpeed);
    EXPECT_EQ(PortStatus(view, 4), kPortNoLink);
    EXPECT_EQ(PortStatus(view, 5), kPortLinkBelowTopSpeed);
    EXPECT_EQ(PortStatus(view, 50), kPortNoLink);
    EXPECT_EQ(view.Indicators().IndicatorState[0], kPortLinkAtTopSpeed);
    EXPECT_EQ(view.Indicators().IndicatorState[4], kPortLinkBelowTopSpeed);
    EXPECT_EQ(view.Indicators().PortState[50], 4); // the fibre port's media value
    EXPECT_EQ(view.Indicators().FanStatus, "1");
}

TEST_F(PanelWindowTest, WalkTimeOutShowsPortsWithoutLinkAndUplinksEmpty) {
    StartSim("KSX-7700-52", {"--all-giga"});
    DeviceValues().ModelName = "KSX-7700-52"; // what the window's set-up would have read
    DeviceValues().DevicePortCount = 52;
    CPanelView view;
    view.LoadDescription(
        PanelDescriptionPath(QStringLiteral("panels/KSX-7700-52/KSX-7700-52.xml")));
    CCommonSNMP fan, poe, devStat, poeStat;
    CPanelPoll poll(fan, poe, devStat, poeStat);
    PollDevice device;
    device.portCount = 52;
    device.isAllGiga = true;
    poll.Configure("KSX-7700-52", device, true);
    // The results are applied here, on the UI thread, as the window does.
    std::mutex mutex;
    std::vector<PanelPollResult> arrived;
    poll.SetSink([&](PanelPollResult result) {
        std::lock_guard lock(mutex);
        arrived.push_back(std::move(result));
    });
    const auto applyArrived = [&] {
        std::lock_guard lock(mutex);
        for (const PanelPollResult& result : std::exchange(arrived, {})) {
            view.ApplyPollResult(result);
        }
    };

    poll.GetLinkStatus();
    ASSERT_TRUE(WaitUntil([&] {
        applyArrived();
        return view.IsBlinking();
    }));
    ASSERT_EQ(PortStatus(view, 1), kPortLinkAtTopSpeed);
    ASSERT_EQ(PortStatus(view, 49), kPortLinkAtTopSpeed);

    m_sim.Pause();
    poll.GetLinkStatus();
    ASSERT_TRUE(WaitUntil([&] {
        applyArrived();
        return PortStatus(view, 1) == kPortNoLink;
    }));
    for (int port = 1; port <= 48; ++port) {
        EXPECT_EQ(PortStatus(view, port), kPortNoLink) << port;
    }
    for (int port = 49; port <= 52; ++port) {
        EXPECT_EQ(PortStatus(view, port), kPortEmpty) << port;
    }
    for (int port = 0; port < PanelIndicators::kPorts; ++port) {
        EXPECT_EQ(view.Indicators().IndicatorState[static_cast<size_t>(port)], 3) << port;
    }
    m_sim.Resume();
    poll.CancelRequests();
}

TEST_F(PanelWindowTest, ClickOnAPortRunsPortConfiguration) {
    StartSim("KSX-7700-28");
    UseModel("KSX-7700-28");
    RegisterModuleCommands();
    UnregisterCommand(kCmdPortConfiguration);
    CModuleWindow& window = Open();
    CPort* port = NumberedPort(window.PanelView()->Root(), 3);
    ASSERT_NE(port, nullptr);

    // Nothing is registered for Port Configuration: the click opens nothing.
    QTest::mouseClick(window.PanelView(), Qt::LeftButton, {}, port->GetRect().center());
    EXPECT_FALSE(window.IsBusy());

    RegisterCommandDialog(kCmdPortConfiguration, [] { return std::make_unique<CAboutDlg>(); });
    bool ranAsCommand = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
        ranAsCommand = window.IsBusy() && window.isHidden();
        QApplication::activeModalWidget()->close();
    });
    QTest::mouseClick(window.PanelView(), Qt::LeftButton, {}, port->GetRect().center());
    UnregisterCommand(kCmdPortConfiguration);
    EXPECT_TRUE(ranAsCommand);
    EXPECT_TRUE(window.isVisible());
}

} // namespace
