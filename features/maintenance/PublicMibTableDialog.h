// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the table views of the public MIB share: a data object that walks some columns of a
// standard table and turns each answer into the texts of one row, and a dialog that shows the
// walk in its report list, one row per answer, with Refresh disabled while the walk runs.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <string>
#include <vector>

// One row of a view: read-only texts, column by column.
struct MibRow {
    QStringList cells;
};

class CPublicMibTable : public CFeatureData {
public:
    // endOnShortRow: an answer with fewer values than columns has left the table.
    CPublicMibTable(std::vector<std::string> columns, CTypedWalk<MibRow>::Parse parse,
                    bool endOnShortRow = false);

    CTypedWalk<MibRow>& Walk() { return m_cWalk; }

private:
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<MibRow> m_cWalk;
};

class CPublicMibTableDialog : public CFeatureDialog {
    Q_OBJECT

public:
    // Empties the list, disables Refresh and walks the table again.
    void Refresh() override;

    CReportList* List() const { return m_list; }

protected:
    CPublicMibTableDialog(const QString& caption, const QList<ReportColumn>& columns,
                          QWidget* parent);

    virtual CTypedWalk<MibRow>& Walk() = 0;
    // Before the walk starts (the list is empty then).
    virtual void WalkStarting() {}
    // Row `index` (from 0) was read; it goes into the list next.
    virtual void RowRead(int /*index*/) {}

    // Widgets of a dialog go between the list and the buttons.
    QVBoxLayout* Layout() const { return m_layout; }
    // The button row: Refresh and Close on the right.
    QHBoxLayout* Buttons() const { return m_buttons; }

private:
    CReportList* m_list = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QHBoxLayout* m_buttons = nullptr;
};

// The list's width for its columns, so that a dialog opens showing all of them.
int ListWidthFor(const CReportList& list);
