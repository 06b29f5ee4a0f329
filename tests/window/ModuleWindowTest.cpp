// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The module window: set-up from User.ini, the menu and its pruning by model, the dispatch
// of commands, and closing.
#include "WindowTestSupport.h"

#include "app/AboutDialog.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "tests/support/SnmpdFixture.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <memory>

namespace {

using windowtest::TraceLog;
using windowtest::WaitUntil;

QStringList Titles(const QList<QAction*>& actions) {
    QStringList titles;
    for (const QAction* action : actions) {
        titles << action->text();
    }
    return titles;
}

QMenu* Popup(const CModuleWindow& window, const QString& path) {
    return window.MenuBar()->findChild<QMenu*>(QStringLiteral("menu:") + path);
}

QAction* Command(const CModuleWindow& window, int id) {
    return window.MenuBar()->findChild<QAction*>(QStringLiteral("command%1").arg(id));
}

// Every command item of the menu bar: its popup path and text, by id.
void CollectItems(const QMenu& menu, const QString& path, std::map<int, QString>& items) {
    for (QAction* action : menu.actions()) {
        if (action->menu() != nullptr) {
            CollectItems(*action->menu(), path + QStringLiteral(" / ") + action->text(), items);
        } else {
            items[action->data().toInt()] = path + QStringLiteral(" / ") + action->text();
        }
    }
}

std::map<int, QString> MenuItems(const CModuleWindow& window) {
    std::map<int, QString> items;
    for (QAction* popup : window.MenuBar()->actions()) {
        CollectItems(*popup->menu(), popup->text(), items);
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
        QTimer::singleShot(0, [check = std::move(check)] {
            ASSERT_TRUE(WaitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
            QWidget* dialog = QApplication::activeModalWidget();
            check(*dialog);
            dialog->close();
        });
    }

    std::unique_ptr<CModuleWindow> m_window;
};

TEST_F(ModuleWindowTest, SetUpFromACompleteUserIni) {
    AimAt(161, "10.0.0.5");
    WriteModel("KSX-7700-52", 52);
    CModuleWindow& window = Open();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(window.IsSetUp());
    EXPECT_TRUE(window.IsPolling());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("KSX-7700-52: 10.0.0.5"));
    EXPECT_EQ(Command(window, kCmdAbout)->text(), QStringLiteral("About KSX-7700-52"));
    EXPECT_EQ(DeviceValues().ModelName, "KSX-7700-52");
    EXPECT_EQ(DeviceValues().DevicePortCount, 52);
    EXPECT_TRUE(DeviceValues().IsAllGiga);
    EXPECT_TRUE(DeviceValues().IsHasFan);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(ModuleWindowTest, FlagsAreYesOnlyForYAndPortCountDefaultsTo28) {
    WriteUserIni("DeviceName=KSX-7700-28\r\nXMLName=a.xml\r\nIsAllGiga=yes\r\nIsHasFan=y\r\n");
    CModuleWindow& window = Open();
    EXPECT_TRUE(window.IsSetUp());
    EXPECT_EQ(DeviceValues().DevicePortCount, 28);
    EXPECT_FALSE(DeviceValues().IsAllGiga);
    EXPECT_TRUE(DeviceValues().IsHasFan);
}

TEST_F(ModuleWindowTest, MissingDeviceNameLeavesAnEmptyWindowWithAWorkingMenu) {
    for (const std::string body : {"XMLName=a.xml\r\n", "DeviceName=\r\nXMLName=a.xml\r\n"}) {
        m_messages.clear();
        WriteUserIni(body);
        CModuleWindow& window = Open();
        EXPECT_EQ(m_messages, std::vector<std::string>{"Read User.ini Error !"});
        EXPECT_FALSE(window.IsSetUp());
        EXPECT_FALSE(window.IsPolling());
        EXPECT_TRUE(window.windowTitle().isEmpty());
        EXPECT_EQ(DeviceValues().ModelName, "");
        // Not pruned, About text unchanged, and the About command still runs.
        EXPECT_NE(Popup(window, QStringLiteral("Device Manager / PoE")), nullptr);
        EXPECT_EQ(Command(window, kCmdAbout)->text(), QStringLiteral("About"));
        bool aboutShown = false;
        WhileModal(
            [&aboutShown](QWidget& dialog) { aboutShown = qobject_cast<CAboutDlg*>(&dialog); });
        Command(window, kCmdAbout)->trigger();
        EXPECT_TRUE(aboutShown);
    }
}

TEST_F(ModuleWindowTest, MissingUserIniOrXmlNameStopsTheSetUp) {
    CModuleWindow& noFile = Open(); // nothing written
    EXPECT_EQ(m_messages, std::vector<std::string>{"Read User.ini Error !"});
    EXPECT_FALSE(noFile.IsPolling());

    m_messages.clear();
    WriteUserIni("DeviceName=KSX-7700-52\r\nDevicePortNum=52\r\nIsHasFan=Y\r\n");
    CModuleWindow& window = Open();
    EXPECT_EQ(m_messages, std::vector<std::string>{"Read User.ini Error !"});
    EXPECT_FALSE(window.IsPolling());
    EXPECT_TRUE(window.windowTitle().isEmpty());
    // What was read before XMLName stays read; nothing after it.
    EXPECT_EQ(DeviceValues().ModelName, "KSX-7700-52");
    EXPECT_EQ(DeviceValues().DevicePortCount, 52);
    EXPECT_FALSE(DeviceValues().IsHasFan);
    EXPECT_NE(Popup(window, QStringLiteral("Device Manager / PoE")), nullptr);
}

TEST_F(ModuleWindowTest, MenuHasThePopupsAndItemsInOrder) {
    WriteModel("KSX-7700-28P", 28);
    CModuleWindow& window = Open();
    EXPECT_EQ(Titles(window.MenuBar()->actions()),
              (QStringList{"Device Manager", "Public MIB", "Tools", "About"}));
    EXPECT_EQ(
        Titles(Popup(window, QStringLiteral("Device Manager"))->actions()),
        (QStringList{"System", "VLAN", "L2 Function", "Qos", "Security", "AAA", "SNMP", "PoE"}));
    EXPECT_EQ(
        Titles(Popup(window, QStringLiteral("Device Manager / Security"))->actions()),
        (QStringList{"ARP Spoofing Prevention Setting", "DHCP Server Screening Port Configuration",
                     "Traffic Segmentation Settings", "Storm Control Settings", "Smart Binding"}));
    EXPECT_EQ(Titles(Popup(window, QStringLiteral("Tools"))->actions()),
              (QStringList{"Firmware and Configuration Upgrade/Backup", "Save Configuration",
                           "Reboot", "Telnet", "Web"}));

    const std::map<int, QString> items = MenuItems(window);
    EXPECT_EQ(items.size(), ModuleMenuTable().size());
    EXPECT_EQ(items.at(32859), QStringLiteral("Device Manager / AAA / 802.1X  Settings"));
    EXPECT_EQ(items.at(32866),
              QStringLiteral("Device Manager / Security / Smart Binding / Black List"));
    EXPECT_EQ(items.at(32830), QStringLiteral("Device Manager / L2 Function / Multicast "
                                              "Filtering Mode configuration"));
    EXPECT_EQ(items.at(32823), QStringLiteral("Tools / Firmware and Configuration Upgrade/Backup"));
    EXPECT_EQ(items.at(57664), QStringLiteral("About / About KSX-7700-28P"));
}

TEST_F(ModuleWindowTest, ModelWithoutPHasNoPoeMenu) {
    WriteModel("KSX-7700-52", 52);
    CModuleWindow& window = Open();
    EXPECT_EQ(Popup(window, QStringLiteral("Device Manager / PoE")), nullptr);
    EXPECT_EQ(Titles(Popup(window, QStringLiteral("Device Manager"))->actions()),
              (QStringList{"System", "VLAN", "L2 Function", "Qos", "Security", "AAA", "SNMP"}));
    const std::map<int, QString> items = MenuItems(window);
    EXPECT_FALSE(items.contains(kCmdPoePort));
    EXPECT_FALSE(items.contains(kCmdPoeGlobal));
    EXPECT_FALSE(items.contains(kCmdPoeTimeRange));
    EXPECT_EQ(items.size(), ModuleMenuTable().size() - 3);
    EXPECT_TRUE(items.contains(kCmdJumboFrame));
    EXPECT_TRUE(items.contains(kCmdPowerSaving));
}

TEST_F(ModuleWindowTest, PoeModelKeepsTheWholeMenu) {
    WriteModel("KSX-7700-28P", 28);
    CModuleWindow& window = Open();
    ASSERT_NE(Popup(window, QStringLiteral("Device Manager / PoE")), nullptr);
    EXPECT_EQ(Titles(Popup(window, QStringLiteral("Device Manager / PoE"))->actions()),
              (QStringList{"PoE Global Settings", "PoE Port Settings", "PoE Time Range Settings"}));
    EXPECT_EQ(MenuItems(window).size(), ModuleMenuTable().size());
}

TEST_F(ModuleWindowTest, OnlyRegisteredCommandsAreEnabled) {
    RegisterCommandAction(kCmdTelnet, [](CModuleWindow&) {});
    WriteModel("KSX-7700-28P", 28);
    CModuleWindow& window = Open();
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        EXPECT_EQ(Command(window, entry.id)->isEnabled(), IsCommandAvailable(entry.id))
            << entry.path;
    }
    EXPECT_TRUE(Command(window, kCmdAbout)->isEnabled());
    EXPECT_TRUE(Command(window, kCmdTelnet)->isEnabled());
    UnregisterCommand(kCmdTelnet);
}

TEST_F(ModuleWindowTest, CommandDialogRunsWhileTheWindowIsPutAway) {
    WriteModel("KSX-7700-52", 52);
    CModuleWindow& window = Open();
    bool hidden = false, minimised = false, busy = false;
    QString caption, text;
    WhileModal([&](QWidget& dialog) {
        hidden = window.isHidden();
        minimised = window.isMinimized();
        busy = window.IsBusy();
        caption = dialog.windowTitle();
        text = dialog.findChild<QLabel*>(QStringLiteral("aboutText"))->text();
    });
    Command(window, kCmdAbout)->trigger();
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(minimised);
    EXPECT_TRUE(busy);
    EXPECT_EQ(caption, QStringLiteral("About KSX-7700-48Module"));
    EXPECT_EQ(text, QStringLiteral("KSX-7700-48Management Module"));
    // Back to normal, and polled again.
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_FALSE(window.IsBusy());
    EXPECT_TRUE(window.IsPolling());
}

TEST_F(ModuleWindowTest, WindowMenuAboutRunsWithoutHidingTheWindow) {
    WriteModel("KSX-7700-52", 52);
    CModuleWindow& window = Open();
    QAction* about = window.SystemMenu()->findChild<QAction*>(QStringLiteral("systemAbout"));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), QStringLiteral("&About KSX-7700-52 Module..."));
    EXPECT_TRUE(window.SystemMenu()->actions().front()->isSeparator());
    bool visible = false, busy = true, isAbout = false;
    WhileModal([&](QWidget& dialog) {
        visible = window.isVisible() && !window.isMinimized();
        busy = window.IsBusy();
        isAbout = qobject_cast<CAboutDlg*>(&dialog) != nullptr;
    });
    about->trigger();
    EXPECT_TRUE(isAbout);
    EXPECT_TRUE(visible);
    EXPECT_FALSE(busy);
}

