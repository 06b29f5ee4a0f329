// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/WhiteListDialog.h"
#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace impb;
using kit::Text;

CIMPBWhiteList::CIMPBWhiteList(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pTotal = kit::Edit(this, "totalEntries", true);
    m_pDelete = kit::Button(this, QStringLiteral("Delete"), "deleteButton");
    m_pList = kit::CentredList(this, "whiteList",
                               {{QStringLiteral("IP Address"), 200},
                                {QStringLiteral("Mac Address"), 220},
                                {QStringLiteral("Port"), 160}});
    auto* total = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Total Entries: "), this);
    label->setBuddy(m_pTotal);
    total->addWidget(label);
    total->addWidget(m_pTotal);
    total->addStretch(1);
    total->addWidget(RefreshButton());
    total->addWidget(m_pDelete);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(total);
    layout->addWidget(m_pList, 1);
    layout->addLayout(kit::ButtonRow({CloseButton()}));
    resize(640, 420);
    connect(m_pDelete, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    Watch(m_cMib.WhiteListWalk());
}

void CIMPBWhiteList::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pDelete->setEnabled(!IsBusy());
}

void CIMPBWhiteList::Refresh() {
    m_pList->RemoveAllRows();
    m_rows.clear();
    m_cMib.StartWhiteListWalk(
        this,
        [this](const HostRow& row) {
            m_rows.push_back(row);
            m_pList->AddRow(
                {Text(row.ip), Text(row.mac), row.port ? QString::number(*row.port) : QString()});
        },
        [this](int) { m_pTotal->setText(QString::number(m_pList->RowCount())); });
}

void CIMPBWhiteList::DeleteSelected() {
    const int selected = m_pList->SelectedRow();
    if (selected < 0 || selected >= static_cast<int>(m_rows.size())) {
        ShowOk(QStringLiteral("Please select the item would be delete!\n"));
        return;
    }
    RunPlan(m_cMib.SetSession(),
            CImpbMib::PlanWhiteListDelete(m_rows[static_cast<std::size_t>(selected)]));
}
