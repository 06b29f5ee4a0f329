// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Interface Table: index, link status and speed of every interface (ifTable), with the
// number of rows read so far.
#pragma once

#include "features/maintenance/PublicMibTableDialog.h"

#include <QLineEdit>

class CInterfaceTableMib : public CPublicMibTable {
public:
    static inline const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";
    static inline const std::string kIfOperStatus = "1.3.6.1.2.1.2.2.1.8";
    static inline const std::string kIfSpeed = "1.3.6.1.2.1.2.2.1.5";

    CInterfaceTableMib() : CPublicMibTable({kIfIndex, kIfOperStatus, kIfSpeed}, &RowOf, true) {}
    static std::optional<MibRow> RowOf(const SnmpRow& row);
};

class CInterfaceTableDlg : public CPublicMibTableDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Interface Table";
    explicit CInterfaceTableDlg(QWidget* parent = nullptr);

protected:
    CTypedWalk<MibRow>& Walk() override { return m_cMib.Walk(); }
    void RowRead(int index) override;
    void WalkStarting() override;

private:
    CInterfaceTableMib& m_cMib = AddData<CInterfaceTableMib>();
    QLineEdit* m_rowCount = nullptr;
};
