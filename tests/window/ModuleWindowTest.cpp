// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The module window: set-up from User.ini, the menu and its pruning by model, the dispatch
// of commands, and closing.
#include "WindowTestSupport.h"

#include "app/AboutDialog.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "app/UserIni.h"
#include "panel/PanelView.h"
#include "platform/Message.h"
#include "platform/Version.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <memory>
#include <tuple>

namespace {

using windowtest::WaitUntil;

QMenu* Popup(const CModuleWindow& window, const char* path) {
    return window.MenuBar()->findChild<QMenu*>(QString("menu:") + QLatin1String(path));
}

// The item texts of the popup at `path`, or of the menu bar itself.
QStringList Titles(const CModuleWindow& window, const char* path = nullptr) {
    QMenu* popup = path ? Popup(window, path) : nullptr;
    if (path && !popup) {
        return {QString("(no popup)")};
    }
    QStringList titles;
    for (const QAction* action : popup ? popup->actions() : window.MenuBar()->actions()) {
        titles << action->text();
    }
    return titles;
}

QAction* Command(const CModuleWindow& window, int id) {
    return window.MenuBar()->findChild<QAction*>(QString("command%1").arg(id));
}

// Every command item below `actions`: its popup path and text, by id.
std::map<int, QString> MenuItems(const QList<QAction*>& actions, const QString& path = {}) {
    std::map<int, QString> items;
    for (QAction* action : actions) {
        const QString name =
            path.isEmpty() ? action->text() : path + QString(" / ") + action->text();
        if (action->menu() != nullptr) {
            items.merge(MenuItems(action->menu()->actions(), name));
        } else {
            items[action->data().toInt()] = name;
        }
    }
    return items;
}

class ModuleWindowTest : public windowtest::ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        RegisterModuleCommands();
    }
    void TearDown() override {
        m_window.reset();
        ModuleTest::TearDown();
    }

    CModuleWindow& Open() {
        m_window = std::make_unique<CModuleWindow>();
        m_window->show();
        return *m_window;
    }

    // Runs `check` while the next modal dialog is open, then closes that dialog.
    static void WhileModal(std::function<void(QWidget& dialog)> check) {
        testsupport::WhenModalOpens(nullptr, [check = std::move(check)](QDialog& dialog) {
            check(dialog);
            dialog.close();
        });
    }

    std::unique_ptr<CModuleWindow> m_window;
};

