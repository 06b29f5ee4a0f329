// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The PoE dialogs against ksx-sim: PoE Global Settings and PoE Configuration, Time Range
// Information with Time Based PoE Config, Power Saving Settings and Time Profile Info.
#include "features/common/Messages.h"
#include "features/common/ReportList.h"
#include "features/poe/PoeGlobalDialog.h"
#include "features/poe/PoePortDialog.h"
#include "features/poe/PowerSavingDialog.h"
#include "features/poe/TimeProfileDialog.h"
#include "features/poe/TimeRangeConfigDialog.h"
#include "features/poe/TimeRangeDialog.h"
#include "tests/support/DialogFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

using namespace testsupport;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kPort = P + ".22.1.1.";
const std::string kRange = P + ".23.1.1.";

// The cells of a list row joined by '|'.
std::string Row(const CReportList* list, int row) {
    QStringList cells;
    for (int column = 0; column < list->columnCount(); ++column) {
        cells << list->Cell(row, column);
    }
    return cells.join(QLatin1Char('|')).toStdString();
}

class PoeTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        // Port 2: Weekend, high priority; port 3 disabled; port 4 names a time profile the
        // switch does not hold; port 5 limited to class 2; port 6 user defined.
        return {"KSX-7700-28P",
                DataArguments({kPort + "4.1.2|2|1", kPort + "5.1.2|2|3", kPort + "3.1.3|2|2",
                               kPort + "4.1.4|2|7", kPort + "6.1.5|2|3", kPort + "7.1.6|2|1",
                               kPort + "8.1.6|4|12.6"})};
    }
};

TEST_F(PoeTest, GlobalThresholdLimitsAndAnUnchangedApply) {
    auto dialog = OpenRead<CPoeGlobalDlg>("applyButton");
    auto* threshold = Find<QLineEdit>(dialog.get(), "thresholdEdit");
    EXPECT_EQ((QStringList{threshold->text(), Find<QLineEdit>(dialog.get(), "budgetEdit")->text(),
                           Find<QLineEdit>(dialog.get(), "rpsStatusEdit")->text()}),
              (QStringList{"185.0", "185.0", "on"}));
    EXPECT_NE(Find<QLineEdit>(dialog.get(), "usedEdit")->text().toStdString(), "wait...");

    ASSERT_TRUE(Type(dialog.get(), "thresholdEdit", QStringLiteral("185.01")) &&
                Choose(dialog.get(), "sequenceCombo", QStringLiteral("DenyLowPriorityPort")));
    EXPECT_TRUE(Refuses(dialog.get(), {"The System Power Threshold ranges between 7.1 ~ 185.0."}));
    for (const char* accepted : {"7.1", "185.0"}) {
        ASSERT_TRUE(Type(dialog.get(), "thresholdEdit", QString::fromLatin1(accepted)));
        EXPECT_EQ(Press(dialog.get()), Texts{"set succeed"});
        ASSERT_TRUE(WaitForButton(dialog.get(), "applyButton"));
        EXPECT_EQ(threshold->text().toStdString(), accepted);
    }
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{P + ".22.3.0 = INTEGER: 2", P + ".22.2.0 = OCTET STRING: 7.1"},
                                  {P + ".22.2.0 = OCTET STRING: 185.0"}}));
}

