// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ReportList.h"

#include <QHeaderView>

CReportList::CReportList(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    // Keys move the current row, a click chooses one: both copy the row into the editors.
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { EmitRowSelected(current); });
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { EmitRowSelected(item); });
}

int CReportList::HeaderTextWidth(const QString& header) const {
    return this->header()->fontMetrics().horizontalAdvance(header) + kHeaderMargin;
}

void CReportList::SetColumns(const QStringList& headers) {
    QList<ReportColumn> columns;
    for (const QString& text : headers) {
        columns.append({text});
    }
    SetColumns(columns);
}

void CReportList::SetColumns(const QList<ReportColumn>& columns) {
    clear();
    setColumnCount(static_cast<int>(columns.size()));
    m_alignments.clear();
    QStringList headers;
    for (const ReportColumn& column : columns) {
        headers.append(column.header);
        m_alignments.append(column.alignment | Qt::AlignVCenter);
    }
    setHeaderLabels(headers);
    for (int i = 0; i < columns.size(); ++i) {
        const ReportColumn& column = columns[i];
        headerItem()->setTextAlignment(i, m_alignments[i]);
        setColumnWidth(i, column.width >= 0 ? column.width : HeaderTextWidth(column.header));
    }
}

int CReportList::AddRow(const QStringList& cells) {
    auto* item = new QTreeWidgetItem(cells);
    for (int i = 0; i < m_alignments.size(); ++i) {
        item->setTextAlignment(i, m_alignments[i]);
    }
    addTopLevelItem(item);
    return indexOfTopLevelItem(item);
}

void CReportList::SetCell(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setText(column, text);
    }
}

QString CReportList::Cell(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item != nullptr ? item->text(column) : QString();
}

int CReportList::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void CReportList::SelectRow(int row) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setCurrentItem(item);
    }
}

void CReportList::EmitRowSelected(QTreeWidgetItem* item) {
    if (item != nullptr) {
        emit rowSelected(indexOfTopLevelItem(item));
    }
}
