// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// PoE Global Settings and PoE Configuration against ksx-sim (the PoE model).
#include "features/common/ReportList.h"
#include "features/poe/PoeGlobalDialog.h"
#include "features/poe/PoePortDialog.h"
#include "tests/support/DialogFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

using namespace testsupport;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kPort = P + ".22.1.1.";

class PoeTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        SimFixture::Options options;
        options.model = "KSX-7700-28P";
        // Port 2: Weekend, high priority; port 3 disabled; port 4 names a time profile the
        // switch does not hold; port 5 limited to class 2; port 6 user defined.
        options.arguments = DataArguments(
            {kPort + "4.1.2|2|1", kPort + "5.1.2|2|3", kPort + "3.1.3|2|2", kPort + "4.1.4|2|7",
             kPort + "6.1.5|2|3", kPort + "7.1.6|2|1", kPort + "8.1.6|4|12.6"});
        return options;
    }

    static bool Idle(const QDialog& dialog) {
        return Find<QPushButton>(&dialog, "applyButton")->isEnabled();
    }

    std::unique_ptr<CPoePortDlg> OpenPorts() {
        auto dialog = Open<CPoePortDlg>();
        EXPECT_TRUE(
            WaitUntil([&] { return Idle(*dialog) && dialog->PortList()->RowCount() == 24; }));
        return dialog;
    }

    // The bindings of every set request since the last call, one line each.
    std::vector<std::vector<std::string>> SetBindings() {
        std::vector<std::vector<std::string>> sets;
        for (const auto& record : TakeSets()) {
            sets.push_back(Bindings(record));
        }
        return sets;
    }
};

TEST_F(PoeTest, GlobalThresholdLimitsAndAnUnchangedApply) {
    auto dialog = Open<CPoeGlobalDlg>();
    auto* threshold = Find<QLineEdit>(dialog.get(), "thresholdEdit");
    EXPECT_EQ(dialog->windowTitle().toStdString(), "PoE Global Settings");
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog); }));
    EXPECT_EQ(threshold->text().toStdString(), "185.0");
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "budgetEdit")->text().toStdString(), "185.0");
    EXPECT_NE(Find<QLineEdit>(dialog.get(), "usedEdit")->text().toStdString(), "wait...");
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "rpsStatusEdit")->text().toStdString(), "on");

    // Nothing changed: nothing sent, nothing shown, read again.
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog); }));
    EXPECT_TRUE(messages.TakeTexts().empty());
    EXPECT_TRUE(TakeSets().empty());

    for (const char* refused : {"7.09", "185.01"}) {
        ASSERT_TRUE(Type(dialog.get(), "thresholdEdit", QString::fromLatin1(refused)));
        ASSERT_TRUE(Choose(dialog.get(), "sequenceCombo", QStringLiteral("DenyLowPriorityPort")));
        ASSERT_TRUE(Click(dialog.get(), "applyButton"));
        EXPECT_EQ(
            messages.TakeTexts(),
            std::vector<std::string>{"The System Power Threshold ranges between 7.1 ~ 185.0."});
        EXPECT_TRUE(TakeSets().empty()) << refused;
    }
    for (const char* accepted : {"7.1", "185.0"}) {
        ASSERT_TRUE(Type(dialog.get(), "thresholdEdit", QString::fromLatin1(accepted)));
        ASSERT_TRUE(Click(dialog.get(), "applyButton"));
        EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"set succeed"});
        ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog); }));
        EXPECT_EQ(threshold->text().toStdString(), accepted);
    }
    EXPECT_EQ(SetBindings(), (std::vector<std::vector<std::string>>{
                                 {P + ".22.3.0 = INTEGER: 2", P + ".22.2.0 = OCTET STRING: 7.1"},
                                 {P + ".22.2.0 = OCTET STRING: 185.0"}}));
}