TEST_F(ModuleWindowTest, SetUpReadsUserIniUpToTheFirstMissingValue) {
    // Set up, the window is titled with the model and the device, and About names the model.
    const struct {
        const char* body; // null: no User.ini at all
        bool setUp;
        std::string model;
        int ports;
        bool allGiga, fan;
    } cases[] = {
        {"DeviceName=KSX-7700-52\r\nDevicePortNum=52\r\nXMLName=panels/KSX-7700-52/"
         "KSX-7700-52.xml\r\nIsAllGiga=Y\r\nIsHasFan=Y\r\n",
         true, "KSX-7700-52", 52, true, true},
        // The flags are yes only for Y; the port count defaults to 28.
        {"DeviceName=KSX-7700-28\r\nXMLName=panels/KSX-7700-28/"
         "KSX-7700-28.xml\r\nIsAllGiga=yes\r\nIsHasFan=y\r\n",
         true, "KSX-7700-28", 28, false, true},
        // A missing or empty device name, file or XMLName stops the set-up; what was read
        // before XMLName stays read, nothing after it. The menu is not pruned.
        {"XMLName=a.xml\r\n", false, "", 28, false, false},
        {"DeviceName=\r\nXMLName=a.xml\r\n", false, "", 28, false, false},
        {nullptr, false, "", 28, false, false},
        {"DeviceName=KSX-7700-52\r\nDevicePortNum=52\r\nIsHasFan=Y\r\n", false, "KSX-7700-52", 52,
         false, false},
        // A port count beyond the family's largest switch is held there.
        {"DeviceName=KSX-7700-52\r\nDevicePortNum=53\r\n", false, "KSX-7700-52", 52, false, false},
        {"DeviceName=KSX-7700-52\r\nDevicePortNum=99999999999\r\n", false, "KSX-7700-52", 52, false,
         false}};
    AimAt(161, "10.0.0.5");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body ? c.body : "no file");
        DeviceValues() = DeviceValuesData();
        QFile::remove(QString::fromStdString(m_iniPath));
        if (c.body) {
            WriteUserIni(c.body);
        }
        CModuleWindow& window = Open();
        EXPECT_EQ(m_messages.TakeTexts(), c.setUp
                                              ? std::vector<std::string>{}
                                              : std::vector<std::string>{"Read User.ini Error !"});
        EXPECT_EQ(std::pair(window.IsSetUp(), window.IsPolling()), std::pair(c.setUp, c.setUp));
        EXPECT_EQ(window.windowTitle().toStdString(), c.setUp ? c.model + ": 10.0.0.5" : "");
        EXPECT_EQ(Command(window, kCmdAbout)->text().toStdString(),
                  c.setUp ? "About " + c.model : "About");
        const DeviceValuesData& device = DeviceValues();
        EXPECT_EQ(
            std::tie(device.ModelName, device.DevicePortCount, device.IsAllGiga, device.IsHasFan),
            std::tie(c.model, c.ports, c.allGiga, c.fan));
        EXPECT_EQ(Popup(window, "Device Manager / PoE") != nullptr, !c.setUp);
        EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
    // The About command still runs in the window that was not set up.
    bool aboutShown = false;
    WhileModal([&aboutShown](QWidget& dialog) { aboutShown = qobject_cast<CAboutDlg*>(&dialog); });
    Command(*m_window, kCmdAbout)->trigger();
    EXPECT_TRUE(aboutShown);

    // A real message box names the switch it is about.
    platform::SetMessageHandler({});
    platform::SetMessageTitle(DeviceTitle("KSX-7700-52", "10.0.0.5"));
    WhileModal([](QWidget& box) { EXPECT_EQ(box.windowTitle(), "KSX-7700-52: 10.0.0.5"); });
    platform::ShowMessage(QString("continue?"), platform::MessageKind::OkCancelQuestion);
    platform::SetMessageTitle({});
}

TEST_F(ModuleWindowTest, PoeModelHasTheWholeMenuInOrderWithOnlyRegisteredCommandsEnabled) {
    RegisterCommandAction(kCmdTelnet, [](CModuleWindow&) {});
    WriteUserIni("DeviceName=KSX-7700-28P\r\nDevicePortNum=28\r\nXMLName=panels/KSX-7700-28P/"
                 "KSX-7700-28P.xml\r\nIsHasFan=Y\r\n");
    CModuleWindow& window = Open();
    EXPECT_EQ(Titles(window), (QStringList{"Device Manager", "Public MIB", "Tools", "About"}));
    EXPECT_EQ(Titles(window, "Device Manager"), (QStringList{"System", "VLAN", "L2 Function", "Qos",
                                                             "Security", "AAA", "SNMP", "PoE"}));
    EXPECT_EQ(
        Titles(window, "Device Manager / Security"),
        (QStringList{"ARP Spoofing Prevention Setting", "DHCP Server Screening Port Configuration",
                     "Traffic Segmentation Settings", "Storm Control Settings", "Smart Binding"}));
    EXPECT_EQ(Titles(window, "Tools"),
              (QStringList{"Firmware and Configuration Upgrade/Backup", "Settings Snapshot...",
                           "Save Configuration", "Reboot", "Telnet", "Web"}));
    EXPECT_EQ(Titles(window, "Device Manager / PoE"),
              (QStringList{"PoE Global Settings", "PoE Port Settings", "PoE Time Range Settings"}));

    const std::map<int, QString> items = MenuItems(window.MenuBar()->actions());
    EXPECT_EQ(items.size(), ModuleMenuTable().size());
    EXPECT_EQ(items.at(32859), QString("Device Manager / AAA / 802.1X  Settings"));
    EXPECT_EQ(items.at(32866), QString("Device Manager / Security / Smart Binding / Black List"));
    EXPECT_EQ(items.at(32830), QString("Device Manager / L2 Function / Multicast "
                                       "Filtering Mode configuration"));
    EXPECT_EQ(items.at(32823), QString("Tools / Firmware and Configuration Upgrade/Backup"));
    EXPECT_EQ(items.at(57664), QString("About / About KSX-7700-28P"));

    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        EXPECT_EQ(Command(window, entry.id)->isEnabled(), IsCommandAvailable(entry.id))
            << entry.path;
    }
    EXPECT_TRUE(Command(window, kCmdAbout)->isEnabled());
    EXPECT_TRUE(Command(window, kCmdTelnet)->isEnabled());
    UnregisterCommand(kCmdTelnet);
}

