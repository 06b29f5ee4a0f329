// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Power Saving Settings and Time Profile Info against ksx-sim.
#include "features/poe/PowerSavingDialog.h"
#include "features/common/ReportList.h"
#include "features/poe/TimeProfileDialog.h"
#include "tests/support/DialogFixture.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

using namespace testsupport;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";

class PowerSavingTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        SimFixture::Options options;
        options.model = "KSX-7700-28";
        // LED shut-off runs on the Weekend profile for ports 1 to 4 and 6.
        options.arguments =
            DataArguments({P + ".31.1.3.0|2|1", P + ".31.1.2.0|2|1", P + ".31.1.1.0|4x|F4000000"});
        return options;
    }

    template <class Dialog> std::unique_ptr<Dialog> OpenRead() {
        auto dialog = Open<Dialog>();
        EXPECT_TRUE(WaitUntil([&] { return Idle(*dialog); }));
        return dialog;
    }
    static bool Idle(const QDialog& dialog) {
        return Find<QPushButton>(&dialog, "refreshButton")->isEnabled();
    }
    static std::string Row(const CReportList& list, int row) {
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column) {
            cells << list.Cell(row, column);
        }
        return cells.join(QLatin1Char('|')).toStdString();
    }
};

TEST_F(PowerSavingTest, OpensDisabledAndHibernationSendsNoPortList) {
    auto dialog = OpenRead<CPowerSavingDlg>();
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Power Saving Settings ");
    CReportList& summary = *dialog->Summary();
    ASSERT_EQ(summary.RowCount(), 4);
    EXPECT_EQ(Row(summary, 0), "LED_Shutoff|Enabled|Weekend|None|1-4,6");
    EXPECT_EQ(Row(summary, 1), "Port_Shutoff|Disabled|None|None|None");
    EXPECT_EQ(Row(summary, 3), "System_Hibernation|Disabled|None|None|All Port");
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "typeCombo")->currentText().toStdString(),
              "LED Shut-off");
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "stateCombo")->currentText().toStdString(), "Disabled");
    auto* ports = Find<QLineEdit>(dialog.get(), "portEdit");
    auto* profile1 = Find<QComboBox>(dialog.get(), "profile1Combo");
    EXPECT_FALSE(ports->isEnabled());
    EXPECT_FALSE(profile1->isEnabled());

    ASSERT_TRUE(Choose(dialog.get(), "typeCombo", "System Hibernation"));
    ASSERT_TRUE(Choose(dialog.get(), "stateCombo", "Enabled"));
    EXPECT_FALSE(ports->isEnabled());
    EXPECT_TRUE(profile1->isEnabled());
    ASSERT_TRUE(Choose(dialog.get(), "profile2Combo", "Weekend"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog); }));
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_EQ(Bindings(sets[0]),
              (std::vector<std::string>{P + ".31.4.1.0 = INTEGER: 1", P + ".31.4.2.0 = INTEGER: 0",
                                        P + ".31.4.3.0 = INTEGER: 1"}));
    EXPECT_EQ(Row(summary, 3), "System_Hibernation|Enabled|None|Weekend|All Port");

    // The stored values of an action come back when it is chosen.
    ASSERT_TRUE(Choose(dialog.get(), "typeCombo", "LED Shut-off"));
    EXPECT_EQ(ports->text().toStdString(), "1-4,6");
    EXPECT_EQ(profile1->currentText().toStdString(), "Weekend");
}

