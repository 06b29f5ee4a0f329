// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/TimeProfileDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"
#include "features/poe/TimeRangeConfigDialog.h"
#include "features/poe/TimeRangeDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

CTimeProfileDlg::CTimeProfileDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pForm = new CTimeEntryForm(this, QStringLiteral("Profile Name"), 2011, 2029);
    for (const char* field : timetable::kEntryFields) {
        FocusFor(field, [this, field](int) { return m_pForm->InputFor(field); });
    }
    m_pAdd = new QPushButton(QStringLiteral("&Add"), this);
    m_pAdd->setObjectName(QStringLiteral("addButton"));
    m_pAdd->setAutoDefault(false);
    connect(m_pAdd, &QPushButton::clicked, this, &CTimeProfileDlg::AddProfile);
    auto* formRow = new QHBoxLayout;
    formRow->addWidget(m_pForm, 1);
    formRow->addWidget(m_pAdd, 0, Qt::AlignBottom);

    auto* entries = kit::Group(this, QStringLiteral("Time Profile Entries"), "profileEntriesGroup");
    m_pList = new CReportList(entries);
    m_pList->setObjectName(QStringLiteral("profileList"));
    m_pList->SetColumns({QStringLiteral("Profile Name"), QStringLiteral("Weekdays"),
                         QStringLiteral("From Day"), QStringLiteral("To Day"),
                         QStringLiteral("Start Time"), QStringLiteral("End Time")});
    m_pList->setColumnWidth(
        1, m_pList->HeaderTextWidth(QStringLiteral("Mon,Tue,Wed,Thu,Fri,Sat,Sun")));
    m_pList->setColumnWidth(2, m_pList->HeaderTextWidth(QStringLiteral("2011/01/01")));
    m_pList->setColumnWidth(3, m_pList->HeaderTextWidth(QStringLiteral("2011/01/01")));
    auto* entriesLayout = new QVBoxLayout(entries);
    entriesLayout->addWidget(m_pList);

    m_pDelete = new QPushButton(QStringLiteral("&Delete"), this);
    m_pDelete->setObjectName(QStringLiteral("deleteButton"));
    m_pDelete->setAutoDefault(false);
    connect(m_pDelete, &QPushButton::clicked, this, &CTimeProfileDlg::DeleteProfile);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(formRow);
    layout->addWidget(entries, 1);
    layout->addLayout(kit::ButtonRow({m_pDelete, RefreshButton(), CloseButton()}));
    int width = m_pList->ColumnsWidth();
    resize(std::max(width + 60, 620), 520);
}

void CTimeProfileDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !IsBusy();
    m_pAdd->setEnabled(idle);
    m_pDelete->setEnabled(idle);
}

void CTimeProfileDlg::Refresh() {
    WalkIntoList(m_cMib.Walk(), *m_pList,
                 [](const timetable::TimeEntry& entry, int) { return TimeEntryCells(entry); });
}

void CTimeProfileDlg::AddProfile() {
    if (static_cast<int>(m_cMib.Entries().size()) >= timetable::kMaxEntries) {
        ShowOk(QStringLiteral("The Max entry is 8."));
        return;
    }
    const timetable::TimeEntry entry = m_pForm->Entry();
    if (ShowRefusal(timetable::CheckProfileName(entry.name, m_cMib.Entries())) ||
        ShowRefusal(timetable::CheckDateTime(entry))) {
        return;
    }
    const std::optional<int> index = timetable::NewProfileIndex(m_cMib.Entries());
    if (!index) {
        ShowOk(QStringLiteral("The Max entry is 8."));
        return;
    }
    RunPlan(m_cMib.SetSession(), m_cMib.PlanEntry(*index, entry));
}

void CTimeProfileDlg::DeleteProfile() {
    const timetable::TimeEntry* picked = m_cMib.Walk().RowAt(m_pList->SelectedRow());
    if (picked == nullptr) {
        ShowOk(QStringLiteral("Please select the Time Range to be deleted!"));
        return;
    }
    RunPlan(m_cMib.SetSession(), m_cMib.PlanDelete(picked->index));
}
