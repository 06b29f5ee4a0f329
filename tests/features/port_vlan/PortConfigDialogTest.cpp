// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port Configuration: the checks of Apply as a table, without a switch; then against ksx-sim
// what the list shows (combo ports included), picking a row by click and by the arrow keys,
// every refusal of Apply (nothing sent), the two questions, the set request and the read after
// it, and the dialog as the module window opens it by a click on a port of the panel.
#include "features/port_vlan/PortConfigDialog.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "features/common/ReportList.h"
#include "features/port_vlan/PortConfigMib.h"
#include "panel/PanelElements.h"
#include "panel/PanelView.h"
#include "platform/Trace.h"
#include "tests/support/DialogFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <functional>

namespace {

using platform::MessageResult;
using namespace testsupport;
using namespace portconfig;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kSpeed = P + ".1.13.1.2";
const std::string kOperMode = P + ".1.13.1.3";
const std::string kFlowControl = P + ".1.13.1.5";
const std::string kPriority = P + ".12.3.1.1.2";
const std::string kOperFlow = P + ".1.13.1.6";
const std::string kMedia = P + ".1.13.1.7";
const std::string kTrunkMembers = P + ".8.1.3.1.2";

const std::string kForcedAsk = "The speed is set to force mode. \n"
                               "* The speed mode must be the same as the counterpart. ";
const std::string kFlowAsk =
    "QoS works best when Flow Control is disabled. \n"
    "* When Flow Control is enabled.QoS may not perform accurate bandwidth allocation. \n"
    "* Do you still want to enable Flow Control?. ";

std::string Line(const std::string& column, int port, int value) {
    return column + "." + std::to_string(port) + "|2|" + std::to_string(value);
}

// The checks of Apply as a table, without a switch: what each port table and choice comes to
// (the refusal, or the questions and the bindings of the one set), as "OID=VALUE".
std::string Speed(int port, int value) {
    return kSpeed + "." + std::to_string(port) + "=" + std::to_string(value);
}
std::string Flow(int port, int value) {
    return kFlowControl + "." + std::to_string(port) + "=" + std::to_string(value);
}

// A switch of `ports` ports, all copper at Auto with flow control off, then `change`d.
PortTable Table(int ports, const std::function<void(PortTable&)>& change = {}) {
    PortTable table;
    table.portCount = ports;
    table.trunkOfPort.assign(static_cast<std::size_t>(ports), 0);
    for (int port = 1; port <= ports; ++port) {
        table.rows.push_back({port, kSpeedAuto, 2, kFlowDisabled, 1, 2, kMediaCopper});
    }
    if (change) {
        change(table);
    }
    return table;
}

PortRow& Row(PortTable& table, int port) {
    return table.rows[static_cast<std::size_t>(port - 1)];
}

// Port `port` with the medium `media`.
std::function<void(PortTable&)> Media(int port, int media, bool allGiga = false) {
    return [=](PortTable& table) {
        Row(table, port).mediaType = media;
        table.allGiga = allGiga;
    };
}

// Every port disabled but port 5.
void OnlyPort5Runs(PortTable& table) {
    for (PortRow& row : table.rows) {
        row.speed = row.port == 5 ? kSpeedAuto : kSpeedDisable;
    }
}

// Ports 3 and 4 in trunk 1 at 100M-Full, port 4 with flow control on.
void Trunk34(PortTable& table) {
    for (int port : {3, 4}) {
        table.trunkOfPort[static_cast<std::size_t>(port - 1)] = 1;
        Row(table, port).speed = kSpeed100Full;
    }
    Row(table, 4).flowControl = kFlowEnabled;
}

// A port table and a choice, and what Apply comes to: its refusal alone, or its questions
// followed by the bindings of its one set.
struct PlanCase {
    PortTable table;
    PortChoice choice;
    std::vector<std::string> outcome;
};

void HalfDuplexTrunk(PortTable& t) {
    t.trunkOfPort[2] = t.trunkOfPort[3] = 2;
    Row(t, 3).speed = Row(t, 4).speed = kSpeed100Half;
}

// Trunk 1 of 100M copper ports 3 and 4.
const auto Trunk34OfCopper = [](PortTable& t) { Trunk34(t), Media(3, 1)(t); };

// Trunk 3 of 100Base-X fibre ports 50 and 51 at 10M-Half.
void HalfDuplexFibreTrunk(PortTable& t) {
    t.trunkOfPort[49] = t.trunkOfPort[50] = 3;
    Row(t, 50).speed = Row(t, 51).speed = kSpeed10Half;
    Media(50, 3)(t);
}

void Port29Beyond28(PortTable& t) {
    t.rows.push_back({29, kSpeedAuto, 2, kFlowDisabled, 1, 2, 3});
}

constexpr long kOn = kFlowEnabled, kOff = kFlowDisabled;
const std::string kLaSpeed = "LA port can not support in different speed.";
const std::string kLastPort = "Sorry, you cannot disable all ports.";
const std::string kFibre100 = "Fiber Port 50 with 100Base-x SFP Module can not support ";

const PlanCase kCases[] = {
    {Table(28), {0, kSpeedAuto, kOff}, {"Please Select one port !"}},
    // Auto without flow control asks nothing.
    {Table(28), {10, kSpeedAuto, kOff}, {Speed(10, 6), Flow(10, 2)}},
    // Trunk members keep the speed and flow control of their trunk, and only the flow control
    // is sent; a port outside the trunk is free.
    {Table(28, Trunk34), {3, kSpeedAuto, kOn}, {kLaSpeed}},
    {Table(28, Trunk34), {3, kSpeed100Full, kOn}, {kForcedAsk, kFlowAsk, Flow(3, 1)}},
    {Table(28, Trunk34), {5, kSpeed100Half, kOff}, {kForcedAsk, Speed(5, 3), Flow(5, 2)}},
    {Table(28, HalfDuplexTrunk),
     {3, kSpeed100Half, kOff},
     {"LA port 3 can not support in half-duplex mode."}},
    // The last enabled port stays enabled; disabling a disabled one is fine.
    {Table(28, OnlyPort5Runs), {5, kSpeedDisable, kOff}, {kLastPort}},
    {Table(28, OnlyPort5Runs), {6, kSpeedDisable, kOff}, {Speed(6, 7), Flow(6, 2)}},
    // Gigabit on a 100M copper port only when the model says every port is gigabit.
    {Table(52, Media(1, 1)), {1, kSpeed1000Full, kOff}, {"Port 1 can not support 1000M speed."}},
    {Table(52, Media(1, 1, true)),
     {1, kSpeed1000Full, kOff},
     {kForcedAsk, Speed(1, 1), Flow(1, 2)}},
    // 100Base-X fibre: 100M only, never Auto; 1000Base-X fibre: 1000M only.
    {Table(52, Media(50, 3)), {50, kSpeedAuto, kOff}, {kFibre100 + "in Auto mode."}},
    {Table(52, Media(50, 3)), {50, kSpeed10Full, kOff}, {kFibre100 + "this speed."}},
    {Table(52, Media(50, 3)), {50, kSpeed1000Full, kOff}, {kFibre100 + "this speed."}},
    {Table(52, Media(50, 3)), {50, kSpeed100Half, kOff}, {kForcedAsk, Speed(50, 3), Flow(50, 2)}},
    {Table(52, Media(51, 4)),
     {51, kSpeed100Full, kOff},
     {"Fiber Port 51 with 1000Base-x SFP Module can not support this speed."}},
    {Table(52, Media(51, 4)), {51, kSpeed1000Full, kOff}, {kForcedAsk, Speed(51, 1), Flow(51, 2)}},
    // Two checks fail: the earlier one is shown (trunk before the medium, the medium's speed
    // before half duplex in a trunk).
    {Table(52, Trunk34OfCopper), {3, kSpeed1000Full, kOff}, {kLaSpeed}},
    {Table(52, HalfDuplexFibreTrunk), {50, kSpeed10Half, kOff}, {kFibre100 + "this speed."}},
    // The media of a row beyond the port count are not known.
    {Table(28, Port29Beyond28), {29, kSpeedAuto, kOff}, {Speed(29, 6), Flow(29, 2)}},
};

TEST(PortConfigRules, ApplyComesToItsRefusalOrItsQuestionsAndSet) {
    for (std::size_t row = 0; row < std::size(kCases); ++row) {
        const PlanCase& c = kCases[row];
        SCOPED_TRACE("row " + std::to_string(row) + ", port " + std::to_string(c.choice.port));
        const ApplyPlan plan = PlanApply(c.table, c.choice);
        std::vector<std::string> outcome;
        if (plan.refusal) {
            outcome.push_back(plan.refusal->text);
        } else {
            outcome = plan.questions;
        }
        for (const auto& binding : plan.Request().Bindings()) {
            outcome.push_back(binding.instance + "=" + binding.value);
        }
        EXPECT_EQ(outcome, c.outcome);
    }
}

TEST(PortConfigCells, ValuesNobodyDefinedShowTheFallbackAndComboPortsNameTheirMedium) {
    PortRow garbage{5, 99, -3, std::nullopt, 0, 7, 9};
    EXPECT_EQ(RowCells(garbage, 28, false),
              (Texts{"5", "1000MFull", "1000MFull", "Disabled", "Low", "Disabled"}));
    // The last four of 24 ports are combo ports; a down port stays "Down".
    EXPECT_EQ(RowCells({21, 6, 3, 1, 2, 1, 3}, 24, false)[2], "100M F Full");
    EXPECT_EQ(RowCells({24, 6, 2, 1, 2, 1, 4}, 24, false)[2], "1000M F Full");
    EXPECT_EQ(RowCells({22, 6, 1, 1, 2, 1, 4}, 24, false)[2], "Down");
    EXPECT_EQ(RowCells({21, 6, 5, 1, 2, 1, 2}, 24, false)[2], "10M C Full");
    EXPECT_EQ(RowCells({23, 6, 5, 1, 2, 1, 2}, 24, false)[2], "10MFull");
    EXPECT_EQ(RowCells({23, 6, 5, 1, 2, 1, 2}, 24, true)[2], "10M C Full");
    EXPECT_EQ(RowCells({49, 6, 3, 1, 2, 1, 3}, 52, false)[2], "100MFull"); // no combo ports
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
        return WaitForRows(*dialog.PortList(), DeviceValues().DevicePortCount, dialog,
                           "applyButton");
    }