TEST_F(PoeTest, PortListShowsTheSwitchTextsApplyRefusesALimitOffTheStepsAndWritesEveryPort) {
    auto dialog = Open<CPoePortDlg>();
    CReportList* list = dialog->PortList();
    ASSERT_TRUE(WaitForRows(*list, 24, *dialog, "applyButton"));
    EXPECT_EQ(list->headerItem()->text(5).toStdString(), "Power\n(W)");
    // Port 1 has a powered device; port 2 none.
    EXPECT_EQ(Row(list, 0), "1|Enable|N/A|Low|Auto|" + list->Cell(0, 5).toStdString() + "|53.5|" +
                                list->Cell(0, 7).toStdString() + "|Class 2|POWER ON");
    EXPECT_NE(list->Cell(0, 5), QStringLiteral("0.0"));
    EXPECT_EQ(Row(list, 1), "2|Enable|Weekend|High|Auto|0.0|0.0|0|N/A|POWER OFF");
    // Port 4's time range index 7 names no range; port 6's limit is user defined.
    EXPECT_EQ((QStringList{list->Cell(2, 1), list->Cell(3, 2), list->Cell(3, 4), list->Cell(4, 4),
                           list->Cell(5, 4)}),
              (QStringList{"Disable", "", "Auto", "Class 2", "12.6"}));
    // The time ranges offered: N/A and the switch's names.
    auto* ranges = Find<QComboBox>(dialog.get(), "timeRangeCombo");
    ASSERT_EQ(ranges->count(), 2);
    EXPECT_EQ(ranges->itemText(1).toStdString(), "Weekend");

    // Picking port 6's row fills the controls with its values, its user limit included.
    ASSERT_TRUE(ClickRow(list, 5));
    EXPECT_EQ((QStringList{Find<QComboBox>(dialog.get(), "fromPort")->currentText(),
                           Find<QComboBox>(dialog.get(), "toPort")->currentText(),
                           Find<QLineEdit>(dialog.get(), "wattsEdit")->text()}),
              (QStringList{"6", "6", "12.6"}));
    EXPECT_TRUE(Find<QCheckBox>(dialog.get(), "userDefineCheck")->isChecked());
    // The class combo goes with the user limit ticked by hand; a limit off the steps is refused.
    auto* classes = Find<QComboBox>(dialog.get(), "powerLimitCombo");
    ASSERT_TRUE(Click(dialog.get(), "userDefineCheck"));
    EXPECT_TRUE(classes->isEnabled());
    ASSERT_TRUE(Click(dialog.get(), "userDefineCheck"));
    EXPECT_FALSE(classes->isEnabled());
    ASSERT_TRUE(Type(dialog.get(), "wattsEdit", QStringLiteral("15.5")));
    EXPECT_TRUE(Refuses(dialog.get(), {"The per-port power limit must be a multiple of 0.2"}));

    ASSERT_TRUE(Choose(dialog.get(), "fromPort", QStringLiteral("3")));
    Choose(dialog.get(), "toPort", QStringLiteral("2")); // put back on 3
    EXPECT_EQ(messages.TakeTexts(), Texts{"'To Port' can not be smaller than 'From Port'"});
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "toPort")->currentText().toStdString(), "3");
    ASSERT_TRUE(Choose(dialog.get(), "toPort", QStringLiteral("5")) &&
                Choose(dialog.get(), "timeRangeCombo", QStringLiteral("Weekend")) &&
                Type(dialog.get(), "wattsEdit", QStringLiteral("15.4")));
    EXPECT_TRUE(Press(dialog.get()).empty());
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 3U);
    for (int port = 3; port <= 5; ++port) {
        const std::string i = ".1." + std::to_string(port);
        EXPECT_EQ(sets[static_cast<std::size_t>(port - 3)],
                  (Texts{kPort + "3" + i + " = INTEGER: 1", kPort + "4" + i + " = INTEGER: 1",
                         kPort + "5" + i + " = INTEGER: 1", kPort + "7" + i + " = INTEGER: 1",
                         kPort + "8" + i + " = OCTET STRING: 15.4"}));
    }
    ASSERT_TRUE(WaitForRows(*list, 24, *dialog, "applyButton"));
    EXPECT_EQ((QStringList{list->Cell(3, 2), list->Cell(4, 4), list->Cell(2, 1)}),
              (QStringList{"Weekend", "15.4", "Enable"}));
}

class PowerSavingTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        // LED shut-off runs on the Weekend profile for ports 1 to 4 and 6.
        return {"KSX-7700-28", DataArguments({P + ".31.1.3.0|2|1", P + ".31.1.2.0|2|1",
                                              P + ".31.1.1.0|4x|F4000000"})};
    }
};

