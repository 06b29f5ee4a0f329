// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/MulticastEntryDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"

#include <QHeaderView>
#include <QVBoxLayout>

CMulticastEntryDlg::CMulticastEntryDlg(CIgmpMib* shared, QWidget* parent)
    : CFeatureDialog(parent), m_cMib(shared != nullptr ? *shared : AddData<CIgmpMib>()) {
    setWindowTitle(QStringLiteral("Multicast Entry Table"));
    m_pEntryList = new CReportList(this);
    m_pEntryList->setObjectName(QStringLiteral("entryList"));
    m_pEntryList->SetColumns(
        {QStringLiteral("Group ID"), QStringLiteral("VLAN ID"), QStringLiteral("Multicast  Group"),
         QStringLiteral("Multicast MAC address"), QStringLiteral("Port Members")});
    m_pEntryList->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pEntryList, 1);
    layout->addLayout(kit::ButtonRow({RefreshButton(), CloseButton()}));
    resize(560, 300);
}

void CMulticastEntryDlg::Refresh() {
    WalkIntoList(m_cMib.GroupWalk(), *m_pEntryList, [](const igmp::GroupRow& group, int index) {
        return QStringList{QString::number(index + 1), QString::fromStdString(group.vid),
                           QString::fromStdString(group.address), QString::fromStdString(group.mac),
                           QString::fromStdString(group.ports)};
    });
}
