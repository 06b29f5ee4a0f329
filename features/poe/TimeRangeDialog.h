// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "Time Range Information": the switch's PoE time ranges, added and edited through
// "Time Based PoE Config", deleted by their row status.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/poe/TimeTableMib.h"

#include <vector>

class CReportList;

class CTimeRangeDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Time Range Information";
    explicit CTimeRangeDlg(QWidget* parent = nullptr);

    void Refresh() override;
    CReportList* List() const { return m_pList; }
    const std::vector<timetable::TimeEntry>& Entries() const { return m_cMib.Entries(); }

protected:
    void EnableControls() override;

private:
    void AddRange();
    void EditRange();
    void DeleteRange();
    void RunConfig(std::optional<timetable::TimeEntry> edited);

    CTimeTableMib& m_cMib = AddData<CTimeTableMib>(timetable::Kind::PoeRange);
    CReportList* m_pList = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pDelete = nullptr;
};

// The list texts of one time period: name, weekdays, from day, to day, start, end.
QStringList TimeEntryCells(const timetable::TimeEntry& entry);
