// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Time Range Information and Time Based PoE Config against ksx-sim (the PoE model).
#include "features/poe/TimeRangeDialog.h"
#include "features/common/ReportList.h"
#include "features/poe/TimeRangeConfigDialog.h"
#include "tests/support/DialogFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

using namespace testsupport;

const std::string kRange = "1.3.6.1.4.1.99999.10.76.17.23.1.1.";

class TimeRangeTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        SimFixture::Options options;
        options.model = "KSX-7700-28P";
        return options;
    }

    std::unique_ptr<CTimeRangeDlg> OpenList() {
        auto dialog = Open<CTimeRangeDlg>();
        EXPECT_TRUE(WaitUntil([&] { return Idle(*dialog); }));
        return dialog;
    }

    static bool Idle(const CTimeRangeDlg& dialog) {
        return Find<QPushButton>(&dialog, "refreshButton")->isEnabled();
    }

    static std::string Row(const CTimeRangeDlg& dialog, int row) {
        QStringList cells;
        for (int column = 0; column < 6; ++column) {
            cells << dialog.List()->Cell(row, column);
        }
        return cells.join(QLatin1Char('|')).toStdString();
    }

    // Fills the form of a config dialog: name, optional dates, times, days.
    static void Fill(QWidget* form, const QString& name, const QStringList& dates,
                     const QStringList& times, const QStringList& days) {
        ASSERT_TRUE(Type(form, "nameEdit", name));
        if (!dates.isEmpty()) {
            ASSERT_TRUE(Click(form, "dateCheck"));
            const char* combos[] = {"fromYearCombo", "fromMonthCombo", "fromDayCombo",
                                    "toYearCombo",   "toMonthCombo",   "toDayCombo"};
            for (int i = 0; i < 6; ++i) {
                ASSERT_TRUE(Choose(form, QString::fromLatin1(combos[i]), dates[i]));
            }
        }
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
        Fill(&config, name, {}, {"1", "0", endHour, "0"}, {"sunCheck"});
        EXPECT_TRUE(Click(&config, "applyButton"));
        list.Refresh();
        EXPECT_TRUE(WaitUntil([&] { return Idle(list); }));
        return messages.TakeTexts();
    }
};

TEST_F(TimeRangeTest, AddWritesTheRowStepByStepAndListsItWithTwoDigitDates) {
    auto dialog = OpenList();
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Time Range Information");
    ASSERT_EQ(dialog->List()->RowCount(), 1);
    EXPECT_EQ(Row(*dialog, 0), "WorkHours|Mon,Tue,Wed,Thu,Fri|||08:00|18:00");

    CTimeRangeConfigDlg config(dialog->Entries(), std::nullopt);
    ASSERT_TRUE(testsupport::ShowActive(&config));
    auto* years = Find<QComboBox>(&config, "fromYearCombo");
    EXPECT_FALSE(years->isEnabled());
    EXPECT_EQ(years->itemText(0).toStdString(), "2009");
    EXPECT_EQ(years->itemText(years->count() - 1).toStdString(), "2037");
    // Overnight without dates is one day running backwards; with dates it is accepted.
    Fill(&config, "Night", {}, {"22", "0", "6", "0"}, {"monCheck", "wedCheck"});
    ASSERT_TRUE(Click(&config, "applyButton"));
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"'Start Time' can't be grater than 'End Time'"});
    EXPECT_TRUE(TakeSets().empty());
    ASSERT_TRUE(Click(&config, "dateCheck"));
    ASSERT_TRUE(Choose(&config, "fromYearCombo", "2010"));
    ASSERT_TRUE(Choose(&config, "fromMonthCombo", "3"));
    ASSERT_TRUE(Choose(&config, "fromDayCombo", "5"));
    ASSERT_TRUE(Choose(&config, "toYearCombo", "2010"));
    ASSERT_TRUE(Choose(&config, "toMonthCombo", "2"));
    EXPECT_EQ(Find<QComboBox>(&config, "toDayCombo")->count(), 28); // February 2010
    ASSERT_TRUE(Click(&config, "applyButton"));
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"'To month' can't be less than 'From month'"});
    ASSERT_TRUE(Choose(&config, "toMonthCombo", "12"));
    ASSERT_TRUE(Choose(&config, "toDayCombo", "25"));
    ASSERT_TRUE(Click(&config, "applyButton"));
    EXPECT_TRUE(messages.TakeTexts().empty());
    EXPECT_EQ(config.result(), QDialog::Accepted);

    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 3U);
    EXPECT_EQ(Bindings(sets[0]), std::vector<std::string>{kRange + "21.2 = INTEGER: 6"});
    EXPECT_EQ(Bindings(sets[1]), std::vector<std::string>{kRange + "21.2 = INTEGER: 5"});
    const auto write = Bindings(sets[2]);
    ASSERT_EQ(write.size(), 20U);
    EXPECT_EQ(write[0], kRange + "2.2 = OCTET STRING: Night");
    EXPECT_EQ(write[5], kRange + "9.2 = INTEGER: 2010");
    EXPECT_EQ(write[8], kRange + "7.2 = INTEGER: 22");
    EXPECT_EQ(write[19], kRange + "21.2 = INTEGER: 1");
    EXPECT_EQ(sets[2].result, "noError");

    dialog->Refresh();
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog) && dialog->List()->RowCount() == 2; }));
    EXPECT_EQ(Row(*dialog, 1), "Night|Mon,Wed|2010/03/05|2010/12/25|22:00|06:00");
}

