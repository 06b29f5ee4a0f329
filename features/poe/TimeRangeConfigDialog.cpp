// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/TimeRangeConfigDialog.h"

#include "features/common/DayCombo.h"
#include "features/common/DialogKit.h"
#include "snmp/TextConversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

int NumberIn(const QComboBox* combo) {
    return static_cast<int>(kit::ComboValue(*combo).value_or(0));
}

} // namespace

CTimeEntryForm::CTimeEntryForm(QWidget* parent, const QString& nameLabel, int firstYear,
                               int lastYear)
    : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_pName = kit::Edit(this, "nameEdit", false, timetable::kMaxNameLength);
    kit::AddFormRow(*grid, 0, nameLabel, m_pName);
    grid->addWidget(m_pName, 0, 1, 1, 3);

    m_pDate = new QCheckBox(QStringLiteral("Date"), this);
    m_pDate->setObjectName(QStringLiteral("dateCheck"));
    grid->addWidget(m_pDate, 1, 0);
    const char* dateNames[] = {"fromYearCombo", "fromMonthCombo", "fromDayCombo",
                               "toYearCombo",   "toMonthCombo",   "toDayCombo"};
    for (int side = 0; side < 2; ++side) {
        const int row = 2 + side;
        auto* year = kit::NumberCombo(this, dateNames[side * 3], firstYear, lastYear);
        auto* month = kit::NumberCombo(this, dateNames[side * 3 + 1], 1, 12);
        auto* day = kit::NumberCombo(this, dateNames[side * 3 + 2], 1, 31);
        m_dateCombos[static_cast<std::size_t>(side * 3)] = year;
        m_dateCombos[static_cast<std::size_t>(side * 3 + 1)] = month;
        m_dateCombos[static_cast<std::size_t>(side * 3 + 2)] = day;
        auto* label =
            new QLabel(side == 0 ? QStringLiteral("From Day ") : QStringLiteral("To Day "), this);
        label->setBuddy(year);
        grid->addWidget(label, row, 0);
        grid->addWidget(year, row, 1);
        grid->addWidget(month, row, 2);
        grid->addWidget(day, row, 3);
        // The days follow the month shown; the chosen day stays where the month has it.
        const auto refillDays = [year, month, day] {
            const int chosen = NumberIn(day);
            FillDayCombo(*day, kit::ComboValue(*year), kit::ComboValue(*month));
            kit::SelectOffered(*day, chosen);
        };
        connect(year, &QComboBox::currentIndexChanged, this, refillDays);
        connect(month, &QComboBox::currentIndexChanged, this, refillDays);
    }

    grid->addWidget(new QLabel(QStringLiteral("Hours(HH MM)"), this), 4, 1, 1, 2);
    const char* timeNames[] = {"startHourCombo", "startMinuteCombo", "endHourCombo",
                               "endMinuteCombo"};
    for (int side = 0; side < 2; ++side) {
        const int row = 5 + side;
        auto* hour = kit::NumberCombo(this, timeNames[side * 2], 0, 23);
        auto* minute = kit::NumberCombo(this, timeNames[side * 2 + 1], 0, 59);
        m_timeCombos[static_cast<std::size_t>(side * 2)] = hour;
        m_timeCombos[static_cast<std::size_t>(side * 2 + 1)] = minute;
        auto* label =
            new QLabel(side == 0 ? QStringLiteral("Start Time") : QStringLiteral("End Time"), this);
        label->setBuddy(hour);
        grid->addWidget(label, row, 0);
        grid->addWidget(hour, row, 1);
        grid->addWidget(minute, row, 2);
    }

    m_pSelectAll = new QCheckBox(QStringLiteral("Select All Days"), this);
    m_pSelectAll->setObjectName(QStringLiteral("selectAllDaysCheck"));
    grid->addWidget(m_pSelectAll, 7, 0, 1, 2);
    auto* days = new QHBoxLayout;
    const char* dayTexts[] = {"Mon ", "Tue", "Wed ", "Thu", "Fri ", "Sat", "Sun"};
    const char* dayNames[] = {"monCheck", "tueCheck", "wedCheck", "thuCheck",
                              "friCheck", "satCheck", "sunCheck"};
    for (std::size_t day = 0; day < 7; ++day) {
        m_days[day] = new QCheckBox(QString::fromLatin1(dayTexts[day]), this);
        m_days[day]->setObjectName(QString::fromLatin1(dayNames[day]));
        days->addWidget(m_days[day]);
    }
    days->addStretch(1);
    grid->addLayout(days, 8, 0, 1, 4);

    grid->setColumnStretch(4, 1);
    connect(m_pDate, &QCheckBox::toggled, this, &CTimeEntryForm::DateToggled);
    connect(m_pSelectAll, &QCheckBox::toggled, this, &CTimeEntryForm::SelectAllToggled);
    DateToggled(false);
}