TEST_F(PowerSavingTest, OpensWithTheSwitchsActionsHibernationSendsNoPortListAndPortsAreChecked) {
    auto dialog = OpenRead<CPowerSavingDlg>();
    CReportList& summary = *dialog->Summary();
    ASSERT_EQ(summary.RowCount(), 4);
    EXPECT_EQ(Row(&summary, 0), "LED_Shutoff|Enabled|Weekend|None|1-4,6");
    EXPECT_EQ(Row(&summary, 1), "Port_Shutoff|Disabled|None|None|None");
    EXPECT_EQ(Row(&summary, 3), "System_Hibernation|Disabled|None|None|All Port");
    // The chosen action as the switch holds it, so that an Apply erases nothing.
    auto* ports = Find<QLineEdit>(dialog.get(), "portEdit");
    auto* profile1 = Find<QComboBox>(dialog.get(), "profile1Combo");
    EXPECT_EQ((QStringList{Find<QComboBox>(dialog.get(), "typeCombo")->currentText(),
                           Find<QComboBox>(dialog.get(), "stateCombo")->currentText(),
                           ports->text(), profile1->currentText()}),
              (QStringList{"LED Shut-off", "Enabled", "1-4,6", "Weekend"}));
    EXPECT_TRUE(ports->isEnabled());

    ASSERT_TRUE(Choose(dialog.get(), "typeCombo", "System Hibernation") &&
                Choose(dialog.get(), "stateCombo", "Enabled"));
    EXPECT_FALSE(ports->isEnabled());
    EXPECT_TRUE(profile1->isEnabled());
    ASSERT_TRUE(Choose(dialog.get(), "profile2Combo", "Weekend") &&
                Click(dialog.get(), "applyButton"));
    ASSERT_TRUE(WaitForButton(dialog.get()));
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{P + ".31.4.1.0 = INTEGER: 1", P + ".31.4.2.0 = INTEGER: 0",
                                   P + ".31.4.3.0 = INTEGER: 1"}}));
    EXPECT_EQ(Row(&summary, 3), "System_Hibernation|Enabled|None|Weekend|All Port");

    // The stored values of an action come back when it is chosen.
    ASSERT_TRUE(Choose(dialog.get(), "typeCombo", "LED Shut-off"));
    EXPECT_EQ((QStringList{ports->text(), profile1->currentText()}),
              (QStringList{"1-4,6", "Weekend"}));

    // Port actions check their port list; the detections apply together.
    ASSERT_TRUE(Choose(dialog.get(), "typeCombo", "Port Standby") &&
                Choose(dialog.get(), "stateCombo", "Enabled") &&
                Type(dialog.get(), "portEdit", "1-29"));
    EXPECT_TRUE(Refuses(dialog.get(), {"Invalid Portlist"}));
    ASSERT_TRUE(Type(dialog.get(), "portEdit", "2, 5-7,28") && Click(dialog.get(), "applyButton") &&
                WaitForButton(dialog.get()));
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_EQ(sets[0].back(), P + ".31.3.1.0 = OCTET STRING: 0x4e000010");
    EXPECT_EQ(Row(dialog->Summary(), 2), "Port_Standby|Enabled|None|None|2,5-7,28");

    ASSERT_TRUE(Click(dialog.get(), "cableLengthCheck") &&
                Click(dialog.get(), "detectionApplyButton"));
    ASSERT_TRUE(WaitForButton(dialog.get()));
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{P + ".31.5.0 = INTEGER: 1", P + ".31.6.0 = INTEGER: 2"}}));
}

TEST_F(PowerSavingTest, ProfilesUpToEightAndADeletedOneShowsNone) {
    auto profiles = OpenRead<CTimeProfileDlg>();
    auto* years = Find<QComboBox>(profiles.get(), "toYearCombo");
    EXPECT_EQ(years->itemText(0).toStdString(), "2011");
    EXPECT_EQ(years->itemText(years->count() - 1).toStdString(), "2029");
    ASSERT_EQ(profiles->List()->RowCount(), 1);
    EXPECT_EQ(Row(profiles->List(), 0), "Weekend|Sat,Sun|||00:00|23:00");

    ASSERT_TRUE(Choose(profiles.get(), "endHourCombo", "7") &&
                Type(profiles.get(), "nameEdit", "Weekend"));
    EXPECT_TRUE(Refuses(profiles.get(), {"The Profile Name is exist."}, "addButton"));
    for (int n = 2; n <= 8; ++n) {
        ASSERT_TRUE(Type(profiles.get(), "nameEdit", QStringLiteral("P%1").arg(n)) &&
                    Click(profiles.get(), "addButton"));
        ASSERT_TRUE(WaitForRows(*profiles->List(), n, *profiles));
    }
    EXPECT_TRUE(messages.TakeTexts().empty());
    EXPECT_EQ(Bindings(TakeSets().back()).back(), P + ".32.1.1.21.8 = INTEGER: 1");
    // A ninth is refused before the form is looked at.
    ASSERT_TRUE(Type(profiles.get(), "nameEdit", ""));
    EXPECT_TRUE(Refuses(profiles.get(), {"The Max entry is 8."}, "addButton"));

    // Weekend is still the LED shut-off's first profile when it goes.
    EXPECT_EQ(Press(profiles.get(), "deleteButton"),
              Texts{"Please select the Time Range to be deleted!"});
    profiles->List()->SelectRow(0);
    ASSERT_TRUE(Click(profiles.get(), "deleteButton"));
    ASSERT_TRUE(WaitForRows(*profiles->List(), 7, *profiles));
    EXPECT_EQ(Bindings(TakeSets().at(0)), Texts{P + ".32.1.1.21.1 = INTEGER: 6"});
    auto saving = OpenRead<CPowerSavingDlg>();
    EXPECT_EQ(Row(saving->Summary(), 0), "LED_Shutoff|Enabled|None|None|1-4,6");
    // The freed index is the next profile's.
    ASSERT_TRUE(Type(profiles.get(), "nameEdit", "First") && Click(profiles.get(), "addButton"));
    ASSERT_TRUE(WaitForRows(*profiles->List(), 8, *profiles));
    EXPECT_EQ(Bindings(TakeSets().at(0)).front(), P + ".32.1.1.2.1 = OCTET STRING: First");
}

class TimeRangeTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override { return {"KSX-7700-28P", {}}; }

    // Fills the form of a config dialog without dates: name, times, days.
    static void Fill(QWidget* form, const QString& name, const QStringList& times,
                     const QStringList& days) {
        ASSERT_TRUE(Type(form, "nameEdit", name));
        const char* timeCombos[] = {"startHourCombo", "startMinuteCombo", "endHourCombo",
                                    "endMinuteCombo"};
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(Choose(form, QString::fromLatin1(timeCombos[i]), times[i]));
        }
        for (const QString& day : days) {
            ASSERT_TRUE(Click(form, day));
        }
    }

    // Adds a range through a config dialog made with the list's ranges; the messages shown.
    std::vector<std::string> Add(CTimeRangeDlg& list, const QString& name, const QString& endHour) {
        CTimeRangeConfigDlg config(list.Entries(), std::nullopt);
        EXPECT_TRUE(testsupport::ShowActive(&config));
        Fill(&config, name, {"1", "0", endHour, "0"}, {"sunCheck"});
        EXPECT_TRUE(Click(&config, "applyButton"));
        list.Refresh();
        EXPECT_TRUE(WaitForButton(&list));
        return messages.TakeTexts();
    }
};

TEST_F(TimeRangeTest, AddWritesTheRowStepByStepListsItWithTwoDigitDatesAndEditKeepsItsIndex) {
    auto dialog = OpenRead<CTimeRangeDlg>();
    ASSERT_EQ(dialog->List()->RowCount(), 1);
    EXPECT_EQ(Row(dialog->List(), 0), "WorkHours|Mon,Tue,Wed,Thu,Fri|||08:00|18:00");

    CTimeRangeConfigDlg config(dialog->Entries(), std::nullopt);
    ASSERT_TRUE(testsupport::ShowActive(&config));
    auto* years = Find<QComboBox>(&config, "fromYearCombo");
    EXPECT_FALSE(years->isEnabled());
    EXPECT_EQ(years->itemText(0).toStdString(), "2009");
    EXPECT_EQ(years->itemText(years->count() - 1).toStdString(), "2037");
    // Overnight without dates is one day running backwards; with dates it is accepted.
    Fill(&config, "Night", {"22", "0", "6", "0"}, {"monCheck", "wedCheck"});
    EXPECT_TRUE(Refuses(&config, {"'Start Time' can't be grater than 'End Time'"}));
    ASSERT_TRUE(Click(&config, "dateCheck") && Choose(&config, "fromYearCombo", "2010") &&
                Choose(&config, "fromMonthCombo", "3") && Choose(&config, "fromDayCombo", "5") &&
                Choose(&config, "toYearCombo", "2010") && Choose(&config, "toMonthCombo", "2"));
    EXPECT_EQ(Find<QComboBox>(&config, "toDayCombo")->count(), 28); // February 2010
    ASSERT_TRUE(Choose(&config, "toMonthCombo", "12") && Choose(&config, "toDayCombo", "25"));
    EXPECT_TRUE(Press(&config).empty());
    EXPECT_EQ(config.result(), QDialog::Accepted);

    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 3U);
    const auto write = Bindings(sets[2]);
    ASSERT_EQ(write.size(), 20U);
    EXPECT_EQ((Texts{Bindings(sets[0])[0], Bindings(sets[1])[0], write[0], write[5], write[8],
                     write[19]}),
              (Texts{kRange + "21.2 = INTEGER: 6", kRange + "21.2 = INTEGER: 5",
                     kRange + "2.2 = OCTET STRING: Night", kRange + "9.2 = INTEGER: 2010",
                     kRange + "7.2 = INTEGER: 22", kRange + "21.2 = INTEGER: 1"}));
    EXPECT_EQ(sets[2].result, "noError");

    dialog->Refresh();
    ASSERT_TRUE(WaitForRows(*dialog->List(), 2, *dialog));
    EXPECT_EQ(Row(dialog->List(), 1), "Night|Mon,Wed|2010/03/05|2010/12/25|22:00|06:00");

    // Edit opens the config dialog with the picked row and skips the name checks.
    dialog->List()->SelectRow(1);
    WhenModalOpens(dialog.get(), [](QDialog& opened) {
        auto* edit = qobject_cast<CTimeRangeConfigDlg*>(&opened);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(Find<QLineEdit>(edit, "nameEdit")->text().toStdString(), "Night");
        EXPECT_TRUE(Find<QCheckBox>(edit, "wedCheck")->isChecked());
        EXPECT_EQ(Find<QComboBox>(edit, "endHourCombo")->currentText().toStdString(), "6");
        EXPECT_TRUE(Type(edit, "nameEdit", "Work.Hours"));
        EXPECT_TRUE(Click(edit, "applyButton"));
    });
    ASSERT_TRUE(Click(dialog.get(), "editButton"));
    ASSERT_TRUE(WaitForRows(*dialog->List(), 2, *dialog));
    const auto edited = Sets();
    ASSERT_EQ(edited.size(), 1U);
    EXPECT_EQ(edited[0].front(), kRange + "2.2 = OCTET STRING: Work.Hours");
    EXPECT_EQ(dialog->List()->Cell(1, 0).toStdString(), "Work.Hours");
}