// The live panel against ksx-sim: port 1 runs at 1G, 4 has no cable, 5 carries a 10M device,
// 50 is an empty uplink, 51 a fibre port.
TEST_F(ModuleWindowTest, ModelWithoutPShowsTheSwitchRunsItsCommandsThenClosesInOrderWithASnapshot) {
    StartSim({"KSX-7700-52", {"--all-giga"}});
    const std::string path = m_dir + "/panel.png";
    qputenv("KSX_SNAPSHOT", QByteArray::fromStdString(path));
    qputenv("KSX_USER_INI", KSX_SOURCE_DIR "/resources/userini/KSX-7700-52/User.ini");
    UnregisterCommand(kCmdPortConfiguration);
    CModuleWindow& window = Open();
    ASSERT_TRUE(window.IsSetUp());
    EXPECT_TRUE(m_messages.Texts().empty());
    CPanelView& view = *window.PanelView();
    EXPECT_EQ(view.size(), view.PanelRect().size());
    ASSERT_NE(NumberedPort(view.Root(), 52), nullptr);
    ASSERT_TRUE(WaitUntil([&view] { return view.IsBlinking(); }));
    const std::pair<int, int> ports[] = {
        {1, kPortLinkAtTopSpeed}, {4, kPortNoLink}, {5, kPortLinkBelowTopSpeed}, {50, kPortNoLink}};
    for (const auto& [port, status] : ports) {
        EXPECT_EQ(NumberedPort(view.Root(), port)->GetStatus(), status) << port;
        EXPECT_EQ(view.Indicators().IndicatorState[port - 1], status) << port;
    }
    EXPECT_EQ(view.Indicators().PortState[50], 4); // the fibre port's media value
    EXPECT_EQ(view.Indicators().FanStatus, "1");
    // Nothing is registered for Port Configuration: a click on a port opens nothing.
    QTest::mouseClick(&view, Qt::LeftButton, {}, NumberedPort(view.Root(), 3)->GetRect().center());
    EXPECT_FALSE(window.IsBusy());

    // No PoE menu.
    EXPECT_EQ(Popup(window, "Device Manager / PoE"), nullptr);
    EXPECT_EQ(Titles(window, "Device Manager"),
              (QStringList{"System", "VLAN", "L2 Function", "Qos", "Security", "AAA", "SNMP"}));
    const std::map<int, QString> items = MenuItems(window.MenuBar()->actions());
    for (int id : {kCmdPoePort, kCmdPoeGlobal, kCmdPoeTimeRange}) {
        EXPECT_FALSE(items.contains(id)) << id;
    }
    EXPECT_EQ(items.size(), ModuleMenuTable().size() - 3); // every other command stays

    // The window menu's About runs without hiding the window.
    QAction* about = window.SystemMenu()->findChild<QAction*>(QString("systemAbout"));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), QString("&About KSX-7700-52 Module..."));
    EXPECT_TRUE(window.SystemMenu()->actions().front()->isSeparator());
    bool visible = false, busy = true, isAbout = false;
    WhileModal([&](QWidget& dialog) {
        visible = window.isVisible() && !window.isMinimized();
        busy = window.IsBusy();
        isAbout = qobject_cast<CAboutDlg*>(&dialog) != nullptr;
    });
    about->trigger();
    EXPECT_EQ(std::tuple(isAbout, visible, busy), std::tuple(true, true, false));

    // A command's dialog runs while the window is put away.
    bool hidden = false, minimised = false;
    QString caption, text, version;
    WhileModal([&](QWidget& dialog) {
        hidden = window.isHidden();
        minimised = window.isMinimized();
        busy = window.IsBusy();
        caption = dialog.windowTitle();
        text = dialog.findChild<QLabel*>(QString("aboutText"))->text();
        version = dialog.findChild<QLabel*>(QString("aboutVersion"))->text();
    });
    Command(window, kCmdAbout)->trigger();
    EXPECT_EQ(std::tuple(hidden, minimised, busy), std::tuple(true, true, true));
    EXPECT_EQ(QStringList({caption, text, version}),
              QStringList({"About KSX-7700-48Module", "KSX-7700-48Management Module",
                           QString("Version ") + QLatin1String(kKsxVersion)})); // as --version
    // Back to normal, and polled again.
    EXPECT_EQ(
        std::tuple(window.isVisible(), window.isMinimized(), window.IsBusy(), window.IsPolling()),
        std::tuple(true, false, false, true));

    // Escape leaves the module running; closing stops the poller, closes the sessions in
    // order and saves the snapshot.
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_TRUE(window.isVisible());
    const QSize size = window.size() * window.devicePixelRatio();
    testsupport::TraceCapture trace;
    window.close();
    qunsetenv("KSX_SNAPSHOT");
    EXPECT_EQ(std::pair(window.IsPolling(), window.isVisible()), std::pair(false, false));
    m_window.reset();
    std::vector<std::string> framed;
    std::ranges::copy_if(trace.Lines(), std::back_inserter(framed), [](const std::string& line) {
        return line.starts_with("==================");
    });
    EXPECT_EQ(framed, (std::vector<std::string>{
                          "==================DestroyWindow===============",
                          "==================m_cCommonSNMP.Close===============",
                          "==================m_cCommonSNMPset.Close===============",
                          "==================m_cCommonSNMPFan.Close===============",
                          "==================m_cCommonSNMPPoe.Close===============",
                          "==================m_cCommonSNMPDevStat.Close===============",
                          "==================m_cCommonSNMPPoeStat.Close===============",
                      }));
    const QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), size);
}

