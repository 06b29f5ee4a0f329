// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/SpanningTreeTableDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"
#include "features/l2/SpanningTreeMib.h"
#include "features/l2/SpanningTreePortDialog.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CSpanningTreeTableDlg::CSpanningTreeTableDlg(QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CSpanningTreeMib>()) {
    setWindowTitle(QStringLiteral(" Spanning Tree Table"));
    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("portList"));
    // The cost column takes the widest cost a port can have (its header alone would cut
    // 200000 short).
    const int costWidth = m_pList->HeaderTextWidth(QStringLiteral("200000000"));
    m_pList->SetColumns(QList<ReportColumn>{{QStringLiteral("Port")},
                                            {QStringLiteral("Priority")},
                                            {QStringLiteral("Cost "), costWidth},
                                            {QStringLiteral("Enable")},
                                            {QStringLiteral("Status  ")},
                                            {QStringLiteral(" ==Designated Root== ")},
                                            {QStringLiteral("Designated Cost")},
                                            {QStringLiteral(" ==Designated Bridge== ")},
                                            {QStringLiteral("Designated Port")},
                                            {QStringLiteral("Forwardings")}});
    m_pEntries = kit::Edit(this, "entriesEdit", /*readOnly=*/true);
    m_pEntries->setFocusPolicy(Qt::NoFocus);
    m_pPortConfig = new QPushButton(QStringLiteral("&Port Config"), this);
    m_pPortConfig->setObjectName(QStringLiteral("portConfigButton"));
    m_pPortConfig->setAutoDefault(false);

    auto* entries = new QGridLayout;
    kit::AddFormRow(*entries, 0, QStringLiteral("Entries:"), m_pEntries);
    entries->setColumnStretch(2, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(entries);
    layout->addLayout(kit::ButtonRow({m_pPortConfig, RefreshButton(), CloseButton()}));
    int width = m_pList->ColumnsWidth();
    resize(width + 40, 420);

    connect(m_pPortConfig, &QPushButton::clicked, this, [this] { OpenPort(); });
}

void CSpanningTreeTableDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pPortConfig->setEnabled(!IsBusy() && m_pList->RowCount() > 0);
}

void CSpanningTreeTableDlg::Refresh() {
    m_pEntries->clear();
    WalkIntoList(
        m_cMib.PortWalk(), *m_pList,
        [](const stp::PortRow& row, int) {
            QStringList cells;
            for (const std::string& cell : row.cells) {
                cells << QString::fromStdString(cell);
            }
            return cells;
        },
        [this](int) { m_pEntries->setText(QString::number(m_pList->RowCount())); });
}

void CSpanningTreeTableDlg::OpenPort() {
    // Without a pick, the first port.
    const stp::PortRow* picked = m_cMib.PortWalk().RowAt(std::max(m_pList->SelectedRow(), 0));
    if (picked == nullptr || !picked->port || *picked->port < 1) {
        return;
    }
    CSpanningTreePortDlg dialog(static_cast<int>(*picked->port), this);
    dialog.exec();
    Refresh();
}
