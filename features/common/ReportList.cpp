// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ReportList.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

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
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Pick(indexOfTopLevelItem(item)); });
}

// The view makes a row current on a keyboard or activation focus-in; that is not a pick, so
// the current row is put back as it was and nothing is selected.
void CReportList::focusInEvent(QFocusEvent* event) {
    const QModelIndex before = currentIndex();
    QTreeWidget::focusInEvent(event);
    if (currentIndex() != before) {
        selectionModel()->setCurrentIndex(before, QItemSelectionModel::NoUpdate);
    }
}

// Up and Down move the pick to the row above or below the picked one; without a picked row
// they do nothing. Other navigation keys scroll without changing the pick.
void CReportList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int picked = SelectedRow();
        const int next = picked + (key == Qt::Key_Up ? -1 : 1);
        if (picked >= 0 && next >= 0 && next < RowCount()) {
            SelectRow(next);
            Pick(next);
        }
        event->accept();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    switch (key) {
    case Qt::Key_PageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case Qt::Key_End:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    case Qt::Key_Space:
    case Qt::Key_Select:
        break; // selecting the current row by keyboard is no pick either
    default:
        QTreeWidget::keyPressEvent(event);
        return;
    }
    event->accept();
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
        scrollToItem(item);
    }
}

void CReportList::Pick(int row) {
    if (row >= 0) {
        emit rowSelected(row);
    }
}
