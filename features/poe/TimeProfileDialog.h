// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "Time Profile Info": the time profiles the power-saving actions are tied to; a new one is
// made from the form, a listed one deleted by its row status.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/poe/TimeTableMib.h"

#include <vector>

class CReportList;
class CTimeEntryForm;

class CTimeProfileDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Time Profile Info";
    explicit CTimeProfileDlg(QWidget* parent = nullptr);

    void Refresh() override;
    CReportList* List() const { return m_pList; }
    CTimeEntryForm* Form() const { return m_pForm; }

protected:
    void EnableControls() override;

private:
    void AddProfile();
    void DeleteProfile();

    CTimeTableMib& m_cMib = AddData<CTimeTableMib>(timetable::Kind::Profile);
    CTimeEntryForm* m_pForm = nullptr;
    CReportList* m_pList = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
};