TEST_F(TimeRangeTest, ANinthRangeIsRefusedAndADeletedIndexIsReused) {
    auto dialog = OpenRead<CTimeRangeDlg>();
    ASSERT_TRUE(Click(dialog.get(), "deleteButton") && Click(dialog.get(), "editButton"));
    EXPECT_EQ(messages.TakeTexts(), (Texts{"Please select the Time Range to be deleted!",
                                           "Please select the Time Range to be edit!"}));
    // A listed name is refused in add mode.
    EXPECT_EQ(Add(*dialog, "WorkHours", "1"), Texts{"Invalid TimeRange Name."});
    EXPECT_TRUE(TakeSets().empty());
    for (int n = 2; n <= 8; ++n) {
        EXPECT_TRUE(Add(*dialog, QStringLiteral("R%1").arg(n), QString::number(n)).empty());
    }
    ASSERT_EQ(dialog->List()->RowCount(), 8);
    TakeSets();
    EXPECT_EQ(Add(*dialog, "R9", "9"), Texts{"The max number of PoE Time Range is 8"});
    EXPECT_TRUE(TakeSets().empty());

    // Row 3 holds index 3; once deleted, the next range takes it.
    dialog->List()->SelectRow(2);
    ASSERT_TRUE(Click(dialog.get(), "deleteButton"));
    ASSERT_TRUE(WaitForRows(*dialog->List(), 7, *dialog));
    EXPECT_EQ(Bindings(TakeSets().at(0)), Texts{kRange + "21.3 = INTEGER: 6"});
    EXPECT_TRUE(Add(*dialog, "Again", "4").empty());
    EXPECT_EQ(Bindings(TakeSets().at(0)), Texts{kRange + "21.3 = INTEGER: 6"});
    EXPECT_EQ(dialog->List()->Cell(2, 0).toStdString(), "Again");
}

TEST_F(TimeRangeTest, AnAddGoesOnPastARefusedDestroyAndAFailedOneStaysOpen) {
    // Destroying an absent row is refused; the second new range's row write is never answered.
    SimFixture::Options options = SimulatorOptions();
    options.arguments = {"--strict-destroy", "--drop", kRange + "2.3"};
    ASSERT_TRUE(StartSimulator(options));
    auto dialog = OpenRead<CTimeRangeDlg>();
    EXPECT_TRUE(Add(*dialog, "Late", "5").empty());
    EXPECT_EQ(dialog->List()->Cell(1, 0).toStdString(), "Late");
    EXPECT_EQ(TakeSets().at(0).result, "inconsistentValue");
    CTimeRangeConfigDlg config(dialog->Entries(), std::nullopt);
    ASSERT_TRUE(testsupport::ShowActive(&config));
    Fill(&config, "Early", {"1", "0", "6", "0"}, {"monCheck"});
    EXPECT_EQ(Press(&config), Texts{WriteFailureText(RequestStatus(-1)).toStdString()});
    EXPECT_TRUE(config.isVisible());
    // A step without an answer is no refusal: the row is not destroyed.
    EXPECT_EQ(Bindings(TakeSets().back()), Texts{kRange + "21.3 = INTEGER: 5"});
    EXPECT_EQ(Find<QLineEdit>(&config, "nameEdit")->text(), "Early");
}

} // namespace