// A switch that stops answering is shown as silent (a band over the panel, the port tooltips),
// not as a switch without links; the lamps stay as a walk time-out leaves them, and the first
// answer after a restart of the switch takes band and tooltips away.
TEST_F(ModuleWindowTest, SilentSwitchIsShownAsSilentUntilItAnswersAgain) {
    StartSim({"KSX-7700-28", {"--drop-after", "0"}});
    const std::string listen = "udp:127.0.0.1:" + std::to_string(m_sim.Port());
    qputenv("KSX_USER_INI", KSX_SOURCE_DIR "/resources/userini/KSX-7700-28/User.ini");
    CModuleWindow& window = Open();
    CPanelView& view = *window.PanelView();
    ASSERT_TRUE(WaitUntil([&view] { return view.NoAnswerSince().has_value(); }));
    const QString since = view.NoAnswerSince()->toString(QString("HH:mm:ss"));
    EXPECT_EQ(view.NoAnswerText(), QString("No answer from 127.0.0.1 since ") + since);
    const QPointF port3 = NumberedPort(view.Root(), 3)->GetRect().center();
    EXPECT_EQ(view.ToolTipAt(port3), QString("Port 3\nNo answer from the switch since ") + since);
    EXPECT_EQ(NumberedPort(view.Root(), 3)->GetStatus(), kPortNoLink);
    // The band is painted across the panel.
    const auto bandShown = [&view] {
        const QImage picture = view.grab().toImage();
        const int y = view.NoAnswerBandRect().center().y();
        int coloured = 0;
        for (int x = 0; x < picture.width(); ++x) {
            coloured += picture.pixel(x, y) == CPanelView::kNoAnswerBandColor ? 1 : 0;
        }
        return coloured * 2 > picture.width();
    };
    EXPECT_TRUE(bandShown());

    StartSim({"KSX-7700-28", {"--listen", listen}});
    ASSERT_TRUE(WaitUntil([&view] { return !view.NoAnswerSince().has_value(); }));
    EXPECT_FALSE(bandShown());
    EXPECT_FALSE(view.ToolTipAt(port3).contains(QString("No answer")));
}

} // namespace
