// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The report-style list of the feature dialogs: one line per row, whole rows selected,
// columns as wide as their header text plus 15 pixels unless a width is given. Trailing
// blanks of a header text widen its column.
//
// Only the user picks a row (rowSelected): Qt's item view would make the first row current
// whenever the list gains the focus by the keyboard or by reactivation, and a dialog that
// followed the current item would then fill its controls with a row nobody chose.
#pragma once

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTreeWidget>

#include <functional>
#include <optional>
#include <vector>

struct ReportColumn {
    QString header;
    int width = -1; // pixels; -1: the header text's width + 15
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A report as plain text: the header line, then one line per row. Tab-separated for the
// clipboard (tabs and line breaks inside a cell become blanks, lines end in LF); CSV with
// comma separators, fields holding a comma, a quote or a line break in double quotes with
// inner quotes doubled, lines ending in CR LF.
QString ReportTabText(const QStringList& header, const QList<QStringList>& rows);
QString ReportCsvText(const QStringList& header, const QList<QStringList>& rows);
// The folder the next export starts in: the one of the last export, at first the user's
// documents folder (the home folder when there is none).
QString ExportFolder();

// Asks for a file to write (`save`) or read in a file dialog of this program's own (objectName
// `objectName`), starting in ExportFolder() with `suggestedName`; empty when cancelled. The
// folder of the file chosen is where the next question starts.
struct FileQuestion {
    QString caption;
    QString objectName;
    QString nameFilter;    // "CSV files (*.csv)"
    QString defaultSuffix; // "csv"
    QString suggestedName;
    bool save = true;
};
QString AskFileName(QWidget* window, const FileQuestion& question);

// Asks for a file name (`suggestedName` in ExportFolder()), writes the CSV text there and says
// where, or why it could not.
void ExportCsvFile(QWidget* window, const QStringList& header, const QList<QStringList>& rows,
                   const QString& suggestedName);

// Writes the CSV text as UTF-8 to `path`; false (and the reason in `error`) when it cannot.
bool WriteReportCsv(const QString& path, const QStringList& header, const QList<QStringList>& rows,
                    QString* error = nullptr);

class CReportList : public QTreeWidget {
    Q_OBJECT

public:
    static constexpr int kHeaderMargin = 15;

    explicit CReportList(QWidget* parent = nullptr);

    // Left-aligned columns as wide as their header texts + 15 pixels.
    void SetColumns(const QStringList& headers);
    void SetColumns(const QList<ReportColumn>& columns);
    // Pixel width of a column whose header is `header` and whose width is not given.
    int HeaderTextWidth(const QString& header) const;

    // Appends a row and returns its number (0 for the first row).
    int AddRow(const QStringList& cells);
    void SetCell(int row, int column, const QString& text);
    QString Cell(int row, int column) const;
    int RowCount() const { return topLevelItemCount(); }
    // The width of all columns together, in pixels.
    int ColumnsWidth() const;
    void RemoveAllRows() { clear(); }

    // Lines between the cells, as a report list with the grid-lines style shows them.
    void ShowGridLines();
    bool HasGridLines() const { return m_gridLines; }

    // The selected row, -1 when none is.
    int SelectedRow() const;
    void SelectRow(int row);

    // Copy and export: the header texts without their padding blanks; every row (or what
    // SetAllRowsSource gives, for a list that shows one page of a longer report); for Copy the
    // selected row, or every row when none is selected. Neither changes the selection.
    QStringList HeaderTexts() const;
    QList<QStringList> AllRows() const;
    QList<QStringList> RowsToCopy() const;
    void SetAllRowsSource(std::function<QList<QStringList>()> source);
    // Ctrl+C and the context menu's "Copy": the tab-separated text to the clipboard.
    void CopyRows();
    // "Export CSV...": every row, always. Asks for a file name (suggested from the device,
    // the dialog and the date, in the folder of the last export or the documents folder),
    // writes the CSV text there and says where.
    void ExportCsv();
    QString SuggestedFileName(const QDate& date) const;

    // The text a tooltip shows at `point` of the viewport: the whole cell when the column cuts
    // it off (a long port list), nothing otherwise.
    QString CutOffCellText(const QPoint& point) const;

    // A list of rows that live on (a live view): sorted by a click on a column header, numbers
    // by their value, and each row known by a key (a port number) wherever sorting moves it.
    void SetSortable();
    // The row of `key`, added or updated; a cell's sort value (if any) orders it.
    void SetKeyedRow(qint64 key, const QStringList& cells,
                     const QList<std::optional<double>>& sortValues);
    int RowOfKey(qint64 key) const;
    std::vector<qint64> SelectedKeys() const;

signals:
    // The user picked a row: a click on it, or the Up or Down key from a picked row. Focus,
    // reactivation, a refill or a sort never pick one.
    void rowSelected(int row);

protected:
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Pick(int row);
    QStringList RowCells(int row) const;

    QList<Qt::Alignment> m_alignments;
    bool m_gridLines = false;
    std::function<QList<QStringList>()> m_allRowsSource;
};