void CTimeEntryForm::DateToggled(bool on) {
    for (QComboBox* combo : m_dateCombos) {
        combo->setEnabled(on);
    }
}

void CTimeEntryForm::SelectAllToggled(bool on) {
    for (QCheckBox* day : m_days) {
        day->setChecked(on);
    }
}

QWidget* CTimeEntryForm::InputFor(const std::string& field) const {
    if (field == timetable::kNameField) {
        return m_pName;
    }
    const std::pair<const char*, QComboBox*> combos[] = {
        {timetable::kToYearField, m_dateCombos[3]},
        {timetable::kToMonthField, m_dateCombos[4]},
        {timetable::kToDayField, m_dateCombos[5]},
        {timetable::kStartTimeField, m_timeCombos[0]},
    };
    for (const auto& [name, combo] : combos) {
        if (field == name) {
            return combo;
        }
    }
    return nullptr;
}

timetable::TimeEntry CTimeEntryForm::Entry() const {
    timetable::TimeEntry entry;
    entry.name = TextToUtf8(m_pName->text(), timetable::kMaxNameLength);
    entry.dateUsed = m_pDate->isChecked();
    entry.fromYear = NumberIn(m_dateCombos[0]);
    entry.fromMonth = NumberIn(m_dateCombos[1]);
    entry.fromDay = NumberIn(m_dateCombos[2]);
    entry.toYear = NumberIn(m_dateCombos[3]);
    entry.toMonth = NumberIn(m_dateCombos[4]);
    entry.toDay = NumberIn(m_dateCombos[5]);
    entry.startHour = NumberIn(m_timeCombos[0]);
    entry.startMinute = NumberIn(m_timeCombos[1]);
    entry.endHour = NumberIn(m_timeCombos[2]);
    entry.endMinute = NumberIn(m_timeCombos[3]);
    for (std::size_t day = 0; day < 7; ++day) {
        entry.days[day] = m_days[day]->isChecked();
    }
    return entry;
}

void CTimeEntryForm::SetEntry(const timetable::TimeEntry& entry) {
    m_pName->setText(Utf8ToText(entry.name));
    m_pDate->setChecked(entry.dateUsed);
    if (entry.dateUsed) {
        const int parts[] = {entry.fromYear, entry.fromMonth, entry.fromDay,
                             entry.toYear,   entry.toMonth,   entry.toDay};
        for (std::size_t i = 0; i < 6; ++i) {
            kit::SelectOffered(*m_dateCombos[i], parts[i]);
        }
    }
    const int times[] = {entry.startHour, entry.startMinute, entry.endHour, entry.endMinute};
    for (std::size_t i = 0; i < 4; ++i) {
        kit::SelectOffered(*m_timeCombos[i], times[i]);
    }
    for (std::size_t day = 0; day < 7; ++day) {
        m_days[day]->setChecked(entry.days[day]);
    }
}

CTimeRangeConfigDlg::CTimeRangeConfigDlg(std::vector<timetable::TimeEntry> listed,
                                         std::optional<timetable::TimeEntry> edited,
                                         QWidget* parent)
    : CFeatureDialog(parent), m_listed(std::move(listed)), m_edited(std::move(edited)) {
    setWindowTitle(QStringLiteral("Time Based PoE Config"));
    m_pForm = new CTimeEntryForm(this, QStringLiteral("Range Name"), 2009, 2037);
    for (const char* field : timetable::kEntryFields) {
        FocusFor(field, [this, field](int) { return m_pForm->InputFor(field); });
    }
    if (m_edited) {
        m_pForm->SetEntry(*m_edited);
    }
    ApplyButton()->setText(QStringLiteral("Apply"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pForm);
    layout->addLayout(kit::ButtonRow({ApplyButton(), cancel}));
}

void CTimeRangeConfigDlg::Apply() {
    const timetable::TimeEntry entry = m_pForm->Entry();
    if ((!m_edited && ShowRefusal(timetable::CheckRangeName(entry.name, m_listed))) ||
        ShowRefusal(timetable::CheckDateTime(entry))) {
        return;
    }
    if (m_edited) {
        Written(WritePlan(m_cMib.SetSession(), m_cMib.PlanEntry(m_edited->index, entry)));
        return;
    }
    const std::optional<int> index = timetable::NewRangeIndex(m_listed);
    if (!index) {
        ShowOk(QStringLiteral("The max number of PoE Time Range is 8"));
        reject();
        return;
    }
    Written(WritePlan(m_cMib.SetSession(), m_cMib.PlanNewRange(*index, entry)));
}

void CTimeRangeConfigDlg::Written(std::optional<RequestStatus> status) {
    if (status && status->Ok()) {
        accept(); // otherwise the dialog stays open with what was typed
    }
}
