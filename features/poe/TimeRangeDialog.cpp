// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/TimeRangeDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"
#include "features/poe/TimeRangeConfigDialog.h"
#include "snmp/TextConversion.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

QStringList TimeEntryCells(const timetable::TimeEntry& entry) {
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    return {Utf8ToText(entry.name),
            text(timetable::WeekdaysText(entry)),
            text(timetable::FromDayText(entry)),
            text(timetable::ToDayText(entry)),
            text(timetable::TimeText(entry.startHour, entry.startMinute)),
            text(timetable::TimeText(entry.endHour, entry.endMinute))};
}

CTimeRangeDlg::CTimeRangeDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("rangeList"));
    m_pList->SetColumns({QStringLiteral("Range Name"), QStringLiteral("Weekdays"),
                         QStringLiteral("From Day"), QStringLiteral("To Day"),
                         QStringLiteral("Start Time"), QStringLiteral("End Time")});
    m_pList->setColumnWidth(
        1, m_pList->HeaderTextWidth(QStringLiteral("Mon,Tue,Wed,Thu,Fri,Sat,Sun")));
    m_pList->setColumnWidth(2, m_pList->HeaderTextWidth(QStringLiteral("2009/01/01")));
    m_pList->setColumnWidth(3, m_pList->HeaderTextWidth(QStringLiteral("2009/01/01")));
    const auto button = [this](const QString& text, const char* name) {
        auto* made = new QPushButton(text, this);
        made->setObjectName(QString::fromLatin1(name));
        made->setAutoDefault(false);
        return made;
    };
    m_pAdd = button(QStringLiteral("&Add"), "addButton");
    m_pEdit = button(QStringLiteral("&Edit"), "editButton");
    m_pDelete = button(QStringLiteral("&Delete"), "deleteButton");
    connect(m_pAdd, &QPushButton::clicked, this, &CTimeRangeDlg::AddRange);
    connect(m_pEdit, &QPushButton::clicked, this, &CTimeRangeDlg::EditRange);
    connect(m_pDelete, &QPushButton::clicked, this, &CTimeRangeDlg::DeleteRange);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(kit::ButtonRow({m_pAdd, m_pEdit, m_pDelete, RefreshButton(), CloseButton()}));
    int width = m_pList->ColumnsWidth();
    resize(std::max(width + 60, 620), 300);
}

void CTimeRangeDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !IsBusy();
    for (QPushButton* button : {m_pAdd, m_pEdit, m_pDelete}) {
        button->setEnabled(idle);
    }
}

void CTimeRangeDlg::Refresh() {
    WalkIntoList(m_cMib.Walk(), *m_pList,
                 [](const timetable::TimeEntry& entry, int) { return TimeEntryCells(entry); });
}

void CTimeRangeDlg::RunConfig(std::optional<timetable::TimeEntry> edited) {
    CTimeRangeConfigDlg config(m_cMib.Entries(), std::move(edited), this);
    config.setObjectName(QStringLiteral("timeBasedPoeConfig"));
    config.exec();
    Refresh();
}

void CTimeRangeDlg::AddRange() {
    RunConfig(std::nullopt);
}

void CTimeRangeDlg::EditRange() {
    const timetable::TimeEntry* picked = m_cMib.Walk().RowAt(m_pList->SelectedRow());
    if (picked == nullptr) {
        ShowOk(QStringLiteral("Please select the Time Range to be edit!"));
        return;
    }
    RunConfig(*picked);
}

void CTimeRangeDlg::DeleteRange() {
    const timetable::TimeEntry* picked = m_cMib.Walk().RowAt(m_pList->SelectedRow());
    if (picked == nullptr) {
        ShowOk(QStringLiteral("Please select the Time Range to be deleted!"));
        return;
    }
    RunPlan(m_cMib.SetSession(), m_cMib.PlanDelete(picked->index));
}
