// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/PublicMibTableDialog.h"

#include <QHeaderView>
#include <QScrollBar>

namespace {

constexpr int kLastColumnReserve = 30;

} // namespace

CPublicMibTable::CPublicMibTable(std::vector<std::string> columns, CTypedWalk<MibRow>::Parse parse,
                                 bool endOnShortRow)
    : m_cWalk(m_cCommonSNMPTable, std::move(columns), std::move(parse)) {
    m_cWalk.Walk().SetEndOnShortRow(endOnShortRow);
}

CPublicMibTableDialog::CPublicMibTableDialog(const QString& caption,
                                             const QList<ReportColumn>& columns, QWidget* parent)
    : CFeatureDialog(parent) {
    setWindowTitle(caption);
    m_list = new CReportList(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->SetColumns(columns);
    // The last column takes what is left, so that a long value text stays readable.
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumSize(ListWidthFor(*m_list) + kLastColumnReserve, 220);

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_list, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    m_buttons->addWidget(RefreshButton());
    m_buttons->addWidget(CloseButton());
    m_layout->addLayout(m_buttons);
}

void CPublicMibTableDialog::Refresh() {
    WalkStarting();
    WalkIntoList(Walk(), *m_list, [this](const MibRow& row, int index) {
        RowRead(index);
        return row.cells;
    });
}

int ListWidthFor(const CReportList& list) {
    int width = 2 * list.frameWidth() + list.verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < list.columnCount(); ++column) {
        width += list.header()->sectionSize(column);
    }
    return width;
}