    static Texts Row(const CPortConfigDlg& dialog, int port) {
        return ListRows(dialog.PortList()).at(static_cast<std::size_t>(port - 1));
    }

    // The port id, speed and flow control the dialog shows for the picked port.
    static Texts Picked(const CPortConfigDlg& dialog) {
        return {Find<QLineEdit>(&dialog, "portIdEdit")->text().toStdString(),
                Find<QComboBox>(&dialog, "speedCombo")->currentText().toStdString(),
                Find<QComboBox>(&dialog, "flowControlCombo")->currentText().toStdString()};
    }

    // Picks the port's row and chooses a speed and a flow control.
    static bool Pick(CPortConfigDlg& dialog, int port, const char* speed, const char* flow) {
        return ClickRow(dialog.PortList(), port - 1) && Picked(dialog)[0] == std::to_string(port) &&
               Choose(&dialog, "speedCombo", QString::fromLatin1(speed)) &&
               Choose(&dialog, "flowControlCombo", QString::fromLatin1(flow));
    }

    // Apply with the given answers; the refusal or questions shown, in order.
    Texts ApplyAnswering(CPortConfigDlg& dialog,
                         std::initializer_list<MessageResult> answers = {}) {
        messages.Answer(answers);
        return Press(&dialog);
    }
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
              (Texts{"Index ", "PortControlSpeed ", "OperMode  ", "FlowControlMode  ",
                     "DefaultPriority  ", "OperFlowControlMode  "}));
    EXPECT_EQ(Row(*dialog, 2), (Texts{"2", "100MHalf", "100MFull", "Disabled", "Low", "Disabled"}));
    EXPECT_EQ(Row(*dialog, 3), (Texts{"3", "Disable", "100MFull", "Disabled", "Low", "Disabled"}));
    EXPECT_EQ(Row(*dialog, 6), (Texts{"6", "Auto", "100MFull", "Enabled", "Low", "Enabled"}));
    EXPECT_EQ(Row(*dialog, 7), (Texts{"7", "Auto", "Down", "Disabled", "Highest", "Disabled"}));
    // Port 12's priority; the last four of 48 ports are combo ports (copper names itself up to
    // port 46 only), and a down port stays down.
    EXPECT_EQ((Texts{Row(*dialog, 12)[4], Row(*dialog, 44)[2], Row(*dialog, 45)[2],
                     Row(*dialog, 46)[2], Row(*dialog, 47)[2], Row(*dialog, 48)[2]}),
              (Texts{"High", "1000MFull", "1000M C Full", "100M F Half", "100MFull", "Down"}));

    EXPECT_EQ(Picked(*dialog), (Texts{"", "1000M-Full", "Enabled"}));
    EXPECT_EQ(dialog->PortList()->SelectedRow(), -1);
    auto* speed = Find<QComboBox>(dialog.get(), "speedCombo");
    QStringList speeds;
    for (int i = 0; i < speed->count(); ++i) {
        speeds << speed->itemText(i);
    }
    EXPECT_EQ(speeds, QStringList({"1000M-Full", "100M-Full", "100M-Half", "10M-Full", "10M-Half",
                                   "Auto", "Disable"}));
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "flowControlCombo")->itemText(1), "Disabled");

    // Tabbing into the list gives it the focus but picks no port: Apply sends nothing.
    CReportList* list = dialog->PortList();
    Find<QWidget>(dialog.get(), "closeButton")->setFocus();
    for (int tabs = 0; tabs < 10 && !list->hasFocus(); ++tabs) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(Picked(*dialog)[0], "");
    EXPECT_TRUE(Refuses(dialog.get(), {"Please Select one port !"}));

    ASSERT_TRUE(ClickRow(dialog->PortList(), 19)); // port 20
    std::vector<Texts> picked{Picked(*dialog)};
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
        QTest::keyClick(list, key);
        picked.push_back(Picked(*dialog));
    }
    EXPECT_EQ(picked, (std::vector<Texts>{{"20", "100M-Half", "Enabled"},
                                          {"21", "Disable", "Disabled"},
                                          {"22", "10M-Full", "Enabled"},
                                          {"21", "Disable", "Disabled"}}));
}

