// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ReportList.h"

#include "features/common/Messages.h"
#include "snmp/SessionParameters.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSaveFile>
#include <QScrollBar>
#include <QStandardPaths>
#include <QToolTip>

namespace {

QString& LastExportFolder() {
    static QString folder;
    return folder;
}

QString TabCell(QString cell) {
    for (QChar& c : cell) {
        if (c == u'\t' || c == u'\n' || c == u'\r') {
            c = u' ';
        }
    }
    return cell;
}

QString CsvCell(const QString& cell) {
    if (!cell.contains(u',') && !cell.contains(u'"') && !cell.contains(u'\n') &&
        !cell.contains(u'\r')) {
        return cell;
    }
    QString quoted = cell;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString JoinLines(const QStringList& header, const QList<QStringList>& rows,
                  QString (*cell)(const QString&), QChar separator, const QString& end) {
    QString text;
    const auto line = [&](const QStringList& cells) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                text += separator;
            }
            text += cell(cells[i]);
        }
        text += end;
    };
    line(header);
    for (const QStringList& row : rows) {
        line(row);
    }
    return text;
}

} // namespace

QString ReportTabText(const QStringList& header, const QList<QStringList>& rows) {
    return JoinLines(
        header, rows, [](const QString& c) { return TabCell(c); }, u'\t', QStringLiteral("\n"));
}

QString ReportCsvText(const QStringList& header, const QList<QStringList>& rows) {
    return JoinLines(header, rows, CsvCell, u',', QStringLiteral("\r\n"));
}

QString ExportFolder() {
    if (!LastExportFolder().isEmpty()) {
        return LastExportFolder();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

bool WriteReportCsv(const QString& path, const QStringList& header, const QList<QStringList>& rows,
                    QString* error) {
    QSaveFile file(path);
    const QByteArray bytes = ReportCsvText(header, rows).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error != nullptr) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

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

void CReportList::ShowGridLines() {
    m_gridLines = true;
    setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"
        "QTreeView::item:selected { background: palette(highlight); "
        "color: palette(highlighted-text); }"));
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
    if (event->matches(QKeySequence::Copy)) {
        CopyRows();
        event->accept();
        return;
    }
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

int CReportList::ColumnsWidth() const {
    int width = 0;
    for (int column = 0; column < columnCount(); ++column) {
        width += columnWidth(column);
    }
    return width;
}

namespace {

constexpr int kSortValueRole = Qt::UserRole + 1;
constexpr int kRowKeyRole = Qt::UserRole + 2;

// Sorts by the cells' sort values where both rows have one, otherwise by text.
class CSortableItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
        const QVariant mine = data(column, kSortValueRole);
        const QVariant theirs = other.data(column, kSortValueRole);
        if (mine.isValid() && theirs.isValid()) {
            return mine.toDouble() < theirs.toDouble();
        }
        if (mine.isValid() != theirs.isValid()) {
            return theirs.isValid(); // rows without a value (a gap) come first
        }
        return text(column) < other.text(column);
    }
};

} // namespace

void CReportList::SetSortable() {
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
}

void CReportList::SetKeyedRow(qint64 key, const QStringList& cells,
                              const QList<std::optional<double>>& sortValues) {
    QTreeWidgetItem* item = topLevelItem(RowOfKey(key));
    if (item == nullptr) {
        item = new CSortableItem;
        item->setData(0, kRowKeyRole, key);
        for (int i = 0; i < m_alignments.size(); ++i) {
            item->setTextAlignment(i, m_alignments[i]);
        }
        addTopLevelItem(item);
    }
    for (int column = 0; column < cells.size(); ++column) {
        item->setText(column, cells[column]);
        const std::optional<double> value =
            column < sortValues.size() ? sortValues[column] : std::nullopt;
        item->setData(column, kSortValueRole, value ? QVariant(*value) : QVariant());
    }
}

int CReportList::RowOfKey(qint64 key) const {
    for (int row = 0; row < topLevelItemCount(); ++row) {
        if (topLevelItem(row)->data(0, kRowKeyRole) == QVariant(key)) {
            return row;
        }
    }
    return -1;
}

