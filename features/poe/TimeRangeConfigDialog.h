// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The form of one named time period (a PoE time range or a time profile): name, optional
// date bounds, start and end time, weekdays; and "Time Based PoE Config", the dialog that
// adds or edits one PoE time range with it.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/poe/TimeTableMib.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

class CTimeEntryForm : public QWidget {
    Q_OBJECT

public:
    // `nameLabel` "Range Name" or "Profile Name"; years offered firstYear..lastYear.
    CTimeEntryForm(QWidget* parent, const QString& nameLabel, int firstYear, int lastYear);

    // What the form holds (the name as UTF-8, at most 20 characters).
    timetable::TimeEntry Entry() const;
    void SetEntry(const timetable::TimeEntry& entry);
    // The input of a refusal's field (timetable::kEntryFields); nullptr for another.
    QWidget* InputFor(const std::string& field) const;

private:
    void DateToggled(bool on);
    void SelectAllToggled(bool on);

    QLineEdit* m_pName = nullptr;
    QCheckBox* m_pDate = nullptr;
    std::array<QComboBox*, 6> m_dateCombos{}; // from year, month, day, to year, month, day
    std::array<QComboBox*, 4> m_timeCombos{}; // start hour, minute, end hour, minute
    QCheckBox* m_pSelectAll = nullptr;
    std::array<QCheckBox*, 7> m_days{};
};

class CTimeRangeConfigDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // Add mode: `listed` are the ranges of the list. Edit mode: `edited` is the row.
    CTimeRangeConfigDlg(std::vector<timetable::TimeEntry> listed,
                        std::optional<timetable::TimeEntry> edited, QWidget* parent = nullptr);

    void Apply() override;
    CTimeEntryForm* Form() const { return m_pForm; }

private:
    // Closes the dialog after a write the switch took; reports any other.
    void Written(std::optional<RequestStatus> status);

    CTimeTableMib& m_cMib = AddData<CTimeTableMib>(timetable::Kind::PoeRange);
    std::vector<timetable::TimeEntry> m_listed;
    std::optional<timetable::TimeEntry> m_edited;
    CTimeEntryForm* m_pForm = nullptr;
};