TEST_F(PoeTest, PortListShowsTheSwitchTextsAndAnUnknownTimeRangeEmpty) {
    auto dialog = OpenPorts();
    CReportList* list = dialog->PortList();
    EXPECT_EQ(list->headerItem()->text(5).toStdString(), "Power\n(W)");
    const auto row = [&](int port) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column) {
            cells << list->Cell(port - 1, column);
        }
        return cells.join(QLatin1Char('|')).toStdString();
    };
    // Port 1 has a powered device; port 2 none.
    EXPECT_EQ(row(1), "1|Enable|N/A|Low|Auto|" + list->Cell(0, 5).toStdString() + "|53.5|" +
                          list->Cell(0, 7).toStdString() + "|Class 2|POWER ON");
    EXPECT_NE(list->Cell(0, 5), QStringLiteral("0.0"));
    EXPECT_EQ(row(2), "2|Enable|Weekend|High|Auto|0.0|0.0|0|N/A|POWER OFF");
    EXPECT_EQ(list->Cell(2, 1).toStdString(), "Disable");
    EXPECT_EQ(list->Cell(3, 2).toStdString(), ""); // index 7: no such range
    EXPECT_EQ(list->Cell(3, 4).toStdString(), "Auto");
    EXPECT_EQ(list->Cell(4, 4).toStdString(), "Class 2");
    EXPECT_EQ(list->Cell(5, 4).toStdString(), "12.6"); // user defined
    // The time ranges offered: N/A and the switch's names.
    auto* ranges = Find<QComboBox>(dialog.get(), "timeRangeCombo");
    ASSERT_EQ(ranges->count(), 2);
    EXPECT_EQ(ranges->itemText(1).toStdString(), "Weekend");
    EXPECT_TRUE(trace.Contains("call back iStatus = -2"));
}

TEST_F(PoeTest, UserLimitsOutsideTheStepsOrRangeSendNothing) {
    auto dialog = OpenPorts();
    ASSERT_TRUE(Click(dialog.get(), "userDefineCheck"));
    EXPECT_FALSE(Find<QComboBox>(dialog.get(), "powerLimitCombo")->isEnabled());
    for (const auto& [watts, message] : std::vector<std::pair<QString, std::string>>{
             {"15.5", "The per-port power limit must be a multiple of 0.2"},
             {"30.2", "The User Defined power limit ranges between 1.0 ~ 30.0"}}) {
        ASSERT_TRUE(Type(dialog.get(), "wattsEdit", watts));
        ASSERT_TRUE(Click(dialog.get(), "applyButton"));
        EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{message});
        EXPECT_TRUE(TakeSets().empty());
    }
}

TEST_F(PoeTest, ApplyWritesEveryPortOfTheRangeFromTheControls) {
    auto dialog = OpenPorts();
    // Picking port 6's row fills the controls with its values, its user limit included.
    CReportList* list = dialog->PortList();
    QTreeWidgetItem* item = list->topLevelItem(5);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(item).center());
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "fromPort")->currentText().toStdString(), "6");
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "toPort")->currentText().toStdString(), "6");
    EXPECT_TRUE(Find<QCheckBox>(dialog.get(), "userDefineCheck")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "wattsEdit")->text().toStdString(), "12.6");

    ASSERT_TRUE(Choose(dialog.get(), "fromPort", QStringLiteral("3")));
    Choose(dialog.get(), "toPort", QStringLiteral("2")); // put back on 3
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"'To Port' can not be smaller than 'From Port'"});
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "toPort")->currentText().toStdString(), "3");
    ASSERT_TRUE(Choose(dialog.get(), "toPort", QStringLiteral("5")));
    ASSERT_TRUE(Choose(dialog.get(), "timeRangeCombo", QStringLiteral("Weekend")));
    ASSERT_TRUE(Type(dialog.get(), "wattsEdit", QStringLiteral("15.4")));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_TRUE(messages.TakeTexts().empty());
    const auto sets = SetBindings();
    ASSERT_EQ(sets.size(), 3U);
    for (int port = 3; port <= 5; ++port) {
        const std::string i = ".1." + std::to_string(port);
        EXPECT_EQ(sets[static_cast<std::size_t>(port - 3)],
                  (std::vector<std::string>{
                      kPort + "3" + i + " = INTEGER: 1", kPort + "4" + i + " = INTEGER: 1",
                      kPort + "5" + i + " = INTEGER: 1", kPort + "7" + i + " = INTEGER: 1",
                      kPort + "8" + i + " = OCTET STRING: 15.4"}));
    }
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog) && list->RowCount() == 24; }));
    EXPECT_EQ(list->Cell(3, 2).toStdString(), "Weekend");
    EXPECT_EQ(list->Cell(4, 4).toStdString(), "15.4");
    EXPECT_EQ(list->Cell(2, 1).toStdString(), "Enable");
}

} // namespace