std::vector<qint64> CReportList::SelectedKeys() const {
    std::vector<qint64> keys;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = topLevelItem(row);
        if (item->isSelected() && item->data(0, kRowKeyRole).isValid()) {
            keys.push_back(item->data(0, kRowKeyRole).toLongLong());
        }
    }
    return keys;
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

// A right click opens the menu without selecting the row under the mouse.
void CReportList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void CReportList::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("reportMenu"));
    QAction* copy = menu.addAction(QStringLiteral("Copy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &CReportList::CopyRows);
    QAction* exportCsv = menu.addAction(QStringLiteral("Export CSV..."));
    connect(exportCsv, &QAction::triggered, this, &CReportList::ExportCsv);
    menu.exec(event->globalPos());
    event->accept();
}

QString CReportList::CutOffCellText(const QPoint& point) const {
    const QModelIndex index = indexAt(point);
    if (!index.isValid()) {
        return {};
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect cell = visualRect(index);
    // The item's own margins: a text a few pixels narrower than the cell may be elided.
    constexpr int kCellMargins = 8;
    return fontMetrics().horizontalAdvance(text) + kCellMargins > cell.width() ? text : QString();
}

bool CReportList::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = CutOffCellText(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text, viewport());
        }
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

QStringList CReportList::HeaderTexts() const {
    QStringList texts;
    for (int i = 0; i < columnCount(); ++i) {
        texts.append(headerItem()->text(i).trimmed());
    }
    return texts;
}

QList<QStringList> CReportList::AllRows() const {
    if (m_allRowsSource) {
        return m_allRowsSource();
    }
    QList<QStringList> rows;
    for (int row = 0; row < RowCount(); ++row) {
        rows.append(RowCells(row));
    }
    return rows;
}

QList<QStringList> CReportList::RowsToCopy() const {
    const int selected = SelectedRow();
    return selected < 0 ? AllRows() : QList<QStringList>{RowCells(selected)};
}

QStringList CReportList::RowCells(int row) const {
    QStringList cells;
    for (int column = 0; column < columnCount(); ++column) {
        cells.append(Cell(row, column));
    }
    return cells;
}

void CReportList::SetAllRowsSource(std::function<QList<QStringList>()> source) {
    m_allRowsSource = std::move(source);
}

void CReportList::CopyRows() {
    QGuiApplication::clipboard()->setText(ReportTabText(HeaderTexts(), RowsToCopy()));
}

// "KSX-7700-52 Forwarding Table 2026-12-07.csv": characters that file systems or file
// dialogs refuse become "-".
QString CReportList::SuggestedFileName(const QDate& date) const {
    QStringList parts;
    const QString device = QString::fromStdString(DeviceValues().ModelName);
    for (const QString& part : {device, window()->windowTitle(), date.toString(Qt::ISODate)}) {
        if (!part.trimmed().isEmpty()) {
            parts.append(part.simplified());
        }
    }
    QString name = parts.join(u' ');
    for (QChar& c : name) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c)) {
            c = u'-';
        }
    }
    return name + QStringLiteral(".csv");
}

void CReportList::ExportCsv() {
    // The rows are taken before the file dialog runs: a walk that goes on meanwhile does not
    // change what the user chose to export.
    ExportCsvFile(window(), HeaderTexts(), AllRows(), SuggestedFileName(QDate::currentDate()));
}

QString AskFileName(QWidget* window, const FileQuestion& question) {
    QFileDialog dialog(window, question.caption);
    dialog.setObjectName(question.objectName);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(question.nameFilter);
    dialog.setDefaultSuffix(question.defaultSuffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(ExportFolder());
    dialog.selectFile(question.suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString path = dialog.selectedFiles().constFirst();
    LastExportFolder() = QFileInfo(path).absolutePath();
    return path;
}

void ExportCsvFile(QWidget* window, const QStringList& header, const QList<QStringList>& rows,
                   const QString& suggestedName) {
    const QString path = AskFileName(
        window, {QStringLiteral("Export CSV"), QStringLiteral("exportCsvDialog"),
                 QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"), suggestedName});
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (!WriteReportCsv(path, header, rows, &error)) {
        ShowOk(QStringLiteral("Cannot write %1: %2").arg(path, error));
        return;
    }
    ShowInformation(QStringLiteral("%1 rows exported to %2").arg(rows.size()).arg(path));
}
