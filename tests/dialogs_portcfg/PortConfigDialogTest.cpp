// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port Configuration against ksx-sim: what the list shows (combo ports included), picking a
// row by click and by the arrow keys, every refusal of Apply (nothing sent), the two
// questions, the set request and the read after it; and the dialog as the module window opens
// it by a click on a port of the panel.
#include "features/port_vlan/PortConfigDialog.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "features/common/ReportList.h"
#include "panel/PanelElements.h"
#include "panel/PanelView.h"
#include "platform/Trace.h"
#include "tests/support/DialogFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

using platform::MessageResult;
using testsupport::Choose;
using testsupport::Click;
using testsupport::DialogFixture;
using testsupport::Find;
using testsupport::WaitUntil;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kSpeed = P + ".1.13.1.2";
const std::string kOperMode = P + ".1.13.1.3";
const std::string kFlowControl = P + ".1.13.1.5";
const std::string kPriority = P + ".12.3.1.1.2";
const std::string kOperFlow = P + ".1.13.1.6";
const std::string kMedia = P + ".1.13.1.7";
const std::string kTrunkMembers = P + ".8.1.3.1.2";

const std::string kForcedSpeedQuestion = "The speed is set to force mode. \n"
                                         "* The speed mode must be the same as the counterpart. ";
const std::string kFlowControlQuestion =
    "QoS works best when Flow Control is disabled. \n"
    "* When Flow Control is enabled.QoS may not perform accurate bandwidth allocation. \n"
    "* Do you still want to enable Flow Control?. ";

using Cells = std::vector<std::string>;

std::string Line(const std::string& column, int port, int value) {
    return column + "." + std::to_string(port) + "|2|" + std::to_string(value);
}

std::string Binding(const std::string& column, int port, int value) {
    return column + "." + std::to_string(port) + " = INTEGER: " + std::to_string(value);
}

class PortConfigTest : public DialogFixture {
protected:
    // Opens the dialog and waits until both tables have been read.
    std::unique_ptr<CPortConfigDlg> OpenRead() {
        auto dialog = Open<CPortConfigDlg>();
        EXPECT_TRUE(WaitForRead(*dialog));
        return dialog;
    }

    static bool WaitForRead(CPortConfigDlg& dialog) {
        auto* apply = Find<QPushButton>(&dialog, "applyButton");
        return WaitUntil([&] {
            return apply->isEnabled() &&
                   dialog.PortList()->RowCount() == DeviceValues().DevicePortCount;
        });
    }

    static Cells Row(const CPortConfigDlg& dialog, int port) {
        return testsupport::ListRows(dialog.PortList()).at(static_cast<std::size_t>(port - 1));
    }

    static bool ClickRow(CPortConfigDlg& dialog, int port) {
        CReportList* list = dialog.PortList();
        QTreeWidgetItem* item = list->topLevelItem(port - 1);
        if (item == nullptr) {
            return false;
        }
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(item).center());
        return true;
    }

    // The port id, speed and flow control the dialog shows for the picked port.
    static Cells Picked(const CPortConfigDlg& dialog) {
        return {Find<QLineEdit>(&dialog, "portIdEdit")->text().toStdString(),
                Find<QComboBox>(&dialog, "speedCombo")->currentText().toStdString(),
                Find<QComboBox>(&dialog, "flowControlCombo")->currentText().toStdString()};
    }

    // Picks the port's row and chooses a speed and a flow control.
    static bool Pick(CPortConfigDlg& dialog, int port, const char* speed, const char* flow) {
        return ClickRow(dialog, port) && Picked(dialog)[0] == std::to_string(port) &&
               Choose(&dialog, "speedCombo", QString::fromLatin1(speed)) &&
               Choose(&dialog, "flowControlCombo", QString::fromLatin1(flow));
    }

    // Apply with the given answers; the refusal or questions shown, in order.
    std::vector<std::string> ApplyAnswering(CPortConfigDlg& dialog,
                                            std::initializer_list<MessageResult> answers = {}) {
        messages.TakeTexts();
        messages.Answer(answers);
        EXPECT_TRUE(Click(&dialog, "applyButton"));
        lastKinds = messages.Kinds();
        return messages.TakeTexts();
    }

    // The kinds of the boxes of the last ApplyAnswering.
    std::vector<platform::MessageKind> lastKinds;
};

