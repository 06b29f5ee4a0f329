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

#include <QStringList>
#include <QTreeWidget>

struct ReportColumn {
    QString header;
    int width = -1; // pixels; -1: the header text's width + 15
    Qt::Alignment alignment = Qt::AlignLeft;
};

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
    void RemoveAllRows() { clear(); }

    // The selected row, -1 when none is.
    int SelectedRow() const;
    void SelectRow(int row);

signals:
    // The user picked a row: a click on it, or the Up or Down key from a picked row. Focus,
    // reactivation, a refill or a sort never pick one.
    void rowSelected(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Pick(int row);

    QList<Qt::Alignment> m_alignments;
};