TEST_F(PowerSavingTest, PortActionsCheckTheirPortListAndDetectionsApplyTogether) {
    auto dialog = OpenRead<CPowerSavingDlg>();
    ASSERT_TRUE(Choose(dialog.get(), "typeCombo", "Port Standby"));
    ASSERT_TRUE(Choose(dialog.get(), "stateCombo", "Enabled"));
    ASSERT_TRUE(Type(dialog.get(), "portEdit", "1-29"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Invalid Portlist"});
    EXPECT_TRUE(TakeSets().empty());
    ASSERT_TRUE(Type(dialog.get(), "portEdit", "2, 5-7,28"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog); }));
    auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_EQ(Bindings(sets[0]).back(), P + ".31.3.1.0 = OCTET STRING: 0x4e000010");
    EXPECT_EQ(Row(*dialog->Summary(), 2), "Port_Standby|Enabled|None|None|2,5-7,28");

    ASSERT_TRUE(Click(dialog.get(), "cableLengthCheck"));
    ASSERT_TRUE(Click(dialog.get(), "detectionApplyButton"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog); }));
    sets = TakeSets();
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_EQ(Bindings(sets[0]),
              (std::vector<std::string>{P + ".31.5.0 = INTEGER: 1", P + ".31.6.0 = INTEGER: 2"}));
}

TEST_F(PowerSavingTest, ProfilesUpToEightAndADeletedOneShowsNone) {
    auto profiles = OpenRead<CTimeProfileDlg>();
    EXPECT_EQ(profiles->windowTitle().toStdString(), "Time Profile Info");
    auto* years = Find<QComboBox>(profiles.get(), "toYearCombo");
    EXPECT_EQ(years->itemText(0).toStdString(), "2011");
    EXPECT_EQ(years->itemText(years->count() - 1).toStdString(), "2029");
    ASSERT_EQ(profiles->List()->RowCount(), 1);
    EXPECT_EQ(Row(*profiles->List(), 0), "Weekend|Sat,Sun|||00:00|23:00");

    ASSERT_TRUE(Choose(profiles.get(), "endHourCombo", "7"));
    ASSERT_TRUE(Type(profiles.get(), "nameEdit", "Weekend"));
    ASSERT_TRUE(Click(profiles.get(), "addButton"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"The Profile Name is exist."});
    EXPECT_TRUE(TakeSets().empty());
    for (int n = 2; n <= 8; ++n) {
        ASSERT_TRUE(Type(profiles.get(), "nameEdit", QStringLiteral("P%1").arg(n)));
        ASSERT_TRUE(Click(profiles.get(), "addButton"));
        ASSERT_TRUE(
            WaitUntil([&] { return Idle(*profiles) && profiles->List()->RowCount() == n; }));
    }
    EXPECT_TRUE(messages.TakeTexts().empty());
    EXPECT_EQ(Bindings(TakeSets().back()).back(), P + ".32.1.1.21.8 = INTEGER: 1");
    // A ninth is refused before the form is looked at.
    ASSERT_TRUE(Type(profiles.get(), "nameEdit", ""));
    ASSERT_TRUE(Click(profiles.get(), "addButton"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"The Max entry is 8."});
    EXPECT_TRUE(TakeSets().empty());

    // Weekend is still the LED shut-off's first profile when it goes.
    ASSERT_TRUE(Click(profiles.get(), "deleteButton"));
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"Please select the Time Range to be deleted!"});
    profiles->List()->SelectRow(0);
    ASSERT_TRUE(Click(profiles.get(), "deleteButton"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(*profiles) && profiles->List()->RowCount() == 7; }));
    EXPECT_EQ(Bindings(TakeSets().at(0)),
              std::vector<std::string>{P + ".32.1.1.21.1 = INTEGER: 6"});
    auto saving = OpenRead<CPowerSavingDlg>();
    EXPECT_EQ(Row(*saving->Summary(), 0), "LED_Shutoff|Enabled|None|None|1-4,6");
    // The freed index is the next profile's.
    ASSERT_TRUE(Type(profiles.get(), "nameEdit", "First"));
    ASSERT_TRUE(Click(profiles.get(), "addButton"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(*profiles) && profiles->List()->RowCount() == 8; }));
    EXPECT_EQ(Bindings(TakeSets().at(0)).front(), P + ".32.1.1.2.1 = OCTET STRING: First");
}

} // namespace