TEST_F(PortConfigTest, ListsEveryPortWithComboMediaOpensWithNoPortPickedAndPicksByClickAndKeys) {
    ASSERT_TRUE(StartSimulator(
        {"KSX-7700-48",
         DataArguments(
             {Line(kSpeed, 2, 3),       Line(kSpeed, 3, 7),        Line(kSpeed, 8, 9),
              Line(kFlowControl, 6, 1), Line(kOperFlow, 6, 1),     Line(kPriority, 7, 4),
              Line(kPriority, 8, 9),    Line(kPriority, 9, 2),     Line(kPriority, 12, 3),
              Line(kSpeed, 20, 3),      Line(kFlowControl, 20, 1), Line(kSpeed, 21, 7),
              Line(kSpeed, 22, 4),      Line(kFlowControl, 22, 1), Line(kMedia, 44, 2),
              Line(kOperMode, 44, 2),   Line(kMedia, 45, 2),       Line(kOperMode, 45, 2),
              Line(kMedia, 46, 3),      Line(kOperMode, 46, 4),    Line(kMedia, 47, 2),
              Line(kOperMode, 47, 3),   Line(kMedia, 48, 4),       Line(kOperMode, 48, 1)})}));
    auto dialog = OpenRead();
    EXPECT_EQ(testsupport::ListHeaders(dialog->PortList()),
              (Cells{"Index ", "PortControlSpeed ", "OperMode  ", "FlowControlMode  ",
                     "DefaultPriority  ", "OperFlowControlMode  "}));
    EXPECT_EQ(Row(*dialog, 2), (Cells{"2", "100MHalf", "100MFull", "Disabled", "Low", "Disabled"}));
    EXPECT_EQ(Row(*dialog, 3), (Cells{"3", "Disable", "100MFull", "Disabled", "Low", "Disabled"}));
    EXPECT_EQ(Row(*dialog, 6), (Cells{"6", "Auto", "100MFull", "Enabled", "Low", "Enabled"}));
    EXPECT_EQ(Row(*dialog, 7), (Cells{"7", "Auto", "Down", "Disabled", "Highest", "Disabled"}));
    EXPECT_EQ(Row(*dialog, 12)[4], "High");
    // The last four of 48 ports are combo ports, and a down port stays down.
    EXPECT_EQ(Row(*dialog, 44)[2], "1000MFull");
    EXPECT_EQ(Row(*dialog, 45)[2], "1000M C Full");
    EXPECT_EQ(Row(*dialog, 46)[2], "100M F Half");
    EXPECT_EQ(Row(*dialog, 47)[2], "100MFull"); // copper names itself up to port 46 only
    EXPECT_EQ(Row(*dialog, 48)[2], "Down");

    EXPECT_EQ(Picked(*dialog), (Cells{"", "1000M-Full", "Enabled"}));
    EXPECT_EQ(dialog->PortList()->SelectedRow(), -1);
    auto* speed = Find<QComboBox>(dialog.get(), "speedCombo");
    QStringList speeds;
    for (int i = 0; i < speed->count(); ++i) {
        speeds << speed->itemText(i);
    }
    EXPECT_EQ(speeds, QStringList({"1000M-Full", "100M-Full", "100M-Half", "10M-Full", "10M-Half",
                                   "Auto", "Disable"}));
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "flowControlCombo")->itemText(1), "Disabled");
    EXPECT_TRUE(trace.Contains("call back iStatus = -2"));

    // Tabbing into the list gives it the focus but picks no port: Apply sends nothing.
    CReportList* list = dialog->PortList();
    Find<QWidget>(dialog.get(), "closeButton")->setFocus();
    for (int tabs = 0; tabs < 10 && !list->hasFocus(); ++tabs) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(Picked(*dialog)[0], "");
    EXPECT_EQ(ApplyAnswering(*dialog), std::vector<std::string>{"Please Select one port !"});
    EXPECT_TRUE(TakeSets().empty());

    ASSERT_TRUE(ClickRow(*dialog, 20));
    EXPECT_EQ(Picked(*dialog), (Cells{"20", "100M-Half", "Enabled"}));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(Picked(*dialog), (Cells{"21", "Disable", "Disabled"}));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(Picked(*dialog), (Cells{"22", "10M-Full", "Enabled"}));
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(Picked(*dialog), (Cells{"21", "Disable", "Disabled"}));
}