TEST_F(ModuleWindowTest, ClosingStopsThePollerAndClosesTheSessionsInOrder) {
    WriteModel("KSX-7700-52", 52);
    CModuleWindow& window = Open();
    TraceLog trace;
    window.close();
    EXPECT_FALSE(window.IsPolling());
    EXPECT_FALSE(window.isVisible());
    m_window.reset();

    std::vector<std::string> framed;
    for (const std::string& line : trace.Lines()) {
        if (line.starts_with("==================")) {
            framed.push_back(line);
        }
    }
    EXPECT_EQ(framed, (std::vector<std::string>{
                          "==================DestroyWindow===============",
                          "==================m_cCommonSNMP.Close===============",
                          "==================m_cCommonSNMPset.Close===============",
                          "==================m_cCommonSNMPFan.Close===============",
                          "==================m_cCommonSNMPPoe.Close===============",
                          "==================m_cCommonSNMPDevStat.Close===============",
                          "==================m_cCommonSNMPPoeStat.Close===============",
                      }));
}

TEST_F(ModuleWindowTest, ClosingDuringAWalkCutsItShort) {
    testsupport::SnmpdFixture agent;
    ASSERT_TRUE(agent.Start()) << agent.Error();
    agent.Pause(); // the agent stops answering: the walk waits for its timeout
    AimAt(agent.Port());
    WriteModel("KSX-7700-52", 52, false);
    CModuleWindow& window = Open();
    ASSERT_TRUE(WaitUntil([&window] { return window.Poll().AnyWalkRunning(); }));
    const int appliedBefore = window.AppliedPollResults();
    window.close();
    EXPECT_FALSE(window.IsPolling());
    EXPECT_FALSE(window.Poll().AnyWalkRunning());
    QCoreApplication::processEvents();
    // The cut-short walk is not reported as a time-out.
    EXPECT_EQ(window.AppliedPollResults(), appliedBefore);
    agent.Resume();
}

TEST_F(ModuleWindowTest, SnapshotIsSavedWhenTheWindowCloses) {
    const std::string path = m_dir + "/panel.png";
    qputenv("KSX_SNAPSHOT", QByteArray::fromStdString(path));
    WriteModel("KSX-7700-52", 52);
    CModuleWindow& window = Open();
    const QSize size = window.size();
    window.close();
    qunsetenv("KSX_SNAPSHOT");
    const QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), size * window.devicePixelRatio());
}

} // namespace
