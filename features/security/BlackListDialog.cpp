// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/BlackListDialog.h"
#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace impb;
using kit::Text;

CIMPBBlackList::CIMPBBlackList(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pVid = kit::Edit(this, "vidSearch", false, 4);
    m_pIp = kit::Edit(this, "ipSearch", false, 15);
    m_pMac = kit::Edit(this, "macSearch", false, 17);
    m_pPortSearch = kit::Edit(this, "portSearch", false, 2);
    m_pFind = kit::Button(this, QStringLiteral("Find"), "findButton");
    m_pTotal = kit::Edit(this, "totalEntries", true);
    m_pDelete = kit::Button(this, QStringLiteral("Delete"), "deleteButton");
    m_pList = kit::CentredList(this, "blackList",
                               {{QStringLiteral("VID"), 85},
                                {QStringLiteral("IP Address"), 185},
                                {QStringLiteral("Mac Address"), 200},
                                {QStringLiteral("Port"), 90}});

    auto* search = new QGridLayout;
    kit::AddFormRow(*search, 0, QStringLiteral("VID"), m_pVid);
    kit::AddFormRow(*search, 0, QStringLiteral("IP Address"), m_pIp, 1);
    kit::AddFormRow(*search, 1, QStringLiteral("MAC Address"), m_pMac);
    kit::AddFormRow(*search, 1, QStringLiteral("Ports"), m_pPortSearch, 1);
    search->addWidget(m_pFind, 1, 4);
    auto* total = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Total Entries :"), this);
    label->setBuddy(m_pTotal);
    total->addWidget(label);
    total->addWidget(m_pTotal);
    total->addStretch(1);
    total->addWidget(m_pDelete);
    total->addWidget(RefreshButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addLayout(total);
    layout->addWidget(m_pList, 1);
    layout->addLayout(kit::ButtonRow({CloseButton()}));
    resize(620, 460);
    connect(m_pFind, &QPushButton::clicked, this, [this] { Find(); });
    connect(m_pDelete, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    Watch(m_cMib.BlackListWalk());
}

void CIMPBBlackList::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pDelete->setEnabled(!IsBusy());
    m_pFind->setEnabled(!IsBusy());
}

void CIMPBBlackList::Refresh() {
    m_pList->RemoveAllRows();
    m_shown.clear();
    m_store.clear();
    m_cMib.StartBlackListWalk(
        this,
        [this](const HostRow& row) {
            m_store.push_back({row, 2});
        },
        [this](int) { ShowMarked(); });
}

void CIMPBBlackList::ShowMarked() {
    m_pList->RemoveAllRows();
    m_shown.clear();
    for (std::size_t i = 0; i < m_store.size(); ++i) {
        const HostRow& row = m_store[i].row;
        if (m_store[i].mark != 2) {
            continue;
        }
        m_shown.push_back(i);
        m_pList->AddRow({row.vid ? QString::number(*row.vid) : QString(), Text(row.ip),
                         Text(row.mac), row.port ? QString::number(*row.port) : QString()});
    }
    m_pTotal->setText(QString::number(m_pList->RowCount()));
}

void CIMPBBlackList::Find() {
    FindInBlackList(m_store, {m_pVid->text().toStdString(), m_pIp->text().toStdString(),
                              m_pMac->text().toStdString(), m_pPortSearch->text().toStdString()});
    ShowMarked();
}

void CIMPBBlackList::DeleteSelected() {
    const int selected = m_pList->SelectedRow();
    if (selected < 0 || selected >= static_cast<int>(m_shown.size())) {
        ShowOk(QStringLiteral("Please select the item would be delete!\n"));
        return;
    }
    RunPlan(m_cMib.SetSession(), CImpbMib::PlanBlackListRemove(
                                     m_store[m_shown[static_cast<std::size_t>(selected)]].row));
}