TEST_F(PortConfigTest, ApplyAsksSendsOneRequestAndReadsAgainAndTrunkMembersKeepTheirSpeed) {
    // Ports 3 and 4 form trunk 1 and run at 100M-Full; port 4 has flow control on.
    ASSERT_TRUE(StartSimulator(
        {"KSX-7700-52", DataArguments({kTrunkMembers + ".1|4x|3000000000000000", Line(kSpeed, 3, 2),
                                       Line(kSpeed, 4, 2), Line(kFlowControl, 4, 1)})}));
    auto dialog = OpenRead();

    // Cancel at either question sends nothing.
    ASSERT_TRUE(Pick(*dialog, 2, "10M-Full", "Enabled"));
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Cancel}),
              std::vector<std::string>{kForcedSpeedQuestion});
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Ok, MessageResult::Cancel}),
              (std::vector<std::string>{kForcedSpeedQuestion, kFlowControlQuestion}));
    ASSERT_TRUE(Pick(*dialog, 2, "Disable", "Enabled"));
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Cancel}),
              std::vector<std::string>{kFlowControlQuestion});
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_FALSE(trace.Contains("set status = 0"));

    ASSERT_TRUE(Pick(*dialog, 10, "100M-Half", "Enabled"));
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Ok, MessageResult::Ok}),
              (std::vector<std::string>{kForcedSpeedQuestion, kFlowControlQuestion}));
    EXPECT_EQ(lastKinds,
              (std::vector<platform::MessageKind>(2, platform::MessageKind::OkCancelQuestion)));
    auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (Cells{Binding(kSpeed, 10, 3), Binding(kFlowControl, 10, 1)}));
    EXPECT_EQ(sets[0].result, "noError");
    EXPECT_TRUE(trace.Contains("set status = 0"));
    ASSERT_TRUE(WaitForRead(*dialog));
    EXPECT_EQ(Row(*dialog, 10), (Cells{"10", "100MHalf", "100MHalf", "Enabled", "Low", "Enabled"}));
    EXPECT_EQ(Picked(*dialog)[0], "10"); // the picked port stays picked

    // The membership comes from the switch's trunk table (the rules themselves are tabled).
    ASSERT_TRUE(Pick(*dialog, 3, "100M-Full", "Disabled"));
    EXPECT_EQ(ApplyAnswering(*dialog),
              std::vector<std::string>{"LA port can not support in different flow control."});
    EXPECT_TRUE(TakeSets().empty());
    // A set the switch refuses shows nothing and reads the switch again.
    trace.Clear();
    DeviceValues().IsAllGiga = true; // the module thinks so, the switch knows better
    ASSERT_TRUE(Pick(*dialog, 2, "1000M-Full", "Disabled"));
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Ok}),
              std::vector<std::string>{kForcedSpeedQuestion});
    sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].result, "noError");
    EXPECT_FALSE(trace.Contains("set status = 0"));
    EXPECT_TRUE(messages.Texts().empty());
    ASSERT_TRUE(WaitForRead(*dialog));
    EXPECT_EQ(Row(*dialog, 2)[1], "Auto");
}

TEST_F(PortConfigTest, ADialogClosedDuringTheTrunkReadReadsNoFurther) {
    ASSERT_TRUE(StartSimulator({"KSX-7700-28", {}, true}));
    sim.Pause();
    auto dialog = Open<CPortConfigDlg>(); // the trunk table's first step is under way
    dialog.reset();
    sim.Resume();
    const auto asked = [&](const std::string& column) {
        const auto requests = sim.RequestLog();
        return std::any_of(requests.begin(), requests.end(), [&](const auto& request) {
            return std::any_of(request.oids.begin(), request.oids.end(),
                               [&](const std::string& oid) { return oid.rfind(column, 0) == 0; });
        });
    };
    EXPECT_TRUE(WaitUntil([&] { return asked(kTrunkMembers); }));
    WaitUntil([] { return false; }, 300);
    EXPECT_FALSE(asked(kSpeed)) << "the port table was read after closing";
}

TEST_F(PortConfigTest, AClickOnAPanelPortOpensItWithNoPortPicked) {
    const auto userIni = testsupport::SetEnvironment(
        "KSX_USER_INI", QByteArray(KSX_SOURCE_DIR "/resources/userini/KSX-7700-52/User.ini"));
    RegisterModuleCommands();
    CModuleWindow window;
    window.show();
    ASSERT_TRUE(window.IsSetUp());
    CPort* port = NumberedPort(window.PanelView()->Root(), 7);
    ASSERT_NE(port, nullptr);

    // While the dialog runs: what it shows, then it is closed.
    Cells seen;
    bool windowHidden = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
        auto* dialog = qobject_cast<CPortConfigDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "not Port Configuration";
        windowHidden = window.isHidden();
        WaitForRead(*dialog);
        seen = {dialog->windowTitle().toStdString(), std::to_string(dialog->PortList()->RowCount()),
                Picked(*dialog)[0]};
        dialog->close();
    });
    QTest::mouseClick(window.PanelView(), Qt::LeftButton, {}, port->GetRect().center());
    EXPECT_EQ(seen, (Cells{"Port Configuration", "52", ""}));
    EXPECT_TRUE(windowHidden);
    EXPECT_TRUE(window.isVisible());
}

} // namespace