TEST_F(TimeRangeTest, ANinthRangeIsRefusedAndADeletedIndexIsReused) {
    auto dialog = OpenList();
    ASSERT_TRUE(Click(dialog.get(), "deleteButton"));
    ASSERT_TRUE(Click(dialog.get(), "editButton"));
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{"Please select the Time Range to be deleted!",
                                        "Please select the Time Range to be edit!"}));
    // A listed name is refused in add mode.
    EXPECT_EQ(Add(*dialog, "WorkHours", "2"), std::vector<std::string>{"Invalid TimeRange Name."});
    EXPECT_TRUE(TakeSets().empty());
    for (int n = 2; n <= 8; ++n) {
        EXPECT_TRUE(Add(*dialog, QStringLiteral("R%1").arg(n), QString::number(n)).empty());
    }
    ASSERT_EQ(dialog->List()->RowCount(), 8);
    TakeSets();
    EXPECT_EQ(Add(*dialog, "R9", "9"),
              std::vector<std::string>{"The max number of PoE Time Range is 8"});
    EXPECT_TRUE(TakeSets().empty());

    // Row 3 holds index 3; once deleted, the next range takes it.
    dialog->List()->SelectRow(2);
    ASSERT_TRUE(Click(dialog.get(), "deleteButton"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog) && dialog->List()->RowCount() == 7; }));
    EXPECT_EQ(Bindings(TakeSets().at(0)), std::vector<std::string>{kRange + "21.3 = INTEGER: 6"});
    EXPECT_TRUE(Add(*dialog, "Again", "4").empty());
    EXPECT_EQ(Bindings(TakeSets().at(0)), std::vector<std::string>{kRange + "21.3 = INTEGER: 6"});
    EXPECT_EQ(dialog->List()->Cell(2, 0).toStdString(), "Again");
}

TEST_F(TimeRangeTest, EditTakesTheRowAndMayReuseAnotherName) {
    auto dialog = OpenList();
    EXPECT_TRUE(Add(*dialog, "Late", "5").empty());
    TakeSets();
    dialog->List()->SelectRow(1);
    // The Edit button opens the config dialog with the row; change only the name.
    QTimer::singleShot(0, [this] {
        auto* config = qobject_cast<CTimeRangeConfigDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(config, nullptr);
        EXPECT_EQ(Find<QLineEdit>(config, "nameEdit")->text().toStdString(), "Late");
        EXPECT_TRUE(Find<QCheckBox>(config, "sunCheck")->isChecked());
        EXPECT_EQ(Find<QComboBox>(config, "endHourCombo")->currentText().toStdString(), "5");
        EXPECT_TRUE(Type(config, "nameEdit", "WorkHours"));
        EXPECT_TRUE(Click(config, "applyButton"));
    });
    ASSERT_TRUE(Click(dialog.get(), "editButton"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(*dialog) && dialog->List()->RowCount() == 2; }));
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_EQ(Bindings(sets[0]).front(), kRange + "2.2 = OCTET STRING: WorkHours");
    EXPECT_EQ(dialog->List()->Cell(1, 0).toStdString(), "WorkHours");
}

} // namespace