TEST_F(PortConfigTest, ApplyAsksSendsOneRequestAndReadsAgainAndTrunkMembersKeepTheirSpeed) {
    // Ports 3 and 4 form trunk 1 and run at 100M-Full; port 4 has flow control on.
    ASSERT_TRUE(StartSimulator(
        {"KSX-7700-52", DataArguments({kTrunkMembers + ".1|4x|3000000000000000", Line(kSpeed, 3, 2),
                                       Line(kSpeed, 4, 2), Line(kFlowControl, 4, 1)})}));
    auto dialog = OpenRead();

    // Cancel at either question sends nothing.
    ASSERT_TRUE(Pick(*dialog, 2, "10M-Full", "Enabled"));
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Cancel}), Texts{kForcedAsk});
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Ok, MessageResult::Cancel}),
              (Texts{kForcedAsk, kFlowAsk}));
    ASSERT_TRUE(Pick(*dialog, 2, "Disable", "Enabled"));
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Cancel}), Texts{kFlowAsk});
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_FALSE(trace.Contains("set status = 0"));

    ASSERT_TRUE(Pick(*dialog, 10, "100M-Half", "Enabled"));
    messages.Answer({MessageResult::Ok, MessageResult::Ok});
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.Kinds(), std::vector(2, platform::MessageKind::OkCancelQuestion));
    EXPECT_EQ(messages.TakeTexts(), (Texts{kForcedAsk, kFlowAsk}));
    auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]),
              (Texts{kSpeed + ".10 = INTEGER: 3", kFlowControl + ".10 = INTEGER: 1"}));
    EXPECT_EQ(sets[0].result, "noError");
    EXPECT_TRUE(trace.Contains("set status = 0"));
    ASSERT_TRUE(WaitForRead(*dialog));
    EXPECT_EQ(Row(*dialog, 10), (Texts{"10", "100MHalf", "100MHalf", "Enabled", "Low", "Enabled"}));
    EXPECT_EQ(Picked(*dialog)[0], "10"); // the picked port stays picked

    // The membership comes from the switch's trunk table (the rules themselves are tabled).
    ASSERT_TRUE(Pick(*dialog, 3, "100M-Full", "Disabled"));
    EXPECT_TRUE(Refuses(dialog.get(), {"LA port can not support in different flow control."}));
    // A set the switch refuses is reported and the switch read again.
    trace.Clear();
    DeviceValues().IsAllGiga = true; // the module thinks so, the switch knows better
    ASSERT_TRUE(Pick(*dialog, 2, "1000M-Full", "Disabled"));
    EXPECT_EQ(ApplyAnswering(*dialog, {MessageResult::Ok}),
              (Texts{kForcedAsk, "The switch refused the change (error 10). Nothing more "
                                 "was written."}));
    sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].result, "wrongValue");
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
    Texts seen;
    bool windowHidden = false;
    WhenModalOpens(&window, [&](QDialog& opened) {
        auto* dialog = qobject_cast<CPortConfigDlg*>(&opened);
        ASSERT_NE(dialog, nullptr) << "not Port Configuration";
        windowHidden = window.isHidden();
        WaitForRead(*dialog);
        seen = {dialog->windowTitle().toStdString(), std::to_string(dialog->PortList()->RowCount()),
                Picked(*dialog)[0]};
        dialog->close();
    });
    QTest::mouseClick(window.PanelView(), Qt::LeftButton, {}, port->GetRect().center());
    EXPECT_EQ(seen, (Texts{"Port Configuration", "52", ""}));
    EXPECT_TRUE(windowHidden);
    EXPECT_TRUE(window.isVisible());
}

} // namespace
